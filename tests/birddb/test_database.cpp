// The database component: record-set order and operations, committed changes, the messages for
// files that cannot be used, and the build's CSV converter.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "external/database/CsvImport.h"
#include "external/database/Database.h"
#include "support/TempDir.h"

using namespace ornivo;
using namespace ornivo::external;
using ornivo::test::TempDir;

namespace {

const char* kSchema =
    "CREATE TABLE \"Birds\" (\"Scientific name\" TEXT NOT NULL DEFAULT '' COLLATE NOCASE,"
    " \"Short name\" TEXT NOT NULL DEFAULT '', \"Empty mass\" REAL NOT NULL DEFAULT 0,"
    " \"Taxon\" INTEGER NOT NULL DEFAULT 2);";

std::string makeDb(const TempDir& dir, const std::string& rows) {
    const std::string csv = dir.write("birds.csv", "Scientific name,Short name,Empty mass,Taxon\n" + rows);
    const std::string path = (dir.path() / "Birds.db").string();
    BuildDatabase(path, kSchema, {{"Birds", csv}});
    return path;
}

std::vector<std::string> names(RecordSet& rs) {
    std::vector<std::string> out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) out.push_back(rs.text("Short name"));
    return out;
}

const char* kSource = "SELECT * FROM [Birds] ORDER BY [Scientific name]";

}  // namespace

TEST(CsvConverter, ReadsQuotesDoubledQuotesAndEveryLineEnd) {
    auto rows = ParseCsv("\xEF\xBB\xBF" "a,b\r\n\"x, \"\"y\"\"\",2\r\"multi\nline\",3\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "a");
    EXPECT_EQ(rows[1][0], "x, \"y\"");
    EXPECT_EQ(rows[2][0], "multi\nline");
    EXPECT_EQ(rows[2][1], "3");
    EXPECT_THROW(ParseCsv("\"open,1\n"), std::runtime_error);
}

TEST(CsvConverter, BuildsTablesWithTypedValuesAndDefaults) {
    TempDir dir;
    auto path = makeDb(dir, "Anas platyrhynchos,Mallard,1.082,2\n\"Turdus, sp.\",Thrush,0.061,\n");
    auto db = Database::Open(path, Database::Access::ReadOnly);
    auto rs = db->openRecordSet(kSource);
    ASSERT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->text("Short name"), "Mallard");
    EXPECT_FLOAT_EQ(rs->single("Empty mass"), 1.082f);
    EXPECT_TRUE(std::holds_alternative<double>(rs->value("Empty mass")));
    rs->moveNext();
    EXPECT_EQ(rs->text("Scientific name"), "Turdus, sp.");
    EXPECT_EQ(rs->number("Taxon"), 2);  // the empty cell took the column's default
}

TEST(CsvConverter, RefusesANonNumberNamingFileLineAndFieldAndLeavesNoFile) {
    TempDir dir;
    try {
        makeDb(dir, "Anas platyrhynchos,Mallard,1.082,2\nApus apus,Swift,heavy,2\n");
        FAIL() << "expected a refusal";
    } catch (const std::runtime_error& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("birds.csv line 3"), std::string::npos) << m;
        EXPECT_NE(m.find("Empty mass"), std::string::npos) << m;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Birds.db"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Birds.db.part"));
}

TEST(CsvConverter, RefusesAnUnknownColumn) {
    TempDir dir;
    const std::string csv = dir.write("b.csv", "Scientific name,Wingspan\nA b,1\n");
    EXPECT_THROW(BuildDatabase((dir.path() / "x.db").string(), kSchema, {{"Birds", csv}}), std::runtime_error);
}

TEST(RecordSet, FollowsTheSourceOrderThenTheOrderAdded) {
    TempDir dir;
    auto path = makeDb(dir, "Cygnus olor,Swan,10,2\nanas crecca,Teal,0.3,2\nBranta bernicla,Brant,1.2,2\n");
    auto db = Database::Open(path, Database::Access::ReadWrite);
    auto rs = db->openRecordSet(kSource);
    // Scientific-name order ignores case.
    EXPECT_EQ(names(*rs), (std::vector<std::string>{"Teal", "Brant", "Swan"}));
    rs->addNew();
    rs->set("Scientific name", std::string("Aaa first"));
    rs->set("Short name", std::string("Added"));
    rs->update();
    EXPECT_EQ(rs->recordCount(), 4);
    EXPECT_EQ(names(*rs).back(), "Added");  // added records follow, whatever their name
    // A new record set sorts it in.
    EXPECT_EQ(names(*db->openRecordSet(kSource)).front(), "Added");
}

