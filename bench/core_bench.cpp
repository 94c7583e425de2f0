#include "kroppstall/core.h"

#include <benchmark/benchmark.h>
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

} // namespace

BENCHMARK_MAIN();
