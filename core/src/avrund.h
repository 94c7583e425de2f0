#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

// Every core source includes this. The results are bit-exact only when each operation is rounded to
// its own type: x87 code (32-bit x86 without -msse2 -mfpmath=sse) keeps 80-bit intermediates.
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "FLT_EVAL_METHOD != 0 (x87 math?): the core is only exact with -msse2 -mfpmath=sse on 32-bit x86"
#endif

namespace kroppstall::detail {

// Nearest whole number, a value exactly halfway going to the even one. Works on the bits rather than
// the floating-point environment's rounding mode, and stays inline because the kilogram search
// calls it twice per pass.
inline double NaermesteHele(double y) {
    constexpr double AlleredeHel = 4503599627370496.0; // 2^52: every double this large is whole
    if (!(std::fabs(y) < AlleredeHel)) {
        return y; // whole already, infinite or NaN
    }
    const auto avkortet = static_cast<std::int64_t>(y); // toward zero, exact in this range
    std::int64_t ned = avkortet;
    if (static_cast<double>(avkortet) > y) {
        --ned; // floor for negative fractions
    }
    const double rest = y - static_cast<double>(ned); // exact: a fraction of y's own ulp grid
    if (rest > 0.5 || (rest == 0.5 && (ned & 1) != 0)) {
        ++ned;
    }
    return static_cast<double>(ned);
}

inline double Avrund(double x, int n) {
    if (n <= 0) {
        return NaermesteHele(x);
    }
    double skala = 1.0;
    for (int i = 0; i < n; ++i) {
        skala *= 10.0;
    }
    return NaermesteHele(x * skala) / skala;
}

} // namespace kroppstall::detail
