// A whole glide-polar run (flapping comparison speeds, scan with the MacCready rows) for the example
// 2.2 kg bird, set up through Enter Bird and the glide setup load.
#include <benchmark/benchmark.h>

#include "bird/EnterBird.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "platform/ScriptedDialogs.h"

using namespace ornivo;

static void exampleGlider(ProgramState& s, platform::ScriptedDialogs& d) {
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtSpName", "Example glider");
    bird::EnterBirdField(s, d, "txtEmptyMass", "2.2");
    bird::EnterBirdField(s, d, "txtSpan", "1.4");
    bird::EnterBirdField(s, d, "txtArea", "0.33");
    bird::EnterBirdField(s, d, "txtAlt", "0");
    bird::PressCalculation(s, d, bird::Calculation::GlidePolar);
    glide::LoadSetupGlide(s, d);
}

static void BM_ComputeGlidePolar(benchmark::State& state) {
    ProgramState s;
    platform::ScriptedDialogs d;
    exampleGlider(s, d);
    for (auto _ : state) benchmark::DoNotOptimize(glide::ComputeGlidePolar(s, d));
}
BENCHMARK(BM_ComputeGlidePolar);

static void BM_ComputeGlidePolarMinimumDrag(benchmark::State& state) {
    ProgramState s;
    platform::ScriptedDialogs d;
    exampleGlider(s, d);
    glide::SetupGlideEdit(s, d, "optMinDrag", Edit::click());
    for (auto _ : state) benchmark::DoNotOptimize(glide::ComputeGlidePolar(s, d));
}
BENCHMARK(BM_ComputeGlidePolarMinimumDrag);
