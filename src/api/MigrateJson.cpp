#include "api/MigrateJson.h"

#include <algorithm>

#include "migrate/GpsStops.h"

namespace ornivo::api {

Json MigrationTableJson(const MigrationTable& t, int lastRow) {
    Json rows = Json::array();
    const int n = std::min<int>(lastRow, static_cast<int>(t.size()) - 1);
    for (int r = 0; r <= n; ++r) {
        Json row = Json::array();
        for (float v : t[r]) row.push_back(Single(v));
        rows.push_back(row);
    }
    return rows;
}

Json MigrationResultsJson(const ProgramState& s, bool tables) {
    const MigrationState& m = s.Mig;
    Json j;
    j["RowsWritten"] = s.RowsWritten;
    j["Arrived"] = s.Arrived;
    j["ClimbFlag"] = s.ClimbFlag;
    j["ClimbAborted"] = s.ClimbAborted;
#define F(name) j[#name] = Single(s.name)
    F(ClimbTime); F(ClimbDist); F(InitialVclimb); F(FinalVclimb); F(FinalGlideDist); F(FinalGlideTime);
    F(StartAltitude); F(CruiseAlt); F(StartDensity); F(CruiseDensity); F(CruiseKinViscosity); F(Distance);
    F(MetabolicSink); F(MitoFracStart); F(FatEnergyHeight); F(FuelEnergyHeight); F(Altitude); F(AirDensity);
#undef F
    j["Vmp"] = Single(m.Vmp);
    j["Vmr"] = Single(m.Vmr);
    j["VmrRatio"] = Single(m.VmrRatio);
    j["Speed"] = Single(m.Speed);
    j["StartSpeed"] = Single(m.StartSpeed);
    j["HoursFlown"] = Single(m.HoursFlown);
    j["ElapsedSec"] = m.ElapsedSec;
    j["ClimbSeconds"] = m.ClimbSeconds;
    j["MaxRow"] = s.MaxRow;
    j["RowsExhausted"] = s.RowsExhausted;
    // Every row written: a GPS run grows its tables past MaxRow.
    const int last = std::max<int>(s.MaxRow, s.RowsWritten);
    // The row tables hold rows 0..MaxRow; without tables, one is shown only when it holds a bad value.
    auto rowsShown = [&](const auto& rows) {
        return tables || (last >= 0 && !RowsFinite(rows, static_cast<std::size_t>(last)));
    };
    if (rowsShown(s.StateLog)) {
        Json log = Json::array();
        for (int r = 0; r <= last && r < static_cast<int>(s.StateLog.size()); ++r) {
            Json row = Json::array();
            for (float v : s.StateLog[r]) row.push_back(Single(v));
            log.push_back(row);
        }
        j["StateLog"] = log;
    }
    if (tables || !RowsFinite(s.EndStates)) {
        // EndStates by quantity (rows 0..27), one column per record (0 arrival, 1 out of fuel).
        Json ends = Json::array();
        for (int i = 0; i < RecordSize; ++i)
            ends.push_back(Json::array({Single(s.EndStates[0][i]), Single(s.EndStates[1][i])}));
        j["EndStates"] = ends;
    }
    if (rowsShown(s.TravelTable)) j["TravelTable"] = MigrationTableJson(s.TravelTable, last);
    if (rowsShown(s.PowerTable)) j["PowerTable"] = MigrationTableJson(s.PowerTable, last);
    if (rowsShown(s.FuelTable)) j["FuelTable"] = MigrationTableJson(s.FuelTable, last);
    if (rowsShown(s.GpsTable)) j["GpsTable"] = MigrationTableJson(s.GpsTable, last);
    return j;
}

Json GpsStopsJson(const ProgramState& s) {
    Json stops = Json::array();
    for (const GpsStop& stop : s.Stops) {
        Json j;
        j["Row"] = stop.Row;
        j["Start"] = migrate::MomentTextOfSeconds(stop.StartSec);
        j["End"] = migrate::MomentTextOfSeconds(stop.EndSec);
        j["Lat"] = Double(stop.Lat);
        j["Lon"] = Double(stop.Lon);
        j["Site"] = stop.Site;
        j["FeedQ"] = Double(stop.FeedQ);
        j["Hours"] = Double(stop.Hours);
        j["FatChange"] = Single(stop.FatChange);
        j["ProteinChange"] = Single(stop.ProteinChange);
        j["Note"] = stop.Note;
        stops.push_back(j);
    }
    return stops;
}

Json FatRanOutJson(const ProgramState& s) {
    if (!s.FatRanOut) return Json::object();
    Json j;
    j["point"] = s.FatRanOut->Point;
    j["moment"] = migrate::MomentText(s.FatRanOut->Date, s.FatRanOut->Time);
    j["text"] = migrate::FatRanOutLine(s);
    return j;
}

}  // namespace ornivo::api
