#pragma once
// Paints recorded drawing calls with a QPainter: the one painting routine behind the screen image,
// PNG, SVG and PDF pictures and the printed page.
#include <QPainter>

#include "graph/RecordingSurface.h"

namespace ornivo::render {

// Paints one call in the pixel coordinates of the surface that recorded it (pixelsPerInch is that
// surface's resolution). The painter's transform maps those pixels onto its device.
void PaintCall(QPainter& painter, const graph::DrawCall& call, double pixelsPerInch);
// Paints a whole recording on a white background, scaled to fill `target` (device coordinates).
void PaintRecording(QPainter& painter, const graph::RecordingSurface& drawing, const QRectF& target);

}  // namespace ornivo::render
