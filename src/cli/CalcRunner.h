#pragma once
// A single calculation call: reads the bird file of the options, runs it through the run machinery
// and prints the JSON or writes the chosen format.
#include <string>
#include <vector>

namespace ornivo::cli {

int RunCalcCommand(const std::string& calculation, const std::vector<std::string>& args,
                   const std::vector<std::string>& extraValueFlags = {});

}  // namespace ornivo::cli
