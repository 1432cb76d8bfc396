#pragma once
// Dates and times as spreadsheets store them: serial day numbers counted from 30 Dec 1899
// (1 = 1 Jan 1900, 42492 = 2 May 2016), the time of day as the fraction of a day.
// Serials before 1 Mar 1900 are one day below what spreadsheets show (they count a 29 Feb 1900).
#include <optional>
#include <string_view>

namespace ornivo::sheet {

inline constexpr double kDate1904Offset = 1462;  // serial of 1 Jan 1904 in the 1900 system

double DateSerial(int year, int month, int day);
double TimeSerial(int hours, int minutes, double seconds);
// Calendar date of the whole-day part of a serial.
void SerialToDate(double serial, int& year, int& month, int& day);

enum class DateKind { Date, Time, DateTime };

struct DateText {
    double serial = 0;
    DateKind kind = DateKind::Date;
};

// Reads a date or time written as text: "2016-05-02", "2016-05-02 04:40:29", "2016-05-02T04:40:29",
// "20-Aug-2014", "04:40", "04:40:29" (seconds may carry decimals). Nothing for any other text or
// an impossible date or time (month 13, 25:00, 31 Apr).
std::optional<DateText> ParseDateText(std::string_view text);

// True when a number format code shows a date or time ("yyyy-mm-dd", "hh:mm", "d-mmm-yy");
// false for "General", "0.00", "0.0E+00" and codes whose letters are all quoted text.
bool IsDateFormatCode(std::string_view code);

}  // namespace ornivo::sheet
