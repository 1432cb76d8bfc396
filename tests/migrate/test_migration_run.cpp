// The programmed migration run: records and rows, speed control, protein criteria, the climb, the
// abort outcomes, the row limit, and the energy balance of the fuel burnt.
#include "MigrateBird.h"

#include <cmath>

using namespace ornivo;
using test::Click;
using test::Type;

namespace {

struct MigrationRun : ::testing::Test {
    ProgramState s;
    platform::ScriptedDialogs d;
    void SetUp() override { test::ToMigrateSetup(s, d); }
    void start() { ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished); }
};

// Flight hours of a table row (column 1 of the power table holds them unrounded).
float hoursOf(const ProgramState& s, int row) { return s.Migration.PowerTable[row][1]; }

}  // namespace

TEST_F(MigrationRun, WithoutClimbTheClimbValuesStayZero) {
    start();
    EXPECT_FALSE(s.Migration.ClimbFlag);
    EXPECT_EQ(s.Migration.ClimbTime, 0);
    EXPECT_EQ(s.Migration.ClimbDist, 0);
    EXPECT_EQ(s.Migration.FinalGlideDist, 0);
    EXPECT_EQ(s.Migration.FinalGlideTime, 0);
    EXPECT_EQ(s.Migration.FinalVclimb, 0);
    EXPECT_GT(s.Migration.InitialVclimb, 0);
    EXPECT_FLOAT_EQ(s.Migration.StateLog[0][0], 0);  // departure record
    EXPECT_FLOAT_EQ(s.Migration.StateLog[0][6], s.slot(2).AllUpMass);
    EXPECT_FLOAT_EQ(s.Migration.StateLog[0][20], 0);
    // Slot 2 keeps the start values; the run has its own masses.
    EXPECT_NEAR(s.slot(2).FatMass, 0.15, 1e-6);
    EXPECT_EQ(s.Migration.Mig.FatMass, 0);
}

TEST_F(MigrationRun, AtSeaLevelTheRunStartsFromTheExactDensity) {
    start();
    EXPECT_FLOAT_EQ(s.Migration.StartDensity, 1.225f);  // not the field's 3-digit 1.23
    EXPECT_FLOAT_EQ(s.Migration.StartAltitude, 0);
}

TEST_F(MigrationRun, NoGoalLeavesTheArrivalRecordEmpty) {
    start();
    EXPECT_FALSE(s.Migration.Arrived);
    for (float v : s.Migration.EndStates[0]) EXPECT_EQ(v, 0);
}

TEST_F(MigrationRun, ArrivalRecordHoldsTheFirstStepPastTheGoal) {
    Type(s, d, "txtGoalDist", "500");
    start();
    ASSERT_TRUE(s.Migration.Arrived);
    const float dist = s.Migration.EndStates[0][1], speed = s.Migration.EndStates[0][2];
    EXPECT_GE(dist, 500);
    EXPECT_LT(dist, 500 + 6 * speed * 0.06 + 1e-3);
    EXPECT_LT(s.Migration.EndStates[0][0], s.Migration.EndStates[1][0]);
}

TEST_F(MigrationRun, OutOfFuelWritesOneExtraRowWithNoFat) {
    start();
    const int last = s.Migration.RowsWritten;
    ASSERT_GT(last, 1);
    EXPECT_EQ(s.Migration.TravelTable[last][9], 0);   // fat mass
    EXPECT_EQ(s.Migration.FuelTable[last][9], 0);     // fuel fraction
    EXPECT_EQ(s.Migration.FuelTable[last][10], 0);    // energy height
    EXPECT_EQ(s.Migration.FuelTable[last][11], 0);    // metabolic sink
    EXPECT_GT(hoursOf(s, last), hoursOf(s, last - 1));
    EXPECT_LE(hoursOf(s, last), hoursOf(s, last - 1) + 6 + 1e-3);
    EXPECT_FLOAT_EQ(s.Migration.EndStates[1][0], hoursOf(s, last));
    EXPECT_EQ(s.Migration.EndStates[1][8], 0);
    EXPECT_EQ(s.Migration.EndStates[1][27], 0);
    for (int r = 1; r < last; ++r) EXPECT_NEAR(hoursOf(s, r), 6.0 * r, 1e-3);
    for (std::size_t r = last + 1; r < s.Migration.TravelTable.size(); ++r) EXPECT_EQ(s.Migration.TravelTable[r][1], 0);
}

