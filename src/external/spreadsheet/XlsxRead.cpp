// Reading .xlsx workbooks: the zip container through libzip, its XML parts through pugixml.
// Any file may be damaged or hostile: sizes and counts are bounded, indexes checked, and every
// failure becomes an error text.
#include <zip.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <unordered_map>
#include <vector>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/RowStream.h"
#include "external/spreadsheet/WorkbookFiles.h"

namespace ornivo::sheet {

namespace {

constexpr zip_uint64_t kMaxPartBytes = 128u << 20;   // one XML part, uncompressed
constexpr zip_uint64_t kMaxTotalBytes = 512u << 20;  // all parts read
constexpr std::size_t kMaxCells = 4'000'000;

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};

// Local name of an element or attribute without its namespace prefix ("x:row" -> "row").
const char* Local(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

pugi::xml_node Child(pugi::xml_node node, const char* name) {
    for (pugi::xml_node c : node.children())
        if (std::strcmp(Local(c.name()), name) == 0) return c;
    return {};
}

template <class Fn> void EachChild(pugi::xml_node node, const char* name, Fn fn) {
    for (pugi::xml_node c : node.children())
        if (std::strcmp(Local(c.name()), name) == 0) fn(c);
}

// Text of an <si> or <is> element: its <t>, or its runs' <t>, without phonetic hints.
std::string RichText(pugi::xml_node node) {
    std::string text;
    for (pugi::xml_node c : node.children()) {
        const char* n = Local(c.name());
        if (std::strcmp(n, "t") == 0) text += c.text().get();
        else if (std::strcmp(n, "r") == 0) text += Child(c, "t").text().get();
    }
    return text;
}

bool ParseDouble(std::string_view s, double& value) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const char* end = s.data() + s.size();
    auto res = std::from_chars(s.data(), end, value);
    return res.ec == std::errc() && res.ptr == end && std::isfinite(value);
}

long ParseIndex(std::string_view s) {
    double v = 0;
    if (!ParseDouble(s, v) || v < 0 || v > 1e9 || v != std::floor(v)) return -1;
    return static_cast<long>(v);
}

// Joins a relationship target to the folder of the part that refers to it.
std::string ResolvePart(const std::string& baseDir, const std::string& target) {
    std::string joined = !target.empty() && target[0] == '/' ? target.substr(1) : baseDir + target;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t slash = joined.find('/', start);
        if (slash == std::string::npos) slash = joined.size();
        std::string piece = joined.substr(start, slash - start);
        if (piece == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        start = slash + 1;
    }
    std::string path;
    for (const auto& p : parts) path += (path.empty() ? "" : "/") + p;
    return path;
}

struct Style {
    std::string numberFormat;
    bool showsDate = false;  // numberFormat shows a date or time (IsDateFormatCode), worked out once
    Font font;
    Align align = Align::General;
};

// Built-in number formats that spreadsheets leave out of styles.xml.
std::string BuiltinFormat(long id) {
    switch (id) {
    case 1: return "0";
    case 2: return "0.00";
    case 3: return "#,##0";
    case 4: return "#,##0.00";
    case 9: return "0%";
    case 10: return "0.00%";
    case 11: return "0.00E+00";
    case 12: return "# ?/?";
    case 13: return "# ?\?/??";
    case 14: return std::string(kDateFormat);
    case 15: return "d-mmm-yy";
    case 16: return "d-mmm";
    case 17: return "mmm-yy";
    case 18: return "h:mm AM/PM";
    case 19: return "h:mm:ss AM/PM";
    case 20: return std::string(kTimeFormat);
    case 21: return std::string(kTimeSecondsFormat);
    case 22: return "yyyy-mm-dd hh:mm";
    case 45: return "mm:ss";
    case 46: return "[h]:mm:ss";
    case 47: return "mm:ss.0";
    case 49: return "@";
    default:
        // Locale-dependent date formats of East Asian spreadsheets.
        if ((id >= 27 && id <= 36) || (id >= 50 && id <= 58)) return std::string(kDateFormat);
        return {};
    }
}

// "FFFF0000" (alpha, red, green, blue) as the program's colour long.
int32_t ColourFromArgb(const char* argb) {
    std::string_view s(argb);
    if (s.size() == 8) s.remove_prefix(2);
    if (s.size() != 6) return 0;
    unsigned int rgb = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), rgb, 16);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return 0;
    unsigned int red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return static_cast<int32_t>(blue << 16 | green << 8 | red);
}

// The first colours of the legacy palette, as colour longs.
int32_t ColourFromIndex(long index) {
    static const int32_t palette[] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};
    if (index >= 0 && index < 8) return palette[index];
    if (index >= 8 && index < 16) return palette[index - 8];
    return 0;
}

