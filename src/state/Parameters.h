#pragma once
// One description of every field of Enter Bird, the three setup screens and the migration settings
// screen: its control name, the state value it shows, its caption and tip, how its number is shown,
// the range we accept with the refusal that names it, its edit mark, and where each calculation's
// outputs put it (workbook cell, text-file line). Screens build their rows from it, the rules and
// the CLI resolve control names through it, and the writers walk it; what an edit derives stays in
// the rules (one function per rule).
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "state/EditMarks.h"
#include "state/Param.h"
#include "state/ProgramState.h"

namespace ornivo {

// The screens a control is on, as bits.
enum ScreenBits : std::uint8_t {
    OnEnterBird = 1, OnSetupFlap = 2, OnSetupMigrate = 4, OnSetupGlide = 8, OnSettingsMigr = 16,
    OnSetupScreens = OnSetupFlap | OnSetupMigrate | OnSetupGlide,
};

// How a calculation's workbook holds a field: its value only, its value coloured red while the
// field carries its edit mark, or only the colour (a field whose value another cell shows).
struct Cell {
    enum class Use : std::uint8_t { None, Value, Marked, MarkOnly };
    const char* ref = nullptr;
    Use use = Use::None;
};
constexpr Cell ValueCell(const char* ref) { return {ref, Cell::Use::Value}; }
constexpr Cell MarkedCell(const char* ref) { return {ref, Cell::Use::Marked}; }
constexpr Cell MarkOnlyCell(const char* ref) { return {ref, Cell::Use::MarkOnly}; }

// The calculations with outputs, as indexes of Parameter::cells.
enum class Output : std::uint8_t { PowerCurve, Migration, GlidePolar };

struct Parameter {
    Param id;
    std::string_view control;   // "txtEmptyMass"
    std::uint8_t screens;       // ScreenBits
    std::string_view label;     // the caption, also naming the field in a range refusal
    std::string_view tip = {};  // the tool tip (empty: none)
    // The value the field shows, in the units it shows it (kg, %, km): the slot's value (slot 1 to 3
    // by the calculation, 0 for Enter Bird) or a constant held once. Null for texts.
    double (*value)(const ProgramState& s, int slot) = nullptr;
    // Stores a typed value for the fields whose rule is only that (null: the field's rule does more).
    void (*store)(ProgramState& s, int slot, double typed) = nullptr;
    bool isDouble = false;          // the state holds a double, not a single
    const char* pattern = nullptr;  // a display pattern ("0"); null: FormatSig
    // Our accepted range; a field without one has lo > hi. A lo of -inf has no lower bound of ours
    // (the field's rule has its own message for 0 or less).
    double lo = 1, hi = 0;
    std::optional<Mark> mark = std::nullopt;  // set by a click into the field
    Cell cells[3] = {};             // by Output
    std::string_view textLabel = {};  // the line of the text-file block ("Empty body mass")
    std::string_view textUnit = {};   // after the number (" kg")
    std::uint8_t readOnlyOn = 0;      // ScreenBits where the field shows a value and takes no typing
};

std::span<const Parameter> Parameters();
const Parameter& ParameterOf(Param p);
// The field of a control name, or null. A settings-screen control is named without its prefix.
const Parameter* FindParameter(std::string_view control);

// The option buttons and check boxes of the setup screens, by screen; with the fields, every control
// an edit may name.
struct Choice {
    std::string_view control;
    std::uint8_t screens;
};
std::span<const Choice> Choices();

// Whether a screen (ScreenBits) has a control of that name.
bool ScreenHasControl(std::uint8_t screen, std::string_view control);
// The field of that name on a screen, or null.
const Parameter* FieldOn(std::uint8_t screen, std::string_view control);
// The mark a click into the field sets on that screen: none for a field that takes no typing there.
std::optional<Mark> MarkOn(std::uint8_t screen, std::string_view control);

}  // namespace ornivo
