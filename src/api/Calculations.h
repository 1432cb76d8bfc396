#pragma once
// The three calculations of a bird file, each run as a person would at the screens: the Enter Bird
// screen's fields, the calculation's button, the setup screen's edits, the compute button. A single
// ornivo-cli call, a batch row and a library call all run them through here.
#include <optional>
#include <string>

#include "api/Errors.h"
#include "api/FlapJson.h"
#include "api/Json.h"
#include "api/RunDialogs.h"
#include "state/ProgramState.h"

namespace ornivo::api {

enum class Calculation { PowerCurve, GlidePolar, Migrate };
// "power-curve", "glide-polar", "migrate".
const char* CalculationName(Calculation c);
std::optional<Calculation> CalculationNamed(const std::string& name);

// What a run is asked for beyond the bird file.
struct RunOptions {
    bool uncertainty = false;                    // the power uncertainty after a power curve
    std::optional<std::string> gps, sites, kml;  // a migration along a GPS track (files)
    bool progress = false;                       // the GPS run's progress workbook
    bool strict = false;                         // any message of an edit or the run makes it a refusal
    // false for batch rows, which show only the scalar results: the tables are left out of "results",
    // except one holding a value that is not finite, so the run is refused as the single call is.
    bool tables = true;
    bool inputs = true;  // false leaves "inputs" out (scalars of a batch)
};

// Output settings the writers read (output root, version, notices), set before a run.
void PrepareRunState(ProgramState& s);

// Runs the calculation for a bird file (its folder for relative paths); fills `out` with
// "calculation", "inputs", "results", "messages" and returns ExitOk or ExitRefused (a refusal, whose
// lines the dialogs hold). Throws UsageError for a bird file that cannot be read.
int RunCalculation(Calculation c, ProgramState& s, RunDialogs& d, const Json& bird, const std::string& folder,
                   const RunOptions& opt, Json& out);

// A run's "inputs" from its walks of the input values (api/FlapJson.h). A batch row that leaves them
// out (opt.inputs false) gets only its first value that is not finite, as null, so that it is
// refused as the single call is; else nothing.
template <class Each>
Json InputsJson(const RunOptions& opt, Each&& each) {
    Json j = Json::object();
    if (opt.inputs) {
        each([&](const char* name, const auto& v) { j[name] = InputJson(v); });
    } else if (std::string bad = FirstNonFinite(each); !bad.empty()) {
        j[bad] = nullptr;
    }
    return j;
}

// The refusal of a run whose inputs or results hold a value that is not finite ("" when none does).
std::string NoFiniteValueRefusal(const Json& out);

// The power uncertainty after a power curve (the bird file's "uncertainty" key or opt.uncertainty).
int RunUncertainty(ProgramState& s, RunDialogs& d, const Json& bird, const RunOptions& opt);

}  // namespace ornivo::api
