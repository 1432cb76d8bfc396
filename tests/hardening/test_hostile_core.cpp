// Hostile typed text through the core field rules of the three setup screens, as the screens commit
// it: every edit either refuses with a message, or leaves values whose every shown text is a finite
// number, and the calculation then refuses or gives a results screen of finite numbers. Formatting
// NaN or infinity throws NumberTextError, so a value that would reach a screen as NaN fails here.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../../fuzz/FieldControls.h"
#include "bird/EnterBird.h"
#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "flap/SummaryFlap.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "glide/SummaryGlide.h"
#include "migrate/SetupMigrate.h"
#include "migrate/SummaryMigrate.h"
#include "platform/ScriptedDialogs.h"
#include "state/Edit.h"
#include "state/numtext.h"

using namespace ornivo;

namespace {

// Typed forms of 0, negatives, NaN, infinities, 1e30, 1e-30, values past the single range, and
// numbers with commas, spaces and exponents.
const std::vector<std::string>& HostileTexts() {
    static const std::vector<std::string> t = {
        "0",     "-0",   "-1",     "-0.001", "1e30",  "-1e30", "1e-30", "-1e-30", "1e38",  "3.5e38",
        "1e308", "1e400", "-1e400", "nan",   "inf",   "-inf",  "1,5",   "1 5",    " 0.5 ", "5e-1",
        "5E+2",  "abc",  "",       "0x10",   "1e",    ".",     "--1",   "1.5.5",  "1e-400", "44309",
        "-440001", "0.999999", "1.000001", "1e6"};
    return t;
}

enum class Calc { PowerCurve, GlidePolar, Migrate };

struct Screen {
    ProgramState s;
    platform::ScriptedDialogs d;
    Calc calc;

    explicit Screen(Calc c) : calc(c) {
        bird::LoadEnterBird(s);
        for (const auto& [field, text] : {std::pair{"txtSpName", "Test bird"}, {"txtShortName", "Tb"},
                                          {"txtEmptyMass", "0.5"}, {"txtSpan", "0.8"}, {"txtArea", "0.08"},
                                          {"txtAlt", "0"}})
            bird::EnterBirdField(s, d, field, text);
        const bird::Calculation which = c == Calc::PowerCurve   ? bird::Calculation::PowerCurve
                                        : c == Calc::GlidePolar ? bird::Calculation::GlidePolar
                                                                : bird::Calculation::Migrate;
        EXPECT_TRUE(bird::PressCalculation(s, d, which));
        if (c == Calc::PowerCurve) flap::LoadSetupFlap(s, d);
        if (c == Calc::GlidePolar) glide::LoadSetupGlide(s, d);
        if (c == Calc::Migrate) {
            migrate::LoadSetupMigrate(s, d);
            migrate::SetupMigrateEdit(s, d, "txtFatFrac", Edit::typed("0.2"));
        }
        d.clear();
    }
    ScreenUpdate edit(const std::string& control, const std::string& text) {
        if (calc == Calc::PowerCurve) return flap::SetupFlapEdit(s, d, control, Edit::typed(text));
        if (calc == Calc::GlidePolar) return glide::SetupGlideEdit(s, d, control, Edit::typed(text));
        return migrate::SetupMigrateEdit(s, d, control, Edit::typed(text));
    }
};

void ExpectFiniteTexts(const ScreenUpdate& u, const std::string& what) {
    for (const auto& [control, text] : u.texts) {
        if (control == "txtSpName" || control == "txtShortName" || control == "txtTaxon") continue;
        for (const char* bad : {"nan", "inf", "NaN", "Inf"})
            EXPECT_EQ(text.find(bad), std::string::npos) << what << ": " << control << " shows " << text;
    }
}

// An edit, then the calculation and its results screen: a refusal with a message or finite texts.
void ExpectSoundEnd(Calc calc, const std::string& control, const std::string& text) {
    const std::string what = control + " = \"" + text + "\"";
    SCOPED_TRACE(what);
    Screen sc(calc);
    ScreenUpdate u;
    try {
        u = sc.edit(control, text);
    } catch (const UnknownControl&) {
        return;  // a field this screen shows but does not take typing in
    } catch (const NumberTextError& e) {
        ADD_FAILURE() << "the field rule would show a value with no text: " << e.what();
        return;
    }
    // A refused edit may leave its value as typed; the calculation must then refuse it itself.
    if (u.refused) {
        EXPECT_FALSE(sc.d.errors().empty()) << "refused without a message";
    }
    ExpectFiniteTexts(u, what);
    try {
        if (calc == Calc::PowerCurve) {
            if (flap::ComputePowerCurve(sc.s, sc.d)) ExpectFiniteTexts(flap::LoadSummaryFlap(sc.s), what);
        } else if (calc == Calc::GlidePolar) {
            if (glide::ComputeGlidePolar(sc.s, sc.d)) ExpectFiniteTexts(glide::LoadSummaryGlide(sc.s), what);
        }
    } catch (const NumberTextError& e) {
        ADD_FAILURE() << "the results screen would show a value with no text: " << e.what();
    }
}

}  // namespace

