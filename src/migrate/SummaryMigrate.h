#pragma once
// The migration results screen's rules: the three columns (departure, arrival or end of track, out of
// fuel) of a finished run, the climb and final-glide block, and the save box caption.
#include <string>
#include <vector>

#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::migrate {

// The result rows of the screen, as control names; each has three fields named "<row>_0" to "<row>_2".
const std::vector<std::string>& SummaryMigrateRows();

// Screen load: every result field, the altitudes, the climb and final glide (frames fraClimb and
// fraFinalGlide hidden without a climb), "End GPS" headings for a GPS run, the save box caption
// (cleared) and "4-digit output".
ScreenUpdate LoadSummaryMigrate(const ProgramState& s);

// After a GPS run, where its map (KML) and progress workbook were written, one line each; empty when
// the run wrote neither or was not a GPS run.
std::string GpsFilesText(const ProgramState& s);

// The save box caption for the current output file and type.
std::string MigrationSaveBoxCaption(const ProgramState& s);

}  // namespace ornivo::migrate
