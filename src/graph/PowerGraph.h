#pragma once
// The power-curve graph: chemical power in the upper plot, mechanical power in the lower plot, both
// against true air speed, with Vmp and Vmr marked. Coordinates are surface units (twips on the
// screen's surface), rounded half to even to 16-bit integers. Leaves the shared graph mapping of
// the state (GraphX0, GraphXScale, GraphY0, GraphYScale, GraphTop) on the upper plot and the lower
// plot's vertical mapping in MechPlotY0, MechPlotTop, MechPlotYScale.
#include <string>

#include "graph/LabelLayout.h"
#include "graph/Rotator.h"
#include "graph/Surface.h"
#include "state/ProgramState.h"

namespace ornivo::graph {

// Design size of the power-curve graph's surface, in twips.
constexpr int PowerGraphWidthTwips = 10095;
constexpr int PowerGraphHeightTwips = 7455;

// Tick step of a power axis: 1, 2 or 5 times 10^(e - 1), e from the decimal logarithm of x
// (35 gives 2, 120 gives 10, 60 gives 5, 8.7 gives 0.5). x must be positive.
float NiceStep(float x);

// The heading written above the graph and on the printed page.
std::string PowerGraphHeading(const ProgramState& s);

// Ticks, labels and the rotated title of a power axis on the current mapping; t is the tick length.
// With `labels`, the labels keep clear of the texts written before.
void DrawPowerAxis(ProgramState& s, Surface& surface, Rotator& rotator, float Pmax, int16_t t,
                   LabelPlacer* labels = nullptr);

// Draws the whole graph and returns its heading. Throws GraphError when the state holds no complete
// power curve (nothing is drawn then). No text covers another; `labels` (when given) receives the
// places of the texts, so that the uncertainty label keeps clear of them too.
std::string DrawPowerGraph(ProgramState& s, Surface& surface, Rotator& rotator, LabelPlacer* labels = nullptr);

// The uncertainty bands (rows 6 and 7 of PowerCurveTable) as dotted lines in the lower plot, the
// dotted lines at Vmp - VmpUncert and Vmp + VmpUncert and the label "±" VmpUncert " m/s"; restores
// the lower plot's mapping first. The upper band ends where it reaches the plot's top edge; the label
// stays inside the plot's frame. Needs DrawPowerGraph on this state before and a computed
// uncertainty; throws GraphError otherwise. The line style is solid again afterwards.
void DrawUncertaintyBands(ProgramState& s, Surface& surface, LabelPlacer* labels = nullptr);

}  // namespace ornivo::graph
