// The power-curve setup screen's rules: mass limits, BMR and frequency factors, flight style and
// power fraction.
#include <gtest/gtest.h>

#include "flap/PowerModel.h"
#include "flap/SetupFlap.h"
#include "support/BirdSetup.h"

using namespace ornivo;
using test::TypeFlap;

TEST(SetupFlap, FatFractionLimitIsSixTenthsOfTheBodyMass) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d);
    TypeFlap(s, d, "txtMuscleFrac", 0.1);
    d.clear();
    TypeFlap(s, d, "txtFatFrac", 0.6);
    EXPECT_TRUE(d.errors().empty());
    EXPECT_NEAR(s.slot(1).FatMass, 0.6, 1e-6);
    TypeFlap(s, d, "txtFatFrac", 0.61);
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "That won't do. Fat mass must not exceed 0.6 x Body mass");
    // With the default muscle fraction 0.17 a fat fraction of 0.6 breaks the 0.75 sum instead.
    test::ToPowerCurveSetup(s, d);
    d.clear();
    TypeFlap(s, d, "txtFatFrac", 0.6);
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "That won't do. Sum of muscle + fat mass must not exceed 0.75 x Body mass");
    test::ToPowerCurveSetup(s, d);
    TypeFlap(s, d, "txtMuscleFrac", 0.31);
    EXPECT_EQ(d.errors().back(), "That won't do. Muscle mass must not exceed 0.3 x Body mass");
}

TEST(SetupFlap, FractionEditsWithACropLoadKeepTheBodyMass) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d);
    TypeFlap(s, d, "txtCropMass", 0.06);
    for (double f : {0.12, 0.14, 0.1}) TypeFlap(s, d, "txtFatFrac", f);
    TypeFlap(s, d, "txtMuscleFrac", 0.19);
    EXPECT_NEAR(s.slot(1).EmptyMass, 1.0, 1e-6);
    EXPECT_NEAR(s.slot(1).AllUpMass, 1.06, 1e-6);
}

TEST(SetupFlap, TypedBmrAndFrequencySetTheirFactorsAgainstTheLoadedReference) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d);
    const float predicted = s.slot(1).Pbmr;
    auto u = flap::SetupFlapEdit(s, d, "txtPbmr", Edit::typed(std::to_string(1.25 * predicted)));
    EXPECT_NEAR(s.PbmrFactor, 1.25, 1e-6);
    EXPECT_NEAR(s.slot(1).Pbmr, 1.25 * predicted, 1e-5);
    // After a mass change the factor is still taken against the BMR of the load.
    TypeFlap(s, d, "txtEmptyMass", 1.2);
    TypeFlap(s, d, "txtPbmr", 2 * predicted);
    EXPECT_NEAR(s.PbmrFactor, 2, 1e-5);

    const float ref = s.slot(0).WbeatFreq;
    TypeFlap(s, d, "txtWbeatFreq", 2 * ref);
    EXPECT_NEAR(s.FreqFactor, 2, 1e-5);
}

TEST(SetupFlap, PowerFractionRangesAndTheSwitchToContinuousFlapping) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d);
    auto u = flap::SetupFlapEdit(s, d, "optFG", Edit::click());
    EXPECT_EQ(u.focus, "txtPowerFrac");
    TypeFlap(s, d, "txtPowerFrac", 0.04);
    EXPECT_EQ(d.errors().back(), "Please enter a value between 0.05 and 1 for the Power Fraction");
    TypeFlap(s, d, "txtPowerFrac", 1);
    EXPECT_EQ(s.FlightStyle, 1);
    EXPECT_EQ(d.messages().back(), (std::vector<std::string>{"Setting Power Fraction = 1 is the same as",
                                                             "selecting continuous flapping"}));
    flap::SetupFlapEdit(s, d, "optBound", Edit::click());
    TypeFlap(s, d, "txtPowerFrac", 0.19);
    EXPECT_EQ(d.errors().back(), "Please enter a value between 0.2 and 1 for the Power Fraction");
    TypeFlap(s, d, "txtPowerFrac", 0.5);
    EXPECT_FLOAT_EQ(s.slot(1).Gravity, 9.81f / 0.5f);
    // Gravity typed here changes the setting only; the slot follows at the next style change.
    TypeFlap(s, d, "txtGravity", 9.8);
    EXPECT_FLOAT_EQ(s.slot(0).Gravity, 9.8f);
    EXPECT_FLOAT_EQ(s.slot(1).Gravity, 9.81f / 0.5f);
}

TEST(SetupFlap, WingAreaLeavesX1AndAspectRatioUpdatesIt) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d);
    const float x1 = s.X1, chord = s.slot(1).MeanChord;
    TypeFlap(s, d, "txtArea", 0.2);
    EXPECT_FLOAT_EQ(s.X1, x1);
    EXPECT_FLOAT_EQ(s.slot(1).MeanChord, chord);
    TypeFlap(s, d, "txtAR", 5);
    EXPECT_FLOAT_EQ(s.X1, 8.4f / 5);
}

TEST(SetupFlap, UnknownControlsAreRefused) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d);
    EXPECT_THROW(flap::SetupFlapEdit(s, d, "txtNoSuch", Edit::typed("1")), UnknownControl);
}
