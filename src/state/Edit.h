#pragma once
// One user action on a setup screen control, as the screens and the CLI's "edits" replay them.
#include <stdexcept>
#include <string>

namespace ornivo {

struct Edit {
    enum class Kind { Text, Click, DoubleClick, Check };
    Kind kind = Kind::Text;
    std::string text;     // Text: the field's new text (committed as the field loses the focus)
    bool checked = false; // Check: the check box's new state

    static Edit typed(std::string t) { return {Kind::Text, std::move(t), false}; }
    static Edit click() { return {Kind::Click, {}, false}; }
    static Edit doubleClick() { return {Kind::DoubleClick, {}, false}; }
    static Edit check(bool c) { return {Kind::Check, {}, c}; }
};

// A control name the screen does not have, or an action the control does not take.
struct UnknownControl : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

}  // namespace ornivo
