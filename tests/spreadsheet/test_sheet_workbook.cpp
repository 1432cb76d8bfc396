// The in-memory workbook: addresses, cells, sheets as the result writers use them, date serials.
#include <gtest/gtest.h>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/Workbook.h"

using namespace ornivo::sheet;

TEST(CellAddress, ReadsCellsAndRanges) {
    auto r = ParseRange("J4:J14");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->firstRow, 4);
    EXPECT_EQ(r->lastRow, 14);
    EXPECT_EQ(r->firstColumn, 10);
    EXPECT_EQ(r->lastColumn, 10);

    auto reversed = ParseRange("K60:A55");  // corners in either order
    ASSERT_TRUE(reversed);
    EXPECT_EQ(reversed->firstRow, 55);
    EXPECT_EQ(reversed->firstColumn, 1);
    EXPECT_EQ(reversed->lastColumn, 11);

    auto absolute = ParseRange("$AA$3");
    ASSERT_TRUE(absolute);
    EXPECT_EQ(absolute->firstColumn, 27);

    for (const char* bad : {"", "E", "4", "E0", "4E", "E4:", "XFE1", "A1048577", "E 4", "E4:J"})
        EXPECT_FALSE(ParseRange(bad)) << bad;
}

TEST(CellAddress, NamesColumnsBothWays) {
    EXPECT_EQ(ColumnName(1), "A");
    EXPECT_EQ(ColumnName(26), "Z");
    EXPECT_EQ(ColumnName(27), "AA");
    EXPECT_EQ(ColumnName(16384), "XFD");
    EXPECT_EQ(ColumnNumber("xfd"), 16384);
    EXPECT_EQ(CellName(75, 11), "K75");
}

TEST(Sheet, WritesEveryCellOfARangeAndReadsByAddressOrPosition) {
    Sheet s("Sheet1");
    s.write("J4:J14", 0.0);
    s.write("E4", 1.25);
    s.write(2, 2, "Male");
    for (int row = 4; row <= 14; ++row) EXPECT_TRUE(s.value(row, 10).isNumber()) << row;
    EXPECT_TRUE(s.value("J15").isEmpty());
    EXPECT_EQ(s.value(4, 5).number(), 1.25);
    EXPECT_EQ(s.value("B2").text(), "Male");
    // Overwriting replaces the value, clearing empties it.
    s.write("E4", "Out of fuel");
    EXPECT_EQ(s.value("E4"), Value("Out of fuel"));
    s.clear("J4:J14");
    EXPECT_TRUE(s.value("J9").isEmpty());
    // Addresses outside the sheet are ignored.
    s.write("E0", 5.0);
    s.write(0, 3, 5.0);
    EXPECT_TRUE(s.value("E0").isEmpty());
}

TEST(Sheet, FontsAlignmentAndFormatsApplyToRanges) {
    Sheet s("Sheet1");
    s.write("A30", "Min power (Vmp)");
    s.setFont("A30:J53", {.name = "Times New Roman", .size = 10, .bold = true});
    s.setAlignment("A30:J53", Align::Left);
    s.setFontColour("E17", kRed);
    const Cell* c = s.cell("C40");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->font.name, "Times New Roman");
    EXPECT_EQ(c->font.size, 10);
    EXPECT_TRUE(c->font.bold);
    EXPECT_EQ(c->align, Align::Left);
    EXPECT_EQ(s.cell("E17")->font.colour, 255);
    // Changing one part of a font keeps the others.
    s.setFontColour("A30", kRed);
    EXPECT_EQ(s.cell("A30")->font.name, "Times New Roman");
    EXPECT_TRUE(s.cell("A30")->font.bold);

    s.write("A5", DateSerial(2016, 5, 2));
    s.setNumberFormat("A5", kDateFormat);
    EXPECT_TRUE(s.cell("A5")->isDate());
    EXPECT_FALSE(s.cell("E17")->isDate());
}

