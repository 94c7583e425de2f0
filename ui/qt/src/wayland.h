#pragma once

class QPoint;
class QWindow;

namespace kroppstall::qt::wayland {

// True when Qt runs on a Wayland compositor.
bool PaWayland();

// What the compositor that Qt is connected to announces, read once from its registry.
struct Tilbud {
    bool serverrammer = false; // zxdg_decoration_manager_v1: it draws frames for the windows that ask
    bool sete = false;         // a wl_seat, without which no input event can open a window menu
};

// All false when Qt is not on Wayland, or when the program was built without the Wayland client.
const Tilbud& Kompositor();

// Asks the compositor to open its window menu over the window at `sted` (in the window's own
// coordinates), for the key or button press that Qt has just delivered. False where it cannot ask.
bool VisVindusmeny(QWindow& vindu, const QPoint& sted);

} // namespace kroppstall::qt::wayland
