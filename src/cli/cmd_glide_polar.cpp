// ornivo-cli glide-polar: a bird through Enter Bird, "Glide polar", the glide setup screen's edits and
// "Compute Glide Polar".
#include "cli/BirdFile.h"
#include "cli/CalcOutput.h"
#include "cli/Command.h"
#include "cli/FlapJson.h"
#include "cli/GlideJson.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"

namespace ornivo::cli {
namespace {

int runGlidePolar(const std::vector<std::string>& a) {
    Args args(a);
    CalcOptions opt = ParseCalcOptions(args, "glide-polar");
    BirdFile file = ReadBirdFile(opt.birdPath);
    ProgramState s;
    CliDialogs d;
    PrepareOutputState(s, opt);
    if (!EnterBirdFromFile(s, d, file.json)) return ExitRefused;
    if (!bird::PressCalculation(s, d, bird::Calculation::GlidePolar)) return d.refuse();
    std::size_t before = d.shown.size();
    glide::LoadSetupGlide(s, d);
    d.printWarnings(before);
    ReplayEdits(s, d, file.json, glide::SetupGlideEdit);
    if (!glide::ComputeGlidePolar(s, d)) return d.refuse();
    Json out;
    out["calculation"] = "glide-polar";
    Json inputs = BirdSlotJson(s, ModeGlide);
    inputs.update(SharedConstantsJson(s));
    inputs.update(GlideConstantsJson(s));
    out["inputs"] = inputs;
    out["results"] = GlideResultsJson(s);
    out["messages"] = MessagesJson(d);
    return FinishCalc(s, d, opt, out);
}

}  // namespace

ORNIVO_CLI_COMMAND(glide_polar, "glide-polar",
                   "glide-polar BIRD.json [--format json|text|xlsx] [--out PATH] [--comment TEXT] [--graph FILE]",
                   runGlidePolar);

}  // namespace ornivo::cli
