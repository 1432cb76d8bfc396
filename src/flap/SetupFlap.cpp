#include "flap/SetupFlap.h"

#include <cmath>

#include "atmosphere/Atmosphere.h"
#include "bird/SetupCommon.h"
#include "flap/PowerCurve.h"
#include "flap/PowerModel.h"
#include "state/ControlNames.h"
#include "state/Derived.h"
#include "state/Parameters.h"
#include "state/Single.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::flap {
namespace {

constexpr int Slot = ModePowerCurve;

void showFrequency(ProgramState& s, ScreenUpdate& u) { bird::ShowWingbeatFrequency(s, Slot, u); }
using bird::HidePowerFraction;
using bird::ShowPowerFraction;

bool markField(ProgramState& s, const std::string& c) { return bird::MarkField(s, OnSetupFlap, c); }

}  // namespace

void ShowBmr(ProgramState& s, ScreenUpdate& u) {
    // Masses a refused field left as typed can leave no lean mass to take a BMR of: nothing to show
    // (the calculation refuses those masses itself).
    const float pbmr = s.slot().Pbmr;
    if (std::isfinite(pbmr)) u.showSig(Param::Pbmr, pbmr); else u.show(Param::Pbmr, "");
    u.showSig(Param::PbmrFactor, s.PbmrFactor);
}

ScreenUpdate LoadSetupFlap(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    s.CalcMode = ModePowerCurve;
    const BirdParams& b0 = s.slot(0);
    BirdParams& b = s.slot(Slot);
    bird::ShowNames(s, u);
    if (s.FreqFactor == 0 || !s.KeepFactors) {
        s.FrontalAreaFactor = 1;
        s.PbmrFactor = 1;
        s.FreqFactor = 1;
    }
    bird::LoadMasses(s, bird::FractionsOf::AllUpMass);
    bird::ShowFields(s, u,
                     {Param::EmptyMass, Param::CropMass, Param::CropFrac, Param::PayDragFactor, Param::AllUpMass,
                      Param::MuscleMass, Param::FatMass});
    bird::LoadWing(s, u);
    u.append(bird::UpdateBodyDrag(s));
    b.BodyDiameter = f32(0.102 * std::cbrt(double(b.AllUpMass)));
    b.Cdb = b0.Cdb;
    u.showSig(Param::Cdb, b.Cdb);
    b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    BasalMetabolicRate(s, Slot);
    ShowBmr(s, u);
    s.slot(0).Pbmr = b.Pbmr;
    b.EtaPbmr = f32(double(s.Eta) * b.Pbmr);
    s.X1 = b.AspectRatio > 0 ? bird::ProfilePowerRatio(s.Cprof, b.AspectRatio) : 0.0f;
    {
        using enum Param;
        bird::ShowFields(s, u, {Cprof, X1, Gravity, Kflap, Resp, Eta, Kmito, Rho, Alt, SigmaMax, Lambda});
    }
    b.PowerFracBound = b0.PowerFracBound;
    b.PowerFracFG = b0.PowerFracFG;
    b.Gravity = f32(double(s.slot(0).Gravity) / b.PowerFracBound);
    LoadEnergyConstants(s);
    WingbeatFrequency(s, Slot);
    showFrequency(s, u);
    s.slot(0).WbeatFreq = b.WbeatFreq;
    u.append(bird::CheckAndDeriveMasses(s, d));
    bird::StartSetupOutput(s);
    ClearEditMarks(s);
    // The flight style the screen opens with: the state's, with the power fraction box to match.
    u.setChecked(s.FlightStyle == 3 ? ctl::optBound : s.FlightStyle == 2 ? ctl::optFG : ctl::optFlap, true);
    if (s.FlightStyle == 1) HidePowerFraction(u);
    u.refused = false;  // a mass refusal during the load is a notice, not a failed load
    return u;
}

ScreenUpdate PowerFractionRule(ProgramState& s, platform::Dialogs& d, double value) {
    ScreenUpdate u;
    BirdParams& b = s.slot();
    const float v = f32(value);
    auto toContinuous = [&](bool bothFractions) {
        d.info({"Setting Power Fraction = 1 is the same as", "selecting continuous flapping"});
        u.setChecked(ctl::optFlap, true);
        s.FlightStyle = 1;
        b.PowerFracBound = 1;
        if (bothFractions) b.PowerFracFG = 1;
        b.Gravity = s.slot(0).Gravity;
        HidePowerFraction(u);
    };
    // Each style keeps its own fraction, stored as typed even when refused.
    auto take = [&](float& fraction, float lowest, const char* lowestText, bool bothFractions) {
        fraction = v;
        if (v < lowest || v > 1) {
            d.error({std::string("Please enter a value between ") + lowestText + " and 1 for the Power Fraction"});
            u.refused = true;
            return false;
        }
        if (v == 1) toContinuous(bothFractions);
        return true;
    };
    if (s.FlightStyle == 2) {
        if (!take(b.PowerFracFG, 0.05f, "0.05", true)) return u;
    } else if (s.FlightStyle == 3) {
        if (!take(b.PowerFracBound, 0.2f, "0.2", false)) return u;
    }
    if (s.FlightStyle == 3) b.Gravity = f32(double(s.slot(0).Gravity) / b.PowerFracBound);
    else b.Gravity = s.slot(0).Gravity;
    ReferenceWingbeatFrequency(s, s.CalcMode);
    WingbeatFrequency(s, s.CalcMode);
    bird::ShowWingbeatFrequency(s, s.CalcMode, u);
    s.Marks.set(Mark::PowerFrac);
    return u;
}

