#pragma once
// Where the bird databases live and how the screens open them.
//   Preset birds: the shipped Data/Birds.db, read only (a newer program brings newer presets).
//   User birds:   the user's own copy of Birds.db in the per-user data folder, made from the shipped
//                 file on first use and never replaced afterwards.
//   Wings:        the shipped Data/Wings.db, read only.
// Opening failures are shown as one error message naming the file; the caller then closes its screen.
#include <memory>
#include <string>

#include "external/database/Database.h"
#include "platform/Dialogs.h"
#include "state/ProgramState.h"

namespace ornivo::birddb {

// The folder holding Data/: s.ProgramFolder when set, else the platform's shipped folder.
std::string ShippedFolderOf(const ProgramState& s);
std::string ShippedBirdsPath(const ProgramState& s);
std::string ShippedWingsPath(const ProgramState& s);
std::string AboutTheDataPath(const ProgramState& s);
// The per-user bird database (it may not exist yet).
std::string UserBirdsPath();

// Makes the user's copy of Birds.db from the shipped file if the user has none (atomically: a
// temporary copy renamed into place). An existing copy is never touched. Throws DatabaseError.
void EnsureUserBirdsDb(const ProgramState& s);

// Opens a database and checks that it holds the table; on failure shows the error and returns null.
std::unique_ptr<external::Database> OpenPresetBirds(const ProgramState& s, platform::Dialogs& d);
std::unique_ptr<external::Database> OpenUserBirds(const ProgramState& s, platform::Dialogs& d);
std::unique_ptr<external::Database> OpenWings(const ProgramState& s, platform::Dialogs& d);

// Shows a database error: its lines, with the error icon.
void ShowDatabaseError(platform::Dialogs& d, const external::DatabaseError& e);

// The "About the data" page: the credits of the shipped tables (Markdown text), or a line naming
// the missing file.
std::string AboutTheDataText(const ProgramState& s);

}  // namespace ornivo::birddb
