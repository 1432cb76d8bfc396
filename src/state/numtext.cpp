#include "state/numtext.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace ornivo {
namespace {

// The decimal digits of a finite value >= 0: digits[0] stands at 10^exp10, no leading or
// trailing zeros; empty digits for zero.
struct Decimal {
    std::string digits;
    int exp10 = 0;
};

// The shortest text that reads back as the same value, in its own precision: a single's 0.1f is 0.1,
// not 0.100000001490116.
template <class F>
Decimal shortestDecimal(F ax) {
    if (ax == 0) return {};
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific);
    std::string s(buf, r.ptr);  // "1.2345e-05" or "5e+00"
    auto epos = s.find('e');
    Decimal v;
    for (char c : s.substr(0, epos))
        if (c != '.') v.digits += c;
    while (v.digits.size() > 1 && v.digits.back() == '0') v.digits.pop_back();
    v.exp10 = std::atoi(s.c_str() + epos + 1);
    return v;
}

// Adds one in the last place of a digit string ("199" -> "200", "99" -> "100", "" -> "1").
void incrementDigits(std::string& d) {
    int i = static_cast<int>(d.size()) - 1;
    for (; i >= 0 && d[i] == '9'; --i) d[i] = '0';
    if (i < 0) d.insert(d.begin(), '1');
    else ++d[i];
}

// Exactly `decimals` places, halves away from zero, at least one integer digit; no sign.
std::string fixedText(const Decimal& v, int decimals) {
    std::string units;  // the value times 10^decimals, rounded
    const long keep = v.digits.empty() ? -1 : long(v.exp10) + 1 + decimals;
    if (keep >= 0) {
        units = v.digits.substr(0, std::min<std::size_t>(std::size_t(keep), v.digits.size()));
        units.resize(std::size_t(keep), '0');
        if (std::size_t(keep) < v.digits.size() && v.digits[std::size_t(keep)] >= '5') incrementDigits(units);
    }
    if (units.empty()) units = "0";
    if (units.size() < std::size_t(decimals) + 1) units.insert(0, std::size_t(decimals) + 1 - units.size(), '0');
    if (decimals > 0) units.insert(units.size() - std::size_t(decimals), ".");
    return units;
}

// Mantissa with two decimals, E, sign, at least two exponent digits; halves away from zero; no sign.
std::string scientificText(const Decimal& v) {
    if (v.digits.empty()) return "0.00E+00";
    std::string m = v.digits.substr(0, 3);
    m.resize(3, '0');
    int e = v.exp10;
    if (v.digits.size() > 3 && v.digits[3] >= '5') {
        incrementDigits(m);
        if (m.size() > 3) {  // 9.995 became 10.00
            m.pop_back();
            ++e;
        }
    }
    char ex[16];
    std::snprintf(ex, sizeof ex, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
    return m.substr(0, 1) + "." + m.substr(1) + ex;
}

bool isZeroText(const std::string& s) {
    return std::none_of(s.begin(), s.end(), [](char c) { return c >= '1' && c <= '9'; });
}

template <class F>
void requireFinite(F x) {
    if (!std::isfinite(x))
        throw NumberTextError(std::isnan(x) ? "A value that is not a number cannot be shown"
                                            : "An infinite value cannot be shown");
}

// A sign in front of a rounded text, unless it rounded to zero (no "-0.00").
std::string withSign(bool negative, std::string body) {
    return negative && !isZeroText(body) ? "-" + body : body;
}

template <class F>
std::string fixedOf(F x, int decimals) {
    requireFinite(x);
    return withSign(std::signbit(x), fixedText(shortestDecimal(std::fabs(x)), decimals));
}

template <class F>
std::string scientificOf(F x) {
    requireFinite(x);
    return withSign(std::signbit(x), scientificText(shortestDecimal(std::fabs(x))));
}

template <class F>
std::string patternOf(F x, std::string_view pattern) {
    if (pattern == "scientific" || pattern == "0.00E+00") return scientificOf(x);
    auto dot = pattern.find('.');
    if (dot == std::string_view::npos) {
        // Whole-number patterns: "0", "#0", "0#" force one digit; "#####" shows nothing for 0.
        std::string s = fixedOf(x, 0);
        bool forced = pattern.find('0') != std::string_view::npos;
        if (!forced && s == "0") return "";
        return s;
    }
    std::string_view ipart = pattern.substr(0, dot), fpart = pattern.substr(dot + 1);
    int decimals = static_cast<int>(fpart.size());
    bool optionalDecimals = fpart.find('0') == std::string_view::npos;  // "0.#", "####.#"
    std::string s = fixedOf(x, decimals);
    if (optionalDecimals) {
        // Trailing zero decimals are dropped but the point stays, as the pattern's "#" digits do.
        while (s.back() == '0' && s.size() - s.find('.') > 1) s.pop_back();
        if (s.back() == '.' && pattern == "0.#") s.pop_back();
    }
    bool forcedInt = ipart.find('0') != std::string_view::npos;
    if (!forcedInt) {
        // No forced integer digit: a zero integer part is left out (".5").
        bool neg = s[0] == '-';
        std::string body = neg ? s.substr(1) : s;
        if (body.rfind("0.", 0) == 0) body = body.substr(1);
        else if (body == "0") body = "";
        s = neg ? "-" + body : body;
    }
    return s;
}

}  // namespace

