#include "graph/LabelLayout.h"

#include <algorithm>

#include "state/numtext.h"

namespace ornivo::graph {

int SpeedLabelStep(const Surface& surface, double unitsPerSpeed, int lastSpeed) {
    const double widest = surface.TextWidth(SignedNumberText(std::max(lastSpeed, 0)));
    int step = 5;
    // 5, 10, 20, 50, 100, 200, 500, ... until a label and half its width fit between two labels.
    for (int k = 0; step < 1000000 && step * unitsPerSpeed < 1.5 * widest; ++k)
        step = (k % 3 == 2) ? step / 2 * 5 : step * 2;
    return step;
}

bool LabelPlacer::free(const Box& b) const {
    return std::none_of(boxes_.begin(), boxes_.end(), [&](const Box& o) { return o.overlaps(b); });
}

double LabelPlacer::Write(Surface& surface, double x, double y, const std::string& text) {
    const double w = surface.TextWidth(text), h = surface.TextHeight(text);
    auto at = [&](double top) { return Box{x, top, x + w, top + h}; };
    double top = y;
    // Nearest free row: one text height below, above, two below, ... (at most the surface's height).
    for (int i = 1; !free(at(top)) && i < 2 * int(surface.ScaleHeight() / std::max(h, 1.0)) + 2; ++i)
        top = y + ((i % 2) ? 1 : -1) * ((i + 1) / 2) * h;
    if (!free(at(top))) top = y;  // nowhere free: where it was asked for
    boxes_.push_back(at(top));
    surface.CurrentX = static_cast<float>(x);
    surface.CurrentY = static_cast<float>(top);
    surface.Print(text);
    return top;
}

}  // namespace ornivo::graph
