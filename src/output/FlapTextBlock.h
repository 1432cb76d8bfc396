#pragma once
// The block that a power-curve run appends to its text file.
#include <string>

#include "state/ProgramState.h"

namespace ornivo::output {

// The block of the current power-curve run (slot 1 and the power-curve results), with numbers of
// SigDigits significant digits, "Saved in: " + OutPath and Comment; lines end with "\n".
std::string FlapTextBlock(const ProgramState& s);

// "Continuous flapping", "Flap-gliding" or "Bounding" (FlightStyle 1 to 3).
std::string FlightStyleText(int flightStyle);

}  // namespace ornivo::output
