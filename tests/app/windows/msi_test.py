#!/usr/bin/python3
"""Checks the Windows installer: its tables as msitools reads them back, the same bytes from the same
inputs, and, under 64-bit Wine in a throwaway prefix (the installer's logic needs no 32-bit code), a
silent install, the same package again, upgrades to later builds, a refused downgrade, and uninstalls
that leave no file, shortcut or registry value behind.

    msi_test.py PACKAGE.msi BUILD_COMMAND...   (how the build runs lag-msi.cmake, "-P lag-msi.cmake" last)
"""
import glob
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

import pefile

sys.dont_write_bytecode = True  # no __pycache__ beside the sources
from ressurser_test import RT_ICON, ressurser  # noqa: E402

PAKKE = LAG = None
WINE, WINESERVER = "/usr/lib/wine/wine64", "/usr/lib/wine/wineserver"
OPPGRADERINGSKODE = "{836155B3-2BF2-45AD-BC89-A58065CD85B4}"
HJEMMESIDE = "https://tindrel.example.org/"
BESKRIVELSE = "Kroppsmasseindeks-kalkulator"
FILER = [os.path.join("Program Files", "Kroppstall", n) for n in ("LESMEG.txt", "kroppstall.exe")]
# An x86 package on 64-bit Windows: the 32-bit program folder and the 32-bit view of the registry.
MAPPE = r"C:\Program Files (x86)\Kroppstall"
AVINSTALLER = [r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall",
               r"HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall"]


def kjor(*kommando, **tillegg):
    return subprocess.run(kommando, check=True, capture_output=True, timeout=120, **tillegg).stdout


def lag(versjon, ut, tid, lesmeg=None):
    """Builds the package of `versjon` into `ut` the way the build does, at SOURCE_DATE_EPOCH `tid`."""
    ekstra = [f"-DVERSJON={versjon}", f"-DUT={ut}"] + ([f"-DLESMEG={lesmeg}"] if lesmeg else [])
    kjor(*LAG[:-2], *ekstra, *LAG[-2:], env=dict(os.environ, SOURCE_DATE_EPOCH=str(tid)))
    return ut


def tabell(msi, navn):
    """The rows of one table, without msiinfo's three header lines."""
    return [tuple(l.split("\t")) for l in kjor("msiinfo", "export", msi, navn).decode().splitlines()[3:]]


def pakket(guid):
    """A GUID as Windows Installer writes it in its registry keys."""
    g = guid.strip("{}").replace("-", "")
    return g[7::-1] + g[11:7:-1] + g[15:11:-1] + "".join(g[i + 1] + g[i] for i in range(16, 32, 2))


class Pakke:
    """A package's properties, icon and files ({path: bytes}, unpacked under `mappe`)."""

    def __init__(self, msi, mappe):
        self.msi = msi
        self.egenskaper = dict(tabell(msi, "Property"))
        self.versjon, self.produktkode = self.egenskaper["ProductVersion"], self.egenskaper["ProductCode"]
        self.ikon = kjor("msiinfo", "extract", msi, "Icon.kroppstall.ico")
        os.makedirs(mappe)
        kjor("msiextract", "-C", mappe, msi)
        self.filer = {os.path.relpath(os.path.join(r, f), mappe): open(os.path.join(r, f), "rb").read()
                      for r, _, filer in os.walk(mappe) for f in filer}


