#pragma once
// Writing an imported track: the workbook with its sheet "Moving" (rows 1 to 3 headings, data from
// row 4, dates and times as date cells) and the CSV that a GPS run reads as well (one heading line,
// CR LF, dates yyyy-mm-dd and times hh:mm:ss, "." in column 13 of the first row, a stop row as 22
// empty fields). Both save through a temporary file, so a failed save leaves any earlier file whole.
#include <string>

#include "external/spreadsheet/Workbook.h"
#include "track/TrackImport.h"

namespace ornivo::track {

// The 22 column names and units, as rows 2 and 3 of the sheet show them.
const char* ColumnName(int column);
std::string ColumnUnit(const ImportResult& r, int column);

sheet::Workbook TrackWorkbook(const ImportResult& r);
// "" on success, otherwise why the file could not be written.
std::string SaveTrackWorkbook(const ImportResult& r, const std::string& path);

std::string TrackCsvText(const ImportResult& r);
std::string SaveTrackCsv(const ImportResult& r, const std::string& path);

// The text of a value in a column, as both writers give it ("." for the first row's distance).
std::string CellText(const TrackRow& row, int column);

}  // namespace ornivo::track
