// The glide-polar setup screen's rules: the load and what it resets, the Bstop check, the span-law
// options, the taxon switch with UpdateGlideBmr, altitude and gravity, marks and read-only fields.
#include <gtest/gtest.h>

#include <cmath>

#include "glide/GlideSetup.h"

using namespace ornivo;

TEST(SetupGlide, LoadCopiesTheBaseBirdIntoTheGlideSlot) {
    ProgramState s;
    platform::ScriptedDialogs d;
    ScreenUpdate u;
    test::TypeBird(s, d, test::ExampleGlider());
    ASSERT_TRUE(bird::PressCalculation(s, d, bird::Calculation::GlidePolar));
    u = glide::LoadSetupGlide(s, d);
    const BirdParams& b = s.slot(ModeGlide);
    EXPECT_EQ(s.CalcMode, ModeGlide);
    EXPECT_FLOAT_EQ(b.AllUpMass, 2.2f);
    EXPECT_FLOAT_EQ(b.MeanChord, 0.33f / 1.4f);
    EXPECT_FLOAT_EQ(b.DiscArea, static_cast<float>(s.Pi * 1.4f * 1.4f / 4));
    EXPECT_NEAR(b.Sbody, 0.00813 * std::pow(2.2, 0.666), 1e-7);  // frontal area from AllUpMass
    EXPECT_FLOAT_EQ(b.BodyDragArea, static_cast<float>(double(b.Sbody) * 0.1f));
    EXPECT_NEAR(b.BodyDiameter, 0.102 * std::cbrt(2.2), 1e-7);
    EXPECT_FLOAT_EQ(b.Cdw, 0.014f);
    EXPECT_FLOAT_EQ(b.Gravity, 9.81f);
    EXPECT_FLOAT_EQ(s.slot(0).Pbmr, b.Pbmr);
    EXPECT_FLOAT_EQ(b.EtaPbmr, static_cast<float>(double(s.Eta) * b.Pbmr));
    EXPECT_FLOAT_EQ(s.X1, 8.4f / b.AspectRatio);
    EXPECT_FLOAT_EQ(s.Glide.MetSink, static_cast<float>(double(s.Eta) * b.Pbmr / (2.2f * 9.81f)));
    ASSERT_NE(u.textOf("txtTonicMuscFrac"), nullptr);
    EXPECT_EQ(*u.textOf("txtTonicMuscFrac"), "1.50");
    EXPECT_EQ(*u.textOf("txtAlt"), "0");
    EXPECT_EQ(*u.textOf("txtMetSink"), FormatSig(s.Glide.MetSink, 3));
    EXPECT_TRUE(d.shown.empty());
}

TEST(SetupGlide, ReloadingResetsTonicMuscleSpanLawAndFactorsButNotFreqFactor) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    test::TypeGlide(s, d, "txtTonicMuscFrac", 2.5);
    test::ClickGlide(s, d, "optMinDrag");
    test::TypeGlide(s, d, "txtPbmrFactor", 1.3);
    test::TypeGlide(s, d, "txtFrontalAreaFactor", 1.2);
    s.FreqFactor = 1.4f;
    glide::LoadSetupGlide(s, d);
    EXPECT_FLOAT_EQ(s.Glide.TonicMuscFrac, 0.015f);
    EXPECT_EQ(s.Glide.SpanLaw, glide::SpanLawLinear);
    EXPECT_FLOAT_EQ(s.PbmrFactor, 1);
    EXPECT_FLOAT_EQ(s.FrontalAreaFactor, 1);
    EXPECT_FLOAT_EQ(s.FreqFactor, 1.4f);

    // With KeepFactors (a reloaded last bird) the factors stay.
    test::TypeGlide(s, d, "txtPbmrFactor", 1.3);
    test::TypeGlide(s, d, "txtFrontalAreaFactor", 1.2);
    test::TypeGlide(s, d, "txtTonicMuscFrac", 2.5);
    s.KeepFactors = true;
    glide::LoadSetupGlide(s, d);
    EXPECT_FLOAT_EQ(s.PbmrFactor, 1.3f);
    EXPECT_FLOAT_EQ(s.FrontalAreaFactor, 1.2f);
    EXPECT_FLOAT_EQ(s.Glide.TonicMuscFrac, 0.015f);
}

TEST(SetupGlide, BstopOutsideFourToSixIsRefusedAndKeepsItsValue) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    for (double bad : {3.9, 6.1, 0.0}) {
        d.clear();
        ScreenUpdate u = test::TypeGlide(s, d, "txtBstop", bad);
        EXPECT_TRUE(u.refused);
        ASSERT_EQ(d.errors().size(), 1u);
        EXPECT_EQ(d.errors()[0], "Bstop must be between 4 and 6");
        EXPECT_FLOAT_EQ(s.Bstop, 5);
    }
    for (double good : {4.0, 6.0}) {
        d.clear();
        EXPECT_FALSE(test::TypeGlide(s, d, "txtBstop", good).refused);
        EXPECT_TRUE(d.shown.empty());
        EXPECT_FLOAT_EQ(s.Bstop, static_cast<float>(good));
    }
    EXPECT_TRUE(s.Marks.test(Mark::Bstop));
}

