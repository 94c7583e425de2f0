#include "skjerm.h"

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace kroppstall::app {

namespace {

std::string Miljo(const char* navn) {
    const char* verdi = std::getenv(navn);
    return verdi != nullptr ? verdi : "";
}

// The platform plugins that Qt will try, in order: QT_QPA_PLATFORM (a ';' list, each name perhaps
// with ':' options), else X11, and Wayland where a session names a compositor.
std::vector<std::string> Plattformer() {
    std::vector<std::string> ut;
    const std::string valgt = Miljo("QT_QPA_PLATFORM");
    std::string_view rest = valgt;
    while (!rest.empty()) {
        const auto slutt = rest.find(';');
        std::string_view navn = rest.substr(0, slutt);
        navn = navn.substr(0, navn.find(':'));
        if (!navn.empty()) {
            ut.emplace_back(navn);
        }
        rest = slutt == std::string_view::npos ? std::string_view{} : rest.substr(slutt + 1);
    }
    if (ut.empty()) {
        ut.emplace_back("xcb");
        if (!Miljo("WAYLAND_DISPLAY").empty()) {
            ut.emplace_back("wayland");
        }
    }
    return ut;
}

xcb_connection_t* X11(std::string& provd) {
    const std::string skjerm = Miljo("DISPLAY");
    if (skjerm.empty()) {
        provd = "X11 (DISPLAY er ikke satt)";
        return nullptr;
    }
    provd = "X11-skjermen \"" + skjerm + "\"";
    xcb_connection_t* forbindelse = xcb_connect(skjerm.c_str(), nullptr);
    if (xcb_connection_has_error(forbindelse) != 0) {
        xcb_disconnect(forbindelse);
        return nullptr;
    }
    return forbindelse;
}

bool Wayland(std::string& provd) {
    std::string navn = Miljo("WAYLAND_DISPLAY");
    if (navn.empty()) {
        navn = "wayland-0";
    }
    provd = "Wayland-skjermen \"" + navn + "\"";
    std::string sti = navn;
    if (navn.front() != '/') {
        const std::string mappe = Miljo("XDG_RUNTIME_DIR");
        if (mappe.empty()) {
            provd += " (XDG_RUNTIME_DIR er ikke satt)";
            return false;
        }
        sti = mappe + "/" + navn;
    }
    sockaddr_un adresse{};
    if (sti.size() >= sizeof(adresse.sun_path)) {
        return false;
    }
    adresse.sun_family = AF_UNIX;
    std::memcpy(adresse.sun_path, sti.c_str(), sti.size() + 1);
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) {
        return false;
    }
    const bool apen = connect(s, reinterpret_cast<const sockaddr*>(&adresse), sizeof(adresse)) == 0;
    close(s);
    return apen;
}

} // namespace

Skjermsjekk::Skjermsjekk() {
    std::string provd;
    for (const std::string& plattform : Plattformer()) {
        std::string denne;
        if (plattform == "xcb") {
            x11_ = X11(denne);
            if (x11_ != nullptr) {
                return;
            }
        } else if (plattform.rfind("wayland", 0) == 0) {
            if (Wayland(denne)) {
                return;
            }
        } else {
            return; // offscreen, vnc, eglfs and the like need no display of ours to check
        }
        provd += (provd.empty() ? "" : ", ") + denne;
    }
    feil_ = "kroppstall: fant ingen skjerm å åpne vinduet på; prøvde " + provd;
}

Skjermsjekk::~Skjermsjekk() {
    if (x11_ != nullptr) {
        xcb_disconnect(x11_);
    }
}

} // namespace kroppstall::app
