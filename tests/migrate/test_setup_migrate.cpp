// The migration setup and settings screens' rules and the checks of "Start migrating".
#include "MigrateBird.h"

#include <cmath>

#include "atmosphere/Atmosphere.h"
#include "state/StateOps.h"

using namespace ornivo;
using test::Click;
using test::Type;

namespace {
struct SetupMigrate : ::testing::Test {
    ProgramState s;
    platform::ScriptedDialogs d;
    void SetUp() override { test::ToMigrateSetup(s, d); }
};
}  // namespace

TEST_F(SetupMigrate, LoadCopiesTheBirdAndSetsTheRunDefaults) {
    const BirdParams& b = s.slot(2);
    EXPECT_EQ(s.CalcMode, ModeMigrate);
    EXPECT_FLOAT_EQ(b.EmptyMass, 0.5f);
    EXPECT_NEAR(b.FatMass, 0.15, 1e-6);
    EXPECT_FLOAT_EQ(s.Migration.Vratio, 1.2f);
    EXPECT_EQ(s.Migration.SpeedControl, 3);
    EXPECT_EQ(s.Migration.MitoControl, 2);
    EXPECT_DOUBLE_EQ(s.Migration.VclimbThreshold, 0.02);
    EXPECT_FLOAT_EQ(s.Migration.OutputInterval, 6);
    EXPECT_FLOAT_EQ(s.Flap.MaxSpecificWork, float(560000 * 0.3 * 0.26f / 1060));
    EXPECT_NEAR(s.EwetProtein, 1.83e7 / 3.2, 1);
    EXPECT_GT(s.FuelEnergyHeight, 0);
    // Slot 1 is untouched by the migration screen.
    EXPECT_EQ(s.slot(1).EmptyMass, 0);
}

TEST_F(SetupMigrate, DefaultTablesHoldRows0To100) {
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    EXPECT_EQ(s.Migration.MaxRow, 100);
    EXPECT_EQ(s.Migration.TravelTable.size(), 101u);
    EXPECT_EQ(s.Migration.PowerTable.size(), 101u);
    EXPECT_EQ(s.Migration.FuelTable.size(), 101u);
    EXPECT_EQ(s.Migration.GpsTable.size(), 101u);
    EXPECT_EQ(s.Migration.StateLog.size(), 101u);
    EXPECT_EQ(s.Migration.TravelTable[0].size(), 12u);
}

TEST_F(SetupMigrate, CruiseAltitudeRulesAndClimbFlag) {
    // Empty cruise fields: the starting air is the cruising air, no climb.
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    EXPECT_FALSE(s.Migration.ClimbFlag);
    EXPECT_FLOAT_EQ(s.Migration.CruiseDensity, s.Migration.StartDensity);

    // A cruising altitude equal to the start gives no climb either.
    test::ToMigrateSetup(s, d);
    Type(s, d, "txtAltCruise", "0");
    EXPECT_EQ(*Type(s, d, "txtAltCruise", "0").textOf("txtRhoCruise"), "1.225");
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    EXPECT_FALSE(s.Migration.ClimbFlag);

    // Disabling the cruise fields keeps their text: a cruise altitude typed earlier still climbs.
    test::ToMigrateSetup(s, d);
    Type(s, d, "txtAltCruise", "500");
    ScreenUpdate u = Click(s, d, "optVconst");
    bool disabled = false;
    for (auto& [c, on] : u.enabled) disabled = disabled || (c == "txtAltCruise" && !on);
    EXPECT_TRUE(disabled);
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    EXPECT_TRUE(s.Migration.ClimbFlag);
    EXPECT_EQ(s.Migration.SpeedControl, 2);
    EXPECT_GE(s.Migration.CruiseAlt, 500);  // the altitude reached
}

TEST_F(SetupMigrate, CruiseDensityFieldGivesTheWholeMetreAltitude) {
    ScreenUpdate u = Type(s, d, "txtRhoCruise", "1.1");
    EXPECT_EQ(*u.textOf("txtAltCruise"), FormatPattern(AltitudeFromDensity(1.1), "0"));
    EXPECT_TRUE(s.Marks.test(Mark::CruiseAltitude));
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    EXPECT_FLOAT_EQ(s.Migration.CruiseDensity, 1.1f);
    EXPECT_TRUE(s.Migration.ClimbFlag);
}

TEST_F(SetupMigrate, StartingRatioOutsideOneToThreeIsRefused) {
    Type(s, d, "txtVratio", "0.5");
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "Starting air speed must be between 1 and 3 times Vmp");
    EXPECT_FLOAT_EQ(s.Migration.Vratio, 1.2f);
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    EXPECT_NEAR(s.Migration.Mig.StartSpeed / s.Migration.StateLog[0][3], 1.2, 1e-6);
    Type(s, d, "txtVratio", "3");
    EXPECT_FLOAT_EQ(s.Migration.Vratio, 3.0f);
    Type(s, d, "txtVratioGPS", "0.9");
    EXPECT_EQ(d.errors().back(), "Air speed between GPS points must be at least Vmp");
    EXPECT_FLOAT_EQ(s.Migration.VratioGPS, 1.0f);
}

