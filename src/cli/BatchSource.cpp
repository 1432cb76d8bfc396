// The rows of "batch --preset" and "batch --user": every record of the table, in the order the
// table's screen lists it, each as the bird file {"Preset": number} (or {"User": number}) would run
// it, so records that share a name run with their own values. Installed when the program starts.
#include "birddb/BirdNumbers.h"
#include "cli/BatchTable.h"
#include "cli/CliDialogs.h"
#include "cli/Command.h"

namespace ornivo::cli {
namespace {

std::vector<BatchRow> tableRows(bool preset) {
    ProgramState s;
    CliDialogs d;
    d.err = nullptr;
    std::vector<birddb::NumberedBird> list;
    if (!birddb::ListNumberedBirds(s, d, preset ? birddb::BirdTable::Preset : birddb::BirdTable::User, list)) {
        std::string t;
        for (const auto& l : d.lastError()) t += (t.empty() ? "" : " ") + l;
        throw UsageError(t.empty() ? std::string("the ") + (preset ? "preset" : "user") + " bird table cannot be read"
                                   : t);
    }
    const char* key = preset ? "Preset" : "User";
    std::vector<BatchRow> rows;
    for (std::size_t i = 0; i < list.size(); ++i) {
        BatchRow row;
        row.line = static_cast<int>(i) + 1;
        // The names are only for the result row: a bird file with "Preset" or "User" takes nothing else.
        row.bird = Json{{key, list[i].number}, {"SpName", list[i].sciName}, {"ShortName", list[i].shortName}};
        rows.push_back(std::move(row));
    }
    return rows;
}

const bool installed = (SetBatchTableSource(tableRows), true);

}  // namespace
}  // namespace ornivo::cli
