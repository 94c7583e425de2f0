#include "kroppstall/grenser.h"

#include "avrund.h"
#include "kgsok.h"

#include <algorithm>

namespace kroppstall {

std::array<float, 4> KgGrenser(std::int32_t hoyde) {
    // Once for the whole search: every sum of the float counter is rounded in this mode too.
    const detail::TilNaermeste naermeste;
    std::array<float, 4> grense{};
    if (hoyde < 1 || hoyde > detail::StorsteSokHoyde) {
        return grense; // no pass can run, and the square would not fit in 32 bits above the top
    }
    const auto kvadrat = static_cast<double>(hoyde * hoyde);
    // False once the trial BMI has passed 39.9: it only grows with the weight, so no later weight
    // can change a limit.
    const auto besok = [&](float k) {
        const double kilo = static_cast<double>(k);
        // Hundredths of the BMI rounded, then tenths: a trial BMI with up to three decimals.
        const double t = detail::Avrund(kilo / kvadrat * 100000.0, 2) / 10.0;
        // The shown weight is the counter to one decimal, free of its accumulated float error.
        const auto v = static_cast<float>(detail::Avrund(kilo, 1));
        if (t < 18.5) {
            grense[0] = v;
        }
        if (t >= 18.5 && t <= 24.9) {
            grense[1] = v;
        }
        if (t >= 25.0 && t <= 29.9) {
            grense[2] = v;
        }
        if (t >= 30.0 && t <= 39.9) {
            grense[3] = v;
        }
        return t <= 39.9;
    };
    if (hoyde < 11 || hoyde > 299) {
        // Heights the window never accepts keep the walk that ends at the height, which bounds their
        // cost (463400 passes at the top); it never gets past class 4 there.
        detail::GaaVekter(static_cast<float>(hoyde), besok);
        return grense;
    }
    // The heights the window accepts get all four limits. Under 24 cm some lie below 1 kg, so the
    // tenths come first; the walk from 1 kg then runs as always, past the height's own kilograms
    // above 250 cm, until the trial BMI passes 39.9 (by 356.8 kg at 299 cm, far below this end).
    detail::GaaTideler(besok);
    detail::GaaVekter(500.0f, besok);
    // At 11 cm no tenth has a trial BMI from 25 to 29.9: that class's range is empty, at the limit
    // below it.
    for (std::size_t i = 1; i < grense.size(); ++i) {
        if (grense[i] == 0.0f) {
            grense[i] = grense[i - 1];
        }
    }
    return grense;
}

std::array<std::string, 6> Grensetekster(Enhet enhet, std::int32_t hoyde, const NumberFormat& format) {
    const detail::TilNaermeste naermeste;
    if (enhet == Enhet::Bmi) {
        std::array<std::string, 6> linjer;
        std::copy(BmiGrensetekster.begin(), BmiGrensetekster.end(), linjer.begin());
        return linjer;
    }
    const std::array<float, 4> grense = KgGrenser(hoyde);
    std::array<std::string, 4> a;
    for (std::size_t i = 0; i < a.size(); ++i) {
        a[i] = EnkelTilTekst(grense[i], format);
    }
    return Kgtekster(a);
}

std::array<std::string, 6> Kgtekster(const std::array<std::string, 4>& a) {
    return {"Under " + a[0] + " = Undervekt",       a[0] + " - " + a[1] + " = Normalvekt",
            a[1] + " - " + a[2] + " = Overvekt",    a[2] + " - " + a[3] + " = Kraftig overvekt",
            "Over " + a[3] + " = Sykelig overvekt", "Kg. grenseverdier"};
}

} // namespace kroppstall
