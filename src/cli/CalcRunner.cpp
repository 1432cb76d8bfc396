#include "cli/CalcRunner.h"

#include <map>

#include "cli/BirdFile.h"

namespace ornivo::cli {
namespace {
std::map<std::string, CalcRunFn>& runners() {
    static std::map<std::string, CalcRunFn> r;
    return r;
}
}  // namespace

bool RegisterCalcRunner(const std::string& calculation, CalcRunFn fn) {
    runners()[calculation] = std::move(fn);
    return true;
}

const CalcRunFn* FindCalcRunner(const std::string& calculation) {
    auto it = runners().find(calculation);
    return it == runners().end() ? nullptr : &it->second;
}

int RunCalcCommand(const std::string& calculation, const std::vector<std::string>& a,
                   const std::vector<std::string>& extra) {
    Args args(a);
    CalcOptions opt = ParseCalcOptions(args, calculation, extra);
    BirdFile file = ReadBirdFile(opt.birdPath);
    const CalcRunFn* run = FindCalcRunner(calculation);
    if (!run) throw UsageError(calculation + " is not available in this build");
    ProgramState s;
    CliDialogs d;
    d.strict = opt.strict;
    PrepareOutputState(s, opt);
    Json out;
    int rc = (*run)(s, d, file.json, file.folder, opt, out);
    if (rc != ExitOk) return rc;
    d.strictCheck();  // a message of loading the screen or of the run, under --strict
    return FinishCalc(s, d, opt, out);
}

}  // namespace ornivo::cli
