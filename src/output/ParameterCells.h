#pragma once
// The fields a calculation's workbook holds, written and coloured from the parameter table.
#include <initializer_list>
#include <utility>

#include "external/spreadsheet/Workbook.h"
#include "state/Parameters.h"

namespace ornivo::output {

// Writes the value of every field the table places in the calculation's sheet (the slot's values,
// the constants held once), as the number its output text reads as.
void WriteParameterCells(const ProgramState& s, sheet::Sheet& sh, Output calc, int slot);

// The power fraction of the flight style (flap-gliding, bounding), 1 for continuous flapping.
void WritePowerFraction(const ProgramState& s, sheet::Sheet& sh, int slot, const char* ref);

// Colours red each cell of the calculation's sheet whose field carries its edit mark, together with
// the sheet's own marked cells that are no field (the option texts: flight style, speed control...).
void ColourMarkedParameters(sheet::Sheet& sh, const EditMarks& marks, Output calc,
                            std::initializer_list<std::pair<const char*, Mark>> optionCells = {});

}  // namespace ornivo::output
