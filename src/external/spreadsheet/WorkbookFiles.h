#pragma once
// Reading workbooks from files. Every reader fills `out` only on success and otherwise returns
// false with a one-line reason in `error`; none throws, whatever the file holds.
// Dates and times come back as serial day numbers in cells with a date or time number format,
// so a track reads the same moments from .xlsx, .xls and .csv.
#include <string>

#include "external/spreadsheet/Workbook.h"

namespace ornivo::sheet {

// By the file's extension (case-insensitive): .xlsx (also .xlsm, .xltx), .xls or .csv.
bool OpenWorkbook(const std::string& path, Workbook& out, std::string& error);

// A new, unsaved workbook holding the sheets of a template file (path() is empty).
bool NewFromTemplate(const std::string& templatePath, Workbook& out, std::string& error);

// .xlsx: shared and inline strings, numbers, booleans, dates (1900 and 1904 systems), fonts,
// alignment and number formats of every worksheet.
bool ReadXlsx(const std::string& path, Workbook& out, std::string& error);

// .xls (through freexl): texts, numbers, dates and times of every worksheet.
bool ReadXls(const std::string& path, Workbook& out, std::string& error);

// .csv as one sheet: line n is row n (the first line, the heading, is row 1), fields are
// comma-separated and may be quoted ("a, ""b""" is one field); spaces around a field are dropped;
// LF or CR LF line ends; UTF-8 with or without a byte-order mark. A field that is a whole number
// or a decimal becomes a number, "2016-05-02", "20-Aug-2014", "04:40" or "04:40:29" a date or time
// serial, anything else text ("." stays text).
bool ReadCsv(const std::string& path, Workbook& out, std::string& error, const std::string& sheetName = "Moving");

// The value of a csv field, by the rules above (for tests and for readers of typed text).
Cell CsvFieldCell(const std::string& field);

}  // namespace ornivo::sheet