class XlsxFile {
public:
    bool open(const std::string& path, std::string& error) {
        int code = 0;
        zip_.reset(zip_open(path.c_str(), ZIP_RDONLY, &code));
        if (!zip_) {
            zip_error_t ze;
            zip_error_init_with_code(&ze, code);
            error = "Cannot open " + path + ": " + zip_error_strerror(&ze);
            zip_error_fini(&ze);
            return false;
        }
        path_ = path;
        return true;
    }

    bool has(const std::string& part) { return zip_name_locate(zip_.get(), part.c_str(), 0) >= 0; }

    // Parses one XML part; false with a reason when it is missing, too large or not XML.
    bool load(const std::string& part, pugi::xml_document& doc, std::string& error) {
        zip_int64_t index = zip_name_locate(zip_.get(), part.c_str(), 0);
        if (index < 0) {
            error = path_ + " is not a workbook: " + part + " is missing";
            return false;
        }
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen_index(zip_.get(), index, 0), &zip_fclose);
        if (!file) {
            error = path_ + ": cannot read " + part + ": " + zip_strerror(zip_.get());
            return false;
        }
        std::string data;
        char buf[65536];
        for (;;) {
            zip_int64_t n = zip_fread(file.get(), buf, sizeof buf);
            if (n < 0) {
                error = path_ + ": " + part + " is damaged: " + zip_file_strerror(file.get());
                return false;
            }
            if (n == 0) break;
            data.append(buf, static_cast<std::size_t>(n));
            total_ += static_cast<zip_uint64_t>(n);
            if (data.size() > kMaxPartBytes || total_ > kMaxTotalBytes) {
                error = path_ + ": " + part + " is too large";
                return false;
            }
        }
        pugi::xml_parse_result res = doc.load_buffer(data.data(), data.size());
        if (!res) {
            error = path_ + ": " + part + " is not readable XML (" + res.description() + ")";
            return false;
        }
        return true;
    }

    // Opens a part for reading in pieces; nullptr with a reason when it is missing.
    zip_file_t* openPart(const std::string& part, std::string& error) {
        zip_int64_t index = zip_name_locate(zip_.get(), part.c_str(), 0);
        zip_file_t* file = index < 0 ? nullptr : zip_fopen_index(zip_.get(), index, 0);
        if (!file) error = path_ + " is not a workbook: " + part + " cannot be read";
        return file;
    }

private:
    std::unique_ptr<zip_t, ZipCloser> zip_;
    std::string path_;
    zip_uint64_t total_ = 0;
};

struct Relationship {
    std::string type, target;
};

std::unordered_map<std::string, Relationship> LoadRelationships(XlsxFile& file, const std::string& part) {
    std::unordered_map<std::string, Relationship> rels;
    pugi::xml_document doc;
    std::string ignored;
    if (!file.has(part) || !file.load(part, doc, ignored)) return rels;
    EachChild(Child(doc, "Relationships"), "Relationship", [&](pugi::xml_node r) {
        rels[r.attribute("Id").value()] = {r.attribute("Type").value(), r.attribute("Target").value()};
    });
    return rels;
}

