#include "cli/CalcRunner.h"

#include "api/BirdFile.h"
#include "api/Calculations.h"
#include "cli/CalcOutput.h"
#include "cli/TidyOutput.h"

namespace ornivo::cli {

int RunCalcCommand(const std::string& calculation, const std::vector<std::string>& a,
                   const std::vector<std::string>& extra) {
    Args args(a);
    CalcOptions opt = ParseCalcOptions(args, calculation, extra);
    BirdFile file = ReadBirdFile(opt.birdPath);
    // A migration runs along a track when one is given on the command line or in the bird file.
    const bool gpsRun = opt.gps || (file.json.contains("gps") && file.json["gps"].is_string());
    CheckTableChoice(opt, calculation == "migrate" && gpsRun);
    const auto calc = CalculationNamed(calculation);
    if (!calc) throw UsageError(calculation + " is not available in this build");
    ProgramState s;
    RunDialogs d;
    d.strict = opt.strict;
    PrepareRunState(s);
    Json out;
    int rc = RunCalculation(*calc, s, d, file.json, file.folder, opt, out);
    if (rc != ExitOk) return rc;
    d.strictCheck();  // a message of loading the screen or of the run, under --strict
    return FinishCalc(s, d, opt, out);
}

}  // namespace ornivo::cli
