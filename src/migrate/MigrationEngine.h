#pragma once
// The migration engine on slot 2: the start of a run, the step operations (which a GPS-track run
// calls in its own order), the programmed run with its climb, cruise and final glide, and the
// writers of the output records.
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::migrate {

constexpr int Slot = ModeMigrate;

// A run that cannot go on (an iteration that does not settle): its message is shown and the run ends.
struct MigrationError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Limits that stop a loop that would otherwise run for ever on bad input.
constexpr int MaxProteinPasses = 10000;     // passes of a protein criterion within one step
constexpr int MaxSpeedUpSteps = 100000;     // 0.01 m/s speed-up steps within one step (1000 m/s)

// Start-of-run initialisation (also the Vmr:Vmp ratio field's click). Mass-limit messages do not stop it.
ScreenUpdate MigrationStart(ProgramState& s, platform::Dialogs& d);

// The step operations.
void MigFindVmp(ProgramState& s);
void MigFindVmr(ProgramState& s);
void MigPowerAtSpeed(ProgramState& s, float V);
void MuscleStateInit(ProgramState& s);
void MuscleState(ProgramState& s);
void ClimbRateNow(ProgramState& s);
void UpdateBodyState(ProgramState& s);
void CruiseStep(ProgramState& s);
void HoldMuscleMass(ProgramState& s);
void HoldSpecificPower(ProgramState& s);
void HoldSpecificWork(ProgramState& s);
// The protein burn criterion chosen on the setup screen (MuscleControl): one of the three above.
void HoldProteinCriterion(ProgramState& s);
// The fat is used up: a store that overshot below zero reads zero, and so do the fuel's energy heights.
void EmptyFatStore(ProgramState& s);
void EnergyBudget(ProgramState& s);
void ProteinMinimum(ProgramState& s);
// Burning wet protein mass x spares fat: FatMass += x / (ProtHydr + 1) x Eprotein / Efat.
void CreditFat(ProgramState& s, double x);
// The power the flight muscles are sized on (Pf): the level-flight power Plevel, without the climb
// term charged in Pmech, so that a climb or a descent neither cuts nor grows the muscles (W).
float FlightPower(const ProgramState& s);
// The power fraction of the flight style on slot 2 (1 for continuous flapping).
float MigPowerFraction(const ProgramState& s);

// Output tables of rows 0..MaxRow, all zero; EndStates cleared.
void CreateOutputTables(ProgramState& s);
// The writers. RecordRow and RecordState return false (writing nothing) when Row lies beyond the tables.
bool RecordRow(ProgramState& s);
bool RecordState(ProgramState& s);
void RecordEnd(ProgramState& s);
// The 28 quantities of a record, index 20 as given.
MigrationRecord CurrentRecord(const ProgramState& s, float index20);

enum class RunOutcome {
    Finished,       // results ready (possibly ended early at the last output row)
    CannotClimb,    // the bird cannot climb at take-off: the abort texts, no results
    Failed,         // an iteration did not settle: its message was shown
};

// The programmed run (climb, cruise until the fat is used, final glide).
RunOutcome MigrationRun(ProgramState& s, platform::Dialogs& d);
// The climb from the starting to the cruising altitude in one-second steps.
void InitialClimb(ProgramState& s);

// Texts of the two abort screens.
std::string MigrAbortTitle();
std::vector<std::string> MigrAbortTexts();
std::string ClimbAbortTitle();
// The altitude reached is CruiseAlt, which the climb leaves at the altitude where it stopped.
std::vector<std::string> ClimbAbortTexts(const ProgramState& s);
// The message when a run needed an output row beyond MaxRow.
std::vector<std::string> RowsExhaustedMessage();

}  // namespace ornivo::migrate
