#include "external/spreadsheet/CellAddress.h"

#include <cctype>
#include <utility>

namespace ornivo::sheet {

namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One corner "E4" or "$E$4" into row and column.
bool ParseCell(std::string_view text, int& row, int& column) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '$') ++i;
    std::size_t letters = i;
    while (i < text.size() && IsLetter(text[i])) ++i;
    column = ColumnNumber(text.substr(letters, i - letters));
    if (column == 0) return false;
    if (i < text.size() && text[i] == '$') ++i;
    if (i == text.size()) return false;
    long r = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) return false;
        r = r * 10 + (text[i] - '0');
        if (r > kMaxRows) return false;
    }
    if (r < 1) return false;
    row = static_cast<int>(r);
    return true;
}

}  // namespace

int ColumnNumber(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return 0;
    int n = 0;
    for (char c : letters) {
        if (!IsLetter(c)) return 0;
        n = n * 26 + (std::toupper(static_cast<unsigned char>(c)) - 'A' + 1);
    }
    return n <= kMaxColumns ? n : 0;
}

std::string ColumnName(int column) {
    std::string name;
    while (column > 0) {
        int rest = (column - 1) % 26;
        name.insert(name.begin(), static_cast<char>('A' + rest));
        column = (column - 1) / 26;
    }
    return name;
}

std::string CellName(int row, int column) { return ColumnName(column) + std::to_string(row); }

std::optional<CellRange> ParseRange(std::string_view address) {
    CellRange r;
    std::size_t colon = address.find(':');
    if (colon == std::string_view::npos) {
        if (!ParseCell(address, r.firstRow, r.firstColumn)) return std::nullopt;
        r.lastRow = r.firstRow;
        r.lastColumn = r.firstColumn;
        return r;
    }
    if (!ParseCell(address.substr(0, colon), r.firstRow, r.firstColumn) ||
        !ParseCell(address.substr(colon + 1), r.lastRow, r.lastColumn))
        return std::nullopt;
    if (r.lastRow < r.firstRow) std::swap(r.firstRow, r.lastRow);
    if (r.lastColumn < r.firstColumn) std::swap(r.firstColumn, r.lastColumn);
    return r;
}

}  // namespace ornivo::sheet
