#include "migrate/GpsStops.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "external/spreadsheet/DateSerial.h"

namespace ornivo::migrate {

const std::string& StopNoteOfRow(const GpsResults& g, int row) {
    // Stops are recorded in row order.
    auto it = std::lower_bound(g.Stops.begin(), g.Stops.end(), row,
                               [](const GpsStop& stop, int r) { return stop.Row < r; });
    if (it != g.Stops.end() && it->Row == row) return it->Note;
    return g.StopoverNote;
}

std::string MomentText(double date, double time) {
    int y = 0, mo = 0, d = 0;
    sheet::SerialToDate(std::floor(date), y, mo, d);
    long secs = std::lround(time * 86400.0);
    if (secs >= 86400) secs = 86399;  // a time of day a rounding short of midnight
    if (secs < 0) secs = 0;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02ld:%02ld:%02ld", y, mo, d, secs / 3600, secs / 60 % 60,
                  secs % 60);
    return buf;
}

std::string MomentTextOfSeconds(int64_t seconds) {
    const int64_t days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    return MomentText(double(days), double(seconds - days * 86400) / 86400.0);
}

std::string FatRanOutLine(const GpsResults& g) {
    if (!g.FatRanOut) return "";
    return "Fat ran out at point " + std::to_string(g.FatRanOut->Point) + " (" +
           MomentText(g.FatRanOut->Date, g.FatRanOut->Time) + "); later rows show the deficit";
}

}  // namespace ornivo::migrate
