#pragma once
// Pictures of the graphs as PNG, SVG or PDF files, chosen by the file's extension, and the
// application object that painting with fonts needs.
#include <optional>
#include <string>

#include "graph/RecordingSurface.h"
#include "state/ProgramState.h"

namespace ornivo::render {

// Makes sure a QGuiApplication exists, for programs that have none (the CLI, tests): without a display
// it uses the offscreen platform. Does nothing when one exists already.
void EnsureGuiApplication();

enum class PictureFormat { Png, Svg, Pdf };
// By extension, ignoring case: .png, .svg, .pdf; nothing for any other.
std::optional<PictureFormat> PictureFormatOf(const std::string& path);

// Writes the drawing at its own size (a PDF page of the picture's size). The file is replaced only
// when the whole picture was written. Returns false with the reason in `error`.
bool SavePicture(const graph::RecordingSurface& drawing, const std::string& path, std::string& error);

// The point size of a graph screen's heading above its drawing.
constexpr float HeadingPointSize = 14.25f;

// The picture a graph screen shows: its heading (in the heading's font, wrapped to the drawing's
// width) above the drawing. SVG and PDF stay vector; a PNG is painted from the drawing's calls at
// `pngScale` times its pixel size (2 gives a picture sharp enough to print). Returns false with the
// reason in `error`; an existing file is replaced only by a complete picture.
bool SaveGraphPicture(const graph::RecordingSurface& drawing, const std::string& heading, const std::string& path,
                      double pngScale, std::string& error);

// Draws a graph on a new surface of its screen size (96 dpi) and writes it. With `bands` the power
// uncertainty bands are added (they must have been computed). Returns false with the reason in `error`;
// nothing is written then.
bool SavePowerGraph(ProgramState& s, const std::string& path, bool bands, std::string& error);
bool SavePolarGraph(const ProgramState& s, const std::string& path, std::string& error);

}  // namespace ornivo::render
