// The power-curve graph on the recording surface: axis steps and labels, the placement of every
// part in twips, the mapping left for the uncertainty bands, and the bands themselves.
#include <cmath>
#include <gtest/gtest.h>

#include <algorithm>

#include "graph/GraphFixtures.h"
#include "graph/PowerGraph.h"
#include "state/StateOps.h"

using namespace ornivo;
using namespace ornivo::graph;
using test::CallsOf;
using test::Texts;

namespace {

struct Drawn {
    ProgramState s;
    RecordingSurface surface{test::PowerPixelsX, test::PowerPixelsY};
    Rotator rotator;
    std::string heading;
    explicit Drawn(ProgramState state) : s(std::move(state)) { heading = DrawPowerGraph(s, surface, rotator); }
};

// Draws a power axis alone on the lower plot's mapping of the screen surface.
std::vector<DrawCall> axisCalls(float Pmax) {
    ProgramState s;
    RecordingSurface surface(test::PowerPixelsX, test::PowerPixelsY);
    Rotator rotator;
    s.GraphX0 = 2019;
    s.GraphY0 = 6337;
    s.GraphYScale = static_cast<float>((6337.0 - 3355) / Pmax);
    DrawPowerAxis(s, surface, rotator, Pmax, 124);
    return surface.Calls();
}

std::vector<std::string> printed(const std::vector<DrawCall>& calls) {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.kind == DrawCall::Text) out.push_back(c.text);
    return out;
}

bool sameLine(const DrawCall& c, float x1, float y1, float x2, float y2) {
    return c.kind == DrawCall::Line && c.x1 == x1 && c.y1 == y1 && c.x2 == x2 && c.y2 == y2;
}

bool hasLine(const RecordingSurface& r, float x1, float y1, float x2, float y2) {
    return std::any_of(r.Calls().begin(), r.Calls().end(), [&](const DrawCall& c) { return sameLine(c, x1, y1, x2, y2); });
}

const DrawCall* textCall(const RecordingSurface& r, const std::string& text) {
    for (const auto& c : r.Calls())
        if (c.kind == DrawCall::Text && c.text == text) return &c;
    return nullptr;
}

}  // namespace

TEST(NiceStep, GivesOneTwoOrFiveTimesATenthOfTheDecade) {
    EXPECT_FLOAT_EQ(NiceStep(35), 2);
    EXPECT_FLOAT_EQ(NiceStep(120), 10);
    EXPECT_FLOAT_EQ(NiceStep(60), 5);
    EXPECT_FLOAT_EQ(NiceStep(8.7f), 0.5f);
    EXPECT_FLOAT_EQ(NiceStep(15), 1);
    EXPECT_FLOAT_EQ(NiceStep(0.35f), 0.02f);
    // The decimal logarithm of 1000 as a quotient of natural logarithms falls just below 3, so e = 2
    // and the mantissa is 10: a step of 50, not 100.
    EXPECT_FLOAT_EQ(NiceStep(1000), 50);
}

TEST(PowerAxis, ThirtyFiveWattsTicksEveryTwoAndLabelsEveryTen) {
    auto calls = axisCalls(35);
    EXPECT_EQ(printed(calls), (std::vector<std::string>{"0", "10", "20", "30"}));
    int ticks = 0, major = 0;
    for (const auto& c : calls) {
        if (c.kind != DrawCall::Line) continue;
        ++ticks;
        EXPECT_EQ(c.y1, c.y2);
        if (c.x2 == 2019 - 1.5f * 124) ++major;  // major ticks reach 1.5 t left of the axis
        else EXPECT_TRUE(c.x1 == 2019 - 124 && c.x2 == 2019);
    }
    EXPECT_EQ(ticks, 18);  // 0 to 34 W
    EXPECT_EQ(major, 4);
    // Labels end 3 t left of the axis and are centred on their tick: "30" is 240 twips wide, 240 high.
    for (const auto& c : calls)
        if (c.kind == DrawCall::Text && c.text == "30") {
            EXPECT_FLOAT_EQ(c.x1, 2019 - 3 * 124 - 240);
            const int16_t y = static_cast<int16_t>(6337 - std::nearbyint((6337.0 - 3355) / 35 * 30));
            EXPECT_FLOAT_EQ(c.y1, y - 120);
        }
}

TEST(PowerAxis, NearlyNineWattsTicksEveryHalfWattWithOneDecimalLabels) {
    auto calls = axisCalls(8.7f);
    EXPECT_EQ(printed(calls), (std::vector<std::string>{"0", "2.5", "5.0", "7.5"}));
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const DrawCall& c) { return c.kind == DrawCall::Line; }), 18);
}

