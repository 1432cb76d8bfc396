#include "api/MigrateRun.h"

#include <filesystem>

#include "api/BirdFile.h"
#include "api/FlapJson.h"
#include "api/MigrateJson.h"
#include "migrate/SetupMigrate.h"
#include "platform/Folders.h"
#include "state/ControlNames.h"

namespace ornivo::api {
namespace {

Json Lines(const std::vector<std::string>& lines) {
    Json a = Json::array();
    for (const auto& l : lines) a.push_back(l);
    return a;
}

// A path of the bird file relative to its folder.
std::string relativeTo(const std::string& folder, const std::string& path) {
    std::filesystem::path p(path);
    return p.is_absolute() ? path : (std::filesystem::path(folder) / p).string();
}

Json gpsResults(const ProgramState& s, bool tables) {
    Json r;
    r["StopoverNote"] = s.Gps.StopoverNote;
    r["TripHours"] = Single(s.Gps.TripHours);
    r["AirDistance"] = Double(s.Gps.AirDistance);
    r["FeedingHours"] = Double(s.Gps.FeedingHours);
    r["TrackEndTrip"] = Single(s.Gps.TrackEndTrip);
    r["TrackEndFlown"] = Single(s.Gps.TrackEndFlown);
    r["TrackEndGround"] = Double(s.Gps.TrackEndGround);
    r["TrackEndAir"] = Double(s.Gps.TrackEndAir);
    r["PointCount"] = s.Gps.PointCount;
    if (tables || !RowsFinite(s.Migration.GpsTable)) r["GpsTable"] = SingleTable(s.Migration.GpsTable);
    if (!s.Gps.KmlFile.empty()) r["KmlFile"] = s.Gps.KmlFile;
    if (!s.Gps.ProgressFile.empty()) r["ProgressFile"] = s.Gps.ProgressFile;
    r["Stops"] = GpsStopsJson(s);
    if (s.Gps.FatRanOut) r["fatRanOut"] = FatRanOutJson(s);
    return r;
}

}  // namespace

int RunMigrate(ProgramState& s, RunDialogs& d, const Json& bird, const std::string& folder, const RunOptions& opt,
               Json& out) {
    // The track and site files: the command line wins over the bird file's keys.
    std::string gps = opt.gps.value_or(""), sites = opt.sites.value_or("");
    if (gps.empty() && bird.contains("gps") && bird["gps"].is_string()) gps = relativeTo(folder, bird["gps"].get<std::string>());
    if (sites.empty() && bird.contains("sites") && bird["sites"].is_string())
        sites = relativeTo(folder, bird["sites"].get<std::string>());
    if (gps.empty() && (!sites.empty() || opt.kml || opt.progress))
        throw UsageError("--sites, --kml and --progress need a track (--gps)");

    if (!EnterBirdFromFile(s, d, bird)) return ExitRefused;
    if (!bird::PressCalculation(s, d, bird::Calculation::Migrate)) return d.refuse();
    std::size_t before = d.shown.size();
    migrate::LoadSetupMigrate(s, d);
    d.printWarnings(before);
    ReplayEdits(s, d, bird, [&](ProgramState& st, platform::Dialogs& dl, const std::string& c, const Edit& e) {
        if (c == ctl::optGPS && gps.empty()) throw UsageError("the edit optGPS needs a track (--gps)");
        return migrate::SetupMigrateEdit(st, dl, c, e);
    }, [](const std::string& c) { return c == ctl::chkKMLfile || c == ctl::chkProgress; });
    if (!gps.empty()) {
        migrate::SetupMigrateEdit(s, d, ctl::optGPS, Edit::click());
        s.Migration.MigScreen.KmlChecked = opt.kml.has_value();
        s.Migration.MigScreen.ProgressChecked = opt.progress;
        s.Gps.TrackFolder = platform::DocumentsFolder() + "/Ornivo Tracks";
        if (opt.kml) s.Gps.KmlFolder = *opt.kml;
        // The screen's questions and dialogs, answered as the call says.
        d.yesNo.push_back(!sites.empty());
        if (!sites.empty()) d.files.push_back(sites);
        d.files.push_back(gps);
    }
    before = d.shown.size();
    const migrate::StartOutcome outcome = migrate::StartMigrating(s, d);
    if (outcome == migrate::StartOutcome::Refused || outcome == migrate::StartOutcome::Failed) return d.refuse();
    d.printWarnings(before);
    out["calculation"] = "migrate";
    out["inputs"] = InputsJson(opt, [&](auto&& fn) {
        EachBirdSlotInput(s, ModeMigrate, fn);
        EachSharedConstant(s, fn);
        EachMigrationSetting(s, fn);
    });
    if (outcome == migrate::StartOutcome::CannotClimb) {
        Json r;
        r["aborted"] = true;
        r["abortTitle"] = migrate::MigrAbortTitle();
        r["abortTexts"] = Lines(migrate::MigrAbortTexts());
        r["InitialVclimb"] = Single(s.Flap.ClimbRate);
        out["aborted"] = true;
        out["abortTexts"] = Lines(migrate::MigrAbortTexts());
        // The abort screen as a refusal prints it: the title, then its texts.
        Json abort = Lines(migrate::MigrAbortTexts());
        abort.insert(abort.begin(), migrate::MigrAbortTitle());
        out["abort"] = abort;
        out["results"] = r;
        out["messages"] = MessagesJson(d);
        return ExitOk;  // the call ends as a refusal (FinishCalc); a batch row shows the abort in its status
    }
    Json r = MigrationResultsJson(s, opt.tables);
    if (s.Migration.ClimbAborted) {
        r["climbAbortTitle"] = migrate::ClimbAbortTitle();
        r["climbAbortTexts"] = Lines(migrate::ClimbAbortTexts(s));
    }
    if (s.Migration.GpsMode) r.update(gpsResults(s, opt.tables));
    out["results"] = r;
    out["messages"] = MessagesJson(d);
    return ExitOk;
}

}  // namespace ornivo::api
