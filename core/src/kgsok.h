#pragma once

#include <cstdint>

namespace kroppstall::detail {

inline constexpr std::int32_t StorsteSokHoyde = 46340; // largest height whose square fits in 32 bits

// Walks the kilogram search's counter: K = 1, then K + 0.1f rounded to float after every step, while
// K <= the height as a float. Calls besok(K) on every pass. Which weights are visited at the top end
// depends on the float rounding of the sums, so the counter must stay a float.
template <class Besok>
void GaaVekter(std::int32_t hoyde, Besok&& besok) {
    if (hoyde > StorsteSokHoyde) {
        return;
    }
    const float slutt = static_cast<float>(hoyde);
    const float steg = 0.1f;
    for (float k = 1.0f; k <= slutt; k = k + steg) {
        besok(k);
    }
}

} // namespace kroppstall::detail
