// Saving a Workbook as .xlsx through libxlsxwriter, atomically: the file is written under a
// temporary name in the target folder and renamed over the target only when complete.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>

#include "external/spreadsheet/Workbook.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "platform/FileLayer.h"

namespace ornivo::sheet {

namespace {

constexpr std::size_t kMaxTextLength = 32767;  // longest text a cell can hold

Status SystemError(int err, const std::string& what) {
    if (err == 0) err = EIO;
    return {err, what + ": " + std::strerror(err)};
}

Status WriterError(lxw_error err, const std::string& what) {
    return {1000 + static_cast<int>(err), what + ": " + lxw_strerror(err)};
}

// The program's colour long (blue x 65536 + green x 256 + red) as the writer's 0xRRGGBB.
lxw_color_t ToRgb(int32_t colour) {
    uint32_t c = static_cast<uint32_t>(colour) & 0xFFFFFFu;
    uint32_t red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
    uint32_t rgb = (red << 16) | (green << 8) | blue;
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;  // the writer reads 0 as "no colour"
}

// One writer format per distinct look; cells that look like the default get none.
class FormatCache {
public:
    explicit FormatCache(lxw_workbook* wb) : wb_(wb) {}

    lxw_format* get(const Cell& c) {
        if (c.font == Font{} && c.align == Align::General && c.numberFormat.empty()) return nullptr;
        auto key = std::make_tuple(c.font.name, c.font.size, c.font.bold, c.font.colour, c.align, c.numberFormat);
        auto it = cache_.find(key);
        if (it != cache_.end()) return it->second;
        lxw_format* f = workbook_add_format(wb_);
        if (!f) return nullptr;
        Font def;
        if (c.font.name != def.name) format_set_font_name(f, c.font.name.c_str());
        if (c.font.size != def.size) format_set_font_size(f, c.font.size);
        if (c.font.bold) format_set_bold(f);
        if (c.font.colour != 0) format_set_font_color(f, ToRgb(c.font.colour));
        if (c.align == Align::Left) format_set_align(f, LXW_ALIGN_LEFT);
        if (c.align == Align::Right) format_set_align(f, LXW_ALIGN_RIGHT);
        if (!c.numberFormat.empty()) format_set_num_format(f, c.numberFormat.c_str());
        cache_.emplace(key, f);
        return f;
    }

private:
    lxw_workbook* wb_;
    std::map<std::tuple<std::string, double, bool, int32_t, Align, std::string>, lxw_format*> cache_;
};

// Fills one worksheet; returns the first error.
Status WriteSheet(lxw_worksheet* ws, const Sheet& sheet, FormatCache& formats) {
    for (const auto& [column, width] : sheet.columnWidths())
        worksheet_set_column(ws, static_cast<lxw_col_t>(column - 1), static_cast<lxw_col_t>(column - 1), width, nullptr);
    for (const auto& [row, cells] : sheet.rows()) {
        for (const auto& [column, cell] : cells) {
            auto r = static_cast<lxw_row_t>(row - 1);
            auto col = static_cast<lxw_col_t>(column - 1);
            lxw_format* f = formats.get(cell);
            const Value& v = cell.value;
            lxw_error err = LXW_NO_ERROR;
            switch (v.kind()) {
            case Value::Kind::Empty:
                if (f) err = worksheet_write_blank(ws, r, col, f);
                break;
            case Value::Kind::Text:
                if (v.text().size() > kMaxTextLength)
                    return {1000 + LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED,
                            "Cell " + CellName(row, column) + " of sheet " + sheet.name() +
                                ": text longer than 32767 characters"};
                err = v.text().empty() ? (f ? worksheet_write_blank(ws, r, col, f) : LXW_NO_ERROR)
                                       : worksheet_write_string(ws, r, col, v.text().c_str(), f);
                break;
            case Value::Kind::Number:
                // Not a number or infinite: a spreadsheet cannot hold it; the cell stays empty.
                err = std::isfinite(v.number()) ? worksheet_write_number(ws, r, col, v.number(), f)
                                                : (f ? worksheet_write_blank(ws, r, col, f) : LXW_NO_ERROR);
                break;
            case Value::Kind::Boolean:
                err = worksheet_write_boolean(ws, r, col, v.boolean() ? 1 : 0, f);
                break;
            }
            if (err != LXW_NO_ERROR)
                return WriterError(err, "Cell " + CellName(row, column) + " of sheet " + sheet.name());
        }
    }
    return {};
}

// Mode for the new file: that of the file it replaces, else the usual default under the umask.
mode_t TargetMode(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

Status Workbook::saveAs(const std::string& path) {
    if (path.empty()) return {2, "No file name given"};
    std::size_t slash = path.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) return {21, "Cannot save as " + path + ": it names a folder"};

    std::string tmp = dir + "/." + base + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) return SystemError(errno, "Cannot write into folder " + dir);
    ::close(fd);

    lxw_workbook_options options{};
    lxw_workbook* wb = workbook_new_opt(tmp.c_str(), &options);
    if (!wb) {
        ::unlink(tmp.c_str());
        return {1000 + LXW_ERROR_MEMORY_MALLOC_FAILED, "Cannot start the workbook file " + path};
    }

    Status status;
    FormatCache formats(wb);
    int active = activeSheet();
    for (int i = 1; i <= sheetCount() && status.ok(); ++i) {
        const Sheet& s = sheet(i);
        lxw_worksheet* ws = workbook_add_worksheet(wb, s.name().c_str());
        if (!ws) {
            status = {1000 + LXW_ERROR_SHEETNAME_ALREADY_USED, "Sheet name not accepted: " + s.name()};
            break;
        }
        status = WriteSheet(ws, s, formats);
        if (i == active) worksheet_activate(ws);
    }

    errno = 0;
    lxw_error closeErr = workbook_close(wb);  // frees the writer in every case
    if (status.ok() && closeErr != LXW_NO_ERROR) {
        if (closeErr == LXW_ERROR_CREATING_XLSX_FILE || closeErr == LXW_ERROR_ZIP_FILE_OPERATION) {
            status = errno ? SystemError(errno, "Cannot write " + path) : WriterError(closeErr, "Cannot write " + path);
        } else {
            status = WriterError(closeErr, "Cannot write " + path);
        }
    }

    // The writer does not report every failed write of its own temporary files (a full disk, a
    // size limit): read the result back before it may replace anything.
    if (status.ok()) {
        Workbook check;
        std::string why;
        bool same = ReadXlsx(tmp, check, why) && check.sheetCount() == sheetCount();
        for (int i = 1; same && i <= sheetCount(); ++i)
            same = check.sheet(i).lastUsedRow() == sheet(i).lastUsedRow();
        if (!same) status = {EIO, "Cannot write " + path + ": the file written came out damaged"};
    }
    platform::FileLayer& files = platform::Files();
    if (status.ok()) {
        ::chmod(tmp.c_str(), TargetMode(path));
        int sync = files.open(tmp.c_str(), O_RDONLY, 0);
        if (sync < 0) status = SystemError(errno, "Cannot write " + path);
        if (sync >= 0) {
            if (files.fsync(sync) != 0) status = SystemError(errno, "Cannot write " + path);
            if (files.close(sync) != 0 && status.ok()) status = SystemError(errno, "Cannot write " + path);
        }
    }
    if (status.ok() && files.rename(tmp.c_str(), path.c_str()) != 0) status = SystemError(errno, "Cannot save as " + path);
    if (!status.ok()) {
        files.unlink(tmp.c_str());
        return status;
    }
    path_ = path;
    return status;
}

}  // namespace ornivo::sheet
