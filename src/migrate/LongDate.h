#pragma once
// Dates in file names and headings: the long date form "4 May 2016" (day without a leading zero,
// full month name).
#include <string>

namespace ornivo::migrate {

std::string LongDate(double serial);  // from a serial day number
std::string TodayLongDate();

}  // namespace ornivo::migrate