bool EndsWith(const std::string& s, std::string_view end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string FolderOf(const std::string& part) {
    std::size_t slash = part.find_last_of('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

class XlsxReader {
public:
    XlsxReader(XlsxFile& file, const std::string& path) : file_(file), path_(path) {}

    struct SheetPart {
        std::string name, part;  // part is empty for a sheet without cells (a chart sheet)
    };

    // Reads what every sheet needs: the workbook part, shared texts and styles, and the sheets' parts.
    bool prepare(std::string& error) {
        std::string workbookPart = "xl/workbook.xml";
        for (const auto& [id, rel] : LoadRelationships(file_, "_rels/.rels"))
            if (EndsWith(rel.type, "/officeDocument")) workbookPart = ResolvePart("", rel.target);
        std::string base = FolderOf(workbookPart);
        std::string relsPart = base + "_rels/" + workbookPart.substr(base.size()) + ".rels";
        auto rels = LoadRelationships(file_, relsPart);

        pugi::xml_document book;
        if (!file_.load(workbookPart, book, error)) return false;
        pugi::xml_node root = Child(book, "workbook");
        std::string d1904 = Child(root, "workbookPr").attribute("date1904").value();
        date1904_ = d1904 == "1" || d1904 == "true";

        std::string sharedPart = base + "sharedStrings.xml", stylesPart = base + "styles.xml";
        for (const auto& [id, rel] : rels) {
            if (EndsWith(rel.type, "/sharedStrings")) sharedPart = ResolvePart(base, rel.target);
            if (EndsWith(rel.type, "/styles")) stylesPart = ResolvePart(base, rel.target);
        }
        if (file_.has(sharedPart) && !loadSharedStrings(sharedPart, error)) return false;
        if (file_.has(stylesPart) && !loadStyles(stylesPart, error)) return false;

        pugi::xml_node sheets = Child(root, "sheets");
        if (!sheets) {
            error = path_ + " is not a workbook: it lists no sheets";
            return false;
        }
        EachChild(sheets, "sheet", [&](pugi::xml_node s) {
            std::string relId;
            for (pugi::xml_attribute a : s.attributes())
                if (std::strcmp(Local(a.name()), "id") == 0 && std::strchr(a.name(), ':')) relId = a.value();
            auto rel = rels.find(relId);
            const bool cells = rel != rels.end() && EndsWith(rel->second.type, "/worksheet");
            sheets_.push_back({s.attribute("name").value(), cells ? ResolvePart(base, rel->second.target) : ""});
        });
        activeTab_ = ParseIndex(Child(Child(root, "bookViews"), "workbookView").attribute("activeTab").value());
        return true;
    }

    const std::vector<SheetPart>& sheets() const { return sheets_; }

    bool read(Workbook& wb, std::string& error) {
        if (!prepare(error)) return false;
        bool ok = true;
        for (const SheetPart& part : sheets_) {
            Sheet& sheet = wb.addSheet(part.name);
            if (!part.part.empty()) ok = readSheet(part.part, sheet, error);
            if (!ok) break;
        }
        const long active = activeTab_;
        if (ok && active >= 0 && active < wb.sheetCount()) wb.activate(static_cast<int>(active) + 1);
        if (ok && wb.sheetCount() == 0) {
            error = path_ + " holds no sheets";
            ok = false;
        }
        return ok;
    }

private:
    bool loadSharedStrings(const std::string& part, std::string& error) {
        pugi::xml_document doc;
        if (!file_.load(part, doc, error)) return false;
        EachChild(Child(doc, "sst"), "si", [&](pugi::xml_node si) { strings_.push_back(RichText(si)); });
        return true;
    }

    bool loadStyles(const std::string& part, std::string& error) {
        pugi::xml_document doc;
        if (!file_.load(part, doc, error)) return false;
        pugi::xml_node root = Child(doc, "styleSheet");
        std::unordered_map<long, std::string> formats;
        EachChild(Child(root, "numFmts"), "numFmt", [&](pugi::xml_node f) {
            formats[ParseIndex(f.attribute("numFmtId").value())] = f.attribute("formatCode").value();
        });
        std::vector<Font> fonts;
        EachChild(Child(root, "fonts"), "font", [&](pugi::xml_node f) {
            Font font;
            if (pugi::xml_node n = Child(f, "name")) font.name = n.attribute("val").value();
            double size = 0;
            if (pugi::xml_node s = Child(f, "sz"); s && ParseDouble(s.attribute("val").value(), size) && size > 0 &&
                                                     size < 500)
                font.size = size;
            if (pugi::xml_node b = Child(f, "b")) {
                std::string val = b.attribute("val").value();
                font.bold = val.empty() || val == "1" || val == "true";
            }
            if (pugi::xml_node c = Child(f, "color")) {
                if (c.attribute("rgb")) font.colour = ColourFromArgb(c.attribute("rgb").value());
                else if (c.attribute("indexed")) font.colour = ColourFromIndex(ParseIndex(c.attribute("indexed").value()));
            }
            fonts.push_back(font);
        });
        EachChild(Child(root, "cellXfs"), "xf", [&](pugi::xml_node xf) {
            Style st;
            long fmt = ParseIndex(xf.attribute("numFmtId").value());
            auto custom = formats.find(fmt);
            st.numberFormat = custom != formats.end() ? custom->second : BuiltinFormat(fmt);
            if (st.numberFormat == "General") st.numberFormat.clear();
            st.showsDate = IsDateFormatCode(st.numberFormat);
            long font = ParseIndex(xf.attribute("fontId").value());
            if (font >= 0 && static_cast<std::size_t>(font) < fonts.size()) st.font = fonts[font];
            std::string h = Child(xf, "alignment").attribute("horizontal").value();
            st.align = h == "left" ? Align::Left : h == "right" ? Align::Right : Align::General;
            styles_.push_back(std::move(st));
        });
        return true;
    }

    // Row and column of a cell reference "E4"; false for anything else.
    static bool CellRef(const char* ref, int& row, int& column) {
        auto range = ParseRange(ref);
        if (!range || range->firstRow != range->lastRow || range->firstColumn != range->lastColumn) return false;
        row = range->firstRow;
        column = range->firstColumn;
        return true;
    }

    bool readSheet(const std::string& part, Sheet& sheet, std::string& error) {
        pugi::xml_document doc;
        if (!file_.load(part, doc, error)) return false;
        pugi::xml_node root = Child(doc, "worksheet");
        EachChild(Child(root, "cols"), "col", [&](pugi::xml_node c) {
            long first = ParseIndex(c.attribute("min").value()), last = ParseIndex(c.attribute("max").value());
            double width = 0;
            if (first >= 1 && last >= first && last - first < 64 && ParseDouble(c.attribute("width").value(), width)) {
                // Files hold the width plus the cell padding of 5/7 of a character; keep the width as set.
                if (width > 12.0 / 7) width = std::round((width - 5.0 / 7) * 100) / 100;
                for (long i = first; i <= last; ++i) sheet.setColumnWidth(static_cast<int>(i), width);
            }
        });
        int row = 0;
        bool ok = true;
        EachChild(Child(root, "sheetData"), "row", [&](pugi::xml_node r) {
            if (ok)
                ok = eachCell(r, row, sheet.name(), error, [&](pugi::xml_node c, int cellRow, int cellColumn) {
                    return readCell(c, sheet, cellRow, cellColumn, error);
                });
        });
        return ok;
    }

public:
    // The cells of one <row> element with their row and column: the row number follows `row` (the last
    // row read) where the element gives none, a column the cell before it. fn(cell, row, column) returns
    // false to stop. Sets `row`.
    template <class Fn>
    bool eachCell(pugi::xml_node r, int& row, const std::string& sheetName, std::string& error, Fn fn) const {
        long number = r.attribute("r") ? ParseIndex(r.attribute("r").value()) : row + 1;
        if (number < 1 || number > kMaxRows) {
            error = path_ + ", sheet " + sheetName + ": bad row number";
            return false;
        }
        row = static_cast<int>(number);
        int column = 0;
        for (pugi::xml_node c : r.children()) {
            if (std::strcmp(Local(c.name()), "c") != 0) continue;
            int cellRow = row, cellColumn = column + 1;
            if (c.attribute("r") && !CellRef(c.attribute("r").value(), cellRow, cellColumn)) {
                error = path_ + ", sheet " + sheetName + ": bad cell reference \"" + c.attribute("r").value() + "\"";
                return false;
            }
            column = cellColumn;
            if (!fn(c, cellRow, cellColumn)) return false;
        }
        return true;
    }

private:
    bool readCell(pugi::xml_node c, Sheet& sheet, int row, int column, std::string& error) {
        if (++cells_ > kMaxCells) {
            error = path_ + " holds too many cells";
            return false;
        }
        CellRead cell;
        if (!cellValue(c, sheet.name(), row, column, cell, error)) return false;
        if (cell.value.isEmpty() && !cell.style) return true;
        sheet.write(row, column, cell.value);
        if (const Style* style = cell.style) {
            sheet.setFont(row, column, {style->font.name, style->font.size, style->font.bold, style->font.colour});
            if (style->align != Align::General) sheet.setAlignment(CellName(row, column), style->align);
            sheet.setNumberFormat(row, column, style->numberFormat);
        }
        if (cell.dateFormat) sheet.setNumberFormat(row, column, kDateTimeFormat);
        return true;
    }

public:
    // A cell's value as the file gives it, its style, and whether it must be shown as a date and time
    // (an ISO date cell whose style shows no date).
    struct CellRead {
        Value value;
        const Style* style = nullptr;
        bool dateFormat = false;
    };

    bool cellValue(pugi::xml_node c, const std::string& sheetName, int row, int column, CellRead& out,
                   std::string& error) const {
        const Style* style = c.attribute("s") ? styleAt(ParseIndex(c.attribute("s").value())) : nullptr;
        std::string_view type = c.attribute("t").value();
        if (type == "inlineStr") {
            out.value = RichText(Child(c, "is"));
            finishValue(false, style, out);
            return true;
        }
        return cellValue(style, type, Child(c, "v").text().get(), sheetName, row, column, out, error);
    }

    // The value of a cell of type `type` (its t attribute; inline texts aside) whose <v> holds `v`, into
    // an `out` that holds none yet.
    bool cellValue(const Style* style, std::string_view type, std::string_view v, const std::string& sheetName,
                   int row, int column, CellRead& out, std::string& error) const {
        Value& value = out.value;
        bool date = false;
        if (type == "s") {
            long index = ParseIndex(v);
            if (index < 0 || static_cast<std::size_t>(index) >= strings_.size()) {
                error = path_ + ", sheet " + sheetName + ", cell " + CellName(row, column) +
                        ": refers to a missing shared text";
                return false;
            }
            value = strings_[index];
        } else if (type == "str" || type == "e") {
            value = std::string(v);
        } else if (type == "b") {
            value = v == "1" || v == "true";
        } else if (type == "d") {
            auto d = ParseDateText(v);
            if (d) {
                value = d->serial;
                date = true;
            } else if (!v.empty()) {
                value = std::string(v);
            }
        } else if (!v.empty()) {
            double number = 0;
            if (ParseDouble(v, number)) value = number;
            else value = std::string(v);
        }
        finishValue(date, style, out);
        return true;
    }

    // The style of index `s` of the file's cell formats; none for an index out of their range.
    const Style* styleAt(long s) const {
        return s >= 0 && static_cast<std::size_t>(s) < styles_.size() ? &styles_[s] : nullptr;
    }

private:
    // The rules every value read follows, applied to out.value.
    void finishValue(bool date, const Style* style, CellRead& out) const {
        Value& value = out.value;
        if (value.isText() && value.text().empty()) value = Value{};
        // Dates of the 1904 system moved to the 1900 system; times of day alone stay as they are.
        if (date1904_ && !date && value.isNumber() && style && style->showsDate &&
            style->numberFormat.find_first_of("yYdD") != std::string::npos)
            value = value.number() + kDate1904Offset;
        out.style = style;
        out.dateFormat = date && (!style || !style->showsDate);
    }

    XlsxFile& file_;
    std::string path_;
    std::vector<std::string> strings_;
    std::vector<Style> styles_;
    std::vector<SheetPart> sheets_;
    long activeTab_ = -1;
    bool date1904_ = false;
    std::size_t cells_ = 0;
};

constexpr std::size_t kMaxRowBytes = 16u << 20;  // one <row> element of a streamed sheet

// Where the element or end tag starting at text[at] (a '<') names a row: "<row", "<x:row", "</row".
bool IsRowTag(std::string_view text, std::size_t at, bool& closing) {
    std::size_t i = at + 1;
    closing = i < text.size() && text[i] == '/';
    if (closing) ++i;
    std::size_t end = i;
    while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == ':' ||
                                 text[end] == '_' || text[end] == '-' || text[end] == '.'))
        ++end;
    if (end == text.size()) return false;
    std::string_view name = text.substr(i, end - i);
    std::size_t colon = name.rfind(':');
    if (colon != std::string_view::npos) name.remove_prefix(colon + 1);
    return name == "row";
}

// Appends a streamed cell that holds a value: the number format only where the cell shows a date or time.
void AddCell(std::vector<StreamCell>& cells, int column, XlsxReader::CellRead&& cell) {
    if (cell.value.isEmpty()) return;
    StreamCell& added = cells.emplace_back();
    added.column = column;
    added.value = std::move(cell.value);
    if (cell.dateFormat) added.numberFormat = kDateTimeFormat;
    else if (cell.style && cell.style->showsDate) added.numberFormat = cell.style->numberFormat;
}

// Characters of XML markup, by a table: the scanner asks for every character of a row.
enum CharClass : unsigned char { kSpace = 1, kNameStart = 2, kName = 4 };
constexpr auto kCharClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        const bool start = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
        classes[c] = (c == ' ' || c == '\t' || c == '\n' || c == '\r' ? kSpace : 0) | (start ? kNameStart | kName : 0) |
                     ((c >= '0' && c <= '9') || c == '-' || c == '.' ? kName : 0);
    }
    return classes;
}();
bool Is(char c, CharClass what) { return kCharClasses[static_cast<unsigned char>(c)] & what; }

