// The glide-polar engine through the same path as the CLI (Enter Bird, "Glide polar", setup load):
// the example bird, the span laws, the scan rules, the tonic muscle, and the refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "flap/PowerCurve.h"
#include "flap/PowerModel.h"
#include "flap/ScanSpeed.h"
#include "glide/GlideSetup.h"

using namespace ornivo;

namespace {

ProgramState computed(const test::TypedBird& b = test::ExampleGlider()) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d, b);
    EXPECT_TRUE(glide::ComputeGlidePolar(s, d));
    EXPECT_TRUE(d.shown.empty());
    return s;
}

// The speeds of the scan as the engine steps them.
std::vector<float> scanSpeeds(const ProgramState& s, int steps) {
    const float Vstart = static_cast<float>(RoundHalfEven(10 * double(s.Glide.Vstall)) / 10 - 1);
    flap::ScanSpeed speed(Vstart, 0.1f);
    std::vector<float> v{speed.V()};
    for (int n = 1; n < steps; ++n) {
        speed.next();
        v.push_back(speed.V());
    }
    return v;
}

}  // namespace

TEST(GlidePolar, ExampleBird) {
    ProgramState s = computed();
    EXPECT_NEAR(s.Glide.Vstall, 7.70, 0.005);
    EXPECT_EQ(s.Glide.PolarFirstRow, 7);
    EXPECT_EQ(s.Glide.PolarRowLimit, 42);
    EXPECT_EQ(s.Glide.GlidePolarTable.size(), 43u);
    EXPECT_NEAR(s.Glide.Vms, 8.8, 1e-4);
    EXPECT_NEAR(s.Glide.MinSink, 0.88, 0.005);
    EXPECT_NEAR(s.Glide.Vbg, 13.9, 1e-4);
    EXPECT_NEAR(s.Glide.BestGlideRatio, 12.7, 0.05);
    EXPECT_NEAR(s.Glide.CircleRadius, 18.7, 0.05);
    EXPECT_FLOAT_EQ(s.Glide.VmsEAS, s.Glide.Vms);  // sea level
    EXPECT_EQ(s.Glide.PolarLastRow, 25);
    for (int k = 0; k <= s.Glide.PolarRowLimit; ++k) {
        const bool filled = k >= 7 && k <= 25;
        EXPECT_EQ(s.Glide.GlidePolarTable[k][1] != 0, filled) << "row " << k;
    }
    EXPECT_FLOAT_EQ(s.Glide.SinkLast, s.Glide.GlidePolarTable[25][1]);
    ASSERT_EQ(s.Glide.MacCreadyTable.size(), 7u);
    for (float v : s.Glide.MacCreadyTable[0]) EXPECT_EQ(v, 0);
    EXPECT_NEAR(s.Glide.MacCreadyTable[1][0], 16.6, 1e-3);
    EXPECT_NEAR(s.Glide.MacCreadyTable[6][0], 24.2, 1e-3);
    for (int r = 1; r <= 6; ++r) {
        EXPECT_GT(s.Glide.MacCreadyTable[r][0], s.Glide.Vbg);
        EXPECT_LT(s.Glide.MacCreadyTable[r][3], s.Glide.MacCreadyTable[r][1]);  // best glide is slower cross-country
        if (r > 1) {
            EXPECT_GT(s.Glide.MacCreadyTable[r][0], s.Glide.MacCreadyTable[r - 1][0]);
        }
    }
    const BirdParams& b = s.slot(ModeGlide);
    EXPECT_FLOAT_EQ(b.ReWingVms, static_cast<float>(double(s.Glide.Vms) * b.MeanChord / s.KinViscosity));
    EXPECT_FALSE(s.KeepFactors);
    EXPECT_TRUE(s.LastBirdValid);
}

TEST(GlidePolar, ChemicalPowerOfGlidingAndFlapping) {
    ProgramState s = computed();
    const BirdParams& b = s.slot(ModeGlide);
    const double f = s.slot(0).WbeatFreq;  // the reference frequency, without FreqFactor
    EXPECT_FLOAT_EQ(s.slot(0).WbeatFreq, static_cast<float>(flap::PredictedWingbeatFrequency(s, ModeGlide)));
    EXPECT_NEAR(s.Glide.JperFlap, s.Flap.PminExact / (s.Eta * f), 1e-4 * s.Glide.JperFlap);
    const double Vt = 0.015 * b.EmptyMass / s.MuscleDensity;
    EXPECT_NEAR(s.Glide.PchemTonic, s.SigmaMax * (2 * s.Lambda * f) / 16 * Vt / 0.6, 1e-4 * s.Glide.PchemTonic);
    EXPECT_FLOAT_EQ(s.Glide.PchemGlide, s.Glide.PchemTonic + b.Pbmr);
    EXPECT_NEAR(s.Flap.PminExact, (1 + s.X1) * s.Flap.Pam, 1e-3);
    EXPECT_GT(s.Flap.VmrExact, s.Flap.VmpExact);
    EXPECT_GT(s.Flap.NchemMax, s.Flap.NchemVmp);
    EXPECT_GT(s.Flap.PchemVmr, s.Flap.PchemMin);
}

