#!/usr/bin/python3
"""Checks the ZIP that ships the Windows program: named after the program's own version, a folder with
the stripped kroppstall.exe and a short text, and an exe that still passes the resource checks.

    zip_test.py PACKAGE_FOLDER RESOURCE_TEST ICON_FOLDER
"""
import glob
import os
import subprocess
import sys
import tempfile
import unittest
import zipfile

import pefile

MAPPE = RESSURSTEST = IKONER = None


def versjoner(pe):
    """(fixed version "a.b.c.d", FileVersion text) of an exe."""
    fast = pe.VS_FIXEDFILEINFO[0]
    tall = (fast.FileVersionMS >> 16, fast.FileVersionMS & 0xFFFF, fast.FileVersionLS >> 16,
            fast.FileVersionLS & 0xFFFF)
    for info in pe.FileInfo[0]:
        for tabell in getattr(info, "StringTable", []):
            return ".".join(map(str, tall)), tabell.entries[b"FileVersion"].decode()
    raise AssertionError("no string table")


class Zip(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        pakker = glob.glob(os.path.join(MAPPE, "*.zip"))
        assert len(pakker) == 1, pakker
        cls.sti = pakker[0]
        cls.tmp = tempfile.TemporaryDirectory()
        with zipfile.ZipFile(cls.sti) as z:
            cls.navn = [n for n in z.namelist() if not n.endswith("/")]
            z.extractall(cls.tmp.name)
        cls.rot = os.path.splitext(os.path.basename(cls.sti))[0]
        cls.exe = os.path.join(cls.tmp.name, cls.rot, "kroppstall.exe")

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_holds_one_folder_with_the_program_and_its_text(self):
        self.assertEqual(sorted(self.navn), sorted([f"{self.rot}/kroppstall.exe", f"{self.rot}/LESMEG.txt"]))

    def test_is_named_after_the_programs_version(self):
        fast, _ = versjoner(pefile.PE(self.exe))
        self.assertEqual(os.path.basename(self.sti), f"kroppstall-{fast}-win32.zip")

    def test_program_is_stripped(self):
        with open(self.exe, "rb") as f:
            data = f.read()
        pe = pefile.PE(data=data)
        self.assertEqual(pe.FILE_HEADER.NumberOfSymbols, 0)
        # Names longer than eight bytes ("/4") live in the string table after the (empty) symbol table.
        strenger = pe.FILE_HEADER.PointerToSymbolTable
        seksjoner = []
        for s in pe.sections:
            navn = s.Name.rstrip(b"\x00")
            if navn.startswith(b"/"):
                start = strenger + int(navn[1:])
                navn = data[start:data.index(b"\x00", start)]
            seksjoner.append(navn.decode())
        self.assertIn(".text", seksjoner)
        self.assertEqual([s for s in seksjoner if s.startswith(".debug")], [])

    def test_program_keeps_its_resources(self):
        kjoring = subprocess.run([sys.executable, RESSURSTEST, self.exe, IKONER], capture_output=True, text=True,
                                 timeout=60)
        self.assertEqual(kjoring.returncode, 0, kjoring.stderr[-3000:])

    def test_text_is_windows_text_naming_program_and_version(self):
        with open(os.path.join(self.tmp.name, self.rot, "LESMEG.txt"), "rb") as f:
            data = f.read()
        tekst = data.decode("utf-8")
        self.assertNotIn("\n", tekst.replace("\r\n", ""), "CRLF line ends only")
        _, tekstversjon = versjoner(pefile.PE(self.exe))
        self.assertIn(f"Kroppstall {tekstversjon}", tekst)
        self.assertIn("kroppstall.exe", tekst)
        # The floor the program is built for: the functions it imports and its SSE2 arithmetic.
        for krav in ("Windows XP SP3", "SSE2"):
            self.assertIn(krav, tekst)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    MAPPE, RESSURSTEST, IKONER = sys.argv[1:]
    unittest.main(argv=sys.argv[:1], verbosity=2)
