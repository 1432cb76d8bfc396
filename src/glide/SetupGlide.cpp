#include "glide/SetupGlide.h"

#include <cmath>
#include <map>
#include <set>

#include "atmosphere/Atmosphere.h"
#include "bird/SetupCommon.h"
#include "flap/PowerModel.h"
#include "glide/GlidePolar.h"
#include "state/Derived.h"
#include "state/Single.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::glide {
namespace {

constexpr int Slot = ModeGlide;

const std::map<std::string, Mark>& marksByControl() {
    static const std::map<std::string, Mark> m = {
        {"txtEmptyMass", Mark::EmptyMass}, {"txtCropMass", Mark::CropMass}, {"txtMuscleMass", Mark::MuscleMass},
        {"txtMuscleFrac", Mark::MuscleFrac}, {"txtFatMass", Mark::FatMass}, {"txtFatFrac", Mark::FatFrac},
        {"txtSpan", Mark::Span}, {"txtArea", Mark::WingArea}, {"txtAR", Mark::AspectRatio},
        {"txtRho", Mark::AirDensity}, {"txtAlt", Mark::Altitude}, {"txtFrontalAreaFactor", Mark::FrontalAreaFactor},
        {"txtCdb", Mark::Cdb}, {"txtPayDragFactor", Mark::PayDragFactor}, {"txtPbmrFactor", Mark::PbmrFactor},
        {"txtGravity", Mark::Gravity}, {"txtKGlide", Mark::Kglide}, {"txtCdw", Mark::Cdw},
        {"txtClMax", Mark::ClMax}, {"txtPlanformSlope", Mark::PlanformSlope}, {"txtBstop", Mark::Bstop},
        {"txtTonicMuscFrac", Mark::TonicMuscFrac},
    };
    return m;
}

// Fields that show values but take no typing.
const std::set<std::string>& readOnlyFields() {
    static const std::set<std::string> r = {"txtTaxon", "txtAllUpMass", "txtCropFrac", "txtAirframeMass",
                                            "txtAirframeFrac", "txtFatProtHeight", "txtFatHeight", "txtSbody",
                                            "txtPbmr", "txtMetSink"};
    return r;
}

const char* taxonText(const ProgramState& s) { return s.TaxonGroup == 1 ? "Passerine" : "Non-Passerine"; }

void showBstop(ScreenUpdate& u, bool shown) {
    u.setVisible("lblBstop", shown);
    u.setVisible("txtBstop", shown);
}

ScreenUpdate clickRule(ProgramState& s, const std::string& c, const Edit& e) {
    ScreenUpdate u;
    if (c == "optLinear" || c == "optMinDrag") {
        s.Glide.SpanLaw = c == "optLinear" ? SpanLawLinear : SpanLawMinDrag;
        u.setChecked(c, true);
        showBstop(u, s.Glide.SpanLaw == SpanLawLinear);
        s.Marks.set(Mark::Bstop);  // the two options share the mark of Bstop
    } else if (c == "txtTaxon" && e.kind == Edit::Kind::DoubleClick) {
        s.TaxonGroup = s.TaxonGroup == 1 ? 2 : 1;
        u.show("txtTaxon", taxonText(s));
        UpdateGlideBmr(s, u);
    } else if (c == "txtRho" && e.kind == Edit::Kind::DoubleClick) {
        // Opens the air density calculator (a screen of its own); here only the mark.
        s.Marks.set(Mark::AirDensity);
    } else if (c == "txtFatHeight") {
        u.showSig("txtFatHeight", f32(double(s.FatEnergyHeight) / 1000));
    } else if (auto it = marksByControl().find(c); it != marksByControl().end()) {
        s.Marks.set(it->second);  // clicking into a field marks it
    } else if (c != "txtSpName" && c != "txtShortName") {
        throw UnknownControl("no control " + c + " that takes a click on the glide-polar setup screen");
    }
    return u;
}

}  // namespace

void UpdateGlideBmr(ProgramState& s, ScreenUpdate& u) {
    BirdParams& b = s.slot(Slot);
    flap::BasalMetabolicRate(s, Slot);
    // Masses a refused field left as typed can leave no lean mass: nothing to show.
    if (std::isfinite(b.Pbmr)) u.showSig("txtPbmr", b.Pbmr); else u.show("txtPbmr", "");
    u.showSig("txtPbmrFactor", s.PbmrFactor);
    s.Glide.MetSink = f32(double(s.Eta) * b.Pbmr / (double(b.AllUpMass) * s.slot(0).Gravity));
    if (std::isfinite(s.Glide.MetSink)) {
        u.showSig("txtMetSink", s.Glide.MetSink);
    } else {
        s.Glide.MetSink = 0;  // no all-up mass or gravity yet: nothing to show
        u.show("txtMetSink", "");
    }
}

