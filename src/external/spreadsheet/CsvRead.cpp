// Reading a comma-separated file, one row at a time or as a one-sheet workbook.
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <filesystem>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/RowStream.h"
#include "external/spreadsheet/WorkbookFiles.h"

namespace ornivo::sheet {

namespace {

constexpr std::size_t kMaxCsvBytes = 256u << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A field that is a whole decimal number and nothing else ("12", "-0.5", "1.2E-06"; not "inf", ".", "1,5").
bool ParseNumber(const std::string& field, double& value) {
    const char* first = field.data();
    const char* last = field.data() + field.size();
    if (first != last && *first == '+') ++first;
    if (first == last) return false;
    for (const char* p = first; p != last; ++p)
        if (!(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.' || *p == '-' || *p == 'e' || *p == 'E' ||
              *p == '+'))
            return false;
    auto res = std::from_chars(first, last, value);
    return res.ec == std::errc() && res.ptr == last && std::isfinite(value);
}

}  // namespace

Cell CsvFieldCell(const std::string& field) {
    Cell c;
    if (field.empty()) return c;
    double number = 0;
    if (ParseNumber(field, number)) {
        c.value = number;
    } else if (auto date = ParseDateText(field)) {
        c.value = date->serial;
        bool seconds = field.size() >= 8 && field[field.size() - 3] == ':';
        c.numberFormat = date->kind == DateKind::Date   ? kDateFormat
                         : date->kind == DateKind::Time ? (seconds ? kTimeSecondsFormat : kTimeFormat)
                                                        : kDateTimeFormat;
    } else {
        c.value = field;
    }
    return c;
}

namespace {

// The file's bytes through a fixed buffer, so that a file of any length costs the buffer alone.
class Chars {
public:
    explicit Chars(const std::string& path) : in_(path, std::ios::binary), buf_(1 << 16) {}
    bool opened() const { return static_cast<bool>(in_); }
    bool bad() const { return in_.bad(); }
    // The next character, or -1 at the end.
    int peek() {
        if (pos_ == len_ && !fill()) return -1;
        return static_cast<unsigned char>(buf_[pos_]);
    }
    int get() {
        int c = peek();
        if (c >= 0) ++pos_;
        return c;
    }

private:
    bool fill() {
        if (!in_) return false;
        in_.read(buf_.data(), static_cast<std::streamsize>(buf_.size()));
        len_ = static_cast<std::size_t>(in_.gcount());
        pos_ = 0;
        return len_ > 0;
    }
    std::ifstream in_;
    std::vector<char> buf_;
    std::size_t pos_ = 0, len_ = 0;
};

class CsvRows : public RowStream {
public:
    CsvRows(const std::string& path) : chars_(path), path_(path) {}

    bool open(std::string& error) {
        if (!chars_.opened()) {
            error = "Cannot open " + path_ + ": " + std::strerror(errno ? errno : ENOENT);
            return false;
        }
        // A byte-order mark is no part of the first field.
        const char bom[] = "\xEF\xBB\xBF";
        for (int k = 0; k < 3 && chars_.peek() == static_cast<unsigned char>(bom[k]); ++k) chars_.get();
        return true;
    }

    bool next(StreamRow& out) override {
        out.cells.clear();
        while (!done_) {
            if (!line(out)) return false;
            if (!out.cells.empty()) return true;
        }
        return false;
    }

private:
    // Reads line `row_` into out; false on a failure.
    bool line(StreamRow& out) {
        out.row = row_;
        int column = 1;
        for (;;) {
            int c = chars_.peek();
            if (c < 0) {
                done_ = true;
                return end();
            }
            std::string field;
            if (!readField(field)) return false;
            if (column <= kMaxColumns) {
                Cell cell = CsvFieldCell(field);
                if (!cell.value.isEmpty())
                    out.cells.push_back({column, std::move(cell.value), std::move(cell.numberFormat)});
            }
            c = chars_.peek();
            if (c == ',') {
                chars_.get();
                ++column;
                if (chars_.peek() < 0) {
                    done_ = true;
                    return end();
                }
                continue;
            }
            if (c == '\r') chars_.get();
            if (chars_.peek() == '\n') chars_.get();
            if (chars_.peek() < 0) done_ = true;
            if (++row_ > kMaxRows) {
                error_ = path_ + " has more lines than a sheet can hold";
                done_ = true;
                return false;
            }
            return end();
        }
    }

    bool end() {
        if (chars_.bad()) {
            error_ = "Cannot read " + path_;
            return false;
        }
        return true;
    }

    // One field: spaces around it dropped; a quoted field may hold commas, line ends and "" for a quote.
    bool readField(std::string& field) {
        while (chars_.peek() >= 0 && IsBlank(static_cast<char>(chars_.peek()))) chars_.get();
        if (chars_.peek() == '"') {
            chars_.get();
            bool closed = false;
            for (int c; (c = chars_.get()) >= 0;) {
                if (c == '"') {
                    if (chars_.peek() == '"') {
                        chars_.get();
                        field += '"';
                        continue;
                    }
                    closed = true;
                    break;
                }
                field += static_cast<char>(c);
            }
            if (!closed) {
                error_ = path_ + ", line " + std::to_string(row_) + ": a quoted field is not closed";
                done_ = true;
                return false;
            }
            // Anything up to the separator after the closing quote is kept (spaces dropped).
            std::string tail;
            readBare(tail);
            field += tail;
            return true;
        }
        readBare(field);
        return true;
    }

    void readBare(std::string& text) {
        for (int c; (c = chars_.peek()) >= 0 && c != ',' && c != '\n' && c != '\r';) text += static_cast<char>(chars_.get());
        std::size_t end = text.find_last_not_of(" \t");
        text.erase(end == std::string::npos ? 0 : end + 1);
    }

    Chars chars_;
    std::string path_;
    int row_ = 1;
    bool done_ = false;
};

}  // namespace

std::unique_ptr<RowStream> OpenCsvRows(const std::string& path, std::string& error) {
    auto rows = std::make_unique<CsvRows>(path);
    if (!rows->open(error)) return nullptr;
    return rows;
}

bool ReadCsv(const std::string& path, Workbook& out, std::string& error, const std::string& sheetName) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxCsvBytes) {
        error = path + " is too large to be a track file";
        return false;
    }
    auto rows = OpenCsvRows(path, error);
    if (!rows) return false;
    Workbook wb;
    Sheet& sheet = wb.addSheet(sheetName);
    StreamRow row;
    while (rows->next(row))
        for (const StreamCell& c : row.cells) {
            sheet.write(row.row, c.column, c.value);
            if (!c.numberFormat.empty()) sheet.setNumberFormat(row.row, c.column, c.numberFormat);
        }
    if (!rows->error().empty()) {
        error = rows->error();
        return false;
    }
    wb.setPath(path);
    out = std::move(wb);
    return true;
}

}  // namespace ornivo::sheet
