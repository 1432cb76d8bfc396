// Saving runs as blocks of a text file: one file per setup-screen visit, one dialog, the comment of
// each run, cancelling, and failures that never lose the blocks already saved.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "flap/PowerCurve.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "output/FlapTextBlock.h"
#include "output/GlideTextBlock.h"
#include "output/OutputTree.h"
#include "output/TextRunOutput.h"
#include "support/BirdSetup.h"
#include "support/TempDir.h"

using namespace ornivo;
namespace fs = std::filesystem;

namespace {

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

int countKind(const platform::ScriptedDialogs& d, const std::string& kind) {
    int n = 0;
    for (const auto& s : d.shown) n += s.kind == kind;
    return n;
}

struct TextRun : ::testing::Test {
    test::TempDir dir;
    ProgramState s;
    platform::ScriptedDialogs d;

    void powerCurve() {
        test::ToPowerCurveSetup(s, d);
        ASSERT_TRUE(flap::ComputePowerCurve(s, d));
        prepareOutput();
    }
    void glidePolar() {
        test::TypeBird(s, d, {});
        ASSERT_TRUE(bird::PressCalculation(s, d, bird::Calculation::GlidePolar));
        glide::LoadSetupGlide(s, d);
        ASSERT_TRUE(glide::ComputeGlidePolar(s, d));
        prepareOutput();
    }
    void prepareOutput() {
        SetVersionAndNotices(s);
        s.OutDrive = dir.str();
        s.UseTextFiles = true;
        s.OutFileName = s.ShortName;  // what ticking the save box does
        d.clear();
    }
    std::string folder() const { return (dir.path() / "OrnivoOutput" / "TextFiles" / "PowerCurves").string(); }
};

}  // namespace

TEST_F(TextRun, PowerCurveSavedTwiceGivesOneFileWithTwoBlocksAndOneDialog) {
    powerCurve();
    const std::string path = folder() + "/Tb_0001.txt";
    d.inputs = {"first run", "second run"};
    d.files = {path};
    ASSERT_TRUE(output::WriteRunText(s, d));
    EXPECT_EQ(s.OutputCount, 1);
    EXPECT_EQ(s.OutPath, path);
    ASSERT_TRUE(output::WriteRunText(s, d));
    EXPECT_EQ(s.OutputCount, 2);

    ASSERT_EQ(countKind(d, "save"), 1);
    const auto& save = d.shown[1];
    ASSERT_EQ(save.kind, "save");
    EXPECT_EQ(save.request.title, "Save output as text file");
    EXPECT_EQ(save.request.initialFolder, folder() + "/");
    EXPECT_EQ(save.request.initialName, "Tb_0001.txt");
    EXPECT_EQ(countKind(d, "input"), 2);
    EXPECT_EQ(d.shown[0].lines.at(0), "Please supply comment for insertion in output file");
    EXPECT_TRUE(d.messages().empty());

    const std::string text = test::ReadFile(path);
    EXPECT_EQ(count(text, "Power curve calculation for Test bird  Tb\n"), 2);
    EXPECT_EQ(count(text, "Saved in: " + path + "\n"), 2);
    const auto second = text.find("Power curve calculation", 1);
    EXPECT_NE(text.substr(0, second).find("\nfirst run\n"), std::string::npos);
    EXPECT_NE(text.substr(second).find("\nsecond run\n"), std::string::npos);
    // The first block is exactly what the block writer gives for that run.
    s.Comment = "first run";
    EXPECT_EQ(text.substr(0, second), output::FlapTextBlock(s));
}

TEST_F(TextRun, FirstRunProposesTheNextFreeName) {
    powerCurve();
    fs::create_directories(folder());
    std::ofstream(folder() + "/Tb_0001.txt") << "older output\n";
    d.files = {std::nullopt};
    output::WriteRunText(s, d);
    ASSERT_EQ(countKind(d, "save"), 1);
    EXPECT_EQ(d.shown[1].request.initialName, "Tb_0002.txt");
    EXPECT_EQ(test::ReadFile(folder() + "/Tb_0001.txt"), "older output\n");
}

TEST_F(TextRun, ACancelledDialogWritesNothingAndTheNextRunAsksAgain) {
    powerCurve();
    d.files = {std::nullopt};
    EXPECT_FALSE(output::WriteRunText(s, d));
    EXPECT_EQ(s.OutputCount, 0);
    EXPECT_TRUE(s.OutPath.empty());
    EXPECT_TRUE(fs::is_empty(folder()));  // the folders exist, no file
    EXPECT_TRUE(d.messages().empty());

    d.files = {folder() + "/chosen.txt"};
    EXPECT_TRUE(output::WriteRunText(s, d));
    EXPECT_EQ(countKind(d, "save"), 2);
    EXPECT_EQ(s.OutputCount, 1);
    EXPECT_EQ(count(test::ReadFile(folder() + "/chosen.txt"), "Power curve calculation"), 1);
}

