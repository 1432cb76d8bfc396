#pragma once
// The sheet that a glide-polar run fills in its result workbook.
#include "external/spreadsheet/Workbook.h"
#include "state/ProgramState.h"

namespace ornivo::output {

// Black font in the value ranges E4:E12 and J4:J12.
void ResetGlideMarkColours(sheet::Sheet& sh);

// The current glide-polar run (slot 3 and the glide results) on a copy of the template's first
// sheet: the parameter cells, the polar table from row 26, the results block after it (minimum sink
// and best glide, the MacCready table, the flapping comparison, the version and notice lines), and
// red for the cells of edited fields. Numbers carry SigDigits significant digits and are numeric cells.
void WriteGlideSheet(const ProgramState& s, sheet::Sheet& sh);

// The row after the polar table (R): 26 + the first row from PolarFirstRow whose span ratio is not
// above 0, counted from PolarFirstRow.
int GlideTableEndRow(const ProgramState& s);

}  // namespace ornivo::output
