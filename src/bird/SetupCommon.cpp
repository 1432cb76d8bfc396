#include "bird/SetupCommon.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include "atmosphere/Atmosphere.h"
#include "state/ControlNames.h"
#include "state/Derived.h"
#include "state/Parameters.h"
#include "state/Single.h"
#include "state/StateOps.h"

namespace ornivo::bird {
namespace {

void showMassesAndFractions(const BirdParams& b, ScreenUpdate& u) {
    u.showSig(Param::FatMass, b.FatMass);
    u.showSig(Param::MuscleMass, b.MuscleMass);
    u.showSig(Param::AirframeMass, b.AirframeMass);
    u.showSig(Param::CropMass, b.CropMass);
    u.showSig(Param::EmptyMass, b.EmptyMass);
    u.showSig(Param::AllUpMass, b.AllUpMass);
}
}  // namespace

bool MarkField(ProgramState& s, std::uint8_t screen, const std::string& control) {
    const auto mark = MarkOn(screen, control);
    if (mark) s.Marks.set(*mark);
    return mark.has_value();
}

void ShowNames(const ProgramState& s, ScreenUpdate& u) {
    u.show(Param::SpName, s.SpName);
    u.show(Param::ShortName, s.ShortName);
    u.show(Param::Taxon, s.TaxonGroup == 1 ? "Passerine" : "Non-Passerine");
}

void ToggleTaxon(ProgramState& s, ScreenUpdate& u) {
    s.TaxonGroup = s.TaxonGroup == 1 ? 2 : 1;
    u.show(Param::Taxon, s.TaxonGroup == 1 ? "Passerine" : "Non-Passerine");
}

bool SharedClick(ProgramState& s, const std::string& control, bool doubleClick,
                 const BmrStep& bmr, ScreenUpdate& u) {
    if (control == ctl::txtTaxon && doubleClick) {
        ToggleTaxon(s, u);
        bmr(s, u);
    } else if (control == ctl::txtFatHeight) {
        u.showSig(Param::FatHeight, f32(double(s.FatEnergyHeight) / 1000));
    } else {
        return false;
    }
    return true;
}

void StartSetupOutput(ProgramState& s) {
    s.OutputCount = 0;
    s.WorkbookUnsaved = 0;
    s.OutFileName.clear();
    s.SigDigits = 3;
}

void LoadMasses(ProgramState& s, FractionsOf base) {
    const BirdParams& b0 = s.slot(ModeEnterBird);
    BirdParams& b = s.slot();
    b.EmptyMass = b0.EmptyMass;
    b.CropMass = b0.CropMass;
    b.AllUpMass = f32(AllUpMassOf(b));
    const double of = base == FractionsOf::AllUpMass ? b.AllUpMass : b.EmptyMass;
    b.MuscleFrac = b0.MuscleFrac;
    b.MuscleMass = f32(double(b.MuscleFrac) * of);
    b.FatFrac = b0.FatFrac;
    b.FatMass = f32(double(b.FatFrac) * of);
    b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
}

void ShowFields(const ProgramState& s, ScreenUpdate& u, std::initializer_list<Param> fields) {
    for (Param p : fields) {
        const Parameter& field = ParameterOf(p);
        const float v = f32(field.value(s, s.CalcMode));
        if (field.pattern) u.show(p, FormatPattern(v, field.pattern));
        else u.showSig(p, v);
    }
}

void LoadWing(ProgramState& s, ScreenUpdate& u) {
    const BirdParams& b0 = s.slot(ModeEnterBird);
    BirdParams& b = s.slot();
    b.Span = b0.Span;
    u.showSig(Param::Span, b.Span);
    b.DiscArea = f32(DiscAreaOf(b.Span, s.Pi, DiscOrder::SpanPiSpan));
    b.WingArea = b0.WingArea;
    u.showSig(Param::Area, b.WingArea);
    b.MeanChord = f32(double(b.WingArea) / b.Span);
    b.AspectRatio = b0.AspectRatio;
    u.showSig(Param::AR, b.AspectRatio);
}

bool MassLimitsHold(const BirdParams& b, platform::Dialogs& d) {
    // The limits below are fractions of the body mass, and the fractions are of the all-up mass:
    // neither means anything for a mass of 0 or less.
    if (!(b.EmptyMass > 0)) {
        d.error({"You need to enter the empty body mass", "(a body mass of more than 0 kg)"});
        return false;
    }
    if (!(AllUpMassOf(b) > 0)) {
        d.error({"The all-up mass (body mass + payload mass) must be more than 0 kg"});
        return false;
    }
    if (f32(double(b.FatMass) / b.EmptyMass) > 0.6f) {
        d.error({"That won't do. Fat mass must not exceed 0.6 x Body mass"});
        return false;
    }
    if (double(b.MuscleMass) > 0.3 * double(b.EmptyMass)) {
        d.error({"That won't do. Muscle mass must not exceed 0.3 x Body mass"});
        return false;
    }
    if (double(b.AirframeMass) < 0.25 * double(b.EmptyMass)) {
        d.error({"That won't do. Sum of muscle + fat mass must not exceed 0.75 x Body mass"});
        return false;
    }
    return true;
}

ScreenUpdate CheckAndDeriveMasses(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    BirdParams& b = s.slot();
    if (!MassLimitsHold(b, d)) {
        u.refused = true;
        return u;
    }
    b.EmptyMass = f32(double(b.FatMass) + b.MuscleMass + b.AirframeMass);
    b.AllUpMass = f32(AllUpMassOf(b));
    b.MuscleMass = f32(double(b.MuscleFrac) * b.AllUpMass);
    b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
    b.AirframeFrac = f32(double(b.AirframeMass) / b.AllUpMass);
    b.Sbody = f32(0.00813 * std::pow(double(b.AllUpMass), 0.666) * s.FrontalAreaFactor);
    u.showSig(Param::Sbody, b.Sbody);
    b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    showMassesAndFractions(b, u);
    b.FatFrac = f32(double(b.FatMass) / b.AllUpMass);
    b.MuscleFrac = f32(double(b.MuscleMass) / b.AllUpMass);
    b.AirframeFrac = f32(double(b.AirframeMass) / b.AllUpMass);
    b.CropFrac = f32(double(b.CropMass) / b.AllUpMass);
    u.showSig(Param::FatFrac, b.FatFrac);
    u.showSig(Param::MuscleFrac, b.MuscleFrac);
    u.showSig(Param::AirframeFrac, b.AirframeFrac);
    u.showSig(Param::CropFrac, b.CropFrac);
    UpdateEnergyHeights(s);
    u.showSig(Param::FatProtHeight, f32(double(s.FuelEnergyHeight) / 1000));
    u.show(Param::FatHeight, "");
    return u;
}

ScreenUpdate UpdateBodyDrag(ProgramState& s) {
    ScreenUpdate u;
    BirdParams& b = s.slot();
    b.Sbody = f32(double(s.FrontalAreaFactor) * s.slot(0).Sbody);
    b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    u.showSig(Param::Sbody, b.Sbody);
    u.showSig(Param::FrontalAreaFactor, s.FrontalAreaFactor);
    return u;
}

bool ChangesInputs(const std::string& control, const Edit& e) {
    if (e.kind == Edit::Kind::Text) return true;
    if (e.kind == Edit::Kind::Click) return control.rfind("opt", 0) == 0;
    return e.kind == Edit::Kind::DoubleClick && control == ctl::txtTaxon;
}

void ShowWingbeatFrequency(const ProgramState& s, int slot, ScreenUpdate& u) {
    // A span of 0 (stored, refused by the calculation) gives no frequency: the box stays empty.
    const float f = s.slot(slot).WbeatFreq;
    if (std::isfinite(f)) u.showSig(Param::WbeatFreq, f); else u.show(Param::WbeatFreq, "");
    u.showSig(Param::FreqFactor, s.FreqFactor);
}

void HidePowerFraction(ScreenUpdate& u) {
    u.setVisible(ctl::lblPowerFrac, false);
    u.setEnabled(ctl::txtPowerFrac, false);
    u.setVisible(ctl::txtPowerFrac, false);
}

void ShowPowerFraction(ScreenUpdate& u) {
    u.setVisible(ctl::lblPowerFrac, true);
    u.setEnabled(ctl::txtPowerFrac, true);
    u.setVisible(ctl::txtPowerFrac, true);
    u.focus = ctl::txtPowerFrac;
}

bool UsableNumber(platform::Dialogs& d, double value) {
    if (std::isfinite(value) && std::fabs(value) <= 3.4e38) return true;
    d.error({"That number is too large to be used: please type a smaller value"});
    return false;
}

namespace {
// A wing area of nearly 0 under a real span gives an aspect ratio past the single range.
std::string rangeNumber(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", x);
    return buf;
}
}  // namespace

bool AspectRatioFits(platform::Dialogs& d, double span, double area) {
    if (!(area > 0) || span * span / area <= FLT_MAX) return true;
    d.error({"This wing span and wing area give an aspect ratio too large to calculate with",
             "Please enter a larger wing area or a smaller wing span"});
    return false;
}

bool WingAreaFits(platform::Dialogs& d, double span, double aspectRatio) {
    if (!(aspectRatio > 0) || span * span / aspectRatio <= FLT_MAX) return true;
    d.error({"This wing span and aspect ratio give a wing area too large to calculate with",
             "Please enter a larger aspect ratio or a smaller wing span"});
    return false;
}

bool FieldInRange(platform::Dialogs& d, const std::string& control, double value) {
    const Parameter* p = FindParameter(control);
    if (!p || p->lo > p->hi || (value >= p->lo && value <= p->hi)) return true;
    const std::string label(p->label);
    if (std::isinf(p->lo))
        d.error({"The " + label + " must be at most " + rangeNumber(p->hi), "Please enter a smaller value"});
    else
        d.error({"The " + label + " must be from " + rangeNumber(p->lo) + " to " + rangeNumber(p->hi),
                 "Please enter a value in that range"});
    return false;
}

float ProfilePowerRatio(float cprof, float aspectRatio) {
    const float x1 = f32(double(cprof) / aspectRatio);
    return std::isfinite(x1) ? x1 : 0.0f;
}

bool IsCommonField(const std::string& c) {
    const Parameter* p = FindParameter(c);
    if (!p) return false;
    switch (p->id) {
        case Param::SpName: case Param::ShortName: case Param::EmptyMass: case Param::CropMass:
        case Param::MuscleMass: case Param::FatMass: case Param::MuscleFrac: case Param::FatFrac: case Param::Span:
        case Param::Area: case Param::Sbody: case Param::FrontalAreaFactor: case Param::Cdb:
        case Param::PayDragFactor:
            return true;
        default:
            return false;
    }
}

namespace {

// One function per shared field rule: what a typed value derives, in order.
struct RuleContext {
    ProgramState& s;
    platform::Dialogs& d;
    BirdParams& b;
    const BmrStep& bmr;
    ScreenUpdate& u;
};

void emptyMassRule(RuleContext& r, float v) {
    BirdParams& b = r.b;
    b.EmptyMass = v;
    b.AllUpMass = f32(AllUpMassOf(b));
    b.FatMass = f32(double(b.FatFrac) * b.AllUpMass);
    b.MuscleMass = f32(double(b.MuscleFrac) * b.AllUpMass);
    b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
    if (b.AllUpMass != 0) b.AirframeFrac = f32(double(b.AirframeMass) / b.AllUpMass);
    r.u.showSig(Param::AllUpMass, b.AllUpMass);
    r.u.append(CheckAndDeriveMasses(r.s, r.d));
    r.bmr(r.s, r.u);  // refused or not: the BMR of the masses now stored
}

void muscleMassRule(RuleContext& r, float v) {
    BirdParams& b = r.b;
    b.MuscleMass = v;
    b.EmptyMass = f32(double(b.FatMass) + b.MuscleMass + b.AirframeMass);
    b.AllUpMass = f32(AllUpMassOf(b));
    if (b.AllUpMass != 0) b.MuscleFrac = f32(double(b.MuscleMass) / b.AllUpMass);
    r.u.append(CheckAndDeriveMasses(r.s, r.d));
}

void fractionRule(RuleContext& r, float& fraction, float v) {
    BirdParams& b = r.b;
    fraction = v;
    b.AirframeFrac = f32(1 - double(b.FatFrac) - b.MuscleFrac);
    b.FatMass = f32(double(b.FatFrac) * b.AllUpMass);
    b.MuscleMass = f32(double(b.MuscleFrac) * b.AllUpMass);
    if (b.CropMass != 0) {
        // With a crop load the fractions are of the all-up mass: the airframe is what the empty
        // mass leaves, so that the re-derivation does not add the crop to the body a second time.
        b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
        if (b.AllUpMass != 0) b.AirframeFrac = f32(double(b.AirframeMass) / b.AllUpMass);
    } else {
        b.AirframeMass = f32(double(b.AirframeFrac) * b.AllUpMass);
    }
    r.u.append(CheckAndDeriveMasses(r.s, r.d));
}

bool spanRule(RuleContext& r, float v) {
    BirdParams& b = r.b;
    const bool fits = b.WingArea > 0 ? AspectRatioFits(r.d, v, b.WingArea) : WingAreaFits(r.d, v, b.AspectRatio);
    if (!fits) return false;
    b.Span = v;
    b.DiscArea = f32(DiscAreaOf(b.Span, r.s.Pi, DiscOrder::SpanSquaredPi));
    if (b.WingArea > 0) {
        b.AspectRatio = f32(AspectRatioOf(b.Span, b.WingArea));
        r.u.showSig(Param::AR, b.AspectRatio);
    } else if (b.AspectRatio > 0) {
        b.WingArea = f32(WingAreaOf(b.Span, b.AspectRatio));
        r.u.showSig(Param::Area, b.WingArea);
    }
    return true;
}

bool areaRule(RuleContext& r, float v) {
    BirdParams& b = r.b;
    if (!AspectRatioFits(r.d, b.Span, v)) return false;
    b.WingArea = v;
    if (b.WingArea > 0) {  // a non-positive area is stored but derives nothing
        b.AspectRatio = f32(AspectRatioOf(b.Span, b.WingArea));
        r.u.showSig(Param::AR, b.AspectRatio);
    }
    return true;
}

void bodyDragArea(RuleContext& r) {
    r.b.BodyDragArea = f32(double(r.b.Sbody) * r.b.Cdb * r.s.PayDragFactor);
}

}  // namespace

bool AspectRatioRule(ProgramState& s, platform::Dialogs& d, double value, ScreenUpdate& u) {
    BirdParams& b = s.slot();
    if (!WingAreaFits(d, b.Span, value)) {
        u.refused = true;
        return false;
    }
    b.AspectRatio = f32(value);
    if (b.AspectRatio > 0) {  // a non-positive ratio is stored but derives nothing
        b.WingArea = f32(WingAreaOf(b.Span, b.AspectRatio));
        u.showSig(Param::Area, b.WingArea);
        s.X1 = ProfilePowerRatio(s.Cprof, b.AspectRatio);
    }
    return true;
}

void AirFieldRule(ProgramState& s, platform::Dialogs& d, Param field, double value, ScreenUpdate& u) {
    if (field == Param::Rho) {
        if (auto alt = DensityFieldRule(s, d, value, AltitudeShown::SetupScreen)) u.show(Param::Alt, *alt);
        else u.refused = true;
    } else if (auto rho = AltitudeFieldRule(s, d, value)) {
        u.show(Param::Rho, *rho);
    } else {
        u.refused = true;
    }
}

bool CommonFieldRule(ProgramState& s, platform::Dialogs& d, const std::string& c, double value,
                     const std::string& text, const BmrStep& bmr, ScreenUpdate& u) {
    if (!IsCommonField(c)) return false;
    const Param field = FindParameter(c)->id;
    if (field == Param::SpName || field == Param::ShortName) {
        (field == Param::SpName ? s.SpName : s.ShortName) = text;
        return true;
    }
    if (!FieldInRange(d, c, value) || !UsableNumber(d, value)) {
        u.refused = true;
        return true;
    }
    RuleContext r{s, d, s.slot(), bmr, u};
    BirdParams& b = r.b;
    const float v = f32(value);
    switch (field) {
        case Param::EmptyMass: emptyMassRule(r, v); break;
        case Param::CropMass:
            b.CropMass = v;
            u.append(CheckAndDeriveMasses(s, d));
            break;
        case Param::MuscleMass: muscleMassRule(r, v); break;
        case Param::FatMass:
            b.FatMass = v;
            u.append(CheckAndDeriveMasses(s, d));
            bmr(s, u);
            break;
        case Param::MuscleFrac: fractionRule(r, b.MuscleFrac, v); break;
        case Param::FatFrac: fractionRule(r, b.FatFrac, v); break;
        case Param::Span:
            if (!spanRule(r, v)) u.refused = true;
            break;
        case Param::Area:
            if (!areaRule(r, v)) u.refused = true;
            break;
        case Param::Sbody: b.Sbody = v; break;
        case Param::FrontalAreaFactor:
            s.FrontalAreaFactor = v;
            u.append(UpdateBodyDrag(s));
            break;
        case Param::Cdb:
            b.Cdb = v;
            bodyDragArea(r);
            break;
        case Param::PayDragFactor:
            s.PayDragFactor = v;
            bodyDragArea(r);
            break;
        default: return false;
    }
    return true;
}

}  // namespace ornivo::bird
