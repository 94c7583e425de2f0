#pragma once

#include "kroppstall/core.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <string_view>

namespace kroppstall::fuzz {

// A broken property ends the run at once, so that libFuzzer saves the input as a crash.
[[noreturn]] inline void Brudd(const char* egenskap, std::string_view detaljer) {
    std::fprintf(stderr, "property broken: %s\n  %.*s\n", egenskap, static_cast<int>(detaljer.size()),
                 detaljer.data());
    std::abort();
}

inline void Krev(bool holder, const char* egenskap, std::string_view detaljer = {}) {
    if (!holder) {
        Brudd(egenskap, detaljer);
    }
}

// The two formats the program meets (Qt gives U+00A0 as the Norwegian grouping, like NumberFormat::Norsk)
// and any pair of separators the input spells out, up to four bytes each: empty, multi-byte, equal,
// not even UTF-8.
inline NumberFormat LesFormat(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return NumberFormat::Norsk();
    case 1:
        return NumberFormat::Engelsk();
    case 2: {
        std::string skiller = data.ConsumeBytesAsString(data.ConsumeIntegralInRange<std::size_t>(0, 4));
        return {skiller, skiller};
    }
    default: {
        std::string desimal = data.ConsumeBytesAsString(data.ConsumeIntegralInRange<std::size_t>(0, 4));
        std::string gruppe = data.ConsumeBytesAsString(data.ConsumeIntegralInRange<std::size_t>(0, 4));
        return {desimal, gruppe};
    }
    }
}

inline std::string Vis(const NumberFormat& f) {
    std::string s = "decimal [";
    for (char c : f.decimal) {
        s += std::to_string(static_cast<unsigned char>(c)) + " ";
    }
    s += "] grouping [";
    for (char c : f.grouping) {
        s += std::to_string(static_cast<unsigned char>(c)) + " ";
    }
    return s + "]";
}

} // namespace kroppstall::fuzz
