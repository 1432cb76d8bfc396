// The output folder tree, the free-name rule and the version and notice lines.
#include <gtest/gtest.h>

#include <fstream>

#include "output/OutputTree.h"
#include "support/TempDir.h"

using namespace ornivo;
namespace fs = std::filesystem;

namespace {
struct OutputTreeTest : ::testing::Test {
    test::TempDir dir;
    ProgramState s;
    void SetUp() override { s.OutDrive = dir.str(); }
    void touch(const fs::path& p) { std::ofstream(p) << "x"; }
};
}  // namespace

TEST_F(OutputTreeTest, EnsureOutputFolderCreatesOnlyMissingLevels)
{
    const fs::path top = dir.path() / "OrnivoOutput";
    fs::create_directories(top / "TextFiles");
    touch(top / "TextFiles" / "keep.txt");

    EnsureOutputFolder(s, "TextFiles", "PowerCurves");
    EXPECT_TRUE(fs::is_directory(top / "TextFiles" / "PowerCurves"));
    EXPECT_TRUE(fs::exists(top / "TextFiles" / "keep.txt"));
    EXPECT_FALSE(fs::exists(top / "ExcelFiles"));  // only the calculation's own branch
    EXPECT_EQ(s.LastOutputFolder, (top / "TextFiles" / "PowerCurves").string() + "/");

    touch(top / "TextFiles" / "PowerCurves" / "Robin_0001.txt");
    EnsureOutputFolder(s, "TextFiles", "PowerCurves");  // an existing tree is left as it is
    EXPECT_TRUE(fs::exists(top / "TextFiles" / "PowerCurves" / "Robin_0001.txt"));

    EnsureOutputFolder(s, "ExcelFiles", "Migration");
    EXPECT_EQ(s.LastOutputFolder, (top / "ExcelFiles" / "Migration").string() + "/");
}

TEST_F(OutputTreeTest, EnsureOutputFolderReportsAFolderItCannotMake)
{
    s.LastOutputFolder = "before/";
    s.OutDrive = (dir.path() / "unplugged-volume").string();
    EXPECT_THROW(EnsureOutputFolder(s, "TextFiles", "GlidePolars"), OutputError);
    s.OutDrive = dir.str();
    touch(dir.path() / "OrnivoOutput");  // a file where the folder should be
    EXPECT_THROW(EnsureOutputFolder(s, "TextFiles", "GlidePolars"), OutputError);
    EXPECT_EQ(s.LastOutputFolder, "before/");
}

TEST_F(OutputTreeTest, NextFreeOutputNameTakesTheFirstGap)
{
    EnsureOutputFolder(s, "TextFiles", "PowerCurves");
    s.OutFileName = "Robin";
    const fs::path folder = s.LastOutputFolder;
    EXPECT_EQ(NextFreeOutputName(s, ".txt"), "Robin_0001.txt");
    touch(folder / "Robin_0002.txt");
    EXPECT_EQ(NextFreeOutputName(s, ".txt"), "Robin_0001.txt");
    touch(folder / "Robin_0001.txt");
    EXPECT_EQ(NextFreeOutputName(s, ".txt"), "Robin_0003.txt");
    EXPECT_EQ(NextFreeOutputName(s, ".xls"), "Robin_0001.xls");  // other extensions do not count
    fs::create_directory(folder / "Robin_0003.txt");  // a folder is not a file
    EXPECT_EQ(NextFreeOutputName(s, ".txt"), "Robin_0003.txt");
}

TEST_F(OutputTreeTest, NoFreeNameIsAnErrorNotALoop)
{
    EnsureOutputFolder(s, "TextFiles", "Migration");
    s.OutFileName = "Stork";
    char name[32];
    for (int i = 1; i <= 9999; ++i) {
        std::snprintf(name, sizeof name, "Stork_%04d.txt", i);
        std::ofstream(fs::path(s.LastOutputFolder) / name);
    }
    EXPECT_THROW(NextFreeOutputName(s, ".txt"), OutputError);
}

TEST(OutputValues, VersionAndNoticeLines)
{
    ProgramState s;
    SetVersionAndNotices(s);
    EXPECT_EQ(s.VersionLine, "Computed by Ornivo Version " + VersionText());
    EXPECT_EQ(VersionText(), ORNIVO_PROJECT_VERSION);
    for (const auto& line : s.NoticeLines) EXPECT_FALSE(line.empty());
}
