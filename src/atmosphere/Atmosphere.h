#pragma once
// The standard atmosphere and the density and altitude field rules shared by every screen
// that has those fields.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"

namespace ornivo {

constexpr float SeaLevelDensity = 1.225f;        // kg/cu m
constexpr double StdAtmosphereTop = 288 / 0.0065;  // m, where the standard atmosphere ends (about 44308)

float StdDensityRatio(double h);                  // (1 - 0.0065 h / 288)^4.256
float StdDensity(ProgramState& s, double h);      // stores RelDensity, returns 1.225 x RelDensity
float AltitudeFromDensity(double rho);            // (1 - (rho / 1.225)^0.235) / 0.00002257
float KinViscosityAt(double h);                   // 0.0000145 / t^3.256, t as a single

// The lowest altitude the field rules take (m): far below any place a bird flies, and well inside
// the range where the derived density and viscosity stay finite singles.
constexpr double LowestAltitude = -440000;

// True when h lies in the standard atmosphere (from LowestAltitude up to about 44308 m).
bool AltitudeInAtmosphere(double h);

// Where the altitude a density field rule derives is shown.
enum class AltitudeShown { EnterBird, SetupScreen };

// Density field rule: AirDensity = value, then RelDensity, Altitude, KinViscosity.
// Returns the altitude field's text, or nothing (after a message) when the value is refused.
std::optional<std::string> DensityFieldRule(ProgramState& s, platform::Dialogs& d, double value,
                                            AltitudeShown where);
// Altitude field rule: Altitude = value, then KinViscosity, RelDensity, AirDensity.
// Returns the density field's text (4 significant digits), or nothing when refused.
std::optional<std::string> AltitudeFieldRule(ProgramState& s, platform::Dialogs& d, double value);

// Message lines for an altitude above or below the standard atmosphere, for a negative density,
// and for a number too large to be held (beyond the single range).
std::vector<std::string> AltitudeOutOfRangeMessage();
std::vector<std::string> AltitudeTooLowMessage();
std::vector<std::string> NegativeDensityMessage();
std::vector<std::string> DensityTooLargeMessage();
// The message for h, which lies outside the standard atmosphere.
std::vector<std::string> AltitudeRefusal(double h);

}  // namespace ornivo
