#include "bird/SetupCommon.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include "state/Derived.h"
#include "state/Single.h"
#include "state/StateOps.h"

namespace ornivo::bird {
namespace {

void showMassesAndFractions(const BirdParams& b, ScreenUpdate& u) {
    u.showSig("txtFatMass", b.FatMass);
    u.showSig("txtMuscleMass", b.MuscleMass);
    u.showSig("txtAirframeMass", b.AirframeMass);
    u.showSig("txtCropMass", b.CropMass);
    u.showSig("txtEmptyMass", b.EmptyMass);
    u.showSig("txtAllUpMass", b.AllUpMass);
}
}  // namespace

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
    u.showSig("txtSbody", b.Sbody);
    b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    showMassesAndFractions(b, u);
    b.FatFrac = f32(double(b.FatMass) / b.AllUpMass);
    b.MuscleFrac = f32(double(b.MuscleMass) / b.AllUpMass);
    b.AirframeFrac = f32(double(b.AirframeMass) / b.AllUpMass);
    b.CropFrac = f32(double(b.CropMass) / b.AllUpMass);
    u.showSig("txtFatFrac", b.FatFrac);
    u.showSig("txtMuscleFrac", b.MuscleFrac);
    u.showSig("txtAirframeFrac", b.AirframeFrac);
    u.showSig("txtCropFrac", b.CropFrac);
    UpdateEnergyHeights(s);
    u.showSig("txtFatProtHeight", f32(double(s.FuelEnergyHeight) / 1000));
    u.show("txtFatHeight", "");
    return u;
}

ScreenUpdate UpdateBodyDrag(ProgramState& s) {
    ScreenUpdate u;
    BirdParams& b = s.slot();
    b.Sbody = f32(double(s.FrontalAreaFactor) * s.slot(0).Sbody);
    b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    u.showSig("txtSbody", b.Sbody);
    u.showSig("txtFrontalAreaFactor", s.FrontalAreaFactor);
    return u;
}

bool ChangesInputs(const std::string& control, const Edit& e) {
    if (e.kind == Edit::Kind::Text) return true;
    if (e.kind == Edit::Kind::Click) return control.rfind("opt", 0) == 0;
    return e.kind == Edit::Kind::DoubleClick && control == "txtTaxon";
}

void ShowWingbeatFrequency(const ProgramState& s, int slot, ScreenUpdate& u) {
    // A span of 0 (stored, refused by the calculation) gives no frequency: the box stays empty.
    const float f = s.slot(slot).WbeatFreq;
    if (std::isfinite(f)) u.showSig("txtWbeatFreq", f); else u.show("txtWbeatFreq", "");
    u.showSig("txtFreqFactor", s.FreqFactor);
}

void HidePowerFraction(ScreenUpdate& u) {
    u.setVisible("lblPowerFrac", false);
    u.setEnabled("txtPowerFrac", false);
    u.setVisible("txtPowerFrac", false);
}

void ShowPowerFraction(ScreenUpdate& u) {
    u.setVisible("lblPowerFrac", true);
    u.setEnabled("txtPowerFrac", true);
    u.setVisible("txtPowerFrac", true);
    u.focus = "txtPowerFrac";
}

bool UsableNumber(platform::Dialogs& d, double value) {
    if (std::isfinite(value) && std::fabs(value) <= 3.4e38) return true;
    d.error({"That number is too large to be used: please type a smaller value"});
    return false;
}

namespace {
struct FieldRange {
    const char* control;
    const char* label;  // as the screens label the field
    double lo, hi;
};

// Wide enough for any bird and any sensible experiment with the constants; narrow enough that
// squares, products and quotients of the values stay finite singles.
constexpr FieldRange Ranges[] = {
    {"txtEmptyMass", "Body mass (kg)", -HUGE_VAL, 1000},  // 0 or less: the mass check's own message
    {"txtCropMass", "Payload mass (kg)", 0, 1000},
    {"txtMuscleMass", "Flight muscle mass (kg)", 0, 1000},
    {"txtFatMass", "Fat mass (kg)", 0, 1000},
    {"txtMuscleFrac", "Flight muscle fraction", 0, 1},
    {"txtFatFrac", "Fat fraction", 0, 1},
    {"txtSpan", "Wing span (m)", 0, 100},  // 0: the calculation's own message
    {"txtArea", "Wing area (sq m)", 0, 100},
    {"txtAR", "Aspect ratio", 0, 1000},
    {"txtSbody", "Body frontal area (sq m)", 0, 100},
    {"txtFrontalAreaFactor", "Frontal Area Factor", 0, 1000},
    {"txtCdb", "Body drag coefficient", 0, 100},
    {"txtPayDragFactor", "Payload drag factor", 0, 1000},
    {"txtGravity", "Gravity (m/s-sq)", 0.01, 1000},
    {"txtKflap", "Induced power factor", 0, 1000},
    {"txtCprof", "Profile power constant", 0, 1000},
    {"txtX1", "Profile power ratio", 0, 1000},
    {"txtResp", "Respiration factor", 0, 1000},
    {"txtEta", "Conversion efficiency", 0.001, 1},
    {"txtPbmr", "Basal metabolic rate (W)", 0, 1e6},
    {"txtPbmrFactor", "Basal metabolism factor", 0, 1000},
    {"txtKmito", "Mitochondria IPD (cu m/W)", 0, 1},
    {"txtSigmaMax", "Max isom stress (N/sq m)", 0, 1e12},
    {"txtLambda", "Active strain", 0, 1000},
    {"txtWbeatFreq", "Wingbeat frequency (Hz)", 0, 1000},
    {"txtFreqFactor", "Wingbeat frequency factor", 0, 1000},
    {"txtGoalDist", "Distance to destination (km)", 0, 40000},
    // Below 0.02 hours: the start check's own message; past 600 hours the tables hold one row.
    {"txtOutputInt", "Output interval (hours)", -HUGE_VAL, 1e6},
    {"txtEfat", "Fat energy density (J/kg)", 1, 1e12},
    {"txtEprotein", "Dry protein energy density (J/kg)", 1, 1e12},  // 0 with no fat share leaves 0 / 0
    {"txtProtHydr", "Protein hydration ratio", 0, 1000},
    {"txtProtFracTarget", "Min energy from protein (%)", 0, 100},
    {"txtVclimbThreshold", "Rate of climb threshold (m/s)", 0, 1000},
};

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
    for (const FieldRange& r : Ranges) {
        if (control != r.control) continue;
        if (value >= r.lo && value <= r.hi) return true;
        if (std::isinf(r.lo))
            d.error({"The " + std::string(r.label) + " must be at most " + rangeNumber(r.hi),
                     "Please enter a smaller value"});
        else
            d.error({"The " + std::string(r.label) + " must be from " + rangeNumber(r.lo) + " to " + rangeNumber(r.hi),
                     "Please enter a value in that range"});
        return false;
    }
    return true;
}

