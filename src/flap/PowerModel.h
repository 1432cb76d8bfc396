#pragma once
// The flapping-flight power model, on any slot: the glide and migration engines call these
// with their own slot. Singles stored, expressions evaluated in double.
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "state/ProgramState.h"

namespace ornivo::flap {

// An engine that cannot go on (no convergence, an undefined value): its message is shown as a refusal.
struct EngineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Newton iterations stop after this many steps with an EngineError instead of hanging.
constexpr int MaxNewtonSteps = 200;

// Newton's iteration on a speed, in singles, from the estimate V: `next` gives the next estimate from the
// current one. It has settled when two estimates agree within 1 mm/s; nothing when it runs out of steps
// or of finite numbers.
template <class Next>
std::optional<float> SettleSpeed(float V, Next next) {
    for (int i = 0; i < MaxNewtonSteps; ++i) {
        const float Vnew = next(double(V));
        if (std::fabs(Vnew - V) <= 0.001f) return Vnew;
        if (!std::isfinite(Vnew)) break;
        V = Vnew;
    }
    return std::nullopt;
}

// Pbmr[slot] from the lean mass EmptyMass - FatMass, then EtaPbmr[slot].
void BasalMetabolicRate(ProgramState& s, int slot);
// Predicted wingbeat frequency of the slot (Hz), without FreqFactor.
double PredictedWingbeatFrequency(const ProgramState& s, int slot);
// WbeatFreq[slot] = FreqFactor x predicted; WbeatFreqRef into WbeatFreq[0].
void WingbeatFrequency(ProgramState& s, int slot);
void ReferenceWingbeatFrequency(ProgramState& s, int slot);

// Sets Pmech, Pchem, EffLD, EffLDChem, InducedVelocity, DownwashAngle at true air speed V.
void PowerAtSpeed(ProgramState& s, int slot, float V);
// Muscle working values and ClimbRate from the last Pmech.
void MusclePerformance(ProgramState& s, int slot);
// VmpExact and VmrExact by Newton iteration (VmrExact needs VmpExact and Ppro).
// The minimum-power speed of a bird of all-up mass m and body drag area A on the wing and in the air of
// `b` and `s`; nothing when the iteration does not settle. The migration calls it with its current masses.
std::optional<float> SettleVmp(const ProgramState& s, const BirdParams& b, double m, double A);
void FindVmp(ProgramState& s, int slot);
void FindVmr(ProgramState& s, int slot);

// Mechanical power's power fraction of the flight style: PowerFracBound, PowerFracFG or 1.
float StylePowerFraction(const ProgramState& s, int slot);

}  // namespace ornivo::flap
