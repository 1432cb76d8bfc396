#pragma once
// Keeping the texts of a graph readable whatever the bird: a speed axis labelled no more densely than
// its labels fit, and texts that move aside instead of printing over one another.
#include <string>
#include <vector>

#include "graph/Surface.h"

namespace ornivo::graph {

// The speed step between labels of a speed axis from 0 to lastSpeed m/s drawn at unitsPerSpeed surface
// units per m/s: 5 m/s, or the first of 10, 20, 50, 100, 200, 500 ... at which the widest label and
// half of its width as a gap fit. Ticks stand at a fifth of this step.
int SpeedLabelStep(const Surface& surface, double unitsPerSpeed, int lastSpeed);

// The texts written on one drawing, as rectangles in surface units. Write places a text at the
// position asked for when it is free, otherwise at the nearest free row above or below it (a text
// height at a time), so that no text covers another.
class LabelPlacer {
public:
    struct Box {
        double left, top, right, bottom;
        bool overlaps(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
    };

    // Writes `text` at (x, y) or the nearest free row; returns the y used.
    double Write(Surface& surface, double x, double y, const std::string& text);
    // A region that texts keep clear of (a rotated title).
    void Reserve(const Box& box) { boxes_.push_back(box); }
    const std::vector<Box>& Boxes() const { return boxes_; }
    void Clear() { boxes_.clear(); }

private:
    bool free(const Box& b) const;
    std::vector<Box> boxes_;
};

}  // namespace ornivo::graph
