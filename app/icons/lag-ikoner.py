#!/usr/bin/env python3
"""Draws Kroppstall's icons as opaque PNG files: the application icon at 16, 32, 48, 64, 128 and 256
pixels and the 16-pixel picture in the window's top-left corner; the same drawing as a scalable SVG for
the desktop's icon theme; the 16, 32 and 48 pixel icons as the images of a Windows icon resource, and
together as the .ico file the Windows installer registers; and
those three drawings as pixel tables in bilder.h, from which both programs make their window icon and
picture. Standard library only; run it from any folder."""
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


# The figure and the scale in the unit square, y downwards; farge and the SVG both draw from these.
HODE = (0.5, 0.22, 0.105)  # centre x, centre y, radius
KROPP = (0.30, 0.37, 0.70, 0.72, 0.12)  # x0, y0, x1, y1, corner radius
SKALA_BOKS = (0.12, 0.80, 0.88, 0.90)  # x0, y0, x1, y1, split into four equal segments


def farge(u, v):
    """Colour at (u, v) in the unit square, y downwards."""
    # Four-segment BMI scale along the bottom.
    sx0, sy0, sx1, sy1 = SKALA_BOKS
    if sx0 <= u <= sx1 and sy0 <= v <= sy1:
        return SKALA[min(3, int((u - sx0) / (sx1 - sx0) * 4))]
    # A figure: head and body.
    hx, hy, hr = HODE
    if (u - hx) ** 2 + (v - hy) ** 2 <= hr ** 2:
        return FIGUR
    if innenfor_avrundet(u, v, *KROPP):
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


def skriv_ico(sti, bilder):
    """An .ico file of icon resource images: ICONDIR (reserved, type 1, count), one 16-byte entry per
    image (width, height, colours, reserved, planes, bits per pixel, bytes, offset), then the images."""
    hode = struct.pack("<HHH", 0, 1, len(bilder))
    plass = len(hode) + 16 * len(bilder)
    data = b""
    for bilde in bilder:
        _, bredde, _, _, biter = struct.unpack_from("<IiiHH", bilde)
        hode += struct.pack("<BBBBHHII", bredde, bredde, 0, 0, 1, biter, len(bilde), plass + len(data))
        data += bilde
    with open(sti, "wb") as f:
        f.write(hode + data)


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


def skriv_svg(sti):
    """The drawing of farge as vector shapes on a 100-unit square: the vertical gradient, the head, the
    rounded body and the four segments of the scale."""
    def tall(x):
        return f"{x * 100:.6g}"

    def rgb(c):
        return "#%02x%02x%02x" % c

    hx, hy, hr = HODE
    kx0, ky0, kx1, ky1, kr = KROPP
    sx0, sy0, sx1, sy1 = SKALA_BOKS
    bit = (sx1 - sx0) / 4
    linjer = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 100 100">',
        '  <defs>',
        '    <linearGradient id="bakgrunn" x1="0" y1="0" x2="0" y2="1">',
        f'      <stop offset="0" stop-color="{rgb(BAKGRUNN_TOPP)}"/>',
        f'      <stop offset="1" stop-color="{rgb(BAKGRUNN_BUNN)}"/>',
        '    </linearGradient>',
        '  </defs>',
        '  <rect width="100" height="100" fill="url(#bakgrunn)"/>',
        f'  <circle cx="{tall(hx)}" cy="{tall(hy)}" r="{tall(hr)}" fill="{rgb(FIGUR)}"/>',
        f'  <rect x="{tall(kx0)}" y="{tall(ky0)}" width="{tall(kx1 - kx0)}" height="{tall(ky1 - ky0)}"'
        f' rx="{tall(kr)}" fill="{rgb(FIGUR)}"/>',
    ]
    for i, c in enumerate(SKALA):
        linjer.append(f'  <rect x="{tall(sx0 + i * bit)}" y="{tall(sy0)}" width="{tall(bit)}"'
                      f' height="{tall(sy1 - sy0)}" fill="{rgb(c)}"/>')
    linjer.append("</svg>")
    with open(sti, "w", encoding="utf-8") as f:
        f.write("\n".join(linjer) + "\n")


def skriv_cpp(sti, tegninger):
    """The same drawings for the programs to build their images from without decoding anything: for each
    size, 0xAARRGGBB words, top row first."""
    with open(sti, "w", encoding="utf-8") as f:
        f.write("// Generated by app/icons/lag-ikoner.py; do not edit.\n#pragma once\n\n#include <array>\n"
                "#include <cstdint>\n\n// Six words a line, as the script writes them.\n// clang-format off\n"
                "namespace kroppstall::bilder {\n")
        for rader in tegninger:
            side = len(rader)
            ord_ = [0xFF000000 | (rad[i] << 16) | (rad[i + 1] << 8) | rad[i + 2]
                    for rad in rader for i in range(0, len(rad), 3)]
            linjer = [", ".join(f"0x{o:08X}u" for o in ord_[i:i + 6]) + "," for i in range(0, len(ord_), 6)]
            f.write(f"\ninline constexpr int Bilde{side}Side = {side};\n")
            f.write(f"inline constexpr std::array<std::uint32_t, {len(ord_)}> Bilde{side}{{{{\n")
            f.write("".join(f"    {linje}\n" for linje in linjer))
            f.write("}};\n")
        f.write("\n} // namespace kroppstall::bilder\n")


if __name__ == "__main__":
    for s in (16, 32, 48):
        skriv_ikonbilde(os.path.join(HER, f"kroppstall-{s}.bin"), tegn(s))
    bilder = []
    for s in (16, 32, 48):
        with open(os.path.join(HER, f"kroppstall-{s}.bin"), "rb") as f:
            bilder.append(f.read())
    skriv_ico(os.path.join(HER, "kroppstall.ico"), bilder)
    # The desktop's icon theme: software centres show 64 and 128 pixels, larger screens more.
    for s in (16, 32, 48, 64, 128, 256):
        skriv_png(os.path.join(HER, f"kroppstall-{s}.png"), tegn(s), alfa=False)
    skriv_svg(os.path.join(HER, "kroppstall.svg"))
    # The small picture beside the menu rule: the same drawing, 32 bits per pixel, every pixel opaque.
    skriv_png(os.path.join(HER, "bilde-16.png"), tegn(16), alfa=True)
    skriv_cpp(os.path.join(HER, "bilder.h"), [tegn(s) for s in (16, 32, 48)])