TEST_F(SetupMigrate, StartChecksFatDensityAndOutputInterval) {
    Type(s, d, "txtFatFrac", "0");
    EXPECT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Refused);
    EXPECT_EQ(d.errors().back(), "You need some fat before migrating");
    EXPECT_TRUE(s.Migration.TravelTable.empty());

    test::ToMigrateSetup(s, d);
    s.AirDensity = 0;
    EXPECT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Refused);
    EXPECT_EQ(d.errors().back(), "You need to set Air density or Altitude");

    for (const char* bad : {"0", "0.01", "-6"}) {
        test::ToMigrateSetup(s, d);
        Type(s, d, "frmSetDefaultsMigr.txtOutputInt", bad);
        EXPECT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Refused) << bad;
        EXPECT_EQ(d.errors().back(), migrate::OutputIntervalMessage()[0]);
    }
    test::ToMigrateSetup(s, d);
    Type(s, d, "frmSetDefaultsMigr.txtOutputInt", "0.02");
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    EXPECT_EQ(s.Migration.MaxRow, 30000);
}

TEST_F(SetupMigrate, SettingsScreenRules) {
    ScreenUpdate u = Type(s, d, "frmSetDefaultsMigr.txtProtFracTarget", "5");
    EXPECT_FLOAT_EQ(s.ProtFracTarget, 0.05f);
    EXPECT_EQ(*u.textOf("txtEfat"), "3.90E+07");  // the screen's load shows its values

    // Eprotein changes the mixed fuel energy density from the typed values, not EwetProtein.
    const float ew = s.EwetProtein, efuel = s.Efuel;
    u = Type(s, d, "frmSetDefaultsMigr.txtEprotein", "2e7");
    EXPECT_FLOAT_EQ(s.EwetProtein, ew);
    EXPECT_GT(s.Efuel, efuel);
    EXPECT_EQ(*u.textOf("txtEmixed"), FormatScientific(s.Efuel));
    EXPECT_TRUE(s.Marks.test(Mark::Eprotein));

    // Gravity changes the energy-height constants at once, the slot's effective gravity not.
    const float fatConst = s.FatHeightConst, g2 = s.slot(2).Gravity;
    Type(s, d, "frmSetDefaultsMigr.txtGravity", "9");
    EXPECT_GT(s.FatHeightConst, fatConst);
    EXPECT_FLOAT_EQ(s.slot(2).Gravity, g2);

    Click(s, d, "frmSetDefaultsMigr.optMitoFracConst");
    EXPECT_EQ(s.Migration.MitoControl, 1);
    Type(s, d, "frmSetDefaultsMigr.txtVclimbThreshold", "0.5");
    EXPECT_DOUBLE_EQ(s.Migration.VclimbThreshold, 0.5);
    Type(s, d, "frmSetDefaultsMigr.txtCprof", "10");
    EXPECT_FLOAT_EQ(s.X1, float(10.0 / s.slot(2).AspectRatio));
    EXPECT_THROW(Type(s, d, "frmSetDefaultsMigr.txtNoSuch", "1"), UnknownControl);
    EXPECT_THROW(Type(s, d, "txtNoSuch", "1"), UnknownControl);
}

TEST_F(SetupMigrate, OptionsSetTheRunControls) {
    Click(s, d, "optSpPowerConst");
    Click(s, d, "optVratioConst");
    ASSERT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    EXPECT_EQ(s.Migration.MuscleControl, 2);
    EXPECT_EQ(s.Migration.SpeedControl, 1);
    EXPECT_TRUE(s.Migration.ProjectedMode);
    EXPECT_FALSE(s.Migration.GpsMode);
    EXPECT_FALSE(s.KeepFactors);
    // The density typed on this screen leaves the density ratio alone.
    const float rel = s.RelDensity;
    Type(s, d, "txtRho", "1.0");
    EXPECT_FLOAT_EQ(s.RelDensity, rel);
    EXPECT_FLOAT_EQ(s.AirDensity, 1.0f);
}

TEST_F(SetupMigrate, VmrRatioClickRunsTheStartOfARun) {
    ScreenUpdate u = Click(s, d, "txtVmrRatio");
    ASSERT_NE(u.textOf("txtVmrRatio"), nullptr);
    EXPECT_GT(s.Migration.Mig.VmrRatio, 1.3f);
    EXPECT_EQ(*u.textOf("txtVmrRatio"), FormatSig(s.Migration.Mig.VmrRatio, 3));
}

TEST_F(SetupMigrate, StopoverReturnRecomputesTheBmr) {
    s.slot(2).FatMass = 0.05f;
    s.Migration.StopMassReturn = true;
    migrate::ActivateSetupMigrate(s);
    EXPECT_FLOAT_EQ(s.slot(2).Pbmr, float(3.79 * std::pow(0.5 - double(0.05f), 0.723)));
    EXPECT_FALSE(s.Migration.StopMassReturn);
}
