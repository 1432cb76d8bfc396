// Sheets read a row at a time give exactly what the whole-file readers give, across the pieces in which
// a long file is read.
#include <gtest/gtest.h>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/RowStream.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "support/TempDir.h"

using namespace ornivo::sheet;
using ornivo::test::TempDir;

namespace {

// Every streamed row against the loaded sheet: same rows, same values, same date formats.
void ExpectSameRows(RowStream& rows, const Sheet& sheet) {
    StreamRow row;
    int count = 0;
    int last = 0;
    while (rows.next(row)) {
        ++count;
        ASSERT_GT(row.row, last);
        for (int r = last + 1; r < row.row; ++r)
            for (int c = 1; c <= sheet.lastUsedColumn(); ++c) ASSERT_TRUE(sheet.value(r, c).isEmpty()) << r << "," << c;
        last = row.row;
        for (const StreamCell& c : row.cells) {
            const Cell* loaded = sheet.cell(row.row, c.column);
            ASSERT_NE(loaded, nullptr) << row.row << "," << c.column;
            EXPECT_EQ(c.value, loaded->value) << row.row << "," << c.column;
            EXPECT_EQ(c.numberFormat.empty(), !loaded->isDate()) << row.row << "," << c.column;
        }
        std::size_t values = 0;
        for (const auto& [column, cell] : sheet.rows().at(row.row)) values += !cell.value.isEmpty();
        EXPECT_EQ(row.cells.size(), values) << "row " << row.row;
    }
    EXPECT_TRUE(rows.error().empty()) << rows.error();
    EXPECT_EQ(last, sheet.lastUsedRow());
    EXPECT_GT(count, 0);
}

}  // namespace

TEST(RowStream, RealTrackStreamsAsItLoads) {
    TempDir dir;
    const std::string base = "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed";
    for (const std::string ext : {".xlsx", ".csv"}) {
        const std::string path = dir.copyTrack(base + ext);
        Workbook wb;
        std::string error;
        ASSERT_TRUE(OpenWorkbook(path, wb, error)) << error;
        auto rows = ext == ".csv" ? OpenCsvRows(path, error) : OpenXlsxRows(path, "moving", error);
        ASSERT_TRUE(rows) << error;
        ExpectSameRows(*rows, *wb.sheet("Moving"));
    }
}

TEST(RowStream, LongFilesAcrossTheReadingPieces) {
    TempDir dir;
    // A workbook far larger than one piece of inflated text, with shared and escaped texts, dates, booleans
    // and a gap of empty rows.
    Workbook wb;
    wb.addSheet("Other").write("A1", "not this one");
    Sheet& s = wb.addSheet("Moving");
    for (int r = 1; r <= 4000; ++r) {
        if (r >= 2000 && r < 2010) continue;
        s.write(r, 1, DateSerial(2016, 5, 2) + r / 96.0);
        s.setNumberFormat(r, 1, kDateTimeFormat);
        for (int c = 2; c <= 22; ++c) s.write(r, c, r * 0.37 + c);
        s.write(r, 23, r % 7 == 0 ? Value("Lake & <reeds> \"north\"") : Value("."));
        if (r % 50 == 0) s.write(r, 24, true);
    }
    std::string path = dir.str() + "/long.xlsx";
    ASSERT_TRUE(wb.saveAs(path).ok());
    Workbook back;
    std::string error;
    ASSERT_TRUE(ReadXlsx(path, back, error)) << error;
    auto rows = OpenXlsxRows(path, "Moving", error);
    ASSERT_TRUE(rows) << error;
    ExpectSameRows(*rows, *back.sheet("Moving"));

    EXPECT_FALSE(OpenXlsxRows(path, "Missing", error));
    EXPECT_NE(error.find("has no sheet \"Missing\""), std::string::npos) << error;

    // A csv file of many pieces, with a quoted field across a line end and blank lines.
    std::string csv = "Date,Time,Note\n";
    for (int r = 2; r <= 5000; ++r) {
        if (r % 997 == 0) {
            csv += "\n";
            continue;
        }
        csv += "2016-05-02,04:40:" + std::to_string(10 + r % 40) + "," + std::to_string(r * 1.5) +
               (r % 333 == 0 ? ",\"two\nlines, \"\"quoted\"\"\"\n" : ",.\n");
    }
    const std::string csvPath = dir.write("long.csv", csv);
    Workbook text;
    ASSERT_TRUE(ReadCsv(csvPath, text, error)) << error;
    auto csvRows = OpenCsvRows(csvPath, error);
    ASSERT_TRUE(csvRows) << error;
    ExpectSameRows(*csvRows, *text.sheet("Moving"));
}

TEST(RowStream, DamagedFilesStopWithAReason) {
    TempDir dir;
    std::string error;
    auto rows = OpenCsvRows(dir.write("open.csv", "a,b\n1,\"never closed\n2,3\n"), error);
    ASSERT_TRUE(rows);
    StreamRow row;
    EXPECT_TRUE(rows->next(row));
    EXPECT_FALSE(rows->next(row));
    EXPECT_NE(rows->error().find("line 2: a quoted field is not closed"), std::string::npos) << rows->error();
    EXPECT_FALSE(OpenCsvRows(dir.str() + "/missing.csv", error));
    EXPECT_FALSE(OpenXlsxRows(dir.write("not.xlsx", "plain text"), "Moving", error));
}
