#include "atmosphere/DensityCalculator.h"

#include <cmath>

#include "atmosphere/Atmosphere.h"
#include "state/numtext.h"

namespace ornivo {
namespace {
bool temperatureUsable(platform::Dialogs& d, double t) {
    if (std::isfinite(t) && t > -273) return true;
    d.error({"The air temperature must be above -273 degrees Celsius"});
    return false;
}
}  // namespace

std::optional<std::string> FindAirDensity(ProgramState& s, platform::Dialogs& d, DensityMethod m,
                                          double directDensity) {
    switch (m) {
    case DensityMethod::Direct:
        if (!(directDensity >= 0) || !std::isfinite(directDensity)) {
            d.error(NegativeDensityMessage());
            return std::nullopt;
        }
        s.AirDensity = static_cast<float>(directDensity);
        break;
    case DensityMethod::PressureTemperature:
        if (!temperatureUsable(d, s.AirTemp)) return std::nullopt;
        s.AirDensity = static_cast<float>(double(s.Baro) / 1013 * 1.225 * 288 / (double(s.AirTemp) + 273));
        break;
    case DensityMethod::Observer: {
        if (!temperatureUsable(d, s.AirTemp)) return std::nullopt;
        const double base = 1 - 0.0065 * double(s.HeightAboveObserver) / (double(s.AirTemp) + 273);
        if (!(base > 0)) {
            d.error(AltitudeOutOfRangeMessage());
            return std::nullopt;
        }
        s.RelDensity = static_cast<float>(std::pow(base, 4.256));
        s.AirDensity = static_cast<float>(double(s.Baro) / 1013 * 1.225 * 288 / (double(s.AirTemp) + 273) *
                                          double(s.RelDensity));
        break;
    }
    case DensityMethod::StdAtmosphere:
        if (!AltitudeInAtmosphere(s.Altitude)) {
            d.error(AltitudeOutOfRangeMessage());
            return std::nullopt;
        }
        s.RelDensity = StdDensityRatio(s.Altitude);
        s.AirDensity = static_cast<float>(1.225 * double(s.RelDensity));
        break;
    case DensityMethod::SeaLevel:
        s.AirDensity = 1.225f;
        break;
    }
    return FormatSig(s.AirDensity, 3);
}

bool AcceptAirDensity(ProgramState& s, platform::Dialogs& d, const std::string& densityFieldText) {
    if (densityFieldText.empty()) {
        d.error({"You need to choose the method of calculation", "then click Compute Air Density before",
                 "exiting this screen"});
        return false;
    }
    if (!(s.AirDensity >= 0)) {
        d.error(NegativeDensityMessage());
        return false;
    }
    s.Altitude = AltitudeFromDensity(s.AirDensity);
    s.KinViscosity = KinViscosityAt(s.Altitude);
    s.RelDensity = static_cast<float>(double(s.AirDensity) / 1.225);
    return true;
}

}  // namespace ornivo
