#pragma once
// What the outputs say about the stops of a GPS run and about a fat store that ran dry on the track.
#include <cstdint>
#include <string>

#include "state/GpsResults.h"

namespace ornivo::migrate {

// The note of the stop printed in output row `row` (each stop keeps its own); the last stop's note
// for a row that is no recorded stop.
const std::string& StopNoteOfRow(const GpsResults& g, int row);

// "Fat ran out at point N (yyyy-mm-dd hh:mm:ss); later rows show the deficit", or "" when it did not.
std::string FatRanOutLine(const GpsResults& g);

// The moment of a track point as "yyyy-mm-dd hh:mm:ss" (serial day and fraction of a day).
std::string MomentText(double date, double time);
// The same for a moment in whole seconds since serial day 0.
std::string MomentTextOfSeconds(int64_t seconds);

}  // namespace ornivo::migrate