TEST_F(MigrationRun, QuarterHourIntervalFillsOnlyRowsOnSixMinuteSteps) {
    Type(s, d, "frmSetDefaultsMigr.txtOutputInt", "0.25");
    start();
    EXPECT_EQ(s.Migration.MaxRow, 2400);
    ASSERT_GT(s.Migration.RowsWritten, 10);
    for (int r = 1; r < s.Migration.RowsWritten - 1; ++r) {
        if (r % 2 == 0) EXPECT_NEAR(hoursOf(s, r), 0.25 * r, 1e-4) << r;
        else EXPECT_EQ(s.Migration.TravelTable[r][3], 0) << r;
    }
}

TEST_F(MigrationRun, StandardSpeedFollowsVmrOnceItFallsToTheSpeed) {
    Type(s, d, "txtVratio", "1.6");
    start();
    // At or above the starting speed until Vmr has fallen to it, then falling with Vmr.
    bool capped = false;
    for (int r = 0; r < s.Migration.RowsWritten; ++r) {
        const float V = s.Migration.TravelTable[r][3];
        if (r > 0 && V < s.Migration.TravelTable[r - 1][3]) capped = true;
        if (capped) EXPECT_LE(V, s.Migration.TravelTable[r - 1][3] + 1e-4f) << r;
        else EXPECT_GE(V, s.Migration.Mig.StartSpeed - 1e-4f) << r;
    }
    EXPECT_TRUE(capped);
    EXPECT_EQ(s.Migration.Mig.SpeedBelowVmr, 0);
    EXPECT_FLOAT_EQ(s.Migration.Mig.Speed, s.Migration.Mig.Vmr);
}

TEST_F(MigrationRun, HoldRatioAndHoldSpeed) {
    Click(s, d, "optVratioConst");
    start();
    for (int r = 0; r <= s.Migration.RowsWritten; ++r) EXPECT_NEAR(s.Migration.TravelTable[r][5], 1.2, 1e-5) << r;
    test::ToMigrateSetup(s, d);
    Click(s, d, "optVconst");
    start();
    for (int r = 1; r <= s.Migration.RowsWritten; ++r) EXPECT_FLOAT_EQ(s.Migration.TravelTable[r][3], s.Migration.Mig.StartSpeed) << r;
}

TEST_F(MigrationRun, NoMinimumProteinNeverTakesAirframe) {
    Type(s, d, "frmSetDefaultsMigr.txtProtFracTarget", "0");
    for (const char* crit : {"optSpWorkConst", "optSpPowerConst", "optMuscleMassConst"}) {
        Click(s, d, crit);
        Click(s, d, "optVconst");
        start();
        for (int r = 0; r <= s.Migration.RowsWritten; ++r)
            EXPECT_FLOAT_EQ(s.Migration.TravelTable[r][11], s.Migration.Mig.AirframeMass0) << crit;
    }
    // With the default 5 per cent the airframe gives protein.
    test::ToMigrateSetup(s, d);
    start();
    EXPECT_LT(s.Migration.TravelTable[s.Migration.RowsWritten][11], s.Migration.Mig.AirframeMass0);
}

