#pragma once

class QMainWindow;

namespace kroppstall::qt {

// Weston and GNOME draw no frame round a Wayland window, and the one Qt 6.4 draws in their place
// always offers minimize, maximize and close, whatever the window's hints and size, and cuts a
// short caption off at the buttons. The window is given a title bar of its own there instead: the
// caption, and only the buttons its hints ask for. Call it before the window is first shown.
void GiTittellinje(QMainWindow& vindu);

} // namespace kroppstall::qt
