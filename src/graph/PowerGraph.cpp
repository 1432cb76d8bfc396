#include "graph/PowerGraph.h"

#include <algorithm>
#include <cmath>

#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::graph {
namespace {

bool finite(double x) { return std::isfinite(x); }

// Tick length: a sixtieth of the surface height.
int16_t tickLength(const Surface& surface) { return static_cast<int16_t>(CLng(surface.ScaleHeight()) / 60); }

// The curve must be complete: rows 0 to `rows` - 1 with columns up to CurveLastRow.
void requireCurve(const ProgramState& s, std::size_t rows) {
    const auto& tab = s.Flap.PowerCurveTable;
    bool ok = s.Flap.CurveLastRow >= 1 && s.Flap.CurveFirstSpeed >= 0 && s.Flap.CurveFirstSpeed <= s.Flap.CurveLastRow &&
              tab.size() >= rows;
    for (std::size_t r = 0; ok && r < rows; ++r) ok = tab[r].size() > std::size_t(s.Flap.CurveLastRow);
    if (!ok) throw GraphError("There is no power curve to draw: compute the power curve first");
}

float cell(const ProgramState& s, int row, int speed) { return s.Flap.PowerCurveTable[row][speed]; }

// Speed ticks below the axis at GraphY0 and their labels (every 5 m/s with ticks every 1 m/s, fewer
// when the labels would not fit), then the axis title.
void drawSpeedAxis(ProgramState& s, Surface& surface, int16_t t, LabelPlacer& labels) {
    const int step = SpeedLabelStep(surface, s.GraphXScale, s.Flap.CurveLastRow);
    const int tick = step / 5;
    for (int i = 0; i <= s.Flap.CurveLastRow; i += tick) {
        const int16_t x = GraphX(s, i);
        if (i % step != 0) {
            surface.Line(x, s.GraphY0 + t, x, s.GraphY0);
        } else {
            surface.Line(x, s.GraphY0, x, s.GraphY0 + 1.5 * t);
            const std::string label = SignedNumberText(i);
            labels.Write(surface, x - CInt(surface.TextWidth(label)) / 2, s.GraphY0 + t + surface.TextHeight(label) / 2,
                         label);
        }
    }
    surface.Font.Size = 12;
    labels.Write(surface, 0.4 * surface.ScaleWidth(), 0.93 * surface.ScaleHeight(), "True air speed (m/s)");
}

void drawCurve(ProgramState& s, Surface& surface, int row) {
    for (int i = s.Flap.CurveFirstSpeed + 1; i <= s.Flap.CurveLastRow; ++i) {
        if (!(cell(s, 0, i) > 0)) continue;
        surface.Line(GraphX(s, i - 1), GraphY(s, cell(s, row, i - 1)), GraphX(s, i), GraphY(s, cell(s, row, i)));
    }
}

void setMapping(ProgramState& s, const Surface& surface, double top, double bottom, float Pmax) {
    s.GraphTop = CInt(top * surface.ScaleHeight());
    s.GraphY0 = CInt(bottom * surface.ScaleHeight());
    s.GraphYScale = static_cast<float>((double(s.GraphY0) - s.GraphTop) / Pmax);
}

}  // namespace

float NiceStep(float x) {
    const int16_t e = CInt(std::floor(std::log(double(x)) / std::log(10.0)));
    const int16_t m = CInt(std::floor(double(x) / std::pow(10.0, e)));
    const double p = std::pow(10.0, e - 1);
    if (m == 1) return static_cast<float>(p);
    if (m >= 2 && m <= 4) return static_cast<float>(2 * p);
    return static_cast<float>(5 * p);
}

std::string PowerGraphHeading(const ProgramState& s) {
    return "Power curves for " + s.SpName + " with air density " + FormatSig(s.AirDensity, 3) + " kg/cubic m";
}

