#pragma once
// Record numbers of the preset and user bird tables: a number names a record where its name does
// not (the preset table holds several birds under one short name, with different masses).
//
// A record's number is its row id in its table, so it does not depend on how a screen sorts the
// list. A preset bird's number is its row in the shipped table (number 1 is the first data line of
// data/birds/preset_birds.csv) and is the same in every run of a release. A user bird gets its
// number when it is added and keeps it until it is deleted; the number of a deleted bird may be
// given again to a bird added later.
#include <cstdint>
#include <string>
#include <vector>

#include "external/database/Database.h"
#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::birddb {

enum class BirdTable { Preset, User };

struct NumberedBird {
    int64_t number = 0;
    std::string shortName, sciName;
};

// Every record of the record set in its order, with its number; leaves the set past its last record.
std::vector<NumberedBird> NumberedBirds(external::RecordSet& rs);
// Makes current the record with that number; false when the set has none.
bool FindNumber(external::RecordSet& rs, int64_t number);

// The record a name or a number stands for.
struct BirdMatch {
    enum class Kind { Found, NotFound, Ambiguous };
    Kind kind = Kind::NotFound;
    int64_t number = 0;               // Found: the record's number
    std::vector<int64_t> candidates;  // Ambiguous: the numbers of the records that share the name
};
// "#57" is record 57. Any other text is a name: the record with that short name, else the record
// with that scientific name; a name that several records share is ambiguous.
BirdMatch MatchBird(const std::vector<NumberedBird>& birds, const std::string& nameOrNumber);
BirdMatch MatchNumber(const std::vector<NumberedBird>& birds, int64_t number);
// The number of a "#57" text; false for any other text.
bool ParseRecordNumber(const std::string& text, int64_t& number);

// The records of a table with their numbers, in the order its screen lists them. False, after the
// screen's message naming the file, when the database cannot be used.
bool ListNumberedBirds(ProgramState& s, platform::Dialogs& d, BirdTable table, std::vector<NumberedBird>& out);

enum class EnterNumberOutcome { Entered, NotFound, Refused };
// Enters record `number` as the table's screen enters a chosen record ("Enter bird into program");
// `entered` receives the Enter Bird screen's update. Refused: the database could not be used.
EnterNumberOutcome EnterNumberedBird(ProgramState& s, platform::Dialogs& d, BirdTable table, int64_t number,
                                     ScreenUpdate* entered = nullptr);

}  // namespace ornivo::birddb
