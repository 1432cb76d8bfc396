#include "birddb/BirdNumbers.h"

#include <memory>

#include "birddb/BirdFiles.h"
#include "birddb/EnterFromRecord.h"

namespace ornivo::birddb {
namespace {

// The record sources of the two screens, so that lists come in the screens' order.
const char* sourceOf(BirdTable table) {
    return table == BirdTable::Preset ? "SELECT * FROM [Preset Birds] ORDER BY [Scientific name]"
                                      : "SELECT * FROM [User Birds] ORDER BY [Scientific name]";
}

// The table's database and record set, or nothing after the screen's message.
struct OpenTable {
    std::unique_ptr<external::Database> db;
    std::unique_ptr<external::RecordSet> rs;
};
bool openTable(ProgramState& s, platform::Dialogs& d, BirdTable table, OpenTable& t) {
    t.db = table == BirdTable::Preset ? OpenPresetBirds(s, d) : OpenUserBirds(s, d);
    if (!t.db) return false;
    try {
        t.rs = t.db->openRecordSet(sourceOf(table));
    } catch (const external::DatabaseError& e) {
        ShowDatabaseError(d, e);
        return false;
    }
    return true;
}

BirdMatch byName(const std::vector<NumberedBird>& birds, const std::string& name, std::string NumberedBird::*field) {
    BirdMatch m;
    for (const NumberedBird& b : birds)
        if (b.*field == name) m.candidates.push_back(b.number);
    if (m.candidates.size() == 1) {
        m.kind = BirdMatch::Kind::Found;
        m.number = m.candidates.front();
        m.candidates.clear();
    } else if (m.candidates.size() > 1) {
        m.kind = BirdMatch::Kind::Ambiguous;
    }
    return m;
}

}  // namespace

std::vector<NumberedBird> NumberedBirds(external::RecordSet& rs) {
    std::vector<NumberedBird> birds;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        birds.push_back({rs.rowid(), rs.text("Short name"), rs.text("Scientific name")});
    return birds;
}

bool FindNumber(external::RecordSet& rs, int64_t number) {
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        if (rs.rowid() == number) return true;
    return false;
}

bool ParseRecordNumber(const std::string& text, int64_t& number) {
    if (text.size() < 2 || text.size() > 19 || text[0] != '#') return false;
    number = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        number = number * 10 + (text[i] - '0');
    }
    return true;
}

BirdMatch MatchNumber(const std::vector<NumberedBird>& birds, int64_t number) {
    BirdMatch m;
    for (const NumberedBird& b : birds)
        if (b.number == number) {
            m.kind = BirdMatch::Kind::Found;
            m.number = number;
        }
    return m;
}

BirdMatch MatchBird(const std::vector<NumberedBird>& birds, const std::string& nameOrNumber) {
    int64_t number = 0;
    if (ParseRecordNumber(nameOrNumber, number)) return MatchNumber(birds, number);
    BirdMatch m = byName(birds, nameOrNumber, &NumberedBird::shortName);
    if (m.kind == BirdMatch::Kind::NotFound) m = byName(birds, nameOrNumber, &NumberedBird::sciName);
    return m;
}

bool ListNumberedBirds(ProgramState& s, platform::Dialogs& d, BirdTable table, std::vector<NumberedBird>& out) {
    OpenTable t;
    if (!openTable(s, d, table, t)) return false;
    out = NumberedBirds(*t.rs);
    return true;
}

EnterNumberOutcome EnterNumberedBird(ProgramState& s, platform::Dialogs& d, BirdTable table, int64_t number,
                                     ScreenUpdate* entered) {
    OpenTable t;
    if (!openTable(s, d, table, t)) return EnterNumberOutcome::Refused;
    if (!FindNumber(*t.rs, number)) return EnterNumberOutcome::NotFound;
    ScreenUpdate u;
    if (table == BirdTable::Preset) {
        u = EnterCommonFields(s, *t.rs, 3);
    } else {
        // The user screen shows a chosen record's codes in the state before entering it, so a code
        // outside its range stays as the record holds it.
        s.TaxonGroup = CodeOf(*t.rs, "Taxon");
        s.Sex = CodeOf(*t.rs, "Sex");
        s.Age = CodeOf(*t.rs, "Age");
        u = EnterUserRecord(s, *t.rs);
    }
    if (entered) *entered = u;
    return EnterNumberOutcome::Entered;
}

}  // namespace ornivo::birddb
