#include "scaling/ResizeControls.h"

#include <cmath>
#include <string_view>

#include "state/numtext.h"

namespace ornivo::scaling {
namespace {

bool startsWith(std::string_view name, std::string_view prefix) { return name.substr(0, prefix.size()) == prefix; }

enum class Kind { Full, SizeOnly, MoveOnly, Untouched };

Kind kindOf(std::string_view name) {
    if (startsWith(name, "upd") || startsWith(name, "UpDown")) return Kind::SizeOnly;
    for (std::string_view p : {"lbl", "txt", "opt", "fra", "lst", "pbx", "chk", "rtf", "cmd"})
        if (startsWith(name, p)) return Kind::Full;
    if (startsWith(name, "drv")) return Kind::MoveOnly;
    return Kind::Untouched;
}

double twips(double v) { return RoundHalfEven(v); }

// Whole-number halving as the screens centre themselves: both operands rounded, the quotient truncated.
double halved(double v) { return std::trunc(RoundHalfEven(v) / 2); }

}  // namespace

void SetScreenScale(ProgramState& s, int displayWidthPx, int displayHeightPx) {
    s.ScreenScaleX = displayWidthPx * TwipsPerPixel / DesignWidthTwips;
    s.ScreenScaleY = displayHeightPx * TwipsPerPixel / DesignHeightTwips;
}

double DisplayWidthTwips(const ProgramState& s) { return s.ScreenScaleX * DesignWidthTwips; }
double DisplayHeightTwips(const ProgramState& s) { return s.ScreenScaleY * DesignHeightTwips; }

double ControlScale(const ProgramState& s) {
    return s.ScreenScaleY >= s.ScreenScaleX ? s.ScreenScaleX : s.ScreenScaleY;
}

double ResizeControls(const ProgramState& s, std::vector<ControlGeometry>& controls) {
    if (DisplayWidthTwips(s) == DesignWidthTwips) return 1;
    const double k = ControlScale(s);
    for (ControlGeometry& c : controls) {
        const Kind kind = kindOf(c.name);
        if (kind == Kind::Untouched) continue;
        c.left = twips(c.left * k);
        c.top = twips(c.top * k);
        if (kind == Kind::MoveOnly) continue;
        c.width = twips(c.width * k);
        c.height = twips(c.height * k);
        if (kind == Kind::Full) c.fontSize = c.fontSize * k;
    }
    return k;
}

WindowGeometry PlaceWindow(const ProgramState& s, ResizePattern p, WindowGeometry w) {
    if (s.ResizeScreens && (p == ResizePattern::ScaleAndCentre || p == ResizePattern::ScaleNoCentre)) {
        w.width = twips(w.width * s.ScreenScaleX);
        w.height = twips(w.height * s.ScreenScaleY);
    }
    if (p == ResizePattern::ScaleAndCentre) {
        w.left = halved(DisplayWidthTwips(s) - w.width);
        w.top = halved(DisplayHeightTwips(s) - w.height);
    }
    return w;
}

}  // namespace ornivo::scaling
