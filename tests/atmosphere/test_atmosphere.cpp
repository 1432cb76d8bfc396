// The standard atmosphere, the density and altitude field rules and the air density calculator.
#include <gtest/gtest.h>

#include <cmath>

#include "atmosphere/Atmosphere.h"
#include "atmosphere/DensityCalculator.h"
#include "platform/ScriptedDialogs.h"

using namespace ornivo;

namespace {
struct AtmosphereTest : ::testing::Test {
    ProgramState s;
    platform::ScriptedDialogs d;
};
}  // namespace

TEST(StdAtmosphere, SeaLevelValues)
{
    EXPECT_FLOAT_EQ(StdDensityRatio(0), 1.0f);
    EXPECT_FLOAT_EQ(KinViscosityAt(0), 0.0000145f);
    EXPECT_NEAR(AltitudeFromDensity(1.225), 0, 1e-6);
    ProgramState s;
    EXPECT_FLOAT_EQ(StdDensity(s, 0), 1.225f);
    EXPECT_FLOAT_EQ(s.RelDensity, 1.0f);
}

TEST(StdAtmosphere, ThousandMetresAndBackUseDifferentConstants)
{
    const float rho = 1.225f * StdDensityRatio(1000);
    EXPECT_NEAR(rho, 1.1116, 5e-5);
    EXPECT_NEAR(AltitudeFromDensity(rho), 1000.13, 0.01);  // not 1000: the inverse is approximate
    EXPECT_GT(KinViscosityAt(1000), KinViscosityAt(0));
}

TEST_F(AtmosphereTest, AltitudeFieldRuleDerivesDensity)
{
    auto shown = AltitudeFieldRule(s, d, 1000);
    ASSERT_TRUE(shown);
    EXPECT_EQ(*shown, "1.112");
    EXPECT_FLOAT_EQ(s.Altitude, 1000.0f);
    EXPECT_NEAR(s.AirDensity, 1.1116, 5e-5);
    EXPECT_FLOAT_EQ(s.AirDensity, 1.225f * s.RelDensity);
    EXPECT_FLOAT_EQ(s.KinViscosity, KinViscosityAt(1000));

    ASSERT_TRUE(AltitudeFieldRule(s, d, 0));
    EXPECT_FLOAT_EQ(s.AirDensity, 1.225f);
    EXPECT_TRUE(d.shown.empty());
}

TEST_F(AtmosphereTest, DensityFieldRuleShowsAltitudeByScreen)
{
    auto enterBird = DensityFieldRule(s, d, 1.225, AltitudeShown::EnterBird);
    ASSERT_TRUE(enterBird);
    EXPECT_EQ(*enterBird, "0.000");  // not "-0.000" for the tiny negative the single gives
    EXPECT_FLOAT_EQ(s.RelDensity, 1.0f);
    EXPECT_NEAR(s.KinViscosity, 0.0000145, 1e-10);

    auto setup = DensityFieldRule(s, d, 1.225f * StdDensityRatio(1000), AltitudeShown::SetupScreen);
    ASSERT_TRUE(setup);
    EXPECT_EQ(*setup, "1000");
    EXPECT_NEAR(s.Altitude, 1000.13, 0.01);

    // A density above sea level's simply gives a negative altitude.
    ASSERT_TRUE(DensityFieldRule(s, d, 1.3, AltitudeShown::SetupScreen));
    EXPECT_LT(s.Altitude, 0);
}

TEST_F(AtmosphereTest, FieldRulesRefuseValuesWithoutAnAtmosphereAndKeepTheState)
{
    ASSERT_TRUE(AltitudeFieldRule(s, d, 500));
    const float rho = s.AirDensity, alt = s.Altitude;
    for (double bad : {44308.0, 50000.0, 1e39, double(INFINITY), double(NAN), -1e7}) {
        d.clear();
        EXPECT_FALSE(AltitudeFieldRule(s, d, bad)) << bad;
        ASSERT_EQ(d.errors().size(), 1u) << bad;
        EXPECT_EQ(s.AirDensity, rho);
        EXPECT_EQ(s.Altitude, alt);
    }
    d.clear();
    AltitudeFieldRule(s, d, 50000);
    EXPECT_EQ(d.errors()[0], "The standard atmosphere ends at 44308 m:");
    d.clear();
    AltitudeFieldRule(s, d, -1e7);
    EXPECT_NE(d.errors()[0].find("below sea level"), std::string::npos);

    for (double bad : {-0.1, 1e39, double(INFINITY)}) {
        d.clear();
        EXPECT_FALSE(DensityFieldRule(s, d, bad, AltitudeShown::EnterBird)) << bad;
        EXPECT_EQ(d.errors().size(), 1u);
        EXPECT_EQ(s.AirDensity, rho);
    }
}