std::string_view LocalName(std::string_view name) {
    std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// 1 to 9 decimal digits and nothing else.
bool Digits(std::string_view text, long& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// The column of a cell reference in capitals ("B4"), its row in range; false for any other form.
bool ColumnOf(std::string_view ref, int& column) {
    std::size_t i = 0;
    int letters = 0;
    for (; i < ref.size() && i < 3 && ref[i] >= 'A' && ref[i] <= 'Z'; ++i) letters = letters * 26 + (ref[i] - 'A' + 1);
    long row = 0;
    if (i == 0 || letters > kMaxColumns || !Digits(ref.substr(i), row) || row < 1 || row > kMaxRows) return false;
    column = letters;
    return true;
}

void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// `text` with its entities replaced as pugixml replaces them: the five named ones, &#N; and &#xN;.
// False for any other use of '&' (unknown names, no ';', code points that are no characters).
bool DecodeEntities(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        std::size_t semi = text.find(';', i);
        if (semi == std::string_view::npos || semi - i > 10) return false;
        std::string_view name = text.substr(i + 1, semi - i - 1);
        i = semi + 1;
        if (name == "amp") out += '&';
        else if (name == "lt") out += '<';
        else if (name == "gt") out += '>';
        else if (name == "quot") out += '"';
        else if (name == "apos") out += '\'';
        else if (name.size() >= 2 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            std::string_view digits = name.substr(hex ? 2 : 1);
            const char* end = digits.data() + digits.size();
            unsigned long code = 0;
            auto res = std::from_chars(digits.data(), end, code, hex ? 16 : 10);
            if (digits.empty() || res.ec != std::errc() || res.ptr != end || code == 0 || code > 0x10FFFF ||
                (code >= 0xD800 && code <= 0xDFFF))
                return false;
            AppendUtf8(out, code);
        } else {
            return false;
        }
    }
    return true;
}

// Reads one <row> element straight from the inflated text. It exists for speed: a long track has
// millions of cells, and an XML tree per row costs several times the reading itself.
// It takes the forms spreadsheets write for plain cells: <c r="B4" s="1" t="s"><v>12</v></c> with any
// of r, s, t (t of s, b, str, e, d or n) left out, empty <c/>, a formula <f> beside the value, namespace
// prefixes, either quote, whitespace between tags, entities in values. On anything else (inline or rich
// texts, comments, CDATA, other elements, a reference or row number in another form, a value the
// reader refuses) it answers Unusual, and the row is read through pugixml as the whole-file reader
// reads it: the same values and the same errors.
class RowScanner {
public:
    enum Outcome { Read, More, Unusual };  // More: the text ends inside the row

    RowScanner(const XlsxReader& reader, const std::string& sheetName) : reader_(reader), sheetName_(sheetName) {}

    // The row element that `text` starts with (at its '<'), numbered after `lastRow` when it gives no
    // number; sets lastRow when read. Its cells that hold a value go to out.cells, in file order.
    Outcome row(std::string_view text, int& lastRow, StreamRow& out) {
        begin_ = p_ = text.data();
        end_ = text.data() + text.size();
        ++p_;
        std::string_view name, number;
        bool empty = false;
        if (!tagName(name) ||
            !attributes(empty, [&](std::string_view n, std::string_view v) { return n != "r" || Once(number, v); }))
            return outcome_;
        long row = lastRow + 1;
        if ((number.data() && !Digits(number, row)) || row < 1 || row > kMaxRows) return Unusual;
        int column = 0;
        while (!empty) {
            if (!nextTag()) return outcome_;
            if (p_[1] == '/') {
                if (!endTag(name)) return outcome_;
                break;
            }
            ++p_;
            std::string_view cellName;
            if (!tagName(cellName)) return outcome_;
            if (LocalName(cellName) != "c") return Unusual;
            if (!cell(cellName, static_cast<int>(row), column, out)) return outcome_;
        }
        lastRow = static_cast<int>(row);
        out.row = lastRow;
        return Read;
    }

    // The length of the row element read.
    std::size_t used() const { return static_cast<std::size_t>(p_ - begin_); }

private:
    bool more() { return outcome_ = More, false; }
    bool unusual() { return outcome_ = Unusual, false; }

    // The first of an attribute; a repeated one is left to pugixml.
    static bool Once(std::string_view& field, std::string_view value) {
        if (field.data()) return false;
        field = value;
        return true;
    }

    // A <c> element after its name; `column` is the column of the cell before.
    bool cell(std::string_view name, int row, int& column, StreamRow& out) {
        std::string_view ref, style, type, v;
        bool empty = false;
        auto take = [&](std::string_view n, std::string_view value) {
            return n == "r" ? Once(ref, value) : n == "s" ? Once(style, value) : n == "t" ? Once(type, value) : true;
        };
        if (!attributes(empty, take)) return false;
        int col = column + 1;
        long styleIndex = -1;
        if ((ref.data() && !ColumnOf(ref, col)) || (style.data() && !Digits(style, styleIndex))) return unusual();
        if (!type.empty() && type != "n" && type != "s" && type != "b" && type != "str" && type != "e" && type != "d")
            return unusual();
        bool hasValue = false;
        while (!empty) {
            if (!nextTag()) return false;
            if (p_[1] == '/') {
                if (!endTag(name)) return false;
                break;
            }
            ++p_;
            std::string_view child;
            bool childEmpty = false;
            if (!tagName(child) || !attributes(childEmpty, [](std::string_view, std::string_view) { return true; }))
                return false;
            std::string_view local = LocalName(child);
            if (local == "v" && !hasValue) {
                hasValue = true;
                if (!childEmpty && (!text(v) || !endTag(child))) return false;
            } else if (local == "f") {
                if (!childEmpty && (!skipText() || !endTag(child))) return false;
            } else {
                return unusual();
            }
        }
        XlsxReader::CellRead read;
        std::string refused;
        if (!reader_.cellValue(reader_.styleAt(styleIndex), type, v, sheetName_, row, col, read, refused))
            return unusual();
        column = col;
        AddCell(out.cells, col, std::move(read));
        return true;
    }

    // The qualified name of a tag or attribute.
    bool tagName(std::string_view& name) {
        const char* start = p_;
        if (p_ == end_) return more();
        if (!Is(*p_, kNameStart)) return unusual();
        while (++p_ < end_ && Is(*p_, kName)) {}
        if (p_ == end_) return more();
        name = {start, static_cast<std::size_t>(p_ - start)};
        return true;
    }

    // The attributes of a start tag to its end, each given to take(name, value), which may refuse it;
    // `empty` when the tag closes itself.
    template <class Take> bool attributes(bool& empty, Take take) {
        for (;;) {
            const char* before = p_;
            while (p_ < end_ && Is(*p_, kSpace)) ++p_;
            if (p_ == end_) return more();
            if (*p_ == '>' || *p_ == '/') {
                empty = *p_ == '/';
                if (empty && end_ - p_ < 2) return more();
                if (empty && p_[1] != '>') return unusual();
                p_ += empty ? 2 : 1;
                return true;
            }
            if (p_ == before) return unusual();  // attributes stand apart by whitespace
            std::string_view name;
            if (!tagName(name)) return false;
            while (p_ < end_ && Is(*p_, kSpace)) ++p_;
            if (p_ == end_) return more();
            if (*p_++ != '=') return unusual();
            while (p_ < end_ && Is(*p_, kSpace)) ++p_;
            if (p_ == end_) return more();
            const char quote = *p_++;
            if (quote != '"' && quote != '\'') return unusual();
            const char* start = p_;
            for (; p_ < end_ && *p_ != quote; ++p_)
                if (*p_ == '<' || *p_ == '&' || *p_ == '\0') return unusual();
            if (p_ == end_) return more();
            if (!take(name, std::string_view(start, static_cast<std::size_t>(p_++ - start)))) return unusual();
        }
    }

    // Whitespace, then the '<' of a tag.
    bool nextTag() {
        while (p_ < end_ && Is(*p_, kSpace)) ++p_;
        if (end_ - p_ < 2) return more();
        return *p_ == '<' || unusual();
    }

    // The end tag of `name`, at its '<'.
    bool endTag(std::string_view name) {
        if (end_ - p_ < 2) return more();
        if (p_[1] != '/') return unusual();
        p_ += 2;
        for (char c : name) {
            if (p_ == end_) return more();
            if (*p_++ != c) return unusual();
        }
        while (p_ < end_ && Is(*p_, kSpace)) ++p_;
        if (p_ == end_) return more();
        return *p_++ == '>' || unusual();
    }

    // An element's text up to the next tag, entities decoded; whitespace alone counts as no text, as
    // pugixml drops it.
    bool text(std::string_view& out) {
        const char* start = p_;
        bool entities = false, blank = true;
        for (; p_ < end_ && *p_ != '<'; ++p_) {
            if (*p_ == '\r' || *p_ == '\0') return unusual();  // line ends pugixml rewrites; text it cuts
            entities |= *p_ == '&';
            blank &= Is(*p_, kSpace);
        }
        if (p_ == end_) return more();
        std::string_view raw(start, static_cast<std::size_t>(p_ - start));
        if (blank) out = {};
        else if (!entities) out = raw;
        else if (DecodeEntities(raw, decoded_)) out = decoded_;
        else return unusual();
        return true;
    }

    bool skipText() {
        for (; p_ < end_ && *p_ != '<'; ++p_)
            if (*p_ == '\0') return unusual();
        return p_ < end_ || more();
    }

    const XlsxReader& reader_;
    const std::string& sheetName_;
    const char* begin_ = nullptr;
    const char* p_ = nullptr;
    const char* end_ = nullptr;
    Outcome outcome_ = Unusual;
    std::string decoded_;  // a value whose entities were replaced
};

// A sheet part read in pieces, a row at a time, so a sheet of a million rows never stands in memory at
// once. Rows are read by RowScanner, or, in the forms it leaves alone, cut out and parsed by pugixml.
class XlsxRows : public RowStream {
public:
    XlsxRows(const std::string& path) : path_(path), reader_(file_, path), scanner_(reader_, sheetName_) {}

    bool open(const std::string& sheetName, std::string& error) {
        if (!file_.open(path_, error) || !reader_.prepare(error)) return false;
        for (const auto& sheet : reader_.sheets())
            if (Workbook::SameSheetName(sheet.name, sheetName)) {
                sheetName_ = sheet.name;
                if (sheet.part.empty()) return true;  // no cells
                part_.reset(file_.openPart(sheet.part, error));
                return part_ != nullptr;
            }
        error = "no sheet \"" + sheetName + "\"";
        missingSheet_ = true;
        return false;
    }
    bool missingSheet() const { return missingSheet_; }

    bool next(StreamRow& out) override {
        for (;;) {
            if (!findRow()) return false;
            out.cells.clear();
            switch (scanner_.row(std::string_view(buffer_).substr(pos_), row_, out)) {
            case RowScanner::Read:
                pos_ += scanner_.used();
                break;
            case RowScanner::More:
                if (!readMore()) return false;
                continue;
            case RowScanner::Unusual:
                if (!parseRow(out)) return false;
                break;
            }
            if (out.cells.empty()) continue;
            auto byColumn = [](const StreamCell& a, const StreamCell& b) { return a.column < b.column; };
            if (std::adjacent_find(out.cells.begin(), out.cells.end(), std::not_fn(byColumn)) != out.cells.end())
                std::sort(out.cells.begin(), out.cells.end(), byColumn);
            return true;
        }
    }

private:
    // Moves pos_ to the '<' of the next row element, reading on as needed; false at the end or on a failure.
    bool findRow() {
        for (;;) {
            std::string_view text(buffer_);
            std::size_t at = text.find('<', pos_);
            for (; at != std::string_view::npos; at = text.find('<', at + 1)) {
                bool closing = false;
                if (IsRowTag(text, at, closing) && !closing) {
                    pos_ = at;
                    return true;
                }
                if (text.find_first_of(" \t\r\n/>", at + 1) == std::string_view::npos) break;  // tag cut: read on
            }
            pos_ = at == std::string_view::npos ? text.size() : at;
            if (!readMore()) return false;
        }
    }

    // The row element at pos_ cut out and parsed by pugixml.
    bool parseRow(StreamRow& out) {
        std::size_t end = 0;
        while (!rowEnd(end))
            if (!readMore()) return false;
        pugi::xml_document doc;
        if (!doc.load_buffer(buffer_.data() + pos_, end - pos_, pugi::parse_default | pugi::parse_fragment)) {
            error_ = path_ + ", sheet " + sheetName_ + ": a row is not readable XML";
            return false;
        }
        pos_ = end;
        out.cells.clear();
        auto add = [&](pugi::xml_node c, int, int column) {
            XlsxReader::CellRead cell;
            if (!reader_.cellValue(c, sheetName_, row_, column, cell, error_)) return false;
            AddCell(out.cells, column, std::move(cell));
            return true;
        };
        const bool ok = reader_.eachCell(doc.first_child(), row_, sheetName_, error_, add);
        out.row = row_;
        return ok;
    }

    // Where the row element at pos_ ends: after the "/>" of its start tag or after its end tag; false
    // when that is not yet inflated.
    bool rowEnd(std::size_t& end) const {
        std::string_view text(buffer_);
        std::size_t tagEnd = text.find('>', pos_);
        if (tagEnd == std::string_view::npos) return false;
        if (text[tagEnd - 1] == '/') {
            end = tagEnd + 1;
            return true;
        }
        for (std::size_t at = text.find('<', tagEnd); at != std::string_view::npos; at = text.find('<', at + 1)) {
            bool closing = false;
            if (IsRowTag(text, at, closing) && closing) {
                std::size_t close = text.find('>', at);
                if (close == std::string_view::npos) return false;
                end = close + 1;
                return true;
            }
        }
        return false;
    }

    // Drops the text before pos_ and inflates the next piece; false at the end of the part or on a failure.
    bool readMore() {
        buffer_.erase(0, pos_);
        pos_ = 0;
        if (buffer_.size() > kMaxRowBytes) {
            error_ = path_ + ", sheet " + sheetName_ + ": a row is too large";
            return false;
        }
        if (!part_) return false;
        char buf[1 << 16];
        zip_int64_t n = zip_fread(part_.get(), buf, sizeof buf);
        if (n < 0) {
            error_ = path_ + ": sheet " + sheetName_ + " is damaged: " + zip_file_strerror(part_.get());
            return false;
        }
        if (n == 0) {
            part_.reset();
            return false;
        }
        buffer_.append(buf, static_cast<std::size_t>(n));
        return true;
    }

    struct PartCloser {
        void operator()(zip_file_t* f) const { zip_fclose(f); }
    };

    std::string path_;
    XlsxFile file_;
    XlsxReader reader_;
    std::string sheetName_;
    RowScanner scanner_;
    std::unique_ptr<zip_file_t, PartCloser> part_;
    std::string buffer_;  // inflated text not yet read, from a row start or a tag cut by the piece's end
    std::size_t pos_ = 0;  // where reading goes on in buffer_
    int row_ = 0;          // the number of the last row read
    bool missingSheet_ = false;
};

}  // namespace

std::unique_ptr<RowStream> OpenXlsxRows(const std::string& path, const std::string& sheetName, std::string& error) {
    auto rows = std::make_unique<XlsxRows>(path);
    if (!rows->open(sheetName, error)) {
        if (rows->missingSheet()) error = path + " has " + error;
        return nullptr;
    }
    return rows;
}

bool ReadXlsx(const std::string& path, Workbook& out, std::string& error) {
    XlsxFile file;
    if (!file.open(path, error)) return false;
    Workbook wb;
    XlsxReader reader(file, path);
    if (!reader.read(wb, error)) return false;
    wb.setPath(path);
    out = std::move(wb);
    return true;
}

}  // namespace ornivo::sheet
