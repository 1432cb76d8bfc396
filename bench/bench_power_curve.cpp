// A whole power-curve run (Newton speeds, scan) and the uncertainty for a typical 1 kg bird.
#include <benchmark/benchmark.h>

#include "bird/EnterBird.h"
#include "flap/PowerCurve.h"
#include "flap/PowerUncertainty.h"
#include "flap/SetupFlap.h"
#include "platform/ScriptedDialogs.h"

using namespace ornivo;

static void typical(ProgramState& s, platform::ScriptedDialogs& d) {
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtSpName", "Typical");
    bird::EnterBirdField(s, d, "txtEmptyMass", "1");
    bird::EnterBirdField(s, d, "txtSpan", "1");
    bird::EnterBirdField(s, d, "txtArea", "0.15");
    bird::EnterBirdField(s, d, "txtAlt", "0");
    bird::PressCalculation(s, d, bird::Calculation::PowerCurve);
    flap::LoadSetupFlap(s, d);
}

static void BM_ComputePowerCurve(benchmark::State& state) {
    ProgramState s;
    platform::ScriptedDialogs d;
    typical(s, d);
    for (auto _ : state) benchmark::DoNotOptimize(flap::ComputePowerCurve(s, d));
}
BENCHMARK(BM_ComputePowerCurve);

static void BM_PowerUncertainty(benchmark::State& state) {
    ProgramState s;
    platform::ScriptedDialogs d;
    typical(s, d);
    flap::ComputePowerCurve(s, d);
    for (auto _ : state) {
        flap::UncertaintyModel m;
        flap::LoadUncertaintyModel(s, d, m);
        benchmark::DoNotOptimize(flap::ComputePowerUncertainty(s, d, m, flap::WildPopulation()));
    }
}
BENCHMARK(BM_PowerUncertainty);
