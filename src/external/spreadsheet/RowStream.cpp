#include "external/spreadsheet/RowStream.h"

#include <algorithm>

namespace ornivo::sheet {

Value StreamRow::value(int column) const {
    auto it = std::lower_bound(cells.begin(), cells.end(), column,
                               [](const StreamCell& c, int col) { return c.column < col; });
    return it != cells.end() && it->column == column ? it->value : Value{};
}

namespace {

class LoadedSheetRows : public RowStream {
public:
    LoadedSheetRows(std::shared_ptr<const Workbook> wb, const Sheet& sheet)
        : wb_(std::move(wb)), rows_(sheet.rows()), at_(rows_.begin()) {}

    bool next(StreamRow& out) override {
        out.cells.clear();
        for (; at_ != rows_.end(); ++at_) {
            for (const auto& [column, cell] : at_->second)
                if (!cell.value.isEmpty())
                    out.cells.push_back({column, cell.value, cell.isDate() ? cell.numberFormat : std::string()});
            if (!out.cells.empty()) {
                out.row = at_->first;
                ++at_;
                return true;
            }
        }
        return false;
    }

private:
    std::shared_ptr<const Workbook> wb_;  // keeps the sheet alive
    const std::map<int, std::map<int, Cell>>& rows_;
    std::map<int, std::map<int, Cell>>::const_iterator at_;
};

}  // namespace

std::unique_ptr<RowStream> SheetRows(std::shared_ptr<const Workbook> wb, const Sheet& sheet) {
    return std::make_unique<LoadedSheetRows>(std::move(wb), sheet);
}

}  // namespace ornivo::sheet