TEST(SetupGlide, SpanLawOptionsShowAndHideBstopAndShareItsMark) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    EXPECT_FALSE(s.Marks.test(Mark::Bstop));
    test::TypeGlide(s, d, "txtBstop", 4.5);
    ScreenUpdate u = test::ClickGlide(s, d, "optMinDrag");
    EXPECT_EQ(s.Glide.SpanLaw, glide::SpanLawMinDrag);
    EXPECT_TRUE(s.Marks.test(Mark::Bstop));
    ASSERT_EQ(u.visible.size(), 2u);
    EXPECT_FALSE(u.visible[0].second);
    EXPECT_FALSE(u.visible[1].second);
    u = test::ClickGlide(s, d, "optLinear");
    EXPECT_EQ(s.Glide.SpanLaw, glide::SpanLawLinear);
    EXPECT_TRUE(u.visible[1].second);
    EXPECT_FLOAT_EQ(s.Bstop, 4.5f);  // kept while hidden, used again
}

TEST(SetupGlide, AltitudeZeroGivesSeaLevelDensity) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::TypedBird b = test::ExampleGlider();
    b.altitude = 1500;
    test::ToGlideSetup(s, d, b);
    ASSERT_LT(s.AirDensity, 1.2f);
    ScreenUpdate u = test::TypeGlide(s, d, "txtAlt", 0);
    EXPECT_FLOAT_EQ(s.AirDensity, 1.225f);
    EXPECT_EQ(*u.textOf("txtRho"), "1.225");
    EXPECT_TRUE(s.Marks.test(Mark::Altitude));
}

TEST(SetupGlide, TaxonSwitchRecomputesBmrFromLeanMassWithMetSink) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    test::TypeGlide(s, d, "txtFatFrac", 0.2);
    const BirdParams& b = s.slot(ModeGlide);
    ASSERT_GT(b.FatMass, 0.3f);
    const float metBefore = s.Glide.MetSink;
    ScreenUpdate u = glide::SetupGlideEdit(s, d, "txtTaxon", Edit::doubleClick());
    EXPECT_EQ(s.TaxonGroup, 1);
    EXPECT_EQ(*u.textOf("txtTaxon"), "Passerine");
    const double lean = double(b.EmptyMass) - b.FatMass;
    EXPECT_FLOAT_EQ(b.Pbmr, static_cast<float>(6.25 * std::pow(lean, 0.724)));
    EXPECT_FLOAT_EQ(b.EtaPbmr, static_cast<float>(double(s.Eta) * b.Pbmr));
    EXPECT_NE(s.Glide.MetSink, metBefore);
    EXPECT_FLOAT_EQ(s.Glide.MetSink, static_cast<float>(double(s.Eta) * b.Pbmr / (double(b.AllUpMass) * 9.81f)));
    EXPECT_EQ(*u.textOf("txtMetSink"), FormatSig(s.Glide.MetSink, 3));
}

TEST(SetupGlide, GlidingFieldsSetTheirValues) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    test::TypeGlide(s, d, "txtKGlide", 1.3);
    test::TypeGlide(s, d, "txtClMax", 1.6);
    test::TypeGlide(s, d, "txtPlanformSlope", 0.8);
    test::TypeGlide(s, d, "txtCdw", 0.01);
    test::TypeGlide(s, d, "txtTonicMuscFrac", 2);
    test::TypeGlide(s, d, "txtGravity", 9.8);
    EXPECT_FLOAT_EQ(s.Kglide, 1.3f);
    EXPECT_FLOAT_EQ(s.ClMax, 1.6f);
    EXPECT_FLOAT_EQ(s.PlanformSlope, 0.8f);
    EXPECT_FLOAT_EQ(s.slot(ModeGlide).Cdw, 0.01f);
    EXPECT_FLOAT_EQ(s.slot(0).Cdw, 0.014f);
    EXPECT_FLOAT_EQ(s.Glide.TonicMuscFrac, 0.02f);
    EXPECT_FLOAT_EQ(s.slot(0).Gravity, 9.8f);
    EXPECT_FLOAT_EQ(s.slot(ModeGlide).Gravity, 9.81f);  // the glide slot's gravity follows only at load
    for (Mark m : {Mark::Kglide, Mark::ClMax, Mark::PlanformSlope, Mark::Cdw, Mark::TonicMuscFrac, Mark::Gravity})
        EXPECT_TRUE(s.Marks.test(m));
    test::TypeGlide(s, d, "txtAR", 8);
    EXPECT_FLOAT_EQ(s.slot(ModeGlide).WingArea, static_cast<float>(1.4 * 1.4f / 8));
    EXPECT_FLOAT_EQ(s.X1, 8.4f / 8);
}

TEST(SetupGlide, MassLimitsAreCheckedOnTheGlideSlot) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    EXPECT_TRUE(test::TypeGlide(s, d, "txtFatFrac", 0.61).refused);
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "That won't do. Fat mass must not exceed 0.6 x Body mass");
    EXPECT_FLOAT_EQ(s.slot(0).FatFrac, 0);
}

TEST(SetupGlide, ReadOnlyAndUnknownControlsAreNotTyped) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    for (const char* c : {"txtSbody", "txtPbmr", "txtMetSink", "txtAllUpMass", "txtTaxon", "txtKflap"})
        EXPECT_THROW(glide::SetupGlideEdit(s, d, c, Edit::typed("1")), UnknownControl) << c;
    EXPECT_THROW(glide::SetupGlideEdit(s, d, "chkExcelFile", Edit::check(true)), UnknownControl);
    EXPECT_THROW(test::ClickGlide(s, d, "optBound"), UnknownControl);
}

TEST(SetupGlide, NumberBeyondSingleRangeIsRefusedAndLosesNothing) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    ScreenUpdate u = glide::SetupGlideEdit(s, d, "txtKGlide", Edit::typed("1e999"));
    EXPECT_TRUE(u.refused);
    EXPECT_EQ(d.errors().size(), 1u);
    EXPECT_FLOAT_EQ(s.Kglide, 1.1f);
}
