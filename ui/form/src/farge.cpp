#include "kroppstall/form/farge.h"

#include "kroppstall/form/kjoretid.h"

#include <algorithm>
#include <iterator>

namespace kroppstall::form {

namespace {

constexpr Farge Svart = Rgb(0, 0, 0);

double Kanal(Farge f, int skift) {
    return static_cast<double>((f >> skift) & 0xFFu) / 255.0;
}

// x to the power 2.4, for x in (0, 1]: Newton's method on y^5 = x^12, from x^2 above the root, where
// it falls steadily. Spares the Windows program libm's pow and its long-double helpers.
double Potens24(double x) {
    const double x3 = x * x * x;
    const double x12 = x3 * x3 * x3 * x3;
    double y = x * x;
    for (int i = 0; i < 100; ++i) {
        const double y4 = y * y * y * y;
        const double neste = y - (y * y4 - x12) / (5.0 * y4);
        if (!(neste < y)) {
            break;
        }
        y = neste;
    }
    return y;
}

// Relative luminance of sRGB, on linearised channels.
double Luminans(Farge f) {
    const auto lin = [](double k) { return k <= 0.04045 ? k / 12.92 : Potens24((k + 0.055) / 1.055); };
    return 0.2126 * lin(Kanal(f, 0)) + 0.7152 * lin(Kanal(f, 8)) + 0.0722 * lin(Kanal(f, 16));
}

} // namespace

double Kontrast(Farge a, Farge b) {
    const double la = Luminans(a), lb = Luminans(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Farge Blanding(Farge a, Farge b, double andel) {
    const auto kanal = [&](int skift) {
        const double v = Kanal(a, skift) * andel + Kanal(b, skift) * (1.0 - andel);
        return static_cast<std::uint32_t>(v * 255.0 + 0.5); // v is never negative
    };
    return Rgb(kanal(0), kanal(8), kanal(16));
}

namespace {

Farge MotKontrast(Farge tekst, Farge bakgrunn, double minste) {
    if (Kontrast(tekst, bakgrunn) >= minste) {
        return tekst;
    }
    // One of black and white always reaches the ratio; going towards it, the contrast grows once the
    // text has passed the background's own lightness, so the least step that is enough is found by
    // halving.
    const Farge mal = Kontrast(Svart, bakgrunn) >= Kontrast(Hvit, bakgrunn) ? Svart : Hvit;
    int lav = 0, hoy = 256;
    while (lav < hoy) {
        const int midt = (lav + hoy) / 2;
        if (Kontrast(Blanding(mal, tekst, midt / 256.0), bakgrunn) >= minste + Lesemargin) {
            hoy = midt;
        } else {
            lav = midt + 1;
        }
    }
    return lav >= 256 ? mal : Blanding(mal, tekst, lav / 256.0);
}

} // namespace

Farge Lesbar(Farge tekst, Farge bakgrunn) {
    return MotKontrast(tekst, bakgrunn, MinsteKontrast);
}

Farge Synlig(Farge kant, Farge bakgrunn) {
    return MotKontrast(kant, bakgrunn, MinsteKantkontrast);
}

Farge Visningstekst(Farge tekst, Farge designbakgrunn, Farge bakgrunn) {
    return Lesbar(Blanding(tekst, designbakgrunn, 0.573), bakgrunn);
}

const Kontroll* Underlag(const Kontroll& k) {
    const auto inni = [](const Rektangel& a, const Rektangel& b) {
        return a.Left >= b.Left && a.Top >= b.Top && a.Left + a.Width <= b.Left + b.Width &&
               a.Top + a.Height <= b.Top + b.Height;
    };
    // Only what lies lower in the stacking order, later in the table, can be under the control.
    const auto plass =
        std::find_if(Kontroller.begin(), Kontroller.end(), [&k](const Kontroll& a) { return &a == &k; });
    if (plass == Kontroller.end() || k.type == Type::Shape || k.type == Type::Line) {
        return nullptr;
    }
    const auto s = std::find_if(std::next(plass), Kontroller.end(), [&k, &inni](const Kontroll& a) {
        return a.type == Type::Shape && a.FillSolid && inni(k.Rekt, a.Rekt);
    });
    return s != Kontroller.end() ? &*s : nullptr;
}

Farge Los(Farge farge, Systemfarger system) {
    if (!ErSystemFarge(farge)) {
        return farge & 0x00FFFFFFu;
    }
    if (farge != Vindusbakgrunn && farge != Vindustekst && farge != Knappeflate && farge != Knappetekst) {
        throw Kjoretidsfeil("Ugyldig fargeverdi");
    }
    return system(farge) & 0x00FFFFFFu;
}

Kontrollfarger Farger(const Kontroll& k, Farge bakfarge, Systemfarger system) {
    Kontrollfarger f;
    f.Bak = Los(bakfarge, system);
    f.Tekst = Los(k.ForeColor, system);
    if (const Kontroll* underlag = Underlag(k)) {
        f.Bak = Los(underlag->FillColor, system);
        f.Tekst = Lesbar(f.Tekst, f.Bak);
        f.PaUnderlag = true;
    } else if (k.type == Type::TextBox) {
        // Disabled boxes are drawn in a grey; the result boxes are disabled for good, so theirs is
        // kept readable on whatever background they were given.
        f.GraTekst = Visningstekst(f.Tekst, Los(k.BackColor, system), f.Bak);
    }
    return f;
}

} // namespace kroppstall::form