class Tabeller(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.p = Pakke(PAKKE, os.path.join(cls.tmp.name, "p"))
        cls.exe = pefile.PE(data=cls.p.filer[FILER[1]])

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_product_summary_and_programs_and_features_properties(self):
        fast = self.exe.VS_FIXEDFILEINFO[0]
        versjon = f"{fast.FileVersionMS >> 16}.{fast.FileVersionMS & 0xFFFF}.{fast.FileVersionLS >> 16}." \
                  f"{fast.FileVersionLS & 0xFFFF}"
        self.assertEqual(os.path.basename(PAKKE), f"kroppstall-{versjon}-win32.msi")
        kib = -(-sum(len(b) for b in self.p.filer.values()) // 1024)
        sammendrag = dict(l.split(": ", 1) for l in kjor("msiinfo", "suminfo", PAKKE).decode().splitlines())
        # An x86 package, compressed, for Windows Installer 2.0 (Windows XP SP3 has 3.1).
        for navn, verdi, forventet in [
                ("ProductName", self.p.egenskaper.get("ProductName"), "Kroppstall"),
                ("ProductVersion", self.p.versjon, versjon),
                ("Manufacturer", self.p.egenskaper.get("Manufacturer"), "Tindrel"),
                ("UpgradeCode", self.p.egenskaper.get("UpgradeCode"), OPPGRADERINGSKODE),
                ("ALLUSERS", self.p.egenskaper.get("ALLUSERS"), "1"),
                ("ARPPRODUCTICON", self.p.egenskaper.get("ARPPRODUCTICON"), "kroppstall.ico"),
                ("ARPURLINFOABOUT", self.p.egenskaper.get("ARPURLINFOABOUT"), HJEMMESIDE),
                ("ARPSIZE", self.p.egenskaper.get("ARPSIZE"), str(kib)),
                ("Template", sammendrag["Template"], "Intel;1044"),
                ("Source", sammendrag["Source"], "2 (2)"),
                ("installer version 200 or lower", int(sammendrag["Version"].split()[0]) <= 200, True)]:
            with self.subTest(navn):
                self.assertEqual(verdi, forventet)

    def test_the_stripped_program_its_text_and_one_shortcut(self):
        self.assertEqual(sorted(self.p.filer), FILER)
        self.assertEqual(self.exe.FILE_HEADER.NumberOfSymbols, 0)
        # Each file is its component's key, so that the installer knows the component by it.
        self.assertEqual(sorted((f[0], f[1], f[2]) for f in tabell(PAKKE, "File")),
                         [("LESMEG.txt", "Lesmeg", "LESMEG.txt"),
                          ("kroppstall.exe", "Program", "kroppsta.exe|kroppstall.exe")])
        self.assertEqual(sorted((k[0], k[2], k[5]) for k in tabell(PAKKE, "Component")),
                         [("Lesmeg", "INSTALLDIR", "LESMEG.txt"), ("Program", "INSTALLDIR", "kroppstall.exe")])
        self.assertEqual([(s[1], s[2], s[4], s[6], s[8], s[11]) for s in tabell(PAKKE, "Shortcut")],
                         [("ProgramMenuFolder", "kroppsta|Kroppstall", "[#kroppstall.exe]", BESKRIVELSE,
                           "kroppstall.ico", "INSTALLDIR")])

    def test_icon_holds_the_programs_icon_images(self):
        ico = self.p.ikon
        antall = struct.unpack_from("<H", ico, 4)[0]
        oppforinger = (struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i) for i in range(antall))
        bilder = [ico[pos:pos + n] for *_, n, pos in oppforinger]
        self.assertEqual(sorted(bilder), sorted(b for s in ressurser(self.exe)[RT_ICON].values() for b in s.values()))


class Reproduserbar(unittest.TestCase):
    def test_the_same_inputs_give_the_same_bytes_in_any_folder(self):
        with tempfile.TemporaryDirectory() as tmp:
            os.mkdir(os.path.join(tmp, "b"))
            a = lag("1.0.0.5", os.path.join(tmp, "a.msi"), 1700000000)
            b = lag("1.0.0.5", os.path.join(tmp, "b", "kroppstall.msi"), 1700000000)
            with open(a, "rb") as fa, open(b, "rb") as fb:
                self.assertTrue(fa.read() == fb.read(), "the two packages differ")


class Installasjon(unittest.TestCase):
    """One prefix through a package's life; each step checks everything the installer leaves."""

    @classmethod
    def setUpClass(cls):
        cls.rot = tempfile.mkdtemp(prefix="kroppstall-msi-")
        hjem, kjoring = os.path.join(cls.rot, "home"), os.path.join(cls.rot, "run")
        cls.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        cls.env.update(HOME=hjem, XDG_CONFIG_HOME=hjem, XDG_DATA_HOME=hjem, XDG_CACHE_HOME=hjem,
                       XDG_RUNTIME_DIR=kjoring, WINEPREFIX=os.path.join(cls.rot, "prefix"), WINEDEBUG="-all",
                       WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        os.makedirs(kjoring, mode=0o700)
        cls.c = os.path.join(cls.env["WINEPREFIX"], "drive_c")
        # The later builds have another text and another time, so every file of theirs differs.
        lesmeg = os.path.join(cls.rot, "LESMEG.txt")
        with open(lesmeg, "wb") as f:
            f.write(b"Kroppstall\r\nEn senere utgave.\r\n")
        cls.pakker = {"1.0.0.5": Pakke(PAKKE, os.path.join(cls.rot, "1.0.0.5"))}
        for n, versjon in enumerate(("1.0.0.6", "1.1.0.0")):
            msi = lag(versjon, os.path.join(cls.rot, f"kroppstall-{versjon}.msi"), 1700000000 + n, lesmeg)
            cls.pakker[versjon] = Pakke(msi, os.path.join(cls.rot, versjon))
        subprocess.run([WINE, "wineboot", "-i"], env=cls.env, timeout=180, check=True, capture_output=True)
        cls.for_installasjon = cls.filer()

    @classmethod
    def tearDownClass(cls):
        cls.stopp()
        shutil.rmtree(cls.rot, ignore_errors=True)

    @classmethod
    def stopp(cls):
        """Ends this prefix's Wine server, which writes the registry to its files as it ends."""
        for valg in ("-k", "-w"):
            try:
                subprocess.run([WINESERVER, valg], env=cls.env, timeout=60)
            except subprocess.TimeoutExpired:
                pass

    @classmethod
    def filer(cls):
        return {os.path.relpath(os.path.join(r, n), cls.c)
                for r, mapper, filer in os.walk(cls.c) for n in mapper + filer}

    def unix(self, sti):
        return os.path.join(self.c, *sti[3:].split("\\"))

    def register(self, nokkel):
        """{key: {value name: text}} of `reg query KEY /s`; empty where the key is missing."""
        svar = subprocess.run([WINE, "reg", "query", nokkel, "/s"], env=self.env, timeout=60, capture_output=True)
        ut, gjeldende = {}, {}
        for linje in svar.stdout.decode("utf-8", "replace").replace("\r", "").splitlines():
            if linje.startswith("HKEY_"):
                gjeldende = ut.setdefault(linje, {})
            elif linje.startswith("    "):
                felt = linje[4:].split("    ")
                gjeldende[felt[0]] = felt[2] if len(felt) > 2 else ""
        return ut

    def innforinger(self):
        return [v for nokkel in AVINSTALLER for v in self.register(nokkel).values()
                if v.get("DisplayName") == "Kroppstall"]

    def installert(self, p):
        """Exactly `p`'s files and one shortcut to it, one uninstall entry with its details, its icon."""
        nye = {n for n in self.filer() - self.for_installasjon
               if not n.startswith(os.path.join("windows", "Installer"))}
        lenker = [n for n in nye if n.endswith(".lnk")]
        # Wine puts an all-users package's shortcut in the user's Programs folder, Windows in the shared one.
        self.assertEqual(len(lenker), 1, nye)
        self.assertRegex(lenker[0], r"^(ProgramData|users/[^/]+/AppData/Roaming)/Microsoft/Windows/Start Menu/"
                                    r"Programs/Kroppstall\.lnk$")
        mappe = os.path.relpath(self.unix(MAPPE), self.c)
        self.assertEqual(nye - set(lenker), {mappe, *(os.path.join(mappe, os.path.basename(f)) for f in FILER)})
        for fil in FILER:
            with open(os.path.join(self.unix(MAPPE), os.path.basename(fil)), "rb") as f:
                self.assertTrue(f.read() == p.filer[fil], fil)
        with open(os.path.join(self.c, lenker[0]), "rb") as f:
            lenke = f.read()
        ikon = rf"C:\windows\Installer\{p.produktkode}\kroppstall.ico"
        # The target as the link's ANSI local path, the description and the icon among its Unicode strings.
        for tekst in (MAPPE + r"\kroppstall.exe", BESKRIVELSE, ikon):
            self.assertTrue(tekst.encode("cp1252") in lenke or tekst.encode("utf-16-le") in lenke, tekst)
        innforinger = self.innforinger()
        self.assertEqual(len(innforinger), 1, innforinger)
        for navn, verdi in (("DisplayVersion", p.versjon), ("Publisher", "Tindrel"), ("URLInfoAbout", HJEMMESIDE),
                            ("Size", p.egenskaper["ARPSIZE"])):
            self.assertEqual(innforinger[0].get(navn), verdi, navn)
        produkt = self.register(r"HKLM\Software\Classes\Installer\Products" + "\\" + pakket(p.produktkode))
        self.assertEqual([v.get("ProductIcon") for v in produkt.values()][:1], [ikon])
        with open(self.unix(ikon), "rb") as f:
            self.assertEqual(f.read(), p.ikon)

    def borte(self):
        """No file, folder, shortcut or registry value of any of the packages is left."""
        self.assertEqual(self.innforinger(), [])
        # Only Windows Installer's own (empty) cache folder may stay.
        igjen = self.filer() - self.for_installasjon
        self.assertLessEqual(igjen, {os.path.join("windows", "Installer")}, igjen)
        self.stopp()
        spor = ["kroppstall", OPPGRADERINGSKODE.strip("{}"), pakket(OPPGRADERINGSKODE)]
        spor += [k for p in self.pakker.values() for k in (p.produktkode.strip("{}"), pakket(p.produktkode))]
        for fil in glob.glob(os.path.join(self.env["WINEPREFIX"], "*.reg")):
            with open(fil, encoding="utf-8", errors="replace") as f:
                tekst = f.read().lower()
            self.assertEqual([s for s in spor if s.lower() in tekst], [], os.path.basename(fil))

    def test_install_again_upgrade_refuse_a_downgrade_and_uninstall(self):
        ny, senere, nyest = (self.pakker[v] for v in ("1.0.0.5", "1.0.0.6", "1.1.0.0"))
        # (step, msiexec's arguments, its exit code, the package installed after it)
        for steg, argumenter, kode, etter in (
                ("install", ["/i", ny.msi], 0, ny),
                ("the same package again", ["/i", ny.msi], 0, ny),
                ("uninstall", ["/x", ny.msi], 0, None),
                ("install once more", ["/i", ny.msi], 0, ny),
                ("a later build, the fourth field only", ["/i", senere.msi], 0, senere),
                ("a later version", ["/i", nyest.msi], 0, nyest),
                ("an older version", ["/i", ny.msi], 1603, nyest),
                ("uninstall the last", ["/x", nyest.msi], 0, None)):
            with self.subTest(steg=steg):
                svar = subprocess.run([WINE, "msiexec", *argumenter, "/qn"], env=self.env, timeout=180,
                                      capture_output=True)
                # A Unix exit status keeps the low byte of msiexec's code.
                self.assertEqual(svar.returncode, kode % 256)
                if etter is None:
                    self.borte()
                else:
                    self.installert(etter)


if __name__ == "__main__":
    if len(sys.argv) < 4 or sys.argv[-2] != "-P":
        sys.exit(__doc__)
    PAKKE, LAG = sys.argv[1], sys.argv[2:]
    unittest.main(argv=sys.argv[:1], verbosity=2)
