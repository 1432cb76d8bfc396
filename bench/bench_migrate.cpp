// A whole programmed migration run of a 0.5 kg bird with fat fraction 0.3, flying until out of fuel,
// with each protein burn criterion (and with a climb).
#include <benchmark/benchmark.h>

#include "bird/EnterBird.h"
#include "migrate/SetupMigrate.h"
#include "platform/ScriptedDialogs.h"

using namespace ornivo;

static void migratingBird(ProgramState& s, platform::ScriptedDialogs& d, const char* criterion, bool climb) {
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtSpName", "Migrant");
    bird::EnterBirdField(s, d, "txtEmptyMass", "0.5");
    bird::EnterBirdField(s, d, "txtSpan", "1.3");
    bird::EnterBirdField(s, d, "txtArea", "0.12");
    bird::EnterBirdField(s, d, "txtAlt", "0");
    bird::PressCalculation(s, d, bird::Calculation::Migrate);
    migrate::LoadSetupMigrate(s, d);
    migrate::SetupMigrateEdit(s, d, "txtFatFrac", Edit::typed("0.3"));
    migrate::SetupMigrateEdit(s, d, criterion, Edit::click());
    if (climb) migrate::SetupMigrateEdit(s, d, "txtAltCruise", Edit::typed("1500"));
}

static void BM_MigrationRun(benchmark::State& state, const char* criterion, bool climb) {
    ProgramState s;
    platform::ScriptedDialogs d;
    migratingBird(s, d, criterion, climb);
    const ProgramState start = s;
    for (auto _ : state) {
        s = start;
        benchmark::DoNotOptimize(migrate::StartMigrating(s, d));
    }
    state.counters["hours"] = s.Migration.Mig.HoursFlown;
}
BENCHMARK_CAPTURE(BM_MigrationRun, specific_work, "optSpWorkConst", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MigrationRun, specific_power, "optSpPowerConst", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MigrationRun, muscle_mass, "optMuscleMassConst", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MigrationRun, specific_work_climb, "optSpWorkConst", true)->Unit(benchmark::kMillisecond);
