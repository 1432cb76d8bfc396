#include "glide/GlidePolar.h"

#include <cmath>
#include <string>
#include <utility>

#include "flap/PowerCurve.h"
#include "flap/PowerModel.h"
#include "flap/ScanSpeed.h"
#include "state/Single.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::glide {
namespace {

using flap::EngineError;

constexpr int Slot = ModeGlide;
constexpr float Step = 0.1f;       // m/s, speed step of the scan
constexpr float TopClimb = 3;      // m/s, climb rate of the last MacCready row
constexpr float ClimbStep = 0.5f;  // m/s, climb rate between MacCready rows
constexpr int MacCreadyRows = 6;
constexpr double SinBank24 = 0.4067;

// The inputs of the polar, read once from the state (singles held as doubles for the arithmetic).
struct Model {
    double m, g, rho, b, S, k, Cdw, delta, Ab, Bstop, pi;
    float Vstall;
    int16_t law;
    double Eta = 0, PchemGlide = 0;  // for the effective lift:drag ratios of the MacCready rows
    double minDragConst = 0;         // 8 k m^2 g^2 / (delta pi Cdw rho^2 b^2 S): beta^3 x V^4 of that law
};

Model modelOf(const ProgramState& s, float Vstall) {
    const BirdParams& p = s.slot(Slot);
    Model M{p.AllUpMass, s.slot(0).Gravity, s.AirDensity, p.Span, p.WingArea, s.Kglide, p.Cdw,
            s.PlanformSlope, p.BodyDragArea, s.Bstop, s.Pi, Vstall, s.Glide.SpanLaw};
    M.minDragConst = 8 * M.k * M.m * M.m * M.g * M.g / (M.delta * M.pi * M.Cdw * M.rho * M.rho * M.b * M.b * M.S);
    return M;
}

float spanRatio(const Model& M, float V) {
    const double v = V;
    float beta;
    if (M.law == SpanLawMinDrag)
        beta = f32(std::cbrt(M.minDragConst / (v * v * v * v)));
    else
        beta = f32((M.Bstop - v / M.Vstall) / (M.Bstop - 1));
    return beta > 1 ? 1.0f : beta;
}

GlidePoint glideAt(const Model& M, float V, float spanRatioAtV) {
    const double v = V;
    const double beta = spanRatioAtV;
    const float wi = f32(2 * M.k * M.m * M.g / (beta * beta * M.pi * M.rho * M.b * M.b * v));
    GlidePoint p;
    p.Sink = f32(M.rho * v * v * v * (M.Cdw * M.S * (1 - (1 - beta) * M.delta) + M.Ab) / (2 * M.m * M.g) +
                 double(wi));
    p.GlideRatio = f32(v / p.Sink);
    p.Cl = f32(2 * M.m * M.g / (M.rho * v * v * M.S * beta));
    return p;
}

std::string valueText(double v) { return std::isfinite(v) ? FormatSig(f32(v), 3) : std::string("not a number"); }

// The inputs the model divides by or takes roots of; the first that is not positive is refused by name.
bool inputsUsable(const ProgramState& s, platform::Dialogs& d) {
    const BirdParams& b = s.slot(Slot);
    struct Need { const char* name; double value; };
    const Need needs[] = {
        {"All-up mass (kg)", b.AllUpMass}, {"Wing area (sq m)", b.WingArea}, {"Wing span (m)", b.Span},
        {"Maximum lift coefficient", s.ClMax}, {"Wing profile drag coeff", b.Cdw},
        {"Air density (kg/cu m)", s.AirDensity}, {"Gravity (m/s-sq)", s.slot(0).Gravity},
        {"Gravity of the glide calculation", b.Gravity}, {"Induced drag factor", s.Kglide},
        {"Body drag area (body frontal area x drag coefficient x payload drag factor)", b.BodyDragArea},
        {"Induced power factor", s.Kflap}, {"Conversion efficiency", s.Eta}, {"Respiration factor", s.Resp},
        {"Flight muscle density", s.MuscleDensity}, {"Kinematic viscosity of air", s.KinViscosity},
    };
    for (const Need& n : needs) {
        if (!(n.value > 0) || !std::isfinite(n.value)) {
            d.error({std::string(n.name) + " must be a positive number for the glide polar",
                     "(it is " + valueText(n.value) + ")"});
            return false;
        }
    }
    if (s.Glide.SpanLaw == SpanLawLinear && !(s.Bstop > 1)) {
        d.error({"Bstop must be between 4 and 6"});
        return false;
    }
    if (s.Glide.SpanLaw == SpanLawMinDrag && !(s.PlanformSlope >= 0)) {
        d.error({"The planform slope must not be negative for the minimum drag span reduction",
                 "(it is " + valueText(s.PlanformSlope) + ")"});
        return false;
    }
    return true;
}

// The flapping comparison values that a refused run puts back.
struct FlapValues {
    float Pam, Ppro, PminExact, Pmech, Pchem, EffLD, EffLDChem, InducedVelocity, DownwashAngle;
    float VmpExact, VmrExact, PchemMin, NchemVmp, PchemVmr, NchemMax, WbeatFreqRef;

