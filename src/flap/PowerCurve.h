#pragma once
// The power-curve run: the checks, the Newton speeds, profile power, and the 0.1 m/s scan that fills
// PowerCurveTable and fixes the published Vmp and Vmr.
#include "platform/Dialogs.h"
#include "state/ProgramState.h"

namespace ornivo::flap {

// Grid speed of step n of a scan starting at `first` with steps of 0.1 (single). The single-precision
// running sum is kept while it stays on the grid; past about 40 m/s it drifts from the 0.0001 whole-speed
// test, and the speed is then taken from the step count instead.
float NextScanSpeed(float V, float step, double first, int n);

// Writes column c of PowerCurveTable from the current working values (V the scan speed).
void StoreCurveRow(ProgramState& s, int c, float V);
// The scan; needs VmpExact, VmrExact, Ppro and WbeatFreq of the slot. Throws EngineError when the bird
// is outside the model (a scan starting at or below zero speed, no maximum range speed found).
void ScanPowerCurve(ProgramState& s, int slot);

// "Compute Power Curve" on slot 1: returns true when the results screen would open.
// Refusals are shown through the dialogs and leave the previous results in place.
bool ComputePowerCurve(ProgramState& s, platform::Dialogs& d);

}  // namespace ornivo::flap
