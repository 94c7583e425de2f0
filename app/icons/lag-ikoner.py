#!/usr/bin/env python3
"""Draws Kroppstall's icons as opaque PNG files: the application icon at 16, 32 and 48 pixels and the
16-pixel picture in the window's top-left corner; and the same three application icons as the images of
a Windows icon resource. Standard library only; run it from any folder."""
import math
import os
import struct
import zlib

HER = os.path.dirname(os.path.abspath(__file__))
OVERSAMPLING = 8

BAKGRUNN_TOPP = (32, 128, 146)
BAKGRUNN_BUNN = (18, 88, 104)
FIGUR = (255, 255, 255)
SKALA = [(92, 160, 220), (96, 186, 96), (240, 190, 60), (220, 80, 60)]


def innenfor_avrundet(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def farge(u, v):
    """Colour at (u, v) in the unit square, y downwards."""
    # Four-segment BMI scale along the bottom.
    if 0.12 <= u <= 0.88 and 0.80 <= v <= 0.90:
        return SKALA[min(3, int((u - 0.12) / 0.76 * 4))]
    # A figure: head and body.
    if (u - 0.5) ** 2 + (v - 0.22) ** 2 <= 0.105 ** 2:
        return FIGUR
    if innenfor_avrundet(u, v, 0.30, 0.37, 0.70, 0.72, 0.12):
        return FIGUR
    t = v
    return tuple(round(a + (b - a) * t) for a, b in zip(BAKGRUNN_TOPP, BAKGRUNN_BUNN))


def tegn(storrelse):
    rader = []
    n = storrelse * OVERSAMPLING
    for py in range(storrelse):
        rad = bytearray()
        for px in range(storrelse):
            sum_ = [0, 0, 0]
            for sy in range(OVERSAMPLING):
                for sx in range(OVERSAMPLING):
                    u = (px * OVERSAMPLING + sx + 0.5) / n
                    v = (py * OVERSAMPLING + sy + 0.5) / n
                    for i, c in enumerate(farge(u, v)):
                        sum_[i] += c
            rad += bytes(round(c / OVERSAMPLING**2) for c in sum_)
        rader.append(bytes(rad))
    return rader


def skriv_ikonbilde(sti, rader):
    """One image of a Windows icon resource: BITMAPINFOHEADER, 24-bit BGR rows bottom-up, then the
    1-bit AND mask (all zero: every pixel opaque); each row padded to 4 bytes. The header's height
    counts both bitmaps."""
    hoyde, bredde = len(rader), len(rader[0]) // 3
    farge_rad = (bredde * 3 + 3) // 4 * 4
    maske_rad = ((bredde + 31) // 32) * 4
    punkter = b""
    for rad in reversed(rader):
        bgr = b"".join(bytes((rad[i + 2], rad[i + 1], rad[i])) for i in range(0, len(rad), 3))
        punkter += bgr + b"\x00" * (farge_rad - len(bgr))
    maske = b"\x00" * (maske_rad * hoyde)
    # biSize, biWidth, biHeight, biPlanes, biBitCount, biCompression (BI_RGB), biSizeImage,
    # biXPelsPerMeter, biYPelsPerMeter, biClrUsed, biClrImportant
    hode = struct.pack("<IiiHHIIiiII", 40, bredde, 2 * hoyde, 1, 24, 0, len(punkter) + len(maske), 0, 0, 0, 0)
    with open(sti, "wb") as f:
        f.write(hode + punkter + maske)


def skriv_png(sti, rader, alfa):
    hoyde, bredde = len(rader), len(rader[0]) // 3
    raa = b""
    for rad in rader:
        if alfa:  # fully opaque alpha channel
            rad = b"".join(rad[i:i + 3] + b"\xff" for i in range(0, len(rad), 3))
        raa += b"\x00" + rad

    def blokk(type_, data):
        return struct.pack(">I", len(data)) + type_ + data + struct.pack(">I", zlib.crc32(type_ + data))

    fargetype = 6 if alfa else 2
    with open(sti, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(blokk(b"IHDR", struct.pack(">IIBBBBB", bredde, hoyde, 8, fargetype, 0, 0, 0)))
        f.write(blokk(b"IDAT", zlib.compress(raa, 9)))
        f.write(blokk(b"IEND", b""))


if __name__ == "__main__":
    for s in (16, 32, 48):
        skriv_ikonbilde(os.path.join(HER, f"kroppstall-{s}.bin"), tegn(s))
    for s in (16, 32, 48):
        skriv_png(os.path.join(HER, f"kroppstall-{s}.png"), tegn(s), alfa=False)
    # The small picture beside the menu rule: the same drawing, 32 bits per pixel, every pixel opaque.
    skriv_png(os.path.join(HER, "bilde-16.png"), tegn(16), alfa=True)
