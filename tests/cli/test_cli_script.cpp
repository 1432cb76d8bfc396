// ornivo-cli as a script drives it: --out for JSON, --help of every call, misspelt keys and columns,
// options checked before anything runs, dialog captions that are no messages, and --strict.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/RunCli.h"
#include "support/TempDir.h"

using ornivo::test::TempDir;
using Json = nlohmann::json;

namespace {

const char* kMallard = R"({"SpName": "Anas platyrhynchos", "ShortName": "Mallard", "EmptyMass": 1.0, "Span": 0.9,
                          "WingArea": 0.1, "Altitude": 0, "edits": [["txtFatFrac", 0.1]]})";

// A migration whose edit shows a message ("Starting air speed must be between 1 and 3 times Vmp").
const char* kSlowStart = R"({"SpName": "Test bird", "ShortName": "Tb", "EmptyMass": 0.5, "Span": 0.8,
  "WingArea": 0.08, "Altitude": 0, "edits": [["txtFatFrac", 0.3], ["txtGoalDist", 800], ["txtVratio", 0.5]]})";

// Four fixes of a test track (22 fields each, as the track workbook's sheet).
const char* kTrack =
    "Date,Time,Latitude,Longitude,Point no.,Fix type,Altitude (m),Tag ground speed (m/s),Tag heading (deg),Date,"
    "Altitude ASL (m),Air density ratio,Ground distance (km),Duration (s),Source rows,Rate of climb (m/s),"
    "Track (deg),Ground speed (m/s),Wind from (deg),Wind speed (m/s),Air heading (deg),Air speed (m/s)\n"
    "2017-03-06,06:21:31,28.317442,-4.606159,1,3,596,17.05,300.71,2017-03-06,596.1,0.943980,14.789796,1291,5,"
    "0.1163,249.00,11.438,339.00,2.4,249.00,11.687\n"
    "2017-03-06,06:56:19,28.153383,-5.064558,2,3,715,18.61,99.04,2017-03-06,715.3,0.933074,48.457321,2088,3,"
    "0.0715,248.00,23.196,158.00,6.1,248.00,23.985\n"
    "2017-03-06,07:37:54,28.150187,-5.081607,3,3,671,9.09,354.60,2017-03-06,671.3,0.937092,1.730953,2495,3,"
    "0.1114,258.00,0.684,168.00,2.2,258.00,2.304\n"
    "2017-03-06,08:27:31,28.134117,-5.338331,4,3,606,1.73,18.10,2017-03-06,606.0,0.943069,25.239357,2977,2,"
    "0.0934,266.00,8.470,356.00,3.9,266.00,9.325\n";

const char* kStork = R"({"SpName": "Ciconia ciconia", "ShortName": "White Stork", "EmptyMass": 2.493,
  "Span": 1.977, "WingArea": 0.4053, "AirDensity": 1.171437, "TaxonGroup": 2, "Age": 2,
  "edits": [["txtFatFrac", 0.354], ["txtVratio", 1.0]], "gps": "track.csv"})";

}  // namespace

TEST(CliScript, OutWritesTheJsonThatWouldBePrinted)
{
    TempDir dir;
    const std::string path = dir.str() + "/glide.json";
    RunResult printed = RunCli({"glide-polar", "-"}, kMallard, 120);
    RunResult written = RunCli({"glide-polar", "-", "--out", path}, kMallard, 120);
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(ornivo::test::ReadFile(path), printed.out);
}

TEST(CliScript, EveryCallPrintsItsHelp)
{
    for (const char* calc : {"power-curve", "glide-polar", "migrate"}) {
        RunResult r = RunCli({calc, "--help"}, {}, 60);
        ASSERT_EQ(r.exitCode, 0) << calc;
        for (const char* part : {"EmptyMass", "AspectRatio", "Preset", "edits", "frmSetDefaultsMigr.txtEfat",
                                 "--format", "--out", "--strict", "Exit status", "closest known key"})
            EXPECT_NE(r.out.find(part), std::string::npos) << calc << " --help lacks " << part;
    }
    EXPECT_NE(RunCli({"migrate", "--help"}, {}, 60).out.find("\"aborted\": true"), std::string::npos);
    EXPECT_NE(RunCli({"power-curve", "--help"}, {}, 60).out.find("--uncertainty"), std::string::npos);
    // Help asked for after a sub-call, or after other arguments.
    const std::vector<std::pair<std::vector<std::string>, std::string>> calls = {
        {{"track", "import", "--help"}, "--stop-gap-hours"},
        {{"batch", "migrate", "--help"}, "Result columns"},
        {{"birds", "list", "--help"}, "Number"},
        {{"power-curve", "bird.json", "--format", "text", "--help"}, "Exit status"},
    };
    for (const auto& [args, part] : calls) {
        RunResult r = RunCli(args, {}, 60);
        EXPECT_EQ(r.exitCode, 0) << args[0] << " " << args[1] << ": " << r.err;
        EXPECT_NE(r.out.find(part), std::string::npos) << args[0] << " " << args[1];
    }
}

