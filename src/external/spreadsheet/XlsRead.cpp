// Reading the older .xls workbooks through freexl. Freexl hands dates and times over as text;
// they are turned back into the serial numbers the workbook stored.
//
// Freexl reads past its buffers and can crash on some damaged files, so the file is read in a
// child process that sends the cells back (platform::IsolatedWorker): a damaged file is then a
// refusal with a reason, never the end of the program. The child has a time limit too.
#include <freexl.h>
#include <chrono>
#include <cstring>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "platform/IsolatedWorker.h"

namespace ornivo::sheet {

namespace {

class FreexlHandle {
public:
    ~FreexlHandle() {
        if (handle) freexl_close(handle);
    }
    const void* handle = nullptr;
};

std::string FreexlError(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND: return "file not found";
    case FREEXL_INSUFFICIENT_MEMORY: return "not enough memory";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE: return "not an .xls workbook";
    default: return "not a readable .xls workbook (code " + std::to_string(code) + ")";
    }
}

void StoreCell(Sheet& sheet, int row, int column, const FreeXL_CellValue& v) {
    switch (v.type) {
    case FREEXL_CELL_INT: sheet.write(row, column, static_cast<double>(v.value.int_value)); break;
    case FREEXL_CELL_DOUBLE: sheet.write(row, column, v.value.double_value); break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        if (v.value.text_value && *v.value.text_value) sheet.write(row, column, std::string(v.value.text_value));
        break;
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        if (!v.value.text_value) break;
        std::string text = v.value.text_value;
        if (auto date = ParseDateText(text)) {
            sheet.write(row, column, date->serial);
            sheet.setNumberFormat(row, column,
                                  v.type == FREEXL_CELL_DATE   ? kDateFormat
                                  : v.type == FREEXL_CELL_TIME ? kTimeSecondsFormat
                                                               : kDateTimeFormat);
        } else {
            sheet.write(row, column, text);
        }
        break;
    }
    default: break;  // empty
    }
}

}  // namespace

namespace {

// Reads the file in this process (the child's side of ReadXls).
bool ReadXlsHere(const std::string& path, Workbook& out, std::string& error) {
    FreexlHandle xls;
    int rc = freexl_open(path.c_str(), &xls.handle);
    if (rc != FREEXL_OK) {
        error = "Cannot open " + path + ": " + FreexlError(rc);
        return false;
    }
    unsigned int sheets = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) {
        error = "Cannot read the sheets of " + path;
        return false;
    }
    Workbook wb;
    for (unsigned int i = 0; i < sheets && i < 65535; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(xls.handle, static_cast<unsigned short>(i), &name) != FREEXL_OK ||
            freexl_select_active_worksheet(xls.handle, static_cast<unsigned short>(i)) != FREEXL_OK) {
            error = "Cannot read sheet " + std::to_string(i + 1) + " of " + path;
            return false;
        }
        Sheet& sheet = wb.addSheet(name ? name : "");
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK) {
            error = "Cannot read the size of sheet " + sheet.name() + " of " + path;
            return false;
        }
        for (unsigned int r = 0; r < rows && r < static_cast<unsigned>(kMaxRows); ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue v{};
                if (freexl_get_cell_value(xls.handle, r, c, &v) != FREEXL_OK) {
                    error = "Cannot read cell " + CellName(static_cast<int>(r) + 1, c + 1) + " of sheet " +
                            sheet.name() + " of " + path;
                    return false;
                }
                StoreCell(sheet, static_cast<int>(r) + 1, c + 1, v);
            }
        }
    }
    out = std::move(wb);
    return true;
}

// The answer's records: a status byte ('W' a workbook follows, 'E' an error text), then per sheet its
// name and cells (row, column, kind, number, text, number format). Strings are length and bytes.
void putBytes(std::string& b, const void* p, std::size_t n) { b.append(static_cast<const char*>(p), n); }
template <class T>
void put(std::string& b, T x) { putBytes(b, &x, sizeof x); }
void putText(std::string& b, const std::string& s) {
    put<uint32_t>(b, static_cast<uint32_t>(s.size()));
    b += s;
}

