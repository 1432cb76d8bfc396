#pragma once
// Hand-made results for the graph tests: a power curve and a glide polar with plausible numbers,
// so that the graphs are tested apart from the engines.
#include <cmath>

#include "graph/RecordingSurface.h"
#include "state/ProgramState.h"

namespace ornivo::test {

// Pmech = 150 / V + 0.003 V^3 + 3 W at whole speeds 1 to lastRow; chemical power from it.
inline ProgramState PowerCurveState(int lastRow = 23) {
    ProgramState s;
    s.SpName = "Test bird";
    s.AirDensity = 1.225f;
    s.CalcMode = 1;
    s.Flap.PowerCurveTable.assign(11, std::vector<float>(std::size_t(lastRow) + 3, 0.0f));
    s.Flap.CurveFirstSpeed = 1;
    s.Flap.CurveLastRow = static_cast<int16_t>(lastRow);
    s.Flap.CurveLastIndex = static_cast<int16_t>(lastRow + 2);
    for (int v = 1; v <= lastRow; ++v) {
        const double pm = 150.0 / v + 0.003 * v * v * v + 3;
        s.Flap.PowerCurveTable[0][v] = static_cast<float>(v);
        s.Flap.PowerCurveTable[1][v] = static_cast<float>(pm);
        s.Flap.PowerCurveTable[2][v] = static_cast<float>(1.1 * (pm / 0.23 + 2));
    }
    s.Flap.Vmp = 11.4f;
    s.Flap.PmechMin = 20.6f;
    s.Flap.PchemMin = static_cast<float>(1.1 * (20.6 / 0.23 + 2));
    s.Flap.Vmr = 15.2f;
    s.Flap.PchemVmr = static_cast<float>(1.1 * ((150 / 15.2 + 0.003 * 15.2 * 15.2 * 15.2 + 3) / 0.23 + 2));
    s.Flap.NchemMax = 3.7f;
    return s;
}

// A 2.2 kg gliding bird: sink = 0.000165 V^3 + 6 / V m/s from 8 to 25 m/s, linear span law from
// the stall speed 7.5 m/s.
inline ProgramState GlidePolarState() {
    ProgramState s;
    s.SpName = "Test glider";
    s.AirDensity = 1.225f;
    s.CalcMode = 3;
    s.Glide.PolarFirstRow = 8;
    s.Glide.PolarLastRow = 25;
    s.Glide.PolarRowLimit = 40;
    s.Glide.GlidePolarTable.assign(41, std::vector<float>(3, 0.0f));
    for (int v = 8; v <= 25; ++v) {
        const double w = 0.000165 * v * v * v + 6.0 / v;
        s.Glide.GlidePolarTable[v][0] = static_cast<float>(1 - 0.02 * (v - 7.5));
        s.Glide.GlidePolarTable[v][1] = static_cast<float>(w);
        s.Glide.GlidePolarTable[v][2] = static_cast<float>(v / w);
    }
    s.Glide.SinkLast = s.Glide.GlidePolarTable[25][1];  // about 2.82 m/s
    s.Glide.Vstall = 7.5f;
    s.Glide.Vms = 10.5f;
    s.Glide.MinSink = 0.762f;
    s.Glide.Vbg = 13.0f;
    s.Glide.SinkVbg = 0.824f;
    s.Glide.BestGlideRatio = 15.8f;
    s.Glide.SpanLaw = 1;
    return s;
}

// The graphs' screen surfaces at 96 dpi (15 twips a pixel): 10095 x 7455 and 9975 x 7215 twips.
constexpr int PowerPixelsX = 673, PowerPixelsY = 497;
constexpr int PolarPixelsX = 665, PolarPixelsY = 481;

inline std::vector<graph::DrawCall> CallsOf(const graph::RecordingSurface& r, graph::DrawCall::Kind kind) {
    std::vector<graph::DrawCall> out;
    for (const auto& c : r.Calls())
        if (c.kind == kind) out.push_back(c);
    return out;
}

inline std::vector<std::string> Texts(const std::vector<graph::DrawCall>& calls) {
    std::vector<std::string> out;
    for (const auto& c : calls) out.push_back(c.text);
    return out;
}

}  // namespace ornivo::test
