#pragma once
// Fonts of the drawing surface on Qt devices. "Times New Roman" is drawn with Liberation Serif, which
// has the same metrics. Sizes are given in pixels of the surface that recorded the drawing, so that a
// drawing replayed at another resolution (a printer) keeps its proportions under a scale transform.
#include <QFont>
#include <QPaintDevice>

#include "graph/Surface.h"

namespace ornivo::render {

// The installed family for a face name.
QString FontFamily(const std::string& faceName);
// The surface font at `pixelsPerInch` of the recording surface, for painting on `device`.
QFont QtFont(const graph::SurfaceFont& font, double pixelsPerInch, const QPaintDevice& device);
// The rotated-text font: its cell height (ascent + descent) is lfHeight pixels of the recording surface.
QFont QtFont(const graph::LogFont& font, const QPaintDevice& device);

}  // namespace ornivo::render
