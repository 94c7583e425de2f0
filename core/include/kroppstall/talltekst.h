#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kroppstall {

// The user's number format, as UTF-8 separators. The backend reads it once from the system and hands
// the same value to every caller, so the enable check and the calculation always agree.
struct NumberFormat {
    std::string decimal;
    std::string grouping;

    static NumberFormat Norsk();   // "," and U+00A0
    static NumberFormat Engelsk(); // "." and ","

    friend bool operator==(const NumberFormat&, const NumberFormat&) = default;
};

// Weight text to kilograms; 0 when the text is not a number in the format.
double LesVekt(std::string_view tekst, const NumberFormat& format);

// Height text to whole centimetres, a fraction rounded half to even; 0 when the text is not a number
// in the format or the rounded value does not fit in 32 bits.
std::int32_t LesHoyde(std::string_view tekst, const NumberFormat& format);

// True when 10 < weight < 500 and 10 < height < 300.
bool ErGyldig(double vekt, std::int32_t hoyde);

// x rounded to n decimals (n >= 0), a value exactly halfway going to the even neighbour,
// independent of the floating-point environment's rounding mode.
double Avrund(double x, int n);

// Plain positional text with the format's decimal separator, no grouping, no trailing zeros:
// a double to 15 significant digits, a float to 7.
std::string TallTilTekst(double verdi, const NumberFormat& format);
std::string EnkelTilTekst(float verdi, const NumberFormat& format);

} // namespace kroppstall
