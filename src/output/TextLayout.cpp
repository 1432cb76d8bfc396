#include "output/TextLayout.h"

#include <cmath>

#include "state/ProgramState.h"
#include "state/numtext.h"

namespace ornivo::output {

TextLayout& TextLayout::text(std::string_view t) {
    for (char c : t) {
        if (c == '\n') {  // a text of several lines: each continues at column 1
            endLine();
            continue;
        }
        cur_ += c;
        // UTF-8 continuation bytes do not take a print position ("24°" is three positions).
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++col_;
    }
    return *this;
}

TextLayout& TextLayout::tab(int col) {
    if (col < 1) col = 1;
    if (col_ > col) {
        endLine();
    }
    cur_.append(static_cast<std::size_t>(col - col_), ' ');
    col_ = col;
    return *this;
}

TextLayout& TextLayout::number(long n) {
    return text(SignedNumberText(static_cast<double>(n))).text(" ");
}

TextLayout& TextLayout::endLine() {
    done_ += cur_;
    done_ += '\n';
    cur_.clear();
    col_ = 1;
    return *this;
}

TextLayout& TextLayout::valueLine(std::string_view label, std::string_view value, std::string_view unit) {
    text(label).at(ValueColumn, value);
    if (!unit.empty()) at(UnitColumn, unit);
    return endLine();
}

std::string OutNumber(double x, int digits) {
    if (!std::isfinite(x)) return "0";
    return FormatSig(static_cast<float>(x), digits);
}

double SafeRatio(double a, double b) { return b == 0 ? 0.0 : a / b; }

std::string TaxonText(int taxonGroup) { return taxonGroup == 1 ? " (Passerine)" : " (Non-Passerine)"; }

std::string SexText(int sex) {
    switch (sex) {
        case 1: return "Both sexes";
        case 2: return "Male";
        case 3: return "Female";
        default: return "Unknown";
    }
}

std::string AgeText(int age) {
    switch (age) {
        case 1: return "Adult";
        case 2: return "Immature";
        default: return "Unknown";
    }
}

void RunHeading(TextLayout& t, const ProgramState& s) {
    t.line("Sex: " + SexText(s.Sex));
    t.line("Age: " + AgeText(s.Age));
    t.line();
    t.line(s.VersionLine);
    t.line("Saved in: " + s.OutPath);
    t.line();
    t.line(s.Comment);
    t.line();
    t.line("Variable values used for this run:");
    t.line();
}

void NoticeEnd(TextLayout& t, const ProgramState& s, int emptyBefore) {
    for (int i = 0; i < emptyBefore; ++i) t.line();
    for (const auto& n : s.NoticeLines) t.line(n);
    t.line().line();
}

}  // namespace ornivo::output
