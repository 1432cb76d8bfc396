#include "flap/PowerCurve.h"

#include <cmath>
#include <string>

#include "flap/PowerModel.h"
#include "flap/ScanSpeed.h"
#include "state/Single.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::flap {
namespace {

constexpr int TableRows = 11;
constexpr int MaxScanSteps = 20000;  // 2000 m/s of 0.1 m/s steps: far beyond any bird

// The wing and body Reynolds numbers and the reduced frequency (mean chord) at a speed, for a wingbeat
// frequency f.
struct FlowNumbers {
    float reWing, reBody, fred;
};
FlowNumbers flowAt(const ProgramState& s, const BirdParams& b, double f, float V) {
    return {f32(double(V) * b.MeanChord / s.KinViscosity), f32(double(V) * b.BodyDiameter / s.KinViscosity),
            f32(f * s.Pi * b.MeanChord / V)};
}

void ensureColumn(ProgramState& s, int c) {
    if (c <= s.Flap.CurveLastIndex && c < static_cast<int>(s.Flap.PowerCurveTable[0].size())) return;
    // A bounding bird at a low power fraction scans past the speeds sized from VmrExact: grow the table.
    s.Flap.CurveLastIndex = CInt(c);
    for (auto& row : s.Flap.PowerCurveTable) row.resize(static_cast<std::size_t>(c) + 1, 0.0f);
}

// Refuses inputs that would make the model's formulas undefined, naming the input.
bool inputsUsable(ProgramState& s, platform::Dialogs& d, int slot) {
    const BirdParams& b = s.slot(slot);
    struct Need { const char* name; double value; };
    const Need needs[] = {
        {"All-up mass", b.AllUpMass}, {"Wing span", b.Span}, {"Wing area", b.WingArea},
        {"Flight muscle mass", b.MuscleMass}, {"Body drag area (body frontal area x drag coefficient x payload drag factor)", b.BodyDragArea},
        {"Gravity", s.slot(0).Gravity}, {"Effective gravity", b.Gravity}, {"Induced power factor", s.Kflap},
        {"Conversion efficiency", s.Eta}, {"Respiration factor", s.Resp}, {"Air density", s.AirDensity},
        {"Wingbeat frequency factor", s.FreqFactor}, {"Muscle density", s.MuscleDensity},
    };
    for (const Need& n : needs) {
        if (!(n.value > 0) || !std::isfinite(n.value)) {
            // A value past the single range has no text of its own to show.
            const bool shown = std::isfinite(f32(n.value));
            d.error({std::string(n.name) + " must be a positive number for the power curve",
                     shown ? "(it is " + FormatSig(f32(n.value), 3) + ")" : "(it is too large to calculate with)"});
            return false;
        }
    }
    return true;
}

bool resultsFinite(const ProgramState& s, int slot) {
    const BirdParams& b = s.slot(slot);
    const PowerCurveResults& f = s.Flap;
    const float vals[] = {f.VmpExact, f.VmrExact, f.Vmp, f.Vmr, f.PmechMin, f.PchemMin, f.NchemVmp, f.QVmp,
                          f.DownwashVmp, f.MitoFracVmp, f.MitoFracClimb, f.PmechVmr, f.PchemVmr, f.NchemMax,
                          f.QVmr, f.DownwashVmr, f.MitoFracCruise, f.MaxClimb, f.Ppro, f.PminExact,
                          b.ReWingVmp, b.ReBodyVmp, b.FredVmp, b.ReWingVmr, b.ReBodyVmr, b.FredVmr, b.WbeatFreq};
    for (float v : vals) if (!std::isfinite(v)) return false;
    for (const auto& row : s.Flap.PowerCurveTable)
        for (float v : row) if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

void StoreCurveRow(ProgramState& s, int c, float V) {
    ensureColumn(s, c);
    auto& t = s.Flap.PowerCurveTable;
    t[0][c] = f32(double(V) * std::sqrt(double(s.RelDensity)));
    t[1][c] = s.Flap.Pmech;
    t[2][c] = s.Flap.Pchem;
    t[3][c] = s.Flap.EffLDChem;
    t[4][c] = s.Flap.MyoSpecificPower;
    t[5][c] = s.Flap.SpecificWork;
    t[10][c] = s.Flap.ClimbRate;
}

void ScanPowerCurve(ProgramState& s, int slot) {
    BirdParams& b = s.slot(slot);
    s.Flap.NchemMax = 0;
    s.Flap.Vmp = 0;
    s.Flap.Vmr = 0;
    const float step = 0.1f;
    float Nprev = 0, Pprev = 10000;
    s.Flap.MaxSpecificWork = f32(double(s.SigmaMax) * 0.3 * s.Lambda / s.MuscleDensity);
    s.Flap.MaxClimb = -100;
    s.Flap.CurveFirstSpeed = CInt(double(s.Flap.VmpExact) - 2);
    s.Flap.CurveLastIndex = CInt(double(s.Flap.VmrExact) + 5);
    if (s.Flap.CurveFirstSpeed <= 0)
        throw EngineError("This bird's minimum power speed (" + FormatSig(s.Flap.VmpExact, 3) +
                          " m/s) is too low for the power curve, which starts 2 m/s below it: "
                          "the model is not meant for birds slower than about 2.6 m/s");
    s.Flap.PowerCurveTable.assign(TableRows, std::vector<float>(static_cast<std::size_t>(s.Flap.CurveLastIndex) + 1, 0.0f));
    int c = s.Flap.CurveFirstSpeed;
    ScanSpeed speed(double(s.Flap.CurveFirstSpeed) - double(step), step);
    int VmrSteps = 0;  // the step of the scan whose speed Vmr is
    const double f = b.WbeatFreq;
    for (;; speed.next()) {
        const float V = speed.V();
        if (s.Flap.Vmr != 0 && speed.reached(s.Flap.Vmr, VmrSteps, 2)) {
            s.Flap.CurveLastRow = CInt(c);
            return;
        }
        if (speed.steps() > MaxScanSteps)
            throw EngineError("The power curve has no maximum range speed below " + FormatSig(V, 3) +
                              " m/s: check the bird's values");
        PowerAtSpeed(s, slot, V);
        MusclePerformance(s, slot);
        const float Pcur = s.Flap.Pmech, Ncur = s.Flap.EffLDChem;
        if (IsWholeSpeed(V)) {
            c = CInt(RoundHalfEven(V));
            StoreCurveRow(s, c, V);
        }
        if (s.Flap.Vmp == 0 && Pcur >= Pprev) {
            s.Flap.Vmp = f32(double(V) - step);
            PowerAtSpeed(s, slot, s.Flap.Vmp);
            MusclePerformance(s, slot);
            s.Flap.PmechMin = s.Flap.Pmech;
            s.Flap.PchemMin = s.Flap.Pchem;
            s.Flap.NchemVmp = s.Flap.EffLDChem;
            s.Flap.MitoFracVmp = s.Flap.MitoFrac;
            s.Flap.MitoFracClimb = s.Flap.MitoFracClimbNow;
            s.Flap.QVmp = s.Flap.SpecificWork;
            s.Flap.DownwashVmp = s.Flap.DownwashAngle;
            const FlowNumbers n = flowAt(s, b, f, s.Flap.Vmp);
            b.ReWingVmp = n.reWing;
            b.ReBodyVmp = n.reBody;
            b.FredVmp = n.fred;
        }
        if (s.Flap.Vmr == 0 && !(Ncur > Nprev)) {
            s.Flap.Vmr = f32(double(V) - step);
            VmrSteps = speed.steps() - 1;
            PowerAtSpeed(s, slot, s.Flap.Vmr);
            MusclePerformance(s, slot);
            s.Flap.PmechVmr = s.Flap.Pmech;
            s.Flap.PchemVmr = s.Flap.Pchem;
            s.Flap.NchemMax = s.Flap.EffLDChem;
            s.Flap.MitoFracCruise = s.Flap.MitoFrac;
            s.Flap.QVmr = s.Flap.SpecificWork;
            s.Flap.DownwashVmr = s.Flap.DownwashAngle;
            const FlowNumbers n = flowAt(s, b, f, s.Flap.Vmr);
            b.ReWingVmr = n.reWing;
            b.ReBodyVmr = n.reBody;
            b.FredVmr = n.fred;
        }
        if (s.Flap.ClimbRate > s.Flap.MaxClimb) s.Flap.MaxClimb = s.Flap.ClimbRate;
        Pprev = Pcur;
        Nprev = Ncur;
    }
}

bool ComputePowerCurve(ProgramState& s, platform::Dialogs& d) {
    const int slot = ModePowerCurve;
    BirdParams& b = s.slot(slot);
    s.Flap.UncertDone = false;
    if (!(b.EmptyMass > 0)) {
        d.error({"You need to enter the empty body mass"});
        return false;
    }
    if (!(b.WingArea > 0)) {
        d.error({"Enter the wing area if known, or guess", "the aspect ratio and enter that"});
        return false;
    }
    if (s.AirDensity == 0) {
        d.error({"Please click on air density box to set density"});
        return false;
    }
    if (!inputsUsable(s, d, slot)) return false;
    SaveLastBird(s);
    try {
        FindVmp(s, slot);
        s.Flap.Ppro = 0;
        PowerAtSpeed(s, slot, s.Flap.VmpExact);
        s.Flap.Pam = s.Flap.Pmech;
        s.Flap.Ppro = f32(double(s.X1) * s.Flap.Pam);
        s.Flap.PminExact = f32((1 + double(s.X1)) * s.Flap.Pam);
        FindVmr(s, slot);
        WingbeatFrequency(s, slot);
        ScanPowerCurve(s, slot);
    } catch (const EngineError& e) {
        d.error({e.what()});
        return false;
    } catch (const OverflowError&) {
        d.error({"The power curve of this bird lies outside the speeds the program can tabulate:",
                 "check the mass, wing span, wing area and air density"});
        return false;
    }
    if (!resultsFinite(s, slot)) {
        d.error({"The power curve of this bird has no finite values:",
                 "check the mass, wing span, wing area, drag and physiological values"});
        return false;
    }
    s.KeepFactors = false;
    return true;
}

}  // namespace ornivo::flap
