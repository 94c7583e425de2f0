#pragma once

#include "kroppstall/talltekst.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kroppstall {

struct BmiResultat {
    std::string BmiTekst;
    std::string VurderingTekst;

    friend bool operator==(const BmiResultat&, const BmiResultat&) = default;
};

// The BMI as a whole number of tenths; the pair must satisfy ErGyldig.
double BeregnBmi(double vekt, std::int32_t hoyde);

// The assessment text of the weight class that the BMI falls in; each limit belongs to the class above.
std::string_view Vurder(double bmi);

// The two result texts, both empty when the pair is invalid.
BmiResultat RegnBmi(double vekt, std::int32_t hoyde, const NumberFormat& format);

} // namespace kroppstall