TEST_F(TextRun, TheFirstRunReplacesAFileChosenInTheDialog) {
    powerCurve();
    const std::string path = dir.write("old.txt", "a file that was there before\n");
    d.files = {path};
    ASSERT_TRUE(output::WriteRunText(s, d));
    const std::string text = test::ReadFile(path);
    EXPECT_EQ(text.find("a file that was there before"), std::string::npos);
    EXPECT_EQ(text.rfind("Power curve calculation for", 0), 0u);
}

TEST_F(TextRun, SecondGlideRunOpensNoDialog) {
    glidePolar();
    const std::string path = dir.str() + "/glide.txt";
    d.files = {path};
    ASSERT_TRUE(output::WriteGlideText(s, d));
    EXPECT_EQ(d.shown.at(1).request.initialFolder,
              (dir.path() / "OrnivoOutput" / "TextFiles" / "GlidePolars").string() + "/");
    d.clear();
    ASSERT_TRUE(output::WriteGlideText(s, d));
    EXPECT_EQ(countKind(d, "save"), 0);
    EXPECT_EQ(countKind(d, "input"), 1);
    EXPECT_EQ(s.OutputCount, 2);
    EXPECT_EQ(count(test::ReadFile(path), "Glide polar calculation for Test bird (Non-Passerine)\n"), 2);
}

TEST_F(TextRun, FourDigitOutputGivesFourSignificantDigitsInTheFile) {
    powerCurve();
    s.SigDigits = 4;
    d.files = {dir.str() + "/four.txt"};
    ASSERT_TRUE(output::WriteRunText(s, d));
    const std::string text = test::ReadFile(dir.str() + "/four.txt");
    EXPECT_NE(text.find("\nWing span" + std::string(30, ' ') + "1.000        m\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nEmpty body mass" + std::string(24, ' ') + "1.000        kg\n"), std::string::npos);
    EXPECT_NE(text.find("\nMinimum power speed (Vmp)" + std::string(14, ' ') + FormatSig(s.Flap.Vmp, 4)),
              std::string::npos);
    EXPECT_EQ(FormatSig(s.Flap.Vmp, 4).size(), 5u);  // four digits and the point
}

TEST_F(TextRun, AFailedAppendShowsAMessageAndKeepsTheEarlierBlocks) {
    // A file-size limit stands for a full disk; it stops root as well as any user.
    powerCurve();
    const std::string path = dir.str() + "/runs.txt";
    d.files = {path};
    ASSERT_TRUE(output::WriteRunText(s, d));
    const std::string before = test::ReadFile(path);

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = before.size() + 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = output::WriteRunText(s, d);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "This run could not be saved in the text file " + path);
    EXPECT_EQ(s.OutputCount, 1);
    EXPECT_EQ(s.OutPath, path);
    EXPECT_EQ(test::ReadFile(path), before);
    for (const auto& e : fs::directory_iterator(dir.path()))  // no temporary file left behind
        EXPECT_TRUE(e.path().filename() == "runs.txt" || e.is_directory()) << e.path();

    // With room again the next run appends as the second block.
    ASSERT_TRUE(output::WriteRunText(s, d));
    EXPECT_EQ(s.OutputCount, 2);
    EXPECT_EQ(count(test::ReadFile(path), "Power curve calculation"), 2);
    EXPECT_EQ(test::ReadFile(path).rfind(before, 0), 0u);
}

TEST_F(TextRun, AnAppendIntoAReadOnlyFolderShowsAMessageAndKeepsTheFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    powerCurve();
    const fs::path sub = dir.path() / "ro";
    fs::create_directory(sub);
    const std::string path = (sub / "runs.txt").string();
    d.files = {path};
    ASSERT_TRUE(output::WriteRunText(s, d));
    const std::string before = test::ReadFile(path);
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(output::WriteRunText(s, d));
    fs::permissions(sub, fs::perms::owner_all);
    EXPECT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(s.OutputCount, 1);
    EXPECT_EQ(test::ReadFile(path), before);
}

TEST_F(TextRun, AFileThatCannotBeCreatedIsReportedAndNotCountedAsSaved) {
    powerCurve();
    const std::string regular = dir.write("plain", "not a folder\n");
    d.files = {regular + "/runs.txt"};
    EXPECT_FALSE(output::WriteRunText(s, d));
    ASSERT_EQ(d.errors().size(), 1u);
    const auto shown = d.messages();
    const auto& lines = shown.back();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "No file was written.");
    EXPECT_EQ(s.OutputCount, 0);
    EXPECT_TRUE(s.OutPath.empty());  // the exit screen will not claim a file
    EXPECT_EQ(test::ReadFile(regular), "not a folder\n");
}

TEST_F(TextRun, AnOutputFolderThatCannotBeMadeIsReported) {
    powerCurve();
    s.OutDrive = dir.write("drive", "a file where the output root should be\n");
    EXPECT_FALSE(output::WriteRunText(s, d));
    EXPECT_EQ(countKind(d, "save"), 0);
    EXPECT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(s.OutputCount, 0);
}
