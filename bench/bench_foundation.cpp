// Number text is on every screen refresh and every output cell: FormatSig and LeadingNumber.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "state/numtext.h"

namespace {

const std::array<float, 8> kValues = {0.0123f, 1.1115825f, 12.3f, 123.4f, 12345.0f, 999999.0f, -2500000.0f, 9e-6f};
const std::array<std::string, 6> kTexts = {"12abc", "1.2E-06x", " 7", ".5", "", "1013.25"};

void BM_FormatSig(benchmark::State& state) {
    const int digits = static_cast<int>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ornivo::FormatSig(kValues[i++ % kValues.size()], digits));
    }
}
BENCHMARK(BM_FormatSig)->Arg(3)->Arg(4);

void BM_LeadingNumber(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ornivo::LeadingNumber(kTexts[i++ % kTexts.size()]));
    }
}
BENCHMARK(BM_LeadingNumber);

}  // namespace
