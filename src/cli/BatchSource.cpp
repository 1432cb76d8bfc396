// The rows of "batch --preset" and "batch --user": every bird of the table, in the order the table's
// screen lists it, each as the bird file {"Preset": name} (or {"User": name}) would run it. Installed
// when the program starts.
#include <map>

#include "birddb/PresetBirds.h"
#include "birddb/UserBirds.h"
#include "cli/BatchTable.h"
#include "cli/CliDialogs.h"
#include "cli/Command.h"

namespace ornivo::cli {
namespace {

using birddb::ListBy;

struct Names {
    std::vector<std::string> shortNames, sciNames;
};

template <class Screen>
Names namesOf(Screen& screen) {
    Names n;
    n.shortNames = screen.list();
    screen.listBy(ListBy::ScientificName);
    n.sciNames = screen.list();
    return n;
}

std::vector<BatchRow> tableRows(bool preset) {
    ProgramState s;
    CliDialogs d;
    d.err = nullptr;
    Names names;
    if (preset) {
        birddb::PresetBirdsScreen screen(s, d);
        if (!screen.load()) {
            std::string t;
            for (const auto& l : d.lastError()) t += (t.empty() ? "" : " ") + l;
            throw UsageError(t.empty() ? "the preset bird table cannot be read" : t);
        }
        names = namesOf(screen);
        screen.cancel();
    } else {
        birddb::UserBirdsScreen screen(s, d);
        if (!screen.load()) {
            std::string t;
            for (const auto& l : d.lastError()) t += (t.empty() ? "" : " ") + l;
            throw UsageError(t.empty() ? "the user bird table cannot be read" : t);
        }
        names = namesOf(screen);
        screen.returnToEnterBird();
    }
    // A name finds the first record listed with it as short name, else as scientific name: a
    // record is reached by its short name when that is unique, else by its scientific name when
    // that is unique and no short name; else (the same bird listed twice) the first one stands in.
    std::map<std::string, int> shortCount, sciCount;
    for (const auto& n : names.shortNames) ++shortCount[n];
    for (const auto& n : names.sciNames) ++sciCount[n];
    const char* key = preset ? "Preset" : "User";
    std::vector<BatchRow> rows;
    for (std::size_t i = 0; i < names.shortNames.size(); ++i) {
        const std::string& shortName = names.shortNames[i];
        const std::string sciName = i < names.sciNames.size() ? names.sciNames[i] : "";
        BatchRow row;
        row.line = static_cast<int>(i) + 1;
        std::string name = shortName;
        if (shortCount[shortName] > 1 && !sciName.empty() && sciCount[sciName] == 1 && !shortCount.count(sciName))
            name = sciName;
        // The names are only for the result row: a bird file with "Preset" or "User" takes nothing else.
        row.bird = Json{{key, name}, {"SpName", sciName}, {"ShortName", shortName}};
        rows.push_back(std::move(row));
    }
    return rows;
}

const bool installed = (SetBatchTableSource(tableRows), true);

}  // namespace
}  // namespace ornivo::cli
