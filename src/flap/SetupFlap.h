#pragma once
// The power-curve setup screen's rules on slot 1: the load, every field rule, the flight style,
// the power fraction, and "Compute Power Curve".
#include <string>

#include "platform/Dialogs.h"
#include "state/Edit.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::flap {

ScreenUpdate LoadSetupFlap(ProgramState& s, platform::Dialogs& d);
// One action on a control of the screen (text committed on leaving, click, double-click).
// Throws UnknownControl for a control the screen does not have.
ScreenUpdate SetupFlapEdit(ProgramState& s, platform::Dialogs& d, const std::string& control, const Edit& e);
// After an edit and after a run: the wingbeat frequency the run derives from the masses, the wing, the
// air and the flight style, derived and shown with its factor, so that the box never shows a frequency
// the run will not use.
void RefreshDerivedFlap(ProgramState& s, ScreenUpdate& u);
// Shared with the migration screen: the power fraction rule of the current slot.
ScreenUpdate PowerFractionRule(ProgramState& s, platform::Dialogs& d, double value);
// The flight style of an option button (optFlap 1, optFG 2, optBound 3; 0 for another control), and
// its rule on a slot, shared with the migration screen.
int FlightStyleOfOption(const std::string& control);
ScreenUpdate FlightStyleRule(ProgramState& s, int slot, int style);
// A typed wingbeat frequency (as a factor of the reference frequency) or frequency factor.
ScreenUpdate WingbeatRule(ProgramState& s, int slot, Param field, double typed);
// Shows the slot's Pbmr and PbmrFactor after BasalMetabolicRate.
void ShowBmr(ProgramState& s, ScreenUpdate& u);

}  // namespace ornivo::flap
