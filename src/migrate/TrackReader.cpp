#include "migrate/TrackReader.h"

#include <cmath>
#include <algorithm>
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
    const std::string ext = lower(std::filesystem::path(path).extension().string());
    std::string error;
    if (ext == ".xlsx" || ext == ".xlsm") {
        rows_ = sheet::OpenXlsxRows(path, "Moving", error);
    } else if (ext == ".xls") {
        auto wb = std::make_shared<sheet::Workbook>();
        if (sheet::OpenWorkbook(path, *wb, error)) {
            const sheet::Sheet* moving = wb->sheet("Moving");
            if (!moving) throw TrackError("GPS track " + name_ + " has no sheet \"Moving\"");
            rows_ = sheet::SheetRows(wb, *moving);
        }
    } else {
        csv_ = true;  // .csv, or any other name
        rows_ = sheet::OpenCsvRows(path, error);
    }
    if (!rows_) {
        if (error.find("has no sheet \"Moving\"") != std::string::npos)
            throw TrackError("GPS track " + name_ + " has no sheet \"Moving\"");
        throw TrackError("GPS track " + name_ + " cannot be read: " + error);
    }
}

bool TrackFile::hasRow(int row) {
    while (!ended_ && (window_.empty() || window_.back().row < row)) {
        sheet::StreamRow next;
        if (!rows_->next(next)) {
            ended_ = true;
            if (!rows_->error().empty()) throw TrackError("GPS track " + name_ + " cannot be read: " + rows_->error());
            break;
        }
        lastRead_ = next.row;
        window_.push_back(std::move(next));
    }
    return row <= lastRead_;
}

void TrackFile::forget(int row) {
    while (!window_.empty() && window_.front().row < row) window_.pop_front();
}

sheet::Value TrackFile::value(int row, int column) const {
    auto it = std::lower_bound(window_.begin(), window_.end(), row,
                               [](const sheet::StreamRow& r, int n) { return r.row < n; });
    return it != window_.end() && it->row == row ? it->value(column) : sheet::Value{};
}

bool TrackFile::isStopRow(int row) const { return value(row, 1).isEmpty(); }

std::string TrackFile::found(int row, int column) const {
    sheet::Value v = value(row, column);
    if (v.isEmpty()) return "an empty field";
    return "\"" + v.toText() + "\"";
}

void TrackFile::fail(int row, int column, const std::string& expected) const {
    throw TrackError("GPS track " + name_ + ", " + (csv_ ? "line " : "row ") + std::to_string(row) + ", column " +
                     std::to_string(column) + " (" + kColumnNames[column] + "): expected " + expected + ", found " +
                     found(row, column));
}

bool TrackFile::isNumber(int row, int column) const { return value(row, column).isNumber(); }

double TrackFile::date(int row, int column) const {
    sheet::Value v = value(row, column);
    if (v.isNumber() && std::isfinite(v.number())) return v.number();
    if (v.isText())
        if (auto d = sheet::ParseDateText(v.text()); d && d->kind != sheet::DateKind::Time) return d->serial;
    fail(row, column, "a date (yyyy-mm-dd or 20-Aug-2014)");
}

double TrackFile::time(int row, int column) const {
    sheet::Value v = value(row, column);
    if (v.isNumber() && std::isfinite(v.number())) return v.number() - std::floor(v.number());
    if (v.isText())
        if (auto d = sheet::ParseDateText(v.text()); d) return d->serial - std::floor(d->serial);
    fail(row, column, "a time (HH:MM or HH:MM:SS)");
}

double TrackFile::number(int row, int column, bool dotIsZero) const {
    sheet::Value v = value(row, column);
    if (v.isNumber() && std::isfinite(v.number())) return v.number();
    if (dotIsZero && v.isText() && v.text() == ".") return 0;
    fail(row, column, "a number");
}

double TrackFile::whole(int row, int column, double lowest, double highest, const char* range) const {
    sheet::Value v = value(row, column);
    if (!v.isNumber()) fail(row, column, "a whole number");
    const double r = std::nearbyint(v.number());
    if (!(r >= lowest && r <= highest)) fail(row, column, range);
    return r;
}

int16_t TrackFile::whole16(int row, int column) const {
    return static_cast<int16_t>(whole(row, column, -32768, 32767, "a whole number from -32768 to 32767"));
}

int32_t TrackFile::whole32(int row, int column) const {
    return static_cast<int32_t>(
        whole(row, column, -2147483648.0, 2147483647.0, "a whole number of seconds within 32 bits"));
}

}  // namespace ornivo::migrate
