#pragma once

#include "kroppstall/form/layout.h"

#include <windows.h>

namespace kroppstall::win32 {

// The layout's system colours are Windows' own: window background COLOR_WINDOW, window text
// COLOR_WINDOWTEXT, button face COLOR_BTNFACE, button text COLOR_BTNTEXT.
form::Farge Systemfarge(form::Farge systemfarge);

// A colour of the layout as GDI draws it, system colours resolved. COLORREF is 0x00BBGGRR, as the
// layout's RGB values are.
COLORREF Farge(form::Farge farge);

} // namespace kroppstall::win32
