// Batch throughput: each bird on a state of its own, entered through Enter Bird, its setup screen
// loaded and the calculation run, as one row of "ornivo-cli batch" runs it. Run with 1 and 2 threads;
// items_per_second is the batch rate (10^5 curves or polars in 5 s needs 20000/s, 10^4 migrations in
// 10 s needs 1000/s).
#include <benchmark/benchmark.h>

#include "bird/EnterBird.h"
#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "migrate/SetupMigrate.h"
#include "platform/ScriptedDialogs.h"

using namespace ornivo;

namespace {

// One batch row's own state, with the typical bird of the batch figures entered (0.5 kg, span 0.8 m,
// wing area 0.06 sq m, at sea level) and the calculation's button pressed.
struct BirdRow {
    ProgramState s;
    platform::ScriptedDialogs d;
    explicit BirdRow(bird::Calculation calc) {
        bird::LoadEnterBird(s);
        bird::EnterBirdField(s, d, "txtSpName", "Typical");
        bird::EnterBirdField(s, d, "txtEmptyMass", "0.5");
        bird::EnterBirdField(s, d, "txtSpan", "0.8");
        bird::EnterBirdField(s, d, "txtArea", "0.06");
        bird::EnterBirdField(s, d, "txtAlt", "0");
        bird::PressCalculation(s, d, calc);
    }
};

bool powerCurveRow() {
    BirdRow row(bird::Calculation::PowerCurve);
    flap::LoadSetupFlap(row.s, row.d);
    return flap::ComputePowerCurve(row.s, row.d);
}

bool glidePolarRow() {
    BirdRow row(bird::Calculation::GlidePolar);
    glide::LoadSetupGlide(row.s, row.d);
    return glide::ComputeGlidePolar(row.s, row.d);
}

// A programmed migration with fat fraction 0.3 towards a goal 3000 km away.
bool migrationRow() {
    BirdRow row(bird::Calculation::Migrate);
    migrate::LoadSetupMigrate(row.s, row.d);
    migrate::SetupMigrateEdit(row.s, row.d, "txtFatFrac", Edit::typed("0.3"));
    migrate::SetupMigrateEdit(row.s, row.d, "txtGoalDist", Edit::typed("3000"));
    return migrate::StartMigrating(row.s, row.d) == migrate::StartOutcome::Finished;
}

template <bool (*Row)()>
void BM_BatchRows(benchmark::State& state) {
    for (auto _ : state)
        if (!Row()) state.SkipWithError("the calculation refused the typical bird");
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_BatchRows<powerCurveRow>)->Name("BM_BatchPowerCurves")->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK(BM_BatchRows<glidePolarRow>)->Name("BM_BatchGlidePolars")->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK(BM_BatchRows<migrationRow>)
    ->Name("BM_BatchMigrations")
    ->Threads(1)
    ->Threads(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