void DrawPowerAxis(ProgramState& s, Surface& surface, Rotator& rotator, float Pmax, int16_t t, LabelPlacer* labels) {
    LabelPlacer own;
    LabelPlacer& placed = labels ? *labels : own;
    const float step = NiceStep(Pmax);
    const int n = CLng(std::floor(double(Pmax) / step));
    double widest = 0;
    for (int j = 0; j <= n; ++j) {
        const float power = static_cast<float>(double(j) * step);
        const int16_t y = GraphY(s, power);
        if (j % 5 != 0) {
            surface.Line(s.GraphX0 - t, y, s.GraphX0, y);
        } else {
            surface.Line(s.GraphX0, y, s.GraphX0 - 1.5 * t, y);
            const std::string label = FormatSig(power, 2);
            widest = std::max(widest, surface.TextWidth(label));
            placed.Write(surface, s.GraphX0 - 3.0 * t - surface.TextWidth(label), y - surface.TextHeight(label) / 2, label);
        }
    }
    surface.Font.Size = 12;
    const std::string title = "Power (Watts)";
    // Left of the widest label (long numbers of a very heavy bird), never nearer the axis than 10 ticks.
    const double clear = s.GraphX0 - 3.0 * t - widest - 1.25 * surface.TextHeight(title);
    surface.CurrentX = static_cast<float>(std::max(0.0, std::min(double(s.GraphX0) - 10.0 * t, clear)));
    surface.CurrentY = static_cast<float>(s.GraphY0 - 3.0 * t);
    rotator.Device(surface);
    rotator.SetAngle(90);
    rotator.Label("Power (Watts)");
    // Reading upwards from the current position, one text height wide.
    placed.Reserve({surface.CurrentX, surface.CurrentY - surface.TextWidth(title),
                    surface.CurrentX + surface.TextHeight(title), double(surface.CurrentY)});
}

std::string DrawPowerGraph(ProgramState& s, Surface& surface, Rotator& rotator, LabelPlacer* labels) {
    requireCurve(s, 3);
    const float Pm = cell(s, 1, s.Flap.CurveLastRow);
    const float Pc = cell(s, 2, s.Flap.CurveLastRow);
    if (!(Pm > 0) || !(Pc > 0) || !finite(Pm) || !finite(Pc) || !finite(s.Flap.Vmp) || !finite(s.Flap.Vmr))
        throw GraphError("There is no power curve to draw: compute the power curve first");

    const std::string heading = PowerGraphHeading(s);
    LabelPlacer own;
    LabelPlacer& placed = labels ? *labels : own;
    placed.Clear();
    const float W = surface.ScaleWidth(), H = surface.ScaleHeight();
    s.GraphX0 = CInt(0.2 * W);
    const int16_t R = CInt(0.9 * W);
    s.GraphXScale = static_cast<float>((double(R) - s.GraphX0) / s.Flap.CurveLastRow);

    // Lower plot: mechanical power.
    setMapping(s, surface, 0.45, 0.85, Pm);
    int16_t t = tickLength(surface);
    s.MechPlotY0 = s.GraphY0;
    s.MechPlotTop = s.GraphTop;
    s.MechPlotYScale = s.GraphYScale;
    surface.Line(s.GraphX0, s.GraphTop, R, s.GraphTop);
    surface.Line(R, s.GraphTop, R, s.GraphY0);
    surface.Line(R, s.GraphY0, s.GraphX0, s.GraphY0);
    surface.Line(s.GraphX0, s.GraphY0, s.GraphX0, s.GraphTop);
    drawSpeedAxis(s, surface, t, placed);
    DrawPowerAxis(s, surface, rotator, Pm, t, &placed);
    drawCurve(s, surface, 1);

    const int16_t xVmp = GraphX(s, s.Flap.Vmp);
    surface.Line(xVmp, s.GraphY0, xVmp, s.GraphTop);
    std::string text = "Vmp = " + FormatSig(s.Flap.Vmp, 3) + " m/s";
    placed.Write(surface, xVmp + 0.5 * surface.TextWidth(text), s.GraphY0 - 2 * surface.TextHeight(text), text);
    surface.Font.Bold = true;
    text = "Mechanical power";
    placed.Write(surface, s.GraphX0 + t, s.GraphTop + surface.TextHeight(text), text);
    surface.Font.Bold = false;
    text = "Minimum power = " + FormatSig(s.Flap.PmechMin, 3) + " W";
    placed.Write(surface, s.GraphX0 + 2.0 * t, GraphY(s, s.Flap.PmechMin) + surface.TextHeight(text), text);

    // Upper plot: chemical power; its lower edge is the lower plot's top line.
    setMapping(s, surface, 0.05, 0.45, Pc);
    t = tickLength(surface);
    surface.Line(s.GraphX0, s.GraphY0, s.GraphX0, s.GraphTop);
    surface.Line(s.GraphX0, s.GraphTop, R, s.GraphTop);
    surface.Line(R, s.GraphTop, R, s.GraphY0);
    DrawPowerAxis(s, surface, rotator, Pc, t, &placed);
    drawCurve(s, surface, 2);

    surface.Line(xVmp, GraphY(s, s.Flap.PchemMin) - H / 20.0, xVmp, s.GraphY0);
    const int16_t xVmr = GraphX(s, s.Flap.Vmr);
    surface.Line(xVmr, s.GraphTop, xVmr, s.GraphY0);
    text = "Vmr = " + FormatSig(s.Flap.Vmr, 3) + " m/s";
    placed.Write(surface, xVmr - 1.1 * surface.TextWidth(text), GraphY(s, s.Flap.PchemVmr) + H / 10.0, text);
    surface.Font.Bold = true;
    text = "Chemical power";
    placed.Write(surface, s.GraphX0 + t, s.GraphTop + surface.TextHeight(text), text);
    surface.Font.Bold = false;
    text = "Minimum power = " + FormatSig(s.Flap.PchemMin, 3) + " W";
    const int16_t yMin = GraphY(s, s.Flap.PchemMin);
    placed.Write(surface, s.GraphX0 + 2.0 * t, yMin + surface.TextHeight(text), text);
    text = "Max effective L/D = " + FormatSig(s.Flap.NchemMax, 3);
    placed.Write(surface, s.GraphX0 + 2.0 * t, yMin + 2 * surface.TextHeight(text), text);
    return heading;
}

