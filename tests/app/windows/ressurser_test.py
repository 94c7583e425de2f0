#!/usr/bin/python3
"""Checks the shipped Windows program as a file: a 32-bit GUI executable that needs no DLL of its own,
imports only functions that Windows XP SP3 has (xp_funksjoner.txt), binds comctl32 and Shell32 by name
at run time, and carries the icon group, version information and manifest that the shell and the
side-by-side loader read.

    ressurser_test.py PROGRAM.exe ICON_FOLDER   (ICON_FOLDER holds the Linux icons kroppstall-N.png)
"""
import os
import re
import struct
import sys
import unittest
import xml.etree.ElementTree as ET
import zlib

import pefile

PROGRAM = None
IKONER = None

# What Windows XP SP3 exports, with the source of each entry.
XP_FUNKSJONER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "xp_funksjoner.txt")
KILDER = {"ros-k32", "ros-u32", "ros-gdi", "ros-crt", "ms-xp"}

LANG_NEUTRAL = 0
EN_US = 1033
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

# (resource id, side in pixels, bytes): 40-byte header, 24-bit rows, 1-bit AND mask, rows in 4 bytes.
IKONBILDER = [(30001, 16, 872), (30002, 32, 3240), (30003, 48, 7336)]


def ressurser(pe):
    """{type: {id: {language id: bytes}}} of the resource section."""
    ut = {}
    for type_ in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for navn in type_.directory.entries:
            for sprak in navn.directory.entries:
                data = pe.get_data(sprak.data.struct.OffsetToData, sprak.data.struct.Size)
                ut.setdefault(type_.id, {}).setdefault(navn.id, {})[sprak.id] = data
    return ut


def xp_funksjoner():
    """{dll: {function}} of xp_funksjoner.txt; every entry must name a known source."""
    ut = {}
    with open(XP_FUNKSJONER, encoding="utf-8") as f:
        for nummer, linje in enumerate(f, 1):
            felt = linje.split("#", 1)[0].split()
            if not felt:
                continue
            assert len(felt) >= 3 and set(felt[2:]) <= KILDER, f"{XP_FUNKSJONER}:{nummer}: {linje.strip()}"
            ut.setdefault(felt[0].lower(), set()).add(felt[1])
    return ut


def importerte_funksjoner(pe):
    """(dll, function) of every import, load-time and delayed; by ordinal as "#n"."""
    ut = []
    for tabell in ("DIRECTORY_ENTRY_IMPORT", "DIRECTORY_ENTRY_DELAY_IMPORT"):
        for bibliotek in getattr(pe, tabell, []):
            for f in bibliotek.imports:
                ut.append((bibliotek.dll.decode().lower(), f.name.decode() if f.name else f"#{f.ordinal}"))
    return ut


