#include "external/database/Database.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "state/numtext.h"

namespace ornivo::external {
namespace {

constexpr int kBusyTimeoutMs = 3000;  // wait this long for another program's lock before giving up

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool sameName(const std::string& a, const std::string& b) { return lower(a) == lower(b); }

std::string reasonFor(int code, const char* msg) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "The file is locked by another program. Close it there and try again.";
    case SQLITE_NOTADB: return "The file is not a database of this program, or it is damaged.";
    case SQLITE_CORRUPT: return "The file is damaged.";
    case SQLITE_READONLY: return "The file is read-only.";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "Permission to use the file was refused.";
    case SQLITE_FULL: return "The disk is full.";
    case SQLITE_CANTOPEN: return "The file cannot be opened.";
    case SQLITE_IOERR: return "The file cannot be read or written.";
    default: return msg && *msg ? std::string(msg) : "Database error " + std::to_string(code) + ".";
    }
}

// Quotes an identifier for SQL text ("Short name" -> "Short name", doubling inner quotes).
std::string sqlName(const std::string& id) {
    std::string q = "\"";
    for (char c : id) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

// The table of a record-set source: a bare name, or the name after FROM (bracketed, quoted or bare).
std::string tableOf(const std::string& source) {
    std::string low = lower(source);
    std::size_t from = low.find(" from ");
    if (low.rfind("select", 0) != 0 || from == std::string::npos) return source;
    std::size_t i = from + 6;
    while (i < source.size() && source[i] == ' ') ++i;
    if (i < source.size() && (source[i] == '[' || source[i] == '"' || source[i] == '`')) {
        char close = source[i] == '[' ? ']' : source[i];
        std::size_t end = source.find(close, i + 1);
        if (end == std::string::npos) throw std::invalid_argument("bad record-set source: " + source);
        return source.substr(i + 1, end - i - 1);
    }
    std::size_t end = source.find_first_of(" ;", i);
    return source.substr(i, end == std::string::npos ? std::string::npos : end - i);
}

// The source's ORDER BY clause (with a leading space), or empty.
std::string orderOf(const std::string& source) {
    std::size_t at = lower(source).find(" order by ");
    return at == std::string::npos ? std::string() : source.substr(at);
}

struct Statement {
    sqlite3_stmt* st = nullptr;
    ~Statement() { sqlite3_finalize(st); }
};

FieldValue columnValue(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER: return static_cast<int64_t>(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT: return sqlite3_column_double(st, i);
    case SQLITE_NULL: return std::monostate{};
    default: {
        const unsigned char* t = sqlite3_column_text(st, i);
        return std::string(t ? reinterpret_cast<const char*>(t) : "");
    }
    }
}

void bind(sqlite3_stmt* st, int i, const FieldValue& v) {
    if (std::holds_alternative<int64_t>(v)) sqlite3_bind_int64(st, i, std::get<int64_t>(v));
    else if (std::holds_alternative<double>(v)) sqlite3_bind_double(st, i, std::get<double>(v));
    else if (std::holds_alternative<std::string>(v))
        sqlite3_bind_text(st, i, std::get<std::string>(v).c_str(), -1, SQLITE_TRANSIENT);
    else sqlite3_bind_null(st, i);
}

}  // namespace

DatabaseError::DatabaseError(std::string a, std::string f, std::string r)
    : std::runtime_error(a + " " + f + ": " + r), action(std::move(a)), file(std::move(f)), reason(std::move(r)) {}

// ---------------------------------------------------------------- Database

std::unique_ptr<Database> Database::Open(const std::string& path, Access access) {
    const std::string action = "Cannot open the database file";
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw DatabaseError(action, path, "The file does not exist.");
    if (std::filesystem::is_directory(path, ec)) throw DatabaseError(action, path, "It is a folder, not a file.");
    std::unique_ptr<Database> db(new Database(path, access));
    int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    int rc = sqlite3_open_v2(path.c_str(), &db->db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string reason = reasonFor(rc, db->db_ ? sqlite3_errmsg(db->db_) : nullptr);
        throw DatabaseError(action, path, reason);
    }
    sqlite3_busy_timeout(db->db_, kBusyTimeoutMs);
    // SQLite reads the file lazily: read the schema now, so a damaged, foreign or locked file
    // is reported here and not halfway through a screen.
    rc = sqlite3_exec(db->db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) throw DatabaseError(action, path, reasonFor(rc, sqlite3_errmsg(db->db_)));
    return db;
}

std::unique_ptr<Database> Database::Create(const std::string& path) {
    std::unique_ptr<Database> db(new Database(path, Access::ReadWrite));
    int rc = sqlite3_open_v2(path.c_str(), &db->db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK)
        throw DatabaseError("Cannot create the database file", path, reasonFor(rc, db->db_ ? sqlite3_errmsg(db->db_) : nullptr));
    return db;
}

Database::~Database() { sqlite3_close_v2(db_); }

void Database::fail(const std::string& action) {
    throw DatabaseError(action, path_, reasonFor(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_)));
}

