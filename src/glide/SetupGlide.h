#pragma once
// The glide-polar setup screen's rules on slot 3: the load, UpdateGlideBmr, every field rule,
// the span-law options, the Bstop check, the tonic muscle field, and "Compute Glide Polar".
#include <string>

#include "platform/Dialogs.h"
#include "state/Edit.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::glide {

// Screen load: copies slot 0 into the glide slot and resets TonicMuscFrac, SpanLaw and (unless
// KeepFactors) the frontal area and BMR factors; FreqFactor is left alone.
ScreenUpdate LoadSetupGlide(ProgramState& s, platform::Dialogs& d);
// Pbmr and EtaPbmr of the glide slot, then MetSink (m/s); shows Pbmr, PbmrFactor and MetSink.
void UpdateGlideBmr(ProgramState& s, ScreenUpdate& u);
// One action on a control of the screen (text committed on leaving, click, double-click). Throws
// UnknownControl for a control the screen does not have or an action it does not take (typing into
// a read-only field). "Compute Glide Polar" is ComputeGlidePolar (glide/GlidePolar.h).
ScreenUpdate SetupGlideEdit(ProgramState& s, platform::Dialogs& d, const std::string& control, const Edit& e);

}  // namespace ornivo::glide