def les_png_rgb(sti):
    """Rows of RGB bytes of an 8-bit RGB or RGBA PNG without interlacing."""
    with open(sti, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", sti
    pos, idat = 8, b""
    while pos < len(data):
        lengde, type_ = struct.unpack(">I4s", data[pos:pos + 8])
        innhold = data[pos + 8:pos + 8 + lengde]
        if type_ == b"IHDR":
            bredde, hoyde, dybde, fargetype, _, _, interlace = struct.unpack(">IIBBBBB", innhold)
            assert dybde == 8 and fargetype in (2, 6) and interlace == 0, sti
        elif type_ == b"IDAT":
            idat += innhold
        pos += 12 + lengde
    kanaler = 3 if fargetype == 2 else 4
    raa = zlib.decompress(idat)
    stride = bredde * kanaler
    rader, forrige = [], bytearray(stride)
    for y in range(hoyde):
        filter_ = raa[y * (stride + 1)]
        rad = bytearray(raa[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = rad[i - kanaler] if i >= kanaler else 0
            b = forrige[i]
            c = forrige[i - kanaler] if i >= kanaler else 0
            if filter_ == 1:
                rad[i] = (rad[i] + a) & 0xFF
            elif filter_ == 2:
                rad[i] = (rad[i] + b) & 0xFF
            elif filter_ == 3:
                rad[i] = (rad[i] + (a + b) // 2) & 0xFF
            elif filter_ == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                rad[i] = (rad[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        forrige = rad
        rader.append(b"".join(bytes(rad[x:x + 3]) for x in range(0, stride, kanaler)))
    return rader


def versjonsblokk(data, pos=0):
    """One node of VS_VERSIONINFO: (key, value bytes, wValueLength, wType, children)."""
    lengde, verdilengde, type_ = struct.unpack_from("<HHH", data, pos)
    slutt = pos + lengde
    nokkel_slutt = pos + 6
    while data[nokkel_slutt:nokkel_slutt + 2] != b"\x00\x00":
        nokkel_slutt += 2
    nokkel = data[pos + 6:nokkel_slutt].decode("utf-16-le")
    verdi_start = (nokkel_slutt + 2 + 3) & ~3
    verdi_bytes = verdilengde * 2 if type_ == 1 else verdilengde
    verdi = data[verdi_start:verdi_start + verdi_bytes]
    barn, p = [], (verdi_start + verdi_bytes + 3) & ~3
    while p < slutt:
        node = versjonsblokk(data, p)
        barn.append(node[:5])
        p = (p + node[5] + 3) & ~3
    return nokkel, verdi, verdilengde, type_, barn, lengde


class Program(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(PROGRAM)
        with open(PROGRAM, "rb") as f:
            cls.bytes = f.read()

    def test_is_a_32_bit_x86_gui_program_for_subsystem_4_0(self):
        pe = self.pe
        self.assertEqual(pe.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"])
        self.assertEqual(pe.OPTIONAL_HEADER.Magic, pefile.OPTIONAL_HEADER_MAGIC_PE)
        self.assertEqual(pe.OPTIONAL_HEADER.Subsystem, pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])
        self.assertEqual((pe.OPTIONAL_HEADER.MajorSubsystemVersion, pe.OPTIONAL_HEADER.MinorSubsystemVersion),
                         (4, 0))

    def test_imports_name_no_runtime_dll_and_neither_late_bound_library(self):
        pe = self.pe
        bibliotek = [i.dll.decode().lower() for i in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
        bibliotek += [i.dll.decode().lower() for i in getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])]
        self.assertIn("kernel32.dll", bibliotek)
        for forbudt in ("comctl32.dll", "shell32.dll"):
            self.assertNotIn(forbudt, bibliotek)
        for navn in bibliotek:
            self.assertFalse(re.match(r"lib(gcc|stdc\+\+|winpthread)", navn), navn)

    def test_imports_only_functions_that_windows_xp_has(self):
        # The loader refuses the whole program over one missing function, so each is checked by name.
        kjente = xp_funksjoner()
        importert = importerte_funksjoner(self.pe)
        self.assertGreater(len(importert), 50, "the import table was read")
        mangler = [f"{dll} {navn}" for dll, navn in importert if navn not in kjente.get(dll, set())]
        for m in mangler:
            print(f"not on Windows XP SP3 (xp_funksjoner.txt): {m}", file=sys.stderr)
        self.assertEqual(mangler, [])

    def test_late_bound_functions_are_named_in_the_program(self):
        # GetProcAddress takes the function's name in ANSI; the library name may be either width.
        for bibliotek, funksjon in (("comctl32.dll", "InitCommonControls"), ("shell32.dll", "ShellExecuteW"),
                                    ("kernel32.dll", "GetLocaleInfoEx")):
            with self.subTest(funksjon=funksjon):
                self.assertTrue(funksjon.encode() + b"\x00" in self.bytes, f"{funksjon} is not named")
                smaa = self.bytes.lower()
                self.assertTrue(bibliotek.encode() in smaa or bibliotek.encode("utf-16-le") in smaa,
                                f"{bibliotek} is not named")


class Resources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.r = ressurser(pefile.PE(PROGRAM))

    def test_holds_only_icons_version_and_manifest(self):
        self.assertEqual(sorted(self.r), [RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST])
        self.assertEqual(list(self.r[RT_GROUP_ICON]), [1])
        self.assertEqual(sorted(self.r[RT_ICON]), [i for i, _, _ in IKONBILDER])
        self.assertEqual(list(self.r[RT_VERSION]), [1])
        self.assertEqual(list(self.r[RT_MANIFEST]), [1])

    def test_icon_group_1_is_language_neutral_and_lists_the_three_images(self):
        self.assertEqual(list(self.r[RT_GROUP_ICON][1]), [LANG_NEUTRAL])
        gruppe = self.r[RT_GROUP_ICON][1][LANG_NEUTRAL]
        self.assertEqual(struct.unpack_from("<HHH", gruppe), (0, 1, 3))
        self.assertEqual(len(gruppe), 6 + 3 * 14)
        for n, (ident, side, storrelse) in enumerate(IKONBILDER):
            with self.subTest(bilde=ident):
                oppforing = struct.unpack_from("<BBBBHHIH", gruppe, 6 + 14 * n)
                self.assertEqual(oppforing, (side, side, 0, 0, 1, 24, storrelse, ident))

    def test_icon_images_are_uncompressed_24_bit_with_and_masks(self):
        for ident, side, storrelse in IKONBILDER:
            with self.subTest(bilde=ident):
                self.assertEqual(list(self.r[RT_ICON][ident]), [LANG_NEUTRAL])
                bilde = self.r[RT_ICON][ident][LANG_NEUTRAL]
                self.assertEqual(len(bilde), storrelse)
                hode = struct.unpack_from("<IiiHHIIiiII", bilde)
                self.assertEqual(hode[:6], (40, side, 2 * side, 1, 24, 0))
                self.assertIn(hode[6], (0, storrelse - 40))
                self.assertEqual(hode[9:], (0, 0))

    def test_icon_images_are_the_linux_icons(self):
        for ident, side, _ in IKONBILDER:
            with self.subTest(bilde=ident):
                bilde = self.r[RT_ICON][ident][LANG_NEUTRAL]
                rad_bytes = (side * 3 + 3) // 4 * 4
                maske_bytes = (side + 31) // 32 * 4
                png = les_png_rgb(f"{IKONER}/kroppstall-{side}.png")
                for y in range(side):
                    # Bottom-up rows, blue-green-red.
                    start = 40 + (side - 1 - y) * rad_bytes
                    bgr = bilde[start:start + side * 3]
                    rgb = b"".join(bytes((bgr[i + 2], bgr[i + 1], bgr[i])) for i in range(0, len(bgr), 3))
                    self.assertEqual(rgb, png[y], f"row {y}")
                maske = bilde[40 + side * rad_bytes:]
                self.assertEqual(len(maske), side * maske_bytes)
                self.assertEqual(maske, bytes(len(maske)), "every pixel opaque")


class VersionInformation(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        r = ressurser(pefile.PE(PROGRAM))
        cls.sprak = list(r[RT_VERSION][1])
        cls.rot = versjonsblokk(r[RT_VERSION][1][cls.sprak[0]])

    def test_is_version_1_in_us_english(self):
        self.assertEqual(self.sprak, [EN_US])
        self.assertEqual(self.rot[0], "VS_VERSION_INFO")

    def test_fixed_part(self):
        felt = struct.unpack("<13I", self.rot[1])
        navn = ("signature", "struct version", "file MS", "file LS", "product MS", "product LS", "flags mask",
                "flags", "OS", "type", "subtype", "date MS", "date LS")
        forventet = (0xFEEF04BD, 0x10000, 0x10000, 0x5, 0x10000, 0x5, 0, 0, 4, 1, 0, 0, 0)
        for n, f, v in zip(navn, felt, forventet):
            with self.subTest(felt=n):
                self.assertEqual(f, v)

    def test_one_string_table_with_the_eight_keys_in_order(self):
        self.assertEqual([b[0] for b in self.rot[4]], ["StringFileInfo", "VarFileInfo"])
        tabeller = self.rot[4][0][4]
        self.assertEqual([t[0] for t in tabeller], ["040904B0"])
        verdier = []
        for nokkel, verdi, verdilengde, type_, _ in tabeller[0][4]:
            with self.subTest(nokkel=nokkel):
                self.assertEqual(type_, 1, "text value")
                tekst = verdi.decode("utf-16-le")
                self.assertTrue(tekst.endswith("\x00"), "terminated, and counted with its terminator")
                self.assertEqual(verdilengde, len(tekst))
                verdier.append((nokkel, tekst[:-1]))
        self.assertEqual([n for n, _ in verdier],
                         ["CompanyName", "FileDescription", "LegalCopyright", "ProductName", "FileVersion",
                          "ProductVersion", "InternalName", "OriginalFilename"])
        tekst = dict(verdier)
        for nokkel, forventet in (("CompanyName", "Tindrel"), ("FileDescription", "Kroppstall"),
                                  ("ProductName", "Kroppstall"), ("FileVersion", "1.00.0005"),
                                  ("ProductVersion", "1.00.0005"), ("InternalName", "kroppstall"),
                                  ("OriginalFilename", "kroppstall.exe")):
            with self.subTest(nokkel=nokkel):
                self.assertEqual(tekst[nokkel], forventet)
        # A span of years and the holder; the sign must be one character, not its UTF-8 bytes.
        self.assertRegex(tekst["LegalCopyright"], r"^Copyright \u00a9 \d{4}-\d{4} Tindrel$")

    def test_translation_is_us_english_unicode(self):
        var = self.rot[4][1][4]
        self.assertEqual([(v[0], v[3]) for v in var], [("Translation", 0)])
        self.assertEqual(struct.unpack("<HH", var[0][1]), (0x0409, 1200))


class Manifest(unittest.TestCase):
    NS = "{urn:schemas-microsoft-com:asm.v1}"

    @classmethod
    def setUpClass(cls):
        r = ressurser(pefile.PE(PROGRAM))
        cls.sprak = list(r[RT_MANIFEST][1])
        cls.data = r[RT_MANIFEST][1][cls.sprak[0]]
        cls.rot = ET.fromstring(cls.data)

    def test_is_manifest_1_in_us_english(self):
        self.assertEqual(self.sprak, [EN_US])

    def test_is_a_standalone_utf8_assembly_document(self):
        erklaering = self.data.split(b"?>", 1)[0]
        self.assertRegex(erklaering, rb'^<\?xml version="1.0" encoding="UTF-8" standalone="yes"$')
        self.assertEqual(self.rot.tag, self.NS + "assembly")
        self.assertEqual(self.rot.attrib, {"manifestVersion": "1.0"})

    def test_declares_its_identity_a_description_and_one_dependency_only(self):
        # No execution level, DPI awareness or supported-OS list: nothing but these elements.
        self.assertEqual([e.tag for e in self.rot.iter()],
                         [self.NS + t for t in ("assembly", "assemblyIdentity", "description", "dependency",
                                                "dependentAssembly", "assemblyIdentity")])
        eget = self.rot.find(self.NS + "assemblyIdentity")
        self.assertEqual(set(eget.attrib), {"version", "processorArchitecture", "type", "name"})
        self.assertEqual((eget.get("version"), eget.get("processorArchitecture"), eget.get("type")),
                         ("1.0.0.0", "X86", "win32"))
        self.assertTrue(eget.get("name").strip())
        self.assertTrue(self.rot.find(self.NS + "description").text.strip())

    def test_depends_on_common_controls_6(self):
        avhengig = self.rot.find(f"{self.NS}dependency/{self.NS}dependentAssembly/{self.NS}assemblyIdentity")
        self.assertEqual(avhengig.attrib, {
            "type": "win32",
            "name": "Microsoft.Windows.Common-Controls",
            "version": "6.0.0.0",
            "processorArchitecture": "X86",
            "publicKeyToken": "6595b64144ccf1df",
            "language": "*",
        })


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    PROGRAM, IKONER = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
