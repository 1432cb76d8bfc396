#include "migrate/GoalDistance.h"

#include <cmath>
#include <stdexcept>

#include "state/ControlNames.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::migrate {

GoalDistanceForm LoadGoalDistance() { return {}; }

void GoalDistanceEdit(GoalDistanceForm& f, const std::string& c, const std::string& text) {
    const int i = (!c.empty() && c.back() == '2') ? 1 : 0;
    std::string t = text;
    t.erase(0, t.find_first_not_of(" \t"));
    t.erase(t.find_last_not_of(" \t") + 1);
    if (c.rfind(ctl::txtLatDeg, 0) == 0) f.LatDegText[i] = t;
    else if (c.rfind(ctl::txtLongDeg, 0) == 0) f.LongDegText[i] = t;
    else if (c.rfind(ctl::txtLatMin, 0) == 0) f.LatMin[i] = LeadingNumber(t);
    else if (c.rfind(ctl::txtLongMin, 0) == 0) f.LongMin[i] = LeadingNumber(t);
    else throw std::invalid_argument("no degree or minute box " + c + " on the goal distance screen");
}

std::string ToggleHemisphere(GoalDistanceForm& f, const std::string& c) {
    const int i = (!c.empty() && c.back() == '2') ? 1 : 0;
    if (c.rfind(ctl::txtLatNS, 0) == 0) {
        f.LatSign[i] = -f.LatSign[i];
        return f.LatSign[i] > 0 ? "North" : "South";
    }
    if (c.rfind(ctl::txtLongEW, 0) == 0) {
        f.LongSign[i] = -f.LongSign[i];
        return f.LongSign[i] > 0 ? "West" : "East";
    }
    throw std::invalid_argument("no hemisphere box " + c + " on the goal distance screen");
}

double GreatCircleDistance(const ProgramState& s, double lat1, double lon1, double lat2, double lon2) {
    const double dlon = (lon2 - lon1) * s.Pi / 180;
    const double c1 = (0.5 - lat1 / 180) * s.Pi, c2 = (0.5 - lat2 / 180) * s.Pi;
    const double cosd = std::cos(dlon) * std::sin(c1) * std::sin(c2) + std::cos(c1) * std::cos(c2);
    return ArcCos(cosd) * 20002 / s.Pi;  // ArcCos clamps rounding just outside -1..1
}

bool UpdateDistance(const ProgramState& s, GoalDistanceForm& f, platform::Dialogs& d, ScreenUpdate* u) {
    for (const auto* t : {&f.LatDegText, &f.LongDegText})
        for (const std::string& x : *t)
            if (x.empty()) {
                d.error({"Enter numbers in all four Degrees boxes", "Click on boxes to toggle N-S or E-W"});
                f.ErrorFlag = true;
                return false;
            }
    f.ErrorFlag = false;
    double lat[2], lon[2];
    for (int i = 0; i < 2; ++i) {
        lat[i] = (f.LatMin[i] / 60 + LeadingNumber(f.LatDegText[i])) * f.LatSign[i];
        lon[i] = (f.LongMin[i] / 60 + LeadingNumber(f.LongDegText[i])) * f.LongSign[i];
    }
    f.Distance = GreatCircleDistance(s, lat[0], lon[0], lat[1], lon[1]);
    if (u) {
        u->show(ctl::txtDistance, FormatPattern(f.Distance, "#0"));
        u->setEnabled(ctl::cmdAccept, true);
    }
    return true;
}

bool AcceptGoalDistance(ProgramState& s, GoalDistanceForm& f, platform::Dialogs& d, ScreenUpdate* setup) {
    if (!UpdateDistance(s, f, d)) return false;
    s.GoalDist = static_cast<float>(f.Distance);
    if (setup) setup->show(ctl::txtGoalDist, FormatPattern(s.GoalDist, "#0"));
    return true;
}

}  // namespace ornivo::migrate
