#!/usr/bin/python3
"""Drives kroppstall.exe under Wine on a private Xvfb as a user would: real keys and mouse clicks
through the X server, the window's state read back from outside by kroppstall_les.exe.

Usage: ende_til_ende.py kroppstall.exe kroppstall_les.exe [--skjermbilde FIL]
Exit code 77 (skipped) when the exe is 32-bit and this machine cannot run 32-bit code."""
import argparse
import os
import sys
import subprocess  # noqa: F401
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vin  # noqa: E402

HOPP_OVER = 77

BMI_TABELL = ["Under 18,5 = Undervekt", "18,5 - 24,9 = Normalvekt", "25 - 29,9 = Overvekt",
              "30 - 39,9 = Kraftig overvekt", "Over 40 = Sykelig overvekt", "BMI grenseverdier"]
KG_180 = ["Under 59,9 = Undervekt", "59,9 - 80,6 = Normalvekt", "80,6 - 96,8 = Overvekt",
          "96,8 - 129,2 = Kraftig overvekt", "Over 129,2 = Sykelig overvekt", "Kg. grenseverdier"]
EPOSTFEIL = "Det oppstod en feil ved åpning av epost programmet."


class Tilstand:
    """One reading of the window: controls by name, menu items by position, message boxes."""

    def __init__(self, tekst):
        self.vindu = {}
        self.k = {}
        self.meny = {}
        self.bokser = []
        self.skrifter = []
        for linje in tekst.splitlines():
            hode, *deler = linje.split("\t")
            felt = dict(d.partition("=")[::2] for d in deler if "=" in d)
            if hode == "boks":
                self.bokser.append(felt)
            elif hode == "vindu":
                self.vindu = felt
            elif hode == "skrift":
                self.skrifter.append(felt)
            elif hode == "meny":
                self.meny[deler[0]] = felt
            else:
                self.k[hode] = felt

    def tekst(self, navn):
        return self.k[navn]["tekst"]

    def aktiv(self, navn):
        return self.k[navn]["enabled"] == "1"

    def valgt(self, navn):
        return self.k[navn]["check"] == "1"

    def fokus(self):
        return next((n for n, f in self.k.items() if f.get("fokus") == "1"), None)

    def grenser(self):
        return [self.tekst(f"Label2({i})") for i in range(6)]


