// The power-curve engine: the scan grid, flight styles, the refusals that replace hangs and NaN.
#include <gtest/gtest.h>

#include <cmath>

#include "flap/PowerCurve.h"
#include "flap/PowerModel.h"
#include "flap/SetupFlap.h"
#include "support/BirdSetup.h"

using namespace ornivo;

namespace {
ProgramState computed(const test::TypedBird& b = {}, int style = 1, double fraction = 1) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d, b);
    if (style == 2) flap::SetupFlapEdit(s, d, "optFG", Edit::click());
    if (style == 3) flap::SetupFlapEdit(s, d, "optBound", Edit::click());
    if (style != 1) test::TypeFlap(s, d, "txtPowerFrac", fraction);
    EXPECT_TRUE(flap::ComputePowerCurve(s, d));
    return s;
}
}  // namespace

TEST(PowerCurve, PublishedSpeedsLieOnTheScanGridAndTheScanEndsTwoBeyondVmr) {
    ProgramState s = computed();
    auto onGrid = [&](float v) { double k = (v - s.CurveFirstSpeed) / 0.1; return std::fabs(k - std::round(k)) < 1e-3; };
    EXPECT_TRUE(onGrid(s.Vmp));
    EXPECT_TRUE(onGrid(s.Vmr));
    EXPECT_NEAR(s.Vmp, s.VmpExact, 0.1);
    EXPECT_GT(s.Vmr, s.Vmp);
    // The last column written is the last whole speed below Vmr + 2 (the first grid speed at or beyond stops).
    EXPECT_EQ(s.CurveLastRow, static_cast<int>(std::ceil(s.Vmr + 2 - 1e-4)) - 1 + (std::fabs(s.Vmr + 2 - std::round(s.Vmr + 2)) < 1e-3 ? 0 : 0));
    EXPECT_GT(s.PowerCurveTable[1][s.CurveLastRow], 0);
    EXPECT_EQ(s.PowerCurveTable[1][s.CurveFirstSpeed - 1], 0);
    for (int r = 6; r <= 9; ++r) EXPECT_EQ(s.PowerCurveTable[r][s.CurveLastRow], 0);
    EXPECT_FALSE(s.UncertDone);
}

TEST(PowerCurve, BoundingAtFractionOneEqualsContinuousFlapping) {
    ProgramState a = computed(), b = computed({}, 3, 0.2);
    ProgramState c;
    {
        platform::ScriptedDialogs d;
        test::ToPowerCurveSetup(c, d);
        c.FlightStyle = 3;  // bounding with the loaded power fraction of 1
        ASSERT_TRUE(flap::ComputePowerCurve(c, d));
    }
    EXPECT_FLOAT_EQ(c.Vmp, a.Vmp);
    EXPECT_FLOAT_EQ(c.PmechMin, a.PmechMin);
    EXPECT_FLOAT_EQ(c.QVmr, a.QVmr);
    EXPECT_NE(b.Vmp, a.Vmp);
    // A low power fraction scans beyond the table sized from VmrExact: the table grows with it.
    EXPECT_GE(b.CurveLastIndex, b.CurveLastRow);
    EXPECT_EQ(static_cast<int>(b.PowerCurveTable[0].size()), b.CurveLastIndex + 1);
}

TEST(PowerCurve, FlapGlidingChangesOnlySpecificWorkAndClimb) {
    ProgramState a = computed(), fg = computed({}, 2, 0.5);
    EXPECT_FLOAT_EQ(fg.Vmp, a.Vmp);
    EXPECT_FLOAT_EQ(fg.Vmr, a.Vmr);
    EXPECT_FLOAT_EQ(fg.PmechMin, a.PmechMin);
    EXPECT_FLOAT_EQ(fg.PchemVmr, a.PchemVmr);
    EXPECT_NEAR(fg.QVmp, 2 * a.QVmp, 1e-4 * a.QVmp);
    EXPECT_LT(fg.MaxClimb, a.MaxClimb);
}

TEST(PowerCurve, RunningSpeedNeverMissesAWholeSpeed) {
    const float step = 0.1f;
    const double first = 2 - double(step);
    float V = static_cast<float>(first);
    int wholes = 0;
    for (int n = 1; n <= 1500; ++n) {
        V = flap::NextScanSpeed(V, step, first, n);
        if (std::fabs(std::nearbyint(V) - V) < 0.0001) ++wholes;
    }
    EXPECT_EQ(wholes, 150);  // 2 to 151 m/s
}

TEST(PowerCurve, InputsThatWouldHangOrDivideByZeroAreRefused) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d);
    test::TypeFlap(s, d, "txtCdb", 0);  // zero drag area: the Newton start divides by zero
    EXPECT_FALSE(flap::ComputePowerCurve(s, d));
    EXPECT_NE(d.errors().back().find("Body drag area"), std::string::npos);

    test::TypedBird tiny;
    tiny.mass = 0.002;
    tiny.span = 1;
    tiny.area = 0.3;
    ProgramState t;
    test::ToPowerCurveSetup(t, d, tiny);
    EXPECT_FALSE(flap::ComputePowerCurve(t, d));
    EXPECT_NE(d.errors().back().find("too low"), std::string::npos);

    ProgramState z;
    test::ToPowerCurveSetup(z, d);
    z.AirDensity = 0;
    EXPECT_FALSE(flap::ComputePowerCurve(z, d));
    EXPECT_EQ(d.errors().back(), "Please click on air density box to set density");
}
