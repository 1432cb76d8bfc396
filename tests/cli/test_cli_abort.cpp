// A migration that ends on the abort screen (a bird that cannot climb) is a refusal of the call: exit
// 2 with the screen's lines on standard error, the JSON still printed, and no output file written.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/RunCli.h"
#include "support/TempDir.h"

using Json = nlohmann::json;

namespace {

const char* kCannotClimb = R"({"SpName": "Heavy", "EmptyMass": 2, "Span": 0.35, "WingArea": 0.02, "Altitude": 0,
                               "edits": [["txtFatFrac", 0.3]]})";

const char* kAbortLines =
    "Abort Migration\n"
    "Migration aborted\n"
    "Bird cannot climb with these settings\n"
    "  Possible remedies:\n"
    "Reduce body mass          Reduce fat fraction      Increase flight muscle fraction   Reduce starting altitude\n";

}  // namespace

TEST(CliAbort, ABirdThatCannotClimbIsARefusalWithTheAbortScreensLines)
{
    RunResult r = RunCli({"migrate", "-"}, kCannotClimb, 120);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, kAbortLines);
    const Json j = Json::parse(r.out);
    EXPECT_TRUE(j["aborted"].get<bool>());
    std::string lines;
    for (const auto& l : j["abort"]) lines += l.get<std::string>() + "\n";
    EXPECT_EQ(lines, kAbortLines);
    EXPECT_TRUE(j["results"]["aborted"].get<bool>());
    EXPECT_FALSE(j["results"].contains("TravelTable"));
}

TEST(CliAbort, NoTextFileOrWorkbookOfARunThatDidNotHappen)
{
    ornivo::test::TempDir dir;
    for (const char* format : {"text", "xlsx"}) {
        const std::string path = dir.str() + "/run." + format;
        RunResult r = RunCli({"migrate", "-", "--format", format, "--out", path}, kCannotClimb, 120);
        EXPECT_EQ(r.exitCode, 2) << format;
        EXPECT_EQ(r.err, kAbortLines) << format;
        EXPECT_EQ(r.out, "") << format;
        EXPECT_FALSE(std::filesystem::exists(path)) << format;
    }
    // The JSON goes into --out as it would to standard output.
    const std::string path = dir.str() + "/run.json";
    RunResult r = RunCli({"migrate", "-", "--out", path}, kCannotClimb, 120);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Json::parse(ornivo::test::ReadFile(path))["aborted"].get<bool>());
}
