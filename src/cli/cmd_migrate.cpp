// ornivo-cli migrate: a bird through Enter Bird, "Migrate", the migration setup screen's edits (and its
// settings screen's, as frmSetDefaultsMigr.<control>) and "Start migrating".
#include <iostream>

#include "cli/BirdFile.h"
#include "cli/CalcOutput.h"
#include "cli/Command.h"
#include "cli/FlapJson.h"
#include "cli/MigrateJson.h"
#include "migrate/SetupMigrate.h"

namespace ornivo::cli {
namespace {

Json Lines(const std::vector<std::string>& lines) {
    Json a = Json::array();
    for (const auto& l : lines) a.push_back(l);
    return a;
}

int runMigrate(const std::vector<std::string>& a) {
    Args args(a);
    CalcOptions opt = ParseCalcOptions(args, "migrate", {"--gps", "--sites", "--kml"});
    BirdFile file = ReadBirdFile(opt.birdPath);
    if (args.has("--gps") || args.has("--sites") || args.has("--kml") || args.has("--progress") ||
        file.json.contains("gps"))
        throw UsageError("runs along a GPS track are not available in this build");
    ProgramState s;
    CliDialogs d;
    PrepareOutputState(s, opt);
    if (!EnterBirdFromFile(s, d, file.json)) return ExitRefused;
    ScreenUpdate press;
    if (!bird::PressCalculation(s, d, bird::Calculation::Migrate, &press)) return d.refuse();
    std::size_t before = d.shown.size();
    migrate::LoadSetupMigrate(s, d);
    d.printWarnings(before);
    ReplayEdits(s, d, file.json, [](ProgramState& st, platform::Dialogs& dl, const std::string& c, const Edit& e) {
        if (c == "optGPS") throw UsageError("the edit optGPS needs a track (--gps)");
        return migrate::SetupMigrateEdit(st, dl, c, e);
    });
    before = d.shown.size();
    const migrate::StartOutcome outcome = migrate::StartMigrating(s, d);
    if (outcome == migrate::StartOutcome::Refused || outcome == migrate::StartOutcome::Failed) return d.refuse();
    d.printWarnings(before);
    Json out;
    out["calculation"] = "migrate";
    Json inputs = BirdSlotJson(s, ModeMigrate);
    inputs.update(SharedConstantsJson(s));
    inputs.update(MigrationSettingsJson(s));
    out["inputs"] = inputs;
    if (outcome == migrate::StartOutcome::CannotClimb) {
        Json r;
        r["aborted"] = true;
        r["abortTitle"] = migrate::MigrAbortTitle();
        r["abortTexts"] = Lines(migrate::MigrAbortTexts());
        r["InitialVclimb"] = Single(s.ClimbRate);
        out["results"] = r;
        out["messages"] = MessagesJson(d);
        PrintJson(out);
        return ExitOk;
    }
    Json r = MigrationResultsJson(s);
    if (s.ClimbAborted) {
        r["climbAbortTitle"] = migrate::ClimbAbortTitle();
        r["climbAbortTexts"] = Lines(migrate::ClimbAbortTexts(s));
    }
    out["results"] = r;
    out["messages"] = MessagesJson(d);
    return FinishCalc(s, d, opt, out);
}

}  // namespace

ORNIVO_CLI_COMMAND(migrate, "migrate",
                   "migrate BIRD.json [--format json|text|xlsx] [--out PATH] [--comment TEXT]", runMigrate);

}  // namespace ornivo::cli
