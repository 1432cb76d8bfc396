#pragma once
// Number text: the one place where numbers become text and typed text becomes numbers.
#include <concepts>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ornivo {

// A whole-number conversion outside its 16- or 32-bit range.
struct OverflowError : std::range_error {
    using std::range_error::range_error;
};

// A value that has no text: NaN or infinity never reaches a screen or a file.
struct NumberTextError : std::domain_error {
    using std::domain_error::domain_error;
};

// Rounding to decimals works on the number as written in its own precision (the shortest text that
// reads back as the same single or double), so a typed 2.675 shows as 2.68 with two decimals.
// Every formatting function below throws NumberTextError for NaN and infinity.

// The shown form of a single with n significant digits (screens 3, output files SigDigits).
std::string FormatSig(float x, int n);

// The longest leading number of typed text ("12abc" 12, ".5" 0.5, "1.2E-06x" 1.2e-6, " 7" 7);
// empty or non-numeric text is 0. The decimal separator is always a point. A number beyond the
// double range ("1e999") gives an infinity: callers that store it must refuse non-finite values.
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
// A single is rounded as a single (its own shortest text), a double as a double.
std::string FormatPattern(double x, std::string_view pattern);
std::string FormatPattern(float x, std::string_view pattern);
std::string FormatScientific(double x);                     // 3.90E+07, halves away from zero
std::string FormatScientific(float x);
std::string FormatFixed(double x, int decimals);            // halves away from zero, at least one integer digit
std::string FormatFixed(float x, int decimals);

template <std::integral T>
std::string FormatPattern(T x, std::string_view pattern) { return FormatPattern(static_cast<double>(x), pattern); }
template <std::integral T>
std::string FormatScientific(T x) { return FormatScientific(static_cast<double>(x)); }
template <std::integral T>
std::string FormatFixed(T x, int decimals) { return FormatFixed(static_cast<double>(x), decimals); }

// Signed number text: a leading space when not negative, up to 15 significant digits,
// the shortest form, a zero before the point between -1 and 1, "1E-05" below 1e-4.
std::string SignedNumberText(double x);

}  // namespace ornivo
