#pragma once
// The save box of the glide-polar and migration results: ticking it before the first run of an output
// file names the file after the bird and offers the name; later runs go to the file already chosen,
// so the name is left as it is. (The power-curve box renames on every click: flap::SaveBoxClick.)
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::output {

ScreenUpdate RunSaveBoxClick(ProgramState& s);
// A box ticked when its results screen opens (the glide polar's) names the first output file after
// the bird at once, as a click would: a run saved without touching the box still carries the bird's name.
void NameFirstOutputAfterBird(ProgramState& s);

}  // namespace ornivo::output
