// The glide-polar graph on the recording surface: the sinking-speed step, the three scales, the span
// curve of both laws, and the markers.
#include <gtest/gtest.h>

#include <algorithm>

#include "graph/GraphFixtures.h"
#include "glide/GlideSetup.h"
#include "graph/PolarGraph.h"

using namespace ornivo;
using namespace ornivo::graph;
using test::CallsOf;

namespace {

struct Drawn {
    ProgramState s;
    RecordingSurface surface{test::PolarPixelsX, test::PolarPixelsY};
    Rotator rotator;
    PolarMapping m;
    std::string heading;
    explicit Drawn(ProgramState state) : s(std::move(state)) {
        heading = DrawPolarGraph(s, surface, rotator);
        m = MakePolarMapping(s, surface.ScaleWidth(), surface.ScaleHeight());
    }
    // Texts printed left of the sinking-speed axis, right of the span axis, below the speed axis.
    std::vector<std::string> textsWhere(auto pred) const {
        std::vector<std::string> out;
        for (const auto& c : CallsOf(surface, DrawCall::Text))
            if (pred(c)) out.push_back(c.text);
        return out;
    }
    bool hasLine(float x1, float y1, float x2, float y2) const {
        return std::any_of(surface.Calls().begin(), surface.Calls().end(), [&](const DrawCall& c) {
            return c.kind == DrawCall::Line && c.x1 == x1 && c.y1 == y1 && c.x2 == x2 && c.y2 == y2;
        });
    }
    const DrawCall* text(const std::string& t) const {
        for (const auto& c : surface.Calls())
            if (c.kind == DrawCall::Text && c.text == t) return &c;
        return nullptr;
    }
};

}  // namespace

TEST(PolarStep, FollowsItsDecadeRuleIncludingTheTenTimesEQuirk) {
    EXPECT_FLOAT_EQ(PolarStep(12), 1);
    EXPECT_FLOAT_EQ(PolarStep(35), 2);
    EXPECT_FLOAT_EQ(PolarStep(60), 5);
    EXPECT_FLOAT_EQ(PolarStep(0.5f), 0.05f);  // e = -1, f = floor(-0.05) = -1
    for (float x = 1; x < 10; x = static_cast<float>(x + 0.01f)) EXPECT_FLOAT_EQ(PolarStep(x), 0.1f) << x;
    EXPECT_FLOAT_EQ(PolarStep(9.999f), 0.1f);
}

TEST(PolarGraph, MappingIsFractionsOfTheSurfaceRoundedHalfToEven) {
    ProgramState s = test::GlidePolarState();
    PolarMapping m = MakePolarMapping(s, 9975, 7215);
    EXPECT_EQ(m.X0, 998);   // round(997.5)
    EXPECT_EQ(m.XR, 8978);  // round(8977.5)
    EXPECT_EQ(m.T, 361);
    EXPECT_EQ(m.Y0, 6133);
    EXPECT_EQ(m.t, 120);
    EXPECT_FLOAT_EQ(m.Sx, 319.2f);
    EXPECT_EQ(m.X(7.5), 998 + 2394);
    EXPECT_EQ(m.Yb(1), 6133 - 5497);
    EXPECT_EQ(m.Ys(s.Glide.SinkLast), 361);
    // Half-way points go to the even neighbour: 319.2 x 2.5 = 798 exactly; Sb x b near a half.
    m.Sx = 1;
    EXPECT_EQ(m.X(2.5), 998 + 2);
    EXPECT_EQ(m.X(3.5), 998 + 4);
}

