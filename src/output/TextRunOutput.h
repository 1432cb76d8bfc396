#pragma once
// Saving a run as a block of a text file, the life cycle the three calculations share:
// OutputCount counts the runs in the current file; the first run asks for a comment, makes the
// output folders, proposes a free name in the save dialog and creates the file; later runs ask for
// the comment and append. A file on disk is always whole: new content goes to a temporary file in
// the same folder that is renamed into place, so a failed write leaves the earlier runs intact.
#include <string>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"

namespace ornivo::output {

using TextBlockFn = std::string (*)(const ProgramState&);

// Saves the current run: OutputCount + 1, the comment box, on the first run of the file
// EnsureOutputFolder(TextFiles, calcFolder), NextFreeOutputName(".txt") and the save dialog
// "Save output as text file" (OutPath = the name chosen), then the block. Returns true when the
// block is on disk. A cancelled dialog takes OutputCount back and writes nothing; a failure
// (folder, disk full, no permission) shows an error message, restores OutputCount and OutPath and
// leaves the file as it was.
bool SaveTextRun(ProgramState& s, platform::Dialogs& d, const std::string& calcFolder, TextBlockFn block);

// The text branches of WriteRunOutput, WriteGlideOutput and WriteMigrationRun (folders
// PowerCurves, GlidePolars, Migration). The screens call these when UseTextFiles is set.
bool WriteRunText(ProgramState& s, platform::Dialogs& d);
bool WriteGlideText(ProgramState& s, platform::Dialogs& d);
bool WriteMigrationText(ProgramState& s, platform::Dialogs& d);

// Writes `content` as the file at `path` (after the file's present content when `append`), through a
// temporary file in the same folder renamed into place. Returns an empty text on success, otherwise
// the reason; the file is then unchanged.
std::string WriteTextFile(const std::string& path, const std::string& content, bool append);

}  // namespace ornivo::output
