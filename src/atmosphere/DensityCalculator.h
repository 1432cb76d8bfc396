#pragma once
// The air density calculator: five ways to a density, and "OK - accept".
#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo {

enum class DensityMethod { SeaLevel, StdAtmosphere, Observer, PressureTemperature, Direct };

// Each method sets AirDensity (and RelDensity where it says) from the state's inputs
// (Altitude, Baro, AirTemp, HeightAboveObserver) or the typed density, and returns the text
// of the calculator's density field (3 significant digits). A temperature of -273 C, or an
// altitude outside the standard atmosphere, is refused with a message (nothing returned).
std::optional<std::string> FindAirDensity(ProgramState& s, platform::Dialogs& d, DensityMethod m,
                                          double directDensity = 0);

// "OK - accept": refuses an empty density field; otherwise derives Altitude, KinViscosity and
// RelDensity from AirDensity. Returns false when the calculator must stay open.
bool AcceptAirDensity(ProgramState& s, platform::Dialogs& d, const std::string& densityFieldText);

// What the screen that opened the calculator shows once it is accepted: its txtRho with AirDensity to
// 3 significant digits and its txtAlt with Altitude formatted "0".
ScreenUpdate AcceptedDensityFields(const ProgramState& s);

}  // namespace ornivo
