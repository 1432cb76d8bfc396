#include "glide/SetupGlide.h"

#include <cmath>

#include "atmosphere/Atmosphere.h"
#include "bird/SetupCommon.h"
#include "flap/PowerModel.h"
#include "glide/GlidePolar.h"
#include "state/ControlNames.h"
#include "state/Derived.h"
#include "state/Parameters.h"
#include "state/Single.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::glide {
namespace {

constexpr int Slot = ModeGlide;

bool markField(ProgramState& s, const std::string& c) { return bird::MarkField(s, OnSetupGlide, c); }

void showBstop(ScreenUpdate& u, bool shown) {
    u.setVisible(ctl::lblBstop, shown);
    u.setVisible(ctl::txtBstop, shown);
}

ScreenUpdate clickRule(ProgramState& s, const std::string& c, const Edit& e) {
    ScreenUpdate u;
    if (c == ctl::optLinear || c == ctl::optMinDrag) {
        s.Glide.SpanLaw = c == ctl::optLinear ? SpanLawLinear : SpanLawMinDrag;
        u.setChecked(c, true);
        showBstop(u, s.Glide.SpanLaw == SpanLawLinear);
        s.Marks.set(Mark::Bstop);  // the two options share the mark of Bstop
    } else if (bird::SharedClick(s, c, e.kind == Edit::Kind::DoubleClick, UpdateGlideBmr, u)) {
    } else if (c == ctl::txtRho && e.kind == Edit::Kind::DoubleClick) {
        // Opens the air density calculator (a screen of its own); here only the mark.
        s.Marks.set(Mark::AirDensity);
    } else if (!markField(s, c) && c != ctl::txtSpName && c != ctl::txtShortName) {  // a click into a field marks it
        throw UnknownControl("no control " + c + " that takes a click on the glide-polar setup screen");
    }
    return u;
}

}  // namespace

void UpdateGlideBmr(ProgramState& s, ScreenUpdate& u) {
    BirdParams& b = s.slot(Slot);
    flap::BasalMetabolicRate(s, Slot);
    // Masses a refused field left as typed can leave no lean mass: nothing to show.
    if (std::isfinite(b.Pbmr)) u.showSig(Param::Pbmr, b.Pbmr); else u.show(Param::Pbmr, "");
    u.showSig(Param::PbmrFactor, s.PbmrFactor);
    s.Glide.MetSink = f32(double(s.Eta) * b.Pbmr / (double(b.AllUpMass) * s.slot(0).Gravity));
    if (std::isfinite(s.Glide.MetSink)) {
        u.showSig(Param::MetSink, s.Glide.MetSink);
    } else {
        s.Glide.MetSink = 0;  // no all-up mass or gravity yet: nothing to show
        u.show(Param::MetSink, "");
    }
}

ScreenUpdate LoadSetupGlide(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    s.CalcMode = ModeGlide;
    ClearEditMarks(s);
    const BirdParams& b0 = s.slot(0);
    BirdParams& b = s.slot(Slot);
    bird::ShowNames(s, u);
    if (!s.KeepFactors) {
        s.FrontalAreaFactor = 1;
        s.PbmrFactor = 1;
    }
    bird::LoadMasses(s, bird::FractionsOf::EmptyMass);
    bird::ShowFields(s, u, {Param::EmptyMass, Param::CropMass, Param::AllUpMass, Param::MuscleMass, Param::FatMass});
    LoadEnergyConstants(s);
    u.append(bird::CheckAndDeriveMasses(s, d));
    u.showSig(Param::FatProtHeight, f32(double(s.FuelEnergyHeight) / 1000));
    bird::LoadWing(s, u);
    b.Sbody = b0.Sbody;
    u.showSig(Param::Sbody, b.Sbody);
    u.append(bird::UpdateBodyDrag(s));
    b.BodyDiameter = f32(0.102 * std::cbrt(double(b.AllUpMass)));
    b.Cdb = b0.Cdb;
    b.Cdw = b0.Cdw;
    u.showSig(Param::Cdb, b.Cdb);
    u.showSig(Param::Cdw, b.Cdw);
    b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    u.showSig(Param::Gravity, b0.Gravity);
    b.Gravity = b0.Gravity;
    UpdateGlideBmr(s, u);
    s.slot(0).Pbmr = b.Pbmr;
    b.EtaPbmr = f32(double(s.Eta) * b.Pbmr);
    s.X1 = bird::ProfilePowerRatio(s.Cprof, b.AspectRatio);
    s.Glide.TonicMuscFrac = 0.015f;
    {
        using enum Param;
        bird::ShowFields(s, u, {KGlide, Rho, Alt, ClMax, Bstop, PlanformSlope, TonicMuscFrac, PayDragFactor});
    }
    s.Glide.SpanLaw = SpanLawLinear;
    u.setChecked(ctl::optLinear, true);
    showBstop(u, true);
    bird::StartSetupOutput(s);
    u.refused = false;  // a mass refusal during the load is a notice, not a failed load
    return u;
}

ScreenUpdate SetupGlideEdit(ProgramState& s, platform::Dialogs& d, const std::string& c, const Edit& e) {
    if (e.kind == Edit::Kind::Click || e.kind == Edit::Kind::DoubleClick) return clickRule(s, c, e);
    if (e.kind != Edit::Kind::Text) throw UnknownControl("no check box " + c + " on the glide-polar setup screen");
    const Parameter* field = FieldOn(OnSetupGlide, c);
    if (field && (field->readOnlyOn & OnSetupGlide))
        throw UnknownControl(c + " takes no typing on the glide-polar setup screen (it shows a derived value)");
    ScreenUpdate u;
    // Typing into a field: the click into it marks it, leaving it commits the text.
    markField(s, c);
    const double v = LeadingNumber(e.text);
    const float fv = f32(v);
    if (!bird::FieldInRange(d, c, v)) {
        u.refused = true;
        return u;
    }
    if (c != ctl::txtSpName && c != ctl::txtShortName && !std::isfinite(fv)) {
        if (!MarkOn(OnSetupGlide, c)) throw UnknownControl("no text field " + c + " on the glide-polar setup screen");
        d.error({"\"" + e.text + "\" is too large a number for this field", "Please enter a smaller value"});
        u.refused = true;
        return u;
    }
    auto bmr = [](ProgramState& st, ScreenUpdate& up) { UpdateGlideBmr(st, up); };
    if (bird::CommonFieldRule(s, d, c, v, e.text, bmr, u)) return u;
    if (!field) throw UnknownControl("no text field " + c + " on the glide-polar setup screen");
    switch (field->id) {
        case Param::AR:
            if (!bird::AspectRatioRule(s, d, v, u)) return u;
            break;
        case Param::Rho:
        case Param::Alt: bird::AirFieldRule(s, d, field->id, v, u); break;
        case Param::PbmrFactor:
            s.PbmrFactor = fv;
            UpdateGlideBmr(s, u);
            break;
        case Param::Bstop:
            if (fv >= 4 && fv <= 6) {
                s.Bstop = fv;
            } else {
                d.error({"Bstop must be between 4 and 6"});
                u.refused = true;
            }
            break;
        default:
            // The constants whose rule is only to hold the typed value.
            if (!field->store) throw UnknownControl("no text field " + c + " on the glide-polar setup screen");
            field->store(s, Slot, v);
    }
    return u;
}

}  // namespace ornivo::glide
