#pragma once
// Pieces the three workbook writers share: numbers stored as the number their output text reads as,
// the bird's describing texts, and the colours a new run starts from.
#include <initializer_list>
#include <string>

#include "external/spreadsheet/Workbook.h"

namespace ornivo::output {

// FormatSig with `digits`, stored as the number that text reads as (a numeric cell); a value that
// has no text (NaN, infinity) is written as 0, as in the text files.
sheet::Value SigValue(double x, int digits);
// A display pattern ("0", "#0.0") likewise.
// A single is rounded as a single (its own shortest text), a double as a double.
sheet::Value PatternValue(double x, const char* pattern);
sheet::Value PatternValue(float x, const char* pattern);

// Text for a cell; empty text leaves the cell empty, as a saved file holds it.
inline sheet::Value TextValue(const std::string& t) { return t.empty() ? sheet::Value{} : sheet::Value(t); }

// "(Passerine)" or "(Non-Passerine)" (TaxonGroup 1 or 2).
std::string TaxonCellText(int taxonGroup);
// "Male and female", "Male", "Female" or "Unknown" (Sex 1 to 4).
std::string SexCellText(int sex);
// "Adult", `immature` or "Unknown" (Age 1, 2, any other): an unknown age is written, not left blank,
// so the cell says what the text file says.
std::string AgeCellText(int age, const char* immature);
// The bird's group, sex and age cells of a results sheet (G2, B2, E2).
void WriteBirdGroupCells(int taxonGroup, int sex, int age, const char* immature, sheet::Sheet& sh);
// "Continuous flapping", "  Flap-gliding" or "  Bounding" (FlightStyle 1 to 3).
std::string FlightStyleCellText(int flightStyle);

// Sets the font colour of each range to black.
void ResetColours(sheet::Sheet& sh, std::initializer_list<const char*> ranges);

// "A45:J68" from its corners.
inline std::string RangeName(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    return sheet::CellName(firstRow, firstColumn) + ":" + sheet::CellName(lastRow, lastColumn);
}

// The font of the results blocks: Times New Roman, size 10, bold or regular.
inline sheet::FontChange BlockFont(bool bold) { return {.name = "Times New Roman", .size = 10, .bold = bold}; }

}  // namespace ornivo::output
