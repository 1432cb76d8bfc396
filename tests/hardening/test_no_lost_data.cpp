// Nothing saved is lost: a save whose n-th system call fails leaves the earlier file as it was and
// reports the run as not saved; a program killed in the middle of a loop of user-bird saves leaves
// a database that opens, passes its integrity check and holds every bird whose save had returned;
// a restore from a damaged backup refuses and keeps the birds there are.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>

#include "../birddb/BirdDbFixture.h"
#include "birddb/UserBirds.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "flap/PowerCurve.h"
#include "output/OutputTree.h"
#include "output/TextRunOutput.h"
#include "platform/FileLayer.h"
#include "support/BirdSetup.h"
#include "support/TempDir.h"

using namespace ornivo;
namespace fs = std::filesystem;

namespace {

// Passes calls through to the system until the n-th (counting every call), which fails as a full
// disk would.
class FailingLayer : public platform::FileLayer {
public:
    explicit FailingLayer(int failAt) : failAt_(failAt) {}
    int open(const char* p, int f, mode_t m) override { return fail() ? -1 : FileLayer::open(p, f, m); }
    ssize_t write(int fd, const void* d, std::size_t n) override { return fail() ? -1 : FileLayer::write(fd, d, n); }
    int fchmod(int fd, mode_t m) override { return fail() ? -1 : FileLayer::fchmod(fd, m); }
    int fsync(int fd) override { return fail() ? -1 : FileLayer::fsync(fd); }
    int close(int fd) override {
        int rc = FileLayer::close(fd);  // the descriptor is gone either way
        return fail() ? -1 : rc;
    }
    int rename(const char* a, const char* b) override { return fail() ? -1 : FileLayer::rename(a, b); }
    int unlink(const char* p) override { return FileLayer::unlink(p); }  // the clean-up itself
    bool failed() const { return failed_; }

private:
    bool fail() {
        if (++calls_ != failAt_) return false;
        failed_ = true;
        errno = ENOSPC;
        return true;
    }
    int failAt_, calls_ = 0;
    bool failed_ = false;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> FilesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

}  // namespace

TEST(NoLostData, ATextRunWhoseNthCallFailsKeepsTheEarlierRunsAndSaysNotSaved) {
    test::TempDir dir;
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d);
    ASSERT_TRUE(flap::ComputePowerCurve(s, d));
    SetVersionAndNotices(s);
    s.OutDrive = dir.str();
    s.UseTextFiles = true;
    s.OutFileName = s.ShortName;
    const std::string path = dir.str() + "/runs.txt";
    d.files = {path};
    d.inputs = {"first run"};
    ASSERT_TRUE(output::WriteRunText(s, d));
    const std::string before = Slurp(path);
    const auto filesBefore = FilesIn(dir.path());
    bool reachedTheEnd = false;
    for (int n = 1; n <= 50 && !reachedTheEnd; ++n) {
        SCOPED_TRACE("call " + std::to_string(n) + " fails");
        FailingLayer layer(n);
        platform::ScopedFileLayer scoped(layer);
        d.clear();
        d.inputs = {"run that meets a full disk"};
        const bool saved = output::WriteRunText(s, d);
        if (!layer.failed()) {
            // n is past the save's last call: it went through and appended the run.
            EXPECT_TRUE(saved);
            EXPECT_GT(Slurp(path).size(), before.size());
            reachedTheEnd = true;
            break;
        }
        EXPECT_FALSE(saved);
        EXPECT_TRUE(Slurp(path) == before) << "the earlier file changed";
        EXPECT_EQ(FilesIn(dir.path()), filesBefore) << "a temporary file was left behind";
        EXPECT_EQ(s.OutputCount, 1);
        ASSERT_FALSE(d.shown.empty());
        const auto& lines = d.shown.back().lines;
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "This run could not be saved in the text file " + path);
        EXPECT_EQ(lines[2], "The file still holds the runs saved in it before.");
    }
    EXPECT_TRUE(reachedTheEnd) << "a save of more than 50 calls";
}

TEST(NoLostData, AWorkbookSaveWhoseNthCallFailsLeavesTheEarlierFile) {
    test::TempDir dir;
    const std::string path = dir.str() + "/book.xlsx";
    sheet::Workbook first;
    first.addSheet("Runs").write(1, 1, "first save");
    ASSERT_TRUE(first.saveAs(path).ok());
    const std::string before = Slurp(path);
    const auto filesBefore = FilesIn(dir.path());
    sheet::Workbook second;
    second.addSheet("Runs").write(1, 1, "second save");
    bool reachedTheEnd = false;
    for (int n = 1; n <= 20 && !reachedTheEnd; ++n) {
        SCOPED_TRACE("call " + std::to_string(n) + " fails");
        FailingLayer layer(n);
        platform::ScopedFileLayer scoped(layer);
        const sheet::Status st = second.saveAs(path);
        if (!layer.failed()) {
            EXPECT_TRUE(st.ok());
            reachedTheEnd = true;
            break;
        }
        EXPECT_FALSE(st.ok());
        EXPECT_FALSE(st.text.empty());
        EXPECT_TRUE(Slurp(path) == before) << "the earlier file changed";
        EXPECT_EQ(FilesIn(dir.path()), filesBefore) << "a temporary file was left behind";
    }
    EXPECT_TRUE(reachedTheEnd);
}

