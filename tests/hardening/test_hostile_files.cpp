// Damaged workbook files that made the system's .xls reader read past its buffers or crash (found
// by fuzz_xls, kept in fuzz/known): reading them ends in a workbook or a refusal with a reason, and
// the program goes on, as the reader runs in a child process; the next good file still reads.
#include <gtest/gtest.h>

#include <filesystem>

#include "external/spreadsheet/WorkbookFiles.h"
#include "support/TempDir.h"

using namespace ornivo;
namespace fs = std::filesystem;

TEST(HostileFiles, DamagedXlsFilesAreRefusedWithAReason) {
    const std::string good = std::string(ORNIVO_SOURCE_DIR) + "/fuzz/corpus/xls/tiny.xls";
    int seen = 0;
    for (const auto& e : fs::directory_iterator(fs::path(ORNIVO_SOURCE_DIR) / "fuzz" / "known")) {
        if (e.path().extension() != ".xls") continue;
        ++seen;
        SCOPED_TRACE(e.path().filename().string());
        sheet::Workbook wb;
        std::string error;
        if (!sheet::ReadXls(e.path().string(), wb, error)) {
            EXPECT_FALSE(error.empty());
        }
        EXPECT_TRUE(sheet::ReadXls(good, wb, error)) << error;
        EXPECT_EQ(wb.sheet(1).value(1, 1).text(), "a");
    }
    EXPECT_GE(seen, 2);
}

TEST(HostileFiles, AnXlsReadInItsChildGivesTheSameCellsAsBefore) {
    // The small seed workbook: its cells come back from the reader process with their kinds and formats.
    sheet::Workbook wb;
    std::string error;
    ASSERT_TRUE(sheet::ReadXls(std::string(ORNIVO_SOURCE_DIR) + "/fuzz/corpus/xls/tiny.xls", wb, error)) << error;
    ASSERT_EQ(wb.sheetCount(), 1);
    const sheet::Sheet& s = wb.sheet(1);
    EXPECT_EQ(s.value(1, 1).text(), "a");
    EXPECT_EQ(s.value(2, 1).number(), 1);
    EXPECT_EQ(s.value(2, 2).text(), "x");
    EXPECT_TRUE(s.rows().at(3).at(1).isDate());
    EXPECT_EQ(wb.path(), std::string(ORNIVO_SOURCE_DIR) + "/fuzz/corpus/xls/tiny.xls");
}

TEST(HostileFiles, AMissingXlsFileSaysSo) {
    test::TempDir dir;
    sheet::Workbook wb;
    std::string error;
    EXPECT_FALSE(sheet::ReadXls(dir.str() + "/none.xls", wb, error));
    EXPECT_NE(error.find("file not found"), std::string::npos) << error;
}
