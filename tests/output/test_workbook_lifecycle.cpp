// The life of a result workbook: the text fallback when the template cannot be read, cancelling the
// save dialog (discard or back to the dialog), a failed save that keeps every run, the free name in
// the output tree, and the CLI's --format xlsx.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "WorkbookFixture.h"
#include "flap/PowerCurve.h"
#include "output/FlapWorkbook.h"
#include "output/TextRunOutput.h"
#include "support/BirdSetup.h"
#include "support/RunCli.h"

using namespace ornivo;
namespace fs = std::filesystem;

namespace {

struct Lifecycle : test::WorkbookRun {
    void SetUp() override {
        test::ToPowerCurveSetup(s, d);
        ASSERT_TRUE(flap::ComputePowerCurve(s, d));
        prepareOutput();
    }
    int count(const std::string& kind) const {
        int n = 0;
        for (const auto& x : d.shown) n += x.kind == kind;
        return n;
    }
};

}  // namespace

TEST_F(Lifecycle, AMissingTemplateWritesTheRunAsTextAndSelectsTextFiles) {
    s.ProgramFolder = dir.str() + "/nowhere";
    const std::string path = dir.str() + "/run.txt";
    d.files = {path};
    d.inputs = {"text comment"};
    EXPECT_TRUE(output::WriteRunOutput(s, o, d));
    ASSERT_FALSE(d.messages().empty());
    EXPECT_EQ(d.shown.at(0).kind, "info");
    EXPECT_EQ(d.shown.at(0).lines, output::SpreadsheetMissingMessage());
    EXPECT_EQ(d.shown.at(0).lines.size(), 3u);
    EXPECT_EQ(d.shown.at(1).lines.at(0), "Please supply comment for insertion in output file");
    EXPECT_EQ(count("input"), 1);  // asked once, by the text file
    EXPECT_TRUE(s.UseTextFiles);
    EXPECT_EQ(s.OutputCount, 1);
    EXPECT_EQ(s.WorkbookUnsaved, 0);
    EXPECT_FALSE(o.ResultWorkbook);
    EXPECT_NE(test::ReadFile(path).find("\ntext comment\n"), std::string::npos);
    // The next run appends to the text file.
    EXPECT_TRUE(output::WriteRunOutput(s, o, d));
    EXPECT_EQ(s.OutputCount, 2);
    EXPECT_EQ(count("save"), 1);
}

TEST_F(Lifecycle, AnUnreadableTemplateIsTheSameCase) {
    const std::string folder = dir.str() + "/prog";
    fs::create_directories(folder + "/XLTemplates");
    std::ofstream(folder + "/XLTemplates/PowerCurve.xlsx") << "not a workbook";
    s.ProgramFolder = folder;
    d.files = {std::nullopt};  // and the text file's dialog is cancelled
    EXPECT_FALSE(output::WriteRunOutput(s, o, d));
    EXPECT_TRUE(s.UseTextFiles);
    EXPECT_EQ(s.OutputCount, 0);
}

TEST_F(Lifecycle, CancellingTheSaveDialogAsksAndYesDiscardsTheRuns) {
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    d.files = {std::nullopt};
    d.yesNo = {true};
    EXPECT_EQ(output::SaveResultWorkbook(s, o, d), output::WorkbookSaveOutcome::Discarded);
    ASSERT_EQ(d.shown.back().kind, "yesno");
    EXPECT_NE(d.shown.back().lines.at(0).find("2 runs"), std::string::npos);
    EXPECT_EQ(s.OutputCount, 0);
    EXPECT_EQ(s.WorkbookUnsaved, 0);
    EXPECT_FALSE(o.ResultWorkbook);
    EXPECT_TRUE(fs::is_empty(excelFolder("PowerCurves")));
    // The next run starts a new workbook.
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    EXPECT_EQ(s.OutputCount, 1);
    EXPECT_EQ(wb().sheetCount(), 2);
}

TEST_F(Lifecycle, NoToDiscardingBringsTheDialogBack) {
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    const std::string path = excelFolder("PowerCurves") + "/second try";
    d.files = {std::nullopt, path};
    d.yesNo = {false};
    EXPECT_EQ(output::SaveResultWorkbook(s, o, d), output::WorkbookSaveOutcome::Saved);
    EXPECT_EQ(count("save"), 2);
    EXPECT_EQ(count("yesno"), 1);
    EXPECT_EQ(s.OutPath, path + ".xlsx");  // a name without an extension gets ".xlsx"
    EXPECT_TRUE(fs::exists(path + ".xlsx"));
}

