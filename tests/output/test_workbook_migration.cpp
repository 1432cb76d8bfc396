// The migration workbook: parameter cells, the programmed-run cells and their absence in a GPS run,
// the summary block, the four tables with their headings at rows that follow RowsWritten, the
// special rows and the notice block.
#include <gtest/gtest.h>

#include <cmath>

#include "WorkbookFixture.h"
#include "migrate/MigrateBird.h"
#include "output/MigrationWorkbook.h"
#include "state/numtext.h"

using namespace ornivo;

namespace {

struct MigrationWorkbook : test::WorkbookRun {
    // Tables of rows 0 to `rows` whose cell (r, c) holds r + c / 100 (time r + 0.01).
    void syntheticTables(int rows) {
        s.Migration.RowsWritten = rows;
        for (MigrationTable* t : {&s.Migration.TravelTable, &s.Migration.PowerTable, &s.Migration.FuelTable, &s.Migration.GpsTable}) {
            t->assign(static_cast<std::size_t>(rows) + 1);
            for (int r = 0; r <= rows; ++r)
                for (int c = 1; c < TableColumns; ++c) (*t)[r][c] = float(r + c / 100.0);
        }
        s.Migration.StateLog.assign(static_cast<std::size_t>(rows) + 1, MigrationRecord{});
        prepareOutput();
    }
    sheet::Sheet& write() {
        EXPECT_TRUE(output::WriteMigrationRun(s, o, d));
        return wb().sheet(s.OutputCount);
    }
};

}  // namespace

TEST_F(MigrationWorkbook, TwentyRowsPutThePowerTableHeadingsInRows72To74) {
    syntheticTables(20);
    const sheet::Sheet& sh = write();
    for (int r = 0; r <= 20; ++r) {
        EXPECT_EQ(sh.value(50 + r, 1), sheet::Value(LeadingNumber(FormatSig(float(r + 0.01), 3)))) << r;
        EXPECT_EQ(sh.value(50 + r, 11), sheet::Value(LeadingNumber(FormatSig(float(r + 0.11), 3)))) << r;
    }
    EXPECT_EQ(sh.value(72, 1), sheet::Value("Time"));
    EXPECT_TRUE(sh.value(73, 1).isEmpty());
    EXPECT_EQ(sh.value(74, 1), sheet::Value("Hrs"));
    EXPECT_EQ(sh.value(72, 2), sheet::Value("Mechanical"));
    EXPECT_EQ(sh.value(73, 11), sheet::Value("mass frac"));
    EXPECT_EQ(sh.value(74, 11), sheet::Value("%"));
    EXPECT_EQ(sh.cell(72, 5)->align, sheet::Align::Right);
    EXPECT_TRUE(sh.cell(74, 5)->font.bold);
    EXPECT_EQ(sh.value(75, 1), sheet::Value(0.01));
    EXPECT_EQ(sh.value(95, 1), sheet::Value(20.0));
    EXPECT_TRUE(sh.value(96, 1).isEmpty());
    EXPECT_EQ(sh.value(97, 2), sheet::Value("Fat"));
    EXPECT_EQ(sh.value(99, 10), sheet::Value("km"));
    EXPECT_EQ(sh.value(100, 1), sheet::Value(0.01));
    EXPECT_EQ(sh.value(120, 1), sheet::Value(20.0));
    // The notice block of a programmed run: N = 61 + 3 RW.
    EXPECT_TRUE(sh.value(121, 1).isEmpty());
    EXPECT_EQ(sh.value(122, 1), sheet::Value(s.VersionLine));
    EXPECT_EQ(sh.value(126, 1), sheet::Value(s.NoticeLines[3]));
    EXPECT_EQ(sh.cell(126, 1)->align, sheet::Align::Left);
    EXPECT_TRUE(sh.value(142, 1).isEmpty());  // no GPS table
}

TEST_F(MigrationWorkbook, AGpsRunAddsItsTableEmptiesTheProgrammedCellsAndMarksSpecialRows) {
    syntheticTables(10);
    s.Migration.GpsMode = true;
    s.Gps.StopoverNote = "Stopover at the lake";
    for (MigrationTable* t : {&s.Migration.TravelTable, &s.Migration.PowerTable, &s.Migration.FuelTable, &s.Migration.GpsTable}) {
        (*t)[4][1] = -1;  // a stop
        (*t)[9][1] = 0;   // past the end of the track
    }
    const sheet::Sheet& sh = write();
    EXPECT_EQ(sh.value(54, 1), sheet::Value("Stopover at the lake"));
    EXPECT_TRUE(sh.value(54, 2).isEmpty());
    EXPECT_EQ(sh.value(59, 1), sheet::Value("End of GPS data"));
    EXPECT_TRUE(sh.value(59, 11).isEmpty());
    EXPECT_EQ(sh.value(50, 1), sheet::Value(0.01));  // row 0 is never special
    // GPS table: headings at 62 + 3 RW, data from 65 + 3 RW, four columns.
    EXPECT_EQ(sh.value(92, 2), sheet::Value("Altitude"));
    EXPECT_EQ(sh.value(93, 3), sheet::Value("density"));
    EXPECT_EQ(sh.value(94, 3), sheet::Value("kg/cu m"));
    EXPECT_EQ(sh.value(95, 4), sheet::Value(0.04));
    EXPECT_TRUE(sh.value(95, 5).isEmpty());
    EXPECT_EQ(sh.value(99, 1), sheet::Value("Stopover at the lake"));
    // The notice block of a GPS run: N = 66 + 4 RW.
    EXPECT_EQ(sh.value(107, 1), sheet::Value(s.VersionLine));
    // No programmed-run values or labels.
    for (const char* c : {"A13", "A14", "E13", "E14", "G14", "J14", "J15", "I19", "G19", "G20", "J20", "G23", "J23", "A29"})
        EXPECT_TRUE(sh.value(c).isEmpty()) << c;
}

