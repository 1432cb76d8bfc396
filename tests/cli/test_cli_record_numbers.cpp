// Record numbers of the bird tables: every record can be computed, also where several records share
// a name (the preset table has two Eurasian Wigeons: 0.783 kg lean, and 0.715 kg with a fat load).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "birddb/BirdNumbers.h"
#include "support/RunCli.h"
#include "support/TempDir.h"
#include "support/UserHome.h"

using ornivo::test::TempDir;
using ornivo::test::RunJson;
using ornivo::test::UserHome;
using Json = nlohmann::json;

namespace {

// The numbers of the records listed with that short name.
std::vector<int> numbersOf(const Json& list, const std::string& shortName) {
    std::vector<int> n;
    for (const auto& b : list["birds"])
        if (b["ShortName"] == shortName) n.push_back(b["Number"].get<int>());
    return n;
}

}  // namespace

TEST(CliRecordNumbers, ANumberIsTheRecordsRowInTheShippedTable)
{
    UserHome home;
    const Json list = RunJson({"birds", "list", "--preset"});
    // The shipped table's rows, by the first two fields of each data line.
    std::ifstream csv(std::string(ORNIVO_SOURCE_DIR) + "/data/birds/preset_birds.csv");
    std::string line;
    std::getline(csv, line);
    std::vector<std::string> rows;
    while (std::getline(csv, line)) rows.push_back(line.substr(0, line.find(',', line.find(',') + 1)));
    ASSERT_EQ(list["birds"].size(), rows.size());
    for (const auto& b : list["birds"]) {
        const int n = b["Number"].get<int>();
        ASSERT_GE(n, 1);
        ASSERT_LE(n, static_cast<int>(rows.size()));
        EXPECT_EQ(rows[n - 1], b["SpName"].get<std::string>() + "," + b["ShortName"].get<std::string>()) << n;
    }
}