double RoundHalfEven(double x) {
    return std::nearbyint(x);  // default rounding mode: to nearest, ties to even
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

std::string FormatFixed(double x, int decimals) { return fixedOf(x, decimals); }
std::string FormatFixed(float x, int decimals) { return fixedOf(x, decimals); }
std::string FormatScientific(double x) { return scientificOf(x); }
std::string FormatScientific(float x) { return scientificOf(x); }
std::string FormatPattern(double x, std::string_view pattern) { return patternOf(x, pattern); }
std::string FormatPattern(float x, std::string_view pattern) { return patternOf(x, pattern); }

std::string FormatSig(float x, int n) {
    requireFinite(x);
    if (x == 0) return "0";
    const bool neg = x < 0;
    const float ax = std::fabs(x);
    std::string body;
    if (ax >= 1000000.0f || ax < 0.00001f) {
        body = scientificText(shortestDecimal(ax));
    } else {
        const double lg = std::log(static_cast<double>(ax)) / std::log(10.0);
        const int d = (n - 1) - static_cast<int>(std::floor(lg));
        if (d > 0) {
            body = fixedText(shortestDecimal(ax), d);
        } else {
            // Whole numbers keep up to n + 1 digits; beyond that they are rounded to n + 1 significant
            // digits. A single that is a whole number plus a half is exactly that, so binary rounding
            // here is decimal rounding.
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
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Length of the longest number in text starting at i; 0 if none.
std::size_t scanNumber(std::string_view t, std::size_t i) {
    std::size_t start = i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t digitsStart = i;
    while (i < t.size() && isDigit(t[i])) ++i;
    std::size_t intDigits = i - digitsStart;
    std::size_t fracDigits = 0;
    if (i < t.size() && t[i] == '.') {
        std::size_t j = i + 1;
        while (j < t.size() && isDigit(t[j])) ++j;
        fracDigits = j - i - 1;
        if (intDigits + fracDigits > 0) i = j;
    }
    if (intDigits + fracDigits == 0) return 0;
    // An exponent counts only with at least one digit ("1e" is 1, "1e3" is 1000); D is the old
    // double-precision exponent letter.
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        std::size_t expStart = j;
        while (j < t.size() && isDigit(t[j])) ++j;
        if (j > expStart) i = j;
    }
    return i - start;
}

std::size_t skipBlanks(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\r' || t[i] == '\n')) ++i;
    return i;
}
}  // namespace

bool HasLeadingNumber(std::string_view text) { return scanNumber(text, skipBlanks(text)) > 0; }

double LeadingNumber(std::string_view text) {
    std::size_t i = skipBlanks(text);
    std::size_t len = scanNumber(text, i);
    if (len == 0) return 0;
    std::string s(text.substr(i, len));
    for (char& c : s)
        if (c == 'd' || c == 'D') c = 'E';
    return std::strtod(s.c_str(), nullptr);  // beyond the double range: an infinity
}

std::string SignedNumberText(double x) {
    requireFinite(x);
    const char* sign = x < 0 ? "-" : " ";
    if (x == 0) return " 0";
    // 15 significant digits, trailing zeros dropped.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
    std::string m = buf;
    auto epos = m.find('e');
    const int e = std::atoi(m.c_str() + epos + 1);
    std::string digits;
    for (char c : m.substr(0, epos))
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string s;
    if (e < -4 || e >= 15) {  // 1E-05, 1.5E+15
        char ex[16];
        std::snprintf(ex, sizeof ex, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        s = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + ex;
    } else if (e < 0) {  // 0.0001 to 0.999...
        s = "0." + std::string(std::size_t(-e - 1), '0') + digits;
    } else {
        std::string intPart = digits.substr(0, std::min<std::size_t>(digits.size(), std::size_t(e) + 1));
        intPart.resize(std::size_t(e) + 1, '0');
        s = intPart;
        if (digits.size() > std::size_t(e) + 1) s += "." + digits.substr(std::size_t(e) + 1);
    }
    return sign + s;
}

}  // namespace ornivo
