#pragma once
// The uncertainty of mechanical power and of Vmp by first-order error propagation with analytic
// partial derivatives, from proportional uncertainties of eight inputs.
#include <array>
#include <string>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"

namespace ornivo::flap {

// The eight variables, in the order of the screen's fields and range checks.
enum UncertVar { UMass, USpan, UArea, USbody, UCdb, UKflap, UGravity, URho, UCount };

struct UncertaintySet {
    std::array<float, UCount> u{};  // proportional uncertainties (0.05 = 5 per cent)
};

UncertaintySet WildPopulation();      // "Wild population"
UncertaintySet MeasuredIndividual();  // "Measured individual"
UncertaintySet AllZero();             // "All zero"

// The screen's field names (txtMass, txtSpan, txtArea, txtSbody, txtCdb, txtKflap, txtG, txtRho) and the
// upper limits of their ranges (the lower limit is 0).
const std::array<std::string, UCount>& UncertaintyFieldNames();
const std::array<float, UCount>& UncertaintyLimits();

// The screen's working copy: the eight variables taken when it loads and the 24 coefficients.
struct UncertaintyModel {
    std::array<float, UCount> x{};                 // m, b, S, Sb, Cdb, k, g, rho
    std::array<float, UCount> profile{}, induced{}, parasite{};  // dP/dx terms (induced / V, parasite x V^3)
};

// Screen load: copies the variables of the current slot and computes the coefficients. A zero variable
// that the coefficients divide by is refused with a message (nothing returned).
bool LoadUncertaintyModel(const ProgramState& s, platform::Dialogs& d, UncertaintyModel& model);

// "Plot uncertainty bands" without the drawing: range checks (first failure shown, false returned),
// rows 6 to 9 of PowerCurveTable, VmpUncert, UncertDone.
bool ComputePowerUncertainty(ProgramState& s, platform::Dialogs& d, const UncertaintyModel& model,
                             const UncertaintySet& set);

}  // namespace ornivo::flap
