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

// Actuator disc area, pi span^2 / 4. A setup screen's load multiplies span by pi by span, a typed span
// squares the span first: the two orders can round apart in the last bit of the double, so the order is
// the caller's, as each rule has always computed it.
enum class DiscOrder { SpanPiSpan, SpanSquaredPi };
inline double DiscAreaOf(float span, double pi, DiscOrder order) {
    return order == DiscOrder::SpanPiSpan ? double(span) * pi * span / 4 : double(span) * span * pi / 4;
}

}  // namespace ornivo
