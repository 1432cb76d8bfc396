#pragma once
// The glide-polar results screen's rules: what it shows after a run, the save box caption, the
// MacCready label and text.
#include <string>

#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::glide {

// Screen load: every result field (3 significant digits), the circle-radius caption, the save box
// caption (checked), the MacCready label and text, and "4-digit output".
ScreenUpdate LoadSummaryGlide(const ProgramState& s);

// The save box caption for the current output file and type.
std::string GlideSaveBoxCaption(const ProgramState& s);

// The five lines of the MacCready label, joined by line feeds.
std::string MacCreadyLabel();
// The MacCready text: two heading lines and one line per climb rate 0.5 to 3 m/s, each ended by CR LF.
std::string MacCreadyText(const ProgramState& s);

}  // namespace ornivo::glide
