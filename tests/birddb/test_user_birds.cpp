// The user bird screen: the user's own copy of the database, entering with parameters, adding from
// the last bird, editing, deleting, backup and restore, and a bird surviving a killed program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "bird/EnterBird.h"
#include "birddb/BirdFiles.h"
#include "birddb/UserBackup.h"
#include "birddb/UserBirds.h"
#include "flap/SetupFlap.h"
#include "BirdDbFixture.h"
#include "support/BirdSetup.h"

using namespace ornivo;
using namespace ornivo::birddb;
using ornivo::test::BirdDbFolder;
using ornivo::test::kSanderling;
namespace fs = std::filesystem;

namespace {

const char* kKnot =
    "Calidris canutus,Red Knot,my knot,0.128,0.5,0.0286,1.1,0.2,0.1,2,2,1,0.01,9,1.5,1.2,0.8,0.2,0.02,1.3,1.2,"
    "2e-06,1.2,0.25,3.8e+07,1.8e+07,2.3,0.06,1.6,1.1,6,9.8\n";
const char* kZeros = "Apus apus,Swift,all zero,0.037,0.45,0.0153,1.225,0,0,2,1,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n";

int countIn(const std::string& path) {
    auto db = external::Database::Open(path, external::Database::Access::ReadOnly);
    return db->openRecordSet("User Birds")->recordCount();
}

}  // namespace

TEST(UserBirdsFile, TheUsersCopyIsMadeOnFirstUseAndNeverReplaced) {
    BirdDbFolder f;
    EXPECT_FALSE(fs::exists(f.userDb()));
    {
        UserBirdsScreen screen(f.s, f.d);
        ASSERT_TRUE(screen.load());
        EXPECT_EQ(screen.list(), std::vector<std::string>{"Sanderling"});
        test::GiveLastBird(f.s);
        screen.saveLast();
        screen.field("txtComment", "mine");
        EXPECT_FALSE(screen.save().refused);
        screen.returnToEnterBird();
    }
    ASSERT_TRUE(fs::exists(f.userDb()));
    // A newer program ships a new Birds.db: the user's file keeps the user's birds.
    fs::remove(f.programData("Birds.db"));
    external::BuildDatabase(f.programData("Birds.db"), test::SchemaText("birds_schema.sql"), {});
    UserBirdsScreen again(f.s, f.d);
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.recordCount(), 2);
    EXPECT_EQ(countIn(f.programData("Birds.db")), 0);
}

TEST(UserBirdsFile, AnUnusableUserFileIsNamedAndLeftAlone) {
    BirdDbFolder f;
    fs::create_directories(fs::path(f.userDb()).parent_path());
    std::ofstream(f.userDb()) << "not a database";
    UserBirdsScreen screen(f.s, f.d);
    EXPECT_FALSE(screen.load());
    ASSERT_EQ(f.messages().size(), 1u);
    EXPECT_EQ(f.messages()[0][0], "Cannot open the database file " + f.userDb());
    EXPECT_EQ(test::ReadFile(f.userDb()), "not a database");
}

TEST(UserBirds, EnteringSetsTheParametersAndKeepFactors) {
    BirdDbFolder f("", std::string(kSanderling) + kKnot);
    bird::LoadEnterBird(f.s);
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    screen.choose(1);  // "Red Knot" after "Sanderling" (alba before canutus)
    ScreenUpdate u = screen.enterBird();
    EXPECT_EQ(f.s.ShortName, "Red Knot");
    EXPECT_FLOAT_EQ(f.s.slot(0).CropMass, 0.01f);
    EXPECT_FLOAT_EQ(f.s.Kmito, 2e-6f);
    EXPECT_FLOAT_EQ(f.s.Cprof, 9);
    EXPECT_FLOAT_EQ(f.s.PbmrFactor, 1.5f);
    EXPECT_FLOAT_EQ(f.s.slot(0).Gravity, 9.8f);
    EXPECT_EQ(*u.textOf("txtRho"), "1.100");  // four digits for a user bird
    EXPECT_TRUE(f.s.KeepFactors);
    // The power-curve setup screen keeps the entered factors.
    ASSERT_TRUE(bird::PressCalculation(f.s, f.d, bird::Calculation::PowerCurve));
    flap::LoadSetupFlap(f.s, f.d);
    EXPECT_FLOAT_EQ(f.s.PbmrFactor, 1.5f);
    EXPECT_FLOAT_EQ(f.s.FreqFactor, 1.2f);
    EXPECT_FLOAT_EQ(f.s.FrontalAreaFactor, 0.8f);
}

