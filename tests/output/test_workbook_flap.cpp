// The power-curve workbook: a sheet per run with the blank sheet after it, the cell map, numbers as
// numeric cells of SigDigits digits, the red marks of edited fields, and the saved file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "WorkbookFixture.h"
#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "output/FlapWorkbook.h"
#include "state/numtext.h"
#include "support/BirdSetup.h"

using namespace ornivo;
namespace fs = std::filesystem;

namespace {

struct FlapWorkbook : test::WorkbookRun {
    void setupAndRun() {
        test::ToPowerCurveSetup(s, d);
        run();
    }
    void run() {
        ASSERT_TRUE(flap::ComputePowerCurve(s, d));
        prepareOutput();
    }
};

}  // namespace

TEST_F(FlapWorkbook, TwoRunsGiveTwoSheetsAndABlankThirdThatIsNotSaved) {
    setupAndRun();
    d.inputs = {"first", "second"};
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    EXPECT_EQ(s.OutputCount, 1);
    EXPECT_EQ(s.WorkbookUnsaved, 1);
    ASSERT_EQ(wb().sheetCount(), 2);
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    EXPECT_EQ(s.OutputCount, 2);
    ASSERT_EQ(wb().sheetCount(), 3);
    EXPECT_EQ(wb().sheet(1).value("A24"), sheet::Value("first"));
    EXPECT_EQ(wb().sheet(2).value("A24"), sheet::Value("second"));
    EXPECT_TRUE(wb().sheet(3).value("A24").isEmpty());
    EXPECT_TRUE(wb().sheet(3).value("E4").isEmpty());
    // The blank sheet is the template's first sheet as it was.
    test::ExpectSameValues(wb().sheet(3), Template("PowerCurve.xlsx").sheet(1));
    EXPECT_EQ(d.shown.at(0).kind, "input");
    EXPECT_EQ(d.shown.at(0).lines.at(0), "Please supply comment for insertion on worksheet");
    EXPECT_TRUE(d.messages().empty());

    const std::string path = excelFolder("PowerCurves") + "/Tb_0001.xlsx";
    d.files = {path};
    EXPECT_EQ(output::SaveResultWorkbook(s, o, d), output::WorkbookSaveOutcome::Saved);
    const auto& save = d.shown.back();
    EXPECT_EQ(save.kind, "save");
    EXPECT_EQ(save.request.title, "Save Excel Workbook");
    EXPECT_EQ(save.request.filter, "*.xlsx");
    EXPECT_EQ(save.request.initialFolder, excelFolder("PowerCurves") + "/");
    EXPECT_EQ(save.request.initialName, "Tb_0001.xlsx");
    EXPECT_EQ(s.OutPath, path);
    EXPECT_EQ(s.OutputCount, 0);
    EXPECT_EQ(s.WorkbookUnsaved, 0);
    EXPECT_FALSE(o.ResultWorkbook);

    sheet::Workbook back = ReadBack(path);
    ASSERT_EQ(back.sheetCount(), 2);
    EXPECT_EQ(back.sheet(1).value("F3"), sheet::Value(path));
    EXPECT_TRUE(back.sheet(2).value("F3").isEmpty());
    EXPECT_EQ(back.sheet(2).value("A24"), sheet::Value("second"));
}

TEST_F(FlapWorkbook, TheCellMapHoldsTheRunAsNumbers) {
    setupAndRun();
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    const sheet::Sheet& sh = wb().sheet(1);
    const BirdParams& b = s.slot(ModePowerCurve);
    auto num = [&](float x) { return sheet::Value(LeadingNumber(FormatSig(x, 3))); };
    EXPECT_EQ(sh.value("E1"), sheet::Value("Test bird"));
    EXPECT_EQ(sh.value("I1"), sheet::Value("Tb"));
    EXPECT_EQ(sh.value("G2"), sheet::Value("(Non-Passerine)"));
    EXPECT_EQ(sh.value("B2"), sheet::Value("Male and female"));
    EXPECT_EQ(sh.value("E2"), sheet::Value("Adult"));
    EXPECT_EQ(sh.value("I16"), sheet::Value("Continuous flapping"));
    EXPECT_EQ(sh.value("E4"), sheet::Value(1.0));
    EXPECT_EQ(sh.value("E9"), num(b.AllUpMass));
    EXPECT_EQ(sh.value("E10"), sheet::Value(1.0));
    EXPECT_EQ(sh.value("E12"), num(b.AspectRatio));
    EXPECT_EQ(sh.value("E14"), sheet::Value(0.0));
    EXPECT_EQ(sh.value("E20"), num(s.Kmito));
    EXPECT_EQ(sh.value("J9"), num(s.slot(ModeEnterBird).Gravity));
    EXPECT_EQ(sh.value("J17"), sheet::Value(1.0));
    EXPECT_EQ(sh.value("J19"), num(s.SigmaMax));

    // The curve table from row 29, speed in column 1, the power curve table's rows after it.
    const int first = s.Flap.CurveFirstSpeed;
    EXPECT_EQ(sh.value(29, 1), sheet::Value(double(first)));
    const auto col = static_cast<std::size_t>(first);
    EXPECT_EQ(sh.value(29, 3), num(s.Flap.PowerCurveTable[1][col]));
    EXPECT_EQ(sh.value(29, 8), num(s.Flap.PowerCurveTable[10][col]));
    EXPECT_TRUE(sh.value(29, 9).isEmpty());  // no uncertainty
    const int R = output::FlapTableEndRow(s);
    EXPECT_GT(R, 30);
    EXPECT_TRUE(sh.value(R, 1).isEmpty());
    EXPECT_TRUE(sh.value(R - 1, 1).isNumber());
    EXPECT_EQ(sh.value(R + 1, 4), sheet::Value("Min power (Vmp)"));
    EXPECT_EQ(sh.value(R + 1, 6), sheet::Value("Max range (Vmr)"));
    EXPECT_EQ(sh.value(R + 2, 1), sheet::Value("True air speed (m/s)"));
    EXPECT_EQ(sh.value(R + 2, 4), num(s.Flap.Vmp));
    EXPECT_EQ(sh.value(R + 2, 6), num(s.Flap.Vmr));
    EXPECT_EQ(sh.value(R + 13, 4), num(s.Flap.MitoFracClimb));
    EXPECT_TRUE(sh.value(R + 13, 6).isEmpty());
    EXPECT_EQ(sh.value(R + 16, 4), num(s.Flap.Vmr / s.Flap.Vmp));
    EXPECT_EQ(sh.value(R + 19, 1), sheet::Value(s.VersionLine));
    EXPECT_EQ(sh.value(R + 23, 1), sheet::Value(s.NoticeLines[3]));
    const sheet::Cell* c = sh.cell(R + 5, 4);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->font.name, "Times New Roman");
    EXPECT_TRUE(c->font.bold);
    EXPECT_EQ(c->align, sheet::Align::Left);
}

