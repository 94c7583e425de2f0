#include "wayland.h"

#include <QGuiApplication>
#include <QPoint>
#include <QWindow>

#ifdef KROPPSTALL_WAYLAND
#include "xdg-shell-client-protocol.h"

#include <cstdint>
#include <cstring>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>
#endif

namespace kroppstall::qt::wayland {

bool PaWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

#ifdef KROPPSTALL_WAYLAND

namespace {

void Global(void* data, wl_registry*, std::uint32_t, const char* grensesnitt, std::uint32_t) {
    auto& tilbud = *static_cast<Tilbud*>(data);
    if (std::strcmp(grensesnitt, "zxdg_decoration_manager_v1") == 0) {
        tilbud.serverrammer = true;
    } else if (std::strcmp(grensesnitt, wl_seat_interface.name) == 0) {
        tilbud.sete = true;
    }
}

void GlobalBorte(void*, wl_registry*, std::uint32_t) {}

// Qt keeps the globals it has seen to itself, so they are read again over Qt's own connection: on
// a queue of our own, which Qt's reader thread leaves alone.
Tilbud Les() {
    Tilbud tilbud;
    auto* skjerm = static_cast<wl_display*>(
        QGuiApplication::platformNativeInterface()->nativeResourceForIntegration("wl_display"));
    if (skjerm == nullptr) {
        return tilbud;
    }
    wl_event_queue* ko = wl_display_create_queue(skjerm);
    auto* omvei = static_cast<wl_display*>(wl_proxy_create_wrapper(skjerm));
    if (ko == nullptr || omvei == nullptr) {
        if (omvei != nullptr) {
            wl_proxy_wrapper_destroy(omvei);
        }
        if (ko != nullptr) {
            wl_event_queue_destroy(ko);
        }
        return tilbud;
    }
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(omvei), ko);
    wl_registry* register_ = wl_display_get_registry(omvei);
    wl_proxy_wrapper_destroy(omvei);
    static const wl_registry_listener lytter{Global, GlobalBorte};
    if (register_ != nullptr) {
        wl_registry_add_listener(register_, &lytter, &tilbud);
        if (wl_display_roundtrip_queue(skjerm, ko) < 0) {
            tilbud = {};
        }
        wl_registry_destroy(register_);
    }
    wl_event_queue_destroy(ko);
    return tilbud;
}

} // namespace

const Tilbud& Kompositor() {
    static const Tilbud tilbud =
        PaWayland() && QGuiApplication::platformNativeInterface() != nullptr ? Les() : Tilbud{};
    return tilbud;
}

bool VisVindusmeny(QWindow& vindu, const QPoint& sted) {
    // Qt 6.4 hands out its seat only by dereferencing its first input device, which a compositor
    // without a seat never gives it.
    if (!Kompositor().sete) {
        return false;
    }
    QPlatformNativeInterface* qt = QGuiApplication::platformNativeInterface();
    auto* topp = static_cast<xdg_toplevel*>(qt->nativeResourceForWindow("xdg_toplevel", &vindu));
    auto* sete = static_cast<wl_seat*>(qt->nativeResourceForIntegration("wl_seat"));
    if (topp == nullptr || sete == nullptr) {
        return false;
    }
    // The serial of the last key or button press on that seat: the one being handled.
    const auto serienummer =
        static_cast<std::uint32_t>(reinterpret_cast<quintptr>(qt->nativeResourceForIntegration("serial")));
    xdg_toplevel_show_window_menu(topp, sete, serienummer, sted.x(), sted.y());
    return true;
}

#else

const Tilbud& Kompositor() {
    static const Tilbud ingen;
    return ingen;
}

bool VisVindusmeny(QWindow&, const QPoint&) {
    return false;
}

#endif

} // namespace kroppstall::qt::wayland
