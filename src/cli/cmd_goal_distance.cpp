// ornivo-cli goal-distance: the goal distance screen with signed decimal degrees (north and east
// positive) typed into its boxes and hemispheres, then "Update distance" and "Accept".
#include <cmath>

#include "bird/EnterBird.h"
#include "api/RunDialogs.h"
#include "cli/Command.h"
#include "api/Json.h"
#include "migrate/GoalDistance.h"
#include "state/ControlNames.h"
#include "state/numtext.h"

namespace ornivo::cli {
namespace {

std::pair<double, double> latLon(const std::string& text, const std::string& flag) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) throw UsageError(flag + " needs LAT,LON in signed decimal degrees");
    const double lat = ParseNumber(text.substr(0, comma), flag + " latitude");
    const double lon = ParseNumber(text.substr(comma + 1), flag + " longitude");
    if (std::fabs(lat) > 90) throw UsageError(flag + " latitude must lie from -90 to 90");
    if (std::fabs(lon) > 360) throw UsageError(flag + " longitude must lie from -360 to 360");
    return {lat, lon};
}

int runGoalDistance(const std::vector<std::string>& a) {
    Args args(a);
    auto from = args.value("--from"), to = args.value("--to");
    if (!from || !to) throw UsageError("give --from LAT,LON and --to LAT,LON");
    const std::pair<double, double> pts[2] = {latLon(*from, "--from"), latLon(*to, "--to")};
    ProgramState s;
    RunDialogs d;
    migrate::GoalDistanceForm f = migrate::LoadGoalDistance();
    Json shown;
    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i + 1);
        f.LatDegText[i] = SignedNumberText(std::fabs(pts[i].first)).substr(1);
        f.LongDegText[i] = SignedNumberText(std::fabs(pts[i].second)).substr(1);
        if (pts[i].first < 0) migrate::ToggleHemisphere(f, ctl::txtLatNS + n);
        if (pts[i].second > 0) migrate::ToggleHemisphere(f, ctl::txtLongEW + n);  // east
        shown[ctl::txtLatNS + n] = f.LatSign[i] > 0 ? "North" : "South";
        shown[ctl::txtLongEW + n] = f.LongSign[i] > 0 ? "West" : "East";
    }
    ScreenUpdate u;
    if (!migrate::AcceptGoalDistance(s, f, d, &u)) return d.refuse();
    Json out;
    out["GoalDist"] = Single(s.GoalDist);
    out["Distance"] = Double(f.Distance);
    out[ctl::txtDistance] = FormatPattern(f.Distance, "#0");
    out[ctl::txtGoalDist] = *u.textOf(ctl::txtGoalDist);
    out["hemispheres"] = shown;
    PrintJson(out);
    return ExitOk;
}

}  // namespace

ORNIVO_CLI_COMMAND(goal_distance, "goal-distance",
                   "goal-distance --from LAT,LON --to LAT,LON   (signed decimal degrees, north and east positive)",
                   runGoalDistance);

}  // namespace ornivo::cli
