// ornivo-cli track import: the summary, the files it writes, and its exit codes.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/RunCli.h"
#include "support/TempDir.h"
#include "TrackFixtures.h"

using ornivo::test::ReadFile;
using ornivo::test::TempDir;

namespace {

const std::string kFixes = "Alb02_WhiteStork2859_2016-05-02to04_Movebank.csv";

}  // namespace

TEST(CliTrack, ImportsTheLegPrintsTheSummaryAndWritesBothFiles) {
    TempDir dir;
    const auto fixes = dir.copyTrack(kFixes);
    const auto xlsx = (dir.path() / "Alb02 track.xlsx").string(), csv = (dir.path() / "Alb02 track.csv").string();
    auto r = RunCli({"track", "import", fixes, "--out", xlsx, "--csv", csv, "--end", "2016-05-04 15:00"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* line : {"Fixes read: 560\n", "Skipped: 0 (", "Kept: 143 (", "Track points: 67\n", "Stops: 3\n",
                             "Empty rows: 7\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    EXPECT_TRUE(std::filesystem::exists(xlsx));
    const auto expected = ReadFile(dir.copyTrack(
        "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed.csv"));
    const auto ours = ReadFile(csv);
    // Same rows after the heading line, character for character.
    EXPECT_EQ(ours.substr(ours.find("\r\n")), expected.substr(expected.find("\r\n")));
}

TEST(CliTrack, OptionsChangeTheRules) {
    TempDir dir;
    const auto fixes = dir.copyTrack(kFixes);
    const auto out = (dir.path() / "t.xlsx").string();
    auto r = RunCli({"track", "import", fixes, "--out", out, "--end", "2016-05-04 15:00", "--stop-fixes", "2",
                     "--grid", "20", "--empty-row-hours", "3,8", "--wind-from", "270", "--wind-speed", "4"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Stops: 4\n"), std::string::npos) << r.out;  // 3 May 10:40 and 11:01 become a stop
}

TEST(CliTrack, RefusalsExitTwoWithTheMessage) {
    TempDir dir;
    const auto fixes = dir.copyTrack(kFixes);
    const auto out = (dir.path() / "t.xlsx").string();
    // With both speed limits at 0 no fix is on the ground, and the night gap of 6 hours has its ends in flight.
    auto r = RunCli({"track", "import", fixes, "--out", out, "--ground-speed", "0", "--ground-tag-max", "0"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("longer than the stop gap of 2 hours"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    std::vector<ornivo::test::Fix> two = {{.time = "2016-05-02 04:00:00", .animal = "A", .event = 1},
                                          {.time = "2016-05-02 04:20:00", .lon = 0.1, .animal = "A", .event = 1},
                                          {.time = "2016-05-02 04:00:00", .animal = "B", .event = 2},
                                          {.time = "2016-05-02 04:20:00", .lon = 0.1, .animal = "B", .event = 2}};
    const auto both = dir.write("both.csv", ornivo::test::MovebankCsv(two));
    r = RunCli({"track", "import", both, "--out", out});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "The file holds the fixes of 2 animals; choose one with --animal:\n  A (2 rows)\n  B (2 rows)\n");
    r = RunCli({"track", "import", both, "--out", out, "--animal", "B"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

TEST(CliTrack, BadCallsExitOne) {
    TempDir dir;
    const auto fixes = dir.copyTrack(kFixes);
    const auto out = (dir.path() / "t.xlsx").string();
    EXPECT_EQ(RunCli({"track", "import", fixes}).exitCode, 1);  // no --out
    EXPECT_EQ(RunCli({"track", "import", fixes, "--out", out, "--stop-fixes", "2.5"}).exitCode, 1);
    EXPECT_EQ(RunCli({"track", "import", fixes, "--out", out, "--wind-from", "90"}).exitCode, 1);
    EXPECT_EQ(RunCli({"track", "import", fixes, "--out", out, "--end", "tomorrow"}).exitCode, 1);
    EXPECT_EQ(RunCli({"track", "import", fixes, "--out", out, "--gird", "10"}).exitCode, 1);
    auto r = RunCli({"track", "import", (dir.path() / "none.csv").string(), "--out", out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot be opened"), std::string::npos);
    EXPECT_EQ(RunCli({"track", "export"}).exitCode, 1);
}
