// ornivo-cli birds list|show|backup|restore: the preset and user bird tables through the database
// screens' logic.
#include <iostream>

#include "birddb/BirdFiles.h"
#include "birddb/EnterFromRecord.h"
#include "birddb/UserBirds.h"
#include "cli/BirdFile.h"
#include "cli/BirdsCli.h"
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
    CliDialogs d;
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
    CliDialogs d;
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
    CliDialogs d;
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

EnterResult EnterTableBird(ProgramState& s, CliDialogs& d, BirdTable table, const Json& ref, ScreenUpdate* entered) {
    const std::string which = table == BirdTable::User ? "user" : "preset";
    std::vector<birddb::NumberedBird> list;
    if (!birddb::ListNumberedBirds(s, d, table, list)) return EnterResult::Refused;
    birddb::BirdMatch m;
    std::string shown;
    if (ref.is_number()) {
        const double n = ref.get<double>();
        if (!(n >= 1 && n <= 1e15) || n != static_cast<double>(static_cast<int64_t>(n)))
            throw UsageError("a " + which + " bird's number is a whole number from 1 (birds list shows them)");
        m = birddb::MatchNumber(list, static_cast<int64_t>(n));
        shown = "#" + std::to_string(static_cast<int64_t>(n));
    } else {
        m = birddb::MatchBird(list, ref.get<std::string>());
        shown = ref.get<std::string>();
    }
    if (m.kind == birddb::BirdMatch::Kind::NotFound) {
        int64_t n;
        throw UsageError(birddb::ParseRecordNumber(shown, n) ? "no " + which + " bird has the number " + shown
                                                             : "no " + which + " bird named \"" + shown + "\"");
    }
    if (m.kind == birddb::BirdMatch::Kind::Ambiguous) {
        std::string numbers;
        for (std::size_t i = 0; i < m.candidates.size(); ++i)
            numbers += (i == 0 ? "#" : i + 1 == m.candidates.size() ? " or #" : ", #") + std::to_string(m.candidates[i]);
        throw UsageError(std::to_string(m.candidates.size()) + " " + which + " birds are named \"" + shown +
                         "\": give the number of one, " + numbers + " (birds list shows them)");
    }
    switch (birddb::EnterNumberedBird(s, d, table, m.number, entered)) {
    case birddb::EnterNumberOutcome::Entered: return EnterResult::Entered;
    case birddb::EnterNumberOutcome::NotFound: throw UsageError("no " + which + " bird has the number " + shown);
    case birddb::EnterNumberOutcome::Refused: break;
    }
    return EnterResult::Refused;
}

Json EnteredBirdJson(const ProgramState& s, BirdTable table) {
    const BirdParams& b = s.slot(0);
    Json j;
    j["SpName"] = s.SpName;
    j["ShortName"] = s.ShortName;
    j["EmptyMass"] = Single(b.EmptyMass);
    j["Span"] = Single(b.Span);
    j["WingArea"] = Single(b.WingArea);
    j["AspectRatio"] = Single(b.AspectRatio);
    j["AirDensity"] = Single(s.AirDensity);
    j["RelDensity"] = Single(s.RelDensity);
    j["Altitude"] = Single(s.Altitude);
    j["KinViscosity"] = Single(s.KinViscosity);
    j["MuscleFrac"] = Single(b.MuscleFrac);
    j["FatFrac"] = Single(b.FatFrac);
    j["TaxonGroup"] = s.TaxonGroup;
    j["Sex"] = s.Sex;
    j["Age"] = s.Age;
    if (table == BirdTable::User) {
        j["CropMass"] = Single(b.CropMass);
        static const char* names[] = {"Cprof", "PbmrFactor", "FreqFactor", "FrontalAreaFactor", "Cdb", "Cdw",
                                      "Kflap", "Kglide", "Kmito", "Resp", "Eta", "Efat", "Eprotein", "ProtHydr",
                                      "ProtFracTarget", "ClMax", "PlanformSlope", "Bstop", "Gravity"};
        ProgramState& ms = const_cast<ProgramState&>(s);
        for (std::size_t i = 0; i < birddb::UserParameters().size(); ++i)
            j[names[i]] = Single(birddb::ParameterValue(ms, birddb::UserParameters()[i]));
        j["KeepFactors"] = s.KeepFactors;
    }
    return j;
}

ORNIVO_CLI_COMMAND(birds, "birds",
                   "birds list [--preset | --user] | birds show NAME|#NUMBER [--preset | --user] | birds backup FILE | "
                   "birds restore FILE",
                   runBirds);

}  // namespace ornivo::cli
