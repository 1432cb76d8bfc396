#include "graph/Rotator.h"

#include "state/numtext.h"

namespace ornivo::graph {

void Rotator::Device(Surface& surface) {
    device_ = &surface;
    const int16_t mode = surface.ScaleMode();
    originX_ = surface.ScaleLeft();
    originY_ = surface.ScaleTop();
    const float right = surface.ScaleWidth() + surface.ScaleLeft();
    const float bottom = surface.ScaleHeight() + surface.ScaleTop();
    surface.SetScaleMode(ScalePixels);
    const float pw = surface.ScaleWidth();
    const float ph = surface.ScaleHeight();
    if (mode != ScaleUser) surface.SetScaleMode(mode);
    else surface.Scale(originX_, originY_, right, bottom);
    xFactor_ = static_cast<float>(double(pw) / (double(right) - originX_));
    yFactor_ = static_cast<float>(double(ph) / (double(bottom) - originY_));
}

int32_t Rotator::ToPixelX(float x) const { return CLng((double(x) - originX_) * xFactor_); }
int32_t Rotator::ToPixelY(float y) const { return CLng((double(y) - originY_) * yFactor_); }

void Rotator::Label(const std::string& text) {
    if (!device_) throw GraphError("A rotated label needs a drawing surface");
    Surface& s = *device_;
    font_.lfFaceName = FaceNameField(s.Font.Name);
    // A positive height is matched against the font's cell height.
    font_.lfHeight = CLng(double(s.LogPixelsY()) * s.Font.Size) / 72;
    font_.lfItalic = s.Font.Italic ? 1 : 0;
    font_.lfUnderline = s.Font.Underline ? 1 : 0;
    font_.lfStrikeOut = s.Font.Strikethrough ? 1 : 0;
    font_.lfWeight = s.Font.Weight();
    font_.lfEscapement = font_.lfOrientation = CLng(double(angle_) * 10);
    s.TextOut(ToPixelX(s.CurrentX), ToPixelY(s.CurrentY), font_, text);
}

}  // namespace ornivo::graph