void Database::execute(const std::string& sql) {
    char* err = nullptr;
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        std::string msg = err ? err : "";
        sqlite3_free(err);
        throw DatabaseError("Cannot write the database file", path_, reasonFor(rc, msg.c_str()) + " (" + msg + ")");
    }
}

std::vector<std::pair<std::string, std::string>> Database::columns(const std::string& table) {
    std::vector<std::pair<std::string, std::string>> out;
    Statement s;
    if (sqlite3_prepare_v2(db_, ("PRAGMA table_info(" + sqlName(table) + ")").c_str(), -1, &s.st, nullptr) != SQLITE_OK)
        fail("Cannot read the database file");
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        auto txt = [&](int i) {
            const unsigned char* t = sqlite3_column_text(s.st, i);
            return std::string(t ? reinterpret_cast<const char*>(t) : "");
        };
        out.emplace_back(txt(1), txt(2));
    }
    if (rc != SQLITE_DONE) fail("Cannot read the database file");
    return out;
}

bool Database::hasTable(const std::string& table) { return !columns(table).empty(); }

std::unique_ptr<RecordSet> Database::openRecordSet(const std::string& source) {
    const std::string table = tableOf(source);
    auto cols = columns(table);
    if (cols.empty()) throw DatabaseError("Cannot read the database file", path_, "It has no table \"" + table + "\".");
    std::vector<std::string> names;
    std::string list = "rowid";
    for (auto& c : cols) {
        names.push_back(c.first);
        list += ", " + sqlName(c.first);
    }
    // Records in the source's order; rowid breaks ties so equal keys keep the order they were stored in.
    std::string order = orderOf(source);
    std::string sql = "SELECT " + list + " FROM " + sqlName(table) + order + (order.empty() ? " ORDER BY rowid" : ", rowid");
    auto rs = std::make_unique<RecordSet>(*this, table, names);
    Statement s;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s.st, nullptr) != SQLITE_OK) fail("Cannot read the database file");
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        RecordSet::Row row;
        row.rowid = sqlite3_column_int64(s.st, 0);
        for (int i = 0; i < static_cast<int>(names.size()); ++i) row.values.push_back(columnValue(s.st, i + 1));
        rs->rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) fail("Cannot read the database file");
    rs->pos_ = rs->rows_.empty() ? -1 : 0;
    return rs;
}

