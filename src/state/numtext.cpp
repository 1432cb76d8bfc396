#include "state/numtext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace ornivo {
namespace {

// Rounds a plain decimal digit string "123.4567..." (exact expansion) to `decimals` places,
// halves away from zero. Digits only, no sign.
std::string roundDecimalString(const std::string& exact, int decimals) {
    std::string intPart = exact, frac;
    auto dot = exact.find('.');
    if (dot != std::string::npos) {
        intPart = exact.substr(0, dot);
        frac = exact.substr(dot + 1);
    }
    if (intPart.empty()) intPart = "0";
    frac.resize(std::max<std::size_t>(frac.size(), decimals + 1), '0');
    bool roundUp = frac[decimals] >= '5';
    std::string digits = intPart + frac.substr(0, decimals);
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0) {
            if (digits[i] == '9') { digits[i] = '0'; --i; }
            else { ++digits[i]; break; }
        }
        if (i < 0) digits.insert(digits.begin(), '1');
    }
    std::size_t intLen = digits.size() - decimals;
    std::string out = digits.substr(0, intLen);
    // Drop leading zeros but keep one integer digit.
    std::size_t nz = out.find_first_not_of('0');
    out = (nz == std::string::npos) ? "0" : out.substr(nz);
    if (decimals > 0) out += "." + digits.substr(intLen);
    return out;
}

std::string exactExpansion(double ax) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.80f", ax);
    return buf;
}

bool isZeroText(const std::string& s) {
    for (char c : s) if (c >= '1' && c <= '9') return false;
    return true;
}

}  // namespace

double RoundHalfEven(double x) {
    double r = std::nearbyint(x);  // default rounding mode: to nearest, ties to even
    return r;
}

int16_t CInt(double x) {
    double r = RoundHalfEven(x);
    if (!(r >= -32768.0 && r <= 32767.0)) throw OverflowError("Overflow: value outside the 16-bit range");
    return static_cast<int16_t>(r);
}

int32_t CLng(double x) {
    double r = RoundHalfEven(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw OverflowError("Overflow: value outside the 32-bit range");
    return static_cast<int32_t>(r);
}

std::string FormatFixed(double x, int decimals) {
    if (std::isnan(x) || std::isinf(x)) return std::isnan(x) ? "NaN" : (x > 0 ? "Inf" : "-Inf");
    std::string s = roundDecimalString(exactExpansion(std::fabs(x)), decimals);
    if (x < 0 && !isZeroText(s)) s = "-" + s;
    return s;
}

std::string FormatScientific(double x) {
    if (x == 0) return "0.00E+00";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2E", x);  // glibc: mantissa two decimals, exponent at least two digits
    return buf;
}

std::string FormatSig(float x, int n) {
    if (x == 0) return "0";
    const bool neg = x < 0;
    const float ax = std::fabs(x);
    std::string body;
    if (ax >= 1000000.0f || ax < 0.00001f) {
        body = FormatScientific(static_cast<double>(ax));
    } else {
        const double lg = std::log(static_cast<double>(ax)) / std::log(10.0);
        const int d = (n - 1) - static_cast<int>(std::floor(lg));
        if (d > 0) {
            body = FormatFixed(static_cast<double>(ax), d);
        } else {
            double k = RoundHalfEven(static_cast<double>(ax));
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.0f", k);
            int t = static_cast<int>(std::string(buf).size()) - 1;
            if (t > n) {
                double p = std::pow(10.0, t - n);
                k = RoundHalfEven(k / p) * p;
                std::snprintf(buf, sizeof buf, "%.0f", k);
            }
            body = buf;
        }
    }
    return neg ? "-" + body : body;
}

namespace {
// Length of the longest leading number in text starting at i (after spaces); 0 if none.
std::size_t scanNumber(std::string_view t, std::size_t i) {
    std::size_t start = i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t digitsStart = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    std::size_t intDigits = i - digitsStart;
    std::size_t fracDigits = 0;
    if (i < t.size() && t[i] == '.') {
        std::size_t j = i + 1;
        while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) ++j;
        fracDigits = j - i - 1;
        if (intDigits + fracDigits > 0) i = j;
    }
    if (intDigits + fracDigits == 0) return 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        std::size_t expStart = j;
        while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) ++j;
        if (j > expStart) i = j;
    }
    return i - start;
}
std::size_t skipSpaces(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    return i;
}
}  // namespace

