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

void GiveLastBird(ProgramState& s, const std::string& spName, const std::string& shortName) {
    s.LastBirdValid = true;
    LastBirdRecord& L = s.LastBird;
    L.SpName = spName;
    L.ShortName = shortName;
    L.EmptyMass = 0.11f;
    L.CropMass = 0;
    L.Span = 0.8f;
    L.WingArea = 0.0571f;
    L.AirDensity = 1.2f;
    L.MuscleFrac = 0.18f;
    L.FatFrac = 0.1f;
    L.TaxonGroup = 2;
    L.Sex = 1;
    L.Age = 1;
    L.Cprof = 8.4f;
    L.PbmrFactor = 1;
    L.FreqFactor = 1;
    L.FrontalAreaFactor = 1;
    L.Cdb = 0.1f;
    L.Cdw = 0.014f;
    L.Kflap = 1.2f;
    L.Kglide = 1.1f;
    L.Kmito = 1.2e-6f;
    L.Resp = 1.1f;
    L.Eta = 0.23f;
    L.Efat = 3.9e7f;
    L.Eprotein = 1.83e7f;
    L.ProtHydr = 2.2f;
    L.ProtFracTarget = 0.05f;
    L.ClMax = 1.8f;
    L.PlanformSlope = 1;
    L.Bstop = 5;
    L.Gravity0 = 9.81f;
}

}  // namespace ornivo::test
