#pragma once
// The power-curve results screen's rules: what it shows after a run, the save box, "4-digit output"
// and "Find bound height".
#include <string>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::flap {

// Screen load: resets VmpUncert, fills every result field (3 significant digits), shows the bounding
// controls for bounding flight, clears the save box and sets its caption, and sets "4-digit output".
ScreenUpdate LoadSummaryFlap(ProgramState& s);

// The save box caption for the current output file and type.
std::string SaveBoxCaption(const ProgramState& s);

// Clicking the save box: the output file name becomes the short name; the name field is shown (and
// focused) only before the first saved run.
ScreenUpdate SaveBoxClick(ProgramState& s);

// "4-digit output" on leaving it: SigDigits 4 when checked, else 3.
void Set4DigitOutput(ProgramState& s, bool checked);

// Bound height top to bottom (m) of a bound of period T seconds: Gravity[0] T^2 (1 - PowerFracBound[1]) / 8.
float BoundHeight(const ProgramState& s, double periodSeconds);

// "Find bound height": asks for the bound period; an empty answer changes nothing. Otherwise stores
// BoundPeriod[1] and BoundHeight[1] and shows both with their labels.
ScreenUpdate FindBoundHeight(ProgramState& s, platform::Dialogs& d);

}  // namespace ornivo::flap