TEST(CliScript, AMisspeltKeyOrColumnIsAnErrorNamingTheClosestKey)
{
    RunResult r = RunCli({"power-curve", "-"},
                         R"({"SpName": "X", "EmptyMas": 1.0, "EmptyMass": 1.0, "Span": 0.9, "WingArea": 0.1, "Altitude": 0})",
                         60);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("\"EmptyMas\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("closest known key is \"EmptyMass\""), std::string::npos) << r.err;

    TempDir dir;
    const std::string csv = dir.write("birds.csv", "SpName,ShortName,EmptyMas,Span,WingArea,Altitude\n"
                                                   "Anas platyrhynchos,Mallard,1.0,0.9,0.1,0\n");
    r = RunCli({"batch", "power-curve", csv}, {}, 60);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("\"EmptyMas\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\"EmptyMass\""), std::string::npos) << r.err;
    EXPECT_EQ(RunCli({"batch", "power-curve", csv, "--outt", "x.csv"}, {}, 60).exitCode, 1);
}

TEST(CliScript, OptionsAreCheckedBeforeAnythingRunsOrIsWritten)
{
    TempDir dir;
    const std::string book = dir.str() + "/run.xlsx";
    RunResult r = RunCli({"power-curve", "-", "--format", "xlsx", "--out", book, "--graph", dir.str() + "/g.jpg"},
                         kMallard, 120);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(".png, .svg or .pdf"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(book));
    r = RunCli({"glide-polar", "-", "--graph", dir.str() + "/g.jpg"}, kMallard, 120);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "") << "no results before the refusal of the option";
    r = RunCli({"migrate", "-", "--graph", dir.str() + "/g.png"}, kSlowStart, 120);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--graph is not available for migrate"), std::string::npos) << r.err;
    for (const char* calc : {"glide-polar", "migrate"}) {
        r = RunCli({calc, "-", "--uncertainty"}, kSlowStart, 120);
        EXPECT_EQ(r.exitCode, 1) << calc;
        EXPECT_EQ(r.out, "") << calc;
    }
    EXPECT_EQ(RunCli({"power-curve", "-", "--progress"}, kMallard, 60).exitCode, 1);
}

TEST(CliScript, TheCaptionOfTheTrackDialogIsNoMessage)
{
    TempDir dir;
    dir.write("track.csv", kTrack);
    const std::string bird = dir.write("stork.json", kStork);
    RunResult r = RunCli({"migrate", bird}, {}, 120);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.find("Load Excel file"), std::string::npos) << r.err;
    const Json j = Json::parse(r.out);
    EXPECT_EQ(j["results"]["PointCount"], 4);
    for (const auto& m : j["messages"]) EXPECT_EQ(m.get<std::string>().find("Load Excel file"), std::string::npos);
    // Nothing else to say about this run, so --strict lets it through.
    EXPECT_EQ(RunCli({"migrate", bird, "--strict"}, {}, 120).exitCode, 0);
}

TEST(CliScript, StrictMakesAnyMessageARefusal)
{
    RunResult lax = RunCli({"migrate", "-"}, kSlowStart, 120);
    ASSERT_EQ(lax.exitCode, 0) << lax.err;
    EXPECT_NE(lax.err.find("warning: Starting air speed must be between 1 and 3 times Vmp"), std::string::npos);

    RunResult strict = RunCli({"migrate", "-", "--strict"}, kSlowStart, 120);
    EXPECT_EQ(strict.exitCode, 2);
    EXPECT_EQ(strict.out, "");
    EXPECT_EQ(strict.err, "Starting air speed must be between 1 and 3 times Vmp\n");
    EXPECT_EQ(RunCli({"migrate", "-", "--strict"}, R"({"SpName": "Test bird", "EmptyMass": 0.5, "Span": 0.8,
        "WingArea": 0.08, "Altitude": 0, "edits": [["txtFatFrac", 0.3], ["txtGoalDist", 800]]})", 120).exitCode, 0);

    // In a batch, the row's status.
    TempDir dir;
    const std::string csv = dir.write("birds.csv", "SpName,EmptyMass,Span,WingArea,Altitude,txtFatFrac,txtVratio\n"
                                                   "Slow,0.5,0.8,0.08,0,0.3,0.5\n"
                                                   "Plain,0.5,0.8,0.08,0,0.3,\n");
    RunResult batch = RunCli({"batch", "migrate", csv, "--strict", "-j", "1"}, {}, 120);
    EXPECT_EQ(batch.exitCode, 2);
    EXPECT_NE(batch.out.find(",Starting air speed must be between 1 and 3 times Vmp\n"), std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find(",ok\n"), std::string::npos) << batch.out;
}
