#pragma once
// A surface that keeps every drawing call, for tests and for replaying one drawing onto other
// devices (screen image, SVG, PDF, the printed page).
//
// Its own text metric is fixed so that tests can state exact positions: every character (code point)
// is half an em wide and every text one em high, the em being the font size in points x the
// resolution / 72 pixels (LogPixelsX across, LogPixelsY down).
// On a 96-dpi surface in twips a 12-point text is 120 twips per character and 240 twips high.
#include <vector>

#include "graph/Surface.h"

namespace ornivo::graph {

struct DrawCall {
    enum Kind { Line, Text, TextOut } kind = Line;
    // Line: (x1, y1)-(x2, y2); Text: top-left (x1, y1). Surface units at the time of the call.
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // The same positions in device pixels; TextOut: (px1, py1) is the pixel position it was given.
    double px1 = 0, py1 = 0, px2 = 0, py2 = 0;
    std::string text;
    SurfaceFont font;           // Text: the current font
    LineStyle style = LineStyle::Solid;
    LogFont logFont;            // TextOut
};

class RecordingSurface : public Surface {
public:
    using Surface::Surface;
    const std::vector<DrawCall>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

protected:
    void drawLine(float x1, float y1, float x2, float y2) override;
    void drawText(float x, float y, const std::string& text) override;
    void drawTextOut(int32_t px, int32_t py, const LogFont& font, const std::string& text) override;
    double textWidthPixels(const std::string& text) const override;
    double textHeightPixels(const std::string& text) const override;

private:
    std::vector<DrawCall> calls_;
};

}  // namespace ornivo::graph
