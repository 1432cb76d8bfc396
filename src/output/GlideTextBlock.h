#pragma once
// The block that a glide-polar run appends to its text file.
#include <string>

#include "state/ProgramState.h"

namespace ornivo::output {

// The block of the current glide-polar run (slot 3 and the glide results), with numbers of
// SigDigits significant digits, "Saved in: " + OutPath and Comment; lines end with "\n".
std::string GlideTextBlock(const ProgramState& s);

// The caption of the circle radius: "Circle radius at 24° bank, Cl=" + ClVms with 3 digits.
std::string CircleRadiusCaption(const ProgramState& s);

}  // namespace ornivo::output
