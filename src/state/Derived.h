#pragma once
// The quantities several screens derive from a bird's values, written once. Each is returned as the
// double the program computes; the caller rounds it into its single (f32, or a rounding that
// refuses an overflow where a typed value may be out of range).
#include "state/BirdParams.h"

namespace ornivo {

// All-up mass: empty body mass plus crop mass.
inline double AllUpMassOf(const BirdParams& b) { return double(b.EmptyMass) + b.CropMass; }
// Aspect ratio of a span and a wing area, and the wing area of a span and an aspect ratio.
inline double AspectRatioOf(float span, float wingArea) { return double(span) * span / wingArea; }
inline double WingAreaOf(float span, float aspectRatio) { return double(span) * span / aspectRatio; }

}  // namespace ornivo
