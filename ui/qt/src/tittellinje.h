#pragma once

class QWidget;

namespace kroppstall::qt {

// On Wayland a window's frame is the compositor's where it draws one (it announces xdg-decoration:
// KWin, sway, ...), as for every other program there. Where it draws none (weston, GNOME) Qt 6.4 would
// draw its own, which always offers minimize and maximize, whatever the window's hints and size; the
// window gets a title bar of ours there instead: the caption, only the buttons its hints ask for and
// its size allows, and the compositor's window menu on a right-click or Alt+Space. So does a window
// whose compositor announced frames but then left the drawing to the program. Elsewhere this does
// nothing. Call it for every top-level window before it is first shown.
void VelgRamme(QWidget& vindu);

} // namespace kroppstall::qt
