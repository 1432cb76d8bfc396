#include "migrate/LongDate.h"

#include <cmath>
#include <ctime>

#include "external/spreadsheet/DateSerial.h"

namespace ornivo::migrate {
namespace {
const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
std::string format(int y, int m, int d) {
    if (m < 1 || m > 12) return "?";
    return std::to_string(d) + " " + kMonths[m - 1] + " " + std::to_string(y);
}
}  // namespace

std::string LongDate(double serial) {
    int y = 0, m = 0, d = 0;
    sheet::SerialToDate(std::floor(serial), y, m, d);
    return format(y, m, d);
}

std::string TodayLongDate() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return format(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

}  // namespace ornivo::migrate
