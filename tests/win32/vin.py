"""A throwaway Wine prefix on a private Xvfb display, for driving the Windows program from outside.

Everything started here is ended here: the Xvfb this module started and the wineserver of its own
prefix, nothing else. Every wait is bounded."""
import os
import shutil
import struct
import subprocess
import tempfile
import time

WINE = "/usr/lib/wine/wine64"
WINE32 = "/usr/lib/wine/wine"
WINESERVER = "/usr/lib/wine/wineserver64"
LOKALE = "nb_NO.UTF-8"
WINE_KJOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "wine-kjor")


def maskin(exe):
    """The PE machine field: 0x14c for i686, 0x8664 for x86_64."""
    with open(exe, "rb") as f:
        data = f.read(4096)
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<H", data, pe + 4)[0]


def vent(hva, frist, steg=0.1):
    """Polls `hva` until it returns something true or `frist` seconds have passed."""
    slutt = time.monotonic() + frist
    while True:
        svar = hva()
        if svar or time.monotonic() > slutt:
            return svar
        time.sleep(steg)


class Miljo:
    def __init__(self, bredde=1024, hoyde=768):
        self.rot = tempfile.mkdtemp(prefix="kroppstall-wine-")
        self.xvfb = None
        self.env = dict(os.environ)
        # The same folders and Wine settings as the test launcher uses for a prefix it makes in `rot`.
        hjem = os.path.join(self.rot, "home")
        self.env.update({
            "HOME": hjem,
            "XDG_CONFIG_HOME": os.path.join(hjem, ".config"),
            "XDG_DATA_HOME": os.path.join(hjem, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(hjem, ".cache"),
            "XDG_STATE_HOME": os.path.join(hjem, ".local", "state"),
            "XDG_RUNTIME_DIR": os.path.join(self.rot, "run"),
            "WINEPREFIX": os.path.join(self.rot, "prefix"),
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
            "LC_ALL": LOKALE,
        })
        self._lokale()
        self._skjerm(bredde, hoyde)

    def _lokale(self):
        """Without a Norwegian locale Wine shows "24.7"; build one in the throwaway folder if the
        system has none installed (localedef needs no root with LOCPATH)."""
        finnes = subprocess.run(["locale", "-a"], capture_output=True, text=True, timeout=10).stdout
        if LOKALE.lower().replace("-", "") in finnes.lower().replace("-", ""):
            return
        mappe = os.path.join(self.rot, "lokaler")
        os.makedirs(mappe)
        subprocess.run(["localedef", "-i", "nb_NO", "-f", "UTF-8", os.path.join(mappe, LOKALE)],
                       check=True, timeout=60, capture_output=True)
        self.env["LOCPATH"] = mappe

    def _skjerm(self, bredde, hoyde):
        les, skriv = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(skriv), "-screen", "0", f"{bredde}x{hoyde}x24", "-nolisten", "tcp"],
            pass_fds=(skriv,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(skriv)
        tall = b""
        slutt = time.monotonic() + 20
        while not tall.endswith(b"\n") and time.monotonic() < slutt:
            del_ = os.read(les, 16)
            if not del_:
                break
            tall += del_
        os.close(les)
        if not tall.strip():
            raise RuntimeError("Xvfb startet ikke")
        self.env["DISPLAY"] = ":" + tall.decode().strip()

    def klargjor(self):
        # The test launcher boots the prefix and puts the window's fonts in it.
        subprocess.run([WINE_KJOR, "--prefix", self.rot, "--start-bare"], env=self.env, timeout=180,
                       check=True, stdout=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=60)
        # No program in this prefix takes mailto: URLs.
        subprocess.run([WINE, "reg", "delete", r"HKEY_CLASSES_ROOT\mailto", "/f"], env=self.env,
                       timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def start(self, exe, *argumenter, wine=WINE):
        return subprocess.Popen([wine, exe, *argumenter], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def kjor(self, exe, *argumenter, wine=WINE, frist=30):
        r = subprocess.run([wine, exe, *argumenter], env=self.env, capture_output=True, timeout=frist)
        return r.returncode, r.stdout.decode("utf-8", "replace").replace("\r\n", "\n")

    def xdotool(self, *argumenter):
        subprocess.run(["xdotool", *argumenter], env=self.env, timeout=20, check=True)

    def skjermbilde(self, sti):
        subprocess.run(["import", "-window", "root", sti], env=self.env, timeout=30, check=True)

    def rydd(self):
        try:
            subprocess.run([WINESERVER, "-k"], env=self.env, timeout=30)
        except (subprocess.TimeoutExpired, OSError):
            pass
        if self.xvfb is not None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
        shutil.rmtree(self.rot, ignore_errors=True)
