#pragma once
// Reading a bird file and driving the screens' rules as a person would: the Enter Bird screen's
// defaults and fields, its bird check, a calculation button, then the setup screen's edits.
#include <functional>
#include <string>
#include <vector>

#include "bird/EnterBird.h"
#include "api/RunDialogs.h"
#include "api/Json.h"
#include "state/Edit.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::api {

// A bird file read from a path ("-" for standard input). Throws UsageError when unreadable or not JSON.
struct BirdFile {
    Json json;
    std::string folder;  // folder of the file, for relative paths ("." for standard input)
};
BirdFile ReadBirdFile(const std::string& path);

// A number as the text a person would type for it (shortest form that reads back the same).
std::string NumberText(double v);

// The keys a bird file may hold; any other key is an error (a misspelt key would go unnoticed).
const std::vector<std::string>& BirdFileKeys();
// Throws UsageError naming the first unknown key of a bird file and the known key closest to it.
void CheckBirdFileKeys(const Json& bird);
// The name of `known` that differs least from `name` (letters compared without regard to case).
std::string ClosestKey(const std::string& name, const std::vector<std::string>& known);

// Loads the Enter Bird screen and commits the bird file's keys through its field rules in the
// contract's order. Returns false (after printing the refusal) when a key's value is refused.
bool EnterBirdFromFile(ProgramState& s, RunDialogs& d, const Json& bird);

// Replays the bird file's "edits" on a setup screen through `apply`. Messages shown while an edit is
// committed are printed as warnings and the replay goes on; an unknown control is a UsageError.
using EditFn = std::function<ScreenUpdate(ProgramState&, platform::Dialogs&, const std::string&, const Edit&)>;
void ReplayEdits(ProgramState& s, RunDialogs& d, const Json& bird, const EditFn& apply,
                 const std::function<bool(const std::string&)>& skip = {});
// An edit's value as an Edit for the control.
Edit EditFromJson(const std::string& control, const Json& value);

// The texts of every message shown, for the JSON "messages".
Json MessagesJson(const RunDialogs& d);

}  // namespace ornivo::api
