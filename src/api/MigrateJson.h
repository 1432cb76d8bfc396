#pragma once
// The JSON of a migration run: the settings it read and every total, table and record it leaves.
#include "api/Json.h"
#include "state/ProgramState.h"

namespace ornivo::api {

Json MigrationSettingsJson(const ProgramState& s);  // the run's settings by name
Json MigrationResultsJson(const ProgramState& s, bool tables = true);  // totals, speeds, tables and records
Json MigrationTableJson(const MigrationTable& t, int lastRow);  // rows 0..lastRow
Json GpsStopsJson(const ProgramState& s);   // a record per stop of a GPS run, with its own note
Json FatRanOutJson(const ProgramState& s);  // where the fat ran out on the track ({} when it did not)

}  // namespace ornivo::api
