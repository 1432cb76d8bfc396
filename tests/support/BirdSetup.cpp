#include "support/BirdSetup.h"

#include <gtest/gtest.h>

#include "flap/SetupFlap.h"
#include "state/Edit.h"

namespace ornivo::test {

static std::string num(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    return buf;
}

void TypeBird(ProgramState& s, platform::Dialogs& d, const TypedBird& b) {
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtSpName", b.name);
    bird::EnterBirdField(s, d, "txtShortName", b.shortName);
    bird::EnterBirdField(s, d, "txtEmptyMass", num(b.mass));
    bird::EnterBirdField(s, d, "txtSpan", num(b.span));
    bird::EnterBirdField(s, d, "txtArea", num(b.area));
    bird::EnterBirdField(s, d, "txtAlt", num(b.altitude));
    bird::EnterBirdOption(s, b.taxon == 1 ? "optPass" : "optNonPass");
}

void ToPowerCurveSetup(ProgramState& s, platform::ScriptedDialogs& d, const TypedBird& b) {
    TypeBird(s, d, b);
    ASSERT_TRUE(bird::PressCalculation(s, d, bird::Calculation::PowerCurve));
    flap::LoadSetupFlap(s, d);
}

void TypeFlap(ProgramState& s, platform::Dialogs& d, const std::string& control, double value) {
    flap::SetupFlapEdit(s, d, control, Edit::typed(num(value)));
}

}  // namespace ornivo::test
