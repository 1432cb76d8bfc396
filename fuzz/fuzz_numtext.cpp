// The number-text rules on arbitrary text: LeadingNumber never fails, and a finite single shown by
// FormatSig with n digits (three in the exponent form) reads back within half a unit of its last digit; the other display
// patterns give text for every finite number and refuse NaN and infinity with NumberTextError.
#include <cmath>
#include <cstring>
#include <string>

#include "FuzzFile.h"
#include "state/numtext.h"

using namespace ornivo;

namespace {

void checkSig(float x) {
    for (int n = 1; n <= 7; ++n) {
        const std::string t = FormatSig(x, n);
        if (t.empty()) fuzz::Finding("FormatSig gave no text");
        const double back = LeadingNumber(t);
        // Very large and very small values are shown as 0.00E+00 (three significant digits) whatever n.
        const int digits = t.find('E') != std::string::npos ? 3 : n;
        // Rounding starts from the shortest text that reads back as the single, itself within half a
        // unit in the last place (2^-24 of the value): half a unit of the last digit shown plus that.
        const double tol = std::fabs(double(x)) * (0.5 * std::pow(10.0, 1 - digits) + 0x1p-24) + 1e-45;
        if (!(std::fabs(back - double(x)) <= tol)) {
            fprintf(stderr, "finding: FormatSig(%.9g, %d) = \"%s\" reads back as %.9g\n", x, n, t.c_str(), back);
            std::abort();
        }
    }
}

template <class F>
void mustRefuseNonFinite(F f) {
    try {
        f();
    } catch (const NumberTextError&) {
        return;
    }
    fuzz::Finding("a non-finite number was given a text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double v = LeadingNumber(text);
    if (!HasLeadingNumber(text) && v != 0) fuzz::Finding("a number from text that does not start with one");
    if (std::isfinite(v) && std::fabs(v) <= 3.4e38) checkSig(static_cast<float>(v));
    // The raw bytes as a single, to reach denormals and extreme exponents.
    if (size >= 4) {
        float raw;
        std::memcpy(&raw, data, 4);
        if (std::isfinite(raw)) {
            checkSig(raw);
            for (const char* p : {"0", "#0", "0.0", "0.00", "0.000", "####.#", "#####", "0.#", "0.00E+00"})
                FormatPattern(raw, p);
            FormatScientific(raw);
            FormatFixed(raw, 3);
        } else {
            mustRefuseNonFinite([&] { FormatSig(raw, 3); });
            mustRefuseNonFinite([&] { FormatPattern(raw, "0.00"); });
        }
    }
    if (std::isfinite(v)) {
        SignedNumberText(v);
        FormatPattern(v, "0");
        FormatScientific(v);
        try {
            CInt(v);
        } catch (const OverflowError&) {
            if (std::fabs(v) < 32767) fuzz::Finding("CInt refused a number in range");
        }
        try {
            CLng(v);
        } catch (const OverflowError&) {
            if (std::fabs(v) < 2147483647.0) fuzz::Finding("CLng refused a number in range");
        }
    }
    return 0;
}
