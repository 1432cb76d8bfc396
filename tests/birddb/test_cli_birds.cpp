// ornivo-cli birds and wings calls, and the bird file's "Preset" and "User" keys, on the shipped
// databases with the user's data folder in a temporary folder.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/RunCli.h"
#include "support/TempDir.h"
#include "support/UserHome.h"

using ornivo::test::TempDir;
using ornivo::test::RunJson;
using ornivo::test::UserHome;
using Json = nlohmann::json;

TEST(CliBirds, ListsAndShowsPresetBirds) {
    UserHome home;
    Json list = RunJson({"birds", "list"});
    EXPECT_EQ(list["table"], "Preset Birds");
    EXPECT_EQ(list["count"], 144);
    Json show = RunJson({"birds", "show", "Mallard"});
    EXPECT_EQ(show["state"]["SpName"], "Anas platyrhynchos");
    EXPECT_EQ(show["state"]["AirDensity"], 1.225);
    EXPECT_EQ(show["enterBird"]["txtShortName"], "Mallard");
    // By scientific name too.
    EXPECT_EQ(RunJson({"birds", "show", "Anas platyrhynchos"})["state"]["ShortName"], "Mallard");
    RunResult missing = RunCli({"birds", "show", "Dodo"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no preset bird named \"Dodo\""), std::string::npos) << missing.err;
}

TEST(CliBirds, TheSanderlingAloneIsNotBackedUpAndABackupRestores) {
    UserHome home;
    const std::string file = (home.dir.path() / "b.txt").string();
    RunResult r = RunCli({"birds", "backup", file});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "The only entry in your User Birds database is the Sanderling\n"
              "that came with the program. You don't need to back this up.\n"
              "Use Backup to preserve data that you have entered.\n");
    const std::string in = home.dir.write("in.txt", "Swift\nApus apus\nmine\n0.037\n0.45\n0.0153\n1.225\n0\n0\n2\n1\n1\n");
    Json restored = RunJson({"birds", "restore", in});
    EXPECT_EQ(restored["added"], 1);
    EXPECT_EQ(restored["records"], 2);
    EXPECT_EQ(RunJson({"birds", "list", "--user"})["count"], 2);
    Json backup = RunJson({"birds", "backup", file});
    EXPECT_EQ(backup["records"], 2);
    EXPECT_EQ(RunJson({"birds", "restore", file})["records"], 4);
}

TEST(CliBirds, PresetAndUserKeysEnterTheBirdForACalculation) {
    UserHome home;
    Json preset = RunJson({"power-curve", "-"}, R"({"Preset": "Mallard"})");
    EXPECT_FLOAT_EQ(preset["inputs"]["EmptyMass"].get<float>(), 1.082f);
    EXPECT_GT(preset["results"]["Vmp"].get<double>(), 5);
    Json user = RunJson({"power-curve", "-"}, R"({"User": "Sanderling"})");
    EXPECT_FLOAT_EQ(user["inputs"]["EmptyMass"].get<float>(), 0.05f);
    RunResult unknown = RunCli({"power-curve", "-"}, R"({"User": "Mallard"})");
    EXPECT_EQ(unknown.exitCode, 1);
}

TEST(CliWings, SearchesAGenusAndAcceptsTheMeans) {
    UserHome home;
    Json w = RunJson({"wings", "search", "anas", "platyrhynchos"});
    EXPECT_EQ(w["Genus"], "Anas");
    EXPECT_EQ(w["Family"], "Anatidae");
    EXPECT_GT(w["found"].get<int>(), 1);
    EXPECT_EQ(w["category"], 9);
    EXPECT_TRUE(w["accepted"].get<bool>());
    EXPECT_EQ(w["state"]["AirDensity"], 0.0);  // a fresh program holds no air yet; the search adds none
    EXPECT_EQ(w["state"]["ShortName"], "Anas platyrhynchos");
    EXPECT_EQ(w["state"]["SpName"], "Anas platyrhynchos");
    RunResult refused = RunCli({"wings", "search", "a", "b"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err, "Check spelling of Genus\n");
}