// Every kilogram burnt is accounted once: the fat and protein energy lost equals the chemical
// energy spent, step by step, for each protein criterion (with a speed held, so that protein is cut).
TEST_F(MigrationRun, FuelEnergyBalancesTheChemicalEnergySpent) {
    for (int crit = 1; crit <= 3; ++crit) {
        for (int mito = 1; mito <= 2; ++mito) {
            test::ToMigrateSetup(s, d);
            Click(s, d, crit == 1 ? "optSpWorkConst" : crit == 2 ? "optSpPowerConst" : "optMuscleMassConst");
            Click(s, d, "optVconst");
            Click(s, d, mito == 1 ? "frmSetDefaultsMigr.optMitoFracConst" : "frmSetDefaultsMigr.optPdensityConst");
            // The run's own steps, summing the energy of each.
            s.Migration.SpeedControl = 2;
            s.Migration.MuscleControl = static_cast<int16_t>(crit);
            s.Migration.ProjectedMode = true;
            migrate::MigrationStart(s, d);
            migrate::MigPowerAtSpeed(s, s.Migration.Mig.Speed);
            migrate::MuscleStateInit(s);
            double spent = 0;
            for (int step = 0; step < 300 && s.Migration.Mig.FatMass > 0.01f; ++step) {
                migrate::CruiseStep(s);
                spent += s.Migration.Mig.StepEnergy;
            }
            ASSERT_GT(spent, 1e6);
            if (crit != 3 || mito == 2) {
                EXPECT_LT(s.Migration.Mig.MuscleMass, s.Migration.Mig.MuscleMass0) << crit << mito;
            }
            // Within half a per cent (a myofibril cut credited twice falls about 2 per cent short).
            EXPECT_NEAR(s.Migration.Mig.FuelEnergy / spent, 1.0, 0.005) << "criterion " << crit << " mito " << mito;
        }
    }
}

TEST_F(MigrationRun, ClimbEndsOnAWholeCruiseStep) {
    for (const char* cruise : {"1", "300", "1500"}) {
        test::ToMigrateSetup(s, d);
        Type(s, d, "txtAltCruise", cruise);
        start();
        ASSERT_TRUE(s.Migration.ClimbFlag);
        EXPECT_FALSE(s.Migration.ClimbAborted);
        const int32_t secs = CInt(double(s.Migration.ClimbTime) * 60);
        EXPECT_GT(secs, 0);
        EXPECT_GE(s.Migration.CruiseAlt, std::stof(cruise));
        EXPECT_GT(s.Migration.FinalVclimb, 0);
        EXPECT_NEAR(s.Migration.ClimbDist, secs * s.Migration.Mig.StartSpeed / 1000, 0.05 * s.Migration.ClimbDist);
        // The first cruise row lies on whole 6-minute steps after the climb and its remainder.
        const int32_t firstStepEnd = (secs / 360 + 1) * 360;
        EXPECT_NEAR(hoursOf(s, 1), 6.0, 1e-4);
        EXPECT_LE(firstStepEnd, 6 * 3600);
        EXPECT_GT(s.Migration.FinalGlideDist, 0);
        EXPECT_FLOAT_EQ(s.Altitude, s.Migration.StartAltitude);
        EXPECT_EQ(s.FlightStyle, 1);
    }
}

TEST_F(MigrationRun, ClimbOfWholeStepsAddsAFullStep) {
    // The state a programmed run climbs from.
    s.Migration.MaxRow = 100;
    migrate::CreateOutputTables(s);
    migrate::MigrationStart(s, d);
    migrate::MigPowerAtSpeed(s, s.Migration.Mig.Speed);
    migrate::MuscleStateInit(s);
    s.Migration.Mig.MaxPowerMech = float(double(s.Flap.MaxSpecificWork) * s.Migration.Mig.MyofibrilMass * s.Migration.Mig.WbeatFreq);
    s.Migration.Mig.MaxPowerChem = float((double(s.Migration.Mig.MaxPowerMech) + s.slot(2).EtaPbmr) * s.Resp / s.Eta);
    const float x = float(double(s.Kmito) * 0.3 * s.SigmaMax * s.Lambda * s.Migration.Mig.WbeatFreq);
    s.Migration.MitoFracStart = float(double(x) / (double(x) + 1));
    auto climbTo = [&](double alt) {
        ProgramState p = s;
        p.Migration.CruiseAlt = float(alt);
        migrate::InitialClimb(p);
        return p;
    };
    // A cruise altitude reached at exactly second 360 (the climb's length grows with the altitude).
    double lo = 0, hi = 3000;
    ProgramState p = climbTo(hi);
    ASSERT_GT(p.Migration.Mig.ClimbSeconds, 360);
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        p = climbTo(mid);
        if (p.Migration.Mig.ClimbSeconds == 360) break;
        (p.Migration.Mig.ClimbSeconds < 360 ? lo : hi) = mid;
    }
    ASSERT_EQ(p.Migration.Mig.ClimbSeconds, 360);
    EXPECT_EQ(p.Migration.Mig.ElapsedSec, 720);  // a whole step of climb still adds a further 360 seconds
    EXPECT_FLOAT_EQ(p.Migration.ClimbTime, 6);
    const ProgramState q = climbTo(lo * 0.5);
    EXPECT_EQ(q.Migration.Mig.ElapsedSec, 360);  // a shorter climb is filled up to the step
    EXPECT_LT(q.Migration.Mig.ClimbSeconds, 360);
}

