#!/usr/bin/python3
"""The Linux program as a process: started as a desktop starts it, on its own Xvfb display, or on a
headless Wayland compositor of its own where Wayland counts (weston, mutter, sway, KWin).

Usage: prosess_test.py CASE PROGRAM DESKTOP_FILE

Every wait is bounded, and only the processes started here are ended.
"""
import os
import random
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

FRIST = 15.0  # seconds for anything to show up


class Feil(Exception):
    pass


def sjekk(betingelse, melding):
    if not betingelse:
        raise Feil(melding)


def vent(forsok, frist=FRIST, steg=0.05):
    """Polls until forsok() gives something true, or returns None once the deadline has passed."""
    slutt = time.monotonic() + frist
    while True:
        svar = forsok()
        if svar:
            return svar
        if time.monotonic() > slutt:
            return None
        time.sleep(steg)


class Prosesser:
    """The processes of one case, ended in reverse order of start."""

    def __init__(self):
        self.liste = []
        self.mapper = []  # removed once every process has ended

    def start(self, argv, **kw):
        p = subprocess.Popen(argv, **kw)
        self.liste.append(p)
        return p

    def avslutt(self):
        for p in reversed(self.liste):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait(5)
        for mappe in self.mapper:
            shutil.rmtree(mappe, ignore_errors=True)


