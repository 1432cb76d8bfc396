#pragma once
// Turns readable CSV sources into database tables: the build's converter of the shipped bird data.
#include <string>
#include <vector>

#include "external/database/Database.h"

namespace ornivo::external {

// The fields of CSV text: comma-separated, fields may be quoted ("" for a quote inside), line ends
// LF, CR LF or CR, an optional UTF-8 byte-order mark. Throws std::runtime_error on an unclosed quote.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text);

// Adds the rows of CSV text (a header of field names, matched without regard to case, then one line per
// record) to an existing table, all in one transaction. Cells of numeric columns must be numbers;
// an empty cell stores the column's default. `source` names the file in messages.
// Returns the number of records added; throws std::runtime_error naming the source, line and field.
int ImportCsv(Database& db, const std::string& table, const std::string& csvText, const std::string& source);

// Builds a database file from a schema (SQL text) and tables filled from CSV files: written under a
// temporary name and renamed into place, so a failed build leaves no half-made file.
struct TableSource {
    std::string table;
    std::string csvPath;
};
void BuildDatabase(const std::string& outPath, const std::string& schemaSql, const std::vector<TableSource>& tables);

}  // namespace ornivo::external