float ProfilePowerRatio(float cprof, float aspectRatio) {
    const float x1 = f32(double(cprof) / aspectRatio);
    return std::isfinite(x1) ? x1 : 0.0f;
}

bool IsCommonField(const std::string& c) {
    static const char* const fields[] = {"txtSpName", "txtShortName", "txtEmptyMass", "txtCropMass", "txtMuscleMass",
                                         "txtFatMass", "txtMuscleFrac", "txtFatFrac", "txtSpan", "txtArea", "txtSbody",
                                         "txtFrontalAreaFactor", "txtCdb", "txtPayDragFactor"};
    for (const char* f : fields) if (c == f) return true;
    return false;
}

bool CommonFieldRule(ProgramState& s, platform::Dialogs& d, const std::string& c, double value,
                     const std::string& text, const BmrStep& bmr, ScreenUpdate& u) {
    BirdParams& b = s.slot();
    const float v = f32(value);
    if (!IsCommonField(c)) return false;
    if (c != "txtSpName" && c != "txtShortName" && (!FieldInRange(d, c, value) || !UsableNumber(d, value))) {
        u.refused = true;
        return true;
    }
    if (c == "txtSpName") {
        s.SpName = text;
    } else if (c == "txtShortName") {
        s.ShortName = text;
    } else if (c == "txtEmptyMass") {
        b.EmptyMass = v;
        b.AllUpMass = f32(AllUpMassOf(b));
        b.FatMass = f32(double(b.FatFrac) * b.AllUpMass);
        b.MuscleMass = f32(double(b.MuscleFrac) * b.AllUpMass);
        b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
        if (b.AllUpMass != 0) b.AirframeFrac = f32(double(b.AirframeMass) / b.AllUpMass);
        u.showSig("txtAllUpMass", b.AllUpMass);
        u.append(CheckAndDeriveMasses(s, d));
        bmr(s, u);  // refused or not: the BMR of the masses now stored
    } else if (c == "txtCropMass") {
        b.CropMass = v;
        u.append(CheckAndDeriveMasses(s, d));
    } else if (c == "txtMuscleMass") {
        b.MuscleMass = v;
        b.EmptyMass = f32(double(b.FatMass) + b.MuscleMass + b.AirframeMass);
        b.AllUpMass = f32(AllUpMassOf(b));
        if (b.AllUpMass != 0) b.MuscleFrac = f32(double(b.MuscleMass) / b.AllUpMass);
        u.append(CheckAndDeriveMasses(s, d));
    } else if (c == "txtFatMass") {
        b.FatMass = v;
        u.append(CheckAndDeriveMasses(s, d));
        bmr(s, u);
    } else if (c == "txtMuscleFrac" || c == "txtFatFrac") {
        (c == "txtMuscleFrac" ? b.MuscleFrac : b.FatFrac) = v;
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
        u.append(CheckAndDeriveMasses(s, d));
    } else if (c == "txtSpan") {
        const bool fits = b.WingArea > 0 ? AspectRatioFits(d, v, b.WingArea) : WingAreaFits(d, v, b.AspectRatio);
        if (!fits) {
            u.refused = true;
            return true;
        }
        b.Span = v;
        b.DiscArea = f32(double(b.Span) * b.Span * s.Pi / 4);
        if (b.WingArea > 0) {
            b.AspectRatio = f32(AspectRatioOf(b.Span, b.WingArea));
            u.showSig("txtAR", b.AspectRatio);
        } else if (b.AspectRatio > 0) {
            b.WingArea = f32(WingAreaOf(b.Span, b.AspectRatio));
            u.showSig("txtArea", b.WingArea);
        }
    } else if (c == "txtArea") {
        if (!AspectRatioFits(d, b.Span, v)) {
            u.refused = true;
            return true;
        }
        b.WingArea = v;
        if (b.WingArea > 0) {  // a non-positive area is stored but derives nothing
            b.AspectRatio = f32(AspectRatioOf(b.Span, b.WingArea));
            u.showSig("txtAR", b.AspectRatio);
        }
    } else if (c == "txtSbody") {
        b.Sbody = v;
    } else if (c == "txtFrontalAreaFactor") {
        s.FrontalAreaFactor = v;
        u.append(UpdateBodyDrag(s));
    } else if (c == "txtCdb") {
        b.Cdb = v;
        b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    } else if (c == "txtPayDragFactor") {
        s.PayDragFactor = v;
        b.BodyDragArea = f32(double(b.Sbody) * b.Cdb * s.PayDragFactor);
    } else {
        return false;
    }
    return true;
}

}  // namespace ornivo::bird
