#include "external/spreadsheet/DateSerial.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace ornivo::sheet {

namespace {

// Days from 1 Jan 1970 of a proleptic Gregorian date (H. Hinnant's civil algorithm).
long DaysFromCivil(long y, long m, long d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

const long kEpoch = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// A run of exactly `width` digits (width 0: one or two digits) at pos.
bool ReadDigits(std::string_view t, std::size_t& pos, int width, int& value) {
    std::size_t start = pos, maxLen = width ? width : 2;
    value = 0;
    while (pos < t.size() && pos - start < maxLen && t[pos] >= '0' && t[pos] <= '9')
        value = value * 10 + (t[pos++] - '0');
    std::size_t len = pos - start;
    return width ? len == static_cast<std::size_t>(width) : len >= 1;
}

bool Expect(std::string_view t, std::size_t& pos, char c) {
    if (pos < t.size() && t[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

bool ValidDate(int y, int m, int d) { return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m); }

// "hh:mm" or "hh:mm:ss[.fff]" from pos to the end of the text.
bool ReadTime(std::string_view t, std::size_t pos, double& fraction) {
    int h = 0, m = 0;
    double s = 0;
    if (!ReadDigits(t, pos, 0, h) || !Expect(t, pos, ':') || !ReadDigits(t, pos, 2, m)) return false;
    if (Expect(t, pos, ':')) {
        int whole = 0;
        if (!ReadDigits(t, pos, 2, whole)) return false;
        s = whole;
        if (Expect(t, pos, '.')) {
            std::size_t start = pos;
            while (pos < t.size() && t[pos] >= '0' && t[pos] <= '9') ++pos;
            if (pos == start) return false;
            double frac = 0;
            std::string digits = "0." + std::string(t.substr(start, pos - start));
            std::from_chars(digits.data(), digits.data() + digits.size(), frac);
            s += frac;
        }
    }
    if (pos != t.size() || h > 23 || m > 59 || s >= 60) return false;
    fraction = TimeSerial(h, m, s);
    return true;
}

int MonthFromName(std::string_view name) {
    static const std::array<const char*, 12> names{"jan", "feb", "mar", "apr", "may", "jun",
                                                   "jul", "aug", "sep", "oct", "nov", "dec"};
    if (name.size() != 3) return 0;
    std::string lower;
    for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int i = 0; i < 12; ++i)
        if (lower == names[i]) return i + 1;
    return 0;
}

}  // namespace

double DateSerial(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, month, day) - kEpoch);
}

double TimeSerial(int hours, int minutes, double seconds) {
    return (hours * 3600.0 + minutes * 60.0 + seconds) / 86400.0;
}

void SerialToDate(double serial, int& year, int& month, int& day) {
    // Inverse of DaysFromCivil.
    long z = static_cast<long>(std::floor(serial)) + kEpoch + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

std::optional<DateText> ParseDateText(std::string_view t) {
    std::size_t pos = 0;
    int y = 0, m = 0, d = 0;
    double fraction = 0;
    // A time of day alone.
    if (t.find(':') != std::string_view::npos && t.find('-') == std::string_view::npos) {
        if (!ReadTime(t, 0, fraction)) return std::nullopt;
        return DateText{fraction, DateKind::Time};
    }
    if (ReadDigits(t, pos, 4, y) && Expect(t, pos, '-')) {
        // yyyy-mm-dd
        if (!ReadDigits(t, pos, 0, m) || !Expect(t, pos, '-') || !ReadDigits(t, pos, 0, d)) return std::nullopt;
    } else {
        // dd-Mon-yyyy
        pos = 0;
        if (!ReadDigits(t, pos, 0, d) || !Expect(t, pos, '-')) return std::nullopt;
        std::size_t start = pos;
        while (pos < t.size() && std::isalpha(static_cast<unsigned char>(t[pos]))) ++pos;
        m = MonthFromName(t.substr(start, pos - start));
        if (m == 0 || !Expect(t, pos, '-') || !ReadDigits(t, pos, 4, y)) return std::nullopt;
    }
    if (!ValidDate(y, m, d)) return std::nullopt;
    double serial = DateSerial(y, m, d);
    if (pos == t.size()) return DateText{serial, DateKind::Date};
    if (t[pos] != ' ' && t[pos] != 'T') return std::nullopt;
    ++pos;
    if (!ReadTime(t, pos, fraction)) return std::nullopt;
    return DateText{serial + fraction, DateKind::DateTime};
}

bool IsDateFormatCode(std::string_view code) {
    bool inQuote = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        char c = code[i];
        if (inQuote) {
            if (c == '"') inQuote = false;
            continue;
        }
        if (c == '"') {
            inQuote = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;  // escaped, padding or fill character
        } else if (c == '[') {
            // [Red], [$-409] are no date parts; [h], [mm], [ss] (elapsed time) are.
            std::size_t end = code.find(']', i);
            if (end == std::string_view::npos) return false;
            std::string_view inner = code.substr(i + 1, end - i - 1);
            if (!inner.empty() && (inner[0] == 'h' || inner[0] == 'm' || inner[0] == 's' || inner[0] == 'H' ||
                                   inner[0] == 'M' || inner[0] == 'S'))
                return true;
            i = end;
        } else {
            char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (lower == 'g' && code.substr(i).size() >= 7) {
                std::string word;
                for (char w : code.substr(i, 7)) word += static_cast<char>(std::tolower(static_cast<unsigned char>(w)));
                if (word == "general") {
                    i += 6;
                    continue;
                }
            }
            if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's') return true;
        }
    }
    return false;
}

}  // namespace ornivo::sheet
