#pragma once
// What the three calculation calls share after their run: the output format (json, text, xlsx, csv),
// the shape of the JSON's tables (--tables), --out, --comment, --graph, and the hooks that the text,
// workbook, CSV and graph writers install.
#include <functional>
#include <optional>
#include <string>

#include "api/Calculations.h"
#include "api/RunDialogs.h"
#include "cli/Command.h"
#include "api/Json.h"
#include "state/ProgramState.h"

namespace ornivo::cli {

// The run's own options (RunOptions) and those of the call's output.
struct CalcOptions : RunOptions {
    std::string calculation;  // "power-curve", "glide-polar", "migrate"
    std::string birdPath;
    std::string format = "json";
    bool tidy = false;                 // --tables tidy: the JSON's tables as tidy tables
    std::optional<std::string> table;  // --table NAME: the tidy table --format csv prints
    std::optional<std::string> out, comment, graph;
    std::vector<std::string> extraValueFlags;  // call-specific flags with a value (--gps, ...)
};

// Parses the shared flags; `extra` lists the call's own flags that take a value.
CalcOptions ParseCalcOptions(const Args& args, const std::string& calculation,
                             const std::vector<std::string>& extra = {});
// Writers of the non-JSON formats and of the graph: fn(state, dialogs, options) -> exit code.
using OutputWriter = std::function<int(ProgramState&, RunDialogs&, const CalcOptions&)>;
// The writer of a format ("text", "xlsx", "csv") or of "graph" for a calculation; none when the call
// has no such output (a migration has no graph).
OutputWriter WriterFor(const std::string& calculation, const std::string& what);
OutputWriter TextFormatWriter(const std::string& calculation);  // TextFormat.cpp
OutputWriter XlsxFormatWriter(const std::string& calculation);  // XlsxFormat.cpp
OutputWriter GraphWriter(const std::string& calculation);       // GraphFormat.cpp
int WriteTidyCsv(ProgramState& s, RunDialogs& d, const CalcOptions& opt);  // TidyOutput.cpp
// The --graph path's form, checked when the options are read (UsageError).
void CheckGraphPath(const CalcOptions& opt);

// Prints the JSON (into --out when given; with --tables tidy, its tables as tidy tables) or runs the
// format's writer (JSON and CSV are refused when the run gave a value that is not finite), then the graph writer when
// --graph is given. A migration that ended on the abort screen writes no file but the JSON, prints
// the abort screen's lines on standard error and is a refusal.
int FinishCalc(ProgramState& s, RunDialogs& d, const CalcOptions& opt, const Json& out);

}  // namespace ornivo::cli
