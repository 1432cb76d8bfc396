#include "output/ParameterLines.h"

#include <string>

#include "state/numtext.h"

namespace ornivo::output {

void WriteInputLines(TextLayout& t, const ProgramState& s, int slot, std::initializer_list<InputLine> lines) {
    for (const InputLine& line : lines) {
        if (line.field == BlankLine) {
            t.line();
            continue;
        }
        const Parameter& p = ParameterOf(line.field);
        const double x = p.value(s, slot);
        // A pattern rounds a single as a single, as the screens show it.
        const std::string number = !p.pattern ? OutNumber(x, s.SigDigits)
                                   : p.isDouble ? FormatPattern(x, p.pattern)
                                                : FormatPattern(static_cast<float>(x), p.pattern);
        if (line.label.empty()) t.valueLine(p.textLabel, number, p.textUnit);
        else t.valueLine(line.label, number, line.unit);
    }
}

}  // namespace ornivo::output
