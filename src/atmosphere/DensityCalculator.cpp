#include "atmosphere/DensityCalculator.h"

#include <cmath>

#include "atmosphere/Atmosphere.h"
#include "state/ControlNames.h"
#include "state/numtext.h"

namespace ornivo {
namespace {
bool temperatureUsable(platform::Dialogs& d, double t) {
    if (std::isfinite(t) && t > -273) return true;
    if (t > 0) d.error({"This air temperature is too large to calculate with"});
    else d.error({"The air temperature must be above -273 degrees Celsius"});
    return false;
}

bool pressureUsable(platform::Dialogs& d, double baro) {
    if (std::isfinite(baro) && baro >= 0) return true;
    if (baro > 0) d.error({"This barometric pressure is too large to calculate with"});
    else d.error({"The barometric pressure must be 0 millibars or more"});
    return false;
}

// A density the calculator found must be a usable single (a huge pressure or a temperature just
// above -273 C can overflow it).
bool densityUsable(platform::Dialogs& d, double rho) {
    if (std::isfinite(static_cast<float>(rho))) return true;
    d.error(DensityTooLargeMessage());
    return false;
}
}  // namespace

std::optional<std::string> FindAirDensity(ProgramState& s, platform::Dialogs& d, DensityMethod m,
                                          double directDensity) {
    switch (m) {
    case DensityMethod::Direct:
        if (!(directDensity >= 0)) {
            d.error(NegativeDensityMessage());
            return std::nullopt;
        }
        if (!densityUsable(d, directDensity)) return std::nullopt;
        s.AirDensity = static_cast<float>(directDensity);
        break;
    case DensityMethod::PressureTemperature: {
        if (!temperatureUsable(d, s.AirTemp) || !pressureUsable(d, s.Baro)) return std::nullopt;
        const double rho = double(s.Baro) / 1013 * 1.225 * 288 / (double(s.AirTemp) + 273);
        if (!densityUsable(d, rho)) return std::nullopt;
        s.AirDensity = static_cast<float>(rho);
        break;
    }
    case DensityMethod::Observer: {
        if (!temperatureUsable(d, s.AirTemp) || !pressureUsable(d, s.Baro)) return std::nullopt;
        const double base = 1 - 0.0065 * double(s.HeightAboveObserver) / (double(s.AirTemp) + 273);
        const float ratio = static_cast<float>(std::pow(base, 4.256));
        if (!(base > 0) || !std::isfinite(ratio)) {
            d.error({"The bird's height above the observer lies outside the standard atmosphere",
                     "for this air temperature: please check the height"});
            return std::nullopt;
        }
        const double rho = double(s.Baro) / 1013 * 1.225 * 288 / (double(s.AirTemp) + 273) * double(ratio);
        if (!densityUsable(d, rho)) return std::nullopt;
        s.RelDensity = ratio;
        s.AirDensity = static_cast<float>(rho);
        break;
    }
    case DensityMethod::StdAtmosphere:
        if (!AltitudeInAtmosphere(s.Altitude)) {
            d.error(AltitudeRefusal(s.Altitude));
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

ScreenUpdate AcceptedDensityFields(const ProgramState& s) {
    ScreenUpdate u;
    u.showSig(ctl::txtRho, s.AirDensity, 3);
    u.show(ctl::txtAlt, FormatPattern(s.Altitude, "0"));
    return u;
}

}  // namespace ornivo
