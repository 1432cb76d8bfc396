#include "output/ParameterCells.h"

#include <algorithm>
#include <cctype>
#include <tuple>
#include <vector>

#include "output/WorkbookCells.h"

namespace ornivo::output {
namespace {

// The templates lay the fields out in two blocks of label and value columns (A to E, F to J):
// cells are filled down the first block, then down the second.
std::tuple<bool, int, int> fillOrder(const char* ref) {
    int column = 0, row = 0;
    for (const char* c = ref; *c; ++c) {
        if (std::isalpha(static_cast<unsigned char>(*c))) column = column * 26 + (std::toupper(*c) - 'A' + 1);
        else row = row * 10 + (*c - '0');
    }
    return {column > 5, row, column};
}

struct Placed {
    const char* ref;
    const Parameter* field;  // null for a sheet's own marked cell
    Cell::Use use;
    Mark mark;
};

std::vector<Placed> placed(Output calc, std::initializer_list<std::pair<const char*, Mark>> optionCells) {
    std::vector<Placed> cells;
    for (const Parameter& p : Parameters()) {
        const Cell& c = p.cells[static_cast<std::size_t>(calc)];
        if (c.use != Cell::Use::None) cells.push_back({c.ref, &p, c.use, p.mark.value_or(Mark::Count)});
    }
    for (const auto& [ref, mark] : optionCells) cells.push_back({ref, nullptr, Cell::Use::MarkOnly, mark});
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Placed& a, const Placed& b) { return fillOrder(a.ref) < fillOrder(b.ref); });
    return cells;
}

}  // namespace

void WriteParameterCells(const ProgramState& s, sheet::Sheet& sh, Output calc, int slot) {
    for (const Placed& c : placed(calc, {})) {
        if (c.use == Cell::Use::MarkOnly) continue;
        const double x = c.field->value(s, slot);
        if (!c.field->pattern) sh.write(c.ref, SigValue(x, s.SigDigits));
        else if (c.field->isDouble) sh.write(c.ref, PatternValue(x, c.field->pattern));
        else sh.write(c.ref, PatternValue(static_cast<float>(x), c.field->pattern));
    }
}

void WritePowerFraction(const ProgramState& s, sheet::Sheet& sh, int slot, const char* ref) {
    const BirdParams& b = s.slot(slot);
    if (s.FlightStyle == 3) sh.write(ref, SigValue(b.PowerFracBound, s.SigDigits));
    else if (s.FlightStyle == 2) sh.write(ref, SigValue(b.PowerFracFG, s.SigDigits));
    else sh.write(ref, 1.0);
}

void ColourMarkedParameters(sheet::Sheet& sh, const EditMarks& marks, Output calc,
                            std::initializer_list<std::pair<const char*, Mark>> optionCells) {
    for (const Placed& c : placed(calc, optionCells))
        if (c.use != Cell::Use::Value && c.mark != Mark::Count && marks.test(c.mark))
            sh.setFontColour(c.ref, sheet::kRed);
}

}  // namespace ornivo::output