TEST(PolarGraph, TheTwoKilogramBirdGetsItsAxes) {
    Drawn d(test::GlidePolarState());
    EXPECT_NEAR(d.s.Glide.SinkLast, 2.82, 0.005);
    EXPECT_EQ(d.heading, "Glide polar for Test glider with air density 1.23 kg/cubic m");
    const auto speedLabels = d.textsWhere([](const DrawCall& c) { return c.y1 == 6133 + 120 + 120; });
    EXPECT_EQ(speedLabels, (std::vector<std::string>{" 0", " 5", " 10", " 15", " 20", " 25"}));
    const auto sinkLabels = d.textsWhere([](const DrawCall& c) { return c.x1 < 998 - 360; });
    EXPECT_EQ(sinkLabels, (std::vector<std::string>{"0", "0.50", "1.0", "1.5", "2.0", "2.5"}));
    const auto spanLabels = d.textsWhere([](const DrawCall& c) { return c.x1 == 8978 + 240; });
    EXPECT_EQ(spanLabels, (std::vector<std::string>{"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8",
                                                    "0.9", "1"}));
    int sinkTicks = 0, spanTicks = 0;
    for (const auto& c : CallsOf(d.surface, DrawCall::Line)) {
        if (c.y1 != c.y2) continue;
        if (c.x1 == 998 - 120 || c.x2 == 998 - 180) ++sinkTicks;
        if (c.x1 == 8978 && c.x2 == 8978 + 120) ++spanTicks;
    }
    EXPECT_EQ(sinkTicks, 29);  // 0 to 2.8 m/s every 0.1
    EXPECT_EQ(spanTicks, 11);
    // The sink label "0.50" ends 3 t left of the axis at its tick, Ys(0.5).
    const DrawCall* half = d.text("0.50");
    ASSERT_NE(half, nullptr);
    EXPECT_FLOAT_EQ(half->x1, 998 - 360 - 480);
    EXPECT_FLOAT_EQ(half->y1, d.m.Ys(0.5f) - 120);
}

// The same axes from the engine's own run of the 2.2 kg example bird.
TEST(PolarGraph, TheEngineExampleGliderGetsTheSameAxes) {
    ProgramState s;
    platform::ScriptedDialogs dialogs;
    test::ToGlideSetup(s, dialogs);
    ASSERT_TRUE(glide::ComputeGlidePolar(s, dialogs));
    ASSERT_EQ(s.Glide.PolarLastRow, 25);
    EXPECT_NEAR(s.Glide.SinkLast, 2.82, 0.01);
    Drawn d(s);
    const auto sinkLabels = d.textsWhere([&](const DrawCall& c) { return c.x1 < d.m.X0 - 3 * d.m.t; });
    EXPECT_EQ(sinkLabels, (std::vector<std::string>{"0", "0.50", "1.0", "1.5", "2.0", "2.5"}));
    int sinkTicks = 0;
    for (const auto& c : CallsOf(d.surface, DrawCall::Line))
        if (c.y1 == c.y2 && (c.x1 == d.m.X0 - d.m.t || c.x2 == d.m.X0 - 1.5f * d.m.t)) ++sinkTicks;
    EXPECT_EQ(sinkTicks, 29);
    // Linear span law: one line from the stall speed at span ratio 1 to the last speed.
    EXPECT_TRUE(d.hasLine(d.m.X(s.Glide.Vstall), d.m.Yb(1), d.m.XR, d.m.Yb(s.Glide.GlidePolarTable[25][0])));
}

TEST(PolarGraph, ATwelveMetreSinkAxisTicksEveryMetre) {
    ProgramState s = test::GlidePolarState();
    s.Glide.SinkLast = 12;
    Drawn d(s);
    const auto sinkLabels = d.textsWhere([](const DrawCall& c) { return c.x1 < 998 - 360; });
    EXPECT_EQ(sinkLabels, (std::vector<std::string>{"0", "5.0", "10"}));
}

TEST(PolarGraph, LinearSpanLawIsOneLineFromTheStallSpeed) {
    Drawn d(test::GlidePolarState());
    const float yLast = d.m.Yb(d.s.Glide.GlidePolarTable[25][0]);
    EXPECT_TRUE(d.hasLine(3392, 636, 8978, yLast));
    // No row-by-row span segments.
    EXPECT_FALSE(d.hasLine(d.m.X(8), d.m.Yb(d.s.Glide.GlidePolarTable[8][0]), d.m.X(9), d.m.Yb(d.s.Glide.GlidePolarTable[9][0])));
}

TEST(PolarGraph, MinimumDragSpanLawFollowsTheTable) {
    ProgramState s = test::GlidePolarState();
    s.Glide.SpanLaw = 2;
    Drawn d(s);
    int segments = 0;
    for (int i = 9; i <= 25; ++i)
        if (d.hasLine(d.m.X(i - 1), d.m.Yb(s.Glide.GlidePolarTable[i - 1][0]), d.m.X(i), d.m.Yb(s.Glide.GlidePolarTable[i][0])))
            ++segments;
    EXPECT_EQ(segments, 17);
    EXPECT_FALSE(d.hasLine(3392, 636, 8978, d.m.Yb(s.Glide.GlidePolarTable[25][0])));
}

