#pragma once
// What the "birds" calls and the bird file's "Preset" / "User" keys share: a bird found by number or
// name in a table and entered as the table's screen enters it.
#include <string>
#include <vector>

#include "birddb/BirdNumbers.h"
#include "api/RunDialogs.h"
#include "api/Json.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::api {

using birddb::BirdTable;
enum class EnterResult { Entered, Refused };

// Enters the record that `ref` names: a whole number or a text "#57" is a record number (as "birds
// list" shows it), any other text a short name, else a scientific name. A name, or a number, that
// no record answers to, and a name that several records share (listing their numbers), are a
// UsageError. Refused: a message was shown (a database that cannot be used).
EnterResult EnterTableBird(ProgramState& s, RunDialogs& d, BirdTable table, const Json& ref,
                           ScreenUpdate* entered = nullptr);

// The values "Enter bird into program" sets, by the program state's names.
Json EnteredBirdJson(const ProgramState& s, BirdTable table);

// The bird file's "Preset" and "User" keys: the bird is taken from the preset or the user table by
// its record number, its short name or its scientific name, and entered exactly as the database
// screens enter it. False (after the refusal) when the database cannot be used.
bool EnterBirdFromTable(ProgramState& s, RunDialogs& d, const Json& bird);

// Every record of the preset (or user) table, in the order the table's screen lists it, each as the
// bird file {"Preset": number} (or {"User": number}) would run it, so records that share a name run
// with their own values: the rows of "batch --preset" and "--user".
struct BatchRow;
std::vector<BatchRow> TableRows(bool preset);

}  // namespace ornivo::api
