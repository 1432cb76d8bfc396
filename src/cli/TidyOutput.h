#pragma once
// The tidy tables of power-curve, glide-polar and migrate on the command line: --tables tidy puts
// them into the JSON's "results" in place of the program state's tables, as arrays of records, with
// their units under "units"; --table NAME --format csv prints one of them as CSV.
#include <string>
#include <vector>

#include "api/Json.h"
#include "api/Ornivo.h"
#include "cli/CalcOutput.h"
#include "state/ProgramState.h"

namespace ornivo::cli {

// The names of the tidy tables a call gives: "curve"; "polar", "crosscountry"; "rows" and, for a
// run along a track, "stops".
std::vector<std::string> TidyTableNames(const std::string& calculation, bool gpsRun);
// The tidy tables of a run that ended on its results.
std::vector<Table> TidyTablesOf(const std::string& calculation, const ProgramState& s);

// Checks --format csv and --table against the tables of the call (UsageError listing them).
void CheckTableChoice(const CalcOptions& opt, bool gpsRun);

// The call's JSON with its program-state tables replaced by the tidy tables: each where the first
// table it replaces stood in "results", and "units" after "results".
Json TidyJson(const Json& out, const std::vector<Table>& tables);
// One table as records: [{"Speed": 10.0, "EAS": 9.7, ...}, ...]; whole numbers as integers,
// a number without a value as null.
Json TableRecords(const Table& t);
// The columns' units: {"Speed": "m/s", "EffLDChem": "", ...}; "" for ratios, counts and texts.
Json TableUnits(const Table& t);
// One table as CSV: a header of the column names, then a line per row; numbers in their shortest
// text, a number without a value as an empty field, texts quoted when they need it.
std::string TableCsv(const Table& t);

// The tables of a call, their columns and units, for --help.
std::string TablesHelp(const std::string& calculation);

}  // namespace ornivo::cli
