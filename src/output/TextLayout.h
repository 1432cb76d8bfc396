#pragma once
// Fixed-column text for the output files: print positions are 1-based; moving to a position pads
// the line with spaces, and a position already passed continues on a new line at that position.
#include <string>
#include <string_view>

namespace ornivo {
struct ProgramState;
}

namespace ornivo::output {

class TextLayout {
public:
    // Text at the current print position.
    TextLayout& text(std::string_view t);
    // Moves to print position col (1-based).
    TextLayout& tab(int col);
    TextLayout& at(int col, std::string_view t) { return tab(col).text(t); }
    // A whole number printed as a number: a leading space for the sign (or "-"), the digits and a
    // trailing space (" 7 ", "-3 ").
    TextLayout& number(long n);
    // Ends the current line (an empty line when nothing was printed on it).
    TextLayout& endLine();
    TextLayout& line(std::string_view t = {}) { return text(t).endLine(); }
    // Label at column 1, value at column 40 and, when given, the unit text at column 52.
    TextLayout& valueLine(std::string_view label, std::string_view value, std::string_view unit = {});

    // The current print position (1-based; counts characters, not bytes).
    int column() const { return col_; }
    // Every finished line, each ended by "\n", followed by the unfinished one.
    std::string str() const { return done_ + cur_; }

private:
    std::string done_, cur_;
    int col_ = 1;
};

// Label, value and unit columns of the value lines.
constexpr int ValueColumn = 40;
constexpr int UnitColumn = 52;

// Pieces shared by the blocks of the three calculations.

// An output number: FormatSig with `digits` (SigDigits); a value without text (NaN, infinity) is "0".
std::string OutNumber(double x, int digits);
// a / b, 0 when b is 0 (a ratio of results that are not there).
double SafeRatio(double a, double b);
// " (Passerine)" or " (Non-Passerine)"; "Both sexes", "Male", "Female", "Unknown";
// "Adult", "Immature", "Unknown".
std::string TaxonText(int taxonGroup);
std::string SexText(int sex);
std::string AgeText(int age);
// The lines from "Sex: " to the empty line after "Variable values used for this run:" (the sex and
// age, VersionLine, "Saved in: " + OutPath, Comment).
void RunHeading(TextLayout& t, const ProgramState& s);
// `emptyBefore` empty lines, the four NoticeLines, two empty lines: the end of every block.
void NoticeEnd(TextLayout& t, const ProgramState& s, int emptyBefore);

}  // namespace ornivo::output