TEST(PowerAxis, TitleReadsUpwardsTenTicksLeftAndThreeTicksAboveTheLowerEdge) {
    auto calls = axisCalls(35);
    const DrawCall& title = calls.back();
    ASSERT_EQ(title.kind, DrawCall::TextOut);
    EXPECT_EQ(title.text, "Power (Watts)");
    EXPECT_EQ(title.logFont.lfEscapement, 900);
    EXPECT_EQ(title.logFont.lfOrientation, 900);
    EXPECT_EQ(title.logFont.lfHeight, 16);  // 12 points at 96 pixels per inch
    EXPECT_EQ(title.px1, 52);               // (2019 - 1240) / 15 = 51.9
    EXPECT_EQ(title.py1, 398);              // (6337 - 372) / 15 = 397.7
}

TEST(PowerGraph, HeadingNamesTheBirdAndTheDensity) {
    Drawn d(test::PowerCurveState());
    EXPECT_EQ(d.heading, "Power curves for Test bird with air density 1.23 kg/cubic m");
    EXPECT_EQ(PowerGraphHeading(d.s), d.heading);
}

TEST(PowerGraph, PlotsStandAsFractionsOfTheSurfaceRoundedHalfToEven) {
    Drawn d(test::PowerCurveState());
    // W = 10095, H = 7455: R = round(9085.5) = 9086; the lower plot from 3355 to 6337; t = 124.
    EXPECT_TRUE(hasLine(d.surface, 2019, 3355, 9086, 3355));
    EXPECT_TRUE(hasLine(d.surface, 9086, 3355, 9086, 6337));
    EXPECT_TRUE(hasLine(d.surface, 9086, 6337, 2019, 6337));
    EXPECT_TRUE(hasLine(d.surface, 2019, 6337, 2019, 3355));
    // The upper plot from 373 down to the lower plot's top line, without its own lower edge.
    EXPECT_TRUE(hasLine(d.surface, 2019, 3355, 2019, 373));
    EXPECT_TRUE(hasLine(d.surface, 2019, 373, 9086, 373));
    EXPECT_TRUE(hasLine(d.surface, 9086, 373, 9086, 3355));
    // The mapping: the speed scale for both plots, the upper plot's power scale left in place and the
    // lower plot's kept for the uncertainty bands.
    EXPECT_FLOAT_EQ(d.s.GraphX0, 2019);
    EXPECT_FLOAT_EQ(d.s.GraphXScale, 7067.0f / 23);
    EXPECT_EQ(d.s.GraphTop, 373);
    EXPECT_FLOAT_EQ(d.s.GraphY0, 3355);
    EXPECT_FLOAT_EQ(d.s.GraphYScale, static_cast<float>(2982.0 / d.s.Flap.PowerCurveTable[2][23]));
    EXPECT_EQ(d.s.MechPlotTop, 3355);
    EXPECT_FLOAT_EQ(d.s.MechPlotY0, 6337);
    EXPECT_FLOAT_EQ(d.s.MechPlotYScale, static_cast<float>(2982.0 / d.s.Flap.PowerCurveTable[1][23]));
}

TEST(PowerGraph, SpeedLabelsEveryFiveMetresPerSecondFromZeroUpToTheLastSpeed) {
    Drawn d(test::PowerCurveState(23));
    std::vector<std::string> labels;
    for (const auto& c : CallsOf(d.surface, DrawCall::Text))
        if (c.y1 == 6337 + 124 + 120) labels.push_back(c.text);
    EXPECT_EQ(labels, (std::vector<std::string>{" 0", " 5", " 10", " 15", " 20"}));
    // " 5" is 240 twips wide and centred on its tick at GraphX(5) = 2019 + round(1536.3) = 3555.
    const DrawCall* five = textCall(d.surface, " 5");
    ASSERT_NE(five, nullptr);
    EXPECT_FLOAT_EQ(five->x1, 3555 - 120);
    // 24 speed ticks, the major ones 1.5 t long below the axis.
    int ticks = 0;
    for (const auto& c : CallsOf(d.surface, DrawCall::Line))
        if (c.x1 == c.x2 && (c.y1 == 6337 + 124 || c.y2 == 6337 + 186)) ++ticks;
    EXPECT_EQ(ticks, 24);
    const DrawCall* title = textCall(d.surface, "True air speed (m/s)");
    ASSERT_NE(title, nullptr);
    EXPECT_FLOAT_EQ(title->x1, 4038);
    EXPECT_FLOAT_EQ(title->y1, 6933.15f);
}