TEST_F(MigrationRun, ClimbBelowTheThresholdCarriesOnAtTheAltitudeReached) {
    start();
    const float takeOff = s.Migration.InitialVclimb;
    // A threshold above the take-off rate stops the climb at once; one below it lets it go on.
    test::ToMigrateSetup(s, d);
    Type(s, d, "txtAltCruise", "2000");
    Type(s, d, "frmSetDefaultsMigr.txtVclimbThreshold", test::Num(takeOff * 1.01));
    start();
    ASSERT_TRUE(s.Migration.ClimbAborted);
    EXPECT_FLOAT_EQ(s.Migration.CruiseAlt, 0);
    EXPECT_EQ(s.Migration.ClimbTime, 0);
    EXPECT_GT(s.Migration.RowsWritten, 1);  // the run carries on
    auto texts = migrate::ClimbAbortTexts(s);
    EXPECT_EQ(texts[1], "0");
    EXPECT_EQ(texts[3], "because rate of climb dropped below " + test::Num(takeOff * 1.01) + " m/s");

    test::ToMigrateSetup(s, d);
    Type(s, d, "txtAltCruise", "2000");
    start();
    EXPECT_FALSE(s.Migration.ClimbAborted);
    EXPECT_GE(s.Migration.CruiseAlt, 2000);
    texts = migrate::ClimbAbortTexts(s);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], "Climb aborted at");
    EXPECT_EQ(texts[1], FormatPattern(s.Migration.CruiseAlt, "0.#"));
    EXPECT_EQ(texts[3], "because rate of climb dropped below 0.02 m/s");
    EXPECT_EQ(texts[4], "Migration continues at this altitude");
}

TEST_F(MigrationRun, BirdThatCannotClimbGetsTheAbortAndNoResults) {
    // Specific work above the muscles' maximum at the starting speed: a heavy bird on small wings.
    test::TypedBird heavy = test::MigBird();
    heavy.mass = 2;
    heavy.span = 0.35;
    heavy.area = 0.02;
    test::ToMigrateSetup(s, d, heavy, 0.3);
    EXPECT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::CannotClimb);
    EXPECT_TRUE(s.Migration.MigrationAborted);
    EXPECT_LT(s.Flap.ClimbRate, 0);
    EXPECT_GT(s.Migration.Mig.SpecificWork, s.Flap.MaxSpecificWork);
    EXPECT_EQ(s.Migration.RowsWritten, 0);
    for (float v : s.Migration.TravelTable[0]) EXPECT_EQ(v, 0);
    for (float v : s.Migration.StateLog[0]) EXPECT_EQ(v, 0);
    EXPECT_EQ(migrate::MigrAbortTitle(), "Abort Migration");
    EXPECT_EQ(migrate::MigrAbortTexts()[1], "Bird cannot climb with these settings");
}

TEST_F(MigrationRun, ARunPastTheLastRowEndsThereAndKeepsItsRecords) {
    // One row only (600 / 700 hours): the out-of-fuel row has no room.
    Type(s, d, "frmSetDefaultsMigr.txtOutputInt", "700");
    start();
    EXPECT_EQ(s.Migration.MaxRow, 0);
    EXPECT_TRUE(s.Migration.RowsExhausted);
    EXPECT_EQ(s.Migration.RowsWritten, 0);
    EXPECT_EQ(s.Migration.TravelTable.size(), 1u);
    EXPECT_GT(s.Migration.EndStates[1][0], 0);  // the out-of-fuel record is kept
    ASSERT_FALSE(d.messages().empty());
    EXPECT_EQ(d.messages().back(), migrate::RowsExhaustedMessage());
    // Rows beyond the tables are refused by the writers themselves.
    s.Migration.Mig.Row = 5;
    EXPECT_FALSE(migrate::RecordRow(s));
    EXPECT_FALSE(migrate::RecordState(s));
}