    static FlapValues of(const ProgramState& s) {
        const PowerCurveResults& f = s.Flap;
        return {f.Pam, f.Ppro, f.PminExact, f.Pmech, f.Pchem, f.EffLD, f.EffLDChem, f.InducedVelocity,
                f.DownwashAngle, f.VmpExact, f.VmrExact, f.PchemMin, f.NchemVmp, f.PchemVmr, f.NchemMax,
                s.slot(0).WbeatFreq};
    }
    void restore(ProgramState& s) const {
        PowerCurveResults& f = s.Flap;
        f.Pam = Pam; f.Ppro = Ppro; f.PminExact = PminExact; f.Pmech = Pmech; f.Pchem = Pchem;
        f.EffLD = EffLD; f.EffLDChem = EffLDChem; f.InducedVelocity = InducedVelocity;
        f.DownwashAngle = DownwashAngle; f.VmpExact = VmpExact; f.VmrExact = VmrExact;
        f.PchemMin = PchemMin; f.NchemVmp = NchemVmp; f.PchemVmr = PchemVmr; f.NchemMax = NchemMax;
        s.slot(0).WbeatFreq = WbeatFreqRef;
    }
};

// Steps 2 to 10 of the run: the flapping speeds and powers, the frequency and the gliding power.
void flappingAndMuscle(ProgramState& s, GlideResults& r) {
    const BirdParams& b = s.slot(Slot);
    flap::FindVmp(s, Slot);
    s.Flap.Ppro = 0;
    flap::PowerAtSpeed(s, Slot, s.Flap.VmpExact);
    s.Flap.Pam = s.Flap.Pmech;
    s.Flap.Ppro = f32(double(s.X1) * s.Flap.Pam);
    s.Flap.PminExact = f32((1 + double(s.X1)) * s.Flap.Pam);
    flap::PowerAtSpeed(s, Slot, s.Flap.VmpExact);
    s.Flap.PchemMin = s.Flap.Pchem;
    s.Flap.NchemVmp = s.Flap.EffLDChem;
    flap::FindVmr(s, Slot);
    flap::PowerAtSpeed(s, Slot, s.Flap.VmrExact);
    s.Flap.PchemVmr = s.Flap.Pchem;
    s.Flap.NchemMax = s.Flap.EffLDChem;
    const float Vt = f32(double(r.TonicMuscFrac) * b.EmptyMass / s.MuscleDensity);
    flap::ReferenceWingbeatFrequency(s, Slot);
    const double f = s.slot(0).WbeatFreq;
    r.JperFlap = f32(double(s.Flap.PminExact) / (double(s.Eta) * f));
    r.PchemTonic = f32(double(s.SigmaMax) * (2 * double(s.Lambda) * f) / 16 * Vt / 0.6);
    r.PchemGlide = f32(double(r.PchemTonic) + b.Pbmr);
}

// Throws when the span ratio has run out (the linear law at Bstop x Vstall) or a value is undefined.
void checkSpan(const Model& M, float beta, float V) {
    if (beta > 0) return;
    if (M.law == SpanLawLinear)
        throw EngineError("The wing span ratio reaches zero at " + FormatSig(f32(M.Bstop * M.Vstall), 3) +
                          " m/s (Bstop x stall speed), before the glide polar is complete:\n"
                          "raise Bstop or choose the \"Minimum drag\" span reduction");
    throw EngineError("The wing span ratio falls to zero at " + FormatSig(V, 3) +
                      " m/s: check the induced drag factor, planform slope and wing profile drag coeff");
}

GlidePoint glideChecked(const Model& M, float V) {
    const float beta = spanRatio(M, V);
    checkSpan(M, beta, V);
    GlidePoint p = glideAt(M, V, beta);
    if (!std::isfinite(p.Sink) || !std::isfinite(p.GlideRatio) || !std::isfinite(p.Cl) || !(p.Sink > 0))
        throw EngineError("The glide polar of this bird has no positive, finite sinking speed at " + FormatSig(V, 3) +
                          " m/s:\ncheck the mass, wing span, wing area, drag and air density");
    return p;
}

// The scan from Vstart in 0.1 m/s steps until the first whole speed at which the climb rate of the
// previous step had reached the top of the MacCready table.
void scan(const Model& M, float Vstart, GlideResults& r) {
    const double mg = M.m * M.g;
    flap::ScanSpeed speed(Vstart, Step);
    float V = speed.V(), c = 0, nextClimb = ClimbStep, prevSink = 0, prevRatio = 0;
    bool topReached = false;
    GlidePoint p;
    r.Vms = r.Vbg = 0;
    r.MinSink = r.BestGlideRatio = 0;
    // Every step below the last row's speed; the row limit ends a scan long before this.
    const int maxSteps = static_cast<int>((r.PolarRowLimit + 2 - double(Vstart)) / Step) + 10;
    for (int n = 0;; ++n) {
        if (n > maxSteps)
            throw EngineError("The glide polar did not reach the top of the cross-country table below " +
                              FormatSig(V, 3) + " m/s: check the bird's values");
        p = glideChecked(M, V);
        if (flap::IsWholeSpeed(V)) {
            const int k = CInt(RoundHalfEven(V));
            if (k > r.PolarRowLimit)
                throw EngineError("The cross-country table of this bird is not complete at " +
                                  std::to_string(k - 1) + " m/s, the last speed of its glide polar table\n"
                                  "(six times its first whole speed): check the drag and span reduction values");
            const float beta = spanRatio(M, float(k));
            checkSpan(M, beta, float(k));
            r.GlidePolarTable[k] = {beta, p.Sink, p.GlideRatio};
            if (c >= TopClimb) topReached = true;
        }
        if (V != Vstart) {
            if (r.Vms != 0) {
                c = f32(double(V) * (double(p.Sink) - prevSink) / Step - p.Sink);
                if (c >= nextClimb) {
                    const int row = CInt(double(nextClimb) / ClimbStep);
                    if (row <= MacCreadyRows) {
                        const float Vcc = f32(double(V) * c / (double(p.Sink) + c));
                        const float Lc = f32(mg * Vcc / (double(M.Eta) * M.PchemGlide));
                        const float Vccbg = f32(double(r.Vbg) * c / (double(r.SinkVbg) + c));
                        const float Lbg = f32(mg * Vccbg / (double(M.Eta) * M.PchemGlide));
                        r.MacCreadyTable[row] = {V, Vcc, Lc, Vccbg, Lbg};
                        nextClimb = f32(double(nextClimb) + ClimbStep);
                    }
                }
            }
            const double easFactor = std::sqrt(M.rho / 1.225);
            // The speed one step back is the optimum just passed: its air speeds and glide.
            auto passed = [&](float& at, float& eas, float& sink, float& ratio, float& cl) {
                at = f32(double(V) - Step);
                eas = f32(at * easFactor);
                const GlidePoint q = glideChecked(M, at);
                sink = q.Sink;
                ratio = q.GlideRatio;
                cl = q.Cl;
            };
            if (r.Vms == 0 && p.Sink >= prevSink && V > Vstart)
                passed(r.Vms, r.VmsEAS, r.MinSink, r.GlideRatioVms, r.ClVms);
            else if (r.Vbg == 0 && p.GlideRatio <= prevRatio)
                passed(r.Vbg, r.VbgEAS, r.SinkVbg, r.BestGlideRatio, r.ClVbg);
        }
        speed.next();
        V = speed.V();
        prevSink = p.Sink;
        prevRatio = p.GlideRatio;
        if (c >= TopClimb && topReached) break;
    }
    r.SinkLast = p.Sink;
    r.PolarLastRow = CInt(RoundHalfEven(V));
}

bool resultsFinite(const GlideResults& r, const BirdParams& b, const ProgramState& s) {
    const float vals[] = {r.Vstall, r.Vms, r.VmsEAS, r.MinSink, r.GlideRatioVms, r.ClVms, r.Vbg, r.VbgEAS,
                          r.SinkVbg, r.BestGlideRatio, r.ClVbg, r.CircleRadius, r.SinkLast, r.PchemTonic,
                          r.PchemGlide, r.JperFlap, b.ReWingVms, b.ReBodyVms, b.ReWingVbg, b.ReBodyVbg,
                          s.Flap.PchemMin, s.Flap.NchemVmp, s.Flap.PchemVmr, s.Flap.NchemMax, s.Flap.VmpExact,
                          s.Flap.VmrExact, s.Flap.Ppro, s.Flap.Pam, s.Flap.PminExact};
    for (float v : vals) if (!std::isfinite(v)) return false;
    for (const auto* t : {&r.GlidePolarTable, &r.MacCreadyTable})
        for (const auto& row : *t)
            for (float v : row) if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

float SpanRatio(const ProgramState& s, float V) { return spanRatio(modelOf(s, s.Glide.Vstall), V); }

GlidePoint GlideAtSpeed(const ProgramState& s, float V) {
    const Model M = modelOf(s, s.Glide.Vstall);
    return glideAt(M, V, spanRatio(M, V));
}

bool ComputeGlidePolar(ProgramState& s, platform::Dialogs& d) {
    if (s.AirDensity == 0) {
        d.error({"Please click on air density box to set density"});
        return false;
    }
    if (!inputsUsable(s, d)) return false;
    BirdParams& b = s.slot(Slot);
    const FlapValues before = FlapValues::of(s);
    GlideResults r;
    r.TonicMuscFrac = s.Glide.TonicMuscFrac;
    r.SpanLaw = s.Glide.SpanLaw;
    r.MetSink = s.Glide.MetSink;
    float ReWingVms, ReBodyVms, ReWingVbg, ReBodyVbg;
    try {
        flappingAndMuscle(s, r);
        SaveLastBird(s);
        // Start of the scan.
        const double m = b.AllUpMass, g = s.slot(0).Gravity, rho = s.AirDensity;
        r.Vstall = f32(std::sqrt(2 * m * g / (rho * b.WingArea * s.ClMax)));
        const float Vstart = f32(RoundHalfEven(10 * double(r.Vstall)) / 10 - 1);
        if (!(Vstart > 0))
            throw EngineError("The stall speed of this bird (" + FormatSig(r.Vstall, 3) +
                              " m/s) is too low for the glide polar, which starts 1 m/s below it");
        r.PolarFirstRow = CInt(std::floor(double(Vstart)) + 1);
        r.PolarRowLimit = CInt(6.0 * r.PolarFirstRow);
        r.GlidePolarTable.assign(static_cast<std::size_t>(r.PolarRowLimit) + 1, std::vector<float>(3, 0.0f));
        r.MacCreadyTable.assign(MacCreadyRows + 1, std::vector<float>(5, 0.0f));
        Model M = modelOf(s, r.Vstall);
        M.Eta = s.Eta;
        M.PchemGlide = r.PchemGlide;
        scan(M, Vstart, r);
        // Finishing.
        const double nu = s.KinViscosity;
        ReWingVms = f32(double(r.Vms) * b.MeanChord / nu);
        ReBodyVms = f32(double(r.Vms) * b.BodyDiameter / nu);
        ReWingVbg = f32(double(r.Vbg) * b.MeanChord / nu);
        ReBodyVbg = f32(double(r.Vbg) * b.BodyDiameter / nu);
        r.CircleRadius = f32(2 * m / (rho * b.WingArea * r.ClVms * SinBank24));
    } catch (const EngineError& e) {
        before.restore(s);
        std::vector<std::string> lines;
        std::string text = e.what();
        for (std::size_t at = 0;;) {
            const std::size_t nl = text.find('\n', at);
            lines.push_back(text.substr(at, nl == std::string::npos ? std::string::npos : nl - at));
            if (nl == std::string::npos) break;
            at = nl + 1;
        }
        d.error(lines);
        return false;
    } catch (const OverflowError&) {
        before.restore(s);
        d.error({"The glide polar of this bird lies outside the speeds the program can tabulate:",
                 "check the mass, wing area, maximum lift coefficient and air density"});
        return false;
    }
    BirdParams re = b;
    re.ReWingVms = ReWingVms;
    re.ReBodyVms = ReBodyVms;
    re.ReWingVbg = ReWingVbg;
    re.ReBodyVbg = ReBodyVbg;
    if (!resultsFinite(r, re, s)) {
        before.restore(s);
        d.error({"The glide polar of this bird has no finite values:",
                 "check the mass, wing span, wing area, drag and physiological values"});
        return false;
    }
    s.Glide = std::move(r);
    b.ReWingVms = ReWingVms;
    b.ReBodyVms = ReBodyVms;
    b.ReWingVbg = ReWingVbg;
    b.ReBodyVbg = ReBodyVbg;
    s.KeepFactors = false;
    return true;
}

}  // namespace ornivo::glide
