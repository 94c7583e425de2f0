// Number texts: LesVekt, LesHoyde and RegnUt on arbitrary bytes in arbitrary number formats.
#include "egenskaper.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace kroppstall::fuzz {
namespace {

bool ErSiffer(char c) {
    return c >= '0' && c <= '9';
}

// A format in which the program's own number texts can be read back: a decimal separator that is
// there and does not begin with a digit. Equal or overlapping separators are allowed.
bool KanLesesTilbake(const NumberFormat& f) {
    return !f.decimal.empty() && !ErSiffer(f.decimal.front());
}

void SjekkHoydeErAvrundetVekt(std::string_view tekst, const NumberFormat& f) {
    const double vekt = LesVekt(tekst, f);
    const std::int32_t hoyde = LesHoyde(tekst, f);
    Krev(std::isfinite(vekt), "LesVekt gives a finite value", tekst);
    // nearbyint in the default rounding mode: half to even, computed independently of the core.
    const double hel = std::nearbyint(vekt);
    const bool passer = hel >= -2147483648.0 && hel <= 2147483647.0;
    const std::int32_t forventet = passer ? static_cast<std::int32_t>(hel) : 0;
    if (hoyde != forventet) {
        Brudd("LesHoyde is LesVekt rounded half to even, or 0 beyond 32 bits",
              std::string(tekst) + " -> " + std::to_string(vekt) + " / " + std::to_string(hoyde) + "; " +
                  Vis(f));
    }
}

void SjekkTekstLesesTilbake(double verdi, const NumberFormat& f) {
    const std::string tekst = TallTilTekst(verdi, f);
    if (LesVekt(tekst, f) != verdi) {
        Brudd("TallTilTekst reads back with LesVekt", tekst + "; " + Vis(f));
    }
}

void SjekkRegnUt(std::string_view vekt, std::string_view hoyde, Enhet enhet, const NumberFormat& f) {
    const Resultat r = RegnUt(vekt, hoyde, enhet, f);
    const double kilo = LesVekt(vekt, f);
    const std::int32_t cm = LesHoyde(hoyde, f);
    const bool gyldig = ErGyldig(kilo, cm);
    Krev(r.BmiTekst.empty() == !gyldig, "BmiTekst is empty exactly for an invalid pair", r.BmiTekst);
    Krev(r.VurderingTekst.empty() == !gyldig, "VurderingTekst is empty exactly for an invalid pair",
         r.VurderingTekst);
    if (gyldig && KanLesesTilbake(f)) {
        const double bmi = LesVekt(r.BmiTekst, f);
        Krev(bmi == BeregnBmi(kilo, cm), "the BMI text reads back to the BMI", r.BmiTekst);
        Krev(bmi >= 1.1 && bmi <= 41322.3, "the BMI lies in its range", r.BmiTekst);
    }
}

} // namespace
} // namespace kroppstall::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kroppstall;
    using namespace kroppstall::fuzz;
    FuzzedDataProvider data(bytes, size);
    const NumberFormat format = LesFormat(data);
    const Enhet enhet = data.ConsumeBool() ? Enhet::Kg : Enhet::Bmi;
    // Tenths: the BMI range 1.1 to 41322.3, then any 32-bit count of tenths.
    const auto tideler = data.ConsumeIntegralInRange<std::uint32_t>(11, 413223);
    const auto fritt = data.ConsumeIntegral<std::uint32_t>();
    const std::string tekst = data.ConsumeRemainingBytesAsString();

    // The weight text up to the first line break, the height text after it.
    const std::size_t skille = tekst.find('\n');
    const std::string_view hele = tekst;
    const std::string_view vekt = hele.substr(0, skille);
    const std::string_view hoyde = skille == std::string::npos ? hele : hele.substr(skille + 1);

    SjekkHoydeErAvrundetVekt(hele, format);
    SjekkHoydeErAvrundetVekt(vekt, format);
    SjekkHoydeErAvrundetVekt(hoyde, format);
    if (KanLesesTilbake(format)) {
        SjekkTekstLesesTilbake(tideler / 10.0, format);
        SjekkTekstLesesTilbake(fritt / 10.0, format);
    }
    SjekkRegnUt(vekt, hoyde, enhet, format);
    return 0;
}
