// The goal distance screen and the stopover mass calculator.
#include <gtest/gtest.h>

#include <cmath>

#include "MigrateBird.h"
#include "migrate/GoalDistance.h"
#include "migrate/StopoverMass.h"
#include "state/StateOps.h"

using namespace ornivo;

namespace {

migrate::GoalDistanceForm form(const char* lat1, const char* lon1, const char* lat2, const char* lon2) {
    migrate::GoalDistanceForm f = migrate::LoadGoalDistance();
    f.LatDegText = {lat1, lat2};
    f.LongDegText = {lon1, lon2};
    return f;
}

}  // namespace

TEST(GoalDistance, QuarterAndOneHundredFiveDegreeArcs) {
    ProgramState s;
    platform::ScriptedDialogs d;
    auto f = form("0", "0", "0", "90");
    ScreenUpdate u;
    ASSERT_TRUE(migrate::UpdateDistance(s, f, d, &u));
    EXPECT_NEAR(f.Distance, 10001.02, 0.01);
    EXPECT_EQ(*u.textOf("txtDistance"), "10001");

    f = form("52", "0", "52", "0");
    f.LatMin = {30, 30};
    EXPECT_EQ(migrate::ToggleHemisphere(f, "txtLatNS2"), "South");
    ASSERT_TRUE(migrate::UpdateDistance(s, f, d, &u));
    EXPECT_EQ(*u.textOf("txtDistance"), "11668");

    // Minutes: 10 degrees 30 minutes is 10.5 degrees of arc from the equator.
    f = form("0", "0", "10", "0");
    f.LatMin[1] = 30;
    ASSERT_TRUE(migrate::UpdateDistance(s, f, d));
    EXPECT_NEAR(f.Distance, 10.5 * 20002 / 180 * (1.5708 / (s.Pi / 2)), 0.5);
}

TEST(GoalDistance, HemispheresOfBothLongitudesDoNotChangeTheDistance) {
    ProgramState s;
    platform::ScriptedDialogs d;
    auto f = form("40", "10", "30", "35");
    ASSERT_TRUE(migrate::UpdateDistance(s, f, d));
    const double west = f.Distance;
    EXPECT_EQ(migrate::ToggleHemisphere(f, "txtLongEW1"), "East");
    EXPECT_EQ(migrate::ToggleHemisphere(f, "txtLongEW2"), "East");
    ASSERT_TRUE(migrate::UpdateDistance(s, f, d));
    EXPECT_NEAR(f.Distance, west, 1e-6);
    EXPECT_EQ(migrate::ToggleHemisphere(f, "txtLongEW2"), "West");
}

TEST(GoalDistance, IdenticalAndOppositePointsHaveADistance) {
    ProgramState s;
    platform::ScriptedDialogs d;
    auto same = form("37.3", "12.1", "37.3", "12.1");
    ASSERT_TRUE(migrate::UpdateDistance(s, same, d));
    EXPECT_TRUE(std::isfinite(same.Distance));
    EXPECT_LT(same.Distance, 0.1);
    auto opposite = form("10", "10", "10", "170");
    opposite.LatSign[1] = -1;
    opposite.LongSign[1] = -1;
    ASSERT_TRUE(migrate::UpdateDistance(s, opposite, d));
    EXPECT_NEAR(opposite.Distance, 20002, 0.1);
}

TEST(GoalDistance, EmptyDegreeBoxIsRefusedAndAcceptLeavesTheGoal) {
    ProgramState s;
    platform::ScriptedDialogs d;
    s.GoalDist = 123;
    auto f = form("10", "", "20", "30");
    EXPECT_FALSE(migrate::AcceptGoalDistance(s, f, d));
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_EQ(d.messages()[0], (std::vector<std::string>{"Enter numbers in all four Degrees boxes",
                                                          "Click on boxes to toggle N-S or E-W"}));
    EXPECT_TRUE(f.ErrorFlag);
    EXPECT_FLOAT_EQ(s.GoalDist, 123);
    f.LongDegText[0] = "0";
    ScreenUpdate setup;
    ASSERT_TRUE(migrate::AcceptGoalDistance(s, f, d, &setup));
    EXPECT_FLOAT_EQ(s.GoalDist, float(f.Distance));
    EXPECT_EQ(*setup.textOf("txtGoalDist"), FormatPattern(s.GoalDist, "#0"));
}

namespace {

struct Stopover : ::testing::Test {
    ProgramState s;
    platform::ScriptedDialogs d;
    migrate::StopoverForm f;
    void SetUp() override {
        bird::LoadEnterBird(s);
        LoadEnergyConstants(s);
        f.DateBegin = "26-Apr-2008";
        f.TimeBegin = "08:30";
        f.DateMoveOn = "27-Apr-2008";
        f.TimeMoveOn = "08:10";
        f.MassBegin = "0.02";
        f.FatBegin = "0.002";
    }
};

}  // namespace

