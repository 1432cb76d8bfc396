#pragma once
// The database component: SQLite files behind the record-set operations the bird screens use.
// A Database is one open file; a RecordSet is the records of one source ("SELECT * FROM [Table]
// ORDER BY [Field]" or a table name), traversed in the source's order, with records added later
// following in the order added. Field names match without regard to case.
// Every add, edit and delete is written at once in a committed transaction, unless a Batch is open.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;

namespace ornivo::external {

// A database file that cannot be opened, read or written. The lines name the file and the reason.
struct DatabaseError : std::runtime_error {
    DatabaseError(std::string action, std::string file, std::string reason);
    std::string action;  // "Cannot open the database file", ...
    std::string file;    // full path
    std::string reason;  // "The file does not exist.", ...
    // The message as a person reads it: action and file, then the reason.
    std::vector<std::string> lines() const { return {action + " " + file, reason}; }
};

// A field value: no value, a whole number, a number or a text.
using FieldValue = std::variant<std::monostate, int64_t, double, std::string>;

class RecordSet;

class Database {
public:
    enum class Access { ReadOnly, ReadWrite };
    // Opens an existing file; throws DatabaseError when it is missing, locked, unreadable or not a database.
    static std::unique_ptr<Database> Open(const std::string& path, Access access);
    // Creates a new, empty database file (for the build's converter); throws DatabaseError.
    static std::unique_ptr<Database> Create(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& path() const { return path_; }
    bool readOnly() const { return access_ == Access::ReadOnly; }
    bool hasTable(const std::string& table);
    // Column names of a table in their stored spelling, and their declared types.
    std::vector<std::pair<std::string, std::string>> columns(const std::string& table);

    // A record set over "SELECT * FROM [Table] [ORDER BY ...]" or a bare table name.
    // Throws DatabaseError when the table is missing or cannot be read.
    std::unique_ptr<RecordSet> openRecordSet(const std::string& source);

    // Runs SQL text (several statements) as it is: for the schema of the converter.
    void execute(const std::string& sql);

    // All changes between begin and commit form one transaction; a Batch destroyed before commit()
    // rolls everything back. Record sets do not commit on their own while a batch is open.
    class Batch {
    public:
        explicit Batch(Database& db);
        ~Batch();
        void commit();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Database& db_;
        bool done_ = false;
    };
    bool inBatch() const { return batch_; }

    sqlite3* handle() { return db_; }
    // Throws a DatabaseError for the last error of the connection.
    [[noreturn]] void fail(const std::string& action);

private:
    Database(std::string path, Access access) : path_(std::move(path)), access_(access) {}
    std::string path_;
    Access access_;
    sqlite3* db_ = nullptr;
    bool batch_ = false;
};

class RecordSet {
public:
    RecordSet(Database& db, std::string table, std::vector<std::string> fields);

    // Traversal: MoveFirst on an empty set, or MoveNext past the last record, leaves Eof true.
    void moveFirst();
    void moveNext();
    void moveLast();
    bool eof() const { return pos_ < 0 || pos_ >= static_cast<int>(rows_.size()); }
    int recordCount() const { return static_cast<int>(rows_.size()); }
    int position() const { return pos_; }  // 0-based; meaningful while !eof()
    void moveTo(int index);

    bool hasField(const std::string& name) const { return fieldIndex(name) >= 0; }
    const std::vector<std::string>& fieldNames() const { return fields_; }
    // Values of the current record (throws std::logic_error when there is none; std::out_of_range
    // for an unknown field). A field without a value reads as "" or 0.
    std::string text(const std::string& field) const;
    double number(const std::string& field) const;
    float single(const std::string& field) const { return static_cast<float>(number(field)); }
    const FieldValue& value(const std::string& field) const;
    // The current record's row id in its table: it stays with the record while the record lives.
    int64_t rowid() const { return current().rowid; }

    // Add new / edit, then set fields, then update. Update writes the record in a committed transaction
    // (or into the open batch) and throws DatabaseError when the file refuses it; the record set is then
    // unchanged.
    void addNew();
    void edit();
    void set(const std::string& field, FieldValue v);
    void update();
    void cancelUpdate();
    bool editing() const { return mode_ != Mode::None; }
    // Deletes the current record (committed at once); the position then stands on no record.
    void remove();

private:
    struct Row {
        int64_t rowid = 0;
        std::vector<FieldValue> values;
    };
    enum class Mode { None, Adding, Editing };
    int fieldIndex(const std::string& name) const;
    int checkedField(const std::string& name) const;
    const Row& current() const;
    Row readRow(int64_t rowid);
    void run(const std::string& sql, const std::vector<FieldValue>& binds, int64_t* rowid);

    Database& db_;
    std::string table_;
    std::vector<std::string> fields_;
    std::vector<Row> rows_;
    int pos_ = -1;
    Mode mode_ = Mode::None;
    Row buffer_;
    std::vector<bool> touched_;
    friend class Database;
};

}  // namespace ornivo::external
