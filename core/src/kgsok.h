#pragma once

#include <cstdint>

namespace kroppstall::detail {

inline constexpr std::int32_t StorsteSokHoyde = 46340; // largest height whose square fits in 32 bits

// Walks the kilogram search's counter: K = 1, then K + 0.1f rounded to float after every step, while
// K <= slutt. Calls besok(K) on every pass and stops early when it returns false. Which weights are
// visited at the top end depends on the float rounding of the sums, so the counter must stay a float.
// From 2^21 on K + 0.1f rounds back to K, so slutt must stay well below that or the walk never ends.
template <class Besok>
void GaaVekter(float slutt, Besok&& besok) {
    const float steg = 0.1f;
    for (float k = 1.0f; k <= slutt; k = k + steg) {
        if (!besok(k)) {
            return;
        }
    }
}

// The tenths under 1 kg, 0.1f to 0.9f (each the float nearest its tenth), in rising order: the
// shortest heights have class limits there. Stops early when besok returns false.
template <class Besok>
void GaaTideler(Besok&& besok) {
    for (int tideler = 1; tideler < 10; ++tideler) {
        if (!besok(static_cast<float>(tideler) / 10.0f)) {
            return;
        }
    }
}

} // namespace kroppstall::detail
