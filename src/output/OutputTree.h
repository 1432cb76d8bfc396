#pragma once
// The output folder tree below the output root, and the free-name rule every writer uses.
#include <stdexcept>
#include <string>

#include "state/ProgramState.h"

namespace ornivo {

// A failure of the output tree (a folder that cannot be created, no free name left).
struct OutputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Creates the missing levels of OutDrive/OrnivoOutput/<kind>/<calculation>/ and sets
// LastOutputFolder to that folder with a trailing separator. Kind: ExcelFiles or TextFiles;
// calculation: PowerCurves, GlidePolars or Migration. Throws OutputError when a level cannot be made.
void EnsureOutputFolder(ProgramState& s, const std::string& kind, const std::string& calculation);

// The first OutFileName + "_" + "0000"-formatted counter + extension not present in LastOutputFolder
// (a bare name). Throws OutputError when all 9999 names are taken.
std::string NextFreeOutputName(const ProgramState& s, const std::string& extension);

// The version values, the notice lines and the program folder, as the start screen sets them.
void SetVersionAndNotices(ProgramState& s);
std::string VersionText();  // the project's version, "0.1.0": the package's, --version's and the outputs'.

}  // namespace ornivo