Database::Batch::Batch(Database& db) : db_(db) {
    if (db_.batch_) throw std::logic_error("a batch is already open");
    if (sqlite3_exec(db_.db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        db_.fail("Cannot write to the database file");
    db_.batch_ = true;
}

Database::Batch::~Batch() {
    if (!done_) {
        sqlite3_exec(db_.db_, "ROLLBACK", nullptr, nullptr, nullptr);
        db_.batch_ = false;
    }
}

void Database::Batch::commit() {
    if (sqlite3_exec(db_.db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        db_.fail("Cannot write to the database file");  // the destructor rolls back
    done_ = true;
    db_.batch_ = false;
}

// ---------------------------------------------------------------- RecordSet

RecordSet::RecordSet(Database& db, std::string table, std::vector<std::string> fields)
    : db_(db), table_(std::move(table)), fields_(std::move(fields)) {}

void RecordSet::moveFirst() { pos_ = rows_.empty() ? -1 : 0; }
void RecordSet::moveNext() {
    if (pos_ >= 0 && pos_ < static_cast<int>(rows_.size())) ++pos_;
}
void RecordSet::moveLast() { pos_ = static_cast<int>(rows_.size()) - 1; }
void RecordSet::moveTo(int index) {
    if (index < 0 || index >= static_cast<int>(rows_.size())) throw std::out_of_range("no record at that position");
    pos_ = index;
}

int RecordSet::fieldIndex(const std::string& name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (sameName(fields_[i], name)) return static_cast<int>(i);
    return -1;
}

int RecordSet::checkedField(const std::string& name) const {
    int i = fieldIndex(name);
    if (i < 0) throw std::out_of_range("the table " + table_ + " has no field \"" + name + "\"");
    return i;
}

const RecordSet::Row& RecordSet::current() const {
    if (eof()) throw std::logic_error("no current record");
    return rows_[pos_];
}

const FieldValue& RecordSet::value(const std::string& field) const {
    int i = checkedField(field);
    if (mode_ != Mode::None && touched_[i]) return buffer_.values[i];
    return current().values[i];
}

std::string RecordSet::text(const std::string& field) const {
    const FieldValue& v = value(field);
    if (auto* s = std::get_if<std::string>(&v)) return *s;
    if (auto* n = std::get_if<int64_t>(&v)) return std::to_string(*n);
    if (auto* d = std::get_if<double>(&v)) return FormatSig(static_cast<float>(*d), 7);
    return {};
}

double RecordSet::number(const std::string& field) const {
    const FieldValue& v = value(field);
    if (auto* n = std::get_if<int64_t>(&v)) return static_cast<double>(*n);
    if (auto* d = std::get_if<double>(&v)) return *d;
    if (auto* s = std::get_if<std::string>(&v)) return LeadingNumber(*s);
    return 0;
}

void RecordSet::addNew() {
    mode_ = Mode::Adding;
    buffer_ = Row{0, std::vector<FieldValue>(fields_.size())};
    touched_.assign(fields_.size(), false);
}

void RecordSet::edit() {
    buffer_ = current();
    mode_ = Mode::Editing;
    touched_.assign(fields_.size(), false);
}

void RecordSet::set(const std::string& field, FieldValue v) {
    if (mode_ == Mode::None) throw std::logic_error("set without addNew or edit");
    int i = checkedField(field);
    buffer_.values[i] = std::move(v);
    touched_[i] = true;
}

void RecordSet::cancelUpdate() { mode_ = Mode::None; }

void RecordSet::run(const std::string& sql, const std::vector<FieldValue>& binds, int64_t* rowid) {
    const std::string action = "Cannot save to the database file";
    bool own = !db_.inBatch();
    if (own && sqlite3_exec(db_.handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) db_.fail(action);
    auto rollback = [&] {
        if (own) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    };
    {
        Statement s;
        if (sqlite3_prepare_v2(db_.handle(), sql.c_str(), -1, &s.st, nullptr) != SQLITE_OK) {
            DatabaseError e(action, db_.path(), reasonFor(sqlite3_extended_errcode(db_.handle()), sqlite3_errmsg(db_.handle())));
            rollback();
            throw e;
        }
        for (std::size_t i = 0; i < binds.size(); ++i) bind(s.st, static_cast<int>(i) + 1, binds[i]);
        if (sqlite3_step(s.st) != SQLITE_DONE) {
            DatabaseError e(action, db_.path(), reasonFor(sqlite3_extended_errcode(db_.handle()), sqlite3_errmsg(db_.handle())));
            sqlite3_finalize(s.st);
            s.st = nullptr;
            rollback();
            throw e;
        }
        if (sqlite3_changes(db_.handle()) != 1) {
            rollback();
            throw DatabaseError(action, db_.path(), "The record was changed or removed by another program.");
        }
        if (rowid) *rowid = sqlite3_last_insert_rowid(db_.handle());
    }
    if (own && sqlite3_exec(db_.handle(), "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        DatabaseError e(action, db_.path(), reasonFor(sqlite3_extended_errcode(db_.handle()), sqlite3_errmsg(db_.handle())));
        rollback();
        throw e;
    }
}

RecordSet::Row RecordSet::readRow(int64_t rowid) {
    Row row{rowid, std::vector<FieldValue>(fields_.size())};
    std::string list;
    for (auto& f : fields_) list += (list.empty() ? "" : ", ") + sqlName(f);
    Statement s;
    if (sqlite3_prepare_v2(db_.handle(), ("SELECT " + list + " FROM " + sqlName(table_) + " WHERE rowid = ?").c_str(), -1,
                           &s.st, nullptr) != SQLITE_OK)
        db_.fail("Cannot read the database file");
    sqlite3_bind_int64(s.st, 1, rowid);
    if (sqlite3_step(s.st) != SQLITE_ROW) db_.fail("Cannot read the database file");
    for (std::size_t i = 0; i < fields_.size(); ++i) row.values[i] = columnValue(s.st, static_cast<int>(i));
    return row;
}

void RecordSet::update() {
    if (mode_ == Mode::None) throw std::logic_error("update without addNew or edit");
    std::vector<FieldValue> binds;
    std::string sql;
    if (mode_ == Mode::Adding) {
        std::string cols, marks;
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (!touched_[i]) continue;
            cols += (cols.empty() ? "" : ", ") + sqlName(fields_[i]);
            marks += marks.empty() ? "?" : ", ?";
            binds.push_back(buffer_.values[i]);
        }
        sql = cols.empty() ? "INSERT INTO " + sqlName(table_) + " DEFAULT VALUES"
                           : "INSERT INTO " + sqlName(table_) + " (" + cols + ") VALUES (" + marks + ")";
        int64_t rowid = 0;
        run(sql, binds, &rowid);
        // Read the stored record back, so fields left unwritten show the table's defaults.
        Row row = readRow(rowid);
        rows_.push_back(std::move(row));
        pos_ = static_cast<int>(rows_.size()) - 1;
    } else {
        std::string sets;
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (!touched_[i]) continue;
            sets += (sets.empty() ? "" : ", ") + sqlName(fields_[i]) + " = ?";
            binds.push_back(buffer_.values[i]);
        }
        if (!sets.empty()) {
            binds.emplace_back(buffer_.rowid);
            run("UPDATE " + sqlName(table_) + " SET " + sets + " WHERE rowid = ?", binds, nullptr);
        }
        rows_[pos_] = readRow(buffer_.rowid);  // as stored, after the column types applied
    }
    mode_ = Mode::None;
}

void RecordSet::remove() {
    const Row& row = current();
    run("DELETE FROM " + sqlName(table_) + " WHERE rowid = ?", {FieldValue(row.rowid)}, nullptr);
    rows_.erase(rows_.begin() + pos_);
    pos_ = -1;  // no current record until the next move
}

}  // namespace ornivo::external
