#pragma once
// Screen rescaling: screens are laid out for a display of 12000 by 9000 twips (800 by 600 pixels at
// 15 twips per pixel); when ResizeScreens is set a screen rescales its controls, and some screens their
// window, to the actual display when they load.
#include <string>
#include <vector>

#include "state/ProgramState.h"

namespace ornivo::scaling {

constexpr double TwipsPerPixel = 15;
constexpr double DesignWidthTwips = 12000;
constexpr double DesignHeightTwips = 9000;

// One control of a screen: its name (the kind prefix decides what is scaled), position and size in
// twips, font size in points.
struct ControlGeometry {
    std::string name;
    double left = 0, top = 0, width = 0, height = 0;
    double fontSize = 0;
};

// ScreenScaleX and ScreenScaleY from the display size in pixels.
void SetScreenScale(ProgramState& s, int displayWidthPx, int displayHeightPx);
double DisplayWidthTwips(const ProgramState& s);
double DisplayHeightTwips(const ProgramState& s);

// The smaller of the two display ratios.
double ControlScale(const ProgramState& s);

// Rescales the controls of one screen by ControlScale: "lbl", "txt", "opt", "fra", "upd", "lst", "pbx",
// "chk", "rtf", "cmd" and "UpDown" controls move and resize (rounded to whole twips) and, but for "upd"
// and "UpDown", scale their fonts; "drv" controls only move; any other control stays as designed.
// Nothing changes on a display exactly 12000 twips wide. Returns the scale applied (1 when none).
double ResizeControls(const ProgramState& s, std::vector<ControlGeometry>& controls);

// How a screen uses the rescaling when it loads.
enum class ResizePattern {
    ScaleAndCentre,  // controls, window width x ScreenScaleX and height x ScreenScaleY, then centred
    ScaleNoCentre,   // controls and window, not centred
    ControlsOnly,    // controls only
    None,
};

struct WindowGeometry {
    double left = 0, top = 0, width = 0, height = 0;  // twips
};

// The window after the screen's load: scaled (when ResizeScreens and the pattern scales the window) and,
// for ScaleAndCentre, centred whether or not resizing ran.
WindowGeometry PlaceWindow(const ProgramState& s, ResizePattern p, WindowGeometry designed);

}  // namespace ornivo::scaling
