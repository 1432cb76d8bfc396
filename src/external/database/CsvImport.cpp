#include "external/database/CsvImport.h"

#include <sqlite3.h>

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ornivo::external {
namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool numericType(const std::string& declared) {
    std::string t = lower(declared);
    return t.find("int") != std::string::npos || t.find("real") != std::string::npos ||
           t.find("floa") != std::string::npos || t.find("doub") != std::string::npos ||
           t.find("num") != std::string::npos;
}

bool parseNumber(const std::string& text, double& out) {
    std::string t = trim(text);
    if (t.empty()) return false;
    const char* b = t.data() + (t[0] == '+' ? 1 : 0);
    auto r = std::from_chars(b, t.data() + t.size(), out);
    return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

std::string sqlName(const std::string& id) {
    std::string q = "\"";
    for (char c : id) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

}  // namespace

std::vector<std::vector<std::string>> ParseCsv(const std::string& in) {
    std::vector<std::vector<std::string>> rows;
    std::size_t i = in.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    std::vector<std::string> row;
    std::string field;
    bool quotedField = false, inQuotes = false, any = false;
    int line = 1;
    auto endField = [&] {
        row.push_back(field);
        field.clear();
        quotedField = false;
    };
    auto endRow = [&] {
        endField();
        rows.push_back(std::move(row));
        row.clear();
        any = false;
    };
    for (; i < in.size(); ++i) {
        char c = in[i];
        if (inQuotes) {
            if (c == '"') {
                if (i + 1 < in.size() && in[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && field.empty() && !quotedField) {
            inQuotes = quotedField = any = true;
        } else if (c == ',') {
            endField();
            any = true;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ++i;
            ++line;
            if (any || !field.empty() || !row.empty()) endRow();
        } else {
            field += c;
            any = true;
        }
    }
    if (inQuotes) throw std::runtime_error("a quoted field is not closed (from line " + std::to_string(line) + ")");
    if (any || !field.empty() || !row.empty()) endRow();
    return rows;
}

int ImportCsv(Database& db, const std::string& table, const std::string& csvText, const std::string& source) {
    auto rows = ParseCsv(csvText);
    if (rows.empty()) throw std::runtime_error(source + ": no header line");
    auto columns = db.columns(table);
    if (columns.empty()) throw std::runtime_error(source + ": the database has no table \"" + table + "\"");
    const auto& header = rows[0];
    std::vector<int> col(header.size(), -1);
    for (std::size_t h = 0; h < header.size(); ++h) {
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (lower(trim(header[h])) == lower(columns[c].first)) col[h] = static_cast<int>(c);
        if (col[h] < 0) throw std::runtime_error(source + ": the table " + table + " has no field \"" + header[h] + "\"");
    }
    // An empty numeric cell takes the column's default, so each row names only its filled columns.
    Database::Batch batch(db);
    int added = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const auto& cells = rows[r];
        const std::string where = source + " line " + std::to_string(r + 1);
        if (cells.size() != header.size())
            throw std::runtime_error(where + ": " + std::to_string(cells.size()) + " fields, the header has " +
                                     std::to_string(header.size()));
        std::string rowNames, rowMarks;
        std::vector<std::pair<bool, std::pair<double, std::string>>> binds;  // numeric?, value
        for (std::size_t h = 0; h < cells.size(); ++h) {
            const auto& [name, type] = columns[col[h]];
            bool numeric = numericType(type);
            double v = 0;
            if (numeric && trim(cells[h]).empty()) continue;  // the column's default
            if (numeric && !parseNumber(cells[h], v))
                throw std::runtime_error(where + ": \"" + name + "\" must be a number, not \"" + cells[h] + "\"");
            rowNames += (rowNames.empty() ? "" : ", ") + sqlName(name);
            rowMarks += rowMarks.empty() ? "?" : ", ?";
            binds.push_back({numeric, {v, cells[h]}});
        }
        std::string sql = rowNames.empty() ? "INSERT INTO " + sqlName(table) + " DEFAULT VALUES"
                                           : "INSERT INTO " + sqlName(table) + " (" + rowNames + ") VALUES (" + rowMarks + ")";
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(where + ": " + sqlite3_errmsg(db.handle()));
        for (std::size_t i = 0; i < binds.size(); ++i) {
            int k = static_cast<int>(i) + 1;
            if (binds[i].first) sqlite3_bind_double(st, k, binds[i].second.first);
            else sqlite3_bind_text(st, k, binds[i].second.second.c_str(), -1, SQLITE_TRANSIENT);
        }
        int rc = sqlite3_step(st);
        std::string err = sqlite3_errmsg(db.handle());
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE) throw std::runtime_error(where + ": " + err);
        ++added;
    }
    batch.commit();
    return added;
}

void BuildDatabase(const std::string& outPath, const std::string& schemaSql, const std::vector<TableSource>& tables) {
    namespace fs = std::filesystem;
    const std::string temp = outPath + ".part";
    std::error_code ec;
    fs::remove(temp, ec);
    if (fs::path(outPath).has_parent_path()) fs::create_directories(fs::path(outPath).parent_path());
    try {
        auto db = Database::Create(temp);
        db->execute(schemaSql);
        for (const auto& t : tables) ImportCsv(*db, t.table, readFile(t.csvPath), t.csvPath);
        db.reset();
        fs::rename(temp, outPath);
    } catch (...) {
        fs::remove(temp, ec);
        throw;
    }
}

}  // namespace ornivo::external
