#include "migrate/TrackReader.h"

#include <cmath>
#include <filesystem>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/WorkbookFiles.h"

namespace ornivo::migrate {
namespace {

const char* const kColumnNames[23] = {
    "", "date", "time", "latitude", "longitude", "point number", "fix type", "altitude", "tag ground speed",
    "tag heading", "date", "altitude ASL", "air density ratio", "ground distance", "duration", "source rows",
    "rate of climb", "track", "ground speed", "wind direction", "wind speed", "air heading", "air speed"};

std::string lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

}  // namespace

TrackFile::TrackFile(const std::string& path) : path_(path) {
    name_ = std::filesystem::path(path).filename().string();
    std::string error;
    csv_ = lower(std::filesystem::path(path).extension().string()) == ".csv";
    const std::string ext = lower(std::filesystem::path(path).extension().string());
    bool ok = (csv_ || (ext != ".xlsx" && ext != ".xls" && ext != ".xlsm")) ? sheet::ReadCsv(path, wb_, error)
                                                                            : sheet::OpenWorkbook(path, wb_, error);
    if (!csv_ && ext != ".xlsx" && ext != ".xls" && ext != ".xlsm") csv_ = true;  // any other name reads as csv
    if (!ok) throw TrackError("GPS track " + name_ + " cannot be read: " + error);
    sheet_ = wb_.sheet("Moving");
    if (!sheet_) throw TrackError("GPS track " + name_ + " has no sheet \"Moving\"");
}

bool TrackFile::isStopRow(int row) const { return sheet_->value(row, 1).isEmpty(); }

std::string TrackFile::found(int row, int column) const {
    sheet::Value v = sheet_->value(row, column);
    if (v.isEmpty()) return "an empty field";
    return "\"" + v.toText() + "\"";
}

void TrackFile::fail(int row, int column, const std::string& expected) const {
    throw TrackError("GPS track " + name_ + ", " + (csv_ ? "line " : "row ") + std::to_string(row) + ", column " +
                     std::to_string(column) + " (" + kColumnNames[column] + "): expected " + expected + ", found " +
                     found(row, column));
}

bool TrackFile::isNumber(int row, int column) const { return sheet_->value(row, column).isNumber(); }

double TrackFile::date(int row, int column) const {
    sheet::Value v = sheet_->value(row, column);
    if (v.isNumber() && std::isfinite(v.number())) return v.number();
    if (v.isText())
        if (auto d = sheet::ParseDateText(v.text()); d && d->kind != sheet::DateKind::Time) return d->serial;
    fail(row, column, "a date (yyyy-mm-dd or 20-Aug-2014)");
}

double TrackFile::time(int row, int column) const {
    sheet::Value v = sheet_->value(row, column);
    if (v.isNumber() && std::isfinite(v.number())) return v.number() - std::floor(v.number());
    if (v.isText())
        if (auto d = sheet::ParseDateText(v.text()); d) return d->serial - std::floor(d->serial);
    fail(row, column, "a time (HH:MM or HH:MM:SS)");
}

double TrackFile::number(int row, int column, bool dotIsZero) const {
    sheet::Value v = sheet_->value(row, column);
    if (v.isNumber() && std::isfinite(v.number())) return v.number();
    if (dotIsZero && v.isText() && v.text() == ".") return 0;
    fail(row, column, "a number");
}

int16_t TrackFile::whole16(int row, int column) const {
    sheet::Value v = sheet_->value(row, column);
    if (v.isNumber()) {
        double r = std::nearbyint(v.number());
        if (r >= -32768 && r <= 32767) return static_cast<int16_t>(r);
        fail(row, column, "a whole number from -32768 to 32767");
    }
    fail(row, column, "a whole number");
}

int32_t TrackFile::whole32(int row, int column) const {
    sheet::Value v = sheet_->value(row, column);
    if (v.isNumber()) {
        double r = std::nearbyint(v.number());
        if (r >= -2147483648.0 && r <= 2147483647.0) return static_cast<int32_t>(r);
        fail(row, column, "a whole number of seconds within 32 bits");
    }
    fail(row, column, "a whole number");
}

}  // namespace ornivo::migrate