TEST(Sheet, LastUsedRowCountsValuesOnly) {
    Sheet s("Moving");
    EXPECT_EQ(s.lastUsedRow(), 0);
    s.write("A4", 42492.0);
    s.write("V77", 6.5);
    s.setFont("A200:K200", {.bold = true});  // formats alone are no use of a row
    EXPECT_EQ(s.lastUsedRow(), 77);
    EXPECT_EQ(s.lastUsedColumn(), 22);
    s.clear("V77");
    EXPECT_EQ(s.lastUsedRow(), 4);
}

TEST(Workbook, FindsSheetsByIndexAndName) {
    Workbook wb;
    wb.addSheet("Moving");
    wb.addSheet();
    EXPECT_EQ(wb.sheetCount(), 2);
    EXPECT_EQ(wb.sheet(2).name(), "Sheet2");
    EXPECT_EQ(wb.sheet("moving"), &wb.sheet(1));  // names match without regard to case
    EXPECT_EQ(wb.sheet("Sheet9"), nullptr);
    EXPECT_EQ(wb.sheetIndex("Sheet2"), 2);
    EXPECT_THROW(wb.sheet(0), std::out_of_range);
    EXPECT_THROW(wb.sheet(3), std::out_of_range);
    // A name already taken or not allowed in a workbook file is made acceptable.
    EXPECT_EQ(wb.addSheet("Moving").name(), "Moving (2)");
    EXPECT_TRUE(Workbook::IsValidSheetName(wb.addSheet("a/b").name()));
    EXPECT_FALSE(wb.renameSheet(1, "Sheet2"));
    EXPECT_TRUE(wb.renameSheet(1, "Track"));
}

// The result writers: a template of three sheets, sheets 3 and 2 deleted, then per run a copy of
// the current sheet placed after it as the blank sheet of the next run; on saving the blank goes.
TEST(Workbook, CopyGoesDirectlyAfterItsSheetAndDeletingShiftsIndexes) {
    Workbook wb;
    wb.addSheet("Sheet1").write("D4", "Empty body mass (kg)");
    wb.addSheet("Sheet2");
    wb.addSheet("Sheet3");
    wb.deleteSheet(3);
    wb.deleteSheet(2);
    ASSERT_EQ(wb.sheetCount(), 1);

    Sheet& first = wb.sheet(1);
    Sheet& blank = wb.copySheet(1);
    ASSERT_EQ(wb.sheetCount(), 2);
    EXPECT_EQ(&wb.sheet(2), &blank);
    EXPECT_EQ(blank.name(), "Sheet1 (2)");
    EXPECT_EQ(blank.value("D4").text(), "Empty body mass (kg)");  // labels come along
    first.write("E4", 1.0);                                       // run 1 fills sheet 1
    EXPECT_TRUE(blank.value("E4").isEmpty());                     // the copy is independent

    wb.copySheet(2);  // run 2
    wb.sheet(2).write("E4", 2.0);
    ASSERT_EQ(wb.sheetCount(), 3);
    EXPECT_EQ(wb.sheet(3).name(), "Sheet1 (3)");
    EXPECT_TRUE(wb.sheet(3).value("E4").isEmpty());

    // A copy in the middle goes right after its original, not at the end.
    wb.copySheet(1);
    EXPECT_EQ(wb.sheet(2).value("E4").number(), 1.0);
    EXPECT_EQ(wb.sheet(3).value("E4").number(), 2.0);
    wb.deleteSheet(2);

    wb.deleteSheet(wb.sheetCount());  // saving drops the blank last sheet
    ASSERT_EQ(wb.sheetCount(), 2);
    EXPECT_EQ(wb.sheet(1).value("E4").number(), 1.0);
    EXPECT_EQ(wb.sheet(2).value("E4").number(), 2.0);
    EXPECT_EQ(&wb.sheet(1), &first);  // references survive the moves
}

