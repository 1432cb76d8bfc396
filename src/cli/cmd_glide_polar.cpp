// ornivo-cli glide-polar: a bird through Enter Bird, "Glide polar", the glide setup screen's edits and
// "Compute Glide Polar".
#include "cli/CalcRunner.h"
#include "cli/Command.h"

namespace ornivo::cli {
namespace {

int command(const std::vector<std::string>& a) { return RunCalcCommand("glide-polar", a); }

}  // namespace

ORNIVO_CLI_COMMAND(glide_polar, "glide-polar",
                   "glide-polar BIRD.json [--format json|text|xlsx|csv] [--tables state|tidy] [--table NAME] [--out PATH] "
                   "[--comment TEXT] [--graph FILE] [--strict]",
                   command);

}  // namespace ornivo::cli
