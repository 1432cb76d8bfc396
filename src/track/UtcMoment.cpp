#include "track/UtcMoment.h"

#include <cstdio>

namespace ornivo::track {
namespace {

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

// Reads exactly n digits at pos; -1 when they are not all digits.
int digits(std::string_view s, std::size_t& pos, int n) {
    if (pos + std::size_t(n) > s.size()) return -1;
    int v = 0;
    for (int i = 0; i < n; ++i) {
        char c = s[pos + std::size_t(i)];
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    pos += std::size_t(n);
    return v;
}

bool take(std::string_view s, std::size_t& pos, char c) {
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

}  // namespace

int64_t DaysFromCivil(int year, int month, int day) {
    const int64_t y = int64_t(year) - (month <= 2);
    const int64_t era = floorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = floorDiv(days, 146097);
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2));
}

std::optional<Moment> ParseUtcMoment(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    std::size_t p = 0;
    const int y = digits(s, p, 4);
    if (y < 0 || !take(s, p, '-')) return std::nullopt;
    const int mo = digits(s, p, 2);
    if (mo < 1 || mo > 12 || !take(s, p, '-')) return std::nullopt;
    const int d = digits(s, p, 2);
    if (d < 1 || d > daysInMonth(y, mo)) return std::nullopt;
    if (!take(s, p, ' ') && !take(s, p, 'T')) return std::nullopt;
    const int h = digits(s, p, 2);
    if (h < 0 || h > 23 || !take(s, p, ':')) return std::nullopt;
    const int mi = digits(s, p, 2);
    if (mi < 0 || mi > 59) return std::nullopt;
    int sec = 0;
    int64_t micros = 0;
    if (take(s, p, ':')) {
        sec = digits(s, p, 2);
        if (sec < 0 || sec > 59) return std::nullopt;
        if (take(s, p, '.')) {
            int n = 0;
            for (; p < s.size() && s[p] >= '0' && s[p] <= '9'; ++p, ++n)
                if (n < 6) micros = micros * 10 + (s[p] - '0');
            if (n == 0) return std::nullopt;
            for (; n < 6; ++n) micros *= 10;
        }
    }
    int64_t offsetMinutes = 0;
    if (take(s, p, 'Z') || take(s, p, 'z')) {
    } else if (p < s.size() && (s[p] == '+' || s[p] == '-')) {
        const int sign = s[p] == '-' ? -1 : 1;
        ++p;
        const int oh = digits(s, p, 2);
        take(s, p, ':');
        const int om = digits(s, p, 2);
        if (oh < 0 || oh > 23 || om < 0 || om > 59) return std::nullopt;
        offsetMinutes = sign * (oh * 60 + om);
    }
    if (p != s.size()) return std::nullopt;
    const int64_t seconds = DaysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + sec - offsetMinutes * 60;
    return seconds * kMicrosPerSecond + micros;
}

int64_t DayOf(Moment m) { return floorDiv(m, kMicrosPerDay); }
int64_t SecondOfDay(Moment m) { return (m - DayOf(m) * kMicrosPerDay) / kMicrosPerSecond; }

std::string DateText(Moment m) {
    int y, mo, d;
    CivilFromDays(DayOf(m), y, mo, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, mo, d);
    return buf;
}

std::string TimeText(Moment m) {
    const auto s = SecondOfDay(m);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", int(s / 3600), int(s / 60 % 60), int(s % 60));
    return buf;
}

std::string MomentText(Moment m) { return DateText(m) + " " + TimeText(m); }

// Serial 25569 is 1970-01-01.
double DateSerialOf(Moment m) { return double(DayOf(m) + 25569); }
double TimeSerialOf(Moment m) { return double(SecondOfDay(m)) / 86400.0; }

}  // namespace ornivo::track
