#pragma once
// The three calculations as functions of a bird file: one run on its own state, its JSON built but not
// printed, so that a single call and a batch row come from the same code.
#include <functional>
#include <string>
#include <vector>

#include "cli/CalcOutput.h"
#include "cli/CliDialogs.h"
#include "cli/Json.h"
#include "state/ProgramState.h"

namespace ornivo::cli {

// Runs the calculation for a bird file (its folder for relative paths); fills `out` with
// "calculation", "inputs", "results", "messages" and returns the exit code (2 a refusal).
using CalcRunFn = std::function<int(ProgramState& s, CliDialogs& d, const Json& bird, const std::string& folder,
                                    const CalcOptions& opt, Json& out)>;
bool RegisterCalcRunner(const std::string& calculation, CalcRunFn fn);
const CalcRunFn* FindCalcRunner(const std::string& calculation);

// A single call: reads the bird file of the options, runs, prints the JSON or writes the chosen format.
int RunCalcCommand(const std::string& calculation, const std::vector<std::string>& args,
                   const std::vector<std::string>& extraValueFlags = {});

}  // namespace ornivo::cli
