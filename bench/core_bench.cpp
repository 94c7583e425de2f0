#include "kroppstall/core.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>

namespace {

using kroppstall::Enhet;
using kroppstall::NumberFormat;

// What every keystroke in either input box costs: both conversions and the validity rule.
void Tastetrykk(benchmark::State& state) {
    const NumberFormat format = NumberFormat::Norsk();
    std::string vekt = "80,5";
    std::string hoyde = "180";
    for (auto _ : state) {
        benchmark::DoNotOptimize(vekt.data());
        benchmark::DoNotOptimize(hoyde.data());
        const bool gyldig =
            kroppstall::ErGyldig(kroppstall::LesVekt(vekt, format), kroppstall::LesHoyde(hoyde, format));
        benchmark::DoNotOptimize(gyldig);
    }
}
BENCHMARK(Tastetrykk);

void RegnUtBmi(benchmark::State& state) {
    const NumberFormat format = NumberFormat::Norsk();
    for (auto _ : state) {
        benchmark::DoNotOptimize(kroppstall::RegnUt("80", "180", Enhet::Bmi, format));
    }
}
BENCHMARK(RegnUtBmi);

void RegnUtKg(benchmark::State& state) {
    const NumberFormat format = NumberFormat::Norsk();
    const std::string hoyde = std::to_string(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(kroppstall::RegnUt("80", hoyde, Enhet::Kg, format));
    }
}
BENCHMARK(RegnUtKg)->Arg(180)->Arg(299);

// The kilogram search alone, at the shortest and tallest valid heights and at 46340 cm, the tallest
// it searches (no window asks for it: the height is invalid there).
void KgSok(benchmark::State& state) {
    const auto hoyde = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(kroppstall::KgGrenser(hoyde));
    }
}
BENCHMARK(KgSok)->Arg(11)->Arg(180)->Arg(299)->Arg(46340)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
