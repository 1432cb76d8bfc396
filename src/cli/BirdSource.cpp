// The bird file's "Preset" and "User" keys: the bird is taken from the preset or the user table by
// its record number, its short name or its scientific name, and entered exactly as the database
// screens enter it. Installed when the program starts.
#include "cli/BirdFile.h"
#include "cli/BirdsCli.h"
#include "cli/Command.h"

namespace ornivo::cli {
namespace {

bool enterFromTable(ProgramState& s, platform::Dialogs& dialogs, const Json& bird) {
    auto& d = static_cast<CliDialogs&>(dialogs);
    if (bird.contains("Preset") && bird.contains("User"))
        throw UsageError("the bird file may name a \"Preset\" or a \"User\" bird, not both");
    const bool user = bird.contains("User");
    const Json& ref = bird[user ? "User" : "Preset"];
    if (!ref.is_string() && !ref.is_number())
        throw UsageError(std::string("the bird file's \"") + (user ? "User" : "Preset") +
                         "\" must be a record number or a name");
    if (EnterTableBird(s, d, user ? BirdTable::User : BirdTable::Preset, ref) == EnterResult::Entered) return true;
    d.refuse();
    return false;
}

const bool installed = (SetBirdSourceHook(enterFromTable), true);

}  // namespace
}  // namespace ornivo::cli
