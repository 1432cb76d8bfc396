// The library API: one call and a batch of birds given as fields, as the Python and R packages call
// it. items_per_second is the rate (10^5 power curves in 2 s on 2 cores needs 50000/s; 10^4
// programmed migrations in 10 s needs 1000/s).
#include <benchmark/benchmark.h>

#include "api/Ornivo.h"

using namespace ornivo::api;

namespace {

Fields typicalBird(double mass) {
    return {{"SpName", std::string("Typical")}, {"EmptyMass", mass}, {"Span", 0.8}, {"WingArea", 0.06},
            {"Altitude", 0.0}};
}

std::vector<Fields> birds(std::size_t n, bool migration) {
    std::vector<Fields> rows;
    for (std::size_t i = 0; i < n; ++i) {
        Fields f = typicalBird(0.4 + 0.2 * static_cast<double>(i % 100) / 100);
        if (migration) {
            f.emplace_back("txtFatFrac", 0.3);
            f.emplace_back("txtGoalDist", 3000.0);
        }
        rows.push_back(std::move(f));
    }
    return rows;
}

void BM_PowerCurveCall(benchmark::State& state) {
    const Fields f = typicalBird(0.5);
    for (auto _ : state) benchmark::DoNotOptimize(Run(Calc::PowerCurve, f));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PowerCurveCall)->Unit(benchmark::kMicrosecond);

// A batch of scalars only, as power_curves() of a DataFrame: args {birds, threads}.
void BM_PowerCurveBatch(benchmark::State& state) {
    const auto rows = birds(static_cast<std::size_t>(state.range(0)), false);
    CallOptions o;
    o.tables = false;
    o.threads = static_cast<int>(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(RunBatch(Calc::PowerCurve, rows, o));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PowerCurveBatch)->Args({10000, 1})->Args({10000, 2})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MigrationBatch(benchmark::State& state) {
    const auto rows = birds(static_cast<std::size_t>(state.range(0)), true);
    CallOptions o;
    o.tables = false;
    o.threads = static_cast<int>(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(RunBatch(Calc::Migrate, rows, o));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MigrationBatch)->Args({1000, 2})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PowerAtSpeeds(benchmark::State& state) {
    Bird b;
    b.SpName = "Typical";
    b.EmptyMass = 0.5;
    b.Span = 0.8;
    b.WingArea = 0.06;
    std::vector<double> speeds;
    for (int i = 0; i < state.range(0); ++i) speeds.push_back(5 + 15.0 * i / state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(PowerAtSpeeds(b, speeds));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PowerAtSpeeds)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