TEST_F(Lifecycle, AFailedSaveKeepsTheWorkbookAndTheNextSaveWorks) {
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    s.OutPath = "earlier.txt";
    d.files = {dir.str() + "/no such folder/runs.xlsx"};
    EXPECT_EQ(output::SaveResultWorkbook(s, o, d), output::WorkbookSaveOutcome::Kept);
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0].rfind("File error No ", 0), 0u) << d.errors()[0];
    EXPECT_NE(d.errors()[0].find(" has occurred"), std::string::npos);
    const auto lines = d.messages().back();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_FALSE(lines[1].empty());  // the reason
    EXPECT_EQ(s.OutputCount, 2);
    EXPECT_EQ(s.WorkbookUnsaved, 1);
    EXPECT_EQ(s.OutPath, "earlier.txt");
    ASSERT_TRUE(o.ResultWorkbook);
    EXPECT_EQ(wb().sheetCount(), 3);
    EXPECT_TRUE(wb().sheet(1).value("F3").isEmpty());

    // Another run still goes on the blank sheet, and saving again writes all three.
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    EXPECT_EQ(s.OutputCount, 3);
    const std::string path = dir.str() + "/runs.xlsx";
    d.files = {path};
    EXPECT_EQ(output::SaveResultWorkbook(s, o, d), output::WorkbookSaveOutcome::Saved);
    EXPECT_EQ(ReadBack(path).sheetCount(), 3);
}

TEST_F(Lifecycle, AFailedSaveLeavesAnEarlierFileOfThatNameAsItWas) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    const std::string folder = dir.str() + "/locked";
    fs::create_directories(folder);
    const std::string path = folder + "/runs.xlsx";
    std::ofstream(path) << "earlier content";
    ::chmod(folder.c_str(), 0555);
    d.files = {path};
    const auto outcome = output::SaveResultWorkbook(s, o, d);
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(outcome, output::WorkbookSaveOutcome::Kept);
    EXPECT_EQ(test::ReadFile(path), "earlier content");
    EXPECT_EQ(d.errors().at(0), "File error No 13 has occurred");
}

TEST_F(Lifecycle, TheSaveProposesTheNextFreeName) {
    fs::create_directories(excelFolder("PowerCurves"));
    std::ofstream(excelFolder("PowerCurves") + "/Tb_0001.xlsx") << "older";
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    d.files = {std::nullopt};
    d.yesNo = {true};
    output::SaveResultWorkbook(s, o, d);
    EXPECT_EQ(d.shown.at(d.shown.size() - 2).request.initialName, "Tb_0002.xlsx");
}

TEST_F(Lifecycle, NothingToSaveAsksNothing) {
    EXPECT_EQ(output::SaveResultWorkbook(s, o, d), output::WorkbookSaveOutcome::Nothing);
    EXPECT_TRUE(d.shown.empty());
    EXPECT_TRUE(output::MayLeaveSetup(output::WorkbookSaveOutcome::Nothing));
    EXPECT_FALSE(output::MayLeaveSetup(output::WorkbookSaveOutcome::Kept));
}

TEST_F(Lifecycle, EndlessCancellingKeepsTheWorkbook) {
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    // Every dialog cancelled, every question answered No.
    EXPECT_EQ(output::SaveResultWorkbook(s, o, d), output::WorkbookSaveOutcome::Kept);
    EXPECT_TRUE(o.ResultWorkbook);
    EXPECT_EQ(s.WorkbookUnsaved, 1);
}

TEST(WorkbookCli, FormatXlsxWritesTheWorkbookOfOneRun) {
    test::TempDir dir;
    const std::string bird = dir.write("bird.json", R"({"SpName": "Cli bird", "ShortName": "Cb", "EmptyMass": 1.0,
        "Span": 1.0, "WingArea": 0.15, "Altitude": 0})");
    const std::string migrant = dir.write("migrant.json", R"({"SpName": "Cli bird", "ShortName": "Cb",
        "EmptyMass": 0.5, "Span": 0.8, "WingArea": 0.08, "Altitude": 0, "edits": [["txtFatFrac", 0.3]]})");
    for (const std::string calc : {"power-curve", "glide-polar", "migrate"}) {
        const std::string out = dir.str() + "/" + calc + ".xlsx";
        auto r = RunCli({calc, calc == "migrate" ? migrant : bird, "--format", "xlsx", "--out", out, "--comment", "from the cli"});
        ASSERT_EQ(r.exitCode, 0) << calc << ": " << r.err;
        sheet::Workbook back = test::WorkbookRun::ReadBack(out);
        ASSERT_EQ(back.sheetCount(), 1) << calc;
        const sheet::Sheet& sh = back.sheet(1);
        EXPECT_EQ(sh.value("E1"), sheet::Value("Cli bird")) << calc;
        EXPECT_EQ(sh.value(calc == "glide-polar" ? "G3" : "F3"), sheet::Value(out)) << calc;
        const char* comment = calc == "power-curve" ? "A24" : calc == "glide-polar" ? "A21" : "A34";
        EXPECT_EQ(sh.value(comment), sheet::Value("from the cli")) << calc;
        EXPECT_TRUE(sh.value("E4").isNumber()) << calc;
    }
    auto r = RunCli({"power-curve", bird, "--format", "xlsx"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("--out"), std::string::npos);
    r = RunCli({"power-curve", bird, "--format", "xlsx", "--out", dir.str() + "/no/such/folder/x.xlsx"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
}