ScreenUpdate LoadSetupGlide(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    s.CalcMode = ModeGlide;
    ClearEditMarks(s);
    const BirdParams& b0 = s.slot(0);
    BirdParams& b = s.slot(Slot);
    u.show("txtSpName", s.SpName);
    u.show("txtShortName", s.ShortName);
    u.show("txtTaxon", taxonText(s));
    if (!s.KeepFactors) {
        s.FrontalAreaFactor = 1;
        s.PbmrFactor = 1;
    }
    b.EmptyMass = b0.EmptyMass;
    b.CropMass = b0.CropMass;
    u.showSig("txtEmptyMass", b.EmptyMass);
    u.showSig("txtCropMass", b.CropMass);
    b.AllUpMass = f32(AllUpMassOf(b));
    u.showSig("txtAllUpMass", b.AllUpMass);
    b.MuscleFrac = b0.MuscleFrac;
    b.MuscleMass = f32(double(b.MuscleFrac) * b.EmptyMass);
    u.showSig("txtMuscleMass", b.MuscleMass);
    b.FatFrac = b0.FatFrac;
    b.FatMass = f32(double(b.FatFrac) * b.EmptyMass);
    u.showSig("txtFatMass", b.FatMass);
    b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
    LoadEnergyConstants(s);
    u.append(bird::CheckAndDeriveMasses(s, d));
    u.showSig("txtFatProtHeight", f32(double(s.FuelEnergyHeight) / 1000));
    b.Span = b0.Span;
    u.showSig("txtSpan", b.Span);
    b.DiscArea = f32(s.Pi * b.Span * b.Span / 4);
    b.WingArea = b0.WingArea;
    b.MeanChord = f32(double(b.WingArea) / b.Span);
    u.showSig("txtArea", b.WingArea);
    b.AspectRatio = b0.AspectRatio;
    u.showSig("txtAR", b.AspectRatio);
    b.Sbody = b0.Sbody;
    u.showSig("txtSbody", b.Sbody);
    u.append(bird::UpdateBodyDrag(s));
    b.BodyDiameter = f32(0.102 * std::cbrt(double(b.AllUpMass)));
    b.Cdb = b0.Cdb;
    b.Cdw = b0.Cdw;
    u.showSig("txtCdb", b.Cdb);
    u.showSig("txtCdw", b.Cdw);
    b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    u.showSig("txtGravity", b0.Gravity);
    b.Gravity = b0.Gravity;
    UpdateGlideBmr(s, u);
    s.slot(0).Pbmr = b.Pbmr;
    b.EtaPbmr = f32(double(s.Eta) * b.Pbmr);
    s.X1 = bird::ProfilePowerRatio(s.Cprof, b.AspectRatio);
    u.showSig("txtKGlide", s.Kglide);
    u.showSig("txtRho", s.AirDensity);
    u.show("txtAlt", FormatPattern(s.Altitude, "0"));
    u.showSig("txtClMax", s.ClMax);
    u.showSig("txtBstop", s.Bstop);
    u.showSig("txtPlanformSlope", s.PlanformSlope);
    s.Glide.TonicMuscFrac = 0.015f;
    u.showSig("txtTonicMuscFrac", f32(100 * double(s.Glide.TonicMuscFrac)));
    u.showSig("txtPayDragFactor", s.PayDragFactor);
    s.Glide.SpanLaw = SpanLawLinear;
    u.setChecked("optLinear", true);
    showBstop(u, true);
    s.OutputCount = 0;
    s.WorkbookUnsaved = 0;
    s.OutFileName.clear();
    s.SigDigits = 3;
    u.refused = false;  // a mass refusal during the load is a notice, not a failed load
    return u;
}

ScreenUpdate SetupGlideEdit(ProgramState& s, platform::Dialogs& d, const std::string& c, const Edit& e) {
    if (e.kind == Edit::Kind::Click || e.kind == Edit::Kind::DoubleClick) return clickRule(s, c, e);
    if (e.kind != Edit::Kind::Text) throw UnknownControl("no check box " + c + " on the glide-polar setup screen");
    if (readOnlyFields().count(c))
        throw UnknownControl(c + " takes no typing on the glide-polar setup screen (it shows a derived value)");
    ScreenUpdate u;
    BirdParams& b = s.slot(Slot);
    // Typing into a field: the click into it marks it, leaving it commits the text.
    if (auto it = marksByControl().find(c); it != marksByControl().end()) s.Marks.set(it->second);
    const double v = LeadingNumber(e.text);
    const float fv = f32(v);
    if (!bird::FieldInRange(d, c, v)) {
        u.refused = true;
        return u;
    }
    if (c != "txtSpName" && c != "txtShortName" && !std::isfinite(fv)) {
        if (!marksByControl().count(c)) throw UnknownControl("no text field " + c + " on the glide-polar setup screen");
        d.error({"\"" + e.text + "\" is too large a number for this field", "Please enter a smaller value"});
        u.refused = true;
        return u;
    }
    auto bmr = [](ProgramState& st, ScreenUpdate& up) { UpdateGlideBmr(st, up); };
    if (bird::CommonFieldRule(s, d, c, v, e.text, bmr, u)) return u;
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
        }
    } else if (c == "txtRho") {
        auto alt = DensityFieldRule(s, d, v, AltitudeShown::SetupScreen);
        if (alt) u.show("txtAlt", *alt); else u.refused = true;
    } else if (c == "txtAlt") {
        auto rho = AltitudeFieldRule(s, d, v);
        if (rho) u.show("txtRho", *rho); else u.refused = true;
    } else if (c == "txtPbmrFactor") {
        s.PbmrFactor = fv;
        UpdateGlideBmr(s, u);
    } else if (c == "txtGravity") {
        s.slot(0).Gravity = fv;
    } else if (c == "txtKGlide") {
        s.Kglide = fv;
    } else if (c == "txtClMax") {
        s.ClMax = fv;
    } else if (c == "txtPlanformSlope") {
        s.PlanformSlope = fv;
    } else if (c == "txtCdw") {
        b.Cdw = fv;
    } else if (c == "txtTonicMuscFrac") {
        s.Glide.TonicMuscFrac = f32(v / 100);
    } else if (c == "txtBstop") {
        if (fv >= 4 && fv <= 6) {
            s.Bstop = fv;
        } else {
            d.error({"Bstop must be between 4 and 6"});
            u.refused = true;
        }
    } else {
        throw UnknownControl("no text field " + c + " on the glide-polar setup screen");
    }
    return u;
}

}  // namespace ornivo::glide
