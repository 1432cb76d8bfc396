#pragma once
// The Enter Bird screen's rules: load with its defaults, every field rule, the bird check,
// the three calculation buttons and "Reload last bird". They work on slot 0.
#include <string>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::bird {

enum class Calculation { PowerCurve, GlidePolar, Migrate };

// Screen load: CalcMode 0, KeepFactors false, the slot 0 defaults and constants.
ScreenUpdate LoadEnterBird(ProgramState& s);

// Field rule of a text field on leaving it (txtSpName, txtShortName, txtEmptyMass, txtSpan, txtArea,
// txtAR, txtRho, txtAlt). Unknown controls throw std::invalid_argument.
ScreenUpdate EnterBirdField(ProgramState& s, platform::Dialogs& d, const std::string& control,
                            const std::string& text);
// Option buttons: optPass, optNonPass, optMF, optMale, optFemale, optSexUnknown, optAdult, optImm,
// optAgeUnknown. Unknown controls throw std::invalid_argument.
ScreenUpdate EnterBirdOption(ProgramState& s, const std::string& control);
bool IsEnterBirdField(const std::string& control);

// The bird check: the first problem found is shown; returns the field to focus, or "" when the bird is fine.
std::string CheckBird(ProgramState& s, platform::Dialogs& d);

// A calculation button: CheckBird, then AllUpMass, (power curve) the airframe, and the body frontal area.
// Returns false (with the focus in the update) when the bird check refused.
bool PressCalculation(ProgramState& s, platform::Dialogs& d, Calculation c, ScreenUpdate* update = nullptr);

// "Reload last bird": brings LastBird back into slot 0 and the shared values; KeepFactors true.
ScreenUpdate ReloadLastBird(ProgramState& s);

}  // namespace ornivo::bird