TEST(GlidePolar, MinimumDragLawIsCappedAtOneAndFallsAsVToTheMinusFourThirds) {
    ProgramState s = computed();
    s.Glide.SpanLaw = glide::SpanLawMinDrag;
    EXPECT_EQ(glide::SpanRatio(s, 5), 1.0f);
    const float b20 = glide::SpanRatio(s, 20), b40 = glide::SpanRatio(s, 40);
    ASSERT_LT(b20, 1.0f);
    EXPECT_NEAR(b40 / b20, std::pow(2.0, -4.0 / 3), 1e-6);
    s.Glide.SpanLaw = glide::SpanLawLinear;
    EXPECT_FLOAT_EQ(glide::SpanRatio(s, s.Glide.Vstall), 1.0f);
    EXPECT_NEAR(glide::SpanRatio(s, 3 * s.Glide.Vstall), 0.5, 1e-6);  // Bstop 5: (5 - 3) / 4
    EXPECT_EQ(glide::SpanRatio(s, 1), 1.0f);                     // capped below the stall speed
}

TEST(GlidePolar, LiftCoefficientUsesFullAreaTimesSpanRatio) {
    ProgramState s = computed();
    const BirdParams& b = s.slot(ModeGlide);
    const float V = 20, beta = glide::SpanRatio(s, V);
    ASSERT_LT(beta, 1.0f);
    const double mg = double(b.AllUpMass) * s.slot(0).Gravity;
    EXPECT_NEAR(glide::GlideAtSpeed(s, V).Cl, 2 * mg / (s.AirDensity * V * V * b.WingArea * beta), 1e-6);
    EXPECT_FLOAT_EQ(glide::GlideAtSpeed(s, V).GlideRatio, V / glide::GlideAtSpeed(s, V).Sink);
}

TEST(GlidePolar, VmsAndVbgLieOneStepBeforeTheSinkStopsFallingAndTheRatioStopsRising) {
    // Several birds, both laws: the published speeds are the step before the first step (not the first
    // of the scan) whose sink is not lower, or whose glide ratio is not higher, than the step before.
    for (double mass : {0.6, 1.0, 2.2, 5.0}) {
        for (int law : {1, 2}) {
            ProgramState s;
            platform::ScriptedDialogs d;
            test::TypedBird bird = test::ExampleGlider();
            bird.mass = mass;
            test::ToGlideSetup(s, d, bird);
            if (law == 2) test::ClickGlide(s, d, "optMinDrag");
            ASSERT_TRUE(glide::ComputeGlidePolar(s, d));
            const std::vector<float> V = scanSpeeds(s, 400);
            int ms = 0, bg = 0;
            for (int n = 1; n < 400 && !bg; ++n) {
                const auto p = glide::GlideAtSpeed(s, V[n]), q = glide::GlideAtSpeed(s, V[n - 1]);
                if (!ms && p.Sink >= q.Sink) ms = n;
                else if (ms && p.GlideRatio <= q.GlideRatio) bg = n;
            }
            ASSERT_GT(ms, 1);
            EXPECT_EQ(s.Glide.Vms, static_cast<float>(double(V[ms]) - 0.1f)) << mass << " law " << law;
            EXPECT_EQ(s.Glide.Vbg, static_cast<float>(double(V[bg]) - 0.1f)) << mass << " law " << law;
            EXPECT_FLOAT_EQ(s.Glide.MinSink, glide::GlideAtSpeed(s, s.Glide.Vms).Sink);
            EXPECT_FLOAT_EQ(s.Glide.BestGlideRatio, glide::GlideAtSpeed(s, s.Glide.Vbg).GlideRatio);
        }
    }
}

