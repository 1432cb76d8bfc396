#include "graph/Surface.h"

namespace ornivo::graph {

std::size_t CharCount(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::array<char, 32> FaceNameField(const std::string& utf8Name) {
    std::array<char, 32> field{};
    std::size_t out = 0;
    for (std::size_t i = 0; i < utf8Name.size() && out < field.size() - 1;) {
        unsigned char c = static_cast<unsigned char>(utf8Name[i]);
        unsigned cp = c;
        std::size_t len = 1;
        if (c >= 0xF0) { len = 4; cp = c & 0x07; }
        else if (c >= 0xE0) { len = 3; cp = c & 0x0F; }
        else if (c >= 0xC0) { len = 2; cp = c & 0x1F; }
        for (std::size_t k = 1; k < len && i + k < utf8Name.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8Name[i + k]) & 0x3F);
        field[out++] = static_cast<char>(cp <= 0xFF ? cp : '?');
        i += len;
    }
    return field;
}

std::string LogFont::FaceName() const {
    std::string s;
    for (char ch : lfFaceName) {
        if (ch == '\0') break;
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            s += ch;
        } else {
            s += static_cast<char>(0xC0 | (c >> 6));
            s += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return s;
}

Surface::Surface(int32_t pixelWidth, int32_t pixelHeight, int32_t dpiX, int32_t dpiY)
    : pixelWidth_(pixelWidth), pixelHeight_(pixelHeight), dpiX_(dpiX), dpiY_(dpiY) {
    if (pixelWidth <= 0 || pixelHeight <= 0 || dpiX <= 0 || dpiY <= 0)
        throw std::invalid_argument("A drawing surface needs a positive size and resolution");
    SetScaleMode(ScaleTwips);
}

void Surface::SetScaleMode(int16_t mode) {
    switch (mode) {
    case ScaleTwips:
        left_ = top_ = 0;
        width_ = static_cast<float>(double(pixelWidth_) * 1440.0 / dpiX_);
        height_ = static_cast<float>(double(pixelHeight_) * 1440.0 / dpiY_);
        break;
    case ScalePixels:
        left_ = top_ = 0;
        width_ = static_cast<float>(pixelWidth_);
        height_ = static_cast<float>(pixelHeight_);
        break;
    case ScaleUser:
        break;
    default:
        throw std::invalid_argument("Unknown scale mode");
    }
    mode_ = mode;
}

void Surface::Scale(float x1, float y1, float x2, float y2) {
    if (x2 == x1 || y2 == y1) throw std::invalid_argument("A coordinate system needs a non-empty extent");
    mode_ = ScaleUser;
    left_ = x1;
    top_ = y1;
    width_ = x2 - x1;
    height_ = y2 - y1;
}

double Surface::ToPixelsX(double x) const { return (x - left_) * pixelWidth_ / width_; }
double Surface::ToPixelsY(double y) const { return (y - top_) * pixelHeight_ / height_; }

void Surface::Line(double x1, double y1, double x2, double y2) {
    drawLine(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2));
}

void Surface::Print(const std::string& text) {
    const double h = TextHeight(text);
    drawText(CurrentX, CurrentY, text);
    CurrentX = left_;
    CurrentY = static_cast<float>(CurrentY + h);
}

double Surface::TextWidth(const std::string& text) const {
    return textWidthPixels(text) * width_ / pixelWidth_;
}

double Surface::TextHeight(const std::string& text) const {
    return textHeightPixels(text) * height_ / pixelHeight_;
}

void Surface::TextOut(int32_t px, int32_t py, const LogFont& font, const std::string& text) {
    drawTextOut(px, py, font, text);
}

}  // namespace ornivo::graph
