#include "flap/SetupFlap.h"

#include <cmath>
#include <map>

#include "atmosphere/Atmosphere.h"
#include "bird/SetupCommon.h"
#include "flap/PowerCurve.h"
#include "flap/PowerModel.h"
#include "state/Derived.h"
#include "state/Single.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::flap {
namespace {

constexpr int Slot = ModePowerCurve;

void showFrequency(ProgramState& s, ScreenUpdate& u) { bird::ShowWingbeatFrequency(s, Slot, u); }
using bird::HidePowerFraction;
using bird::ShowPowerFraction;

const std::map<std::string, Mark>& marksByControl() {
    static const std::map<std::string, Mark> m = {
        {"txtEmptyMass", Mark::EmptyMass}, {"txtMuscleMass", Mark::MuscleMass}, {"txtFatMass", Mark::FatMass},
        {"txtCropMass", Mark::CropMass}, {"txtSpan", Mark::Span}, {"txtArea", Mark::WingArea},
        {"txtAR", Mark::AspectRatio}, {"txtRho", Mark::AirDensity}, {"txtAlt", Mark::Altitude},
        {"txtSbody", Mark::Sbody}, {"txtFrontalAreaFactor", Mark::FrontalAreaFactor}, {"txtCdb", Mark::Cdb},
        {"txtPayDragFactor", Mark::PayDragFactor}, {"txtMuscleFrac", Mark::MuscleFrac},
        {"txtFatFrac", Mark::FatFrac}, {"txtGravity", Mark::Gravity}, {"txtKflap", Mark::Kflap},
        {"txtCprof", Mark::Cprof}, {"txtX1", Mark::X1}, {"txtResp", Mark::Resp}, {"txtEta", Mark::Eta},
        {"txtPbmr", Mark::Pbmr}, {"txtPbmrFactor", Mark::PbmrFactor}, {"txtKmito", Mark::Kmito},
        {"txtWbeatFreq", Mark::WbeatFreq}, {"txtFreqFactor", Mark::WbeatFreq}, {"txtPowerFrac", Mark::PowerFrac},
        {"txtSigmaMax", Mark::SigmaMax}, {"txtLambda", Mark::Lambda},
    };
    return m;
}

}  // namespace

void ShowBmr(ProgramState& s, ScreenUpdate& u) {
    // Masses a refused field left as typed can leave no lean mass to take a BMR of: nothing to show
    // (the calculation refuses those masses itself).
    const float pbmr = s.slot().Pbmr;
    if (std::isfinite(pbmr)) u.showSig("txtPbmr", pbmr); else u.show("txtPbmr", "");
    u.showSig("txtPbmrFactor", s.PbmrFactor);
}

