#pragma once
// What the "birds" calls and the bird file's "Preset" / "User" keys share: a bird found by name in
// a table and entered through the database screens' logic.
#include <string>

#include "cli/CliDialogs.h"
#include "cli/Json.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::cli {

enum class BirdTable { Preset, User };
enum class EnterResult { Entered, NotFound, Refused };

// Opens the table's screen, clicks the entry with that short name (else that scientific name) and
// presses "Enter bird into program". Refused: a message was shown (a database that cannot be used).
EnterResult EnterTableBird(ProgramState& s, CliDialogs& d, BirdTable table, const std::string& name,
                           ScreenUpdate* entered = nullptr);

// The values "Enter bird into program" sets, by the program state's names.
Json EnteredBirdJson(const ProgramState& s, BirdTable table);

}  // namespace ornivo::cli
