// Trigonometry in compass degrees, vectors and the great circle.
#include <gtest/gtest.h>

#include <cmath>

#include "nav/DegreeTrig.h"

using namespace ornivo::nav;

TEST(DegreeTrig, SinesAndInverses)
{
    EXPECT_NEAR(SinD(30), 0.5, 1e-12);
    EXPECT_NEAR(CosD(60), 0.5, 1e-12);
    EXPECT_NEAR(ArcTanD(1), 45, 1e-12);
    EXPECT_NEAR(ArcSinD(0.5), 30, 1e-12);
    EXPECT_EQ(ArcSinD(1), 90);
    EXPECT_EQ(ArcSinD(-1), -90);
    EXPECT_EQ(ArcSinD(0), 0);
    EXPECT_EQ(ArcSinD(1 + 1e-15), 90);  // rounding just past 1
    EXPECT_TRUE(std::isnan(ArcSinD(1.5)));
    EXPECT_DOUBLE_EQ(Pi, 4 * std::atan(1.0));
}

TEST(DegreeTrig, NormalizeDegreesFoldsIntoAboveZeroUpTo360)
{
    for (auto [in, out] : {std::pair{0.0, 360.0}, {-360.0, 360.0}, {360.0, 360.0}, {370.0, 10.0},
                           {725.0, 5.0}, {-90.0, 270.0}, {3.6e9 + 90, 90.0}}) {
        double a = in;
        EXPECT_DOUBLE_EQ(NormalizeDegrees(a), out) << in;
        EXPECT_DOUBLE_EQ(a, out) << "changed in place";
    }
    double nan = NAN;
    EXPECT_TRUE(std::isnan(NormalizeDegrees(nan)));  // returns instead of looping
}

TEST(DegreeTrig, FromComponentsGivesCompassBearings)
{
    struct Case { double east, north, bearing; };
    for (Case c : {Case{0, 5, 0}, {5, 0, 90}, {0, -5, 180}, {-5, 0, 270}, {-3, 3, 315}, {3, 3, 45},
                   {3, -3, 135}, {-3, -3, 225}, {0, 0, 90}}) {
        SpeedBearing r = FromComponents(c.east, c.north);
        EXPECT_NEAR(r.bearing, c.bearing, 1e-12) << c.east << "," << c.north;
        EXPECT_NEAR(r.speed, std::hypot(c.east, c.north), 1e-12);
    }
}

TEST(DegreeTrig, ToComponentsRoundTrips)
{
    Components c = ToComponents(10, 90);
    EXPECT_NEAR(c.east, 10, 1e-12);
    EXPECT_NEAR(c.north, 0, 1e-12);
    for (double b : {10.0, 100.0, 200.0, 300.0}) {
        SpeedBearing r = FromComponents(ToComponents(7, b).east, ToComponents(7, b).north);
        EXPECT_NEAR(r.speed, 7, 1e-12);
        EXPECT_NEAR(NormalizedDegrees(r.bearing), b, 1e-9);
    }
}

TEST(DegreeTrig, GreatCircleKm)
{
    EXPECT_NEAR(GreatCircleKm(0, 0, 0, Pi / 2), 10000.02, 0.005);  // the 1.5708 constant
    EXPECT_EQ(GreatCircleKm(0.9, 0.1, 0.9, 0.1), 0);              // identical points
    const double opposite = GreatCircleKm(0.3, 0.2, -0.3, 0.2 + Pi);
    EXPECT_TRUE(std::isfinite(opposite));
    EXPECT_NEAR(opposite, 20000.02, 0.005);
    // One degree of latitude along a meridian: 40000 / 360 km, plus the 0.023 km every distance
    // gains from the 1.5708 constant.
    EXPECT_NEAR(GreatCircleKm(52 * Pi / 180, 0.1, 53 * Pi / 180, 0.1), 40000.0 / 360 + 0.0234, 0.001);
}
