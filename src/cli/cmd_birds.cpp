// ornivo-cli birds list|show|backup|restore: the preset and user bird tables through the database
// screens' logic.
#include <iostream>

#include "birddb/BirdFiles.h"
#include "birddb/EnterFromRecord.h"
#include "birddb/UserBirds.h"
#include "api/BirdFile.h"
#include "api/TableBirds.h"
#include "cli/Command.h"

namespace ornivo::cli {
namespace {

BirdTable tableOf(const Args& args) {
    if (args.has("--preset") && args.has("--user")) throw UsageError("give --preset or --user, not both");
    return args.has("--user") ? BirdTable::User : BirdTable::Preset;
}

const char* tableName(BirdTable t) { return t == BirdTable::User ? "User Birds" : "Preset Birds"; }

Json textsJson(const ScreenUpdate& u) {
    Json t = Json::object();
    for (const auto& [control, text] : u.texts) t[control] = text;
    for (const auto& [control, on] : u.checked)
        if (on) t[control] = true;
    return t;
}

int runList(const Args& args) {
    const BirdTable table = tableOf(args);
    ProgramState s;
    RunDialogs d;
    std::vector<birddb::NumberedBird> list;
    if (!birddb::ListNumberedBirds(s, d, table, list)) return d.refuse();
    // In the screen's order (by scientific name), each with the number that names it in any case.
    Json birds = Json::array();
    for (const auto& b : list) birds.push_back({{"Number", b.number}, {"ShortName", b.shortName}, {"SpName", b.sciName}});
    Json out;
    out["table"] = tableName(table);
    out["file"] = table == BirdTable::Preset ? birddb::ShippedBirdsPath(s) : birddb::UserBirdsPath();
    out["count"] = birds.size();
    out["birds"] = birds;
    PrintJson(out);
    return ExitOk;
}

int runShow(const Args& args) {
    auto pos = args.positional({});
    if (pos.size() != 1) throw UsageError("give one bird: birds show NAME|#NUMBER [--preset | --user]");
    const BirdTable table = tableOf(args);
    ProgramState s;
    RunDialogs d;
    ScreenUpdate entered;
    if (EnterTableBird(s, d, table, Json(pos[0]), &entered) == EnterResult::Refused) return d.refuse();
    Json out;
    out["table"] = tableName(table);
    out["state"] = EnteredBirdJson(s, table);
    out["enterBird"] = textsJson(entered);
    out["messages"] = MessagesJson(d);
    PrintJson(out);
    return ExitOk;
}

int runBackup(const Args& args, bool restore) {
    auto pos = args.positional({});
    if (pos.size() != 1) throw UsageError(restore ? "give the file: birds restore FILE" : "give the file: birds backup FILE");
    ProgramState s;
    RunDialogs d;
    birddb::UserBirdsScreen screen(s, d);
    if (!screen.load()) return d.refuse();
    d.files.push_back(pos[0]);
    const std::size_t before = d.shown.size();
    ScreenUpdate u = restore ? screen.restore() : screen.backup();
    const int count = screen.recordCount();
    screen.returnToEnterBird();
    if (u.refused) return d.refuse();
    Json out;
    out["file"] = birddb::UserBirdsPath();
    if (restore) {
        out["restored"] = pos[0];
        out["added"] = screen.lastRestoreCount();
    } else {
        out["backup"] = screen.lastBackupFile();
    }
    out["records"] = count;
    Json messages = Json::array();
    for (std::size_t i = before; i < d.shown.size(); ++i) {
        std::string t;
        for (const auto& l : d.shown[i].lines) t += (t.empty() ? "" : "\n") + l;
        if (d.shown[i].kind == "info" || d.shown[i].kind == "error") messages.push_back(t);
    }
    out["messages"] = messages;
    PrintJson(out);
    return ExitOk;
}

int runBirds(const std::vector<std::string>& a) {
    if (a.empty()) throw UsageError("give list, show, backup or restore");
    Args args(std::vector<std::string>(a.begin() + 1, a.end()));
    if (a[0] == "list") return runList(args);
    if (a[0] == "show") return runShow(args);
    if (a[0] == "backup") return runBackup(args, false);
    if (a[0] == "restore") return runBackup(args, true);
    throw UsageError("unknown birds call \"" + a[0] + "\" (list, show, backup or restore)");
}

}  // namespace

ORNIVO_CLI_COMMAND(birds, "birds",
                   "birds list [--preset | --user] | birds show NAME|#NUMBER [--preset | --user] | birds backup FILE | "
                   "birds restore FILE",
                   runBirds);

}  // namespace ornivo::cli