TEST(UserBirds, ZeroParametersEnterTheDefaults) {
    BirdDbFolder f("", std::string(kSanderling) + kZeros);
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    screen.listBy(ListBy::ScientificName);
    ASSERT_EQ(screen.list().front(), "Apus apus");
    screen.choose(0);
    screen.enterBird();
    EXPECT_FLOAT_EQ(f.s.Cprof, 8.4f);
    EXPECT_FLOAT_EQ(f.s.slot(0).Gravity, 9.81f);
    EXPECT_FLOAT_EQ(f.s.Kmito, 1.2e-6f);
    EXPECT_FLOAT_EQ(f.s.Efat, 3.9e7f);
    EXPECT_FLOAT_EQ(f.s.slot(0).Cdb, 0.1f);
    EXPECT_FLOAT_EQ(f.s.slot(0).MuscleFrac, 0.17f);
}

TEST(UserBirds, SaveLastBirdNeedsShortNameAndComment) {
    BirdDbFolder f;
    test::GiveLastBird(f.s);
    UserBirdsScreen screen(f.s, f.d);
    ScreenUpdate load;
    ASSERT_TRUE(screen.load(&load));
    EXPECT_TRUE(screen.enabled("cmdSaveLast"));
    EXPECT_FALSE(screen.enabled("cmdDelete"));  // a single record
    screen.saveLast();
    EXPECT_EQ(screen.mode(), UserBirdsScreen::Mode::Adding);
    EXPECT_EQ(screen.boxText("txtShortName"), "Arctic Tern");
    EXPECT_EQ(screen.boxText("txtRho"), "1.200");
    EXPECT_FALSE(screen.enabled("lstGetBird"));
    EXPECT_TRUE(screen.enabled("cmdAdd"));
    ScreenUpdate refused = screen.save();
    EXPECT_TRUE(refused.refused);
    EXPECT_EQ(f.d.errors().back(), "Please supply Comment");
    EXPECT_EQ(screen.recordCount(), 1);
    screen.field("txtShortName", "");
    screen.field("txtComment", "a comment");
    screen.save();
    EXPECT_EQ(f.d.errors().back(), "Please supply Short Name");
    EXPECT_EQ(countIn(f.userDb()), 1);
    screen.field("txtShortName", "Tern");
    EXPECT_FALSE(screen.save().refused);
    EXPECT_EQ(screen.mode(), UserBirdsScreen::Mode::Browsing);
    EXPECT_EQ(countIn(f.userDb()), 2);
    EXPECT_EQ(screen.list(), (std::vector<std::string>{"Sanderling", "Tern"}));
    EXPECT_TRUE(screen.enabled("cmdDelete"));
    EXPECT_FALSE(screen.enabled("txtShortName"));  // read-only again
    EXPECT_FALSE(screen.enabled("txtCprof"));      // after the first Save only while adding or editing
}

TEST(UserBirds, DeleteWithTwoRecordsLeavesOneAndDisablesDelete) {
    BirdDbFolder f("", std::string(kSanderling) + kKnot);
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    EXPECT_TRUE(screen.enabled("cmdDelete"));
    screen.choose(1);
    screen.deleteBird();
    EXPECT_EQ(screen.list(), std::vector<std::string>{"Sanderling"});
    EXPECT_FALSE(screen.enabled("cmdDelete"));
    EXPECT_EQ(countIn(f.userDb()), 1);
    ScreenUpdate u = screen.deleteBird();
    EXPECT_TRUE(u.refused);
    EXPECT_EQ(f.messages().back(),
              (std::vector<std::string>{"Can't delete the last record", "Database must contain at least one record!"}));
    EXPECT_EQ(countIn(f.userDb()), 1);
}

TEST(UserBirds, EditingStoresTheBoxesAndRefreshesTheList) {
    BirdDbFolder f("", std::string(kSanderling) + kKnot);
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    screen.choose(1);
    screen.startEdit();
    EXPECT_FALSE(screen.enabled("cmdReturn"));
    screen.field("txtShortName", "Knot");
    screen.field("txtKmito", "3e-6");
    EXPECT_TRUE(screen.field("txtSex", "7").refused);  // outside 1 to 4: refused, the box keeps 2
    EXPECT_EQ(screen.boxText("txtSex"), "2");
    screen.spin("UpDownAge", 3);
    EXPECT_EQ(screen.boxText("txtAgeName"), "Unknown");
    screen.finishEdit();
    EXPECT_EQ(screen.list()[1], "Knot");
    auto db = external::Database::Open(f.userDb(), external::Database::Access::ReadOnly);
    auto rs = db->openRecordSet("SELECT * FROM [User Birds] ORDER BY [Scientific name]");
    rs->moveNext();
    EXPECT_EQ(rs->text("Short name"), "Knot");
    EXPECT_FLOAT_EQ(rs->single("Kmito"), 3e-6f);
    EXPECT_EQ(rs->number("Age"), 3);
    EXPECT_EQ(rs->number("Sex"), 2);
    EXPECT_EQ(rs->text("Comment"), "my knot");
}