TEST(PowerGraph, CurvesJoinTheComputedSpeedsOnly) {
    ProgramState s = test::PowerCurveState();
    s.Flap.PowerCurveTable[0][12] = 0;  // a column without a point
    Drawn d(s);
    ProgramState m = d.s;
    m.GraphY0 = m.MechPlotY0;
    m.GraphYScale = m.MechPlotYScale;
    int segments = 0;
    for (int v = 2; v <= 23; ++v)
        if (hasLine(d.surface, GraphX(m, v - 1), GraphY(m, m.Flap.PowerCurveTable[1][v - 1]), GraphX(m, v),
                    GraphY(m, m.Flap.PowerCurveTable[1][v])))
            ++segments;
    EXPECT_EQ(segments, 21);
    // Powers above the power at the last speed are drawn above the plot's top edge, unclipped.
    EXPECT_LT(GraphY(m, m.Flap.PowerCurveTable[1][1]), m.MechPlotTop);
}

TEST(PowerGraph, MarkersAndValuesStandWhereTheyAreComputed) {
    Drawn d(test::PowerCurveState());
    const int16_t xVmp = 2019 + 3503;  // round(307.26 x 11.4)
    EXPECT_TRUE(hasLine(d.surface, xVmp, 6337, xVmp, 3355));
    const DrawCall* vmp = textCall(d.surface, "Vmp = 11.4 m/s");
    ASSERT_NE(vmp, nullptr);
    EXPECT_FLOAT_EQ(vmp->x1, xVmp + 0.5f * 14 * 120);
    EXPECT_FLOAT_EQ(vmp->y1, 6337 - 2 * 240);
    const DrawCall* mech = textCall(d.surface, "Mechanical power");
    ASSERT_NE(mech, nullptr);
    EXPECT_TRUE(mech->font.Bold);
    EXPECT_FLOAT_EQ(mech->x1, 2019 + 124);
    EXPECT_FLOAT_EQ(mech->y1, 3355 + 240);
    const DrawCall* chem = textCall(d.surface, "Chemical power");
    ASSERT_NE(chem, nullptr);
    EXPECT_TRUE(chem->font.Bold);
    EXPECT_FLOAT_EQ(chem->y1, 373 + 240);
    const DrawCall* ld = textCall(d.surface, "Max effective L/D = 3.70");
    ASSERT_NE(ld, nullptr);
    EXPECT_FALSE(ld->font.Bold);
    EXPECT_FLOAT_EQ(ld->x1, 2019 + 248);
    // Two text heights below the minimum, or (as here, where the Vmr label takes that row) the nearest
    // free row, whole text heights away.
    const float ldRow = (ld->y1 - (GraphY(d.s, d.s.Flap.PchemMin) + 480)) / 240;
    EXPECT_FLOAT_EQ(ldRow, std::round(ldRow));
    const int16_t xVmr = GraphX(d.s, d.s.Flap.Vmr);
    EXPECT_TRUE(hasLine(d.surface, xVmr, 373, xVmr, 3355));
    const DrawCall* vmr = textCall(d.surface, "Vmr = 15.2 m/s");
    ASSERT_NE(vmr, nullptr);
    EXPECT_FLOAT_EQ(vmr->x1, static_cast<float>(xVmr - 1.1 * 1680));
    EXPECT_FLOAT_EQ(vmr->y1, static_cast<float>(GraphY(d.s, d.s.Flap.PchemVmr) + 745.5));
    // The upper Vmp marker rises from the lower edge to a twentieth of the height above the minimum.
    EXPECT_TRUE(hasLine(d.surface, xVmp, static_cast<float>(GraphY(d.s, d.s.Flap.PchemMin) - 372.75), xVmp, 3355));
    EXPECT_EQ(CallsOf(d.surface, DrawCall::TextOut).size(), 2u);
    EXPECT_FALSE(d.surface.Font.Bold);
}

TEST(PowerGraph, WithoutACurveNothingIsDrawn) {
    ProgramState s;
    RecordingSurface surface(test::PowerPixelsX, test::PowerPixelsY);
    Rotator rotator;
    EXPECT_THROW(DrawPowerGraph(s, surface, rotator), GraphError);
    s = test::PowerCurveState();
    s.Flap.PowerCurveTable[1][23] = 0;  // no power at the top speed: no scale
    EXPECT_THROW(DrawPowerGraph(s, surface, rotator), GraphError);
    s = test::PowerCurveState();
    s.Flap.CurveLastRow = 40;  // beyond the table
    EXPECT_THROW(DrawPowerGraph(s, surface, rotator), GraphError);
    EXPECT_TRUE(surface.Calls().empty());
}

