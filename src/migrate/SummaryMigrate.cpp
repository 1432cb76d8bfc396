#include "migrate/SummaryMigrate.h"

#include <cmath>

#include "migrate/GpsStops.h"
#include "state/ControlNames.h"
#include "state/SaveCaption.h"
#include "state/numtext.h"

namespace ornivo::migrate {
namespace {

enum class Negative { Show, Zero, ZeroUnlessPositive };

struct Row {
    const char* control;
    int quantity;    // index in the record
    float divisor;   // 1, or 1000 for kJ and km
    Negative rule;   // what the arrival and out-of-fuel columns show for a value that is not positive
    bool departure;  // shown in the departure column
};

// txtHrs, txtDistance and txtVratio have their own formats and are filled apart.
const Row Rows[] = {
    {ctl::txtTAS, 2, 1, Negative::Show, true},          {ctl::txtVmp, 3, 1, Negative::Show, true},
    {ctl::txtFat, 8, 1, Negative::Zero, true},          {ctl::txtMuscle, 7, 1, Negative::Show, true},
    {ctl::txtAirframe, 9, 1, Negative::Show, true},     {ctl::txtAllUp, 6, 1, Negative::Show, true},
    {ctl::txtFatBurn, 15, 1000, Negative::Show, true},  {ctl::txtProtBurn, 16, 1000, Negative::Show, true},
    {ctl::txtTotalFuel, 17, 1000, Negative::Show, true}, {ctl::txtQm, 21, 1, Negative::Show, true},
    {ctl::txtPdens, 12, 1, Negative::Show, true},       {ctl::txtPercentProt, 18, 1, Negative::Show, false},
    {ctl::txtPercentBMR, 20, 1, Negative::Show, false}, {ctl::txtFatFrac, 22, 1, Negative::ZeroUnlessPositive, true},
    {ctl::txtFatHeight, 23, 1, Negative::ZeroUnlessPositive, true},
    {ctl::txtFatProtHeight, 27, 1000, Negative::ZeroUnlessPositive, true},
    {ctl::txtReWing, 24, 1, Negative::Show, true},      {ctl::txtReBody, 25, 1, Negative::Show, true},
    {ctl::txtFredMC, 26, 1, Negative::Show, true},      {ctl::txtFreq, 5, 1, Negative::Show, true},
};

std::string name(const char* control, int column) { return std::string(control) + "_" + std::to_string(column); }

// One column of the screen from one record. Column 0 is the departure, 1 the arrival, 2 out of fuel.
void fillColumn(ScreenUpdate& u, const MigrationRecord& r, int column) {
    u.show(name(ctl::txtHrs, column), FormatPattern(r[0], "#0.0"));
    u.show(name(ctl::txtDistance, column), std::to_string(static_cast<long long>(std::trunc(double(r[1])))));
    // A record never filled (a GPS run without a fix, say) has no speed ratio.
    const float ratio = r[2] / r[3];
    u.show(name(ctl::txtVratio, column), std::isfinite(ratio) ? FormatSig(ratio, 3) : std::string());
    for (const Row& row : Rows) {
        const std::string n = name(row.control, column);
        if (column == 0 && !row.departure) {
            u.show(n, "");
            continue;
        }
        const float v = r[row.quantity] / row.divisor;
        if (column > 0 && row.rule == Negative::Zero && v < 0) u.show(n, "0");
        else if (column == 2 && row.rule == Negative::ZeroUnlessPositive && !(v > 0)) u.show(n, "0");
        else if (!std::isfinite(v)) u.show(n, "");
        else u.showSig(n, v);
    }
}

void emptyColumn(ScreenUpdate& u, int column, const std::string& first) {
    for (const std::string& row : SummaryMigrateRows()) u.show(name(row.c_str(), column), "");
    u.show(name(ctl::txtHrs, column), first);
}

}  // namespace

const std::vector<std::string>& SummaryMigrateRows() {
    static const std::vector<std::string> rows = [] {
        std::vector<std::string> r = {ctl::txtHrs, ctl::txtDistance, ctl::txtTAS, ctl::txtVmp, ctl::txtVratio};
        for (const Row& row : Rows)
            if (std::string(row.control) != ctl::txtTAS && std::string(row.control) != ctl::txtVmp)
                r.push_back(row.control);
        return r;
    }();
    return rows;
}

std::string MigrationSaveBoxCaption(const ProgramState& s) { return ResultsSaveCaption(s, "results", 3); }

std::string GpsFilesText(const ProgramState& s) {
    if (!s.Migration.GpsMode) return "";
    std::string t;
    if (!s.Gps.KmlFile.empty()) t += "Map (KML file) written to " + s.Gps.KmlFile;
    if (!s.Gps.ProgressFile.empty()) t += (t.empty() ? "" : "\n") + std::string("Progress workbook written to ") + s.Gps.ProgressFile;
    return t;
}

ScreenUpdate LoadSummaryMigrate(const ProgramState& s) {
    ScreenUpdate u;
    u.show(ctl::txtSpName, s.SpName);
    u.show(ctl::txtShortName, s.ShortName);
    if (!s.Migration.StateLog.empty()) fillColumn(u, s.Migration.StateLog[0], 0);
    fillColumn(u, s.Migration.EndStates[1], 2);
    u.show(ctl::txtStartAlt, FormatPattern(s.Migration.StartAltitude, "0"));
    u.show(ctl::txtCruiseAlt, FormatPattern(s.Migration.CruiseAlt, "0"));

    u.setVisible(ctl::fraClimb, s.Migration.ClimbFlag);
    u.setVisible(ctl::fraFinalGlide, s.Migration.ClimbFlag);
    if (s.Migration.ClimbFlag) {
        u.showSig(ctl::txtClimbTime, s.Migration.ClimbTime);
        u.showSig(ctl::txtClimbDist, s.Migration.ClimbDist);
        u.showSig(ctl::txtInitialVclimb, s.Migration.InitialVclimb);
        u.showSig(ctl::txtFinalVclimb, s.Migration.FinalVclimb);
        u.showSig(ctl::txtFinalGlideTime, s.Migration.FinalGlideTime);
        u.showSig(ctl::txtFinalGlideDist, s.Migration.FinalGlideDist);
    }

    const std::string arrival = s.Migration.GpsMode ? "End GPS" : "Arrival";
    u.show(ctl::lblArrival_0, arrival);
    u.show(ctl::lblArrival_1, arrival);
    if (s.GoalDist > 0 || s.Migration.GpsMode) {
        if (!s.Migration.Arrived && !s.Migration.GpsMode) emptyColumn(u, 1, "Out of fuel");
        else fillColumn(u, s.Migration.EndStates[0], 1);
    } else {
        emptyColumn(u, 1, "No goal set");
    }

    const std::string fatRanOut = s.Migration.GpsMode ? FatRanOutLine(s.Gps) : std::string();
    u.show(ctl::lblFatRanOut, fatRanOut);
    u.setVisible(ctl::lblFatRanOut, !fatRanOut.empty());
    const std::string files = GpsFilesText(s);
    u.show(ctl::lblGpsFiles, files);
    u.setVisible(ctl::lblGpsFiles, !files.empty());

    u.show(ctl::chkExcel, MigrationSaveBoxCaption(s));
    u.setChecked(ctl::chkExcel, false);  // a run is saved only when asked for
    u.setChecked(ctl::chk4Digit, s.SigDigits != 3);
    return u;
}

}  // namespace ornivo::migrate
