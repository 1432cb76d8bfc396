#pragma once
// A value rounded to single precision, as the program stores its singles: the one place the
// rounding of a double result into a single variable is written.
namespace ornivo {

inline float f32(double v) { return static_cast<float>(v); }

}  // namespace ornivo
