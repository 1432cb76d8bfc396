#include "birddb/BirdFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Folders.h"

namespace ornivo::birddb {
namespace fs = std::filesystem;
using external::Database;
using external::DatabaseError;

std::string ShippedFolderOf(const ProgramState& s) {
    return s.ProgramFolder.empty() ? platform::ShippedFolder() : s.ProgramFolder;
}
std::string ShippedBirdsPath(const ProgramState& s) { return (fs::path(ShippedFolderOf(s)) / "Data" / "Birds.db").string(); }
std::string ShippedWingsPath(const ProgramState& s) { return (fs::path(ShippedFolderOf(s)) / "Data" / "Wings.db").string(); }
std::string AboutTheDataPath(const ProgramState& s) { return (fs::path(ShippedFolderOf(s)) / "Data" / "ABOUT.md").string(); }
std::string UserBirdsPath() { return (fs::path(platform::UserDataFolder()) / "Birds.db").string(); }

void EnsureUserBirdsDb(const ProgramState& s) {
    const fs::path user = UserBirdsPath();
    std::error_code ec;
    if (fs::exists(user, ec)) return;
    const std::string shipped = ShippedBirdsPath(s);
    if (!fs::exists(shipped, ec))
        throw DatabaseError("Cannot make your bird database from", shipped, "The program's file does not exist.");
    fs::create_directories(user.parent_path(), ec);
    if (ec) throw DatabaseError("Cannot create the folder", user.parent_path().string(), ec.message() + ".");
    const fs::path temp = user.string() + ".part";
    fs::copy_file(shipped, temp, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(temp, user, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(temp, ignore);
        throw DatabaseError("Cannot create your bird database", user.string(), ec.message() + ".");
    }
}

namespace {
std::unique_ptr<Database> openWith(platform::Dialogs& d, const std::string& path, Database::Access access,
                                   const std::string& table) {
    try {
        auto db = Database::Open(path, access);
        if (!db->hasTable(table))
            throw DatabaseError("Cannot read the database file", path, "It has no table \"" + table + "\".");
        return db;
    } catch (const DatabaseError& e) {
        ShowDatabaseError(d, e);
        return nullptr;
    }
}
}  // namespace

std::unique_ptr<Database> OpenPresetBirds(const ProgramState& s, platform::Dialogs& d) {
    return openWith(d, ShippedBirdsPath(s), Database::Access::ReadOnly, "Preset Birds");
}

std::unique_ptr<Database> OpenUserBirds(const ProgramState& s, platform::Dialogs& d) {
    try {
        EnsureUserBirdsDb(s);
    } catch (const DatabaseError& e) {
        ShowDatabaseError(d, e);
        return nullptr;
    }
    return openWith(d, UserBirdsPath(), Database::Access::ReadWrite, "User Birds");
}

std::unique_ptr<Database> OpenWings(const ProgramState& s, platform::Dialogs& d) {
    return openWith(d, ShippedWingsPath(s), Database::Access::ReadOnly, "Table1");
}

void ShowDatabaseError(platform::Dialogs& d, const DatabaseError& e) { d.error(e.lines()); }

std::string AboutTheDataText(const ProgramState& s) {
    const std::string path = AboutTheDataPath(s);
    std::ifstream in(path, std::ios::binary);
    if (!in) return "The page about the data (" + path + ") is missing.";
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace ornivo::birddb
