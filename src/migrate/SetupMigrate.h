#pragma once
// The migration setup screen's rules on slot 2 (load, field and option rules, Start) and those of its
// settings screen frmSetDefaultsMigr.
#include <functional>
#include <string>

#include "migrate/MigrationEngine.h"
#include "platform/Dialogs.h"
#include "state/Edit.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::migrate {

ScreenUpdate LoadSetupMigrate(ProgramState& s, platform::Dialogs& d);
// One action on a control of the setup screen, or of the settings screen when the control is
// written "frmSetDefaultsMigr.<control>" (the settings screen is loaded first if it is not open).
// Throws UnknownControl for a control the screens do not have.
ScreenUpdate SetupMigrateEdit(ProgramState& s, platform::Dialogs& d, const std::string& control, const Edit& e);
// After an edit and on activation (after a run's results were saved): the BMR and the wingbeat
// frequency derived from the inputs now held and shown, as the run will derive them when it starts.
void RefreshDerivedMigrate(ProgramState& s, ScreenUpdate& u);
// The setup screen becoming active again (after the stopover mass calculator).
ScreenUpdate ActivateSetupMigrate(ProgramState& s);

ScreenUpdate LoadSetDefaultsMigr(ProgramState& s);
ScreenUpdate SetDefaultsMigrEdit(ProgramState& s, platform::Dialogs& d, const std::string& control, const Edit& e);

enum class StartOutcome {
    Refused,      // a check at Start refused: its message was shown, no run
    CannotClimb,  // the abort screen: no results
    Failed,       // the run stopped with a message: no results screen
    Finished,     // results ready for the results screen
};

// "Start migrating": the checks and steps, then the programmed or the GPS-track run.
StartOutcome StartMigrating(ProgramState& s, platform::Dialogs& d);

// Message of an output interval the tables cannot be sized for.
std::vector<std::string> OutputIntervalMessage();

}  // namespace ornivo::migrate
