#pragma once

#include "kroppstall/win32/hovedvindu.h"

namespace kroppstall::win32 {

// The picture as an icon of its own size, or nullptr.
HICON LagIkon(const Bilde& bilde);

// A disabled edit draws its text in the system's grey whatever WM_CTLCOLORSTATIC asks; a box that
// only shows results is disabled for good, so from here on it paints its own text instead.
void TegnEgenTekst(HWND boks);

// Windows marks the focused edit box only by its thin, blinking caret; an input box shows the focus
// by its frame too, drawn in the highlight as the colour rule keeps it visible on the form.
void TegnFokuskant(HWND boks);

} // namespace kroppstall::win32
