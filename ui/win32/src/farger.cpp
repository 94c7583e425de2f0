#include "farger.h"

#include "kroppstall/form/farge.h"

namespace kroppstall::win32 {

form::Farge Systemfarge(form::Farge systemfarge) {
    switch (systemfarge) {
    case form::Vindusbakgrunn:
        return GetSysColor(COLOR_WINDOW);
    case form::Vindustekst:
        return GetSysColor(COLOR_WINDOWTEXT);
    case form::Knappetekst:
        return GetSysColor(COLOR_BTNTEXT);
    default:
        return GetSysColor(COLOR_BTNFACE);
    }
}

COLORREF Farge(form::Farge farge) {
    return static_cast<COLORREF>(form::Los(farge, &Systemfarge));
}

} // namespace kroppstall::win32
