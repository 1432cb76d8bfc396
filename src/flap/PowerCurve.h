#pragma once
// The power-curve run: the checks, the Newton speeds, profile power, and the 0.1 m/s scan that fills
// PowerCurveTable and fixes the published Vmp and Vmr.
#include "platform/Dialogs.h"
#include "state/ProgramState.h"

namespace ornivo::flap {

// Writes column c of PowerCurveTable from the current working values (V the scan speed).
void StoreCurveRow(ProgramState& s, int c, float V);
// The scan; needs VmpExact, VmrExact, Ppro and WbeatFreq of the slot. Throws EngineError when the bird
// is outside the model (a scan starting at or below zero speed, no maximum range speed found).
void ScanPowerCurve(ProgramState& s, int slot);

// "Compute Power Curve" on slot 1: returns true when the results screen would open.
// Refusals are shown through the dialogs and leave the previous results in place.
bool ComputePowerCurve(ProgramState& s, platform::Dialogs& d);

}  // namespace ornivo::flap