def start_xvfb(prosesser):
    """A display of its own. Other people run Xvfb here too, some with their sockets out of our sight,
    so a number is taken at random from a high range and given up if its server does not come up."""
    rng = random.Random()
    for _ in range(20):
        nummer = rng.randint(200, 899)
        if os.path.exists(f"/tmp/.X{nummer}-lock") or os.path.exists(f"/tmp/.X11-unix/X{nummer}"):
            continue
        les, skriv = os.pipe()
        p = prosesser.start(["Xvfb", f":{nummer}", "-displayfd", str(skriv), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=(skriv,), stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
        os.close(skriv)
        tekst = b""
        slutt = time.monotonic() + FRIST
        while not tekst.endswith(b"\n") and time.monotonic() < slutt:
            klar, _, _ = select.select([les], [], [], max(0.0, slutt - time.monotonic()))
            if not klar:
                break
            bit = os.read(les, 64)
            if not bit:
                break
            tekst += bit
        os.close(les)
        if tekst.strip() == str(nummer).encode() and p.poll() is None:
            return f":{nummer}"
        if p.poll() is None:
            p.terminate()
            p.wait(5)
    raise Feil("no Xvfb display could be started")


def uten_skjerm():
    return {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE")}


# Each with its socket "kroppstall" in the runtime directory. Pixman and --debug let weston-screenshooter
# take a picture of weston's headless output, and weston-debug read its scene graph.
WESTON = ["weston", "--use-pixman", "--debug", "--socket=kroppstall", "--idle-time=0", "--width=640", "--height=480"]
KOMPOSITORER = {
    "weston": WESTON + ["--backend=headless-backend.so"],
    "mutter": ["mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor", "640x480",
               "--wayland-display=kroppstall"],
    "kwin": ["kwin_wayland", "--virtual", "--no-lockscreen", "--no-global-shortcuts", "--no-kactivities",
             "--socket", "kroppstall", "--width", "640", "--height", "480"],
}


def start_kompositor(prosesser, mappe, argv, **ekstra):
    """A Wayland compositor of its own, with no X display unless ekstra names one: its socket in the
    private runtime directory mappe. Gives back the environment for a client of it."""
    env = dict(uten_skjerm(), XDG_RUNTIME_DIR=mappe, **ekstra)
    try:
        prosesser.start(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except PermissionError:
        # Debian gives kwin_wayland a file capability, which a container without it in its bounding set
        # refuses to execute; a copy has none.
        kopi = os.path.join(mappe, os.path.basename(argv[0]))
        shutil.copy(shutil.which(argv[0]), kopi)
        prosesser.start([kopi, *argv[1:]], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    sjekk(vent(lambda: os.path.exists(os.path.join(mappe, "kroppstall"))), f"{argv[0]} did not start")
    return dict(uten_skjerm(), XDG_RUNTIME_DIR=mappe, WAYLAND_DISPLAY="kroppstall")


def start_weston(prosesser, mappe):
    return start_kompositor(prosesser, mappe, KOMPOSITORER["weston"])


def start_sway(prosesser, mappe):
    """sway refuses to run as root: run by root, it runs as nobody, in a runtime directory of its own
    beside mappe. The program reaches its socket by its full path and keeps mappe as its runtime
    directory."""
    egen = tempfile.mkdtemp(prefix="kroppstall-sway-")
    prosesser.mapper.append(egen)
    som = []
    if os.geteuid() == 0:
        shutil.chown(egen, "nobody", "nogroup")
        som = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
    os.chmod(egen, 0o700)
    oppsett = os.path.join(egen, "config")
    with open(oppsett, "w", encoding="utf-8") as f:
        f.write("xwayland disable\n")
    env = dict(uten_skjerm(), XDG_RUNTIME_DIR=egen, HOME=egen, WLR_BACKENDS="headless", WLR_RENDERER="pixman",
               WLR_LIBINPUT_NO_DEVICES="1")
    prosesser.start([*som, "sway", "-c", oppsett], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def sokler():
        navn = os.listdir(egen)
        wl = [n for n in navn if n.startswith("wayland-") and not n.endswith(".lock")]
        ipc = [n for n in navn if n.startswith("sway-ipc.")]
        return (os.path.join(egen, wl[0]), os.path.join(egen, ipc[0])) if wl and ipc else None
    funnet = vent(sokler)
    sjekk(funnet, "sway did not start")
    env = dict(uten_skjerm(), XDG_RUNTIME_DIR=mappe, WAYLAND_DISPLAY=funnet[0])
    env["KROPPSTALL_SWAYSOCK"] = funnet[1]
    return env


def sway_ramme(env, app_id):
    """The border sway gives the program's window ("csd" where the program draws its own frame)."""
    import json
    tre = json.loads(kjor(["swaymsg", "-s", env["KROPPSTALL_SWAYSOCK"], "-t", "get_tree"], env).stdout)
    noder = [tre]
    while noder:
        n = noder.pop()
        if n.get("app_id") == app_id:
            return n.get("border")
        noder += n.get("nodes", []) + n.get("floating_nodes", [])
    return None


def privat_mappe():
    mappe = tempfile.mkdtemp(prefix="kroppstall-")
    os.chmod(mappe, 0o700)
    return mappe


def kjor(argv, env, frist=10):
    return subprocess.run(argv, env=env, capture_output=True, text=True, timeout=frist)


def x_env(display):
    env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["DISPLAY"] = display
    return env


def start_openbox(prosesser, env):
    prosesser.start(["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
    sjekk(vent(lambda: "window id" in kjor(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env).stdout),
          "openbox did not start")


def programmets_vindu(prosess, env):
    """The program's visible top-level window, once it is mapped."""
    pid = prosess.pid

    def finn():
        if prosess.poll() is not None:
            return "ended"
        r = kjor(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", ".*"], env)
        # xdotool also lists the window manager's own windows, which carry no pid at all.
        for vindu in r.stdout.split():
            if tall(egenskap(env, "-id", vindu, "_NET_WM_PID").partition("=")[2]) == [pid]:
                return vindu
        return None
    vindu = vent(finn)
    if vindu == "ended" or vindu is None:
        feil = ""
        if prosess.poll() is not None:
            feil = f": the program ended with {prosess.returncode}: {prosess.stderr.read()!r}"
            feil += "; xdpyinfo: " + str(kjor(["xdpyinfo"], env).returncode)
        raise Feil("no visible window of the program appeared" + feil)
    return vindu


def egenskap(env, *argv):
    return kjor(["xprop", *argv], env).stdout


def tall(tekst):
    return [int(t) for t in re.findall(r"-?\d+", tekst)]


def klientrute(vindu, env):
    """The window's client area in root coordinates: x, y, width, height."""
    tekst = kjor(["xwininfo", "-id", vindu], env).stdout
    felt = {}
    for navn, nokkel in (("Absolute upper-left X", "x"), ("Absolute upper-left Y", "y"), ("Width", "w"),
                         ("Height", "h")):
        m = re.search(navn + r":\s*(-?\d+)", tekst)
        sjekk(m, "xwininfo gave no " + navn)
        felt[nokkel] = int(m.group(1))
    return felt["x"], felt["y"], felt["w"], felt["h"]


def rammerute(vindu, env):
    """The whole window with the frame the window manager put round it."""
    x, y, b, h = klientrute(vindu, env)
    kanter = tall(egenskap(env, "-id", vindu, "_NET_FRAME_EXTENTS").partition("=")[2])
    venstre, hoyre, topp, bunn = kanter if len(kanter) == 4 else (0, 0, 0, 0)
    return x - venstre, y - topp, b + venstre + hoyre, h + topp + bunn


def arbeidsflate(env):
    verdier = tall(egenskap(env, "-root", "_NET_WORKAREA").partition("=")[2])
    if len(verdier) >= 4:
        return tuple(verdier[:4])
    # No window manager: the whole screen is the work area.
    rot = kjor(["xwininfo", "-root"], env).stdout
    return (0, 0, int(re.search(r"Width:\s*(\d+)", rot).group(1)), int(re.search(r"Height:\s*(\d+)", rot).group(1)))


def midtstilt(rute, flate):
    """Within a pixel of the centre, in both directions (doubled, to stay in whole numbers)."""
    x, y, b, h = rute
    fx, fy, fb, fh = flate
    return abs((2 * x + b) - (2 * fx + fb)) <= 2 and abs((2 * y + h) - (2 * fy + fh)) <= 2


def start_program(prosesser, program, env, args=()):
    return prosesser.start([program, *args], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


# --- cases ------------------------------------------------------------------------------------------

QT_VALG = [
    ["-qwindowtitle", "Fremmed"],
    ["-qwindowgeometry", "300x300+0+0"],
    ["-platform", "offscreen"],
    ["-reverse"],
    ["-style", "Windows"],
    ["-name", "fremmed"],
]


def tilfelle_argumenter(program, _desktop):
    """Qt's own options on the command line change nothing: title, place, platform, class."""
    for args in QT_VALG:
        prosesser = Prosesser()
        try:
            env = x_env(start_xvfb(prosesser))
            p = start_program(prosesser, program, env, args)
            vindu = programmets_vindu(p, env)
            navn = kjor(["xdotool", "getwindowname", vindu], env).stdout.strip()
            sjekk(navn == "Kroppstall", f"{args}: caption {navn!r}")
            klasse = egenskap(env, "-id", vindu, "WM_CLASS")
            sjekk('"kroppstall", "Kroppstall"' in klasse, f"{args}: {klasse.strip()}")
            rute = klientrute(vindu, env)
            sjekk(rute[2] == 210, f"{args}: width {rute[2]}")
            sjekk(midtstilt(rute, arbeidsflate(env)), f"{args}: not centred: {rute}")
            print(f"ok {args}: caption {navn!r}, client {rute}")
        finally:
            prosesser.avslutt()


def tilfelle_ingen_skjerm(program, _desktop):
    """Without a display the program says which one it tried, in one line, and exits with 1."""
    grunn = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    tabell = [
        ("no display set", grunn, "DISPLAY"),
        ("unreachable X display", dict(grunn, DISPLAY=":987"), ":987"),
        ("unreachable X display, xcb asked for", dict(grunn, DISPLAY=":987", QT_QPA_PLATFORM="xcb"), ":987"),
    ]
    for navn, env, nevnt in tabell:
        r = subprocess.run([program], env=env, capture_output=True, text=True, timeout=30)
        linjer = [l for l in r.stderr.splitlines() if l.strip()]
        sjekk(r.returncode == 1, f"{navn}: exit status {r.returncode} (-6 is SIGABRT), stderr {r.stderr!r}")
        sjekk(len(linjer) == 1, f"{navn}: {len(linjer)} lines on stderr: {r.stderr!r}")
        sjekk(nevnt in linjer[0], f"{navn}: {linjer[0]!r} does not name {nevnt}")
        print(f"ok {navn}: exit 1, {linjer[0]!r}")


def tilfelle_midtstilt_med_vindusbehandler(program, _desktop):
    """Under a real window manager the whole frame ends up centred on the work area."""
    prosesser = Prosesser()
    try:
        env = x_env(start_xvfb(prosesser))
        start_openbox(prosesser, env)
        p = start_program(prosesser, program, env)
        vindu = programmets_vindu(p, env)
        flate = arbeidsflate(env)
        # The frame arrives a little after the window is mapped; give it a moment to settle.
        sjekk(vent(lambda: tall(egenskap(env, "-id", vindu, "_NET_FRAME_EXTENTS").partition("=")[2]), 5),
              "openbox put no frame round the window")
        rute = vent(lambda: (lambda r: r if midtstilt(r, flate) else None)(rammerute(vindu, env)), 5)
        endelig = rammerute(vindu, env)
        sjekk(rute is not None, f"frame {endelig} is not centred on the work area {flate}")
        # And it stays there.
        time.sleep(0.5)
        sjekk(midtstilt(rammerute(vindu, env), flate), f"frame moved away from the centre: {rammerute(vindu, env)}")
        print(f"ok frame {endelig} centred on work area {flate}")
        # A fixed-size window asks for no maximize button: neither in its Motif hints (functions bit
        # 0x10, decorations bit 0x40) nor among the actions the window manager then allows.
        mwm = [int(v, 0) for v in re.findall(r"0x[0-9a-fA-F]+|\d+", egenskap(env, "-id", vindu, "_MOTIF_WM_HINTS").partition("=")[2])]
        sjekk(len(mwm) >= 3 and mwm[0] & 3 == 3 and not mwm[1] & 0x10 and not mwm[2] & 0x40,
              f"Motif hints {mwm} allow maximizing")
        handlinger = egenskap(env, "-id", vindu, "_NET_WM_ALLOWED_ACTIONS")
        sjekk("MAXIMIZE" not in handlinger, f"the window manager allows maximizing: {handlinger.strip()}")
        print(f"ok no maximize asked for: Motif hints {mwm}")
        if os.environ.get("KROPPSTALL_SKJERMBILDE"):
            kjor(["import", "-window", "root", os.environ["KROPPSTALL_SKJERMBILDE"]], env, 20)
    finally:
        prosesser.avslutt()


def tilfelle_ingen_bildeformater(program, _desktop):
    """With the window up, none of Qt's image-format plugins is loaded: the program's pictures are built
    from pixel tables, and the menu bar's overflow icon, which it never shows, is never read."""
    prosesser = Prosesser()
    try:
        env = x_env(start_xvfb(prosesser))
        p = start_program(prosesser, program, env)
        programmets_vindu(p, env)
        time.sleep(0.3)
        with open(f"/proc/{p.pid}/maps", encoding="utf-8") as f:
            lastet = sorted({linje.split()[-1] for linje in f if "/imageformats/" in linje})
        sjekk(not lastet, f"image-format plugins loaded: {lastet}")
        sjekk(p.poll() is None, f"the program ended with {p.returncode}")
        print("ok no image-format plugin in the running program")
    finally:
        prosesser.avslutt()


def tilfelle_skrivebordsfil(program, desktop):
    """A dock groups the window with its launcher through StartupWMClass = the class in WM_CLASS."""
    with open(desktop, encoding="utf-8") as f:
        m = re.search(r"^StartupWMClass=(.*)$", f.read(), re.M)
    sjekk(m, f"{desktop} has no StartupWMClass")
    prosesser = Prosesser()
    try:
        env = x_env(start_xvfb(prosesser))
        p = start_program(prosesser, program, env)
        vindu = programmets_vindu(p, env)
        klasse = re.findall(r'"([^"]*)"', egenskap(env, "-id", vindu, "WM_CLASS"))
        sjekk(len(klasse) == 2 and klasse[1] == m.group(1), f"WM_CLASS {klasse}, StartupWMClass {m.group(1)}")
        print(f"ok WM_CLASS {klasse}, StartupWMClass={m.group(1)}")
    finally:
        prosesser.avslutt()


def pa_egen_buss():
    """Runs this case again on a session bus of its own, so that the accessibility bus is its alone: in
    a runtime directory of its own too, where the accessibility bus puts its socket (in the home
    otherwise, where a case running beside it would take it away)."""
    if "KROPPSTALL_EGEN_BUSS" not in os.environ:
        mappe = privat_mappe()
        try:
            r = subprocess.run(["dbus-run-session", "--", sys.executable, *sys.argv],
                               env=dict(os.environ, KROPPSTALL_EGEN_BUSS="1", XDG_RUNTIME_DIR=mappe), timeout=90)
        finally:
            shutil.rmtree(mappe, ignore_errors=True)
        sys.exit(r.returncode)


def atspi_toppvindu(pyatspi, p, passer):
    """The program's first top-level window on the accessibility bus for which passer holds, or None."""
    skrivebord = pyatspi.Registry.getDesktop(0)
    for i in range(skrivebord.childCount):
        app = skrivebord.getChildAtIndex(i)
        if app is not None and app.get_process_id() == p.pid:
            for j in range(app.childCount):
                vindu = app.getChildAtIndex(j)
                if passer(vindu):
                    return vindu
    return None


def atspi_ramme(pyatspi, p):
    """The program's frame on the accessibility bus."""
    f = vent(lambda: atspi_toppvindu(pyatspi, p, lambda r: r.getRoleName() == "frame" and r.name == "Kroppstall"))
    if not f and p.poll() is not None:
        raise Feil(f"the program ended with {p.returncode}: {p.stderr.read() if p.stderr else ''!r}")
    sjekk(f, "the program's frame did not appear on the accessibility bus")
    return f


def atspi_blader(node):
    """The leaves under node, the menu bar left out, in tree order."""
    if node.getRoleName() == "menu bar":
        return []
    if node.childCount == 0:
        return [node]
    return [b for i in range(node.childCount) for b in atspi_blader(node.getChildAtIndex(i))]


LESEREKKE = [
    ("label", "Høyde i cm:"), ("text", "Høyde i cm:"),
    ("label", "Vekt i kg:"), ("text", "Vekt i kg:"),
    ("push button", "Regn ut"),
    ("label", "BMI:"), ("text", "BMI:"),
    ("label", "Vurdering:"), ("text", "Vurdering:"),
    ("radio button", "BMI"), ("radio button", "Kg."),
    ("label", "BMI grenseverdier"),
    ("label", "Under 18,5 = Undervekt"), ("label", "18,5 - 24,9 = Normalvekt"),
    ("label", "25 - 29,9 = Overvekt"), ("label", "30 - 39,9 = Kraftig overvekt"),
    ("label", "Over 40 = Sykelig overvekt"),
]


def tilfelle_atspi(program, _desktop):
    """Over AT-SPI: the window reads in order, drawn shapes are not there, results cannot be edited."""
    pa_egen_buss()
    import pyatspi

    prosesser = Prosesser()
    try:
        env = x_env(start_xvfb(prosesser))
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["QT_ACCESSIBILITY"] = "1"
        p = start_program(prosesser, program, env)
        programmets_vindu(p, env)

        f = atspi_ramme(pyatspi, p)

        blader = []

        def gjennom(node, dybde):
            rolle = node.getRoleName()
            if rolle == "menu bar":
                return
            if node.childCount == 0:
                blader.append(node)
            print("  " * dybde + f"[{rolle}] {node.name!r}" + (
                " " + ",".join(sorted(pyatspi.stateToString(s) for s in node.getState().getStates()
                                      if s in (pyatspi.STATE_EDITABLE, pyatspi.STATE_FOCUSABLE,
                                               pyatspi.STATE_ENABLED)))
                if node.childCount == 0 else ""))
            for i in range(node.childCount):
                gjennom(node.getChildAtIndex(i), dybde + 1)
        gjennom(f, 0)

        funnet = [(b.getRoleName(), b.name) for b in blader]
        sjekk(funnet == LESEREKKE, f"reading order:\n  {funnet}\nexpected\n  {LESEREKKE}")

        tekster = {b.name: b for b in blader if b.getRoleName() == "text"}
        for navn, skal in (("Høyde i cm:", True), ("Vekt i kg:", True), ("BMI:", False), ("Vurdering:", False)):
            stat = tekster[navn].getState()
            for s in (pyatspi.STATE_EDITABLE, pyatspi.STATE_FOCUSABLE):
                sjekk(stat.contains(s) == skal, f"{navn}: {pyatspi.stateToString(s)} is {stat.contains(s)}")
        for navn in ("BMI:", "Vurdering:"):
            boks = tekster[navn]
            try:
                boks.queryEditableText().setTextContents("HACK")
            except NotImplementedError:
                pass
            time.sleep(0.3)
            innhold = boks.queryText().getText(0, -1)
            sjekk("HACK" not in innhold, f"{navn}: setting the text over AT-SPI worked: {innhold!r}")
        print("ok reading order, no drawn shapes, result boxes neither editable nor focusable nor writable")
    finally:
        prosesser.avslutt()


def atspi_regn_ut(pyatspi, blader):
    """Types 180 cm and 80 kg over AT-SPI, presses Regn ut, and gives back the BMI box's text."""
    tekster = {b.name: b for b in blader if b.getRoleName() == "text"}
    tekster["Høyde i cm:"].queryEditableText().setTextContents("180")
    tekster["Vekt i kg:"].queryEditableText().setTextContents("80")
    regn = next(b for b in blader if b.name == "Regn ut")
    sjekk(vent(lambda: regn.getState().contains(pyatspi.STATE_ENABLED), 5), "Regn ut stayed disabled")
    regn.queryAction().doAction(0)
    return vent(lambda: tekster["BMI:"].queryText().getText(0, -1), 5)


def tittellinje(blader):
    """The buttons and the caption of a title bar of ours, as AT-SPI reads them: empty without one."""
    return (sorted(b.name for b in blader if b.getRoleName() == "push button" and b.name != "Regn ut")
            + [b.name for b in blader if b.getRoleName() == "label" and b.name == "Kroppstall"])


def start_wayland_program(prosesser, program, env, mappe):
    """The program with the Wayland protocol log in mappe/protokoll (too long for a pipe)."""
    env = dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", LC_ALL="nb_NO.UTF-8",
               WAYLAND_DEBUG="1")
    with open(os.path.join(mappe, "protokoll"), "wb") as logg:
        return prosesser.start([program], env=env, stdout=subprocess.DEVNULL, stderr=logg)


def protokoll(mappe):
    with open(os.path.join(mappe, "protokoll"), encoding="utf-8", errors="replace") as f:
        return f.read()


def atspi_epostfeil(pyatspi, p, ramme):
    """Picks the menu's mail item, whose launch fails here, and gives back the failure box's leaves."""
    punkt = pyatspi.findDescendant(ramme, lambda n: n.getRoleName() == "menu item" and "e-post" in n.name)
    sjekk(punkt, "no mail item in the menu")
    punkt.queryAction().doAction(0)

    funnet = vent(lambda: atspi_toppvindu(pyatspi, p, lambda b: b.getRoleName() in ("alert", "dialog")), 10)
    sjekk(funnet, "no failure box appeared")
    return atspi_blader(funnet)


def tilfelle_wayland(program, _desktop):
    """On a compositor that draws no frames, and no X display: the window comes up with a title bar of
    its own that reads "Kroppstall" and offers no maximize button, and it calculates. The mail failure
    box gets the same bar, with only its close button, instead of Qt's frame."""
    pa_egen_buss()
    import pyatspi

    for navn in ("weston", "mutter"):
        prosesser = Prosesser()
        mappe = privat_mappe()
        try:
            env = start_kompositor(prosesser, mappe, KOMPOSITORER[navn])
            os.mkdir(os.path.join(mappe, "bin"))
            with open(os.path.join(mappe, "bin", "xdg-open"), "w", encoding="utf-8") as f:
                f.write("#!/bin/sh\nexit 3\n")
            os.chmod(os.path.join(mappe, "bin", "xdg-open"), 0o755)
            env["PATH"] = os.path.join(mappe, "bin") + os.pathsep + env.get("PATH", "/usr/bin:/bin")
            p = start_wayland_program(prosesser, program, env, mappe)
            blader = atspi_blader(atspi_ramme(pyatspi, p))
            linje = tittellinje(blader)
            sjekk(linje == ["Lukk", "Minimer", "Kroppstall"], f"{navn}: title bar {linje}")
            bmi = atspi_regn_ut(pyatspi, blader)
            sjekk(bmi == "24,7", f"{navn}: BMI {bmi!r}")
            if navn == "weston" and os.environ.get("KROPPSTALL_SKJERMBILDE"):
                time.sleep(0.3)
                subprocess.run(["weston-screenshooter"], env=env, cwd=mappe, capture_output=True, timeout=10)
                for f in os.listdir(mappe):
                    if f.startswith("wayland-screenshot"):
                        shutil.move(os.path.join(mappe, f), os.environ["KROPPSTALL_SKJERMBILDE"])
            boks = atspi_epostfeil(pyatspi, p, atspi_ramme(pyatspi, p))
            bokslinje = tittellinje([b for b in boks if b.name != "OK"])
            sjekk(bokslinje == ["Lukk", "Kroppstall"], f"{navn}: the failure box's title bar {bokslinje}")
            sjekk(p.poll() is None, f"{navn}: the program ended with {p.returncode}")
            print(f"ok under {navn}: title bar {linje}, 180 cm 80 kg -> BMI {bmi}, failure box's bar {bokslinje}")
        finally:
            prosesser.avslutt()
            shutil.rmtree(mappe, ignore_errors=True)


def tilfelle_wayland_serverramme(program, desktop):
    """On a compositor that draws frames (it announces xdg-decoration): it is asked for one and draws
    it, the program draws no title bar, and the window calculates. Should the compositor leave the
    drawing to the program after all (sway's "border csd"), the window gets our bar."""
    pa_egen_buss()
    import pyatspi

    app_id = os.path.basename(desktop).removesuffix(".desktop")  # Qt's app_id is the desktop file's name
    for navn in ("sway", "kwin"):
        prosesser = Prosesser()
        mappe = privat_mappe()
        try:
            env = start_sway(prosesser, mappe) if navn == "sway" else start_kompositor(prosesser, mappe,
                                                                                     KOMPOSITORER[navn])
            p = start_wayland_program(prosesser, program, env, mappe)
            ramme = atspi_ramme(pyatspi, p)
            blader = atspi_blader(ramme)
            sjekk(tittellinje(blader) == [], f"{navn}: a title bar of ours: {tittellinje(blader)}")
            bmi = atspi_regn_ut(pyatspi, blader)
            sjekk(bmi == "24,7", f"{navn}: BMI {bmi!r}")
            # zxdg_toplevel_decoration_v1.configure: 2 is server-side.
            modus = re.findall(r"zxdg_toplevel_decoration_v1@\d+\.configure\((\d+)\)", protokoll(mappe))
            sjekk(modus and modus[-1] == "2", f"{navn}: decoration modes {modus}")
            tekst = f"ok under {navn}: server-side frame, no title bar of ours, 180 cm 80 kg -> BMI {bmi}"
            if navn == "sway":
                kant = vent(lambda: sway_ramme(env, app_id), 5)
                sjekk(kant not in (None, "csd"), f"sway: border {kant!r}")
                kjor(["swaymsg", "-s", env["KROPPSTALL_SWAYSOCK"], f'[app_id="{app_id}"] border csd'], env)
                linje = vent(lambda: tittellinje(atspi_blader(ramme)) or None, 5)
                sjekk(linje == ["Lukk", "Minimer", "Kroppstall"], f"sway, border csd: title bar {linje}")
                tekst += f"; border {kant!r}, and after border csd our bar {linje}"
            sjekk(p.poll() is None, f"{navn}: the program ended with {p.returncode}")
            print(tekst)
        finally:
            prosesser.avslutt()
            shutil.rmtree(mappe, ignore_errors=True)


def weston_vindu(env):
    """The program's window in a nested weston's output, from weston's scene graph: x, y."""
    r = kjor(["weston-debug", "scene-graph"], env, 5)
    m = re.search(r"top-level window 'Kroppstall'.*\n\s*position: \((-?\d+), (-?\d+)\)", r.stdout)
    return (int(m.group(1)), int(m.group(2))) if m else None


def tilfelle_wayland_vindusmeny(program, _desktop):
    """On a weston nested in Xvfb, which takes xdotool's input: a right-click on our title bar and
    Alt+Space ask weston for its window menu, with the serial of that button or key press and at
    that place; a double-click on the bar of the fixed-size window does not maximize it."""
    prosesser = Prosesser()
    mappe = privat_mappe()
    try:
        x = x_env(start_xvfb(prosesser))
        env = start_kompositor(prosesser, mappe, WESTON + ["--backend=x11-backend.so"], DISPLAY=x["DISPLAY"])
        p = start_wayland_program(prosesser, program, env, mappe)
        sted = vent(lambda: weston_vindu(env))
        sjekk(sted, "the window did not appear in weston's scene graph")
        # Weston's own X window sits at the root's origin: output and root coordinates are the same.
        rot = kjor(["xwininfo", "-root", "-tree"], x).stdout
        sjekk(re.search(r"Weston Compositor.*\+0\+0\s", rot), f"weston's window is not at the origin: {rot}")
        vx, vy = sted

        def xdo(*trinn):
            for t in trinn:
                if isinstance(t, float):
                    time.sleep(t)
                else:
                    kjor(["xdotool", *t.split()], x)

        # Weston follows the pointer only once it has entered its window: it comes in from outside.
        # Each press is held a moment, as a hand holds it, so that the program handles it before the
        # release comes in.
        tabell = [
            ("right-click on the bar", ("mousemove 1000 700", 0.3, f"mousemove {vx + 100} {vy + 10}", 0.3,
                                        "mousedown 3", 0.5, "mouseup 3"),
             r"wl_pointer@\d+\.button\((\d+), \d+, \d+, 1\)", (100, 10)),
            ("Alt+Space", ("keydown alt", "keydown space", 0.5, "keyup space", "keyup alt"),
             r"wl_keyboard@\d+\.key\((\d+), \d+, \d+, 1\)", (0, 28)),
        ]
        for navn, trinn, trykk, plass in tabell:
            for_ = len(protokoll(mappe))
            xdo(*trinn)
            meny = r"xdg_toplevel@\d+\.show_window_menu\(wl_seat@\d+, (\d+), (-?\d+), (-?\d+)\)"
            funnet = vent(lambda: re.search(meny, protokoll(mappe)[for_:]), 5)
            sjekk(funnet, f"{navn}: no show_window_menu")
            nytt = protokoll(mappe)[for_:funnet.start() + for_]
            serier = re.findall(trykk, nytt)
            sjekk(serier and funnet.group(1) == serier[-1],
                  f"{navn}: show_window_menu with serial {funnet.group(1)}, the press had {serier}")
            sjekk((int(funnet.group(2)), int(funnet.group(3))) == plass,
                  f"{navn}: menu at {funnet.group(2)}, {funnet.group(3)}, not {plass}")
            print(f"ok {navn}: show_window_menu with the press's serial {serier[-1]} at {plass}")

        for_ = len(protokoll(mappe))
        xdo(f"mousemove {vx + 100} {vy + 10}", "click --repeat 2 --delay 80 1", 1.0)
        etter = protokoll(mappe)[for_:]
        sjekk(re.search(r"wl_pointer@\d+\.button\(\d+, \d+, 272, 1\)", etter), "the double-click did not arrive")
        sjekk("set_maximized" not in etter, "a double-click on the bar maximized the fixed-size window")
        sjekk(p.poll() is None, f"the program ended with {p.returncode}")
        print("ok a double-click on the bar leaves the fixed-size window as it is")
    finally:
        prosesser.avslutt()
        shutil.rmtree(mappe, ignore_errors=True)


def tilfelle_wayland_uten_tillegg(program, _desktop):
    """The Wayland compositor answers but Qt has no plugin for it (here a copy of the program whose
    qt.conf shows Qt only the X11 and offscreen plugins): with no X display the program says so in one
    line and exits with 1, where Qt would abort; with one it opens its window there, without Qt's
    complaint about the missing plugin."""
    prosesser = Prosesser()
    mappe = privat_mappe()
    try:
        env = start_weston(prosesser, mappe)
        kopi = os.path.join(mappe, "kopi")
        plattformer = os.path.join(kopi, "tillegg", "platforms")
        os.makedirs(plattformer)
        systemets = kjor(["qtpaths6", "--plugin-dir"], env).stdout.strip() or "/usr/lib/x86_64-linux-gnu/qt6/plugins"
        for navn in ("libqxcb.so", "libqoffscreen.so"):
            shutil.copy(os.path.join(systemets, "platforms", navn), plattformer)
        shutil.copy(program, kopi)
        with open(os.path.join(kopi, "qt.conf"), "w", encoding="utf-8") as f:
            f.write("[Paths]\nPlugins=tillegg\n")
        program = os.path.join(kopi, os.path.basename(program))

        r = subprocess.run([program], env=env, capture_output=True, text=True, timeout=30)
        linjer = [l for l in r.stderr.splitlines() if l.strip()]
        sjekk(r.returncode == 1, f"exit status {r.returncode} (-6 is SIGABRT), stderr {r.stderr!r}")
        sjekk(len(linjer) == 1, f"{len(linjer)} lines on stderr: {r.stderr!r}")
        for nevnt in ('"kroppstall"', "wayland", "DISPLAY"):
            sjekk(nevnt in linjer[0], f"{linjer[0]!r} does not name {nevnt}")
        print(f"ok no X display: exit 1, {linjer[0]!r}")

        env["DISPLAY"] = start_xvfb(prosesser)
        p = start_program(prosesser, program, env)
        programmets_vindu(p, env)
        p.terminate()
        p.wait(5)
        feil = p.stderr.read().decode(errors="replace")
        sjekk("qt.qpa" not in feil, f"Qt complained on its way to X11: {feil!r}")
        print("ok with an X display the window opens there, and Qt is quiet")
    finally:
        prosesser.avslutt()
        shutil.rmtree(mappe, ignore_errors=True)


TILFELLER = {
    "argumenter": tilfelle_argumenter,
    "ingen_skjerm": tilfelle_ingen_skjerm,
    "midtstilt_med_vindusbehandler": tilfelle_midtstilt_med_vindusbehandler,
    "ingen_bildeformater": tilfelle_ingen_bildeformater,
    "skrivebordsfil": tilfelle_skrivebordsfil,
    "atspi": tilfelle_atspi,
    "wayland": tilfelle_wayland,
    "wayland_serverramme": tilfelle_wayland_serverramme,
    "wayland_vindusmeny": tilfelle_wayland_vindusmeny,
    "wayland_uten_tillegg": tilfelle_wayland_uten_tillegg,
}

if __name__ == "__main__":
    tilfelle, program, desktop = sys.argv[1:4]
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    try:
        TILFELLER[tilfelle](program, desktop)
    except Feil as feil:
        print(f"FAIL {tilfelle}: {feil}")
        sys.exit(1)
