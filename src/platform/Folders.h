#pragma once
// Where the program finds its files and keeps the user's: one place, so the desktop program and
// the CLI use the same user database, and tests can point every folder into a temporary one.
//
// Each folder can be set for the process (Set...), or through an environment variable; otherwise
// it follows the platform's conventions:
//   program folder   ORNIVO_PROGRAM_DIR, else the folder of the running executable
//   shipped files    the program folder when Data/ is beside the program (the build tree), else
//                    ../share/ornivo below it (an installed tree)
//   user data        ORNIVO_DATA_HOME, else $XDG_DATA_HOME/Ornivo, else ~/.local/share/Ornivo
//   documents        ORNIVO_DOCUMENTS_DIR, else $XDG_DOCUMENTS_DIR, else ~/Documents if it exists, else ~
#include <string>

namespace ornivo::platform {

std::string ProgramFolder();
// The folder that holds Data/, XLTemplates/, Manual/ and Tracks/.
std::string ShippedFolder();
// The shipped example GPS tracks (the stork leg, its sites and raw fixes), ShippedFolder()/Tracks.
std::string ShippedTracksFolder();
// The per-user data folder (not created here).
std::string UserDataFolder();
std::string DocumentsFolder();
// Where GPS tracks, stopover sites and their maps start: DocumentsFolder()/"Ornivo Tracks" (not created here).
std::string TracksFolder();
// Creates the folder (and its parents) when it is missing; false when it cannot be made.
bool EnsureFolder(const std::string& path);
std::string HomeFolder();

// Overrides for the process (an empty text restores the default).
void SetProgramFolder(const std::string& path);
void SetUserDataFolder(const std::string& path);
void SetDocumentsFolder(const std::string& path);

}  // namespace ornivo::platform
