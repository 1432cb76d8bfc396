#pragma once
// Shared pieces of the workbook output tests: program state with the shipped templates and an
// output root in a temporary folder, and reading a saved workbook back.
#include <gtest/gtest.h>

#include <string>

#include "external/spreadsheet/WorkbookFiles.h"
#include "output/OutputTree.h"
#include "output/WorkbookRunOutput.h"
#include "platform/ScriptedDialogs.h"
#include "state/OutputState.h"
#include "support/TempDir.h"

namespace ornivo::test {

struct WorkbookRun : ::testing::Test {
    TempDir dir;
    ProgramState s;
    OutputState o;
    platform::ScriptedDialogs d;

    // Output settings as the start screen leaves them, workbooks selected.
    void prepareOutput() {
        SetVersionAndNotices(s);
        s.ProgramFolder = ORNIVO_RUNTIME_DIR;
        s.OutDrive = dir.str();
        s.UseTextFiles = false;
        s.OutFileName = s.ShortName;
        d.clear();
    }
    std::string excelFolder(const std::string& calc) const {
        return (dir.path() / "OrnivoOutput" / "ExcelFiles" / calc).string();
    }
    sheet::Workbook& wb() { return *o.ResultWorkbook; }

    static sheet::Workbook ReadBack(const std::string& path) {
        sheet::Workbook back;
        std::string error;
        EXPECT_TRUE(sheet::OpenWorkbook(path, back, error)) << error;
        return back;
    }
    static sheet::Workbook Template(const std::string& name) {
        sheet::Workbook t;
        std::string error;
        EXPECT_TRUE(sheet::NewFromTemplate(std::string(ORNIVO_RUNTIME_DIR) + "/XLTemplates/" + name, t, error)) << error;
        return t;
    }
};

// Every value of `a` is in `b` and the other way round.
inline void ExpectSameValues(const sheet::Sheet& a, const sheet::Sheet& b) {
    for (const auto& [r, row] : a.rows())
        for (const auto& [c, cell] : row)
            EXPECT_EQ(cell.value, b.value(r, c)) << sheet::CellName(r, c) << " of " << a.name();
    for (const auto& [r, row] : b.rows())
        for (const auto& [c, cell] : row)
            EXPECT_EQ(cell.value, a.value(r, c)) << sheet::CellName(r, c) << " of " << b.name();
}

inline int32_t Colour(const sheet::Sheet& sh, const char* cell) {
    const sheet::Cell* c = sh.cell(cell);
    return c ? c->font.colour : sheet::kBlack;
}

}  // namespace ornivo::test