TEST_F(AtmosphereTest, FieldRulesGiveFiniteValuesAtTheEdges)
{
    for (double h : {44307.69, -440000.0}) {
        ASSERT_TRUE(AltitudeFieldRule(s, d, h)) << h;
        EXPECT_TRUE(std::isfinite(s.AirDensity) && std::isfinite(s.KinViscosity)) << h;
    }
    for (double rho : {0.0, 3e38}) {
        ASSERT_TRUE(DensityFieldRule(s, d, rho, AltitudeShown::EnterBird)) << rho;
        EXPECT_TRUE(std::isfinite(s.Altitude) && std::isfinite(s.KinViscosity)) << rho;
    }
}

TEST_F(AtmosphereTest, CalculatorMethods)
{
    s.Baro = 1013;
    s.AirTemp = 15;
    s.HeightAboveObserver = 0;
    EXPECT_EQ(FindAirDensity(s, d, DensityMethod::Observer), "1.23");
    EXPECT_FLOAT_EQ(s.AirDensity, 1.225f);
    EXPECT_EQ(FindAirDensity(s, d, DensityMethod::PressureTemperature), "1.23");
    EXPECT_FLOAT_EQ(s.AirDensity, 1.225f);

    // Birds above the observer fly in thinner air.
    s.HeightAboveObserver = 1000;
    ASSERT_TRUE(FindAirDensity(s, d, DensityMethod::Observer));
    EXPECT_NEAR(s.AirDensity, 1.1116, 5e-4);

    s.Altitude = 1000;
    ASSERT_TRUE(FindAirDensity(s, d, DensityMethod::StdAtmosphere));
    EXPECT_NEAR(s.AirDensity, 1.1116, 5e-5);

    EXPECT_EQ(FindAirDensity(s, d, DensityMethod::Direct, 0.9), "0.900");
    EXPECT_FLOAT_EQ(s.AirDensity, 0.9f);

    EXPECT_EQ(FindAirDensity(s, d, DensityMethod::SeaLevel), "1.23");
    EXPECT_FLOAT_EQ(s.AirDensity, 1.225f);
    EXPECT_TRUE(d.shown.empty());
}

TEST_F(AtmosphereTest, CalculatorRefusesImpossibleConditions)
{
    s.AirDensity = 1.0f;
    s.Baro = 1013;
    s.AirTemp = -273;
    EXPECT_FALSE(FindAirDensity(s, d, DensityMethod::PressureTemperature));
    s.AirTemp = 15;
    s.HeightAboveObserver = 50000;
    EXPECT_FALSE(FindAirDensity(s, d, DensityMethod::Observer));
    s.Baro = INFINITY;
    EXPECT_FALSE(FindAirDensity(s, d, DensityMethod::PressureTemperature));
    s.Baro = -5;
    EXPECT_FALSE(FindAirDensity(s, d, DensityMethod::PressureTemperature));
    s.Altitude = 45000;
    EXPECT_FALSE(FindAirDensity(s, d, DensityMethod::StdAtmosphere));
    EXPECT_FALSE(FindAirDensity(s, d, DensityMethod::Direct, -1));
    EXPECT_FALSE(FindAirDensity(s, d, DensityMethod::Direct, 1e39));
    EXPECT_EQ(d.errors().size(), 7u);
    EXPECT_FLOAT_EQ(s.AirDensity, 1.0f);
}

TEST_F(AtmosphereTest, AcceptNeedsAMethodFirst)
{
    EXPECT_FALSE(AcceptAirDensity(s, d, ""));
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_EQ(d.messages()[0], (std::vector<std::string>{"You need to choose the method of calculation",
                                                          "then click Compute Air Density before",
                                                          "exiting this screen"}));
    auto text = FindAirDensity(s, d, DensityMethod::Direct, 1.225f * StdDensityRatio(1000));
    ASSERT_TRUE(AcceptAirDensity(s, d, *text));
    EXPECT_NEAR(s.Altitude, 1000.13, 0.01);
    EXPECT_FLOAT_EQ(s.RelDensity, static_cast<float>(double(s.AirDensity) / 1.225));
    EXPECT_FLOAT_EQ(s.KinViscosity, KinViscosityAt(s.Altitude));
}
