#pragma once

#include "kroppstall/grenser.h"
#include "kroppstall/talltekst.h"

#include <array>
#include <string>
#include <string_view>

namespace kroppstall {

// What one calculation yields: the texts of the two result boxes and of the six limit labels.
struct Resultat {
    std::string BmiTekst;
    std::string VurderingTekst;
    std::array<std::string, 6> Grensetekst;

    friend bool operator==(const Resultat&, const Resultat&) = default;
};

// The whole calculation behind Calculate: both texts converted, the BMI texts, then the limit table.
Resultat RegnUt(std::string_view vekt, std::string_view hoyde, Enhet enhet, const NumberFormat& format);

} // namespace kroppstall
