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
    const MigrationState& m = s.Migration.Mig;
    Json j;
    j["RowsWritten"] = s.Migration.RowsWritten;
    j["Arrived"] = s.Migration.Arrived;
    j["ClimbFlag"] = s.Migration.ClimbFlag;
    j["ClimbAborted"] = s.Migration.ClimbAborted;
#define F(name) j[#name] = Single(s.Migration.name)
    F(ClimbTime); F(ClimbDist); F(InitialVclimb); F(FinalVclimb); F(FinalGlideDist); F(FinalGlideTime);
    F(StartAltitude); F(CruiseAlt); F(StartDensity); F(CruiseDensity); F(CruiseKinViscosity); F(Distance);
    F(MetabolicSink); F(MitoFracStart);
#undef F
    // The fuel and the air, constants of the state.
#define S(name) j[#name] = Single(s.name)
    S(FatEnergyHeight); S(FuelEnergyHeight); S(Altitude); S(AirDensity);
#undef S
    // The speeds and times of the flight's state.
#define M(name) j[#name] = Single(m.name)
    M(Vmp); M(Vmr); M(VmrRatio); M(Speed); M(StartSpeed); M(HoursFlown);
#undef M
    j["ElapsedSec"] = m.ElapsedSec;
    j["ClimbSeconds"] = m.ClimbSeconds;
    j["MaxRow"] = s.Migration.MaxRow;
    j["RowsExhausted"] = s.Migration.RowsExhausted;
    // Every row written: a GPS run grows its tables past MaxRow.
    const int last = std::max<int>(s.Migration.MaxRow, s.Migration.RowsWritten);
    // The row tables hold rows 0..MaxRow; without tables, one is shown only when it holds a bad value.
    auto rowsShown = [&](const auto& rows) {
        return tables || (last >= 0 && !RowsFinite(rows, static_cast<std::size_t>(last)));
    };
    if (rowsShown(s.Migration.StateLog)) {
        Json log = Json::array();
        for (int r = 0; r <= last && r < static_cast<int>(s.Migration.StateLog.size()); ++r) {
            Json row = Json::array();
            for (float v : s.Migration.StateLog[r]) row.push_back(Single(v));
            log.push_back(row);
        }
        j["StateLog"] = log;
    }
    if (tables || !RowsFinite(s.Migration.EndStates)) {
        // EndStates by quantity (rows 0..27), one column per record (0 arrival, 1 out of fuel).
        Json ends = Json::array();
        for (int i = 0; i < RecordSize; ++i)
            ends.push_back(Json::array({Single(s.Migration.EndStates[0][i]), Single(s.Migration.EndStates[1][i])}));
        j["EndStates"] = ends;
    }
    if (rowsShown(s.Migration.TravelTable)) j["TravelTable"] = MigrationTableJson(s.Migration.TravelTable, last);
    if (rowsShown(s.Migration.PowerTable)) j["PowerTable"] = MigrationTableJson(s.Migration.PowerTable, last);
    if (rowsShown(s.Migration.FuelTable)) j["FuelTable"] = MigrationTableJson(s.Migration.FuelTable, last);
    if (rowsShown(s.Migration.GpsTable)) j["GpsTable"] = MigrationTableJson(s.Migration.GpsTable, last);
    return j;
}

Json GpsStopsJson(const ProgramState& s) {
    Json stops = Json::array();
    for (const GpsStop& stop : s.Gps.Stops) {
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
    if (!s.Gps.FatRanOut) return Json::object();
    Json j;
    j["point"] = s.Gps.FatRanOut->Point;
    j["moment"] = migrate::MomentText(s.Gps.FatRanOut->Date, s.Gps.FatRanOut->Time);
    j["text"] = migrate::FatRanOutLine(s.Gps);
    return j;
}

}  // namespace ornivo::api
