#pragma once
// Small shared operations on the program state.
#include <string>

#include "state/ProgramState.h"

namespace ornivo {

// Copies the current slot and the listed scalars into LastBird; sets LastBirdValid.
void SaveLastBird(ProgramState& s);
// Resets EditMarks but the frontal area factor and BMR factor marks.
void ClearEditMarks(ProgramState& s);
// FuelHeightConst and FatHeightConst from Efuel, Efat, Eta and Gravity[0].
void UpdateEnergyHeightConstants(ProgramState& s);
// FuelMass, FuelFrac of the current slot, FuelEnergyHeight, FatEnergyHeight.
void UpdateEnergyHeights(ProgramState& s);
// Efuel from EwetProtein, Efat and ProtFracTarget.
float MixedFuelEnergy(const ProgramState& s);
// The energy constants every setup screen sets when it loads.
void LoadEnergyConstants(ProgramState& s);

// Radians; 1.5708 - atan(x / sqrt(1 - x^2)), 0 for x = 1. Arguments just outside -1..1
// from rounding are clamped (identical or opposite points).
double ArcCos(double x);
// First character upper case, the rest lower case.
std::string ProperCase(const std::string& text);
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
// Pixel coordinates of the graphs (16-bit; out of range throws OverflowError).
int16_t GraphX(const ProgramState& s, double x);
int16_t GraphY(const ProgramState& s, double y);

}  // namespace ornivo
