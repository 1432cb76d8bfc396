// The Enter Bird screen's rules: wing geometry, the bird check's order and focus, the buttons.
#include <gtest/gtest.h>

#include "bird/EnterBird.h"
#include "flap/SetupFlap.h"
#include "glide/SetupGlide.h"
#include "migrate/SetupMigrate.h"
#include "platform/ScriptedDialogs.h"
#include "state/StateOps.h"
#include "support/BirdSetup.h"
#include <cmath>

using namespace ornivo;

TEST(EnterBird, WingGeometryFollowsTheLastTwoTyped) {
    ProgramState s;
    platform::ScriptedDialogs d;
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtSpan", "1");
    auto u = bird::EnterBirdField(s, d, "txtArea", "0.1");
    EXPECT_FLOAT_EQ(s.slot(0).AspectRatio, 10);
    EXPECT_EQ(*u.textOf("txtAR"), "10.0");
    u = bird::EnterBirdField(s, d, "txtAR", "8");
    EXPECT_FLOAT_EQ(s.slot(0).WingArea, 0.125f);
    EXPECT_EQ(*u.textOf("txtArea"), "0.125");

    // A span typed after an aspect ratio (area still 0) derives the area.
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtAR", "8");
    bird::EnterBirdField(s, d, "txtSpan", "2");
    EXPECT_FLOAT_EQ(s.slot(0).WingArea, 0.5f);
    // A non-positive value is stored but derives nothing.
    bird::EnterBirdField(s, d, "txtSpan", "-1");
    EXPECT_FLOAT_EQ(s.slot(0).Span, -1);
    EXPECT_FLOAT_EQ(s.slot(0).WingArea, 0.5f);
}

// A value so small that the wing area or aspect ratio it derives passes the single range is refused
// with a message, on Enter Bird and on a setup screen, and the values before it are kept.
TEST(EnterBird, AWingValueWhoseCounterpartOverflowsIsRefused) {
    ProgramState s;
    platform::ScriptedDialogs d;
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtSpan", "0.8");
    auto u = bird::EnterBirdField(s, d, "txtAR", "13e-45");
    EXPECT_TRUE(u.refused);
    EXPECT_EQ(u.focus, "txtAR");
    EXPECT_EQ(d.errors().back(), "This wing span and aspect ratio give a wing area too large to calculate with");
    EXPECT_FLOAT_EQ(s.slot(0).AspectRatio, 0);
    EXPECT_FLOAT_EQ(s.slot(0).WingArea, 0);
    EXPECT_TRUE(bird::EnterBirdField(s, d, "txtArea", "1e-40").refused);
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtArea", "1e-40");  // no span yet: nothing derived
    EXPECT_TRUE(bird::EnterBirdField(s, d, "txtSpan", "0.8").refused);
    EXPECT_FLOAT_EQ(s.slot(0).Span, 0);

    // The aspect ratio of each setup screen.
    for (auto calc : {bird::Calculation::PowerCurve, bird::Calculation::GlidePolar, bird::Calculation::Migrate}) {
        ProgramState st;
        bird::LoadEnterBird(st);
        for (const auto& [c, t] : {std::pair{"txtSpName", "x"}, {"txtEmptyMass", "0.5"}, {"txtSpan", "0.8"},
                                   {"txtArea", "0.08"}, {"txtAlt", "0"}})
            bird::EnterBirdField(st, d, c, t);
        ASSERT_TRUE(bird::PressCalculation(st, d, calc));
        ScreenUpdate u;
        if (calc == bird::Calculation::PowerCurve) {
            flap::LoadSetupFlap(st, d);
            u = flap::SetupFlapEdit(st, d, "txtAR", Edit::typed("13e-45"));
        } else if (calc == bird::Calculation::GlidePolar) {
            glide::LoadSetupGlide(st, d);
            u = glide::SetupGlideEdit(st, d, "txtAR", Edit::typed("13e-45"));
        } else {
            migrate::LoadSetupMigrate(st, d);
            u = migrate::SetupMigrateEdit(st, d, "txtAR", Edit::typed(".84e-45"));
        }
        EXPECT_TRUE(u.refused);
        EXPECT_FLOAT_EQ(st.slot().WingArea, 0.08f);
    }
}

TEST(EnterBird, CheckBirdReportsTheFirstProblemAndFocusesItsField) {
    ProgramState s;
    platform::ScriptedDialogs d;
    bird::LoadEnterBird(s);
    EXPECT_EQ(bird::CheckBird(s, d), "txtSpName");
    bird::EnterBirdField(s, d, "txtSpName", "Robin");
    EXPECT_EQ(bird::CheckBird(s, d), "txtEmptyMass");
    bird::EnterBirdField(s, d, "txtEmptyMass", "0.02");
    EXPECT_EQ(bird::CheckBird(s, d), "txtSpan");
    bird::EnterBirdField(s, d, "txtSpan", "0.25");
    EXPECT_EQ(bird::CheckBird(s, d), "txtAR");
    bird::EnterBirdField(s, d, "txtArea", "0.01");
    s.AirDensity = 0;
    EXPECT_EQ(bird::CheckBird(s, d), "txtAlt");
    bird::EnterBirdField(s, d, "txtAlt", "0");
    EXPECT_EQ(bird::CheckBird(s, d), "");
    ASSERT_EQ(d.errors().size(), 5u);
    EXPECT_EQ(d.errors()[0], "Please enter a bird");
    EXPECT_EQ(d.errors()[1], "Please enter the empty body mass, and press TAB");
    EXPECT_EQ(d.errors()[2], "An accurate value for the wing span is essential");
    EXPECT_EQ(d.errors()[3], "Please enter the wing area if known,");
    EXPECT_EQ(d.messages()[4], (std::vector<std::string>{"Please enter the altitude above sea level",
                                                         "or double-click in Air Density box to set density"}));
}

TEST(EnterBird, FrontalAreaUsesEmptyMassForThePowerCurveAndAllUpMassOtherwise) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::TypeBird(s, d, {});
    s.slot(0).CropMass = 0.05f;
    ASSERT_TRUE(bird::PressCalculation(s, d, bird::Calculation::PowerCurve));
    EXPECT_FLOAT_EQ(s.slot(0).Sbody, static_cast<float>(0.00813 * std::pow(1.0, 0.666)));
    ASSERT_TRUE(bird::PressCalculation(s, d, bird::Calculation::GlidePolar));
    EXPECT_FLOAT_EQ(s.slot(0).Sbody, static_cast<float>(0.00813 * std::pow(1.05, 0.666)));
}

TEST(EnterBird, ReloadLastBirdBringsBackTheRunsValuesAndKeepsFactors) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d, {});
    test::TypeFlap(s, d, "txtPbmrFactor", 1.5);
    s.LastBird.SpName.clear();
    ornivo::SaveLastBird(s);
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtEmptyMass", "3");
    bird::ReloadLastBird(s);
    EXPECT_FLOAT_EQ(s.slot(0).EmptyMass, 1.0f);
    EXPECT_FLOAT_EQ(s.PbmrFactor, 1.5f);
    EXPECT_TRUE(s.KeepFactors);
    EXPECT_EQ(s.SpName, "Test bird");
}
