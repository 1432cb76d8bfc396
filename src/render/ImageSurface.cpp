#include "render/ImageSurface.h"

#include <QFontMetricsF>
#include <QPainter>

#include "render/Painting.h"
#include "render/QtFonts.h"

namespace ornivo::render {

ImageSurface::ImageSurface(int32_t pixelWidth, int32_t pixelHeight, int32_t dpi)
    : RecordingSurface(pixelWidth, pixelHeight, dpi, dpi), image_(pixelWidth, pixelHeight, QImage::Format_RGB32) {
    const int dotsPerMetre = static_cast<int>(dpi / 0.0254 + 0.5);
    image_.setDotsPerMeterX(dotsPerMetre);
    image_.setDotsPerMeterY(dotsPerMetre);
    image_.fill(Qt::white);
}

void ImageSurface::Clear() {
    ClearCalls();
    image_.fill(Qt::white);
}

void ImageSurface::paintLast() {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PaintCall(painter, Calls().back(), LogPixelsY());
}

void ImageSurface::drawLine(float x1, float y1, float x2, float y2) {
    RecordingSurface::drawLine(x1, y1, x2, y2);
    paintLast();
}

void ImageSurface::drawText(float x, float y, const std::string& text) {
    RecordingSurface::drawText(x, y, text);
    paintLast();
}

void ImageSurface::drawTextOut(int32_t px, int32_t py, const graph::LogFont& font, const std::string& text) {
    RecordingSurface::drawTextOut(px, py, font, text);
    paintLast();
}

double ImageSurface::textWidthPixels(const std::string& text) const {
    const QFontMetricsF fm(QtFont(Font, LogPixelsY(), image_), &image_);
    return fm.horizontalAdvance(QString::fromStdString(text));
}

double ImageSurface::textHeightPixels(const std::string&) const {
    const QFontMetricsF fm(QtFont(Font, LogPixelsY(), image_), &image_);
    return fm.lineSpacing();
}

}  // namespace ornivo::render
