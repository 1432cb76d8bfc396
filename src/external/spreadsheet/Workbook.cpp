#include "external/spreadsheet/Workbook.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "external/spreadsheet/DateSerial.h"

namespace ornivo::sheet {

namespace {

bool InSheet(int row, int column) { return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns; }

}  // namespace

// ---- Value, Cell

std::string Value::toText() const {
    switch (kind_) {
    case Kind::Empty: return {};
    case Kind::Text: return text_;
    case Kind::Boolean: return boolean() ? "TRUE" : "FALSE";
    case Kind::Number: break;
    }
    if (!std::isfinite(number_)) return {};
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, number_);
    return std::string(buf, res.ptr);
}

bool Cell::isDate() const { return value.isNumber() && IsDateFormatCode(numberFormat); }

// ---- Sheet

template <class Fn> void Sheet::forRange(std::string_view address, Fn fn) {
    auto range = ParseRange(address);
    if (!range) return;
    for (int r = range->firstRow; r <= range->lastRow; ++r)
        for (int c = range->firstColumn; c <= range->lastColumn; ++c) fn(*editable(r, c));
}

Cell* Sheet::editable(int row, int column) {
    if (!InSheet(row, column)) return nullptr;
    return &rows_[row][column];
}

const Cell* Sheet::cell(int row, int column) const {
    auto r = rows_.find(row);
    if (r == rows_.end()) return nullptr;
    auto c = r->second.find(column);
    return c == r->second.end() ? nullptr : &c->second;
}

const Cell* Sheet::cell(std::string_view address) const {
    auto range = ParseRange(address);
    return range ? cell(range->firstRow, range->firstColumn) : nullptr;
}

Value Sheet::value(int row, int column) const {
    const Cell* c = cell(row, column);
    return c ? c->value : Value{};
}

Value Sheet::value(std::string_view address) const {
    const Cell* c = cell(address);
    return c ? c->value : Value{};
}

void Sheet::write(int row, int column, const Value& v) {
    if (Cell* c = editable(row, column)) c->value = v;
}

void Sheet::write(std::string_view address, const Value& v) {
    forRange(address, [&](Cell& c) { c.value = v; });
}

static void Apply(Font& font, const FontChange& change) {
    if (change.name) font.name = *change.name;
    if (change.size) font.size = *change.size;
    if (change.bold) font.bold = *change.bold;
    if (change.colour) font.colour = *change.colour;
}

void Sheet::setFont(std::string_view address, const FontChange& change) {
    forRange(address, [&](Cell& c) { Apply(c.font, change); });
}

void Sheet::setFont(int row, int column, const FontChange& change) {
    if (Cell* c = editable(row, column)) Apply(c->font, change);
}

void Sheet::setAlignment(std::string_view address, Align align) {
    forRange(address, [&](Cell& c) { c.align = align; });
}

void Sheet::setNumberFormat(std::string_view address, std::string_view code) {
    forRange(address, [&](Cell& c) { c.numberFormat = code; });
}

void Sheet::setNumberFormat(int row, int column, std::string_view code) {
    if (Cell* c = editable(row, column)) c->numberFormat = code;
}

int Sheet::lastUsedRow() const {
    for (auto r = rows_.rbegin(); r != rows_.rend(); ++r)
        for (const auto& [col, c] : r->second)
            if (!c.value.isEmpty()) return r->first;
    return 0;
}

int Sheet::lastUsedColumn() const {
    int last = 0;
    for (const auto& [row, cells] : rows_)
        for (auto c = cells.rbegin(); c != cells.rend(); ++c)
            if (!c->second.value.isEmpty()) {
                last = std::max(last, c->first);
                break;
            }
    return last;
}

void Sheet::setColumnWidth(int column, double width) {
    if (column >= 1 && column <= kMaxColumns && width >= 0 && width <= 255) widths_[column] = width;
}

// ---- Workbook

