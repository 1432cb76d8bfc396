#pragma once
// The bird table of a batch run: a CSV file whose header names bird-file keys and setup controls.
#include <string>
#include <vector>

#include "api/Json.h"

namespace ornivo::api {

struct BatchRow {
    int line = 0;             // line in the file (the header is line 1)
    Json bird;                // the bird file this row stands for
    std::string readError;    // why the row could not be read ("" when it could)
};

// Splits CSV text into records of fields (quotes, doubled quotes, CR LF, a byte-order mark).
std::vector<std::vector<std::string>> SplitCsv(const std::string& text);
// One field as CSV text (quoted when it holds a comma, a quote or a line end).
std::string CsvField(const std::string& text);

// The rows of a bird table. Keys become bird-file values (numbers for the numeric keys), other
// columns edits replayed in column order; an empty cell is no edit; opt/chk columns take 1/0,
// true/false or yes/no. Throws UsageError when the header is unusable.
std::vector<BatchRow> ReadBatchTable(const std::string& text);
// The checks of a header (UsageError for an empty or unknown column) and the reading of one record.
void CheckBatchHeader(const std::vector<std::string>& header);
BatchRow ReadBatchRow(const std::vector<std::string>& header, const std::vector<std::string>& record, int line);

}  // namespace ornivo::api