TEST(UserBirds, ReturnPutsBackWhatShowingAndTypingChanged) {
    BirdDbFolder f("", std::string(kSanderling) + kKnot);
    bird::LoadEnterBird(f.s);
    const int16_t taxon = f.s.TaxonGroup, sex = f.s.Sex, age = f.s.Age;
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    screen.choose(1);
    screen.field("txtCprof", "12");
    EXPECT_FLOAT_EQ(f.s.Cprof, 12);
    screen.returnToEnterBird();
    EXPECT_FLOAT_EQ(f.s.Cprof, 8.4f);
    EXPECT_EQ(f.s.TaxonGroup, taxon);
    EXPECT_EQ(f.s.Sex, sex);
    EXPECT_EQ(f.s.Age, age);
    EXPECT_FALSE(f.s.KeepFactors);
}

TEST(UserBackup, TheSanderlingAloneIsNotBackedUp) {
    BirdDbFolder f;
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    const std::string file = (f.dir.path() / "b.txt").string();
    f.d.files.push_back(file);
    EXPECT_TRUE(screen.backup().refused);
    EXPECT_EQ(f.messages().back(), (std::vector<std::string>{
                                       "The only entry in your User Birds database is the Sanderling",
                                       "that came with the program. You don't need to back this up.",
                                       "Use Backup to preserve data that you have entered."}));
    EXPECT_FALSE(fs::exists(file));
}

TEST(UserBackup, BackupThenRestoreDoublesTheRecords) {
    BirdDbFolder f("", std::string(kSanderling) + kKnot);
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    const std::string file = (f.dir.path() / "backup.txt").string();
    f.d.files.push_back(file);
    ScreenUpdate b = screen.backup();
    ASSERT_FALSE(b.refused);
    EXPECT_EQ(*b.textOf("txtBackupLoc"), fs::absolute(file).string());
    EXPECT_TRUE(fs::exists(fs::path(f.s.OutDrive) / "OrnivoBackups"));
    const auto& req = f.d.shown.back().request;
    EXPECT_EQ(req.title, "Save User Birds");
    EXPECT_EQ(req.filter, "*.txt");
    EXPECT_EQ(req.initialName.rfind("UserBirds Backup ", 0), 0u);
    const std::string text = test::ReadFile(file);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 64);
    EXPECT_NE(text.find("\r\n2E-06\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n3.9E+07\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(file + ".part"));

    f.d.files.push_back(file);
    ScreenUpdate r = screen.restore();
    ASSERT_FALSE(r.refused);
    EXPECT_EQ(screen.lastRestoreCount(), 2);
    EXPECT_EQ(screen.recordCount(), 4);
    EXPECT_EQ(countIn(f.userDb()), 4);
    EXPECT_EQ(f.messages().back()[0], "Data restored: 2 records added from");
    EXPECT_EQ(screen.highlighted(), 3);
    EXPECT_TRUE(screen.enabled("cmdDelete"));
}

TEST(UserBackup, ShortAndMixedFilesRestoreEveryRecord) {
    BirdDbFolder f;
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    // A 12-line record, a 32-line record, another 12-line record; blanks, ".05" and exponents.
    const std::string file = f.dir.write("mixed.txt",
        "Swift\nApus apus\nshort form\n 0.037 \n0.45\n.0153\n1.225\n0\n0\n2\n1\n1\n"
        "Knot\nCalidris canutus\nlong form\n0.128\n0.5\n0.0286\n1.1\n0.2\n.05\n2\n2\n1\n"
        "0\n9\n1\n1\n1\n0.1\n0.014\n1.2\n1.1\n1.2E-06\n1.1\n0.23\n3.9E+07\n1.83E+07\n2.2\n.05\n1.8\n1\n5\n9.81\n"
        "Wren\nTroglodytes troglodytes\nshort again\n0.009\n0.15\n0.005\n1.2\n0\n0\n1\n1\n1\n\n");
    f.d.files.push_back(file);
    ASSERT_FALSE(screen.restore().refused);
    EXPECT_EQ(screen.lastRestoreCount(), 3);
    EXPECT_EQ(screen.recordCount(), 4);
    auto db = external::Database::Open(f.userDb(), external::Database::Access::ReadOnly);
    auto rs = db->openRecordSet("SELECT * FROM [User Birds] ORDER BY [Scientific name]");
    std::map<std::string, std::pair<float, float>> got;  // short name -> Cprof, Wing area
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        got[rs->text("Short name")] = {rs->single("Cprof"), rs->single("Wing area")};
    EXPECT_FLOAT_EQ(got["Knot"].first, 9);
    EXPECT_FLOAT_EQ(got["Swift"].first, 0);  // a 12-line record leaves the table's default
    EXPECT_FLOAT_EQ(got["Swift"].second, 0.0153f);
    EXPECT_EQ(got.count("Wren"), 1u);
}

TEST(UserBackup, AMalformedFileRestoresNothingAndSaysWhere) {
    BirdDbFolder f;
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    const std::string file = f.dir.write("bad.txt",
        "Swift\nApus apus\nok\n0.037\n0.45\n0.0153\n1.225\n0\n0\n2\n1\n1\n"
        "Knot\nCalidris canutus\nbroken\n0.128\nhalf a metre\n0.0286\n1.1\n0.2\n0\n2\n2\n1\n");
    f.d.files.push_back(file);
    EXPECT_TRUE(screen.restore().refused);
    const auto m = f.messages().back();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0], "The file " + file + " is not a User Birds backup:");
    EXPECT_EQ(m[1], "line 17: \"Wing span\" should be a number, not \"half a metre\"");
    EXPECT_EQ(m[2], "No records were restored.");
    EXPECT_EQ(countIn(f.userDb()), 1);  // not even the good first record
    f.d.files.push_back((f.dir.path() / "none.txt").string());
    EXPECT_TRUE(screen.restore().refused);
    EXPECT_EQ(f.messages().back()[0], "Cannot read the backup file " + (f.dir.path() / "none.txt").string());
}