TEST(GlidePolar, AnEqualSuccessiveValueCountsAsStopped) {
    // Two birds found by search whose polars hold an exact tie of successive singles: the sink at
    // 6.9 m/s equals that at 6.8 (1.2899 kg), the glide ratio at 10.5 equals that at 10.4 (1.1657 kg).
    test::TypedBird tieSink = test::ExampleGlider(), tieRatio = test::ExampleGlider();
    tieSink.mass = 1.2899;
    tieRatio.mass = 1.1657;
    ProgramState a = computed(tieSink);
    std::vector<float> V = scanSpeeds(a, 40);
    int n = 0;
    while (std::fabs(V[n] - 6.9f) > 0.01f) ++n;
    ASSERT_EQ(glide::GlideAtSpeed(a, V[n]).Sink, glide::GlideAtSpeed(a, V[n - 1]).Sink);
    EXPECT_EQ(a.Glide.Vms, static_cast<float>(double(V[n]) - 0.1f));

    ProgramState b = computed(tieRatio);
    V = scanSpeeds(b, 80);
    n = 0;
    while (std::fabs(V[n] - 10.5f) > 0.01f) ++n;
    ASSERT_EQ(glide::GlideAtSpeed(b, V[n]).GlideRatio, glide::GlideAtSpeed(b, V[n - 1]).GlideRatio);
    EXPECT_EQ(b.Glide.Vbg, static_cast<float>(double(V[n]) - 0.1f));
}

TEST(GlidePolar, WholeSpeedRowsAreWrittenBeforeVmsWithTheSpanRatioAtTheWholeSpeed) {
    ProgramState s = computed();
    ASSERT_GT(s.Glide.Vms, 8.0f);  // row 7 and 8 come before the minimum sink is known
    for (int k : {7, 8, 20}) {
        EXPECT_FLOAT_EQ(s.Glide.GlidePolarTable[k][0], glide::SpanRatio(s, float(k))) << k;
        EXPECT_NEAR(s.Glide.GlidePolarTable[k][1], glide::GlideAtSpeed(s, float(k)).Sink, 1e-5) << k;
    }
    // Rows 0 to 6 lie below the start speed 6.7 and stay zero.
    for (int k = 0; k < 7; ++k) EXPECT_EQ(s.Glide.GlidePolarTable[k][0], 0) << k;
}

TEST(GlidePolar, TonicMuscleChangesPowerAndMacCreadyRatiosButNotThePolar) {
    ProgramState a = computed();
    ProgramState b;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(b, d);
    test::TypeGlide(b, d, "txtTonicMuscFrac", 3);
    EXPECT_FLOAT_EQ(b.Glide.TonicMuscFrac, 0.03f);
    ASSERT_TRUE(glide::ComputeGlidePolar(b, d));
    EXPECT_NEAR(b.Glide.PchemTonic, 2 * a.Glide.PchemTonic, 1e-5);
    EXPECT_GT(b.Glide.PchemGlide, a.Glide.PchemGlide);
    EXPECT_EQ(b.Glide.GlidePolarTable, a.Glide.GlidePolarTable);
    EXPECT_EQ(b.Glide.Vms, a.Glide.Vms);
    EXPECT_EQ(b.Glide.Vbg, a.Glide.Vbg);
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(b.Glide.MacCreadyTable[r][0], a.Glide.MacCreadyTable[r][0]);
        EXPECT_EQ(b.Glide.MacCreadyTable[r][1], a.Glide.MacCreadyTable[r][1]);
        EXPECT_EQ(b.Glide.MacCreadyTable[r][3], a.Glide.MacCreadyTable[r][3]);
        EXPECT_LT(b.Glide.MacCreadyTable[r][2], a.Glide.MacCreadyTable[r][2]);
        EXPECT_LT(b.Glide.MacCreadyTable[r][4], a.Glide.MacCreadyTable[r][4]);
    }
}

TEST(GlidePolar, FastGliderRecognisesEveryWholeSpeed) {
    // A heavy, small-winged bird scans from 37 to 50 m/s, where a plain single-precision sum of 0.1
    // steps drifts out of the 0.0001 whole-speed test: every row from the first to the last is written.
    test::TypedBird heavy = test::ExampleGlider();
    heavy.mass = 20;
    heavy.area = 0.12;
    heavy.span = 1.2;
    ProgramState s = computed(heavy);
    ASSERT_GT(s.Glide.PolarLastRow, 45);
    for (int k = s.Glide.PolarFirstRow; k <= s.Glide.PolarLastRow; ++k) EXPECT_GT(s.Glide.GlidePolarTable[k][1], 0) << k;
    // The plain sum would have missed some of them.
    const float Vstart = static_cast<float>(RoundHalfEven(10 * double(s.Glide.Vstall)) / 10 - 1);
    int missed = 0;
    float V = Vstart;
    for (int k = s.Glide.PolarFirstRow; k <= s.Glide.PolarLastRow; ++k) {
        bool seen = false;
        for (; V < k + 0.5f; V += 0.1f) seen = seen || std::fabs(RoundHalfEven(V) - double(V)) < double(0.0001f);
        missed += !seen;
    }
    EXPECT_GT(missed, 0);
}

