#pragma once

#include "kroppstall/form/layout.h"

#include <optional>

namespace kroppstall::form {

// Text must stand out from what is drawn behind it by at least this contrast ratio (WCAG's for
// normal text), in every colour scheme.
inline constexpr double MinsteKontrast = 4.5;
inline constexpr double Lesemargin = 0.25;
// An edge that shows a control or its focus must stand out from what lies beside it by at least this
// (WCAG's for the parts of a control).
inline constexpr double MinsteKantkontrast = 3.0;

// RGB colours only (0x00BBGGRR); a backend resolves system colours first.
double Kontrast(Farge a, Farge b);
// `andel` of `a` over `b`, channel by channel.
Farge Blanding(Farge a, Farge b, double andel);

// `tekst` where it stands out from `bakgrunn` enough; otherwise the colour nearest to it, on the way
// to black or to white, that reaches a little more than the minimum (Lesemargin): the thin strokes
// of small antialiased text seldom reach their full colour.
Farge Lesbar(Farge tekst, Farge bakgrunn);
// The same rule for an edge: `kant`, or the nearest colour that reaches MinsteKantkontrast.
Farge Synlig(Farge kant, Farge bakgrunn);

// The text of a box that only shows results: the greyed text of a disabled box (its text colour
// 57.3 % over its designed background, Windows' #6D6D6D for black on white), kept readable against
// the background really drawn behind it.
Farge Visningstekst(Farge tekst, Farge designbakgrunn, Farge bakgrunn);

// The solidly filled shape that a control lies on, or nullptr: a label inside the limit box is
// drawn on the box's fill, so the box reads as one table in every colour scheme.
const Kontroll* Underlag(const Kontroll& k);

// A backend's value of one of the layout's four system colours, as RGB.
using Systemfarger = Farge (*)(Farge systemfarge);

// `farge` as RGB: itself, or the backend's value of the system colour. A system colour that the
// layout does not use is a run-time error.
Farge Los(Farge farge, Systemfarger system);

// What a control that shows text is drawn in, every colour RGB.
struct Kontrollfarger {
    Farge Bak = 0;                 // behind the text
    Farge Tekst = 0;               // the text
    std::optional<Farge> GraTekst; // a text box's text while it is disabled
    bool PaUnderlag = false;       // drawn on the fill of the shape under it, no background of its own
};

// The colours of `k` with `bakfarge` as its BackColor (a handler may have changed it since the window
// was built): system colours resolved, then the readable-text rule.
Kontrollfarger Farger(const Kontroll& k, Farge bakfarge, Systemfarger system);

} // namespace kroppstall::form