TEST_F(MigrationWorkbook, AProgrammedRunWithAClimb) {
    test::ToMigrateSetup(s, d);
    test::Type(s, d, "txtAltCruise", 1000.0);
    test::Type(s, d, "txtGoalDist", 500.0);
    test::Click(s, d, "txtPayDragFactor");
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    ASSERT_TRUE(s.Migration.ClimbFlag);
    prepareOutput();
    const sheet::Sheet& sh = write();
    auto num = [](double x, int n = 3) { return sheet::Value(LeadingNumber(FormatSig(float(x), n))); };
    EXPECT_EQ(sh.value("E4"), sheet::Value(0.5));
    EXPECT_EQ(sh.value("E13"), num(s.Migration.StartDensity));
    EXPECT_EQ(sh.value("E14"), sheet::Value(0.0));
    EXPECT_EQ(sh.value("J15"), sheet::Value(1000.0));
    EXPECT_EQ(sh.value("J23"), sheet::Value(500.0));
    EXPECT_EQ(sh.value("I19"), sheet::Value("Standard"));
    EXPECT_EQ(sh.value("D23"), sheet::Value("Constant specific work"));
    EXPECT_EQ(sh.value("D24"), sheet::Value("Constant mito power density"));
    EXPECT_EQ(sh.value("E22"), num(100 * s.ProtFracTarget));
    EXPECT_EQ(sh.value("G15"), sheet::Value("Cruising altitude (m ASL)"));
    EXPECT_EQ(sh.value("A30"), sheet::Value("Initial rate of climb (m/sec)"));
    EXPECT_EQ(sh.value("E30"), num(s.Migration.InitialVclimb));
    EXPECT_EQ(sh.value("J32"), num(s.Migration.FinalGlideDist));
    EXPECT_EQ(sh.value("J20"), num(s.Migration.Vratio));
    EXPECT_EQ(test::Colour(sh, "E17"), sheet::kRed);
    EXPECT_EQ(test::Colour(sh, "E16"), sheet::kBlack);

    // The summary block.
    EXPECT_EQ(sh.value("A36"), sheet::Value("Migration Summary"));
    EXPECT_EQ(sh.value("F38"), sheet::Value("Arrive destination"));
    const MigrationRecord& dep = s.Migration.StateLog[0];
    const MigrationRecord& arr = s.Migration.EndStates[0];
    const MigrationRecord& out = s.Migration.EndStates[1];
    EXPECT_EQ(sh.value("H39"), sheet::Value(std::trunc(double(out[1]))));
    EXPECT_EQ(sh.value("H40"), sheet::Value(LeadingNumber(FormatPattern(out[0], "#0.0"))));
    EXPECT_EQ(sh.value("D41"), num(dep[6]));
    EXPECT_EQ(sh.value("F44"), num(arr[27] / 1000.0));
    EXPECT_TRUE(sh.value("D45").isEmpty());
    EXPECT_EQ(sh.value("F45"), num(double(arr[1]) * 1000 / (double(dep[27]) - arr[27])));
    EXPECT_EQ(sh.value("H45"), num(double(out[1]) * 1000 / dep[27]));
    EXPECT_TRUE(sh.cell("H45")->font.bold);
    EXPECT_EQ(sh.value(50 + s.Migration.RowsWritten + 2, 1), sheet::Value("Time"));
}

// A run with no climb still shows its starting ratio beside the label, and an unknown age reads
// "Unknown" as in the text file; both in the saved file too.
TEST_F(MigrationWorkbook, AProgrammedRunWithoutAClimbShowsItsStartingRatioAndAnUnknownAge) {
    test::ToMigrateSetup(s, d);
    test::Type(s, d, "txtGoalDist", 300.0);
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    ASSERT_FALSE(s.Migration.ClimbFlag);
    s.Age = 3;
    prepareOutput();
    const sheet::Sheet& sh = write();
    EXPECT_EQ(sh.value("G20"), sheet::Value("Starting ratio V:Vmp"));
    EXPECT_EQ(sh.value("J20"), sheet::Value(1.2));
    EXPECT_EQ(sh.value("E2"), sheet::Value("Unknown"));
    const std::string path = excelFolder("Migration") + "/noclimb.xlsx";
    d.files = {path};
    ASSERT_EQ(output::SaveMigrationWorkbook(s, o, d), output::WorkbookSaveOutcome::Saved);
    sheet::Workbook back = ReadBack(path);
    EXPECT_EQ(back.sheet(1).value("J20"), sheet::Value(1.2));
    EXPECT_EQ(back.sheet(1).value("E2"), sheet::Value("Unknown"));
}

TEST_F(MigrationWorkbook, AZeroEnergyHeightLeavesTheGradientEmpty) {
    syntheticTables(2);
    s.Migration.EndStates[1][1] = 300;
    const sheet::Sheet& sh = write();
    EXPECT_TRUE(sh.value("H45").isEmpty());
    EXPECT_TRUE(sh.value("F45").isEmpty());
}

TEST_F(MigrationWorkbook, SavedWorkbookReadsBackTheSame) {
    syntheticTables(20);
    write();
    sheet::Workbook before = wb();
    const std::string path = excelFolder("Migration") + "/mig.xlsx";
    d.files = {path};
    ASSERT_EQ(output::SaveMigrationWorkbook(s, o, d), output::WorkbookSaveOutcome::Saved);
    before.sheet(1).write("F3", path);
    sheet::Workbook back = ReadBack(path);
    ASSERT_EQ(back.sheetCount(), 1);
    test::ExpectSameValues(back.sheet(1), before.sheet(1));
}