TEST(UncertaintyBands, AllZeroBandsLieOnTheMechanicalCurve) {
    Drawn d(test::PowerCurveState());
    auto& tab = d.s.Flap.PowerCurveTable;
    for (int v = 1; v <= 23; ++v) tab[6][v] = tab[7][v] = tab[1][v];
    d.s.Flap.VmpUncert = 0;
    d.s.Flap.UncertDone = true;
    std::vector<DrawCall> curve;
    for (const auto& c : CallsOf(d.surface, DrawCall::Line)) curve.push_back(c);
    d.surface.ClearCalls();
    DrawUncertaintyBands(d.s, d.surface);

    // Back on the lower plot's mapping.
    EXPECT_FLOAT_EQ(d.s.GraphY0, 6337);
    EXPECT_EQ(d.s.GraphTop, 3355);
    auto lines = CallsOf(d.surface, DrawCall::Line);
    for (const auto& c : lines) EXPECT_EQ(c.style, LineStyle::Dotted);
    EXPECT_EQ(d.surface.DrawStyle, LineStyle::Solid);
    int onCurve = 0;
    for (const auto& band : lines)
        if (std::any_of(curve.begin(), curve.end(), [&](const DrawCall& c) { return sameLine(c, band.x1, band.y1, band.x2, band.y2); }))
            ++onCurve;
    // 22 lower-band segments, and upper-band segments from 4 m/s on (below, the curve lies above its
    // power at the top speed).
    EXPECT_EQ(lines.size(), 22u + 20u + 2u);
    EXPECT_EQ(onCurve, 42);
    const int16_t xVmp = GraphX(d.s, 11.4);
    const float yTop = GraphY(d.s, 1.1 * 20.6f);
    EXPECT_TRUE(sameLine(lines[lines.size() - 2], xVmp, 6337, xVmp, yTop));
    EXPECT_TRUE(sameLine(lines[lines.size() - 1], xVmp, 6337, xVmp, yTop));
    auto texts = CallsOf(d.surface, DrawCall::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "\u00B10 m/s");
    EXPECT_FLOAT_EQ(texts[0].x1, xVmp + 3 * 6 * 120);  // six characters
    EXPECT_FLOAT_EQ(texts[0].y1, 6337 - 2 * 240);
}

TEST(UncertaintyBands, BandsAndVmpLinesFollowTheUncertainties) {
    Drawn d(test::PowerCurveState());
    auto& tab = d.s.Flap.PowerCurveTable;
    for (int v = 1; v <= 23; ++v) {
        tab[6][v] = tab[1][v] - 2;
        tab[7][v] = tab[1][v] + 2;
    }
    d.s.Flap.VmpUncert = 0.52f;
    d.surface.ClearCalls();
    DrawUncertaintyBands(d.s, d.surface);
    ProgramState& m = d.s;
    EXPECT_TRUE(hasLine(d.surface, GraphX(m, 1), GraphY(m, tab[6][1]), GraphX(m, 2), GraphY(m, tab[6][2])));
    EXPECT_TRUE(hasLine(d.surface, GraphX(m, 4), GraphY(m, tab[7][4]), GraphX(m, 5), GraphY(m, tab[7][5])));
    // The upper band stops where it rises above the curve's power at the top speed.
    EXPECT_FALSE(hasLine(d.surface, GraphX(m, 22), GraphY(m, tab[7][22]), GraphX(m, 23), GraphY(m, tab[7][23])));
    const float yTop = GraphY(m, 1.1 * 20.6f);
    EXPECT_TRUE(hasLine(d.surface, GraphX(m, 11.4 - 0.52), 6337, GraphX(m, 11.4 - 0.52), yTop));
    EXPECT_TRUE(hasLine(d.surface, GraphX(m, 11.4 + 0.52), 6337, GraphX(m, 11.4 + 0.52), yTop));
    EXPECT_EQ(Texts(CallsOf(d.surface, DrawCall::Text)), std::vector<std::string>{"\u00B10.52 m/s"});
}

TEST(UncertaintyBands, NeedTheGraphDrawnFirst) {
    ProgramState s = test::PowerCurveState();
    RecordingSurface surface(test::PowerPixelsX, test::PowerPixelsY);
    EXPECT_THROW(DrawUncertaintyBands(s, surface), GraphError);
    EXPECT_TRUE(surface.Calls().empty());
}
