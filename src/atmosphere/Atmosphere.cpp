#include "atmosphere/Atmosphere.h"

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

bool AltitudeInAtmosphere(double h) { return std::isfinite(h) && h < StdAtmosphereTop; }

std::vector<std::string> AltitudeOutOfRangeMessage() {
    return {"The standard atmosphere ends at 44308 m:", "please enter a lower altitude"};
}

std::vector<std::string> NegativeDensityMessage() {
    return {"Air density cannot be negative:", "please enter a density of 0 or more (kg per cubic m)"};
}

std::optional<std::string> DensityFieldRule(ProgramState& s, platform::Dialogs& d, double value,
                                            AltitudeShown where) {
    if (!(value >= 0) || !std::isfinite(value)) {
        d.error(NegativeDensityMessage());
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
    if (!AltitudeInAtmosphere(value) || value <= -StdAtmosphereTop * 10) {
        d.error(AltitudeOutOfRangeMessage());
        return std::nullopt;
    }
    s.Altitude = static_cast<float>(value);
    s.KinViscosity = KinViscosityAt(s.Altitude);
    s.RelDensity = StdDensityRatio(s.Altitude);
    s.AirDensity = static_cast<float>(1.225 * double(s.RelDensity));
    return FormatSig(s.AirDensity, 4);
}

}  // namespace ornivo
