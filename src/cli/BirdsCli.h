#pragma once
// What the "birds" calls and the bird file's "Preset" / "User" keys share: a bird found by number or
// name in a table and entered as the table's screen enters it.
#include <string>

#include "birddb/BirdNumbers.h"
#include "cli/CliDialogs.h"
#include "cli/Json.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::cli {

using birddb::BirdTable;
enum class EnterResult { Entered, Refused };

// Enters the record that `ref` names: a whole number or a text "#57" is a record number (as "birds
// list" shows it), any other text a short name, else a scientific name. A name, or a number, that
// no record answers to, and a name that several records share (listing their numbers), are a
// UsageError. Refused: a message was shown (a database that cannot be used).
EnterResult EnterTableBird(ProgramState& s, CliDialogs& d, BirdTable table, const Json& ref,
                           ScreenUpdate* entered = nullptr);

// The values "Enter bird into program" sets, by the program state's names.
Json EnteredBirdJson(const ProgramState& s, BirdTable table);

}  // namespace ornivo::cli
