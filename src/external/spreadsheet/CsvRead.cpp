// Reading a comma-separated file as a one-sheet workbook.
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/WorkbookFiles.h"

namespace ornivo::sheet {

namespace {

constexpr std::size_t kMaxCsvBytes = 256u << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A field that is a whole decimal number and nothing else ("12", "-0.5", "1.2E-06"; not "inf", ".", "1,5").
bool ParseNumber(const std::string& field, double& value) {
    const char* first = field.data();
    const char* last = field.data() + field.size();
    if (first != last && *first == '+') ++first;
    if (first == last) return false;
    for (const char* p = first; p != last; ++p)
        if (!(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.' || *p == '-' || *p == 'e' || *p == 'E' ||
              *p == '+'))
            return false;
    auto res = std::from_chars(first, last, value);
    return res.ec == std::errc() && res.ptr == last && std::isfinite(value);
}

void Store(Sheet& sheet, int row, int column, const std::string& field) {
    Cell c = CsvFieldCell(field);
    if (c.value.isEmpty()) return;
    sheet.write(row, column, c.value);
    if (!c.numberFormat.empty()) sheet.setNumberFormat(row, column, c.numberFormat);
}

}  // namespace

Cell CsvFieldCell(const std::string& field) {
    Cell c;
    if (field.empty()) return c;
    double number = 0;
    if (ParseNumber(field, number)) {
        c.value = number;
    } else if (auto date = ParseDateText(field)) {
        c.value = date->serial;
        bool seconds = field.size() >= 8 && field[field.size() - 3] == ':';
        c.numberFormat = date->kind == DateKind::Date   ? kDateFormat
                         : date->kind == DateKind::Time ? (seconds ? kTimeSecondsFormat : kTimeFormat)
                                                        : kDateTimeFormat;
    } else {
        c.value = field;
    }
    return c;
}

bool ReadCsv(const std::string& path, Workbook& out, std::string& error, const std::string& sheetName) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Cannot open " + path + ": " + std::strerror(errno ? errno : ENOENT);
        return false;
    }
    std::string text;
    {
        std::ostringstream buf;
        buf << in.rdbuf();
        text = buf.str();
    }
    if (in.bad()) {
        error = "Cannot read " + path;
        return false;
    }
    if (text.size() > kMaxCsvBytes) {
        error = path + " is too large to be a track file";
        return false;
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

    Workbook wb;
    Sheet& sheet = wb.addSheet(sheetName);
    int row = 1, column = 1;
    std::size_t i = 0, n = text.size();
    while (i < n) {
        // One field, starting at i.
        while (i < n && IsBlank(text[i])) ++i;
        std::string field;
        if (i < n && text[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field += text[i++];
            }
            if (!closed) {
                error = path + ", line " + std::to_string(row) + ": a quoted field is not closed";
                return false;
            }
            // Anything up to the separator after the closing quote is kept (spaces dropped).
            std::string tail;
            while (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r') tail += text[i++];
            std::size_t end = tail.find_last_not_of(" \t");
            if (end != std::string::npos) field += tail.substr(0, end + 1);
        } else {
            std::size_t start = i;
            while (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r') ++i;
            field = text.substr(start, i - start);
            std::size_t end = field.find_last_not_of(" \t");
            field.erase(end == std::string::npos ? 0 : end + 1);
        }
        if (column <= kMaxColumns) Store(sheet, row, column, field);
        // The separator after it.
        if (i < n && text[i] == ',') {
            ++i;
            ++column;
            if (i == n) break;
            continue;
        }
        if (i < n && text[i] == '\r') ++i;
        if (i < n && text[i] == '\n') ++i;
        if (++row > kMaxRows) {
            error = path + " has more lines than a sheet can hold";
            return false;
        }
        column = 1;
    }
    wb.setPath(path);
    out = std::move(wb);
    return true;
}

}  // namespace ornivo::sheet