TEST(Workbook, ActiveSheetFollowsItsSheet) {
    Workbook wb;
    wb.addSheet();
    wb.addSheet();
    EXPECT_EQ(wb.activeSheet(), 1);
    wb.activate(2);
    wb.copySheet(1);
    EXPECT_EQ(wb.activeSheet(), 3);
    wb.deleteSheet(3);
    EXPECT_EQ(wb.activeSheet(), 1);
}

TEST(Value, TextOfEachKind) {
    EXPECT_EQ(Value().toText(), "");
    EXPECT_EQ(Value(4.25).toText(), "4.25");
    EXPECT_EQ(Value(42492).toText(), "42492");
    EXPECT_EQ(Value(0.1).toText(), "0.1");
    EXPECT_EQ(Value(true).toText(), "TRUE");
    EXPECT_EQ(Value("x").toText(), "x");
    EXPECT_TRUE(Value(false).isBoolean());
}

TEST(DateSerial, CountsDaysAsSpreadsheetsDo) {
    EXPECT_EQ(DateSerial(1900, 3, 1), 61);
    EXPECT_EQ(DateSerial(2016, 5, 2), 42492);
    EXPECT_EQ(DateSerial(2014, 8, 20), 41871);
    EXPECT_NEAR(TimeSerial(4, 40, 29), (4 * 3600 + 40 * 60 + 29) / 86400.0, 1e-15);
    int y, m, d;
    SerialToDate(42492.7, y, m, d);
    EXPECT_EQ(y, 2016);
    EXPECT_EQ(m, 5);
    EXPECT_EQ(d, 2);
    SerialToDate(DateSerial(2000, 2, 29), y, m, d);
    EXPECT_EQ(m * 100 + d, 229);
}

TEST(DateSerial, ReadsTheDateAndTimeTextsOfTracks) {
    auto date = ParseDateText("2016-05-02");
    ASSERT_TRUE(date);
    EXPECT_EQ(date->serial, 42492);
    EXPECT_EQ(date->kind, DateKind::Date);
    EXPECT_EQ(ParseDateText("20-Aug-2014")->serial, 41871);
    EXPECT_EQ(ParseDateText("20-aug-2014")->serial, 41871);
    auto time = ParseDateText("04:40");
    ASSERT_TRUE(time);
    EXPECT_EQ(time->kind, DateKind::Time);
    EXPECT_NEAR(time->serial, 280 / 1440.0, 1e-15);
    EXPECT_NEAR(ParseDateText("04:40:29")->serial, TimeSerial(4, 40, 29), 1e-15);
    auto both = ParseDateText("2016-05-02 04:40:29");
    ASSERT_TRUE(both);
    EXPECT_EQ(both->kind, DateKind::DateTime);
    EXPECT_NEAR(both->serial, 42492 + TimeSerial(4, 40, 29), 1e-9);
    EXPECT_NEAR(ParseDateText("2016-05-02T04:40:29.5")->serial, 42492 + TimeSerial(4, 40, 29.5), 1e-9);

    for (const char* bad : {"", ".", "12", "2016-13-01", "2016-04-31", "2015-02-29", "25:00", "12:60", "4:5",
                            "2016-05-02x", "20-Foo-2014", "-5", "12:00:00 PM"})
        EXPECT_FALSE(ParseDateText(bad)) << bad;
}

TEST(DateSerial, TellsDateFormatsFromNumberFormats) {
    for (const char* code : {"yyyy-mm-dd", "hh:mm", "d-mmm-yy", "[h]:mm:ss", "[$-409]mmmm d, yyyy", "m/d/yy h:mm"})
        EXPECT_TRUE(IsDateFormatCode(code)) << code;
    for (const char* code : {"", "General", "0.00", "0.00E+00", "#,##0", "0\" days\"", "[Red]0.0", "@"})
        EXPECT_FALSE(IsDateFormatCode(code)) << code;
}