class Okt:
    def __init__(self, miljo, exe, les, wine):
        self.m, self.exe, self.les, self.wine = miljo, exe, les, wine
        self.feil = []
        self.prosess = None

    def sjekk(self, ok, hva):
        print(("ok   " if ok else "FEIL ") + hva, flush=True)
        if not ok:
            self.feil.append(hva)

    def lesing(self):
        kode, ut = self.m.kjor(self.les, wine=self.wine)
        return Tilstand(ut) if kode == 0 else None

    def til(self, vilkar, frist=10):
        """The first reading that satisfies `vilkar`, or the last one after `frist` seconds."""
        siste = [None]

        def prov():
            t = self.lesing()
            siste[0] = t
            return t is not None and vilkar(t)

        vin.vent(prov, frist, 0.2)
        return siste[0]

    def klikk(self, t, navn):
        """A real mouse click in the middle of a control."""
        x0, y0 = (int(v) for v in t.vindu["ved"].split(","))
        x, y, b, h = (int(v) for v in t.k[navn]["rekt"].split(","))
        self.m.xdotool("mousemove", str(x0 + x + b // 2), str(y0 + y + h // 2), "click", "1")

    def skriv(self, tekst):
        self.m.xdotool("type", "--delay", "40", tekst)

    def tast(self, *taster):
        self.m.xdotool("key", "--delay", "60", *taster)

    def fyll(self, t, navn, tekst):
        self.klikk(t, navn)
        self.tast("End", *["BackSpace"] * 5)
        if tekst:
            self.skriv(tekst)
        return self.til(lambda s: s.tekst(navn) == tekst)


def kjor(okt, skjermbilde):
    okt.prosess = okt.m.start(okt.exe, "--ignorert", "argument", wine=okt.wine)
    t = okt.til(lambda s: s.fokus() is not None, frist=40)
    okt.sjekk(t is not None, "the window shows up")
    if t is None:
        return

    # Start state
    okt.sjekk(t.vindu["tittel"] == "Kroppstall", "caption is Kroppstall")
    okt.sjekk(t.vindu["klient"] == "210x345", f"client area is 210x345 ({t.vindu['klient']})")
    okt.sjekk(t.fokus() == "txtHoyde(0)", f"focus starts in txtHoyde ({t.fokus()})")
    for navn in ("cmdRegn(0)", "Option1(0)", "Option1(1)", "txtBmi(0)", "txtVurdering(0)"):
        okt.sjekk(not t.aktiv(navn), f"{navn} is disabled at start")
    okt.sjekk(t.valgt("Option1(0)") and not t.valgt("Option1(1)"), "BMI is selected at start")
    okt.sjekk(t.grenser() == BMI_TABELL, "the limit box shows the BMI table")
    for boks, etikett in (("txtHoyde", "Høyde i cm:"), ("txtVekt", "Vekt i kg:"), ("txtBmi", "BMI:"),
                          ("txtVurdering", "Vurdering:")):
        okt.sjekk(t.k[boks + "(0)"]["forrige"] == etikett, f"{boks} lies right after its label {etikett!r}")
    navn = {n: t.k[n]["navn"] for n in ("txtHoyde(0)", "txtVekt(0)", "txtBmi(0)", "txtVurdering(0)",
                                        "cmdRegn(0)", "Option1(0)", "Option1(1)")}
    print(f"     accessible names (oleacc): {navn}")
    # Wine keeps menus inside their process, so the menus are checked by using them below.
    fater = {f["ønsket"]: f["fått"] for f in t.skrifter}
    print(f"     faces Wine gives: {fater}")
    okt.sjekk(fater.get("Tahoma") == "Tahoma", "Tahoma is installed in the prefix")

    # Tab with both boxes empty moves between the two input boxes only
    okt.tast("Tab")
    t = okt.til(lambda s: s.fokus() == "txtVekt(0)")
    okt.sjekk(t.fokus() == "txtVekt(0)", "Tab moves to txtVekt")
    okt.tast("Tab")
    t = okt.til(lambda s: s.fokus() == "txtHoyde(0)")
    okt.sjekk(t.fokus() == "txtHoyde(0)", "Tab again comes back to txtHoyde")

    # Max lengths, by typing
    okt.skriv("1234")
    t = okt.til(lambda s: s.tekst("txtHoyde(0)") == "123")
    okt.sjekk(t.tekst("txtHoyde(0)") == "123", f"txtHoyde takes 3 characters ({t.tekst('txtHoyde(0)')!r})")
    okt.tast("Tab")
    okt.skriv("12345")
    t = okt.til(lambda s: s.tekst("txtVekt(0)") == "1234")
    okt.sjekk(t.tekst("txtVekt(0)") == "1234", f"txtVekt takes 4 characters ({t.tekst('txtVekt(0)')!r})")

    # Validity boundaries
    def aktive(s):
        return [s.aktiv(n) for n in ("cmdRegn(0)", "Option1(0)", "Option1(1)")]

    t = okt.fyll(t, "txtHoyde(0)", "180")
    for vekt, gyldig in (("10", False), ("10,5", True), ("500", False), ("499", True)):
        t = okt.fyll(t, "txtVekt(0)", vekt)
        t = okt.til(lambda s, g=gyldig: aktive(s) == [g] * 3, frist=5)
        okt.sjekk(aktive(t) == [gyldig] * 3, f"height 180, weight {vekt}: {'enabled' if gyldig else 'disabled'}")
    t = okt.fyll(t, "txtVekt(0)", "80")
    for hoyde, gyldig in (("10", False), ("11", True), ("299", True), ("300", False)):
        t = okt.fyll(t, "txtHoyde(0)", hoyde)
        t = okt.til(lambda s, g=gyldig: aktive(s) == [g] * 3, frist=5)
        okt.sjekk(aktive(t) == [gyldig] * 3, f"weight 80, height {hoyde}: {'enabled' if gyldig else 'disabled'}")

    # 180 / 80, Enter presses Calculate
    t = okt.fyll(t, "txtHoyde(0)", "180")
    okt.tast("Return")
    t = okt.til(lambda s: s.tekst("txtBmi(0)") == "24,7")
    okt.sjekk((t.tekst("txtBmi(0)"), t.tekst("txtVurdering(0)")) == ("24,7", "Normalvekt"),
              f"180/80 and Enter: 24,7 Normalvekt ({t.tekst('txtBmi(0)')!r} {t.tekst('txtVurdering(0)')!r})")

    # Kg. by mouse: the 180 cm table
    okt.klikk(t, "Option1(1)")
    t = okt.til(lambda s: s.grenser() == KG_180)
    okt.sjekk(t.valgt("Option1(1)") and not t.valgt("Option1(0)"), "Kg. is selected after the click")
    okt.sjekk(t.grenser() == KG_180, f"Kg. shows the 180 cm table ({t.grenser()})")
    okt.sjekk(t.tekst("txtBmi(0)") == "24,7", "the BMI stays 24,7")
    if skjermbilde:
        time.sleep(0.5)
        okt.m.skjermbilde(skjermbilde)

    # Arrow keys within the option pair select and recalculate
    okt.tast("Left")
    t = okt.til(lambda s: s.grenser() == BMI_TABELL)
    okt.sjekk(t.valgt("Option1(0)") and t.grenser() == BMI_TABELL, "Left arrow selects BMI and its table")
    okt.tast("Right")
    t = okt.til(lambda s: s.grenser() == KG_180)
    okt.sjekk(t.valgt("Option1(1)") and t.grenser() == KG_180, "Right arrow selects Kg. and its table")

    # Mouse click on Calculate
    t = okt.fyll(t, "txtVekt(0)", "70")
    okt.klikk(t, "cmdRegn(0)")
    t = okt.til(lambda s: s.tekst("txtBmi(0)") == "21,6")
    okt.sjekk(t.tekst("txtBmi(0)") == "21,6", f"clicking Calculate with 180/70 gives 21,6 ({t.tekst('txtBmi(0)')!r})")

    # Results stay when the input turns invalid
    okt.klikk(t, "txtHoyde(0)")
    okt.tast("End", "BackSpace", "BackSpace")
    t = okt.til(lambda s: not s.aktiv("cmdRegn(0)"))
    okt.sjekk(aktive(t) == [False] * 3, "height 1 disables Calculate and the options")
    okt.sjekk((t.tekst("txtBmi(0)"), t.tekst("txtVurdering(0)"), t.grenser()) == ("21,6", "Normalvekt", KG_180),
              "the last results stay on display")

    # The mail item with no mailto handler: the failure box
    okt.tast("alt+o")
    time.sleep(0.5)
    okt.tast("e")
    t = okt.til(lambda s: s.bokser, frist=20)
    boks = t.bokser[0] if t and t.bokser else {}
    boks.pop("knappmidt", None)
    okt.sjekk(boks == {"tittel": "Kroppstall", "tekst": EPOSTFEIL, "knapp": "OK"},
              f"the mail item shows the failure box with one OK button ({boks})")
    okt.tast("Return")
    t = okt.til(lambda s: not s.bokser)
    okt.sjekk(t is not None and not t.bokser, "Enter closes the box")

    # File > Avslutt ends the program with exit code 0
    okt.tast("alt+f")
    time.sleep(0.5)
    okt.tast("a")
    vin.vent(lambda: okt.prosess.poll() is not None, 20)
    okt.sjekk(okt.prosess.poll() == 0, f"File > Avslutt ends the process with exit code 0 ({okt.prosess.poll()})")


def lukking_og_feil(okt):
    """Alt+F4 ends the program as File > Avslutt does; an error no handler traps is reported in a box
    and ends the program with a failure code (here comctl32 cannot be loaded at Form_Initialize)."""
    okt.prosess = okt.m.start(okt.exe, wine=okt.wine)
    t = okt.til(lambda s: s.fokus() is not None, frist=40)
    okt.sjekk(t is not None, "a second start shows the window")
    okt.tast("alt+F4")
    vin.vent(lambda: okt.prosess.poll() is not None, 20)
    okt.sjekk(okt.prosess.poll() == 0, f"Alt+F4 ends the process with exit code 0 ({okt.prosess.poll()})")

    env = dict(okt.m.env)
    env["WINEDLLOVERRIDES"] += ";comctl32=d"
    okt.prosess = vin.subprocess.Popen([okt.wine, okt.exe], env=env, stdout=vin.subprocess.DEVNULL,
                                       stderr=vin.subprocess.DEVNULL)
    bokser = []

    def feilboks():
        kode, ut = okt.m.kjor(okt.les, "--bokser", wine=okt.wine)
        bokser[:] = Tilstand(ut).bokser
        return bokser

    vin.vent(feilboks, 40, 0.3)
    boks = bokser[0] if bokser else {}
    okt.sjekk(boks.get("tittel") == "Kroppstall" and "InitCommonControls" in boks.get("tekst", ""),
              f"a missing comctl32 is reported in a box ({boks})")
    # A box with no owner window gets no keyboard focus from X here without a window manager.
    if "knappmidt" in boks:
        x, y = boks["knappmidt"].split(",")
        okt.m.xdotool("mousemove", x, y, "click", "1")
    vin.vent(lambda: okt.prosess.poll() is not None, 20)
    kode = okt.prosess.poll()
    okt.sjekk(kode not in (None, 0), f"and the program ends with a failure code ({kode})")


def main():
    p = argparse.ArgumentParser()
    p.add_argument("exe")
    p.add_argument("les")
    p.add_argument("--skjermbilde")
    p.add_argument("--enhetstester", help="the backend's GoogleTest program, run in the same prefix")
    a = p.parse_args()

    wine = vin.WINE
    miljo = vin.Miljo()
    try:
        if vin.maskin(a.exe) == 0x14C:
            # Only a machine that runs 32-bit x86 code can start the shipped program.
            if not os.path.exists(vin.WINE32):
                print("no 32-bit Wine loader here; skipped")
                return HOPP_OVER
            miljo.klargjor()
            try:
                kode, _ = miljo.kjor(a.les, wine=vin.WINE32, frist=30)
            except (OSError, vin.subprocess.TimeoutExpired):
                kode = -1
            if kode not in (0, 1):
                print("32-bit x86 code does not run here; skipped")
                return HOPP_OVER
            wine = vin.WINE32
        else:
            miljo.klargjor()
        okt = Okt(miljo, a.exe, a.les, wine)
        start = time.monotonic()
        try:
            kjor(okt, a.skjermbilde)
            lukking_og_feil(okt)
            if a.enhetstester:
                kode, ut = miljo.kjor(a.enhetstester, wine=wine, frist=120)
                print(ut.strip().splitlines()[-1] if ut.strip() else "")
                okt.sjekk(kode == 0, f"the backend tests pass ({kode})" + ("" if kode == 0 else "\n" + ut))
        finally:
            if okt.prosess is not None and okt.prosess.poll() is None:
                okt.prosess.kill()
                okt.prosess.wait(timeout=10)
        print(f"{len(okt.feil)} failed, {time.monotonic() - start:.1f} s")
        return 1 if okt.feil else 0
    finally:
        miljo.rydd()


if __name__ == "__main__":
    sys.exit(main())