TEST_F(FlapWorkbook, FourDigitOutputStoresFourSignificantDigits) {
    setupAndRun();
    s.SigDigits = 4;
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    const sheet::Sheet& sh = wb().sheet(1);
    EXPECT_EQ(sh.value("E12"), sheet::Value(LeadingNumber(FormatSig(s.slot(ModePowerCurve).AspectRatio, 4))));
    const int R = output::FlapTableEndRow(s);
    EXPECT_EQ(sh.value(R + 2, 4), sheet::Value(LeadingNumber(FormatSig(s.Flap.Vmp, 4))));
}

TEST_F(FlapWorkbook, AClickIntoThePayloadDragFactorColoursE17Red) {
    test::ToPowerCurveSetup(s, d);
    flap::SetupFlapEdit(s, d, "txtPayDragFactor", Edit::click());
    run();
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    EXPECT_EQ(test::Colour(wb().sheet(1), "E17"), sheet::kRed);
    EXPECT_EQ(test::Colour(wb().sheet(1), "E16"), sheet::kBlack);
    EXPECT_EQ(test::Colour(wb().sheet(2), "E17"), sheet::kBlack);  // the blank sheet
}

TEST_F(FlapWorkbook, AnUnknownAgeIsWrittenAsTheTextFileSaysItAndImmatureIsImm) {
    setupAndRun();
    s.Age = 3;
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    EXPECT_EQ(wb().sheet(1).value("E2"), sheet::Value("Unknown"));
    s.Age = 2;
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    EXPECT_EQ(wb().sheet(2).value("E2"), sheet::Value("Imm"));
    const std::string path = dir.str() + "/ages.xlsx";
    d.files = {path};
    ASSERT_EQ(output::SaveResultWorkbook(s, o, d), output::WorkbookSaveOutcome::Saved);
    sheet::Workbook back = ReadBack(path);
    ASSERT_GE(back.sheetCount(), 2);
    EXPECT_EQ(back.sheet(1).value("E2"), sheet::Value("Unknown"));
    EXPECT_EQ(back.sheet(2).value("E2"), sheet::Value("Imm"));
}

TEST_F(FlapWorkbook, BoundingWritesItsPowerFractionAndStyle) {
    setupAndRun();
    s.FlightStyle = 3;
    s.slot(ModePowerCurve).PowerFracBound = 0.5f;
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    EXPECT_EQ(wb().sheet(1).value("I16"), sheet::Value("  Bounding"));
    EXPECT_EQ(wb().sheet(1).value("J17"), sheet::Value(0.5));
}

TEST_F(FlapWorkbook, TheSavedWorkbookReadsBackWithTheSameCells) {
    setupAndRun();
    d.inputs = {"a comment"};
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    sheet::Workbook before = wb();
    const std::string path = dir.str() + "/back.xlsx";
    d.files = {path};
    ASSERT_EQ(output::SaveResultWorkbook(s, o, d), output::WorkbookSaveOutcome::Saved);
    before.sheet(1).write("F3", path);
    sheet::Workbook back = ReadBack(path);
    ASSERT_EQ(back.sheetCount(), 1);
    test::ExpectSameValues(back.sheet(1), before.sheet(1));
}

TEST_F(FlapWorkbook, UncertaintyAddsItsHeadingsAndColumns) {
    setupAndRun();
    s.Flap.UncertDone = true;
    ASSERT_TRUE(output::WriteRunOutput(s, o, d));
    const sheet::Sheet& sh = wb().sheet(1);
    EXPECT_EQ(sh.value("I26"), sheet::Value("Uncertainty of"));
    EXPECT_EQ(sh.value("J28"), sheet::Value("% Pmech"));
    EXPECT_TRUE(sh.value(29, 9).isNumber());
    EXPECT_TRUE(sh.value(29, 10).isNumber());
}