TEST(CliRecordNumbers, BothRecordsOfASharedNameRunWithTheirOwnValues)
{
    UserHome home;
    const std::vector<int> wigeons = numbersOf(RunJson({"birds", "list", "--preset"}), "Eurasian Wigeon");
    ASSERT_EQ(wigeons.size(), 2u);
    const std::string first = std::to_string(wigeons[0]), second = std::to_string(wigeons[1]);

    // By number: as a JSON number, or as "#N".
    const Json lean = RunJson({"power-curve", "-"}, R"({"Preset": )" + first + "}");
    const Json fat = RunJson({"power-curve", "-"}, R"({"Preset": "#)" + second + R"("})");
    EXPECT_FLOAT_EQ(lean["inputs"]["EmptyMass"].get<float>(), 0.783f);
    EXPECT_FLOAT_EQ(fat["inputs"]["EmptyMass"].get<float>(), 0.715f);
    EXPECT_NEAR(fat["inputs"]["FatFrac"].get<double>(), 0.0909091, 1e-6);
    EXPECT_FLOAT_EQ(RunJson({"birds", "show", "#" + second})["state"]["EmptyMass"].get<float>(), 0.715f);

    // The shared name (short or scientific) is refused, listing the numbers.
    for (const char* name : {"Eurasian Wigeon", "Anas penelope"}) {
        RunResult r = RunCli({"power-curve", "-"}, std::string(R"({"Preset": ")") + name + "\"}", 60);
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_NE(r.err.find("#" + first + " or #" + second), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(RunCli({"birds", "show", "Eurasian Wigeon"}, {}, 60).exitCode, 1);
    RunResult none = RunCli({"birds", "show", "#100000"}, {}, 60);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.err.find("no preset bird has the number #100000"), std::string::npos) << none.err;

    // batch --preset runs each record with its own values.
    RunResult batch = RunCli({"batch", "power-curve", "--preset", "-j", "2"}, {}, 300);
    ASSERT_EQ(batch.exitCode, 0) << batch.err;
    std::vector<std::string> rows;
    std::size_t at = 0;
    while ((at = batch.out.find("Anas penelope,Eurasian Wigeon,", at)) != std::string::npos)
        rows.push_back(batch.out.substr(at, batch.out.find('\n', at) - at)), ++at;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[0], rows[1]);
    // A bird table names them by number too, as 57 or "#57".
    TempDir dir;
    const std::string csv = dir.write("wigeons.csv", "Preset\n" + first + "\n#" + second + "\n");
    RunResult table = RunCli({"batch", "power-curve", csv, "-j", "1"}, {}, 120);
    ASSERT_EQ(table.exitCode, 0) << table.out;
    EXPECT_EQ(table.out.substr(table.out.find('\n') + 1), rows[0] + "\n" + rows[1] + "\n");
}

TEST(CliRecordNumbers, UserBirdsKeepTheirNumbers)
{
    UserHome home;
    const std::string swifts = home.dir.write("in.txt",
                                              "Swift\nApus apus\nlean\n0.037\n0.45\n0.0153\n1.225\n0\n0\n2\n1\n1\n"
                                              "Swift\nApus apus\nfat\n0.045\n0.45\n0.0153\n1.225\n0\n0.1\n2\n1\n1\n");
    const int sanderling = numbersOf(RunJson({"birds", "list", "--user"}), "Sanderling").at(0);
    RunJson({"birds", "restore", swifts});
    const Json list = RunJson({"birds", "list", "--user"});
    EXPECT_EQ(numbersOf(list, "Sanderling").at(0), sanderling) << "adding birds keeps the numbers";
    const std::vector<int> n = numbersOf(list, "Swift");
    ASSERT_EQ(n.size(), 2u);
    std::map<int, float> masses;
    for (int k : n)
        masses[k] = RunJson({"power-curve", "-"}, R"({"User": )" + std::to_string(k) + "}")["inputs"]["EmptyMass"].get<float>();
    EXPECT_FLOAT_EQ(masses[n[0]] + masses[n[1]], 0.037f + 0.045f);
    EXPECT_NE(masses[n[0]], masses[n[1]]);
    EXPECT_EQ(RunCli({"power-curve", "-"}, R"({"User": "Swift"})", 60).exitCode, 1);
    EXPECT_EQ(RunJson({"power-curve", "-"}, R"({"User": "Sanderling"})")["inputs"]["ShortName"], "Sanderling");
}

TEST(CliRecordNumbers, NamesAndNumbersMatchOneRecordOrSayWhichShareIt)
{
    using ornivo::birddb::BirdMatch;
    const std::vector<ornivo::birddb::NumberedBird> birds = {
        {3, "Wigeon", "Anas penelope"}, {4, "Wigeon", "Anas penelope"}, {9, "Mallard", "Anas platyrhynchos"}};
    EXPECT_EQ(MatchBird(birds, "Mallard").number, 9);
    EXPECT_EQ(MatchBird(birds, "Anas platyrhynchos").number, 9);
    EXPECT_EQ(MatchBird(birds, "#4").number, 4);
    EXPECT_EQ(MatchBird(birds, "#5").kind, BirdMatch::Kind::NotFound);
    EXPECT_EQ(MatchBird(birds, "9").kind, BirdMatch::Kind::NotFound) << "a bare number is a name";
    const BirdMatch shared = MatchBird(birds, "Anas penelope");
    EXPECT_EQ(shared.kind, BirdMatch::Kind::Ambiguous);
    EXPECT_EQ(shared.candidates, (std::vector<int64_t>{3, 4}));
    int64_t n = 0;
    EXPECT_FALSE(ornivo::birddb::ParseRecordNumber("#", n));
    EXPECT_FALSE(ornivo::birddb::ParseRecordNumber("#5a", n));
    EXPECT_FALSE(ornivo::birddb::ParseRecordNumber("#-5", n));
}
