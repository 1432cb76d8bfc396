// The glide-polar workbook of the example glider: the polar table from row 26, the results block
// after it, the MacCready rows, the flapping comparison, the marks and the path in G3.
#include <gtest/gtest.h>

#include "WorkbookFixture.h"
#include "glide/GlideSetup.h"
#include "output/GlideTextBlock.h"
#include "output/GlideWorkbook.h"
#include "state/numtext.h"

using namespace ornivo;

namespace {

struct GlideWorkbook : test::WorkbookRun {
    void run() {
        ASSERT_TRUE(glide::ComputeGlidePolar(s, d));
        prepareOutput();
    }
    sheet::Value num(float x) const { return sheet::Value(LeadingNumber(FormatSig(x, s.SigDigits))); }
};

}  // namespace

TEST_F(GlideWorkbook, TheExampleFillsRows26To44AndTheBlockAfterIt) {
    test::ToGlideSetup(s, d);
    run();
    ASSERT_EQ(s.Glide.PolarFirstRow, 7);
    ASSERT_TRUE(output::WriteGlideOutput(s, o, d));
    const sheet::Sheet& sh = wb().sheet(1);
    EXPECT_EQ(output::GlideTableEndRow(s), 45);
    for (int k = 7; k <= 25; ++k) {
        const int r = 26 + k - 7;
        EXPECT_EQ(sh.value(r, 1), sheet::Value(double(k))) << r;
        const auto& row = s.Glide.GlidePolarTable[static_cast<std::size_t>(k)];
        EXPECT_EQ(sh.value(r, 3), num(row[0])) << r;
        EXPECT_EQ(sh.value(r, 5), num(row[1])) << r;
        EXPECT_EQ(sh.value(r, 7), num(row[2])) << r;
    }
    EXPECT_TRUE(sh.value(45, 1).isEmpty());
    EXPECT_EQ(sh.value(46, 5), sheet::Value("Min Sink"));
    EXPECT_EQ(sh.value(47, 1), sheet::Value("True air speed (m/s)"));
    EXPECT_EQ(sh.value(47, 5), num(s.Glide.Vms));
    EXPECT_EQ(sh.value(47, 7), num(s.Glide.Vbg));
    EXPECT_EQ(sh.value(56, 1), sheet::Value(output::CircleRadiusCaption(s)));
    EXPECT_EQ(sh.value(56, 5), num(s.Glide.CircleRadius));
    EXPECT_EQ(sh.value(59, 1), sheet::Value("Cross country speed (MacCready)"));
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(sh.value(63 + r, 1), sheet::Value(r / 2.0)) << r;
        EXPECT_EQ(sh.value(63 + r, 3), num(s.Glide.MacCreadyTable[static_cast<std::size_t>(r)][0])) << r;
        EXPECT_EQ(sh.value(63 + r, 11), num(s.Glide.MacCreadyTable[static_cast<std::size_t>(r)][4])) << r;
    }
    EXPECT_TRUE(sh.value(70, 3).isEmpty());
    EXPECT_EQ(sh.value(75, 1), sheet::Value("Min power (Vmp)"));
    EXPECT_EQ(sh.value(75, 3), num(s.Flap.VmpExact));
    EXPECT_EQ(sh.value(76, 1), sheet::Value("Max range (Vmr)"));
    EXPECT_EQ(sh.value(78, 5), num(s.Glide.JperFlap));
    EXPECT_EQ(sh.value(78, 6), sheet::Value("J"));
    EXPECT_EQ(sh.value(80, 1), sheet::Value(s.VersionLine));
    EXPECT_EQ(sh.value(84, 1), sheet::Value(s.NoticeLines[3]));
    // The polar rows are regular, the results block bold.
    EXPECT_FALSE(sh.cell(30, 3)->font.bold);
    EXPECT_EQ(sh.cell(30, 3)->font.name, "Times New Roman");
    EXPECT_TRUE(sh.cell(47, 5)->font.bold);
}

TEST_F(GlideWorkbook, TheParameterCells) {
    test::ToGlideSetup(s, d);
    run();
    ASSERT_TRUE(output::WriteGlideOutput(s, o, d));
    const sheet::Sheet& sh = wb().sheet(1);
    const BirdParams& b = s.slot(ModeGlide);
    EXPECT_EQ(sh.value("E1"), sheet::Value("Example glider"));
    EXPECT_EQ(sh.value("E4"), sheet::Value(2.2));
    EXPECT_EQ(sh.value("E10"), sheet::Value(1.4));
    EXPECT_EQ(sh.value("E11"), sheet::Value(0.33));
    EXPECT_EQ(sh.value("D15"), sheet::Value("Linear (Bstop = " + FormatSig(s.Bstop, 3) + ")"));
    EXPECT_EQ(sh.value("E16"), num(100 * s.Glide.TonicMuscFrac));
    EXPECT_EQ(sh.value("E17"), num(s.FatEnergyHeight / 1000));
    EXPECT_EQ(sh.value("J10"), num(b.Cdb));
    EXPECT_EQ(sh.value("J13"), num(b.Cdw));
    EXPECT_EQ(sh.value("J17"), num(s.FuelEnergyHeight / 1000));
    s.Glide.SpanLaw = 2;
    ASSERT_TRUE(output::WriteGlideOutput(s, o, d));
    EXPECT_EQ(wb().sheet(2).value("D15"), sheet::Value("Minimise induced + profile drag"));
}

TEST_F(GlideWorkbook, MarksColourJ9AndE16Red) {
    test::ToGlideSetup(s, d);
    test::ClickGlide(s, d, "txtPayDragFactor");
    test::ClickGlide(s, d, "txtTonicMuscFrac");
    run();
    ASSERT_TRUE(output::WriteGlideOutput(s, o, d));
    EXPECT_EQ(test::Colour(wb().sheet(1), "J9"), sheet::kRed);
    EXPECT_EQ(test::Colour(wb().sheet(1), "E16"), sheet::kRed);
    EXPECT_EQ(test::Colour(wb().sheet(1), "J10"), sheet::kBlack);
}

TEST_F(GlideWorkbook, AnUnknownAgeIsWrittenAndTheSavedPathGoesIntoG3) {
    test::ToGlideSetup(s, d);
    run();
    s.Age = 3;
    ASSERT_TRUE(output::WriteGlideOutput(s, o, d));
    EXPECT_EQ(wb().sheet(1).value("E2"), sheet::Value("Unknown"));
    const std::string path = excelFolder("GlidePolars") + "/glide.xlsx";
    d.files = {path};
    ASSERT_EQ(output::SaveGlideWorkbook(s, o, d), output::WorkbookSaveOutcome::Saved);
    sheet::Workbook back = ReadBack(path);
    ASSERT_EQ(back.sheetCount(), 1);
    EXPECT_EQ(back.sheet(1).value("G3"), sheet::Value(path));
    EXPECT_EQ(back.sheet(1).value("E2"), sheet::Value("Unknown"));
    EXPECT_TRUE(back.sheet(1).value("F3").isText());  // the template's label stays
}
