// ornivo-cli migrate, goal-distance and stopover-mass end to end.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/RunCli.h"

using nlohmann::json;

namespace {
const char* Bird = R"({"SpName": "Test bird", "ShortName": "Tb", "EmptyMass": 0.5, "Span": 0.8,
  "WingArea": 0.08, "Altitude": 0, "edits": [["txtFatFrac", 0.3], ["txtGoalDist", 800],
  ["frmSetDefaultsMigr.txtProtFracTarget", 5], ["txtVratio", 0.5]]})";
}

TEST(CliMigrate, PrintsTotalsTablesAndMessages) {
    RunResult r = RunCli({"migrate", "-"}, Bird);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json j = json::parse(r.out);
    EXPECT_EQ(j["calculation"], "migrate");
    const json& res = j["results"];
    EXPECT_EQ(res["MaxRow"], 100);
    EXPECT_EQ(res["TravelTable"].size(), 101u);
    EXPECT_EQ(res["TravelTable"][0].size(), 12u);
    EXPECT_EQ(res["StateLog"][0].size(), 28u);
    EXPECT_EQ(res["EndStates"].size(), 28u);
    EXPECT_TRUE(res["Arrived"].get<bool>());
    EXPECT_GE(res["EndStates"][1][0].get<double>(), 800);
    for (const char* k : {"RowsWritten", "ClimbFlag", "ClimbAborted", "ClimbTime", "ClimbDist", "InitialVclimb",
                          "FinalVclimb", "FinalGlideDist", "FinalGlideTime", "StartAltitude", "CruiseAlt",
                          "StartDensity", "CruiseDensity", "Vmp", "Vmr", "VmrRatio"})
        EXPECT_TRUE(res.contains(k)) << k;
    EXPECT_FLOAT_EQ(j["inputs"]["ProtFracTarget"].get<float>(), 0.05f);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0], "Starting air speed must be between 1 and 3 times Vmp");
    EXPECT_NE(r.err.find("warning: Starting air speed"), std::string::npos);
}

TEST(CliMigrate, BirdThatCannotClimbIsReportedAsAborted) {
    RunResult r = RunCli({"migrate", "-"}, R"({"SpName": "Heavy", "EmptyMass": 2, "Span": 0.35,
      "WingArea": 0.02, "Altitude": 0, "edits": [["txtFatFrac", 0.3]]})");
    ASSERT_EQ(r.exitCode, 2) << r.err;  // the abort is a refusal; the JSON is still printed
    json res = json::parse(r.out)["results"];
    EXPECT_TRUE(res["aborted"].get<bool>());
    EXPECT_EQ(res["abortTitle"], "Abort Migration");
    EXPECT_EQ(res["abortTexts"][0], "Migration aborted");
    EXPECT_FALSE(res.contains("TravelTable"));
}

TEST(CliMigrate, RefusalsAndUnknownControls) {
    RunResult r = RunCli({"migrate", "-"}, R"({"SpName": "Lean", "EmptyMass": 0.5, "Span": 0.8, "WingArea": 0.08,
      "Altitude": 0})");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("You need some fat before migrating"), std::string::npos);
    r = RunCli({"migrate", "-"}, R"({"SpName": "X", "EmptyMass": 0.5, "Span": 0.8, "WingArea": 0.08,
      "Altitude": 0, "edits": [["frmSetDefaultsMigr.txtNoSuch", 1]]})");
    EXPECT_EQ(r.exitCode, 1);
    r = RunCli({"migrate", "-"}, R"({"SpName": "X", "EmptyMass": 0.5, "Span": 0.8, "WingArea": 0.08,
      "Altitude": 0, "edits": [["txtFatFrac", 0.2], ["frmSetDefaultsMigr.txtOutputInt", 0]]})");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("output interval"), std::string::npos);
}

TEST(CliGoalDistance, SignedDegreesNorthAndEastPositive) {
    RunResult r = RunCli({"goal-distance", "--from", "0,0", "--to", "0,-90"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json j = json::parse(r.out);
    EXPECT_EQ(j["txtGoalDist"], "10001");
    r = RunCli({"goal-distance", "--from", "52.5,4", "--to", "-52.5,4"});
    EXPECT_EQ(json::parse(r.out)["txtDistance"], "11668");
    EXPECT_EQ(json::parse(r.out)["hemispheres"]["txtLongEW1"], "East");
    EXPECT_EQ(RunCli({"goal-distance", "--from", "0"}).exitCode, 1);
}

TEST(CliStopoverMass, ComputesTheMoveOnState) {
    RunResult r = RunCli({"stopover-mass", "--begin", "26-Apr-2008 08:30", "--move-on", "27-Apr-2008 08:10",
                          "--mass", "0.02", "--fat", "0.002", "--taxon", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json j = json::parse(r.out);
    EXPECT_EQ(j["Hours"], 24);
    EXPECT_GT(j["MassMoveOn"].get<double>(), 0.02);
    EXPECT_EQ(j["shown"]["txtFatFracBegin"], "0.100");
    r = RunCli({"stopover-mass", "--begin", "26-Apr-2008 08:30", "--move-on", "never 08:10", "--mass", "0.02",
                "--fat", "0.002"});
    EXPECT_EQ(r.exitCode, 2);
}
