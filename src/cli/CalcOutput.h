#pragma once
// What the three calculation calls share after their run: the output format (json, text, xlsx),
// --out, --comment, --graph, and the hooks that the text, workbook and graph writers install.
#include <functional>
#include <optional>
#include <string>

#include "cli/CliDialogs.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "state/ProgramState.h"

namespace ornivo::cli {

struct CalcOptions {
    std::string calculation;  // "power-curve", "glide-polar", "migrate"
    std::string birdPath;
    std::string format = "json";
    std::optional<std::string> out, comment, graph;
    bool uncertainty = false;
    std::optional<std::string> gps, sites, kml;  // a migration along a GPS track
    bool progress = false;
    bool strict = false;  // any message of an edit or the run makes the call a refusal
    // false for batch rows, which show only the scalar results: the tables are left out of "results",
    // except one holding a value that is not finite, so the run is refused as the single call is.
    bool tables = true;
    std::vector<std::string> extraValueFlags;  // call-specific flags with a value (--gps, ...)
};

// Parses the shared flags; `extra` lists the call's own flags that take a value.
CalcOptions ParseCalcOptions(const Args& args, const std::string& calculation,
                             const std::vector<std::string>& extra = {});
// Output settings the writers read (output root, version, notices) before the run.
void PrepareOutputState(ProgramState& s, const CalcOptions& opt);

// Writers of the non-JSON formats and the graph, installed by their modules:
// fn(state, dialogs, options) -> exit code. Key: calculation + "/" + format (e.g. "power-curve/text")
// or calculation + "/graph".
using OutputWriter = std::function<int(ProgramState&, CliDialogs&, const CalcOptions&)>;
bool RegisterOutputWriter(const std::string& key, OutputWriter w);
// A check of a writer's options, run when the options are read, before anything runs or is written
// (same keys as the writers); it throws UsageError.
using OptionCheck = std::function<void(const CalcOptions&)>;
bool RegisterOptionCheck(const std::string& key, OptionCheck check);

// The power uncertainty after the curve (bird file's "uncertainty" key or --uncertainty).
using UncertaintyFn = std::function<int(ProgramState&, CliDialogs&, const Json& bird, const CalcOptions&)>;
void SetUncertaintyHook(UncertaintyFn fn);
const UncertaintyFn& UncertaintyHook();

// The refusal of a run whose inputs or results hold a value that is not finite ("" when none does).
std::string NoFiniteValueRefusal(const Json& out);

// Prints the JSON (into --out when given) or runs the format's writer, then the graph writer when
// --graph is given. A migration that ended on the abort screen writes no file but the JSON, prints
// the abort screen's lines on standard error and is a refusal.
int FinishCalc(ProgramState& s, CliDialogs& d, const CalcOptions& opt, const Json& out);

}  // namespace ornivo::cli