TEST(HostileFieldRules, PowerCurveSetupFields) {
    for (const std::string& c : fuzz::FlapFields())
        for (const std::string& t : HostileTexts()) ExpectSoundEnd(Calc::PowerCurve, c, t);
}

TEST(HostileFieldRules, GlidePolarSetupFields) {
    for (const std::string& c : fuzz::GlideFields())
        for (const std::string& t : HostileTexts()) ExpectSoundEnd(Calc::GlidePolar, c, t);
}

TEST(HostileFieldRules, MigrationSetupAndSettingsFields) {
    for (const std::string& c : fuzz::MigrateFields())
        for (const std::string& t : HostileTexts()) ExpectSoundEnd(Calc::Migrate, c, t);
}

TEST(HostileFieldRules, EnterBirdFieldsThenEachCalculation) {
    for (const std::string& c : fuzz::EnterBirdFields()) {
        for (const std::string& t : HostileTexts()) {
            SCOPED_TRACE(c + " = \"" + t + "\"");
            ProgramState s;
            platform::ScriptedDialogs d;
            bird::LoadEnterBird(s);
            for (const auto& [field, text] : {std::pair{"txtSpName", "Test bird"}, {"txtShortName", "Tb"},
                                              {"txtEmptyMass", "0.5"}, {"txtSpan", "0.8"}, {"txtArea", "0.08"},
                                              {"txtAlt", "0"}})
                bird::EnterBirdField(s, d, field, text);
            try {
                ExpectFiniteTexts(bird::EnterBirdField(s, d, c, t), c);
                ProgramState flapState = s;
                if (bird::PressCalculation(flapState, d, bird::Calculation::PowerCurve)) {
                    ExpectFiniteTexts(flap::LoadSetupFlap(flapState, d), c);
                    if (flap::ComputePowerCurve(flapState, d)) ExpectFiniteTexts(flap::LoadSummaryFlap(flapState), c);
                }
                ProgramState glideState = s;
                if (bird::PressCalculation(glideState, d, bird::Calculation::GlidePolar)) {
                    ExpectFiniteTexts(glide::LoadSetupGlide(glideState, d), c);
                    if (glide::ComputeGlidePolar(glideState, d))
                        ExpectFiniteTexts(glide::LoadSummaryGlide(glideState), c);
                }
                ProgramState migState = s;
                if (bird::PressCalculation(migState, d, bird::Calculation::Migrate))
                    ExpectFiniteTexts(migrate::LoadSetupMigrate(migState, d), c);
            } catch (const NumberTextError& e) {
                ADD_FAILURE() << "a screen would show a value with no text: " << e.what();
            }
        }
    }
}

// Fields with a range of their own: a refusal names the field and the range it takes.
TEST(HostileFieldRules, OverflowingValuesAreRefusedNamingFieldAndRange) {
    struct Case {
        Calc calc;
        std::string control, text, words;
    };
    const std::vector<Case> cases = {
        {Calc::PowerCurve, "txtSpan", "1e30", "Wing span (m) must be from 0 to 100"},
        {Calc::GlidePolar, "txtSpan", "1e30", "Wing span (m) must be from 0 to 100"},
        {Calc::Migrate, "txtSpan", "-1e30", "Wing span (m) must be from 0 to 100"},
        {Calc::PowerCurve, "txtEmptyMass", "1e30", "Body mass (kg) must be at most 1000"},
        {Calc::PowerCurve, "txtFatMass", "-0.1", "Fat mass (kg) must be from 0 to 1000"},
        {Calc::PowerCurve, "txtMuscleMass", "-0.1", "Flight muscle mass (kg) must be from 0 to 1000"},
        {Calc::GlidePolar, "txtFatMass", "-0.1", "Fat mass (kg) must be from 0 to 1000"},
        {Calc::Migrate, "txtFatMass", "-0.1", "Fat mass (kg) must be from 0 to 1000"},
        {Calc::Migrate, "txtGoalDist", "1e308", "Distance to destination (km) must be from 0 to 40000"},
        {Calc::Migrate, "txtGoalDist", "40001", "Distance to destination (km) must be from 0 to 40000"},
        {Calc::Migrate, "frmSetDefaultsMigr.txtOutputInt", "1e308", "Output interval (hours) must be at most 1e+06"},
        {Calc::Migrate, "txtMuscleFrac", "0", "Flight muscle fraction must be more than 0"},
        {Calc::PowerCurve, "txtEmptyMass", "-1", "You need to enter the empty body mass"},  // its own message
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control + " = " + c.text);
        Screen sc(c.calc);
        ScreenUpdate u = sc.edit(c.control, c.text);
        EXPECT_TRUE(u.refused);
        ASSERT_FALSE(sc.d.shown.empty());
        std::string all;
        for (const auto& line : sc.d.shown.back().lines) all += line + " ";
        EXPECT_NE(all.find(c.words), std::string::npos) << all;
    }
}

