#pragma once
// The migration along a recorded GPS track: each fix flown as a segment at the recorded air speed
// (never below VratioGPS x Vmp) and rate of climb, stops spent resting or feeding at known sites,
// then a projection as a level programmed cruise until the fat is used up.
#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"

namespace ornivo::migrate {

class TrackFile;

struct GpsRunOptions {
    bool kml = false;           // "Output KML file for map"
    bool progress = false;      // "Output Progress Update"
    std::string kmlFolder;      // where the KML file goes (TrackFolder when empty)
    std::string progressTemplate;  // path of the progress workbook template
};

enum class GpsOutcome { Finished, Cancelled, Failed };

// Asks for the site file (Yes/No, open dialog) and the track (open dialog), then runs. A failure shows a
// message that says why (file, row, column), writes no KML or progress file, and opens no results.
GpsOutcome GpsRun(ProgramState& s, platform::Dialogs& d, const GpsRunOptions& opt);

// "Start migrating" with "Start with GPS Track": the run with the screen's check boxes, the progress
// template beside the program and the KML file in TrackFolder.
enum class StartOutcome;
StartOutcome StartGpsRun(ProgramState& s, platform::Dialogs& d);

// The step operations of the track, for tests.
double GroundSpeedAt(double V, double windSpeed, double track, double windFrom);
void StopoverFuelChange(ProgramState& s);
std::string StopNote(const ProgramState& s);
// Six-minute steps of a stop of `seconds` (rounded half to even: 14, 9 and 15 minutes all give 2).
int32_t StopSteps(double seconds, double timeStepMinutes);
// Phase of the projection rows: whole trip hours modulo the whole output interval (0 under half an hour).
float ProjectionPhaseFor(float tripHours, float outputInterval);

// Limits that end a run that would otherwise go on for ever.
constexpr double MaxProjectionHours = 10000;

}  // namespace ornivo::migrate
