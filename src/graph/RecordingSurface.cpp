#include "graph/RecordingSurface.h"

namespace ornivo::graph {

void RecordingSurface::drawLine(float x1, float y1, float x2, float y2) {
    DrawCall c;
    c.kind = DrawCall::Line;
    c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2;
    c.px1 = ToPixelsX(x1), c.py1 = ToPixelsY(y1), c.px2 = ToPixelsX(x2), c.py2 = ToPixelsY(y2);
    c.style = DrawStyle;
    calls_.push_back(std::move(c));
}

void RecordingSurface::drawText(float x, float y, const std::string& text) {
    DrawCall c;
    c.kind = DrawCall::Text;
    c.x1 = x, c.y1 = y;
    c.px1 = ToPixelsX(x), c.py1 = ToPixelsY(y);
    c.text = text;
    c.font = Font;
    calls_.push_back(std::move(c));
}

void RecordingSurface::drawTextOut(int32_t px, int32_t py, const LogFont& font, const std::string& text) {
    DrawCall c;
    c.kind = DrawCall::TextOut;
    c.px1 = px, c.py1 = py;
    c.text = text;
    c.font = Font;
    c.logFont = font;
    calls_.push_back(std::move(c));
}

double RecordingSurface::textWidthPixels(const std::string& text) const {
    return double(CharCount(text)) * Font.Size * LogPixelsX() / 72.0 / 2.0;
}

double RecordingSurface::textHeightPixels(const std::string&) const {
    return double(Font.Size) * LogPixelsY() / 72.0;
}

}  // namespace ornivo::graph
