#pragma once

#include "kroppstall/talltekst.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kroppstall {

enum class Enhet { Kg, Bmi };

// The limit table for the Bmi unit, the same for every input; the window also shows it before the
// first calculation.
inline constexpr std::array<std::string_view, 6> BmiGrensetekster{
    "Under 18,5 = Undervekt",       "18,5 - 24,9 = Normalvekt",   "25 - 29,9 = Overvekt",
    "30 - 39,9 = Kraftig overvekt", "Over 40 = Sykelig overvekt", "BMI grenseverdier"};

// Heaviest visited weight of each of the classes 1 to 4 for the height, found by walking a
// single-precision counter from 1 kg in steps of 0.1f. The heights the window accepts (11 to 299) also
// visit the tenths under 1 kg and walk on past the height until class 4 ends, so all four are set;
// other heights walk up to the height only, with 0 where a class is never reached. Heights above 46340
// (whose square does not fit in 32 bits) give four zeros.
std::array<float, 4> KgGrenser(std::int32_t hoyde);

// The kilogram table's five lines and heading around the texts of the four limits.
std::array<std::string, 6> Kgtekster(const std::array<std::string, 4>& a);

// The heading and the five lines of the limit table for the unit; with Bmi the height is ignored.
std::array<std::string, 6> Grensetekster(Enhet enhet, std::int32_t hoyde, const NumberFormat& format);

} // namespace kroppstall
