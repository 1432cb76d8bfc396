// The power-curve engine: the scan grid, flight styles, the refusals that replace hangs and NaN.
#include <gtest/gtest.h>

#include <cmath>

#include "flap/PowerCurve.h"
#include "flap/PowerModel.h"
#include "flap/ScanSpeed.h"
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
    auto onGrid = [&](float v) { double k = (v - s.Flap.CurveFirstSpeed) / 0.1; return std::fabs(k - std::round(k)) < 1e-3; };
    EXPECT_TRUE(onGrid(s.Flap.Vmp));
    EXPECT_TRUE(onGrid(s.Flap.Vmr));
    EXPECT_NEAR(s.Flap.Vmp, s.Flap.VmpExact, 0.1);
    EXPECT_GT(s.Flap.Vmr, s.Flap.Vmp);
    // The last column written is the last whole speed below Vmr + 2 (the first grid speed at or beyond stops).
    EXPECT_EQ(s.Flap.CurveLastRow, static_cast<int>(std::ceil(s.Flap.Vmr + 2 - 1e-4)) - 1 +
                                       (std::fabs(s.Flap.Vmr + 2 - std::round(s.Flap.Vmr + 2)) < 1e-3 ? 0 : 0));
    EXPECT_GT(s.Flap.PowerCurveTable[1][s.Flap.CurveLastRow], 0);
    EXPECT_EQ(s.Flap.PowerCurveTable[1][s.Flap.CurveFirstSpeed - 1], 0);
    for (int r = 6; r <= 9; ++r) EXPECT_EQ(s.Flap.PowerCurveTable[r][s.Flap.CurveLastRow], 0);
    EXPECT_FALSE(s.Flap.UncertDone);
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
    EXPECT_FLOAT_EQ(c.Flap.Vmp, a.Flap.Vmp);
    EXPECT_FLOAT_EQ(c.Flap.PmechMin, a.Flap.PmechMin);
    EXPECT_FLOAT_EQ(c.Flap.QVmr, a.Flap.QVmr);
    EXPECT_NE(b.Flap.Vmp, a.Flap.Vmp);
    // A low power fraction scans beyond the table sized from VmrExact: the table grows with it.
    EXPECT_GE(b.Flap.CurveLastIndex, b.Flap.CurveLastRow);
    EXPECT_EQ(static_cast<int>(b.Flap.PowerCurveTable[0].size()), b.Flap.CurveLastIndex + 1);
}

TEST(PowerCurve, FlapGlidingChangesOnlySpecificWorkAndClimb) {
    ProgramState a = computed(), fg = computed({}, 2, 0.5);
    EXPECT_FLOAT_EQ(fg.Flap.Vmp, a.Flap.Vmp);
    EXPECT_FLOAT_EQ(fg.Flap.Vmr, a.Flap.Vmr);
    EXPECT_FLOAT_EQ(fg.Flap.PmechMin, a.Flap.PmechMin);
    EXPECT_FLOAT_EQ(fg.Flap.PchemVmr, a.Flap.PchemVmr);
    EXPECT_NEAR(fg.Flap.QVmp, 2 * a.Flap.QVmp, 1e-4 * a.Flap.QVmp);
    EXPECT_LT(fg.Flap.MaxClimb, a.Flap.MaxClimb);
}

TEST(PowerCurve, RunningSpeedNeverMissesAWholeSpeed) {
    flap::ScanSpeed speed(2 - double(0.1f), 0.1f);
    int wholes = 0;
    for (int n = 1; n <= 1500; ++n) {
        speed.next();
        if (std::fabs(std::nearbyint(speed.V()) - speed.V()) < 0.0001) ++wholes;
    }
    EXPECT_EQ(wholes, 150);  // 2 to 151 m/s
}

// The speeds are the single-precision running sum for as long as that sum still lands on the whole
// speeds (past 30 m/s here), and the grid speeds from the first step where it would not.
TEST(PowerCurve, RunningSpeedIsTheSingleSumUntilItDrifts) {
    const double first = 3 - double(0.1f);
    flap::ScanSpeed speed(first, 0.1f);
    float sum = static_cast<float>(first);
    int n = 0;
    for (; n < 2000 && !speed.onGrid(); ++n) {
        ASSERT_EQ(speed.V(), sum) << n;
        sum = static_cast<float>(double(sum) + 0.1f);
        speed.next();
    }
    EXPECT_GT(speed.V(), 30.0f);
    EXPECT_LT(speed.V(), 50.0f);
    for (int k = 0; k < 100; ++k, speed.next())
        EXPECT_EQ(speed.V(), static_cast<float>(first + speed.steps() * double(0.1f)));
}

// A house sparrow whose Vmr + 2 lands on a whole speed (Vmr 21.0 from a scan starting at 9 m/s): the
// running speed there is the single sum, which reaches Vmr + 2 at 23 m/s, so the scan stops before 23
// and column 23 is never written.
TEST(PowerCurve, TheScanStopsAtVmrPlusTwoWhereThatIsAWholeSpeed) {
    const test::TypedBird sparrow{.name = "Passer domesticus", .shortName = "House Sparrow", .mass = 0.065,
                                  .span = 0.245, .area = 0.013, .taxon = 1};
    ProgramState s = computed(sparrow);
    ASSERT_EQ(s.Flap.CurveFirstSpeed, 9);
    ASSERT_NEAR(s.Flap.Vmr, 21.0, 1e-3);
    EXPECT_EQ(s.Flap.CurveLastRow, 22);
    EXPECT_GT(s.Flap.PowerCurveTable[1][22], 0);
    for (int r = 0; r <= 10; ++r) EXPECT_EQ(s.Flap.PowerCurveTable[r][23], 0) << r;
}

// Fast birds (high and heavy for their wings) scan on the grid speeds beyond about 40 m/s; there the
// stop compares grid speeds, so the scan ends exactly 2 m/s (20 steps) beyond Vmr.
TEST(PowerCurve, OnTheGridTheScanEndsTwentyStepsBeyondVmr) {
    for (double mass : {0.42, 0.454, 0.6, 0.95}) {
        test::TypedBird fast;
        fast.mass = mass;
        fast.span = mass > 0.9 ? 0.5 : 0.4;
        fast.area = fast.span * fast.span / 8;
        fast.altitude = 8000;
        ProgramState s = computed(fast);
        ASSERT_GT(s.Flap.Vmr, 40.0f) << mass;
        const int last = static_cast<int>(std::floor(double(s.Flap.Vmr) + 1.9 + 1e-3));
        EXPECT_EQ(s.Flap.CurveLastRow, last) << mass << " Vmr " << s.Flap.Vmr;
        EXPECT_GT(s.Flap.PowerCurveTable[1][last], 0) << mass;
        if (last + 1 < static_cast<int>(s.Flap.PowerCurveTable[1].size())) {
            EXPECT_EQ(s.Flap.PowerCurveTable[1][last + 1], 0) << mass;
        }
    }
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