// The migration reads some fields' texts again at Start: hostile texts there end in a refusal at
// Start or in a run whose results screen shows finite numbers.
TEST(HostileFieldRules, MigrationStartAfterHostileFields) {
    const std::vector<std::string> controls = {"txtRhoCruise", "txtAltCruise", "txtMuscleFrac", "txtGoalDist",
                                               "txtFatMass",   "txtSpan",      "frmSetDefaultsMigr.txtOutputInt"};
    for (const std::string& c : controls) {
        for (const std::string& t : HostileTexts()) {
            SCOPED_TRACE(c + " = \"" + t + "\"");
            Screen sc(Calc::Migrate);
            migrate::SetupMigrateEdit(sc.s, sc.d, "optProj", Edit::click());
            sc.edit(c, t);
            try {
                if (migrate::StartMigrating(sc.s, sc.d) == migrate::StartOutcome::Finished)
                    ExpectFiniteTexts(migrate::LoadSummaryMigrate(sc.s), c);
                else
                    EXPECT_FALSE(sc.d.shown.empty()) << "no result and no message";
            } catch (const NumberTextError& e) {
                ADD_FAILURE() << "the results screen would show a value with no text: " << e.what();
            }
        }
    }
}

// Found by fuzz_field_rules: a refused bounding power fraction of 0 stays stored, so clicking
// Bounding again divides gravity by it; the calculation refuses the infinite effective gravity
// with its message instead of failing to show the value.
TEST(HostileFieldRules, BoundingAfterARefusedPowerFractionOfZero) {
    Screen sc(Calc::PowerCurve);
    flap::SetupFlapEdit(sc.s, sc.d, "optBound", Edit::click());
    EXPECT_TRUE(sc.edit("txtPowerFrac", "0").refused);
    flap::SetupFlapEdit(sc.s, sc.d, "optBound", Edit::click());
    bool computed = true;
    EXPECT_NO_THROW(computed = flap::ComputePowerCurve(sc.s, sc.d));
    EXPECT_FALSE(computed);
    ASSERT_FALSE(sc.d.errors().empty());
    EXPECT_EQ(sc.d.errors().back(), "Effective gravity must be a positive number for the power curve");
}

// Found by fuzz_field_rules: a span of 0 typed on the setup screen (kept for the calculation to
// refuse), then Continuous flapping clicked: the wingbeat frequency has no value and its box stays
// empty instead of failing to show infinity.
TEST(HostileFieldRules, FlappingClickedWithASpanOfZero) {
    Screen sc(Calc::PowerCurve);
    EXPECT_FALSE(sc.edit("txtSpan", "\x04" "1e30").refused);  // no leading number: 0
    ScreenUpdate u;
    EXPECT_NO_THROW(u = flap::SetupFlapEdit(sc.s, sc.d, "optFlap", Edit::click()));
    ASSERT_NE(u.textOf("txtWbeatFreq"), nullptr);
    EXPECT_EQ(*u.textOf("txtWbeatFreq"), "");
    // The same through the power fraction of flap-gliding.
    flap::SetupFlapEdit(sc.s, sc.d, "optFG", Edit::click());
    EXPECT_NO_THROW(u = sc.edit("txtPowerFrac", "0.5"));
    ASSERT_NE(u.textOf("txtWbeatFreq"), nullptr);
    EXPECT_EQ(*u.textOf("txtWbeatFreq"), "");
    EXPECT_FALSE(flap::ComputePowerCurve(sc.s, sc.d));
}

