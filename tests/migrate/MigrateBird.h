#pragma once
// Test helpers for the migration tests: a bird typed on Enter Bird, "Migrate", the migration setup
// load, and edits typed or clicked as a person would.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "migrate/MigrationEngine.h"
#include "migrate/SetupMigrate.h"
#include "platform/ScriptedDialogs.h"
#include "support/BirdSetup.h"

namespace ornivo::test {

inline std::string Num(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    return buf;
}

// A 0.5 kg non-passerine at sea level.
inline TypedBird MigBird() {
    TypedBird b;
    b.mass = 0.5;
    b.span = 0.8;
    b.area = 0.08;
    return b;
}

// The bird on the migration setup screen with the fat fraction typed (none when 0).
inline void ToMigrateSetup(ProgramState& s, platform::ScriptedDialogs& d, const TypedBird& b = MigBird(),
                           double fatFrac = 0.3) {
    TypeBird(s, d, b);
    ASSERT_TRUE(bird::PressCalculation(s, d, bird::Calculation::Migrate));
    migrate::LoadSetupMigrate(s, d);
    if (fatFrac > 0) migrate::SetupMigrateEdit(s, d, "txtFatFrac", Edit::typed(Num(fatFrac)));
}

inline ScreenUpdate Type(ProgramState& s, platform::Dialogs& d, const std::string& c, const std::string& text) {
    return migrate::SetupMigrateEdit(s, d, c, Edit::typed(text));
}
inline ScreenUpdate Type(ProgramState& s, platform::Dialogs& d, const std::string& c, double v) {
    return Type(s, d, c, Num(v));
}
inline ScreenUpdate Click(ProgramState& s, platform::Dialogs& d, const std::string& c) {
    return migrate::SetupMigrateEdit(s, d, c, Edit::click());
}

}  // namespace ornivo::test