ScreenUpdate LoadSetupFlap(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    s.CalcMode = ModePowerCurve;
    const BirdParams& b0 = s.slot(0);
    BirdParams& b = s.slot(Slot);
    u.show("txtSpName", s.SpName);
    u.show("txtShortName", s.ShortName);
    u.show("txtTaxon", s.TaxonGroup == 1 ? "Passerine" : "Non-Passerine");
    if (s.FreqFactor == 0 || !s.KeepFactors) {
        s.FrontalAreaFactor = 1;
        s.PbmrFactor = 1;
        s.FreqFactor = 1;
    }
    b.EmptyMass = b0.EmptyMass;
    b.CropMass = b0.CropMass;
    u.showSig("txtEmptyMass", b.EmptyMass);
    u.showSig("txtCropMass", b.CropMass);
    u.showSig("txtCropFrac", b.CropFrac);
    u.showSig("txtPayDragFactor", s.PayDragFactor);
    b.AllUpMass = f32(AllUpMassOf(b));
    u.showSig("txtAllUpMass", b.AllUpMass);
    b.MuscleFrac = b0.MuscleFrac;
    b.MuscleMass = f32(double(b.MuscleFrac) * b.AllUpMass);
    u.showSig("txtMuscleMass", b.MuscleMass);
    b.FatFrac = b0.FatFrac;
    b.FatMass = f32(double(b.FatFrac) * b.AllUpMass);
    u.showSig("txtFatMass", b.FatMass);
    b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
    b.Span = b0.Span;
    u.showSig("txtSpan", b.Span);
    b.DiscArea = f32(double(b.Span) * s.Pi * b.Span / 4);
    b.WingArea = b0.WingArea;
    u.showSig("txtArea", b.WingArea);
    b.MeanChord = f32(double(b.WingArea) / b.Span);
    b.AspectRatio = b0.AspectRatio;
    u.showSig("txtAR", b.AspectRatio);
    u.append(bird::UpdateBodyDrag(s));
    b.BodyDiameter = f32(0.102 * std::cbrt(double(b.AllUpMass)));
    b.Cdb = b0.Cdb;
    u.showSig("txtCdb", b.Cdb);
    b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    BasalMetabolicRate(s, Slot);
    ShowBmr(s, u);
    s.slot(0).Pbmr = b.Pbmr;
    b.EtaPbmr = f32(double(s.Eta) * b.Pbmr);
    u.showSig("txtCprof", s.Cprof);
    s.X1 = b.AspectRatio > 0 ? bird::ProfilePowerRatio(s.Cprof, b.AspectRatio) : 0.0f;
    u.showSig("txtX1", s.X1);
    u.showSig("txtGravity", s.slot(0).Gravity);
    u.showSig("txtKflap", s.Kflap);
    u.showSig("txtResp", s.Resp);
    u.showSig("txtEta", s.Eta);
    u.showSig("txtKmito", s.Kmito);
    u.showSig("txtRho", s.AirDensity);
    u.show("txtAlt", FormatPattern(s.Altitude, "0"));
    u.showSig("txtSigmaMax", s.SigmaMax);
    u.showSig("txtLambda", s.Lambda);
    b.PowerFracBound = b0.PowerFracBound;
    b.PowerFracFG = b0.PowerFracFG;
    b.Gravity = f32(double(s.slot(0).Gravity) / b.PowerFracBound);
    LoadEnergyConstants(s);
    WingbeatFrequency(s, Slot);
    showFrequency(s, u);
    s.slot(0).WbeatFreq = b.WbeatFreq;
    u.append(bird::CheckAndDeriveMasses(s, d));
    s.OutputCount = 0;
    s.WorkbookUnsaved = 0;
    s.OutFileName.clear();
    s.SigDigits = 3;
    ClearEditMarks(s);
    // The flight style the screen opens with: the state's, with the power fraction box to match.
    u.setChecked(s.FlightStyle == 3 ? "optBound" : s.FlightStyle == 2 ? "optFG" : "optFlap", true);
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
        u.setChecked("optFlap", true);
        s.FlightStyle = 1;
        b.PowerFracBound = 1;
        if (bothFractions) b.PowerFracFG = 1;
        b.Gravity = s.slot(0).Gravity;
        HidePowerFraction(u);
    };
    if (s.FlightStyle == 2) {
        b.PowerFracFG = v;
        if (v < 0.05f || v > 1) {
            d.error({"Please enter a value between 0.05 and 1 for the Power Fraction"});
            u.refused = true;
            return u;
        }
        if (v == 1) toContinuous(true);
    } else if (s.FlightStyle == 3) {
        b.PowerFracBound = v;
        if (v < 0.2f || v > 1) {
            d.error({"Please enter a value between 0.2 and 1 for the Power Fraction"});
            u.refused = true;
            return u;
        }
        if (v == 1) toContinuous(false);
    }
    if (s.FlightStyle == 3) b.Gravity = f32(double(s.slot(0).Gravity) / b.PowerFracBound);
    else b.Gravity = s.slot(0).Gravity;
    ReferenceWingbeatFrequency(s, s.CalcMode);
    WingbeatFrequency(s, s.CalcMode);
    bird::ShowWingbeatFrequency(s, s.CalcMode, u);
    s.Marks.set(Mark::PowerFrac);
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
        if (c == "optFlap") {
            s.FlightStyle = 1;
            b.Gravity = s.slot(0).Gravity;
            HidePowerFraction(u);
            ReferenceWingbeatFrequency(s, Slot);
            WingbeatFrequency(s, Slot);
            showFrequency(s, u);
            s.Marks.set(Mark::FlightStyle);
        } else if (c == "optFG") {
            s.FlightStyle = 2;
            b.Gravity = s.slot(0).Gravity;
            ShowPowerFraction(u);
            s.Marks.set(Mark::FlightStyle);
        } else if (c == "optBound") {
            s.FlightStyle = 3;
            b.Gravity = f32(double(s.slot(0).Gravity) / b.PowerFracBound);
            ShowPowerFraction(u);
            s.Marks.set(Mark::FlightStyle);
        } else if (c == "txtTaxon" && e.kind == Edit::Kind::DoubleClick) {
            s.TaxonGroup = s.TaxonGroup == 1 ? 2 : 1;
            u.show("txtTaxon", s.TaxonGroup == 1 ? "Passerine" : "Non-Passerine");
            bmr(s, u);
        } else if (c == "txtRho" && e.kind == Edit::Kind::DoubleClick) {
            // Opens the air density calculator (a screen); here only the mark.
            s.Marks.set(Mark::AirDensity);
        } else if (c == "txtFatHeight") {
            u.showSig("txtFatHeight", f32(double(s.FatEnergyHeight) / 1000));
        } else if (marksByControl().count(c)) {
            s.Marks.set(marksByControl().at(c));  // clicking into a field marks it
        } else {
            throw UnknownControl("no control " + c + " that takes a click on the power-curve setup screen");
        }
        return u;
    }
    if (e.kind != Edit::Kind::Text) throw UnknownControl("no check box " + c + " on the power-curve setup screen");
    // Typing into a field: the click into it marks it, leaving it commits the text.
    if (auto it = marksByControl().find(c); it != marksByControl().end()) s.Marks.set(it->second);
    const double v = LeadingNumber(e.text);
    const float fv = f32(v);
    if (bird::CommonFieldRule(s, d, c, v, e.text, bmr, u)) return u;
    if (!bird::FieldInRange(d, c, v) || !bird::UsableNumber(d, v)) {
        u.refused = true;
        return u;
    }
    if (c == "txtAR") {
        if (!bird::WingAreaFits(d, b.Span, v)) {
            u.refused = true;
            return u;
        }
        b.AspectRatio = fv;
        if (b.AspectRatio > 0) {  // a non-positive ratio is stored but derives nothing
            b.WingArea = f32(WingAreaOf(b.Span, b.AspectRatio));
            u.showSig("txtArea", b.WingArea);
            s.X1 = bird::ProfilePowerRatio(s.Cprof, b.AspectRatio);
            u.showSig("txtX1", s.X1);
        }
    } else if (c == "txtRho") {
        auto alt = DensityFieldRule(s, d, v, AltitudeShown::SetupScreen);
        if (alt) u.show("txtAlt", *alt); else u.refused = true;
    } else if (c == "txtAlt") {
        auto rho = AltitudeFieldRule(s, d, v);
        if (rho) u.show("txtRho", *rho); else u.refused = true;
    } else if (c == "txtGravity") {
        s.slot(0).Gravity = fv;
    } else if (c == "txtKflap") { s.Kflap = fv;
    } else if (c == "txtResp") { s.Resp = fv;
    } else if (c == "txtEta") { s.Eta = fv;
    } else if (c == "txtKmito") { s.Kmito = fv;
    } else if (c == "txtSigmaMax") { s.SigmaMax = fv;
    } else if (c == "txtLambda") { s.Lambda = fv;
    } else if (c == "txtX1") { s.X1 = fv;
    } else if (c == "txtCprof") {
        s.Cprof = fv;
        if (b.AspectRatio > 0) {
            s.X1 = bird::ProfilePowerRatio(s.Cprof, b.AspectRatio);
            u.showSig("txtX1", s.X1);
        }
    } else if (c == "txtPbmr") {
        if (s.slot(0).Pbmr > 0) s.PbmrFactor = f32(v / s.slot(0).Pbmr);
        bmr(s, u);
    } else if (c == "txtPbmrFactor") {
        s.PbmrFactor = fv;
        bmr(s, u);
    } else if (c == "txtWbeatFreq") {
        if (s.slot(0).WbeatFreq > 0) s.FreqFactor = f32(v / s.slot(0).WbeatFreq);
        WingbeatFrequency(s, Slot);
        showFrequency(s, u);
    } else if (c == "txtFreqFactor") {
        s.FreqFactor = fv;
        WingbeatFrequency(s, Slot);
        showFrequency(s, u);
    } else if (c == "txtPowerFrac") {
        u.append(PowerFractionRule(s, d, v));
    } else {
        throw UnknownControl("no text field " + c + " on the power-curve setup screen");
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
