#include "atmosphere/Atmosphere.h"

#include <cfloat>
#include <cmath>

#include "state/numtext.h"

namespace ornivo {

float StdDensityRatio(double h) {
    return static_cast<float>(std::pow(1 - 0.0065 * h / 288, 4.256));
}

float StdDensity(ProgramState& s, double h) {
    s.RelDensity = StdDensityRatio(h);
    return static_cast<float>(1.225 * double(s.RelDensity));
}

float AltitudeFromDensity(double rho) {
    return static_cast<float>((1 - std::pow(rho / 1.225, 0.235)) / 0.00002257);
}

float KinViscosityAt(double h) {
    const float t = static_cast<float>(1 - 0.0065 * h / 288);
    return static_cast<float>(double(t) * 0.0000145 / std::pow(double(t), 4.256));
}

bool AltitudeInAtmosphere(double h) {
    // The single the state holds is what the formulas see.
    const float hs = static_cast<float>(h);
    return std::isfinite(h) && h < StdAtmosphereTop && hs < StdAtmosphereTop && hs >= LowestAltitude;
}

std::vector<std::string> AltitudeOutOfRangeMessage() {
    return {"The standard atmosphere ends at 44308 m:", "please enter a lower altitude"};
}

std::vector<std::string> AltitudeTooLowMessage() {
    return {"The altitude is too far below sea level for the standard atmosphere:",
            "please enter an altitude of -440000 m or more"};
}

std::vector<std::string> AltitudeRefusal(double h) {
    return h < 0 ? AltitudeTooLowMessage() : AltitudeOutOfRangeMessage();
}

std::vector<std::string> DensityTooLargeMessage() {
    return {"This air density is too large to calculate with:", "please enter a density in kg per cubic m"};
}

std::vector<std::string> NegativeDensityMessage() {
    return {"Air density cannot be negative:", "please enter a density of 0 or more (kg per cubic m)"};
}

std::optional<std::string> DensityFieldRule(ProgramState& s, platform::Dialogs& d, double value,
                                            AltitudeShown where) {
    if (!(value >= 0)) {
        d.error(NegativeDensityMessage());
        return std::nullopt;
    }
    if (!(value <= FLT_MAX)) {  // a single holds the density
        d.error(DensityTooLargeMessage());
        return std::nullopt;
    }
    s.AirDensity = static_cast<float>(value);
    s.RelDensity = static_cast<float>(double(s.AirDensity) / 1.225);
    s.Altitude = AltitudeFromDensity(s.AirDensity);
    s.KinViscosity = KinViscosityAt(s.Altitude);
    return where == AltitudeShown::EnterBird ? FormatPattern(s.Altitude, "0.000")
                                             : FormatPattern(s.Altitude, "0");
}

std::optional<std::string> AltitudeFieldRule(ProgramState& s, platform::Dialogs& d, double value) {
    if (!AltitudeInAtmosphere(value)) {
        d.error(AltitudeRefusal(value));
        return std::nullopt;
    }
    s.Altitude = static_cast<float>(value);
    s.KinViscosity = KinViscosityAt(s.Altitude);
    s.RelDensity = StdDensityRatio(s.Altitude);
    s.AirDensity = static_cast<float>(1.225 * double(s.RelDensity));
    return FormatSig(s.AirDensity, 4);
}

}  // namespace ornivo
