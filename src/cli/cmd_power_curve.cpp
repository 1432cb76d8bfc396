// ornivo-cli power-curve: a bird through Enter Bird, "Power curve", the setup screen's edits and
// "Compute Power Curve".
#include "cli/CalcRunner.h"
#include "cli/Command.h"

namespace ornivo::cli {
namespace {

int command(const std::vector<std::string>& a) { return RunCalcCommand("power-curve", a); }

}  // namespace

ORNIVO_CLI_COMMAND(power_curve, "power-curve",
                   "power-curve BIRD.json [--format json|text|xlsx|csv] [--tables state|tidy] [--table NAME] [--out PATH] "
                   "[--comment TEXT] [--graph FILE] [--uncertainty] [--strict]",
                   command);

}  // namespace ornivo::cli
