// Drawing the power-curve graph of a typical 1 kg bird on the recording surface (the core's share
// of every screen, picture and printed page).
#include <benchmark/benchmark.h>

#include "bird/EnterBird.h"
#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "graph/PowerGraph.h"
#include "graph/RecordingSurface.h"
#include "platform/ScriptedDialogs.h"

using namespace ornivo;

static void BM_DrawPowerGraph(benchmark::State& state) {
    ProgramState s;
    platform::ScriptedDialogs d;
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtSpName", "Typical");
    bird::EnterBirdField(s, d, "txtEmptyMass", "1");
    bird::EnterBirdField(s, d, "txtSpan", "1");
    bird::EnterBirdField(s, d, "txtArea", "0.15");
    bird::EnterBirdField(s, d, "txtAlt", "0");
    bird::PressCalculation(s, d, bird::Calculation::PowerCurve);
    flap::LoadSetupFlap(s, d);
    if (!flap::ComputePowerCurve(s, d)) {
        state.SkipWithError("power curve refused");
        return;
    }
    for (auto _ : state) {
        graph::RecordingSurface surface(673, 497);
        graph::Rotator rotator;
        benchmark::DoNotOptimize(graph::DrawPowerGraph(s, surface, rotator));
        benchmark::DoNotOptimize(surface.Calls().size());
    }
}
BENCHMARK(BM_DrawPowerGraph);
