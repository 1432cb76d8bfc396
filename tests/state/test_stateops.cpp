// Program state slots and the small shared operations on it.
#include <gtest/gtest.h>

#include <cmath>

#include "state/StateOps.h"
#include "state/numtext.h"
#include "support/TempDir.h"

using namespace ornivo;

TEST(ProgramStateSlots, OutsideZeroToThreeThrows)
{
    ProgramState s;
    EXPECT_NO_THROW(s.slot(3));
    EXPECT_THROW(s.slot(4), std::out_of_range);
    EXPECT_THROW(s.slot(-1), std::out_of_range);
    s.CalcMode = 4;
    EXPECT_THROW(s.slot(), std::out_of_range);
}

TEST(EditMarksTest, ClearKeepsTheTwoFactorMarks)
{
    ProgramState s;
    s.Marks.set(Mark::EmptyMass);
    s.Marks.set(Mark::TonicMuscFrac);
    s.Marks.set(Mark::FrontalAreaFactor);
    s.Marks.set(Mark::PbmrFactor);
    ClearEditMarks(s);
    EXPECT_FALSE(s.Marks.test(Mark::EmptyMass));
    EXPECT_FALSE(s.Marks.test(Mark::TonicMuscFrac));
    EXPECT_TRUE(s.Marks.test(Mark::FrontalAreaFactor));
    EXPECT_TRUE(s.Marks.test(Mark::PbmrFactor));

    ProgramState fresh;
    ClearEditMarks(fresh);  // clearing does not set the factor marks either
    EXPECT_FALSE(fresh.Marks.any());
}

TEST(SaveLastBirdTest, CopiesTheCurrentSlotAndGravitySetting)
{
    ProgramState s;
    s.slot(0).EmptyMass = 1.0f;
    s.slot(0).Gravity = 9.81f;
    s.CalcMode = 2;
    BirdParams& b = s.slot();
    b.EmptyMass = 0.8f;
    b.Span = 0.9f;
    b.Cdw = 0.02f;
    b.Gravity = 20.0f;  // the effective gravity of bounding flight, not the setting
    s.SpName = "Ciconia ciconia";
    s.AirDensity = 1.1f;
    s.ExistenceRatio = 2.5;
    s.TaxonGroup = 1;
    SaveLastBird(s);
    EXPECT_TRUE(s.LastBirdValid);
    EXPECT_EQ(s.LastBird.SpName, "Ciconia ciconia");
    EXPECT_FLOAT_EQ(s.LastBird.EmptyMass, 0.8f);
    EXPECT_FLOAT_EQ(s.LastBird.Span, 0.9f);
    EXPECT_FLOAT_EQ(s.LastBird.Cdw, 0.02f);
    EXPECT_FLOAT_EQ(s.LastBird.Gravity0, 9.81f);
    EXPECT_FLOAT_EQ(s.LastBird.AirDensity, 1.1f);
    EXPECT_DOUBLE_EQ(s.LastBird.ExistenceRatio, 2.5);
    EXPECT_FLOAT_EQ(s.LastBird.TaxonGroup, 1.0f);
    b.EmptyMass = 5;  // a copy, not a view
    EXPECT_FLOAT_EQ(s.LastBird.EmptyMass, 0.8f);
}

TEST(EnergyHeights, FromTheDefaultFuelConstants)
{
    ProgramState s;
    s.Eta = 0.23f;
    s.slot(0).Gravity = 9.81f;
    LoadEnergyConstants(s);
    EXPECT_NEAR(s.EwetProtein, 5718750, 1);
    EXPECT_NEAR(s.Efuel, 30209524, 5);
    EXPECT_NEAR(s.FuelHeightConst, 708276, 1);
    EXPECT_NEAR(s.FatHeightConst, 914373, 1);

    s.CalcMode = 2;
    s.slot().FatMass = 0.1f;
    s.slot().AllUpMass = 1.0f;
    s.slot().FatFrac = 0.1f;
    UpdateEnergyHeights(s);
    EXPECT_GT(s.FuelMass, 0.1);  // protein burned with the fat
    EXPECT_NEAR(s.slot().FuelFrac, s.FuelMass, 1e-6);
    EXPECT_NEAR(s.FatEnergyHeight, 96338.8, 0.5);
    EXPECT_GT(s.FuelEnergyHeight, 0);

    s.Eta = 0.46f;  // constants follow their inputs only when asked
    UpdateEnergyHeightConstants(s);
    EXPECT_NEAR(s.FatHeightConst, 2 * 914373, 2);
}

TEST(ArcCosTest, ConstantAndClampedEnds)
{
    EXPECT_EQ(ArcCos(1), 0);
    EXPECT_DOUBLE_EQ(ArcCos(0), 1.5708);
    const double halfPi = 2 * std::atan(1.0);
    EXPECT_DOUBLE_EQ(ArcCos(-1), 1.5708 + halfPi);
    EXPECT_EQ(ArcCos(1 + 2e-16), 0);               // identical points through rounding
    EXPECT_DOUBLE_EQ(ArcCos(-1 - 2e-16), 1.5708 + halfPi);  // opposite points
    EXPECT_NEAR(ArcCos(0.5), std::acos(0.5) + (1.5708 - halfPi), 1e-12);
}

TEST(SmallOps, ProperCaseAndFileTests)
{
    EXPECT_EQ(ProperCase("aNAS"), "Anas");
    EXPECT_EQ(ProperCase(""), "");
    test::TempDir dir;
    const std::string file = dir.write("a.txt", "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_TRUE(FolderExists(dir.str()));
    EXPECT_FALSE(FileExists(dir.str()));
    EXPECT_FALSE(FileExists(dir.str() + "/missing.txt"));
    EXPECT_FALSE(FileExists(""));
}

TEST(GraphMapping, RoundsHalfToEvenAndOverflows)
{
    ProgramState s;
    s.GraphX0 = 100;
    s.GraphXScale = 0.5;
    s.GraphY0 = 500;
    s.GraphYScale = 0.5;
    EXPECT_EQ(GraphX(s, 41), 120);  // 20.5 rounds to 20
    EXPECT_EQ(GraphX(s, 43), 122);  // 21.5 rounds to 22
    EXPECT_EQ(GraphY(s, 41), 480);  // 500 - round(20.5)
    EXPECT_EQ(GraphY(s, -40), 520);
    EXPECT_THROW(GraphX(s, 70000), OverflowError);
    EXPECT_THROW(GraphY(s, -70000), OverflowError);
    EXPECT_THROW(GraphX(s, std::nan("")), OverflowError);
}
