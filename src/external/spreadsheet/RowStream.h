#pragma once
// A sheet read one row at a time, for files too long to hold whole (a year of GPS fixes): only the
// row being read is in memory. The cells come out as the whole-file readers give them
// (WorkbookFiles.h), so a stream and a loaded workbook of the same file hold the same values.
#include <memory>
#include <string>
#include <vector>

#include "external/spreadsheet/Workbook.h"

namespace ornivo::sheet {

// A cell of a streamed row; the number format only where the file shows a date or time.
struct StreamCell {
    int column = 0;
    Value value;
    std::string numberFormat;
};

// One row that holds a value: its 1-based number and its cells, columns ascending.
struct StreamRow {
    int row = 0;
    std::vector<StreamCell> cells;
    // The value in `column`, empty when the row has none there.
    Value value(int column) const;
};

class RowStream {
public:
    virtual ~RowStream() = default;
    // The next row holding any value (rows with none are skipped; their numbers are missing). False at
    // the end of the sheet, or on a failure, when error() says why.
    virtual bool next(StreamRow& out) = 0;
    const std::string& error() const { return error_; }

protected:
    std::string error_;
};

// A .csv file by the rules of ReadCsv: line n is row n.
std::unique_ptr<RowStream> OpenCsvRows(const std::string& path, std::string& error);
// The sheet `sheetName` (matched without regard to case) of an .xlsx file.
std::unique_ptr<RowStream> OpenXlsxRows(const std::string& path, const std::string& sheetName, std::string& error);
// The rows of a sheet already in memory (the .xls reader gives a whole workbook).
std::unique_ptr<RowStream> SheetRows(std::shared_ptr<const Workbook> wb, const Sheet& sheet);

}  // namespace ornivo::sheet
