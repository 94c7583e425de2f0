// Limit tables: KgGrenser and Grensetekster on arbitrary 32-bit heights. A height costs at most
// 463400 passes (46340 cm); every height above that must come back at once.
#include "egenskaper.h"

#include <array>

namespace kroppstall::fuzz {
namespace {

std::string Vis(std::int32_t hoyde, const std::array<float, 4>& g) {
    std::string s = "height " + std::to_string(hoyde) + ":";
    for (float v : g) {
        s += " " + std::to_string(v);
    }
    return s;
}

void SjekkGrenser(std::int32_t hoyde) {
    const std::array<float, 4> g = KgGrenser(hoyde);
    for (float v : g) {
        Krev(v >= 0.0f, "no limit is negative", Vis(hoyde, g));
    }
    // A limit the search sets is never below one set before it; a class never reached stays 0.
    float forrige = 0.0f;
    for (float v : g) {
        if (v != 0.0f) {
            Krev(v >= forrige, "the limits that are set never fall", Vis(hoyde, g));
            forrige = v;
        }
    }
    // Up to the height where the heaviest visited weight stops reaching class 4 (BMI 30), the unset
    // classes are the lowest ones only, so the whole row never falls.
    if (hoyde <= 333) {
        for (std::size_t i = 0; i + 1 < g.size(); ++i) {
            Krev(g[i] <= g[i + 1], "the four limits never fall", Vis(hoyde, g));
        }
    }
    if (hoyde < 11 || hoyde > 299) {
        // Heights the window refuses walk from 1 kg up to the height and no further.
        const double tak = hoyde < 0 ? 0.0 : static_cast<double>(hoyde);
        for (float v : g) {
            Krev(static_cast<double>(v) <= tak, "a refused height's limits lie within the height",
                 Vis(hoyde, g));
        }
        return;
    }
    // A height the window accepts has all four limits, each the heaviest 0.1 kg step at or below its
    // class bound: the bound lies between the limit's BMI and the next step's, give or take the trial
    // BMI's rounding and the float counter's drift (a few thousandths).
    constexpr std::array<double, 4> Klassegrense{18.5, 24.9, 29.9, 39.9};
    const double meter = hoyde / 100.0;
    for (std::size_t i = 0; i < g.size(); ++i) {
        const double kilo = static_cast<double>(g[i]);
        Krev(kilo > 0.0, "a valid height has all four limits", Vis(hoyde, g));
        Krev(kilo / (meter * meter) <= Klassegrense[i] + 0.01 &&
                 (kilo + 0.1) / (meter * meter) >= Klassegrense[i] - 0.01,
             "a valid height's limit lies within a 0.1 kg step below its class bound", Vis(hoyde, g));
    }
}

// The number between two pieces of a line, as a view into the line.
std::string_view Mellom(std::string_view linje, std::string_view foran, std::string_view bak) {
    Krev(linje.starts_with(foran) && linje.ends_with(bak), "the line has its fixed pieces", linje);
    linje.remove_prefix(foran.size());
    linje.remove_suffix(bak.size());
    return linje;
}

void SjekkKgTekster(std::int32_t hoyde, const NumberFormat& f) {
    const std::array<std::string, 6> l = Grensetekster(Enhet::Kg, hoyde, f);
    const std::array<float, 4> g = KgGrenser(hoyde);
    Krev(l[5] == "Kg. grenseverdier", "the kilogram heading", l[5]);

    const std::string_view a0 = Mellom(l[0], "Under ", " = Undervekt");
    const std::string_view a3 = Mellom(l[4], "Over ", " = Sykelig overvekt");
    const std::array<std::string_view, 3> par{Mellom(l[1], "", " = Normalvekt"),
                                              Mellom(l[2], "", " = Overvekt"),
                                              Mellom(l[3], "", " = Kraftig overvekt")};
    std::array<std::string_view, 4> a{a0, {}, {}, a3};
    for (std::size_t i = 0; i < par.size(); ++i) {
        const std::size_t strek = par[i].find(" - ");
        Krev(strek != std::string_view::npos, "a range line has its dash", par[i]);
        // The lower number of a range is the upper number of the line before, not a tenth more.
        Krev(par[i].substr(0, strek) == a[i], "a range starts where the line before ends", par[i]);
        if (i + 1 < a.size() - 1) {
            a[i + 1] = par[i].substr(strek + 3);
        } else {
            Krev(par[i].substr(strek + 3) == a3, "the last range ends at the Over number", par[i]);
        }
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double lest = LesVekt(a[i], f);
        // Zero limits read as 0 too, so a text that failed to parse would also pass as "0":
        // a zero limit must be written as the digit 0 itself.
        if (g[i] == 0.0f) {
            Krev(a[i] == "0", "a limit never set is shown as 0", a[i]);
            continue;
        }
        Krev(static_cast<float>(lest) == g[i], "a limit text reads back to the limit", a[i]);
        Krev(Avrund(lest, 1) == lest, "a limit text has at most one decimal", a[i]);
    }
}

} // namespace
} // namespace kroppstall::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kroppstall;
    using namespace kroppstall::fuzz;
    FuzzedDataProvider data(bytes, size);
    const auto hoyde = data.ConsumeIntegral<std::int32_t>();
    const bool engelsk = data.ConsumeBool();
    const NumberFormat format = engelsk ? NumberFormat::Engelsk() : NumberFormat::Norsk();

    SjekkGrenser(hoyde);
    SjekkKgTekster(hoyde, format);
    const std::array<std::string, 6> bmi = Grensetekster(Enhet::Bmi, hoyde, format);
    for (std::size_t i = 0; i < bmi.size(); ++i) {
        Krev(bmi[i] == BmiGrensetekster[i], "the BMI table does not depend on the height", bmi[i]);
    }
    return 0;
}
