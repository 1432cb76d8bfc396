#pragma once
// The in-memory workbook behind every workbook output and track input: sheets of cells with
// values, fonts, alignment and number formats. Saved as .xlsx; read from .xlsx, .xls and .csv
// (WorkbookFiles.h). Rows and columns are 1-based, as spreadsheets count them.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "external/spreadsheet/CellAddress.h"

namespace ornivo::sheet {

// The outcome of an operation that can fail on the outside world (saving): code 0 is success;
// otherwise code is the system error number (13 permission denied, 28 disk full, ...) or, for a
// fault of the file writer itself, 1000 + its own error number; text says why in words.
struct Status {
    int code = 0;
    std::string text;
    bool ok() const { return code == 0; }
};

inline constexpr std::string_view kDateFormat = "yyyy-mm-dd";
inline constexpr std::string_view kTimeFormat = "hh:mm";
inline constexpr std::string_view kTimeSecondsFormat = "hh:mm:ss";
inline constexpr std::string_view kDateTimeFormat = "yyyy-mm-dd hh:mm:ss";

// A cell's value: empty, text, a number or a boolean. Dates and times are numbers (serial days,
// DateSerial.h) in a cell whose number format shows a date.
class Value {
public:
    enum class Kind { Empty, Text, Number, Boolean };

    Value() = default;
    Value(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}
    Value(const char* text) : Value(std::string(text)) {}
    Value(double number) : kind_(Kind::Number), number_(number) {}
    Value(int number) : Value(static_cast<double>(number)) {}
    Value(bool b) : kind_(Kind::Boolean), number_(b ? 1 : 0) {}

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isText() const { return kind_ == Kind::Text; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isBoolean() const { return kind_ == Kind::Boolean; }

    const std::string& text() const { return text_; }        // "" unless text
    double number() const { return number_; }                // 0 unless a number (1/0 for a boolean)
    bool boolean() const { return number_ != 0; }

    // The value as plain text: text as it is, a number in its shortest exact form ("4.25", "42492"),
    // "TRUE"/"FALSE", "" when empty.
    std::string toText() const;

    bool operator==(const Value&) const = default;

private:
    Kind kind_ = Kind::Empty;
    std::string text_;
    double number_ = 0;
};

// A font as spreadsheets name its parts. Colour is a long in the program's colour numbering:
// blue x 65536 + green x 256 + red, so 255 is red and 0 black.
struct Font {
    std::string name = "Calibri";
    double size = 11;
    bool bold = false;
    int32_t colour = 0;
    bool operator==(const Font&) const = default;
};
inline constexpr int32_t kRed = 255;
inline constexpr int32_t kBlack = 0;

// Changes to some parts of a font: sheet.setFont("A30:J53", {.name = "Times New Roman", .size = 10, .bold = true}).
struct FontChange {
    std::optional<std::string> name = std::nullopt;
    std::optional<double> size = std::nullopt;
    std::optional<bool> bold = std::nullopt;
    std::optional<int32_t> colour = std::nullopt;
};

enum class Align { General, Left, Right };

struct Cell {
    Value value;
    Font font;
    Align align = Align::General;
    std::string numberFormat;  // "" for General, else a format code such as kDateFormat
    // True for a number shown as a date or time.
    bool isDate() const;
};

class Sheet {
public:
    explicit Sheet(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    // Values. An address outside the sheet ("E0", "5E") is ignored on writing and reads as empty;
    // writing to a range writes every cell of it.
    Value value(int row, int column) const;
    Value value(std::string_view address) const;
    void write(int row, int column, const Value& v);
    void write(std::string_view address, const Value& v);
    void clear(std::string_view address) { write(address, Value{}); }

    // Formats, on one cell or on every cell of a range.
    void setFont(std::string_view address, const FontChange& change);
    void setFont(int row, int column, const FontChange& change);
    void setFontColour(std::string_view address, int32_t colour) { setFont(address, {.colour = colour}); }
    void setBold(std::string_view address, bool bold) { setFont(address, {.bold = bold}); }
    void setAlignment(std::string_view address, Align align);
    void setNumberFormat(std::string_view address, std::string_view code);
    void setNumberFormat(int row, int column, std::string_view code);

    // The cell, or nothing where no value or format was ever set.
    const Cell* cell(int row, int column) const;
    const Cell* cell(std::string_view address) const;

    // The number of the last row holding any value; 0 for a sheet without values.
    int lastUsedRow() const;
    // The last column holding a value in any row; 0 when none.
    int lastUsedColumn() const;

    // Column widths in characters, as spreadsheets measure them.
    void setColumnWidth(int column, double width);
    const std::map<int, double>& columnWidths() const { return widths_; }

    // Every cell, row by row; for the file writers.
    const std::map<int, std::map<int, Cell>>& rows() const { return rows_; }

private:
    friend class Workbook;
    Cell* editable(int row, int column);
    template <class Fn> void forRange(std::string_view address, Fn fn);

    std::string name_;
    std::map<int, std::map<int, Cell>> rows_;
    std::map<int, double> widths_;
};

class Workbook {
public:
    Workbook() = default;
    Workbook(const Workbook& other);
    Workbook& operator=(const Workbook& other);
    Workbook(Workbook&&) noexcept = default;
    Workbook& operator=(Workbook&&) noexcept = default;

    int sheetCount() const { return static_cast<int>(sheets_.size()); }
    // Sheet by 1-based index; an index outside 1..sheetCount() throws std::out_of_range.
    // References stay valid while other sheets are added, copied or deleted.
    Sheet& sheet(int index);
    const Sheet& sheet(int index) const;
    // Sheet by name (case-insensitive, as spreadsheets match names); nullptr when none.
    Sheet* sheet(std::string_view name);
    const Sheet* sheet(std::string_view name) const;
    // 1-based index of a sheet by name; 0 when none.
    int sheetIndex(std::string_view name) const;

    // A new empty sheet at the end; without a name it gets the first free "SheetN".
    Sheet& addSheet(std::string name = {});
    // Removes sheet `index`; the sheets after it move down by one.
    void deleteSheet(int index);
    // A copy of sheet `index` placed directly after it, named "Name (2)" (or the next free number).
    Sheet& copySheet(int index);
    // Renames sheet `index`; false when the name is taken by another sheet or not a valid sheet name.
    bool renameSheet(int index, const std::string& name);

    // The sheet that opens first in a spreadsheet (1-based); follows the sheet it was when sheets move.
    int activeSheet() const;
    void activate(int index);

    // The file this workbook was opened from or last saved as; empty for a new workbook.
    const std::string& path() const { return path_; }
    std::string fileName() const;  // "Track.xlsx"
    std::string folder() const;    // "/home/me/tracks/" (with the separator)
    void setPath(std::string path) { path_ = std::move(path); }

    // Writes the workbook as an .xlsx file: first to a temporary file in the same folder, then renamed
    // over `path`, so that a failed save leaves any earlier file of that name as it was. Sets path()
    // on success. Never throws.
    Status saveAs(const std::string& path);

    // Sheet names match as spreadsheets match them: without regard to case.
    static bool SameSheetName(std::string_view a, std::string_view b);
    // A sheet name a workbook file accepts: 1 to 31 characters, none of : \ / ? * [ ].
    static bool IsValidSheetName(std::string_view name);

private:
    std::string freeName(const std::string& base) const;

    std::vector<std::unique_ptr<Sheet>> sheets_;
    const Sheet* active_ = nullptr;
    std::string path_;
};

}  // namespace ornivo::sheet