int FlightStyleOfOption(const std::string& control) {
    return control == ctl::optFlap ? 1 : control == ctl::optFG ? 2 : control == ctl::optBound ? 3 : 0;
}

ScreenUpdate FlightStyleRule(ProgramState& s, int slot, int style) {
    ScreenUpdate u;
    BirdParams& b = s.slot(slot);
    s.FlightStyle = static_cast<int16_t>(style);
    // Bounding carries the body through the bound on the flapping phase: gravity per flap grows.
    b.Gravity = style == 3 ? f32(double(s.slot(0).Gravity) / b.PowerFracBound) : s.slot(0).Gravity;
    if (style == 1) {
        HidePowerFraction(u);
        ReferenceWingbeatFrequency(s, slot);
        WingbeatFrequency(s, slot);
        bird::ShowWingbeatFrequency(s, slot, u);
    } else {
        ShowPowerFraction(u);
    }
    s.Marks.set(Mark::FlightStyle);
    return u;
}

ScreenUpdate WingbeatRule(ProgramState& s, int slot, Param field, double typed) {
    ScreenUpdate u;
    if (field == Param::FreqFactor) s.FreqFactor = f32(typed);
    else if (s.slot(0).WbeatFreq > 0) s.FreqFactor = f32(typed / s.slot(0).WbeatFreq);
    WingbeatFrequency(s, slot);
    bird::ShowWingbeatFrequency(s, slot, u);
    return u;
}

namespace {

// The rule of one control, as the screen's handler for it.
ScreenUpdate fieldRule(ProgramState& s, platform::Dialogs& d, const std::string& c, const Edit& e) {
    ScreenUpdate u;
    BirdParams& b = s.slot(Slot);
    auto bmr = [](ProgramState& st, ScreenUpdate& up) {
        BasalMetabolicRate(st, Slot);
        ShowBmr(st, up);
    };
    if (e.kind == Edit::Kind::Click || e.kind == Edit::Kind::DoubleClick) {
        if (const int style = FlightStyleOfOption(c)) {
            u.append(FlightStyleRule(s, Slot, style));
        } else if (bird::SharedClick(s, c, e.kind == Edit::Kind::DoubleClick, bmr, u)) {
        } else if (c == ctl::txtRho && e.kind == Edit::Kind::DoubleClick) {
            // Opens the air density calculator (a screen); here only the mark.
            s.Marks.set(Mark::AirDensity);
        } else if (!markField(s, c)) {  // clicking into a field marks it
            throw UnknownControl("no control " + c + " that takes a click on the power-curve setup screen");
        }
        return u;
    }
    if (e.kind != Edit::Kind::Text) throw UnknownControl("no check box " + c + " on the power-curve setup screen");
    // Typing into a field: the click into it marks it, leaving it commits the text.
    markField(s, c);
    const double v = LeadingNumber(e.text);
    const float fv = f32(v);
    if (bird::CommonFieldRule(s, d, c, v, e.text, bmr, u)) return u;
    if (!bird::FieldInRange(d, c, v) || !bird::UsableNumber(d, v)) {
        u.refused = true;
        return u;
    }
    const Parameter* field = FieldOn(OnSetupFlap, c);
    if (!field) throw UnknownControl("no text field " + c + " on the power-curve setup screen");
    switch (field->id) {
        case Param::AR:
            if (!bird::AspectRatioRule(s, d, v, u)) return u;
            if (b.AspectRatio > 0) u.showSig(Param::X1, s.X1);  // this screen shows the profile power ratio
            break;
        case Param::Rho:
        case Param::Alt: bird::AirFieldRule(s, d, field->id, v, u); break;
        case Param::Cprof:
            s.Cprof = fv;
            if (b.AspectRatio > 0) {
                s.X1 = bird::ProfilePowerRatio(s.Cprof, b.AspectRatio);
                u.showSig(Param::X1, s.X1);
            }
            break;
        case Param::Pbmr:
            if (s.slot(0).Pbmr > 0) s.PbmrFactor = f32(v / s.slot(0).Pbmr);
            bmr(s, u);
            break;
        case Param::PbmrFactor:
            s.PbmrFactor = fv;
            bmr(s, u);
            break;
        case Param::WbeatFreq:
        case Param::FreqFactor: u.append(WingbeatRule(s, Slot, field->id, v)); break;
        case Param::PowerFrac: u.append(PowerFractionRule(s, d, v)); break;
        default:
            // The constants whose rule is only to hold the typed value.
            if (!field->store) throw UnknownControl("no text field " + c + " on the power-curve setup screen");
            field->store(s, Slot, v);
    }
    return u;
}

}  // namespace

void RefreshDerivedFlap(ProgramState& s, ScreenUpdate& u) {
    WingbeatFrequency(s, Slot);
    showFrequency(s, u);
}

ScreenUpdate SetupFlapEdit(ProgramState& s, platform::Dialogs& d, const std::string& c, const Edit& e) {
    ScreenUpdate u = fieldRule(s, d, c, e);
    if (bird::ChangesInputs(c, e)) RefreshDerivedFlap(s, u);
    return u;
}

}  // namespace ornivo::flap
