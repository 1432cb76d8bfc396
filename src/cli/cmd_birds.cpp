// ornivo-cli birds list|show|backup|restore: the preset and user bird tables through the database
// screens' logic.
#include <iostream>

#include "birddb/BirdFiles.h"
#include "birddb/EnterFromRecord.h"
#include "birddb/PresetBirds.h"
#include "birddb/UserBirds.h"
#include "cli/BirdFile.h"
#include "cli/BirdsCli.h"
#include "cli/Command.h"

namespace ornivo::cli {
namespace {

using birddb::ListBy;

BirdTable tableOf(const Args& args) {
    if (args.has("--preset") && args.has("--user")) throw UsageError("give --preset or --user, not both");
    return args.has("--user") ? BirdTable::User : BirdTable::Preset;
}

const char* tableName(BirdTable t) { return t == BirdTable::User ? "User Birds" : "Preset Birds"; }

// The entry of a list with the name, or -1.
int indexOf(const std::vector<std::string>& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == name) return static_cast<int>(i);
    return -1;
}

template <class Screen>
EnterResult enterWith(Screen& screen, const std::string& name, ScreenUpdate* entered) {
    int i = indexOf(screen.list(), name);
    if (i < 0) {
        screen.listBy(ListBy::ScientificName);
        i = indexOf(screen.list(), name);
    }
    if (i < 0) return EnterResult::NotFound;
    screen.choose(i);
    ScreenUpdate u = screen.enterBird();
    if (entered) *entered = u;
    return EnterResult::Entered;
}

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
    Json birds = Json::array();
    std::string file;
    auto add = [&](auto& screen) {
        // Short names in record-set order, as the screen lists them; each with its scientific name.
        std::vector<std::string> shortNames = screen.list();
        screen.listBy(ListBy::ScientificName);
        for (std::size_t i = 0; i < shortNames.size(); ++i)
            birds.push_back({{"ShortName", shortNames[i]}, {"SpName", screen.list()[i]}});
    };
    if (table == BirdTable::Preset) {
        birddb::PresetBirdsScreen screen(s, d);
        if (!screen.load()) return d.refuse();
        add(screen);
        screen.cancel();
        file = birddb::ShippedBirdsPath(s);
    } else {
        birddb::UserBirdsScreen screen(s, d);
        if (!screen.load()) return d.refuse();
        add(screen);
        screen.returnToEnterBird();
        file = birddb::UserBirdsPath();
    }
    Json out;
    out["table"] = tableName(table);
    out["file"] = file;
    out["count"] = birds.size();
    out["birds"] = birds;
    PrintJson(out);
    return ExitOk;
}

int runShow(const Args& args) {
    auto pos = args.positional({});
    if (pos.size() != 1) throw UsageError("give one bird name: birds show NAME [--preset | --user]");
    const BirdTable table = tableOf(args);
    ProgramState s;
    CliDialogs d;
    ScreenUpdate entered;
    switch (EnterTableBird(s, d, table, pos[0], &entered)) {
    case EnterResult::Refused: return d.refuse();
    case EnterResult::NotFound:
        throw UsageError(std::string("no ") + (table == BirdTable::User ? "user" : "preset") + " bird named \"" +
                         pos[0] + "\"");
    case EnterResult::Entered: break;
    }
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

EnterResult EnterTableBird(ProgramState& s, CliDialogs& d, BirdTable table, const std::string& name,
                           ScreenUpdate* entered) {
    if (table == BirdTable::Preset) {
        birddb::PresetBirdsScreen screen(s, d);
        if (!screen.load()) return EnterResult::Refused;
        EnterResult r = enterWith(screen, name, entered);
        screen.cancel();
        return r;
    }
    birddb::UserBirdsScreen screen(s, d);
    if (!screen.load()) return EnterResult::Refused;
    EnterResult r = enterWith(screen, name, entered);
    if (r != EnterResult::Entered) screen.returnToEnterBird();
    return r;
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
                   "birds list [--preset | --user] | birds show NAME [--preset | --user] | birds backup FILE | "
                   "birds restore FILE",
                   runBirds);

}  // namespace ornivo::cli
