#pragma once
// The screen's drawing surface: paints into a persistent white image as it draws, measures text with
// the real fonts, and keeps the calls so that the same drawing can be written as a vector picture or
// printed.
#include <QImage>

#include "graph/RecordingSurface.h"

namespace ornivo::render {

class ImageSurface : public graph::RecordingSurface {
public:
    // An image of pixelWidth x pixelHeight pixels at dpi pixels per inch, white, in twips.
    ImageSurface(int32_t pixelWidth, int32_t pixelHeight, int32_t dpi = 96);
    // The persistent image: everything drawn so far.
    const QImage& Image() const { return image_; }
    // Starts again with a white image and no calls.
    void Clear();

protected:
    void drawLine(float x1, float y1, float x2, float y2) override;
    void drawText(float x, float y, const std::string& text) override;
    void drawTextOut(int32_t px, int32_t py, const graph::LogFont& font, const std::string& text) override;
    double textWidthPixels(const std::string& text) const override;
    double textHeightPixels(const std::string& text) const override;

private:
    void paintLast();
    QImage image_;
};

// A design size in twips as whole pixels at 96 dpi (15 twips a pixel).
inline int32_t TwipsToPixels96(int twips) { return (twips + 7) / 15; }

}  // namespace ornivo::render
