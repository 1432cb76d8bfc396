#pragma once
// Glide test helpers: a bird typed on Enter Bird, "Glide polar", the glide setup load, and typing
// into the glide setup fields, as the CLI and the screen do it.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "bird/EnterBird.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "support/BirdSetup.h"

namespace ornivo::test {

// The example bird of the glide polar: 2.2 kg, span 1.4 m, area 0.33 sq m, sea level.
inline TypedBird ExampleGlider() {
    TypedBird b;
    b.name = "Example glider";
    b.mass = 2.2;
    b.span = 1.4;
    b.area = 0.33;
    b.altitude = 0;
    return b;
}

inline void ToGlideSetup(ProgramState& s, platform::ScriptedDialogs& d, const TypedBird& b = ExampleGlider()) {
    TypeBird(s, d, b);
    ASSERT_TRUE(bird::PressCalculation(s, d, bird::Calculation::GlidePolar));
    glide::LoadSetupGlide(s, d);
}

inline ScreenUpdate TypeGlide(ProgramState& s, platform::Dialogs& d, const std::string& control, double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", value);
    return glide::SetupGlideEdit(s, d, control, Edit::typed(buf));
}

inline ScreenUpdate ClickGlide(ProgramState& s, platform::Dialogs& d, const std::string& control) {
    return glide::SetupGlideEdit(s, d, control, Edit::click());
}

}  // namespace ornivo::test
