#pragma once
// Cell addresses in the A1 form: "E4", "J4:J14", "$A$1". Rows and columns are 1-based.
#include <optional>
#include <string>
#include <string_view>

namespace ornivo::sheet {

inline constexpr int kMaxRows = 1048576;   // the largest sheet a workbook file can hold
inline constexpr int kMaxColumns = 16384;  // column XFD

// A rectangle of cells, corners included; a single cell has first == last.
struct CellRange {
    int firstRow = 1, firstColumn = 1, lastRow = 1, lastColumn = 1;
};

// "E4" or "J4:J14" (corners in either order); nothing for text that is no address.
std::optional<CellRange> ParseRange(std::string_view address);

// Column number of letters ("A" 1, "AA" 27); 0 when not a column.
int ColumnNumber(std::string_view letters);
// Letters of a column number (1 "A", 27 "AA").
std::string ColumnName(int column);
// "E4" from row 4, column 5.
std::string CellName(int row, int column);

}  // namespace ornivo::sheet