TEST(GlidePolar, ZeroDensityIsRefusedBeforeAnythingChanges) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    s.AirDensity = 0;
    const ProgramState before = s;
    EXPECT_FALSE(glide::ComputeGlidePolar(s, d));
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "Please click on air density box to set density");
    EXPECT_EQ(s.Flap.VmpExact, before.Flap.VmpExact);
    EXPECT_EQ(s.LastBirdValid, before.LastBirdValid);
    EXPECT_TRUE(s.Glide.GlidePolarTable.empty());
}

TEST(GlidePolar, ZeroInputsAreRefusedByName) {
    struct Case { const char* name; void (*zero)(ProgramState&); };
    const Case cases[] = {
        {"All-up mass (kg)", [](ProgramState& s) { s.slot(ModeGlide).AllUpMass = 0; }},
        {"Wing area (sq m)", [](ProgramState& s) { s.slot(ModeGlide).WingArea = 0; }},
        {"Wing span (m)", [](ProgramState& s) { s.slot(ModeGlide).Span = 0; }},
        {"Maximum lift coefficient", [](ProgramState& s) { s.ClMax = 0; }},
        {"Wing profile drag coeff", [](ProgramState& s) { s.slot(ModeGlide).Cdw = 0; }},
    };
    for (const Case& c : cases) {
        ProgramState s;
        platform::ScriptedDialogs d;
        test::ToGlideSetup(s, d);
        c.zero(s);
        EXPECT_FALSE(glide::ComputeGlidePolar(s, d)) << c.name;
        ASSERT_EQ(d.errors().size(), 1u) << c.name;
        EXPECT_EQ(d.errors()[0], std::string(c.name) + " must be a positive number for the glide polar");
        EXPECT_TRUE(s.Glide.GlidePolarTable.empty());
    }
}

TEST(GlidePolar, ScanThatRunsOutOfSpanOrRowsStopsWithAMessageAndKeepsThePreviousResults) {
    ProgramState s = computed();
    const ProgramState good = s;
    platform::ScriptedDialogs d;
    // Zero span at 1.01 x Vstall, inside the first metre of the scan.
    s.Bstop = 1.01f;
    EXPECT_FALSE(glide::ComputeGlidePolar(s, d));
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_NE(d.errors()[0].find("The wing span ratio reaches zero at 7.78 m/s"), std::string::npos);
    EXPECT_EQ(s.Glide.GlidePolarTable, good.Glide.GlidePolarTable);
    EXPECT_EQ(s.Glide.Vms, good.Glide.Vms);
    EXPECT_EQ(s.Flap.VmpExact, good.Flap.VmpExact);
    EXPECT_EQ(s.Flap.PchemMin, good.Flap.PchemMin);
    EXPECT_EQ(s.slot(0).WbeatFreq, good.slot(0).WbeatFreq);

    // Hardly any drag with the minimum-drag law: the climb rate never reaches 3 m/s within the rows.
    d.clear();
    s.Bstop = 5;
    test::ClickGlide(s, d, "optMinDrag");
    test::TypeGlide(s, d, "txtCdw", 0.0005);
    test::TypeGlide(s, d, "txtCdb", 0.001);
    EXPECT_FALSE(glide::ComputeGlidePolar(s, d));
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_NE(d.errors()[0].find("not complete at 42 m/s"), std::string::npos) << d.errors()[0];
    EXPECT_EQ(s.Glide.MacCreadyTable, good.Glide.MacCreadyTable);
    EXPECT_EQ(s.Glide.PolarLastRow, good.Glide.PolarLastRow);
}

TEST(GlidePolar, StallSpeedTooLowForTheScanIsRefused) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToGlideSetup(s, d);
    test::TypeGlide(s, d, "txtClMax", 1000);
    EXPECT_FALSE(glide::ComputeGlidePolar(s, d));
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_NE(d.errors()[0].find("too low for the glide polar"), std::string::npos);
}

TEST(GlidePolar, SecondRunStartsFromZeroTables) {
    ProgramState s = computed();
    platform::ScriptedDialogs d;
    test::TypeGlide(s, d, "txtEmptyMass", 0.5);  // a lighter bird: a slower, shorter polar
    ASSERT_TRUE(glide::ComputeGlidePolar(s, d));
    EXPECT_LT(s.Glide.PolarRowLimit, 42);
    EXPECT_EQ(s.Glide.GlidePolarTable.size(), static_cast<std::size_t>(s.Glide.PolarRowLimit) + 1);
    for (int k = s.Glide.PolarLastRow + 1; k <= s.Glide.PolarRowLimit; ++k) EXPECT_EQ(s.Glide.GlidePolarTable[k][1], 0);
}
