#pragma once
// The sheet that a power-curve run fills in its result workbook.
#include "external/spreadsheet/Workbook.h"
#include "state/ProgramState.h"

namespace ornivo::output {

// Black font in the value ranges a marked field may have coloured: E4:E16, J4:J14, I15, J16:J17.
void ResetMarkColours(sheet::Sheet& sh);

// The current power-curve run (slot 1 and the power-curve results) on a copy of the template's
// first sheet: the parameter cells, the uncertainty headings, the curve table from row 29, the
// results block after it with the version and notice lines, and red for the cells of edited fields.
// Numbers carry SigDigits significant digits and are numeric cells.
void WriteFlapSheet(const ProgramState& s, sheet::Sheet& sh);

// The row after the curve table (R): 29 + the first speed column whose equivalent air speed is
// not above 0, counted from CurveFirstSpeed.
int FlapTableEndRow(const ProgramState& s);

}  // namespace ornivo::output
