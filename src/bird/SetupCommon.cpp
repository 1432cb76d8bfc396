#include "bird/SetupCommon.h"

#include <cmath>

#include "state/StateOps.h"

namespace ornivo::bird {
namespace {
float f32(double v) { return static_cast<float>(v); }

void showMassesAndFractions(const BirdParams& b, ScreenUpdate& u) {
    u.showSig("txtFatMass", b.FatMass);
    u.showSig("txtMuscleMass", b.MuscleMass);
    u.showSig("txtAirframeMass", b.AirframeMass);
    u.showSig("txtCropMass", b.CropMass);
    u.showSig("txtEmptyMass", b.EmptyMass);
    u.showSig("txtAllUpMass", b.AllUpMass);
}
}  // namespace

ScreenUpdate CheckAndDeriveMasses(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    BirdParams& b = s.slot();
    // The limits below are fractions of the body mass, and the fractions are of the all-up mass:
    // neither means anything for a mass of 0 or less.
    if (!(b.EmptyMass > 0)) {
        d.error({"You need to enter the empty body mass", "(a body mass of more than 0 kg)"});
        u.refused = true;
        return u;
    }
    if (!(double(b.EmptyMass) + b.CropMass > 0)) {
        d.error({"The all-up mass (body mass + payload mass) must be more than 0 kg"});
        u.refused = true;
        return u;
    }
    if (f32(double(b.FatMass) / b.EmptyMass) > 0.6f) {
        d.error({"That won't do. Fat mass must not exceed 0.6 x Body mass"});
        u.refused = true;
        return u;
    }
    if (double(b.MuscleMass) > 0.3 * double(b.EmptyMass)) {
        d.error({"That won't do. Muscle mass must not exceed 0.3 x Body mass"});
        u.refused = true;
        return u;
    }
    if (double(b.AirframeMass) < 0.25 * double(b.EmptyMass)) {
        d.error({"That won't do. Sum of muscle + fat mass must not exceed 0.75 x Body mass"});
        u.refused = true;
        return u;
    }
    b.EmptyMass = f32(double(b.FatMass) + b.MuscleMass + b.AirframeMass);
    b.AllUpMass = f32(double(b.EmptyMass) + b.CropMass);
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

void ShowWingbeatFrequency(const ProgramState& s, int slot, ScreenUpdate& u) {
    u.showSig("txtWbeatFreq", s.slot(slot).WbeatFreq);
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
    if (c != "txtSpName" && c != "txtShortName" && !UsableNumber(d, value)) {
        u.refused = true;
        return true;
    }
    if (c == "txtSpName") {
        s.SpName = text;
    } else if (c == "txtShortName") {
        s.ShortName = text;
    } else if (c == "txtEmptyMass") {
        b.EmptyMass = v;
        b.AllUpMass = f32(double(b.EmptyMass) + b.CropMass);
        b.FatMass = f32(double(b.FatFrac) * b.AllUpMass);
        b.MuscleMass = f32(double(b.MuscleFrac) * b.AllUpMass);
        b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
        if (b.AllUpMass != 0) b.AirframeFrac = f32(double(b.AirframeMass) / b.AllUpMass);
        u.showSig("txtAllUpMass", b.AllUpMass);
        u.append(CheckAndDeriveMasses(s, d));
        bmr(s, u);
    } else if (c == "txtCropMass") {
        b.CropMass = v;
        u.append(CheckAndDeriveMasses(s, d));
    } else if (c == "txtMuscleMass") {
        b.MuscleMass = v;
        b.EmptyMass = f32(double(b.FatMass) + b.MuscleMass + b.AirframeMass);
        b.AllUpMass = f32(double(b.EmptyMass) + b.CropMass);
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
        b.Span = v;
        b.DiscArea = f32(double(b.Span) * b.Span * s.Pi / 4);
        if (b.WingArea > 0) {
            b.AspectRatio = f32(double(b.Span) * b.Span / b.WingArea);
            u.showSig("txtAR", b.AspectRatio);
        } else if (b.AspectRatio > 0) {
            b.WingArea = f32(double(b.Span) * b.Span / b.AspectRatio);
            u.showSig("txtArea", b.WingArea);
        }
    } else if (c == "txtArea") {
        b.WingArea = v;
        if (b.WingArea > 0) {  // a non-positive area is stored but derives nothing
            b.AspectRatio = f32(double(b.Span) * b.Span / b.WingArea);
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
