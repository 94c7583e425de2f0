#pragma once

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>

// Every core source includes this. The results are bit-exact only when each operation is rounded to
// its own type: x87 code (32-bit x86 without -msse2 -mfpmath=sse) keeps 80-bit intermediates.
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "FLT_EVAL_METHOD != 0 (x87 math?): the core is only exact with -msse2 -mfpmath=sse on 32-bit x86"
#endif

namespace kroppstall::detail {

// Holds the rounding mode at to-nearest for its lifetime, then gives the caller's mode back: a library
// or plug-in in the same process may have left another mode set, and the parser, the scaling in
// Avrund and the kilogram search all round in it. Nested guards cost only the reading of the mode.
class TilNaermeste {
public:
    TilNaermeste() : forrige_(std::fegetround()) {
        if (forrige_ != FE_TONEAREST) {
            std::fesetround(FE_TONEAREST);
        }
    }
    ~TilNaermeste() {
        if (forrige_ != FE_TONEAREST) {
            std::fesetround(forrige_);
        }
    }
    TilNaermeste(const TilNaermeste&) = delete;
    TilNaermeste& operator=(const TilNaermeste&) = delete;

private:
    int forrige_;
};

// Nearest whole number, a value exactly halfway going to the even one. Works on the bits, so it is
// right in any rounding mode, and stays inline because the kilogram search calls it twice per pass.
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

// The scaling and the division are rounded in the current mode: callers hold it at to-nearest.
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
