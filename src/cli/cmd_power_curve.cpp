// ornivo-cli power-curve: a bird through Enter Bird, "Power curve", the setup screen's edits and
// "Compute Power Curve".
#include "cli/BirdFile.h"
#include "cli/CalcRunner.h"
#include "cli/Command.h"
#include "cli/FlapJson.h"
#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"

namespace ornivo::cli {
namespace {

int runPowerCurve(ProgramState& s, CliDialogs& d, const Json& bird, const std::string&, const CalcOptions& opt,
                  Json& out) {
    if (!EnterBirdFromFile(s, d, bird)) return ExitRefused;
    if (!bird::PressCalculation(s, d, bird::Calculation::PowerCurve)) return d.refuse();
    std::size_t before = d.shown.size();
    flap::LoadSetupFlap(s, d);
    d.printWarnings(before);
    ReplayEdits(s, d, bird, flap::SetupFlapEdit);
    if (!flap::ComputePowerCurve(s, d)) return d.refuse();
    if (auto hook = UncertaintyHook()) {
        int rc = hook(s, d, bird, opt);
        if (rc != ExitOk) return rc;
    }
    out["calculation"] = "power-curve";
    Json inputs = BirdSlotJson(s, ModePowerCurve);
    inputs.update(SharedConstantsJson(s));
    out["inputs"] = inputs;
    out["results"] = PowerCurveResultsJson(s, opt.tables);
    out["messages"] = MessagesJson(d);
    return ExitOk;
}

const bool registered = RegisterCalcRunner("power-curve", runPowerCurve);

int command(const std::vector<std::string>& a) { return RunCalcCommand("power-curve", a); }

}  // namespace

ORNIVO_CLI_COMMAND(power_curve, "power-curve",
                   "power-curve BIRD.json [--format json|text|xlsx] [--out PATH] [--comment TEXT] [--graph FILE] "
                   "[--uncertainty] [--strict]",
                   command);

}  // namespace ornivo::cli
