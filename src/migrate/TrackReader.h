#pragma once
// Reading the track file of a GPS run: the sheet "Moving" of an .xlsx or .xls workbook (data from row 4)
// or a .csv file (one heading line, data from line 2), each field converted to its column's type.
#include <cstdint>
#include <stdexcept>
#include <string>

#include <deque>
#include <memory>

#include "external/spreadsheet/RowStream.h"

namespace ornivo::migrate {

// A track that cannot be read: the message names the file, the line or row, the column and what was expected.
struct TrackError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The track is read as the run goes, a row at a time: a year of fixes costs the rows in hand, not the file.
class TrackFile {
public:
    // Opens the file (.csv by its extension, else a workbook); throws TrackError.
    explicit TrackFile(const std::string& path);

    int firstDataRow() const { return csv_ ? 2 : 4; }
    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }

    // True while `row` lies at or before the last row that holds any value; reads on as far as it needs.
    // Throws TrackError when the file fails on the way.
    bool hasRow(int row);
    // The last row holding a value among those read so far (the last row of the track once hasRow is false).
    int lastRowRead() const { return lastRead_; }
    // Rows before `row` are not needed again.
    void forget(int row);

    // The row's cells; `row` must be read (hasRow) and not forgotten.
    // True when column 1 of the row is empty (a stop row).
    bool isStopRow(int row) const;
    double date(int row, int column) const;                  // serial day number
    double time(int row, int column) const;                  // fraction of a day
    double number(int row, int column, bool dotIsZero = false) const;
    int16_t whole16(int row, int column) const;              // rounded half to even
    int32_t whole32(int row, int column) const;
    bool isNumber(int row, int column) const;

private:
    sheet::Value value(int row, int column) const;
    [[noreturn]] void fail(int row, int column, const std::string& expected) const;
    // The cell's number rounded half to even, refused unless it is whole and within [lowest, highest].
    double whole(int row, int column, double lowest, double highest, const char* range) const;
    std::string found(int row, int column) const;

    std::unique_ptr<sheet::RowStream> rows_;
    std::deque<sheet::StreamRow> window_;  // rows read and still needed, ascending
    bool ended_ = false;
    int lastRead_ = 0;
    bool csv_ = false;
    std::string name_, path_;
};

}  // namespace ornivo::migrate