Workbook::Workbook(const Workbook& other) : path_(other.path_) {
    for (const auto& s : other.sheets_) {
        sheets_.push_back(std::make_unique<Sheet>(*s));
        if (s.get() == other.active_) active_ = sheets_.back().get();
    }
}

Workbook& Workbook::operator=(const Workbook& other) {
    if (this != &other) {
        Workbook copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Sheet& Workbook::sheet(int index) {
    if (index < 1 || index > sheetCount())
        throw std::out_of_range("workbook has no sheet " + std::to_string(index));
    return *sheets_[index - 1];
}

const Sheet& Workbook::sheet(int index) const { return const_cast<Workbook*>(this)->sheet(index); }

bool Workbook::SameSheetName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

int Workbook::sheetIndex(std::string_view name) const {
    for (std::size_t i = 0; i < sheets_.size(); ++i)
        if (SameSheetName(sheets_[i]->name(), name)) return static_cast<int>(i) + 1;
    return 0;
}

Sheet* Workbook::sheet(std::string_view name) {
    int i = sheetIndex(name);
    return i ? sheets_[i - 1].get() : nullptr;
}

const Sheet* Workbook::sheet(std::string_view name) const { return const_cast<Workbook*>(this)->sheet(name); }

std::string Workbook::freeName(const std::string& name) const {
    // "Sheet1 (2)" copied again gives "Sheet1 (3)", not "Sheet1 (2) (2)".
    std::string base = name;
    std::size_t open = base.rfind(" (");
    if (open != std::string::npos && base.back() == ')' && open + 3 < base.size() &&
        base.find_first_not_of("0123456789", open + 2) == base.size() - 1)
        base.erase(open);
    for (int n = 2;; ++n) {
        std::string suffix = " (" + std::to_string(n) + ")";
        std::string name = base.substr(0, 31 - std::min<std::size_t>(31, suffix.size())) + suffix;
        if (!sheetIndex(name)) return name;
    }
}

Sheet& Workbook::addSheet(std::string name) {
    if (name.empty()) {
        for (int n = sheetCount() + 1;; ++n) {
            name = "Sheet" + std::to_string(n);
            if (!sheetIndex(name)) break;
        }
    } else if (sheetIndex(name) || !IsValidSheetName(name)) {
        name = freeName(IsValidSheetName(name) ? name : "Sheet");
    }
    sheets_.push_back(std::make_unique<Sheet>(std::move(name)));
    return *sheets_.back();
}

void Workbook::deleteSheet(int index) {
    Sheet& gone = sheet(index);
    if (active_ == &gone) active_ = nullptr;
    sheets_.erase(sheets_.begin() + (index - 1));
}

Sheet& Workbook::copySheet(int index) {
    const Sheet& original = sheet(index);
    auto copy = std::make_unique<Sheet>(original);
    copy->name_ = freeName(original.name());
    Sheet& added = *copy;
    sheets_.insert(sheets_.begin() + index, std::move(copy));
    return added;
}

bool Workbook::renameSheet(int index, const std::string& name) {
    Sheet& s = sheet(index);
    int other = sheetIndex(name);
    if (!IsValidSheetName(name) || (other && other != index)) return false;
    s.name_ = name;
    return true;
}

int Workbook::activeSheet() const {
    for (std::size_t i = 0; i < sheets_.size(); ++i)
        if (sheets_[i].get() == active_) return static_cast<int>(i) + 1;
    return sheets_.empty() ? 0 : 1;
}

void Workbook::activate(int index) { active_ = &sheet(index); }

std::string Workbook::fileName() const {
    std::size_t slash = path_.find_last_of('/');
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

std::string Workbook::folder() const {
    std::size_t slash = path_.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path_.substr(0, slash + 1);
}

bool Workbook::IsValidSheetName(std::string_view name) {
    if (name.empty() || name.size() > 31 || name.front() == '\'' || name.back() == '\'') return false;
    return name.find_first_of(":\\/?*[]") == std::string_view::npos;
}

}  // namespace ornivo::sheet
