#include "output/OutputTree.h"

#include <cstdio>
#include <filesystem>

#include "state/StateOps.h"
#include "state/numtext.h"

namespace fs = std::filesystem;

namespace ornivo {

void EnsureOutputFolder(ProgramState& s, const std::string& kind, const std::string& calculation) {
    fs::path root = s.OutDrive.empty() ? fs::path(".") : fs::path(s.OutDrive);
    fs::path levels[] = {root / "OrnivoOutput", root / "OrnivoOutput" / kind,
                         root / "OrnivoOutput" / kind / calculation};
    for (const fs::path& p : levels) {
        if (FolderExists(p.string())) continue;
        std::error_code ec;
        fs::create_directory(p, ec);
        if (ec || !FolderExists(p.string()))
            throw OutputError("The output folder " + p.string() + " cannot be created: " + ec.message());
    }
    s.LastOutputFolder = levels[2].string() + "/";
}

std::string NextFreeOutputName(const ProgramState& s, const std::string& extension) {
    // The counter is 16-bit; the names are formatted "0000", so 9999 is the last one offered.
    for (int16_t i = 1; i > 0 && i <= 9999; ++i) {
        char num[8];
        std::snprintf(num, sizeof num, "%04d", static_cast<int>(i));
        std::string candidate = s.OutFileName + "_" + num + extension;
        if (!FileExists(s.LastOutputFolder + candidate)) return candidate;
    }
    throw OutputError("No free output file name is left in " + s.LastOutputFolder + " for " + s.OutFileName +
                      " (names _0001 to _9999 are all taken)");
}

// The project's version as CMake has it (ORNIVO_VERSION is set for this file only), so that the
// package, --version, the start screen and every output file show one number.
std::string VersionText() { return ORNIVO_VERSION; }

void SetVersionAndNotices(ProgramState& s) {
    s.VersionNumber = static_cast<float>(ORNIVO_VERSION_MAJOR + ORNIVO_VERSION_MINOR / 10.0 +
                                         ORNIVO_VERSION_PATCH / 100.0);
    s.VersionLine = "Computed by Ornivo Version " + VersionText();
    s.NoticeLines = {
        "Ornivo is free software for field biologists and flight physiologists; get the latest version from the project pages below.",
        "https://ornivo.org",
        "https://github.com/ornivo/ornivo",
        "Comments, questions and reports of faults are welcome: please write to feedback@ornivo.org",
    };
}

}  // namespace ornivo
