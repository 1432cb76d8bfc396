// Builds the workbook templates from their label tables.
// Usage: ornivo-mktemplates OUTPUT_FOLDER TABLE.csv...
// Each table NAME.csv becomes OUTPUT_FOLDER/NAME.xlsx with the sheets Sheet1, Sheet2 and Sheet3.
// A table row is: sheet,cell,text[,style]. Style words: bold, right, left. A cell given as column
// letters alone ("D") sets that column's width to the number in text. Rows starting with # are notes.
#include <cstdio>
#include <sstream>
#include <string>

#include "external/spreadsheet/Workbook.h"
#include "external/spreadsheet/WorkbookFiles.h"

using namespace ornivo::sheet;

namespace {

std::string Stem(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool Build(const std::string& tablePath, const std::string& outFolder) {
    Workbook table;
    std::string error;
    if (!ReadCsv(tablePath, table, error, "Labels")) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    Workbook wb;
    for (const char* name : {"Sheet1", "Sheet2", "Sheet3"}) wb.addSheet(name);
    const Sheet& rows = table.sheet(1);
    for (int r = 2; r <= rows.lastUsedRow(); ++r) {
        std::string sheetName = rows.value(r, 1).toText();
        if (sheetName.empty() || sheetName[0] == '#') continue;
        std::string cell = rows.value(r, 2).toText();
        std::string text = rows.value(r, 3).toText();
        Sheet* sheet = wb.sheet(sheetName);
        if (!sheet) {
            std::fprintf(stderr, "%s, line %d: no sheet %s\n", tablePath.c_str(), r, sheetName.c_str());
            return false;
        }
        if (int column = ColumnNumber(cell)) {
            sheet->setColumnWidth(column, rows.value(r, 3).number());
            continue;
        }
        if (!ParseRange(cell)) {
            std::fprintf(stderr, "%s, line %d: \"%s\" is no cell\n", tablePath.c_str(), r, cell.c_str());
            return false;
        }
        sheet->write(cell, text);
        std::istringstream words(rows.value(r, 4).toText());
        for (std::string w; words >> w;) {
            if (w == "bold") sheet->setBold(cell, true);
            else if (w == "right") sheet->setAlignment(cell, Align::Right);
            else if (w == "left") sheet->setAlignment(cell, Align::Left);
            else {
                std::fprintf(stderr, "%s, line %d: unknown style \"%s\"\n", tablePath.c_str(), r, w.c_str());
                return false;
            }
        }
    }
    wb.activate(1);
    std::string out = outFolder + "/" + Stem(tablePath) + ".xlsx";
    Status st = wb.saveAs(out);
    if (!st.ok()) {
        std::fprintf(stderr, "%s\n", st.text.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ornivo-mktemplates OUTPUT_FOLDER TABLE.csv...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i)
        if (!Build(argv[i], argv[1])) return 1;
    return 0;
}