TEST(PolarGraph, PolarAndMarkersStandWhereTheyAreComputed) {
    Drawn d(test::GlidePolarState());
    const auto& tab = d.s.Glide.GlidePolarTable;
    int segments = 0;
    for (int i = 9; i <= 25; ++i)
        if (d.hasLine(d.m.X(i - 1), d.m.Ys(tab[i - 1][1]), d.m.X(i), d.m.Ys(tab[i][1]))) ++segments;
    EXPECT_EQ(segments, 17);

    const int16_t xVms = d.m.X(10.5), yMin = d.m.Ys(0.762f);
    EXPECT_TRUE(d.hasLine(xVms, 6133, xVms, static_cast<float>(yMin - 360.75)));
    const DrawCall* vms = d.text("Vms = 10.5 m/s");
    ASSERT_NE(vms, nullptr);
    EXPECT_FLOAT_EQ(vms->x1, xVms - 840);
    EXPECT_FLOAT_EQ(vms->y1, static_cast<float>(yMin - 721.5));

    const int16_t xVbg = d.m.X(13), yVbg = d.m.Ys(13.0f / 15.8f);
    EXPECT_TRUE(d.hasLine(xVbg, 6133, xVbg, static_cast<float>(yVbg - 360.75)));
    const DrawCall* vbg = d.text("Vbg = 13.0 m/s");
    ASSERT_NE(vbg, nullptr);
    EXPECT_FLOAT_EQ(vbg->x1, static_cast<float>(xVbg + 0.1 * 1680));
    EXPECT_FLOAT_EQ(vbg->y1, static_cast<float>(yVbg + 360.75));

    const DrawCall* sink = d.text("Minimum sink rate: 0.762 m/s");
    ASSERT_NE(sink, nullptr);
    EXPECT_FLOAT_EQ(sink->x1, 1496.25f);
    EXPECT_FLOAT_EQ(sink->y1, 2164.5f);
    const DrawCall* ratio = d.text("Best glide ratio : 15.8");
    ASSERT_NE(ratio, nullptr);
    EXPECT_FLOAT_EQ(ratio->y1, 2164.5f + 240);

    for (const auto& c : CallsOf(d.surface, DrawCall::Text)) EXPECT_FALSE(c.font.Bold) << c.text;
    auto titles = CallsOf(d.surface, DrawCall::TextOut);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0].text, "Sink rate (m/s)");
    EXPECT_EQ(titles[0].px1, 7);    // 99.75 twips
    EXPECT_EQ(titles[0].py1, 289);  // 4329 twips
    EXPECT_EQ(titles[1].text, "Span reduction factor");
    EXPECT_EQ(titles[1].px1, 642);  // 9625.9 twips
    EXPECT_EQ(titles[1].logFont.lfEscapement, 900);
}

TEST(PolarGraph, LeavesTheSharedPowerGraphMappingAlone) {
    ProgramState s = test::GlidePolarState();
    s.GraphX0 = 11;
    s.GraphY0 = 22;
    Drawn d(s);
    EXPECT_FLOAT_EQ(d.s.GraphX0, 11);
    EXPECT_FLOAT_EQ(d.s.GraphY0, 22);
}

TEST(PolarGraph, WithoutAPolarNothingIsDrawn) {
    ProgramState s;
    RecordingSurface surface(test::PolarPixelsX, test::PolarPixelsY);
    Rotator rotator;
    EXPECT_THROW(DrawPolarGraph(s, surface, rotator), GraphError);
    s = test::GlidePolarState();
    s.Glide.BestGlideRatio = 0;
    EXPECT_THROW(DrawPolarGraph(s, surface, rotator), GraphError);
    s = test::GlidePolarState();
    s.Glide.PolarLastRow = 60;
    EXPECT_THROW(DrawPolarGraph(s, surface, rotator), GraphError);
    EXPECT_TRUE(surface.Calls().empty());
}
