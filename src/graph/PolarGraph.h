#pragma once
// The glide-polar graph: sinking speed on a left-hand scale and the span reduction factor on a
// right-hand scale against true air speed, with Vms and Vbg marked. It keeps its own mapping and
// leaves the shared graph mapping of the state alone.
#include <cstdint>
#include <string>

#include "graph/Rotator.h"
#include "graph/Surface.h"
#include "state/ProgramState.h"

namespace ornivo::graph {

// Design size of the glide-polar graph's surface, in twips.
constexpr int PolarGraphWidthTwips = 9975;
constexpr int PolarGraphHeightTwips = 7215;

// Tick step of the sinking-speed axis: every x from 1 to just below 10 gives 0.1, 12 gives 1,
// 35 gives 2, 60 gives 5, 0.5 gives 0.05. x must be positive.
float PolarStep(float x);

// The graph's mapping, rounding half to even to 16-bit integers.
struct PolarMapping {
    int16_t X0 = 0, XR = 0, T = 0, Y0 = 0, t = 0;  // left, right, top edge, speed-axis row, tick length
    float Sx = 0, Ss = 0, Sb = 0;                   // per m/s of speed, per m/s of sink, per unit span ratio
    int16_t X(double v) const;   // speed
    int16_t Ys(double w) const;  // sinking speed, upwards from the speed axis
    int16_t Yb(double b) const;  // span ratio
};

// The mapping for a surface of W x H units and the polar of the state.
PolarMapping MakePolarMapping(const ProgramState& s, float W, float H);

std::string PolarGraphHeading(const ProgramState& s);

// Draws the whole graph and returns its heading. Throws GraphError when the state holds no complete
// glide polar (nothing is drawn then).
std::string DrawPolarGraph(const ProgramState& s, Surface& surface, Rotator& rotator);

}  // namespace ornivo::graph
