#pragma once
// The block that a migration run appends to its text file.
#include <string>

#include "state/ProgramState.h"

namespace ornivo::output {

// The block of the current migration run (slot 2, the settings and the row tables of rows 0 to
// RowsWritten), with numbers of SigDigits significant digits, "Saved in: " + OutPath and Comment;
// lines end with "\n". A row whose TravelTable time is 0 (after row 0) is the line
// "END OF GPS DATA", a row whose time is -1 the stopover note.
std::string MigrationTextBlock(const ProgramState& s);

// The air speed control (SpeedControl 1 to 3) and the protein burn criterion (MuscleControl 1 to 3) as the
// text file and the workbook name them; the text file says which specific work or power ("in myofibrils").
std::string SpeedControlText(int speedControl);
std::string MuscleControlText(int muscleControl, const std::string& of = {});

}  // namespace ornivo::output
