#pragma once
// The glide-polar run on the glide slot (3): the flapping comparison values, the gliding chemical
// power, the 0.1 m/s scan of the polar with its MacCready rows, minimum sink and best glide, and the
// finishing values. The span shrinks with speed by the linear or the minimum-drag law.
#include <cstdint>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"

namespace ornivo::glide {

constexpr int16_t SpanLawLinear = 1;   // "Linear": zero span at Bstop x Vstall
constexpr int16_t SpanLawMinDrag = 2;  // "Minimum drag": induced + wing profile drag least

// Sinking speed (m/s), glide ratio and lift coefficient at one air speed.
struct GlidePoint {
    float Sink = 0;
    float GlideRatio = 0;
    float Cl = 0;
};

// Span ratio at air speed V (m/s) by SpanLaw, capped at 1, no lower bound. The linear law needs Vstall.
float SpanRatio(const ProgramState& s, float V);
// Sink, glide ratio and lift coefficient at air speed V (m/s) with the span ratio of SpanRatio.
GlidePoint GlideAtSpeed(const ProgramState& s, float V);

// "Compute Glide Polar": returns true when the results screen would open. A refusal (zero density,
// an input the model cannot use, a scan that runs out of span or of table rows) is shown through the
// dialogs and leaves the previous glide results and flapping comparison values in place.
bool ComputeGlidePolar(ProgramState& s, platform::Dialogs& d);

}  // namespace ornivo::glide
