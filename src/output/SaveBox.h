#pragma once
// The save box of the glide-polar and migration results: ticking it before the first run of an output
// file names the file after the bird and offers the name; later runs go to the file already chosen,
// so the name is left as it is. (The power-curve box renames on every click: flap::SaveBoxClick.)
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::output {

ScreenUpdate RunSaveBoxClick(ProgramState& s);

}  // namespace ornivo::output
