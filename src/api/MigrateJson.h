#pragma once
// The JSON of a migration run: the settings it read and every total, table and record it leaves.
#include "api/FlapJson.h"
#include "api/Json.h"
#include "state/ProgramState.h"

namespace ornivo::api {

// The settings a migration read, as the walks of api/FlapJson.h.
template <class Fn>
void EachMigrationSetting(const ProgramState& s, Fn&& fn) {
    fn("Vratio", static_cast<float>(s.Migration.Vratio));
    fn("VratioGPS", static_cast<float>(s.Migration.VratioGPS));
    fn("SpeedControl", static_cast<int>(s.Migration.SpeedControl));
    fn("MuscleControl", static_cast<int>(s.Migration.MuscleControl));
    fn("MitoControl", static_cast<int>(s.Migration.MitoControl));
    fn("VclimbThreshold", static_cast<double>(s.Migration.VclimbThreshold));
    fn("OutputInterval", static_cast<float>(s.Migration.OutputInterval));
    fn("TimeStep", static_cast<float>(s.Migration.TimeStep));
    fn("MaxSpecificWork", static_cast<float>(s.Flap.MaxSpecificWork));
    fn("GpsMode", s.Migration.GpsMode);
    fn("ProjectedMode", s.Migration.ProjectedMode);
}
Json MigrationResultsJson(const ProgramState& s, bool tables = true);  // totals, speeds, tables and records
Json MigrationTableJson(const MigrationTable& t, int lastRow);  // rows 0..lastRow
Json GpsStopsJson(const ProgramState& s);   // a record per stop of a GPS run, with its own note
Json FatRanOutJson(const ProgramState& s);  // where the fat ran out on the track ({} when it did not)

}  // namespace ornivo::api
