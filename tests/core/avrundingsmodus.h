#pragma once

#include <cfenv>
#include <gtest/gtest.h>

namespace kroppstall {

// Runs the checks once under each rounding mode a caller may have set, and checks that the mode is
// still the caller's afterwards. Tables of expected values are built before, under to-nearest.
template <class Sjekk>
void IHverAvrundingsmodus(Sjekk&& sjekk) {
    struct Modus {
        int verdi;
        const char* navn;
    };
    for (const Modus m : {Modus{FE_TONEAREST, "FE_TONEAREST"}, Modus{FE_UPWARD, "FE_UPWARD"},
                          Modus{FE_DOWNWARD, "FE_DOWNWARD"}, Modus{FE_TOWARDZERO, "FE_TOWARDZERO"}}) {
        SCOPED_TRACE(m.navn);
        ASSERT_EQ(std::fesetround(m.verdi), 0);
        sjekk();
        const int etter = std::fegetround();
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(etter, m.verdi) << "the caller's rounding mode was not given back";
    }
}

} // namespace kroppstall