TEST_F(Stopover, HourStepsCountHourBoundariesPassed) {
    auto r = migrate::ComputeStopoverMass(s, f, d);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Hours, 24);
    f.DateMoveOn = "26-Apr-2008";
    f.TimeMoveOn = "10:15";
    EXPECT_EQ(migrate::ComputeStopoverMass(s, f, d)->Hours, 2);
    f.DateMoveOn = "2008-04-26";  // the other date form
    EXPECT_EQ(migrate::ComputeStopoverMass(s, f, d)->Hours, 2);
    // Move-on before the begin: no step, the masses unchanged.
    f.DateMoveOn = "25-Apr-2008";
    r = migrate::ComputeStopoverMass(s, f, d);
    EXPECT_EQ(r->Hours, 0);
    EXPECT_FLOAT_EQ(r->MassMoveOn, 0.02f);
    EXPECT_FLOAT_EQ(r->FatMoveOn, 0.002f);
}

TEST_F(Stopover, DefaultRatesGainMassEqualRatesKeepIt) {
    auto r = migrate::ComputeStopoverMass(s, f, d);
    ASSERT_TRUE(r);
    EXPECT_GT(r->MassMoveOn, r->MassBegin);
    EXPECT_GT(r->FatMoveOn, r->FatBegin);
    EXPECT_GT(r->FuelHeightMoveOn, r->FuelHeightBegin);
    // One hour at 1.5 x BMR of intake: mass gained = BMR x 1.5 x 3600 / Efuel.
    f.DateMoveOn = "26-Apr-2008";
    f.TimeMoveOn = "09:00";
    r = migrate::ComputeStopoverMass(s, f, d);
    const double bmr = 3.79 * std::pow(0.018, 0.723);
    EXPECT_NEAR(r->MassMoveOn - 0.02, bmr * 1.5 * 3600 / s.Efuel, 1e-8);
    f.FeedText = "3";
    f.TimeMoveOn = "23:00";
    r = migrate::ComputeStopoverMass(s, f, d);
    EXPECT_EQ(r->Hours, 15);
    EXPECT_FLOAT_EQ(r->MassMoveOn, 0.02f);
    EXPECT_FLOAT_EQ(r->FatMoveOn, 0.002f);
}

TEST_F(Stopover, PasserinesSpendFasterThanOthers) {
    f.FeedText = "1";
    s.TaxonGroup = 2;
    const float other = migrate::ComputeStopoverMass(s, f, d)->MassMoveOn;
    s.TaxonGroup = 1;
    const float passerine = migrate::ComputeStopoverMass(s, f, d)->MassMoveOn;
    EXPECT_LT(passerine, other);
    EXPECT_LT(other, 0.02f);
}

TEST_F(Stopover, MissingOrUnreadableEntriesAreRefused) {
    f.MassBegin.clear();
    EXPECT_FALSE(migrate::ComputeStopoverMass(s, f, d));
    EXPECT_EQ(d.errors().back(), "Please supply date, time and mass estimates when stopover began");
    f.MassBegin = "0.02";
    f.TimeMoveOn.clear();
    EXPECT_FALSE(migrate::ComputeStopoverMass(s, f, d));
    EXPECT_EQ(d.errors().back(), "Please suppy date and time stopover ends");
    f.TimeMoveOn = "25:00";
    EXPECT_FALSE(migrate::ComputeStopoverMass(s, f, d));
    f.TimeMoveOn = "08:00";
    f.DateMoveOn = "31-Feb-2008";
    EXPECT_FALSE(migrate::ComputeStopoverMass(s, f, d));
    f.DateMoveOn = "27-Apr-2008";
    f.MassBegin = "0";
    EXPECT_FALSE(migrate::ComputeStopoverMass(s, f, d));
    // A fast so long that the bird would have no lean mass left.
    f.MassBegin = "0.02";
    f.FeedText = "0";
    f.ExistenceText = "50";
    f.DateMoveOn = "27-Apr-2009";
    EXPECT_FALSE(migrate::ComputeStopoverMass(s, f, d));
    EXPECT_EQ(d.shown.size(), 6u);
}

TEST_F(Stopover, LoadRevisedMassWritesTheMigrationSlot) {
    test::ToMigrateSetup(s, d);
    migrate::LoadStopoverMass(s);
    EXPECT_TRUE(s.Migration.StopMassReturn);
    auto r = migrate::ComputeStopoverMass(s, f, d);
    ASSERT_TRUE(r);
    ScreenUpdate u = migrate::LoadRevisedMass(s, *r);
    const BirdParams& b = s.slot(2);
    EXPECT_FLOAT_EQ(b.EmptyMass, r->MassMoveOn);
    EXPECT_FLOAT_EQ(b.FatMass, r->FatMoveOn);
    EXPECT_FLOAT_EQ(b.MuscleMass, float(double(r->MassMoveOn) * b.MuscleFrac));
    EXPECT_NEAR(b.AirframeMass, b.EmptyMass - b.FatMass - b.MuscleMass, 1e-9);
    EXPECT_EQ(*u.textOf("txtEmptyMass"), FormatSig(b.EmptyMass, 3));
    migrate::ActivateSetupMigrate(s);
    EXPECT_FALSE(s.Migration.StopMassReturn);
    EXPECT_FLOAT_EQ(b.Pbmr, float(3.79 * std::pow(double(b.EmptyMass) - b.FatMass, 0.723)));
}
