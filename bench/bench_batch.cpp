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

// The typical bird of the batch figures: 0.5 kg, span 0.8 m, wing area 0.06 sq m, at sea level.
void typicalBird(ProgramState& s, platform::ScriptedDialogs& d) {
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtSpName", "Typical");
    bird::EnterBirdField(s, d, "txtEmptyMass", "0.5");
    bird::EnterBirdField(s, d, "txtSpan", "0.8");
    bird::EnterBirdField(s, d, "txtArea", "0.06");
    bird::EnterBirdField(s, d, "txtAlt", "0");
}

bool powerCurveRow() {
    ProgramState s;
    platform::ScriptedDialogs d;
    typicalBird(s, d);
    bird::PressCalculation(s, d, bird::Calculation::PowerCurve);
    flap::LoadSetupFlap(s, d);
    return flap::ComputePowerCurve(s, d);
}

bool glidePolarRow() {
    ProgramState s;
    platform::ScriptedDialogs d;
    typicalBird(s, d);
    bird::PressCalculation(s, d, bird::Calculation::GlidePolar);
    glide::LoadSetupGlide(s, d);
    return glide::ComputeGlidePolar(s, d);
}

// A programmed migration with fat fraction 0.3 towards a goal 3000 km away.
bool migrationRow() {
    ProgramState s;
    platform::ScriptedDialogs d;
    typicalBird(s, d);
    bird::PressCalculation(s, d, bird::Calculation::Migrate);
    migrate::LoadSetupMigrate(s, d);
    migrate::SetupMigrateEdit(s, d, "txtFatFrac", Edit::typed("0.3"));
    migrate::SetupMigrateEdit(s, d, "txtGoalDist", Edit::typed("3000"));
    return migrate::StartMigrating(s, d) == migrate::StartOutcome::Finished;
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