bool HasLeadingNumber(std::string_view text) {
    return scanNumber(text, skipSpaces(text)) > 0;
}

double LeadingNumber(std::string_view text) {
    std::size_t i = skipSpaces(text);
    std::size_t len = scanNumber(text, i);
    if (len == 0) return 0;
    std::string s(text.substr(i, len));
    for (char& c : s) if (c == 'd' || c == 'D') c = 'E';
    double v = std::strtod(s.c_str(), nullptr);
    if (std::isinf(v)) return v;  // callers refuse out-of-range values themselves
    return v;
}

std::string FormatPattern(double x, std::string_view pattern) {
    if (pattern == "scientific" || pattern == "0.00E+00") return FormatScientific(x);
    auto dot = pattern.find('.');
    if (dot == std::string_view::npos) {
        // Whole-number patterns: "0", "#0", "0#" force one digit; "#####" shows nothing for 0.
        std::string s = FormatFixed(x, 0);
        bool forced = pattern.find('0') != std::string_view::npos;
        if (!forced && (s == "0" || s == "-0")) return "";
        return s;
    }
    std::string_view ipart = pattern.substr(0, dot), fpart = pattern.substr(dot + 1);
    int decimals = static_cast<int>(fpart.size());
    bool optionalDecimals = fpart.find('0') == std::string_view::npos;  // "0.#", "####.#"
    std::string s = FormatFixed(x, decimals);
    if (optionalDecimals) {
        // Trailing zero decimals are dropped but the point stays, as the pattern's "#" digits do.
        while (!s.empty() && s.back() == '0' && s.find('.') != std::string::npos &&
               s.size() - s.find('.') > 1)
            s.pop_back();
        if (!s.empty() && s.back() == '.' && pattern == "0.#") s.pop_back();
    }
    bool forcedInt = ipart.find('0') != std::string_view::npos;
    if (!forcedInt) {
        // No forced integer digit: a zero integer part is left out (".5").
        bool neg = !s.empty() && s[0] == '-';
        std::string body = neg ? s.substr(1) : s;
        if (body.rfind("0.", 0) == 0) body = body.substr(1);
        else if (body == "0") body = "";
        s = neg ? "-" + body : body;
    }
    return s;
}

std::string SignedNumberText(double x) {
    if (x == 0) return " 0";
    double ax = std::fabs(x);
    char buf[64];
    std::string s;
    if (ax < 1e-4 || ax >= 1e15) {
        std::snprintf(buf, sizeof buf, "%.14E", ax);
        std::string m = buf;
        auto e = m.find('E');
        std::string mant = m.substr(0, e), ex = m.substr(e + 1);
        while (mant.back() == '0') mant.pop_back();
        if (mant.back() == '.') mant.pop_back();
        int expo = std::atoi(ex.c_str());
        char eb[16];
        std::snprintf(eb, sizeof eb, "E%c%02d", expo < 0 ? '-' : '+', std::abs(expo));
        s = mant + eb;
    } else {
        std::snprintf(buf, sizeof buf, "%.15g", ax);
        s = buf;
        if (s.find('e') != std::string::npos) {  // %.15g may still choose the exponent form
            std::snprintf(buf, sizeof buf, "%.15f", ax);
            s = buf;
            while (s.back() == '0') s.pop_back();
            if (s.back() == '.') s.pop_back();
        }
    }
    return (x < 0 ? "-" : " ") + s;
}

}  // namespace ornivo
