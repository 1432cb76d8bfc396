#pragma once
// The JSON of a migration run: the settings it read and every total, table and record it leaves.
#include "cli/Json.h"
#include "state/ProgramState.h"

namespace ornivo::cli {

Json MigrationSettingsJson(const ProgramState& s);  // the run's settings by name
Json MigrationResultsJson(const ProgramState& s, bool tables = true);  // totals, speeds, tables and records
Json MigrationTableJson(const MigrationTable& t, int lastRow);  // rows 0..lastRow

}  // namespace ornivo::cli
