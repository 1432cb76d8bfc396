#include "bird/EnterBird.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <stdexcept>

#include "atmosphere/Atmosphere.h"
#include "bird/SetupCommon.h"
#include "state/ControlNames.h"
#include "state/Derived.h"
#include "state/Parameters.h"
#include "state/numtext.h"

namespace ornivo::bird {
namespace {

float toSingle(double v) { return static_cast<float>(v); }

// The option buttons of the bird's group, sex and age, and the value each sets.
struct BirdOption {
    const char* control;
    int16_t ProgramState::*code;
    int16_t value;
};
constexpr BirdOption kOptions[] = {
    {ctl::optPass, &ProgramState::TaxonGroup, 1}, {ctl::optNonPass, &ProgramState::TaxonGroup, 2},
    {ctl::optMF, &ProgramState::Sex, 1},          {ctl::optMale, &ProgramState::Sex, 2},
    {ctl::optFemale, &ProgramState::Sex, 3},      {ctl::optSexUnknown, &ProgramState::Sex, 4},
    {ctl::optAdult, &ProgramState::Age, 1},       {ctl::optImm, &ProgramState::Age, 2},
    {ctl::optAgeUnknown, &ProgramState::Age, 3},
};

// Checks the option that shows a code's value (none for a value no option shows).
void showOption(const ProgramState& s, int16_t ProgramState::*code, ScreenUpdate& u) {
    for (const BirdOption& o : kOptions)
        if (o.code == code && s.*code == o.value) u.setChecked(o.control, true);
}

void showSexAge(ProgramState& s, ScreenUpdate& u) {
    showOption(s, &ProgramState::Sex, u);
    showOption(s, &ProgramState::Age, u);
}

}  // namespace

bool IsEnterBirdField(const std::string& c) {
    // The typed fields; the output drive and path only show where the output goes.
    const Parameter* p = FieldOn(OnEnterBird, c);
    return p && p->id != Param::OutDrive && p->id != Param::OutPath;
}
ScreenUpdate LoadEnterBird(ProgramState& s) {
    ScreenUpdate u;
    s.CalcMode = ModeEnterBird;
    u.setEnabled(ctl::cmdReloadLast, s.LastBirdValid);
    s.KeepFactors = false;
    u.show(Param::OutDrive, s.OutDrive);
    s.Pi = 4 * std::atan(1.0);
    s.TaxonGroup = 2;
    s.Sex = 1;
    s.Age = 1;
    BirdParams& b = s.slot(0);
    b.EmptyMass = b.FatMass = b.AirframeMass = b.CropMass = b.FatFrac = b.CropFrac = 0;
    b.AllUpMass = b.WingArea = b.Span = b.AspectRatio = 0;
    b.MuscleFrac = 0.17f;
    b.Gravity = 9.81f;
    b.Cdb = 0.1f;
    b.Cdw = 0.014f;
    b.PowerFracBound = 1;
    b.PowerFracFG = 1;
    s.ClMax = 1.8f;
    s.PlanformSlope = 1;
    s.Bstop = 5;
    s.FlightStyle = 1;
    s.PayDragFactor = 1;
    s.Kflap = 1.2f;
    s.Kglide = 1.1f;
    s.Cprof = 8.4f;
    s.Resp = 1.1f;
    s.Eta = 0.23f;
    s.Kmito = 1.2e-6f;
    s.MuscleDensity = 1060;
    s.GoalDist = 0;
    s.SigmaMax = 560000;
    s.Lambda = 0.26f;
    const bool hasOutput = !s.LastOutputFolder.empty();
    u.setVisible(ctl::lblOutPath, hasOutput);
    u.setVisible(ctl::txtOutPath, hasOutput);
    if (hasOutput) u.show(Param::OutPath, s.OutPath);
    showOption(s, &ProgramState::TaxonGroup, u);
    showSexAge(s, u);
    return u;
}

ScreenUpdate EnterBirdField(ProgramState& s, platform::Dialogs& d, const std::string& control,
                            const std::string& text) {
    ScreenUpdate u;
    BirdParams& b = s.slot(0);
    const double v = LeadingNumber(text);
    const Parameter* field = IsEnterBirdField(control) ? FindParameter(control) : nullptr;
    const Param id = field ? field->id : Param::Count;
    const bool textField = id == Param::SpName || id == Param::ShortName;
    if (!textField && IsEnterBirdField(control) && !(std::isfinite(v) && std::fabs(v) <= 3.4e38)) {
        d.error({"That number is too large to be used: please type a smaller value"});
        u.refused = true;
        u.focus = control;
        return u;
    }
    // Too large a mass, span, area or ratio overflows the setup screens' squares and products;
    // 0 or less goes on to the bird check and its own messages.
    if (!textField && v > 0 && !FieldInRange(d, control, v)) {
        u.refused = true;
        u.focus = control;
        return u;
    }
    // A span, area or ratio whose counterpart would pass the single range is refused before it is kept.
    const bool wingsFit = v <= 0 || (id == Param::Span   ? (b.WingArea > 0 ? AspectRatioFits(d, v, b.WingArea)
                                                                         : WingAreaFits(d, v, b.AspectRatio))
                                     : id == Param::Area ? AspectRatioFits(d, b.Span, v)
                                     : id == Param::AR   ? WingAreaFits(d, b.Span, v)
                                                         : true);
    if (!wingsFit) {
        u.refused = true;
        u.focus = control;
        return u;
    }
    // Of span, area and aspect ratio, the one not typed follows from the other two.
    auto deriveRatio = [&] {
        b.AspectRatio = toSingle(AspectRatioOf(b.Span, b.WingArea));
        if (b.AspectRatio > 0) u.showSig(Param::AR, b.AspectRatio);
    };
    auto deriveArea = [&] {
        b.WingArea = toSingle(WingAreaOf(b.Span, b.AspectRatio));
        if (b.WingArea > 0) u.showSig(Param::Area, b.WingArea);
    };
    switch (id) {
        case Param::SpName: s.SpName = text; break;
        case Param::ShortName: s.ShortName = text; break;
        case Param::EmptyMass: b.EmptyMass = toSingle(v); break;
        case Param::Span:
            b.Span = toSingle(v);
            if (b.Span > 0) {
                u.showSig(Param::Span, b.Span);
                if (b.WingArea > 0) deriveRatio();
                else if (b.AspectRatio > 0) deriveArea();
            }
            break;
        case Param::Area:
            b.WingArea = toSingle(v);
            if (b.WingArea > 0) {
                u.showSig(Param::Area, b.WingArea);
                deriveRatio();
            }
            break;
        case Param::AR:
            b.AspectRatio = toSingle(v);
            if (b.AspectRatio > 0) {
                u.showSig(Param::AR, b.AspectRatio);
                deriveArea();
            }
            break;
        case Param::Rho:
            if (auto alt = DensityFieldRule(s, d, v, AltitudeShown::EnterBird)) {
                u.show(Param::Alt, *alt);
            } else {
                u.refused = true;
                u.focus = control;
            }
            break;
        case Param::Alt:
            if (auto rho = AltitudeFieldRule(s, d, v)) {
                u.show(Param::Rho, *rho);
            } else {
                u.refused = true;
                u.focus = control;
            }
            break;
        default: throw std::invalid_argument("no field " + control + " on the Enter Bird screen");
    }
    return u;
}

ScreenUpdate EnterBirdOption(ProgramState& s, const std::string& c) {
    ScreenUpdate u;
    const auto o = std::find_if(std::begin(kOptions), std::end(kOptions),
                                [&](const BirdOption& b) { return c == b.control; });
    if (o == std::end(kOptions)) throw std::invalid_argument("no option " + c + " on the Enter Bird screen");
    s.*(o->code) = o->value;
    u.setChecked(c, true);
    return u;
}

std::string CheckBird(ProgramState& s, platform::Dialogs& d) {
    const BirdParams& b = s.slot(0);
    if (s.SpName.empty()) {
        d.error({"Please enter a bird"});
        return std::string(ControlOf(Param::SpName));
    }
    if (!(b.EmptyMass > 0)) {
        d.error({"Please enter the empty body mass, and press TAB"});
        return std::string(ControlOf(Param::EmptyMass));
    }
    if (!(b.Span > 0)) {
        d.error({"An accurate value for the wing span is essential", "Please enter the wing span and press TAB"});
        return std::string(ControlOf(Param::Span));
    }
    if (!(b.WingArea > 0) || !(b.AspectRatio > 0)) {
        d.error({"Please enter the wing area if known,", "otherwise guess the aspect ratio and enter that"});
        return std::string(ControlOf(Param::AR));
    }
    if (!(s.AirDensity > 0)) {
        d.error({"Please enter the altitude above sea level", "or double-click in Air Density box to set density"});
        return std::string(ControlOf(Param::Alt));
    }
    return {};
}

bool PressCalculation(ProgramState& s, platform::Dialogs& d, Calculation c, ScreenUpdate* update) {
    std::string focus = CheckBird(s, d);
    if (!focus.empty()) {
        if (update) { update->focus = focus; update->refused = true; }
        return false;
    }
    BirdParams& b = s.slot(0);
    // The taxon follows the option buttons, which the option rules keep in step with TaxonGroup.
    b.AllUpMass = toSingle(AllUpMassOf(b));
    if (c == Calculation::PowerCurve) {
        b.AirframeFrac = toSingle(1 - (double(b.MuscleFrac) + b.FatFrac));
        b.AirframeMass = toSingle(double(b.EmptyMass) * b.AirframeFrac);
    }
    const double mass = c == Calculation::PowerCurve ? b.EmptyMass : b.AllUpMass;
    b.Sbody = toSingle(0.00813 * std::pow(mass, 0.666));
    return true;
}

ScreenUpdate ReloadLastBird(ProgramState& s) {
    ScreenUpdate u;
    if (!s.LastBirdValid) return u;
    const LastBirdRecord& L = s.LastBird;
    BirdParams& b = s.slot(0);
    s.SpName = L.SpName;
    s.ShortName = L.ShortName;
    u.show(Param::SpName, s.SpName);
    u.show(Param::ShortName, s.ShortName);
    s.TaxonGroup = CInt(L.TaxonGroup);
    u.setChecked(s.TaxonGroup == 1 ? ctl::optPass : ctl::optNonPass, true);
    b.EmptyMass = L.EmptyMass;
    b.CropMass = L.CropMass;
    b.Span = L.Span;
    b.WingArea = L.WingArea;
    u.showSig(Param::EmptyMass, b.EmptyMass);
    u.showSig(Param::Span, b.Span);
    u.showSig(Param::Area, b.WingArea);
    b.AspectRatio = toSingle(AspectRatioOf(b.Span, b.WingArea));
    u.showSig(Param::AR, b.AspectRatio);
    s.AirDensity = L.AirDensity;
    u.showSig(Param::Rho, s.AirDensity);
    s.Altitude = AltitudeFromDensity(s.AirDensity);
    u.show(Param::Alt, FormatPattern(s.Altitude, "0"));
    b.MuscleFrac = L.MuscleFrac;
    b.FatFrac = L.FatFrac;
    s.Sex = CInt(L.Sex);
    s.Age = CInt(L.Age);
    showSexAge(s, u);
    s.Cprof = L.Cprof;
    s.PbmrFactor = L.PbmrFactor;
    s.ExistenceRatio = L.ExistenceRatio;
    s.FreqFactor = L.FreqFactor;
    s.FrontalAreaFactor = L.FrontalAreaFactor;
    b.Cdb = L.Cdb;
    b.Cdw = L.Cdw;
    s.Kflap = L.Kflap;
    s.Kglide = L.Kglide;
    s.Kmito = L.Kmito;
    s.Resp = L.Resp;
    s.Eta = L.Eta;
    s.Efat = L.Efat;
    s.Eprotein = L.Eprotein;
    s.ProtHydr = L.ProtHydr;
    s.ProtFracTarget = L.ProtFracTarget;
    s.ClMax = L.ClMax;
    s.PlanformSlope = L.PlanformSlope;
    s.Bstop = L.Bstop;
    b.Gravity = L.Gravity0;
    s.KeepFactors = true;
    return u;
}

}  // namespace ornivo::bird
