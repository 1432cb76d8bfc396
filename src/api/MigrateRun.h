#pragma once
// A migration of a bird file: programmed, or along a GPS track (the options' files, or the bird
// file's "gps" and "sites" keys, relative to its folder).
#include <string>

#include "api/Calculations.h"

namespace ornivo::api {

int RunMigrate(ProgramState& s, RunDialogs& d, const Json& bird, const std::string& folder, const RunOptions& opt,
               Json& out);

}  // namespace ornivo::api
