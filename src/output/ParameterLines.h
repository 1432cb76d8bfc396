#pragma once
// The input lines of a text-file block, written from the parameter table.
#include <initializer_list>
#include <string_view>

#include "output/TextLayout.h"
#include "state/Parameters.h"

namespace ornivo::output {

// One line: a field's value with the table's label and unit, or the block's own wording of it.
// A line of Param::Count is a blank line.
struct InputLine {
    Param field;
    std::string_view label = {};
    std::string_view unit = {};
    InputLine(Param p) : field(p) {}  // NOLINT: the plain field is the common line
    InputLine(Param p, std::string_view l, std::string_view u = {}) : field(p), label(l), unit(u) {}
};
inline constexpr Param BlankLine = Param::Count;

void WriteInputLines(TextLayout& t, const ProgramState& s, int slot, std::initializer_list<InputLine> lines);

}  // namespace ornivo::output
