#include "graph/PolarGraph.h"

#include <cmath>

#include "graph/LabelLayout.h"
#include "state/numtext.h"

namespace ornivo::graph {
namespace {

void requirePolar(const ProgramState& s) {
    const auto& tab = s.Glide.GlidePolarTable;
    bool ok = s.Glide.PolarLastRow >= 1 && s.Glide.PolarFirstRow >= 0 && s.Glide.PolarFirstRow <= s.Glide.PolarLastRow &&
              tab.size() > std::size_t(s.Glide.PolarLastRow) && s.Glide.SinkLast > 0 && std::isfinite(s.Glide.SinkLast) &&
              s.Glide.BestGlideRatio > 0 && std::isfinite(s.Glide.BestGlideRatio) && std::isfinite(s.Glide.Vbg) &&
              std::isfinite(s.Glide.Vms) && std::isfinite(s.Glide.MinSink) && std::isfinite(s.Glide.Vstall);
    for (int k = 0; ok && k <= s.Glide.PolarLastRow; ++k) ok = tab[k].size() >= 2;
    if (!ok) throw GraphError("There is no glide polar to draw: compute the glide polar first");
}

float spanRatio(const ProgramState& s, int k) { return s.Glide.GlidePolarTable[k][0]; }
float sink(const ProgramState& s, int k) { return s.Glide.GlidePolarTable[k][1]; }

void rotatedTitle(Surface& surface, Rotator& rotator, LabelPlacer& labels, double x, double y,
                  const std::string& text) {
    surface.CurrentX = static_cast<float>(x);
    surface.CurrentY = static_cast<float>(y);
    surface.Font.Size = 12;
    rotator.Device(surface);
    rotator.SetAngle(90);
    rotator.Label(text);
    // Reading upwards from (x, y), one text height wide.
    labels.Reserve({x, y - surface.TextWidth(text), x + surface.TextHeight(text), y});
}

}  // namespace

float PolarStep(float x) {
    const int16_t e = CInt(std::floor(std::log(double(x)) / std::log(10.0)));
    // Ten times e, not ten to the power e: for e < 0 f is negative and the step is 5 x 10^(e - 1).
    const int16_t f = e == 0 ? int16_t(1) : CInt(std::floor(double(x) / (10.0 * e)));
    const double p = std::pow(10.0, e - 1);
    if (f == 1) return static_cast<float>(p);
    if (f >= 2 && f < 5) return static_cast<float>(2 * p);
    return static_cast<float>(5 * p);
}

int16_t PolarMapping::X(double v) const { return CInt(RoundHalfEven(double(Sx) * v) + X0); }
int16_t PolarMapping::Ys(double w) const { return CInt(Y0 - RoundHalfEven(double(Ss) * w)); }
int16_t PolarMapping::Yb(double b) const { return CInt(Y0 - RoundHalfEven(double(Sb) * b)); }

PolarMapping MakePolarMapping(const ProgramState& s, float W, float H) {
    PolarMapping m;
    m.X0 = CInt(0.1 * W);
    m.XR = CInt(0.9 * W);
    m.T = CInt(0.05 * H);
    m.Y0 = CInt(0.85 * H);
    m.Sx = static_cast<float>((double(m.XR) - m.X0) / s.Glide.PolarLastRow);
    m.Ss = static_cast<float>((double(m.Y0) - m.T) / s.Glide.SinkLast);
    m.Sb = static_cast<float>((double(m.Y0) - m.T) / 1.05);
    m.t = static_cast<int16_t>(CLng(H) / 60);
    return m;
}

std::string PolarGraphHeading(const ProgramState& s) {
    return "Glide polar for " + s.SpName + " with air density " + FormatSig(s.AirDensity, 3) + " kg/cubic m";
}

std::string DrawPolarGraph(const ProgramState& s, Surface& surface, Rotator& rotator) {
    requirePolar(s);
    const std::string heading = PolarGraphHeading(s);
    const float W = surface.ScaleWidth(), H = surface.ScaleHeight();
    const PolarMapping m = MakePolarMapping(s, W, H);
    const int16_t t = m.t;
    LabelPlacer labels;
    auto printAt = [&](double x, double y, const std::string& text) { labels.Write(surface, x, y, text); };

    surface.Line(m.X0, m.T, m.XR, m.T);
    surface.Line(m.XR, m.T, m.XR, m.Y0);
    surface.Line(m.XR, m.Y0, m.X0, m.Y0);
    surface.Line(m.X0, m.Y0, m.X0, m.T);

    // Labels every 5 m/s with ticks every 1 m/s, fewer when the labels would not fit.
    const int labelStep = SpeedLabelStep(surface, m.Sx, s.Glide.PolarLastRow);
    for (int i = 0; i <= s.Glide.PolarLastRow; i += labelStep / 5) {
        const int16_t x = m.X(i);
        if (i % labelStep != 0) {
            surface.Line(x, m.Y0 + t, x, m.Y0);
        } else {
            surface.Line(x, m.Y0, x, m.Y0 + 1.5 * t);
            const std::string label = SignedNumberText(i);
            printAt(x - CInt(surface.TextWidth(label)) / 2, m.Y0 + t + surface.TextHeight(label) / 2, label);
        }
    }
    printAt(0.4 * W, 0.93 * H, "True air speed (m/s)");

    const float step = PolarStep(s.Glide.SinkLast);
    const int n = CLng(std::floor(double(s.Glide.SinkLast) / step));
    for (int j = 0; j <= n; ++j) {
        const float w = static_cast<float>(double(j) * step);
        const int16_t y = m.Ys(w);
        if (j % 5 != 0) {
            surface.Line(m.X0 - t, y, m.X0, y);
        } else {
            surface.Line(m.X0, y, m.X0 - 1.5 * t, y);
            const std::string label = FormatSig(w, 2);
            printAt(m.X0 - 3.0 * t - surface.TextWidth(label), y - surface.TextHeight(label) / 2, label);
        }
    }
    rotatedTitle(surface, rotator, labels, 0.01 * W, 0.6 * H, "Sink rate (m/s)");

    for (int i = s.Glide.PolarFirstRow + 1; i <= s.Glide.PolarLastRow; ++i) {
        if (!(sink(s, i) > 0)) continue;
        surface.Line(m.X(i - 1), m.Ys(sink(s, i - 1)), m.X(i), m.Ys(sink(s, i)));
    }

    // Span ratio scale: 0 to 1 in steps of 0.1 added up in single precision (eleven ticks).
    for (float b = 0; b <= 1.01f; b = static_cast<float>(b + 0.1f)) {
        const int16_t y = m.Yb(b);
        surface.Line(m.XR, y, m.XR + t, y);
        const std::string label = FormatSig(b, 1);
        printAt(m.XR + 2.0 * t, y - surface.TextHeight(label) / 2, label);
    }
    rotatedTitle(surface, rotator, labels, 0.965 * W, 0.6 * H, "Span reduction factor");

    if (s.Glide.SpanLaw == 1) {
        surface.Line(m.X(s.Glide.Vstall), m.Yb(1), m.XR, m.Yb(spanRatio(s, s.Glide.PolarLastRow)));
    } else if (s.Glide.SpanLaw == 2) {
        for (int i = s.Glide.PolarFirstRow + 1; i <= s.Glide.PolarLastRow; ++i)
            surface.Line(m.X(i - 1), m.Yb(spanRatio(s, i - 1)), m.X(i), m.Yb(spanRatio(s, i)));
    }

    const int16_t xVms = m.X(s.Glide.Vms), yMinSink = m.Ys(s.Glide.MinSink);
    surface.Line(xVms, m.Y0, xVms, yMinSink - H / 20.0);
    std::string text = "Vms = " + FormatSig(s.Glide.Vms, 3) + " m/s";
    printAt(xVms - surface.TextWidth(text) / 2, yMinSink - H / 10.0, text);

    const float w = static_cast<float>(double(s.Glide.Vbg) / s.Glide.BestGlideRatio);  // sinking speed at Vbg
    const int16_t xVbg = m.X(s.Glide.Vbg), yVbg = m.Ys(w);
    surface.Line(xVbg, m.Y0, xVbg, yVbg - H / 20.0);
    text = "Vbg = " + FormatSig(s.Glide.Vbg, 3) + " m/s";
    printAt(xVbg + 0.1 * surface.TextWidth(text), yVbg + H / 20.0, text);

    text = "Minimum sink rate: " + FormatSig(s.Glide.MinSink, 3) + " m/s";
    printAt(0.15 * W, 0.3 * H, text);
    text = "Best glide ratio : " + FormatSig(s.Glide.BestGlideRatio, 3);
    printAt(0.15 * W, 0.3 * H + surface.TextHeight(text), text);
    return heading;
}

}  // namespace ornivo::graph
