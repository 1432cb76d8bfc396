#pragma once
// The sheet that a migration run fills in its result workbook.
#include "external/spreadsheet/Workbook.h"
#include "state/ProgramState.h"

namespace ornivo::output {

// Black font in the value ranges E4:E21, D22:D23, J4:J13, I15, J16:J17, I18 and J19:J23.
void ResetMigrationMarkColours(sheet::Sheet& sh);

// The current migration run (slot 2, the settings, the records and the row tables of rows 0 to
// RowsWritten) on a copy of the template's first sheet: the parameter cells, the cells and labels
// of a programmed run (emptied in a GPS run), the summary block, the travel, power, fuel and (GPS)
// track tables, the version and notice lines, and red for the cells of edited fields.
// Numbers carry SigDigits significant digits (the summary block 3) and are numeric cells.
void WriteMigrationSheet(const ProgramState& s, sheet::Sheet& sh);

// First heading row of the power, fuel and GPS tables and the row after the last table (the notice
// block starts one row below it), for RowsWritten rows.
struct MigrationSheetRows {
    int powerHeading, fuelHeading, gpsHeading, noticeBase;
};
MigrationSheetRows MigrationRows(const ProgramState& s);

}  // namespace ornivo::output