// Found by fuzz_bird_json: a fat mass refused by the mass limits stays as typed, and a later BMR
// factor takes a BMR of a negative lean mass; the BMR box stays empty and the calculation refuses.
TEST(HostileFieldRules, BmrAfterARefusedFatMass) {
    for (Calc calc : {Calc::PowerCurve, Calc::GlidePolar}) {
        Screen sc(calc);
        EXPECT_TRUE(sc.edit("txtFatMass", "10.124").refused);
        ScreenUpdate u;
        EXPECT_NO_THROW(u = sc.edit("txtPbmrFactor", "0.8791"));
        ASSERT_NE(u.textOf("txtPbmr"), nullptr);
        EXPECT_EQ(*u.textOf("txtPbmr"), "");
        const bool computed = calc == Calc::PowerCurve ? flap::ComputePowerCurve(sc.s, sc.d)
                                                       : glide::ComputeGlidePolar(sc.s, sc.d);
        EXPECT_FALSE(computed);
    }
}

// Found by fuzz_field_rules: a protein energy density of 0 and a protein share of 0 made the mixed
// fuel energy 0 / 0; the settings refuse a protein energy density below 1 J/kg.
TEST(HostileFieldRules, NoProteinEnergyDensityOfZero) {
    Screen sc(Calc::Migrate);
    ScreenUpdate u = sc.edit("frmSetDefaultsMigr.txtEprotein", "0");
    EXPECT_TRUE(u.refused);
    ASSERT_FALSE(sc.d.errors().empty());
    EXPECT_EQ(sc.d.errors().back(), "The Dry protein energy density (J/kg) must be from 1 to 1e+12");
    EXPECT_NO_THROW(u = sc.edit("frmSetDefaultsMigr.txtProtFracTarget", "0"));
    ASSERT_NE(u.textOf("txtEmixed"), nullptr);
    EXPECT_TRUE(std::isfinite(LeadingNumber(*u.textOf("txtEmixed"))));
}

// Found by fuzz_field_rules: a span of 1e-20 m over a wing area of 100 sq m gives an aspect ratio
// so small that Cprof / AspectRatio overflows; the setup screens show a profile power ratio of 0.
TEST(HostileFieldRules, AnAspectRatioTooSmallForAProfilePowerRatio) {
    for (bird::Calculation c : {bird::Calculation::PowerCurve, bird::Calculation::GlidePolar, bird::Calculation::Migrate}) {
        ProgramState s;
        platform::ScriptedDialogs d;
        bird::LoadEnterBird(s);
        for (const auto& [field, text] : {std::pair{"txtSpName", "Tiny"}, {"txtEmptyMass", "0.5"}, {"txtSpan", "1e-20"},
                                          {"txtArea", "100"}, {"txtAlt", "0"}})
            bird::EnterBirdField(s, d, field, text);
        if (!bird::PressCalculation(s, d, c)) continue;  // the bird check may refuse such a wing
        ScreenUpdate u;
        EXPECT_NO_THROW(u = c == bird::Calculation::PowerCurve   ? flap::LoadSetupFlap(s, d)
                            : c == bird::Calculation::GlidePolar ? glide::LoadSetupGlide(s, d)
                                                                 : migrate::LoadSetupMigrate(s, d));
        EXPECT_EQ(s.X1, 0.0f);
    }
}

// Found by fuzz_field_rules: a wing area of 1e-39 sq m (a positive single) under a span of 0.8 m
// gave an infinite aspect ratio; such a wing is refused, before and after the span changes.
TEST(HostileFieldRules, AWingAreaTooSmallForItsSpan) {
    for (Calc calc : {Calc::PowerCurve, Calc::GlidePolar, Calc::Migrate}) {
        Screen sc(calc);
        ScreenUpdate u;
        EXPECT_NO_THROW(u = sc.edit("txtArea", "1e-39"));
        EXPECT_TRUE(u.refused);
        ASSERT_FALSE(sc.d.errors().empty());
        EXPECT_EQ(sc.d.errors().back(), "This wing span and wing area give an aspect ratio too large to calculate with");
        EXPECT_FALSE(sc.edit("txtArea", "1e-37").refused);  // fits under 0.8 m
        EXPECT_NO_THROW(u = sc.edit("txtSpan", "100"));
        EXPECT_TRUE(u.refused);
    }
}