void DrawUncertaintyBands(ProgramState& s, Surface& surface, LabelPlacer* labels) {
    requireCurve(s, 8);
    if (s.MechPlotYScale == 0 || s.GraphXScale == 0)
        throw GraphError("Draw the power curve before its uncertainty bands");
    if (!finite(s.Flap.VmpUncert)) throw GraphError("The uncertainty of Vmp is not a number");
    s.GraphY0 = s.MechPlotY0;
    s.GraphTop = s.MechPlotTop;
    s.GraphYScale = s.MechPlotYScale;

    const double top = cell(s, 1, s.Flap.CurveLastRow);  // highest power on the curve
    surface.DrawStyle = LineStyle::Dotted;
    for (int v = s.Flap.CurveFirstSpeed + 1; v <= s.Flap.CurveLastRow; ++v) {
        const int16_t x0 = GraphX(s, v - 1), x1 = GraphX(s, v);
        surface.Line(x0, GraphY(s, cell(s, 6, v - 1)), x1, GraphY(s, cell(s, 6, v)));
        // The upper band only while it stays below the highest power on the curve; the step in which
        // it rises past that power is drawn up to the plot's top edge, so the band reaches the frame.
        const double p0 = cell(s, 7, v - 1), p1 = cell(s, 7, v);
        if ((p1 - top) / top < 0.0001) {
            surface.Line(x0, GraphY(s, cell(s, 7, v - 1)), x1, GraphY(s, cell(s, 7, v)));
        } else if (p0 < top && p1 > p0) {
            surface.Line(x0, GraphY(s, cell(s, 7, v - 1)), x0 + (x1 - x0) * (top - p0) / (p1 - p0), s.GraphTop);
        }
    }
    const int16_t yTop = GraphY(s, 1.1 * s.Flap.PmechMin);
    for (double vmp : {double(s.Flap.Vmp) - s.Flap.VmpUncert, double(s.Flap.Vmp) + s.Flap.VmpUncert}) {
        const int16_t x = GraphX(s, vmp);
        surface.Line(x, s.GraphY0, x, yTop);
    }
    // The label right of Vmp; where it would pass the plot's right edge, left of the lower line.
    const std::string label = "\u00B1" + FormatSig(s.Flap.VmpUncert, 2) + " m/s";
    const double w = surface.TextWidth(label);
    const int16_t right = CInt(s.GraphX0 + double(s.GraphXScale) * s.Flap.CurveLastRow);
    double x = GraphX(s, s.Flap.Vmp) + 3 * w;
    if (x + w > right) x = GraphX(s, double(s.Flap.Vmp) - s.Flap.VmpUncert) - 1.5 * w;
    x = std::max(x, double(s.GraphX0) + w / 4);
    LabelPlacer own;
    (labels ? *labels : own).Write(surface, x, s.GraphY0 - 2 * surface.TextHeight(label), label);
    surface.DrawStyle = LineStyle::Solid;
}

}  // namespace ornivo::graph
