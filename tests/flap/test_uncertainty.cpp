// The power uncertainty: range checks and what each set does to the bands and to Vmp.
#include <gtest/gtest.h>

#include "flap/PowerCurve.h"
#include "flap/PowerUncertainty.h"
#include "support/BirdSetup.h"

using namespace ornivo;

namespace {
struct Fixture {
    ProgramState s;
    platform::ScriptedDialogs d;
    flap::UncertaintyModel model;
    Fixture() {
        test::ToPowerCurveSetup(s, d);
        EXPECT_TRUE(flap::ComputePowerCurve(s, d));
        EXPECT_TRUE(flap::LoadUncertaintyModel(s, d, model));
    }
};
}  // namespace

TEST(PowerUncertainty, AllZeroGivesBandsOnTheCurve) {
    Fixture r;
    ASSERT_TRUE(flap::ComputePowerUncertainty(r.s, r.d, r.model, flap::AllZero()));
    EXPECT_EQ(r.s.Flap.VmpUncert, 0);
    EXPECT_TRUE(r.s.Flap.UncertDone);
    for (int sp = r.s.Flap.CurveFirstSpeed; sp <= r.s.Flap.CurveLastRow; ++sp) {
        EXPECT_EQ(r.s.Flap.PowerCurveTable[6][sp], r.s.Flap.PowerCurveTable[1][sp]);
        EXPECT_EQ(r.s.Flap.PowerCurveTable[7][sp], r.s.Flap.PowerCurveTable[1][sp]);
    }
}

TEST(PowerUncertainty, RangeLimitsAreInclusive) {
    Fixture r;
    flap::UncertaintySet set = flap::AllZero();
    set.u[flap::UMass] = 0.4f;
    EXPECT_TRUE(flap::ComputePowerUncertainty(r.s, r.d, r.model, set));
    set.u[flap::UMass] = 0.41f;
    EXPECT_FALSE(flap::ComputePowerUncertainty(r.s, r.d, r.model, set));
    EXPECT_EQ(r.d.errors().back(), "Mass uncertainty must be between 0 and 0.4");
    set.u[flap::UMass] = 0;
    set.u[flap::URho] = -0.01f;
    EXPECT_FALSE(flap::ComputePowerUncertainty(r.s, r.d, r.model, set));
    EXPECT_EQ(r.d.errors().back(), "Air density uncertainty must be between 0 and 0.1");
}

TEST(PowerUncertainty, WingAreaWidensTheBandsButNotVmp) {
    Fixture r;
    flap::UncertaintySet set = flap::AllZero();
    set.u[flap::UArea] = 0.3f;
    ASSERT_TRUE(flap::ComputePowerUncertainty(r.s, r.d, r.model, set));
    EXPECT_EQ(r.s.Flap.VmpUncert, 0);
    const int sp = r.s.Flap.CurveFirstSpeed + 1;
    EXPECT_GT(r.s.Flap.PowerCurveTable[8][sp], 0);
    EXPECT_NEAR(r.s.Flap.PowerCurveTable[9][sp], 100 * r.s.Flap.PowerCurveTable[8][sp] / r.s.Flap.PowerCurveTable[1][sp], 1e-3);
    ASSERT_TRUE(flap::ComputePowerUncertainty(r.s, r.d, r.model, flap::WildPopulation()));
    EXPECT_GT(r.s.Flap.VmpUncert, 0);
}
