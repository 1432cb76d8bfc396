#pragma once
// Test helpers: a bird typed on the Enter Bird screen as a person would, then a setup screen loaded.
#include <string>

#include "bird/EnterBird.h"
#include "platform/ScriptedDialogs.h"
#include "state/ProgramState.h"

namespace ornivo::test {

struct TypedBird {
    std::string name = "Test bird", shortName = "Tb";
    double mass = 1.0, span = 1.0, area = 0.15, altitude = 0;
    int taxon = 2;
};

// Loads Enter Bird and commits the bird's fields through the field rules.
void TypeBird(ProgramState& s, platform::Dialogs& d, const TypedBird& b);
// TypeBird, "Power curve", and the power-curve setup load.
void ToPowerCurveSetup(ProgramState& s, platform::ScriptedDialogs& d, const TypedBird& b = {});
// Types a value into a power-curve setup field and leaves it.
void TypeFlap(ProgramState& s, platform::Dialogs& d, const std::string& control, double value);

// A whole last bird (an Arctic Tern unless named), as Enter Bird leaves it valid for a save.
void GiveLastBird(ProgramState& s, const std::string& spName = "Sterna paradisaea",
                  const std::string& shortName = "Arctic Tern");

}  // namespace ornivo::test
