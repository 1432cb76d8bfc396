// Reading the older .xls workbooks through freexl. Freexl hands dates and times over as text;
// they are turned back into the serial numbers the workbook stored.
#include <freexl.h>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/WorkbookFiles.h"

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

bool ReadXls(const std::string& path, Workbook& out, std::string& error) {
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
    wb.setPath(path);
    out = std::move(wb);
    return true;
}

}  // namespace ornivo::sheet
