// ornivo-cli power-curve: a bird through Enter Bird, "Power curve", the setup screen's edits and
// "Compute Power Curve".
#include <iostream>

#include "cli/BirdFile.h"
#include "cli/CalcOutput.h"
#include "cli/Command.h"
#include "cli/FlapJson.h"
#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"

namespace ornivo::cli {
namespace {

int runPowerCurve(const std::vector<std::string>& a) {
    Args args(a);
    CalcOptions opt = ParseCalcOptions(args, "power-curve");
    BirdFile file = ReadBirdFile(opt.birdPath);
    ProgramState s;
    CliDialogs d;
    PrepareOutputState(s, opt);
    if (!EnterBirdFromFile(s, d, file.json)) return ExitRefused;
    ScreenUpdate press;
    if (!bird::PressCalculation(s, d, bird::Calculation::PowerCurve, &press)) return d.refuse();
    std::size_t before = d.shown.size();
    flap::LoadSetupFlap(s, d);
    d.printWarnings(before);
    ReplayEdits(s, d, file.json, flap::SetupFlapEdit);
    if (!flap::ComputePowerCurve(s, d)) return d.refuse();
    if (auto hook = UncertaintyHook()) {
        int rc = hook(s, d, file.json, opt);
        if (rc != ExitOk) return rc;
    }
    Json out;
    out["calculation"] = "power-curve";
    Json inputs = BirdSlotJson(s, ModePowerCurve);
    inputs.update(SharedConstantsJson(s));
    out["inputs"] = inputs;
    out["results"] = PowerCurveResultsJson(s);
    out["messages"] = MessagesJson(d);
    return FinishCalc(s, d, opt, out);
}

}  // namespace

ORNIVO_CLI_COMMAND(power_curve, "power-curve",
                   "power-curve BIRD.json [--format json|text|xlsx] [--out PATH] [--comment TEXT] [--graph FILE] "
                   "[--uncertainty]",
                   runPowerCurve);

}  // namespace ornivo::cli
