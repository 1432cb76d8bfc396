#include "track/TrackWriters.h"

#include "output/TextRunOutput.h"
#include "state/numtext.h"

namespace ornivo::track {
namespace {

constexpr int kColumns = 22;

const char* const kNames[kColumns] = {
    "Date", "Time", "Latitude", "Longitude", "Point no.", "Fix type", "Altitude", "Tag ground speed",
    "Tag heading", "Date", "Altitude ASL", "Air density ratio", "Ground distance", "Duration", "Source rows",
    "Rate of climb", "Track", "Ground speed", "Wind from", "Wind speed", "Air heading", "Air speed"};

const char* const kUnits[kColumns] = {
    "UTC", "UTC", "deg N", "deg E", "track point", "3 = 3-D", "m (whole)", "m/s", "deg", "UTC", "", "rho/rho0",
    "km", "s", "count", "m/s", "deg", "m/s", "deg", "m/s", "deg", "m/s"};

// A value of a real-number column at its decimals (at most 6), without trailing zeros but with one
// decimal at least: 314.6, 0.0, 1162.0.
std::string realText(double x) {
    std::string t = FormatFixed(x, 6);
    while (t.back() == '0' && t[t.size() - 2] != '.') t.pop_back();
    return t;
}

bool isWhole(int column) { return column == 5 || column == 6 || column == 7 || column == 14 || column == 15; }

double numberOf(const TrackRow& w, int column) {
    switch (column) {
        case 1: case 10: return DateSerialOf(w.moment);
        case 2: return TimeSerialOf(w.moment);
        case 3: return w.lat;
        case 4: return w.lon;
        case 5: return w.point;
        case 6: return w.fixType;
        case 7: return w.altitude;
        case 8: return w.tagSpeed;
        case 9: return w.tagHeading;
        case 11: return w.height;
        case 12: return w.densityRatio;
        case 13: return w.distanceKm.value_or(0);
        case 14: return w.seconds;
        case 15: return w.sourceRows;
        case 16: return w.climb;
        case 17: return w.track;
        case 18: return w.groundSpeed;
        case 19: return w.windFrom;
        case 20: return w.windSpeed;
        case 21: return w.airHeading;
        default: return w.airSpeed;
    }
}

}  // namespace

const char* ColumnName(int column) { return column >= 1 && column <= kColumns ? kNames[column - 1] : ""; }

std::string ColumnUnit(const ImportResult& r, int column) {
    if (column == 11) return r.heightUnit.empty() ? "m" : r.heightUnit;
    return column >= 1 && column <= kColumns ? kUnits[column - 1] : "";
}

std::string CellText(const TrackRow& w, int column) {
    if (w.empty) return "";
    if (column == 1 || column == 10) return DateText(w.moment);
    if (column == 2) return TimeText(w.moment);
    if (column == 13 && !w.distanceKm) return ".";
    if (isWhole(column)) return std::to_string(int64_t(numberOf(w, column)));
    return realText(numberOf(w, column));
}

sheet::Workbook TrackWorkbook(const ImportResult& r) {
    sheet::Workbook wb;
    auto& sh = wb.addSheet("Moving");
    sh.write(1, 1, r.title);
    sh.setBold("A1", true);
    for (int c = 1; c <= kColumns; ++c) {
        sh.write(2, c, std::string(ColumnName(c)));
        sh.setFont(2, c, {.bold = true});
        sh.write(3, c, ColumnUnit(r, c));
        sh.setColumnWidth(c, 11);
    }
    int row = 4;
    for (const auto& w : r.rows) {
        if (!w.empty) {
            for (int c = 1; c <= kColumns; ++c) {
                if (c == 13 && !w.distanceKm) sh.write(row, c, ".");
                else sh.write(row, c, numberOf(w, c));
            }
            sh.setNumberFormat(row, 1, sheet::kDateFormat);
            sh.setNumberFormat(row, 2, sheet::kTimeSecondsFormat);
            sh.setNumberFormat(row, 10, sheet::kDateFormat);
        }
        ++row;
    }
    return wb;
}

std::string SaveTrackWorkbook(const ImportResult& r, const std::string& path) {
    auto wb = TrackWorkbook(r);
    auto st = wb.saveAs(path);
    return st.ok() ? "" : "The track workbook " + path + " could not be saved: " + st.text;
}

std::string TrackCsvText(const ImportResult& r) {
    std::string out;
    out.reserve((r.rows.size() + 1) * 160);
    for (int c = 1; c <= kColumns; ++c) {
        if (c > 1) out += ',';
        out += ColumnName(c);
        out += " (";
        out += ColumnUnit(r, c);
        out += ')';
    }
    out += "\r\n";
    for (const auto& w : r.rows) {
        for (int c = 1; c <= kColumns; ++c) {
            if (c > 1) out += ',';
            out += CellText(w, c);
        }
        out += "\r\n";
    }
    return out;
}

std::string SaveTrackCsv(const ImportResult& r, const std::string& path) {
    auto error = output::WriteTextFile(path, TrackCsvText(r), false);
    return error.empty() ? "" : "The track CSV " + path + " could not be saved: " + error;
}

}  // namespace ornivo::track
