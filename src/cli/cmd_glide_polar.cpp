// ornivo-cli glide-polar: a bird through Enter Bird, "Glide polar", the glide setup screen's edits and
// "Compute Glide Polar".
#include "cli/BirdFile.h"
#include "cli/CalcRunner.h"
#include "cli/Command.h"
#include "cli/FlapJson.h"
#include "cli/GlideJson.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"

namespace ornivo::cli {
namespace {

int runGlidePolar(ProgramState& s, CliDialogs& d, const Json& bird, const std::string&, const CalcOptions& opt,
                  Json& out) {
    if (!EnterBirdFromFile(s, d, bird)) return ExitRefused;
    if (!bird::PressCalculation(s, d, bird::Calculation::GlidePolar)) return d.refuse();
    std::size_t before = d.shown.size();
    glide::LoadSetupGlide(s, d);
    d.printWarnings(before);
    ReplayEdits(s, d, bird, glide::SetupGlideEdit);
    if (!glide::ComputeGlidePolar(s, d)) return d.refuse();
    out["calculation"] = "glide-polar";
    Json inputs = BirdSlotJson(s, ModeGlide);
    inputs.update(SharedConstantsJson(s));
    inputs.update(GlideConstantsJson(s));
    out["inputs"] = inputs;
    out["results"] = GlideResultsJson(s, opt.tables);
    out["messages"] = MessagesJson(d);
    return ExitOk;
}

const bool registered = RegisterCalcRunner("glide-polar", runGlidePolar);

int command(const std::vector<std::string>& a) { return RunCalcCommand("glide-polar", a); }

}  // namespace

ORNIVO_CLI_COMMAND(glide_polar, "glide-polar",
                   "glide-polar BIRD.json [--format json|text|xlsx] [--out PATH] [--comment TEXT] [--graph FILE] [--strict]",
                   command);

}  // namespace ornivo::cli
