#pragma once
// For tests of the bird tables' calls: the user's data folder (and so their bird database) in a
// temporary folder for the test's life, and a call's JSON output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "support/RunCli.h"
#include "support/TempDir.h"

namespace ornivo::test {

struct UserHome {
    TempDir dir;
    UserHome() { setenv("ORNIVO_DATA_HOME", dir.str().c_str(), 1); }
    ~UserHome() { unsetenv("ORNIVO_DATA_HOME"); }
};

// Runs ornivo-cli and parses what it printed; a failure of the call fails the test.
inline nlohmann::json RunJson(const std::vector<std::string>& args, const std::string& in = {}) {
    RunResult r = RunCli(args, in, 120);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.exitCode == 0 ? nlohmann::json::parse(r.out) : nlohmann::json();
}

}  // namespace ornivo::test