std::string Encode(bool ok, const Workbook& wb, const std::string& error) {
    std::string b;
    if (!ok) {
        b += 'E';
        putText(b, error);
        return b;
    }
    b += 'W';
    put<uint32_t>(b, static_cast<uint32_t>(wb.sheetCount()));
    for (int i = 1; i <= wb.sheetCount(); ++i) {
        const Sheet& s = wb.sheet(i);
        putText(b, s.name());
        uint32_t cells = 0;
        for (const auto& [r, row] : s.rows()) cells += static_cast<uint32_t>(row.size());
        put<uint32_t>(b, cells);
        for (const auto& [r, row] : s.rows()) {
            for (const auto& [c, cell] : row) {
                put<int32_t>(b, r);
                put<int32_t>(b, c);
                put<uint8_t>(b, static_cast<uint8_t>(cell.value.kind()));
                put<double>(b, cell.value.number());
                putText(b, cell.value.text());
                putText(b, cell.numberFormat);
            }
        }
    }
    return b;
}

struct Decoder {
    const std::string& b;
    std::size_t at = 0;
    bool bad = false;
    template <class T>
    T get() {
        T x{};
        if (at + sizeof x > b.size()) { bad = true; return x; }
        std::memcpy(&x, b.data() + at, sizeof x);
        at += sizeof x;
        return x;
    }
    std::string text() {
        const uint32_t n = get<uint32_t>();
        if (bad || at + n > b.size()) { bad = true; return {}; }
        std::string s = b.substr(at, n);
        at += n;
        return s;
    }
};

bool Decode(const std::string& b, Workbook& out, std::string& error) {
    Decoder d{b};
    const char status = b.empty() ? '\0' : b[0];
    d.at = 1;
    if (status == 'E') {
        error = d.text();
        return false;
    }
    if (status != 'W') return false;
    Workbook wb;
    const uint32_t sheets = d.get<uint32_t>();
    for (uint32_t i = 0; i < sheets && !d.bad; ++i) {
        Sheet& s = wb.addSheet(d.text());
        const uint32_t cells = d.get<uint32_t>();
        for (uint32_t k = 0; k < cells && !d.bad; ++k) {
            const int32_t r = d.get<int32_t>(), c = d.get<int32_t>();
            const auto kind = static_cast<Value::Kind>(d.get<uint8_t>());
            const double number = d.get<double>();
            const std::string text = d.text(), format = d.text();
            if (kind == Value::Kind::Text) s.write(r, c, text);
            else if (kind == Value::Kind::Number) s.write(r, c, number);
            else if (kind == Value::Kind::Boolean) s.write(r, c, number != 0);
            if (!format.empty()) s.setNumberFormat(r, c, format);
        }
    }
    if (d.bad) return false;
    out = std::move(wb);
    return true;
}

constexpr auto kChildLimit = std::chrono::seconds(60);  // far beyond any real track workbook

}  // namespace

bool ReadXls(const std::string& path, Workbook& out, std::string& error) {
    // One reader process for the whole program, kept from file to file.
    static platform::IsolatedWorker reader(
        [](const std::string& file) {
            Workbook wb;
            std::string why;
            const bool ok = ReadXlsHere(file, wb, why);
            return Encode(ok, wb, why);
        },
        kChildLimit);
    const std::string damaged = "Cannot read " + path + ": a damaged .xls workbook";
    const platform::IsolatedWorker::Reply reply = reader.ask(path);
    switch (reply.outcome) {
    case platform::IsolatedWorker::Outcome::Answered: break;
    case platform::IsolatedWorker::Outcome::Stopped:
        error = damaged + " (the reader stopped on it)";
        return false;
    case platform::IsolatedWorker::Outcome::TimedOut:
        error = damaged + " (its reading did not finish within " + std::to_string(kChildLimit.count()) + " s)";
        return false;
    case platform::IsolatedWorker::Outcome::Failed:
        error = "Cannot read " + path + ": " + reply.error;
        return false;
    }
    Workbook wb;
    if (!Decode(reply.answer, wb, error)) {
        if (error.empty()) error = damaged;
        return false;
    }
    wb.setPath(path);
    out = std::move(wb);
    return true;
}

}  // namespace ornivo::sheet
