#pragma once
// Number text: the one place where numbers become text and typed text becomes numbers.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ornivo {

// A whole-number conversion outside its 16- or 32-bit range.
struct OverflowError : std::range_error {
    using std::range_error::range_error;
};

// The shown form of a single with n significant digits (screens 3, output files SigDigits).
std::string FormatSig(float x, int n);

// The longest leading number of typed text ("12abc" 12, ".5" 0.5, "1.2E-06x" 1.2e-6);
// empty or non-numeric text is 0. The decimal separator is always a point.
double LeadingNumber(std::string_view text);
// True when the text starts with a number (after optional spaces).
bool HasLeadingNumber(std::string_view text);

// Round half to even (CInt, CLng); out of range throws OverflowError.
int16_t CInt(double x);
int32_t CLng(double x);
double RoundHalfEven(double x);

// Display patterns: "0", "#0", "0#" (whole number), "0.0", "#0.0", "0.00", "0.000", ".." (fixed decimals,
// halves away from zero), "####.#", "#####" (no forced digits), "0.#" (optional decimal),
// "0.00E+00" / "scientific" (two decimals, signed two-digit exponent).
std::string FormatPattern(double x, std::string_view pattern);
std::string FormatScientific(double x);                     // 3.90E+07
std::string FormatFixed(double x, int decimals);            // halves away from zero, at least one integer digit

// Signed number text: a leading space when not negative, up to 15 significant digits,
// the shortest form, a zero before the point between -1 and 1, "1E-05" below 1e-4.
std::string SignedNumberText(double x);

}  // namespace ornivo
