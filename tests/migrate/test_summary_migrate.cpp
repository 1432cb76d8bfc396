// The migration results screen's rules: the three columns, the goal and GPS captions of the arrival
// column, the out-of-fuel zeros, the climb block and the save box caption.
#include "MigrateBird.h"

#include "migrate/SummaryMigrate.h"
#include "state/numtext.h"

using namespace ornivo;
using test::Type;

namespace {
struct SummaryMigrate : ::testing::Test {
    ProgramState s;
    platform::ScriptedDialogs d;
    void SetUp() override { test::ToMigrateSetup(s, d); }
    ScreenUpdate run() {
        EXPECT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
        return migrate::LoadSummaryMigrate(s);
    }
    static bool shown(const ScreenUpdate& u, const std::string& c) {
        bool v = false;
        for (const auto& [name, on] : u.visible)
            if (name == c) v = on;
        return v;
    }
    static std::string text(const ScreenUpdate& u, const std::string& c) {
        const std::string* t = u.textOf(c);
        return t ? *t : "<none>";
    }
};
}  // namespace

TEST_F(SummaryMigrate, ColumnsFromTheDepartureArrivalAndOutOfFuelRecords) {
    Type(s, d, "txtGoalDist", "300");
    const ScreenUpdate u = run();
    ASSERT_TRUE(s.Migration.Arrived);
    EXPECT_EQ(text(u, "txtHrs_0"), "0.0");
    EXPECT_EQ(text(u, "txtHrs_1"), FormatPattern(s.Migration.EndStates[0][0], "#0.0"));
    EXPECT_EQ(text(u, "txtHrs_2"), FormatPattern(s.Migration.EndStates[1][0], "#0.0"));
    EXPECT_EQ(text(u, "txtDistance_2"), std::to_string(static_cast<long long>(s.Migration.EndStates[1][1])));
    EXPECT_EQ(text(u, "txtVratio_0"), FormatSig(s.Migration.StateLog[0][2] / s.Migration.StateLog[0][3], 3));
    EXPECT_EQ(text(u, "txtFatBurn_2"), FormatSig(s.Migration.EndStates[1][15] / 1000, 3));
    // Protein and BMR shares have no departure value; fuel gone shows as 0.
    EXPECT_EQ(text(u, "txtPercentProt_0"), "");
    EXPECT_EQ(text(u, "txtPercentProt_1"), FormatSig(s.Migration.EndStates[0][18], 3));
    EXPECT_EQ(text(u, "txtFatProtHeight_2"), "0");
    EXPECT_EQ(text(u, "txtFatFrac_2"), "0");
    EXPECT_EQ(text(u, "lblArrival_0"), "Arrival");
    // Every row has its three fields.
    for (const std::string& row : migrate::SummaryMigrateRows())
        for (int c = 0; c < 3; ++c) EXPECT_NE(text(u, row + "_" + std::to_string(c)), "<none>") << row << c;
}

TEST_F(SummaryMigrate, NoGoalAndAGoalNotReached) {
    ScreenUpdate u = run();
    EXPECT_EQ(text(u, "txtHrs_1"), "No goal set");
    EXPECT_EQ(text(u, "txtFat_1"), "");
    test::ToMigrateSetup(s, d);
    Type(s, d, "txtGoalDist", "19000");
    u = run();
    ASSERT_FALSE(s.Migration.Arrived) << s.GoalDist;
    EXPECT_EQ(text(u, "txtHrs_1"), "Out of fuel");
    EXPECT_EQ(text(u, "txtTAS_1"), "");
}

TEST_F(SummaryMigrate, ClimbBlockOnlyWithAClimbAndEndGpsForAGpsRun) {
    ScreenUpdate u = run();
    EXPECT_FALSE(shown(u, "fraClimb"));
    EXPECT_EQ(u.textOf("txtClimbTime"), nullptr);
    test::ToMigrateSetup(s, d);
    Type(s, d, "txtAltCruise", "1500");
    u = run();
    EXPECT_TRUE(shown(u, "fraClimb"));
    EXPECT_EQ(text(u, "txtClimbTime"), FormatSig(s.Migration.ClimbTime, 3));
    EXPECT_EQ(text(u, "txtCruiseAlt"), FormatPattern(s.Migration.CruiseAlt, "0"));

    s.Migration.GpsMode = true;  // as a GPS run leaves it
    u = migrate::LoadSummaryMigrate(s);
    EXPECT_EQ(text(u, "lblArrival_0"), "End GPS");
    EXPECT_EQ(text(u, "lblArrival_1"), "End GPS");
    EXPECT_NE(text(u, "txtHrs_1"), "No goal set");
}

TEST_F(SummaryMigrate, FatThatRanOutOnTheTrackIsSaidUnderTheTables) {
    run();
    s.Migration.GpsMode = true;
    ScreenUpdate u = migrate::LoadSummaryMigrate(s);
    EXPECT_FALSE(shown(u, "lblFatRanOut"));
    s.Gps.FatRanOut = FatRanOutPoint{12, 42493, 0.5};
    u = migrate::LoadSummaryMigrate(s);
    EXPECT_TRUE(shown(u, "lblFatRanOut"));
    EXPECT_EQ(text(u, "lblFatRanOut"), "Fat ran out at point 12 (2016-05-03 12:00:00); later rows show the deficit");
}

TEST_F(SummaryMigrate, SaveBoxCaptions) {
    s.UseTextFiles = true;
    EXPECT_EQ(migrate::MigrationSaveBoxCaption(s), "   Open a text file to save results of this run");
    s.UseTextFiles = false;
    EXPECT_EQ(migrate::MigrationSaveBoxCaption(s), "Save results as Sheet 1 of a new Excel workbook");
    s.OutputCount = 1;
    s.OutFileName = "Tb";
    EXPECT_EQ(migrate::MigrationSaveBoxCaption(s), "Save results as a new sheet in workbook Tb");
    s.UseTextFiles = true;
    EXPECT_EQ(migrate::MigrationSaveBoxCaption(s), "Append results of this run to file Tb");
}
