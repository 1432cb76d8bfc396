#include "flap/PowerModel.h"

#include <cmath>

#include "nav/DegreeTrig.h"
#include "state/Single.h"

namespace ornivo::flap {
void BasalMetabolicRate(ProgramState& s, int slot) {
    BirdParams& b = s.slot(slot);
    const double lean = double(b.EmptyMass) - b.FatMass;
    if (s.TaxonGroup == 1) b.Pbmr = f32(double(s.PbmrFactor) * 6.25 * std::pow(lean, 0.724));
    else b.Pbmr = f32(double(s.PbmrFactor) * 3.79 * std::pow(lean, 0.723));
    b.EtaPbmr = f32(double(s.Eta) * b.Pbmr);
}

double PredictedWingbeatFrequency(const ProgramState& s, int slot) {
    const BirdParams& b = s.slot(slot);
    return std::pow(double(b.AllUpMass), 3.0 / 8) * std::pow(double(b.Gravity), 0.5) *
           std::pow(double(b.Span), -23.0 / 24) * std::pow(double(b.WingArea), -1.0 / 3) *
           std::pow(double(s.AirDensity), -3.0 / 8);
}

void WingbeatFrequency(ProgramState& s, int slot) {
    s.slot(slot).WbeatFreq = f32(double(s.FreqFactor) * PredictedWingbeatFrequency(s, slot));
}

void ReferenceWingbeatFrequency(ProgramState& s, int slot) {
    s.slot(0).WbeatFreq = f32(PredictedWingbeatFrequency(s, slot));
}

float StylePowerFraction(const ProgramState& s, int slot) {
    const BirdParams& b = s.slot(slot);
    if (s.FlightStyle == 3) return b.PowerFracBound;
    if (s.FlightStyle == 2) return b.PowerFracFG;
    return 1;
}

void PowerAtSpeed(ProgramState& s, int slot, float V) {
    const BirdParams& b = s.slot(slot);
    const double m = b.AllUpMass, g0 = s.slot(0).Gravity, gs = b.Gravity, Sd = b.DiscArea;
    const double A = b.BodyDragArea, rho = s.AirDensity, k = s.Kflap, v = V;
    float Pflap;
    if (s.FlightStyle == 3) {
        Pflap = f32((0.5 * k * (m * gs) * (m * gs) / (rho * Sd * v) + s.Flap.Ppro) * b.PowerFracBound);
        s.Flap.InducedVelocity = f32(m * gs / (2 * v * Sd * rho));
    } else {
        Pflap = f32(0.5 * k * (m * g0) * (m * g0) / (rho * Sd * v) + s.Flap.Ppro);
        s.Flap.InducedVelocity = f32(m * g0 / (2 * v * Sd * rho));
    }
    s.Flap.Pmech = f32(double(Pflap) + rho * v * v * v * A / 2);
    s.Flap.DownwashAngle = f32(nav::ArcSinD(2 * double(s.Flap.InducedVelocity) / v));
    s.Flap.EffLD = f32(m * g0 * v / s.Flap.Pmech);
    s.Flap.Pchem = f32((double(s.Flap.Pmech) + b.EtaPbmr) * s.Resp / s.Eta);
    s.Flap.EffLDChem = f32(m * g0 * v / (double(s.Flap.Pchem) * s.Eta));
}

void MusclePerformance(ProgramState& s, int slot) {
    const BirdParams& b = s.slot(slot);
    const double f = b.WbeatFreq, g0 = s.slot(0).Gravity, q = StylePowerFraction(s, slot);
    s.Flap.SpecificPower = f32(double(s.Flap.Pmech) / b.MuscleMass);
    s.Flap.MitoFrac = f32(double(s.Flap.SpecificPower) * s.MuscleDensity * s.Kmito);
    s.Flap.MitoMass = f32(double(s.Flap.MitoFrac) * b.MuscleMass);
    s.Flap.MyofibrilMass = f32((1 - double(s.Flap.MitoFrac)) * b.MuscleMass);
    s.Flap.SpecificWork = f32(double(s.Flap.Pmech) / (double(s.Flap.MyofibrilMass) * f * q));
    s.Flap.MyoSpecificPower = f32(double(s.Flap.Pmech) / s.Flap.MyofibrilMass);
    const float v = f32(double(s.Kmito) * 0.3 * s.SigmaMax * s.Lambda * f);
    s.Flap.MitoFracClimbNow = f32(double(v) / (double(v) + 1));
    s.Flap.ClimbRate = f32((double(s.Flap.MaxSpecificWork) - s.Flap.SpecificWork) * b.MuscleFrac *
                      (1 - double(s.Flap.MitoFracClimbNow)) * f / g0);
}

std::optional<float> SettleVmp(const ProgramState& s, const BirdParams& b, double m, double A) {
    const double gs = b.Gravity, Sd = b.DiscArea;
    const double rho = s.AirDensity, k = s.Kflap;
    float a = f32(0.5 * k * (m * gs) * (m * gs) / (rho * Sd));
    if (s.FlightStyle == 3) a = f32(double(a) * b.PowerFracBound);
    const float bb = f32(rho * A / 2);
    const float V =
        f32(0.76 * std::pow(k, 0.25) * std::sqrt(m * gs) / (std::pow(Sd * A, 0.25) * std::sqrt(rho)));
    return SettleSpeed(V, [&](double v) {
        const float D1 = f32(-double(a) / (v * v) + 3 * double(bb) * v * v);
        const float D2 = f32(2 * double(a) / (v * v * v) + 6 * double(bb) * v);
        return f32(v - double(D1) / D2);
    });
}

void FindVmp(ProgramState& s, int slot) {
    const BirdParams& b = s.slot(slot);
    const auto settled = SettleVmp(s, b, b.AllUpMass, b.BodyDragArea);
    if (!settled)
        throw EngineError("The minimum power speed could not be found (the iteration did not settle); "
                          "check the mass, wing span, body drag area and air density");
    s.Flap.VmpExact = *settled;
}

void FindVmr(ProgramState& s, int slot) {
    const BirdParams& b = s.slot(slot);
    const double m = b.AllUpMass, g0 = s.slot(0).Gravity;
    const float e = f32(double(s.Kflap) * m * m * g0 * g0);
    const float G = f32(double(s.AirDensity) * b.DiscArea);
    const float L = f32(double(s.AirDensity) * b.BodyDragArea);
    const float R = f32(double(s.Resp) / s.Eta);
    const double P = s.Flap.Ppro, E = b.EtaPbmr;
    const float V = f32(1.5 * double(s.Flap.VmpExact));
    const auto settled = SettleSpeed(V, [&](double v) {
        const float H = f32((double(L) * v - e / (v * v * v * G) - P / (v * v) - E / (v * v)) * R);
        const float M = f32((double(L) + 3 * double(e) / (G * v * v * v * v) + 2 * P / (v * v * v) +
                             2 * E / (v * v * v)) * R);
        return f32(v - double(H) / M);
    });
    if (!settled)
        throw EngineError("The maximum range speed could not be found (the iteration did not settle); "
                          "check the mass, wing span, body drag area and air density");
    s.Flap.VmrExact = *settled;
}

}  // namespace ornivo::flap