namespace {

// Both open the database for writing, as the program opens the user's copy: a save killed in the
// middle of its transaction leaves a hot journal, which only a writer can roll back.
std::string IntegrityCheck(const std::string& path) {
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            result = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return result;
}

std::set<std::string> ShortNames(const std::string& path) {
    auto db = external::Database::Open(path, external::Database::Access::ReadWrite);
    auto rs = db->openRecordSet("User Birds");
    std::set<std::string> names;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) names.insert(rs->text("Short name"));
    return names;
}

}  // namespace

TEST(NoLostData, KilledInALoopOfUserBirdSavesKeepsEverySaveThatReturned) {
    test::BirdDbFolder f;
    {
        birddb::UserBirdsScreen first(f.s, f.d);
        ASSERT_TRUE(first.load());  // the user's copy exists before the child starts
        first.returnToEnterBird();
    }
    int pipeFd[2];
    ASSERT_EQ(pipe(pipeFd), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeFd[0]);
        ProgramState s = f.s;
        platform::ScriptedDialogs d;
        birddb::UserBirdsScreen screen(s, d);
        if (!screen.load()) _exit(3);
        for (int i = 0; i < 100000; ++i) {  // killed long before the end
            test::GiveLastBird(s, "Sterna paradisaea Bird " + std::to_string(i), "Bird " + std::to_string(i));
            screen.saveLast();
            screen.field("txtComment", "saved in a loop");
            if (screen.save().refused) _exit(4);
            const int done = i;
            if (write(pipeFd[1], &done, sizeof done) != sizeof done) _exit(5);
        }
        _exit(6);
    }
    close(pipeFd[1]);
    // Let a few saves return, then kill the child in the middle of the next ones.
    int last = -1, got = 0;
    while (last < 15 && (got = static_cast<int>(read(pipeFd[0], &last, sizeof last))) == sizeof last) {
    }
    ASSERT_EQ(got, static_cast<int>(sizeof last)) << "the child stopped before saving";
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child exit " << WEXITSTATUS(status);
    // Saves that returned while the pipe was being read.
    int more;
    while (read(pipeFd[0], &more, sizeof more) == sizeof more) last = more;
    close(pipeFd[0]);

    EXPECT_EQ(IntegrityCheck(f.userDb()), "ok");
    const std::set<std::string> names = ShortNames(f.userDb());
    for (int i = 0; i <= last; ++i) EXPECT_EQ(names.count("Bird " + std::to_string(i)), 1u) << "Bird " << i;
    birddb::UserBirdsScreen again(f.s, f.d);
    EXPECT_TRUE(again.load());
}

TEST(NoLostData, ARestoreFromADamagedBackupRefusesAndKeepsTheCurrentBirds) {
    test::BirdDbFolder f;
    birddb::UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    test::GiveLastBird(f.s, "Sterna paradisaea Tern", "Tern");
    screen.saveLast();
    screen.field("txtComment", "before the restore");
    ASSERT_FALSE(screen.save().refused);
    const std::string backup = f.dir.str() + "/backup.txt";
    f.d.files.push_back(backup);
    ASSERT_FALSE(screen.backup().refused);
    const std::string whole = Slurp(backup);
    const std::set<std::string> birdsBefore = ShortNames(f.userDb());
    ASSERT_EQ(birdsBefore, (std::set<std::string>{"Sanderling", "Tern"}));

    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"cut in the middle of a record", whole.substr(0, whole.size() / 2 + 3)},
        {"a number overwritten", whole.substr(0, 40) + "\x01\x02garbage\x7f" + whole.substr(52)},
        {"binary noise", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"a number past the single range", "Swift\nApus apus\nc\n1e400\n0.45\n0.0153\n1.225\n0\n0\n2\n1\n1\n"},
        {"a number that is NaN", "Swift\nApus apus\nc\nnan\n0.45\n0.0153\n1.225\n0\n0\n2\n1\n1\n"},
        {"a code out of range", "Swift\nApus apus\nc\n0.037\n0.45\n0.0153\n1.225\n0\n0\n99999999\n1\n1\n"},
    };
    for (const auto& [what, text] : damaged) {
        SCOPED_TRACE(what);
        const std::string file = f.dir.write("damaged.txt", text);
        f.d.files.push_back(file);
        EXPECT_TRUE(screen.restore().refused);
        EXPECT_EQ(screen.lastRestoreCount(), 0);
        EXPECT_EQ(ShortNames(f.userDb()), birdsBefore);
        EXPECT_EQ(IntegrityCheck(f.userDb()), "ok");
    }
}
