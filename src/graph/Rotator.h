#pragma once
// Writes a text label at an angle (the vertical axis titles) at the surface's current position.
// The label's reference point is the top-left corner of the unrotated text; at 90 degrees the text
// reads upwards from that point and lies above it and to its right, one text height wide.
#include <cstdint>
#include <string>

#include "graph/Surface.h"

namespace ornivo::graph {

class Rotator {
public:
    // Text angle in degrees, counter-clockwise.
    void SetAngle(int16_t degrees) { angle_ = degrees; }
    int16_t Angle() const { return angle_; }
    // Writes the text at the device's current position and the current angle, in a font made from the
    // device's current font. The device's position, font and coordinate system are left as they were.
    // Throws GraphError when no device was assigned.
    void Label(const std::string& text);
    // Takes the surface (not owned) and its pixels per surface unit. Assign it again whenever the
    // surface may have changed its size or coordinate system.
    void Device(Surface& surface);

    // The conversion and font record, for inspection.
    float OriginX() const { return originX_; }
    float OriginY() const { return originY_; }
    float XFactor() const { return xFactor_; }
    float YFactor() const { return yFactor_; }
    const LogFont& FontRecord() const { return font_; }

private:
    int32_t ToPixelX(float x) const;
    int32_t ToPixelY(float y) const;

    Surface* device_ = nullptr;
    float originX_ = 0, originY_ = 0, xFactor_ = 0, yFactor_ = 0;
    LogFont font_;
    int16_t angle_ = 0;
};

}  // namespace ornivo::graph
