#pragma once
// The goal distance screen's rules: start and finish coordinates in degrees and minutes with their
// hemispheres, the great-circle distance, and its acceptance into the migration setup.
#include <array>
#include <string>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::migrate {

struct GoalDistanceForm {
    // Index 0 start, 1 finish. Degree boxes as typed (an empty box stops the computation).
    std::array<std::string, 2> LatDegText, LongDegText;
    std::array<double, 2> LatMin{0, 0}, LongMin{0, 0};
    std::array<int, 2> LatSign{1, 1};   // +1 North, -1 South
    std::array<int, 2> LongSign{1, 1};  // +1 West, -1 East
    double Distance = 0;                // km
    bool ErrorFlag = true;              // set while the degree boxes are incomplete
};

// The screen as it loads: North, West, minutes 0, the error flag set.
GoalDistanceForm LoadGoalDistance();
// Leaving a degree or minute box (txtLatDeg1/2, txtLatMin1/2, txtLongDeg1/2, txtLongMin1/2): a degree
// box keeps its text (an empty one stops the computation), a minute box its leading number.
void GoalDistanceEdit(GoalDistanceForm& f, const std::string& control, const std::string& text);
// Clicking a hemisphere box (txtLatNS1/2, txtLongEW1/2): the box's new text.
std::string ToggleHemisphere(GoalDistanceForm& f, const std::string& control);
// The great-circle distance (km) of signed degrees, a half circle being 20002 km.
double GreatCircleDistance(const ProgramState& s, double lat1, double lon1, double lat2, double lon2);
// "Update distance": false (after the message) when a degree box is empty. Shows txtDistance ("#0").
bool UpdateDistance(const ProgramState& s, GoalDistanceForm& f, platform::Dialogs& d, ScreenUpdate* u = nullptr);
// "Accept": GoalDist and the setup screen's txtGoalDist; false when the distance could not be computed.
bool AcceptGoalDistance(ProgramState& s, GoalDistanceForm& f, platform::Dialogs& d, ScreenUpdate* setup = nullptr);

}  // namespace ornivo::migrate