TEST(RecordSet, FieldNamesIgnoreCaseAndUnknownFieldsThrow) {
    TempDir dir;
    auto db = Database::Open(makeDb(dir, "Apus apus,Swift,0.037,2\n"), Database::Access::ReadOnly);
    auto rs = db->openRecordSet(kSource);
    EXPECT_EQ(rs->text("SHORT NAME"), "Swift");
    EXPECT_EQ(rs->text("Short Name"), rs->text("short name"));
    EXPECT_THROW(rs->text("Wing span"), std::out_of_range);
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_THROW(rs->text("Short name"), std::logic_error);
}

TEST(RecordSet, EditsAndDeletesAreStoredAtOnce) {
    TempDir dir;
    auto path = makeDb(dir, "Apus apus,Swift,0.037,2\nCygnus olor,Swan,10,2\n");
    {
        auto db = Database::Open(path, Database::Access::ReadWrite);
        auto rs = db->openRecordSet(kSource);
        rs->edit();
        rs->set("Short name", std::string("Common Swift"));
        rs->update();
        rs->moveNext();
        rs->remove();
        EXPECT_EQ(rs->recordCount(), 1);
        EXPECT_TRUE(rs->eof());
        // Read by another connection while this one is still open: already committed.
        auto other = Database::Open(path, Database::Access::ReadOnly)->openRecordSet(kSource);
        EXPECT_EQ(names(*other), (std::vector<std::string>{"Common Swift"}));
    }
}

TEST(RecordSet, ABatchRolledBackLeavesNothing) {
    TempDir dir;
    auto path = makeDb(dir, "Apus apus,Swift,0.037,2\n");
    auto db = Database::Open(path, Database::Access::ReadWrite);
    auto rs = db->openRecordSet(kSource);
    {
        Database::Batch batch(*db);
        rs->addNew();
        rs->set("Short name", std::string("Lost"));
        rs->update();
    }  // not committed
    EXPECT_EQ(db->openRecordSet(kSource)->recordCount(), 1);
}

TEST(DatabaseFiles, MissingDamagedAndReadOnlyFilesGiveMessagesNamingTheFile) {
    TempDir dir;
    const std::string missing = (dir.path() / "none.db").string();
    try {
        Database::Open(missing, Database::Access::ReadOnly);
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.lines()[0], "Cannot open the database file " + missing);
        EXPECT_EQ(e.lines()[1], "The file does not exist.");
    }
    const std::string junk = dir.write("junk.db", std::string(4096, 'x'));
    try {
        Database::Open(junk, Database::Access::ReadWrite);
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.file, junk);
        EXPECT_NE(e.reason.find("not a database"), std::string::npos) << e.reason;
    }
    auto db = Database::Open(makeDb(dir, "Apus apus,Swift,0.037,2\n"), Database::Access::ReadOnly);
    EXPECT_THROW(db->openRecordSet("SELECT * FROM [Nothing]"), DatabaseError);
    auto rs = db->openRecordSet(kSource);
    rs->addNew();
    rs->set("Short name", std::string("x"));
    EXPECT_THROW(rs->update(), DatabaseError);
    rs->cancelUpdate();
    EXPECT_EQ(rs->recordCount(), 1);
}

TEST(DatabaseFiles, ALockedFileIsReportedAsLocked) {
    TempDir dir;
    auto path = makeDb(dir, "Apus apus,Swift,0.037,2\n");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    try {
        Database::Open(path, Database::Access::ReadWrite);
        ADD_FAILURE() << "expected the lock to be reported";
    } catch (const DatabaseError& e) {
        EXPECT_NE(e.reason.find("locked"), std::string::npos) << e.reason;
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}
