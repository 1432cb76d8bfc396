#include "platform/Folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ornivo::platform {
namespace fs = std::filesystem;
namespace {

std::string& programOverride() {
    static std::string s;
    return s;
}
std::string& userDataOverride() {
    static std::string s;
    return s;
}
std::string& documentsOverride() {
    static std::string s;
    return s;
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string executableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return fs::current_path(ec).string();
    return exe.parent_path().string();
}

}  // namespace

std::string HomeFolder() {
    std::string home = env("HOME");
    if (!home.empty()) return home;
    std::error_code ec;
    return fs::current_path(ec).string();
}

std::string ProgramFolder() {
    if (!programOverride().empty()) return programOverride();
    std::string e = env("ORNIVO_PROGRAM_DIR");
    return e.empty() ? executableFolder() : e;
}

std::string ShippedFolder() {
    const fs::path program = ProgramFolder();
    std::error_code ec;
    if (fs::is_directory(program / "Data", ec)) return program.string();
    const fs::path installed = program.parent_path() / "share" / "ornivo";
    if (fs::is_directory(installed / "Data", ec)) return installed.string();
    return program.string();
}


std::string ShippedTracksFolder() { return (fs::path(ShippedFolder()) / "Tracks").string(); }

std::string UserDataFolder() {
    if (!userDataOverride().empty()) return userDataOverride();
    std::string e = env("ORNIVO_DATA_HOME");
    if (!e.empty()) return e;
    std::string xdg = env("XDG_DATA_HOME");
    if (!xdg.empty() && fs::path(xdg).is_absolute()) return (fs::path(xdg) / "Ornivo").string();
    return (fs::path(HomeFolder()) / ".local" / "share" / "Ornivo").string();
}

std::string DocumentsFolder() {
    if (!documentsOverride().empty()) return documentsOverride();
    std::string e = env("ORNIVO_DOCUMENTS_DIR");
    if (!e.empty()) return e;
    std::string xdg = env("XDG_DOCUMENTS_DIR");
    if (!xdg.empty() && fs::path(xdg).is_absolute()) return xdg;
    std::error_code ec;
    fs::path docs = fs::path(HomeFolder()) / "Documents";
    return fs::is_directory(docs, ec) ? docs.string() : HomeFolder();
}

std::string TracksFolder() { return (fs::path(DocumentsFolder()) / "Ornivo Tracks").string(); }

bool EnsureFolder(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return true;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

void SetProgramFolder(const std::string& p) { programOverride() = p; }
void SetUserDataFolder(const std::string& p) { userDataOverride() = p; }
void SetDocumentsFolder(const std::string& p) { documentsOverride() = p; }

}  // namespace ornivo::platform
