#include "kroppstall/bmi.h"

#include "avrund.h"

namespace kroppstall {

double BeregnBmi(double vekt, std::int32_t hoyde) {
    const detail::TilNaermeste naermeste;
    // 64-bit square: the same value as the 32-bit one for every valid height, and no overflow otherwise.
    const auto kvadrat = static_cast<std::int64_t>(hoyde) * hoyde;
    // Division first, then the scaling to tenths, each rounded to double: the last digit depends on it.
    const double tideler = vekt / static_cast<double>(kvadrat) * 100000.0;
    return Avrund(tideler, 0) / 10.0;
}

std::string_view Vurder(double bmi) {
    if (bmi < 18.5) {
        return "Undervekt";
    }
    if (bmi < 25.0) {
        return "Normalvekt";
    }
    if (bmi < 30.0) {
        return "Overvekt";
    }
    if (bmi < 40.0) {
        return "Kraftig overvekt";
    }
    return "Sykelig overvekt";
}

BmiResultat RegnBmi(double vekt, std::int32_t hoyde, const NumberFormat& format) {
    const detail::TilNaermeste naermeste;
    if (!ErGyldig(vekt, hoyde)) {
        return {};
    }
    const double bmi = BeregnBmi(vekt, hoyde);
    return {TallTilTekst(bmi, format), std::string(Vurder(bmi))};
}

} // namespace kroppstall