TEST(UserBackup, ABackupThatCannotBeWrittenSaysSoAndKeepsAnOlderFile) {
    BirdDbFolder f("", std::string(kSanderling) + kKnot);
    UserBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    const std::string file = (f.dir.path() / "no-such-folder" / "b.txt").string();
    f.d.files.push_back(file);
    EXPECT_TRUE(screen.backup().refused);
    EXPECT_EQ(f.messages().back()[0], "Cannot write the backup file " + file);
    f.d.files.push_back(std::nullopt);  // a cancelled dialog: no message, nothing written
    const std::size_t before = f.messages().size();
    EXPECT_FALSE(screen.backup().refused);
    EXPECT_EQ(f.messages().size(), before);
}

TEST(UserBackup, NumbersReadBackAsTheSameSingles) {
    for (float x : {0.05f, 1.2e-6f, 3.9e7f, 0.0153f, 9.81f, 0.0f, 123456.7f, 2e-6f}) {
        double back = 0;
        ASSERT_TRUE(ReadBackupNumber(BackupNumberText(x), back)) << BackupNumberText(x);
        EXPECT_EQ(static_cast<float>(back), x) << BackupNumberText(x);
    }
    EXPECT_EQ(BackupNumberText(1.2e-6f), "1.2E-06");
    EXPECT_EQ(BackupNumberText(3.9e7f), "3.9E+07");
    EXPECT_EQ(BackupNumberText(0.05f), "0.05");
    double v = 0;
    EXPECT_TRUE(ReadBackupNumber("  .05 ", v));
    EXPECT_DOUBLE_EQ(v, 0.05);
    EXPECT_FALSE(ReadBackupNumber("Swift", v));
    EXPECT_FALSE(ReadBackupNumber("12 birds", v));
}

TEST(UserBirdsFile, ABirdAddedSurvivesTheProgramBeingKilled) {
    BirdDbFolder f;
    {
        UserBirdsScreen first(f.s, f.d);
        ASSERT_TRUE(first.load());  // makes the user's copy before the child runs
        first.returnToEnterBird();
    }
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ProgramState s = f.s;
        platform::ScriptedDialogs d;
        test::GiveLastBird(s);
        UserBirdsScreen screen(s, d);
        if (!screen.load()) _exit(3);
        screen.saveLast();
        screen.field("txtComment", "added before the crash");
        if (screen.save().refused) _exit(4);
        // The screen and its database are still open: killed before anything is closed.
        raise(SIGKILL);
        _exit(5);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child exit " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    UserBirdsScreen again(f.s, f.d);
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.list(), (std::vector<std::string>{"Sanderling", "Arctic Tern"}));
}
