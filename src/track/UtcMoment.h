#pragma once
// Moments of GPS fixes: microseconds since 1970-01-01 00:00 UTC, read from the time stamps of fix
// files and turned into the date and time cells of a track.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ornivo::track {

using Moment = int64_t;  // microseconds since 1970-01-01 00:00:00 UTC

inline constexpr Moment kMicrosPerSecond = 1'000'000;
inline constexpr Moment kMicrosPerDay = 86'400 * kMicrosPerSecond;

// Days since 1970-01-01 of a calendar date (proleptic Gregorian), and back.
int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

// "2016-05-02 04:20:46.000", "2016-05-02T04:20:46Z", "2016-05-02T07:20:46+03:00", "2016-05-02 04:20":
// a date, a space or T, hours and minutes, optional seconds with up to 6 decimals (more are cut),
// an optional Z or offset from UTC. Nothing for any other text or an impossible date or time.
std::optional<Moment> ParseUtcMoment(std::string_view text);

// Whole days and the time of day (rounded down to the second) of a moment.
int64_t DayOf(Moment m);
int64_t SecondOfDay(Moment m);

// The moment as "2016-05-02 04:20:46" (fractions of a second cut).
std::string MomentText(Moment m);
std::string DateText(Moment m);  // "2016-05-02"
std::string TimeText(Moment m);  // "04:20:46"

// Spreadsheet serials of the moment's date (whole days) and time of day (fraction, whole seconds).
double DateSerialOf(Moment m);
double TimeSerialOf(Moment m);

}  // namespace ornivo::track
