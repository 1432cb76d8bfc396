// ornivo-cli --format text: the block of one run on standard output or written to --out.
#include <gtest/gtest.h>

#include "support/RunCli.h"
#include "support/TempDir.h"

namespace {

const char* Mallard =
    R"({ "SpName": "Anas platyrhynchos", "ShortName": "Mallard", "EmptyMass": 1.0, "Span": 0.9,
         "WingArea": 0.1, "Altitude": 0, "edits": [["txtFatFrac", 0.1]] })";

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

}  // namespace

TEST(CliText, PowerCurveBlockOnStandardOutput) {
    auto r = RunCli({"power-curve", "-", "--format", "text", "--comment", "wind tunnel bird"}, Mallard);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Power curve calculation for Anas platyrhynchos  Mallard\n (Non-Passerine)\n\n", 0), 0u);
    EXPECT_NE(r.out.find("\nSaved in: -\n\nwind tunnel bird\n\nVariable values used for this run:\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nFat mass                               0.100        kg\n"), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 3), "\n\n\n");
}

TEST(CliText, WithoutCommentTheCommentLineIsEmpty) {
    auto r = RunCli({"glide-polar", "-", "--format", "text"}, Mallard);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\nSaved in: -\n\n\n\nVariable values used for this run:\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nMacready cross-country speed table\n"), std::string::npos);
}

TEST(CliText, OutWritesTheFileAsTheFirstRunWould) {
    ornivo::test::TempDir dir;
    const std::string path = dir.str() + "/mallard.txt";
    dir.write("mallard.txt", "an older file\n");
    auto r = RunCli({"power-curve", "-", "--format", "text", "--out", path}, Mallard);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    const std::string file = ornivo::test::ReadFile(path);
    EXPECT_EQ(count(file, "Power curve calculation for"), 1);
    EXPECT_EQ(file.find("an older file"), std::string::npos);
    EXPECT_NE(file.find("\nSaved in: " + path + "\n"), std::string::npos);
    // The same block as on standard output, apart from where it was saved.
    auto printed = RunCli({"power-curve", "-", "--format", "text"}, Mallard);
    std::string expected = printed.out;
    expected.replace(expected.find("Saved in: -"), 11, "Saved in: " + path);
    EXPECT_EQ(file, expected);
}

TEST(CliText, OutIntoAMissingFolderFailsWithAReason) {
    ornivo::test::TempDir dir;
    auto r = RunCli({"migrate", "-", "--format", "text", "--out", dir.str() + "/no/such/folder/m.txt"}, Mallard);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
}

TEST(CliText, MigrationAtAQuarterHourIntervalPrintsEndOfGpsDataLines) {
    auto r = RunCli({"migrate", "-", "--format", "text"},
                    R"({ "SpName": "Anas platyrhynchos", "ShortName": "Mallard", "EmptyMass": 1.0, "Span": 0.9,
                         "WingArea": 0.1, "Altitude": 0,
                         "edits": [["txtFatFrac", 0.05], ["frmSetDefaultsMigr.txtOutputInt", 0.25]] })");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Migration calculation for Anas platyrhynchos (Non-Passerine)\n", 0), 0u);
    const int end = count(r.out, "\nEND OF GPS DATA\n");
    EXPECT_GT(end, 0);
    EXPECT_EQ(end % 5, 0);  // the same rows in each of the five tables
    EXPECT_EQ(count(r.out, "\nTime        "), 5);
}
