#include "kroppstall/beregning.h"

#include "avrund.h"
#include "kroppstall/bmi.h"

#include <utility>

namespace kroppstall {

Resultat RegnUt(std::string_view vekt, std::string_view hoyde, Enhet enhet, const NumberFormat& format) {
    const detail::TilNaermeste naermeste;
    // Both texts are always converted, and the table is built even for an invalid pair.
    const double kilo = LesVekt(vekt, format);
    const std::int32_t cm = LesHoyde(hoyde, format);
    BmiResultat bmi = RegnBmi(kilo, cm, format);
    return {std::move(bmi.BmiTekst), std::move(bmi.VurderingTekst), Grensetekster(enhet, cm, format)};
}

} // namespace kroppstall
