// Workbook files: saving .xlsx and reading it back, failed saves, damaged files, .csv and .xls tracks.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "support/TempDir.h"

using namespace ornivo::sheet;
using ornivo::test::ReadFile;
using ornivo::test::TempDir;
using ornivo::test::WriteZip;
namespace fs = std::filesystem;

namespace {

Workbook ResultLikeWorkbook() {
    Workbook wb;
    Sheet& s = wb.addSheet("Sheet1");
    s.write("E1", "Ciconia ciconia & <stork> \"Albert\"");
    s.write("I1", "Störch");
    s.write("E4", 3.5);
    s.write("E5", -4.25);
    s.write("E6", 1e-05);
    s.write("E7", 560000.0);
    s.write("E8", 0.1);
    s.write("J4:J6", 0.0);
    s.write("B9", true);
    s.write("C9", false);
    s.write("A5", DateSerial(2016, 5, 2));
    s.setNumberFormat("A5", kDateFormat);
    s.write("B5", TimeSerial(4, 40, 0));
    s.setNumberFormat("B5", kTimeFormat);
    s.setFontColour("E17", kRed);
    s.write("E17", 1.0);
    s.setFont("A30:C30", {.name = "Times New Roman", .size = 10, .bold = true});
    s.write("A30", "Min power (Vmp)");
    s.setAlignment("A30", Align::Left);
    s.setAlignment("B30", Align::Right);
    s.setColumnWidth(1, 14);
    Sheet& moving = wb.addSheet("Moving");
    moving.write(77, 22, 6.5);
    wb.addSheet("Sheet3");
    wb.activate(2);
    return wb;
}

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    return names;
}

const char* kBook =
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<sheets><sheet name="Moving" sheetId="1" r:id="rId1"/></sheets></workbook>)";
const char* kBookRels =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
    R"(</Relationships>)";

std::string SheetXml(const std::string& rows) {
    return R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" + rows +
           "</sheetData></worksheet>";
}

}  // namespace

TEST(XlsxFile, SavedWorkbookReadsBackCellForCell) {
    TempDir dir;
    std::string path = dir.str() + "/Result.xlsx";
    Workbook wb = ResultLikeWorkbook();
    Status st = wb.saveAs(path);
    ASSERT_TRUE(st.ok()) << st.text;
    EXPECT_EQ(wb.path(), path);

    Workbook back;
    std::string error;
    ASSERT_TRUE(OpenWorkbook(path, back, error)) << error;
    ASSERT_EQ(back.sheetCount(), 3);
    EXPECT_EQ(back.sheet(2).name(), "Moving");
    EXPECT_EQ(back.activeSheet(), 2);
    const Sheet& s = back.sheet(1);
    EXPECT_EQ(s.value("E1").text(), "Ciconia ciconia & <stork> \"Albert\"");
    EXPECT_EQ(s.value("I1").text(), "Störch");
    EXPECT_EQ(s.value("E4").number(), 3.5);
    EXPECT_EQ(s.value("E5").number(), -4.25);
    EXPECT_EQ(s.value("E6").number(), 1e-05);
    EXPECT_EQ(s.value("E7").number(), 560000);
    EXPECT_EQ(s.value("E8").number(), 0.1);  // numbers keep every bit
    EXPECT_TRUE(s.value("J5").isNumber());
    EXPECT_EQ(s.value("B9"), Value(true));
    EXPECT_EQ(s.value("C9"), Value(false));
    ASSERT_TRUE(s.cell("A5")->isDate());
    EXPECT_EQ(s.value("A5").number(), 42492);
    EXPECT_EQ(s.cell("A5")->numberFormat, kDateFormat);
    EXPECT_EQ(s.cell("B5")->numberFormat, kTimeFormat);
    EXPECT_EQ(s.cell("E17")->font.colour, 255);
    EXPECT_EQ(s.cell("E4")->font, Font{});
    const Cell* bold = s.cell("B30");
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->font.name, "Times New Roman");
    EXPECT_EQ(bold->font.size, 10);
    EXPECT_TRUE(bold->font.bold);
    EXPECT_EQ(bold->align, Align::Right);
    EXPECT_EQ(s.cell("A30")->align, Align::Left);
    EXPECT_TRUE(s.cell("C30")->value.isEmpty());  // a formatted empty cell stays empty
    EXPECT_EQ(s.columnWidths().at(1), 14);
    EXPECT_EQ(back.sheet("Moving")->lastUsedRow(), 77);
    EXPECT_EQ(back.sheet(3).lastUsedRow(), 0);

    // Opened as a template it is a new workbook with the same sheets.
    Workbook fresh;
    ASSERT_TRUE(NewFromTemplate(path, fresh, error)) << error;
    EXPECT_TRUE(fresh.path().empty());
    EXPECT_EQ(fresh.sheetCount(), 3);
}

TEST(XlsxFile, SavingReplacesTheFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    std::string path = dir.str() + "/Out_0001.xlsx";
    Workbook wb = ResultLikeWorkbook();
    ASSERT_TRUE(wb.saveAs(path).ok());
    wb.sheet(1).write("E4", 7.0);
    wb.deleteSheet(3);
    ASSERT_TRUE(wb.saveAs(path).ok());
    EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"Out_0001.xlsx"});
    Workbook back;
    std::string error;
    ASSERT_TRUE(ReadXlsx(path, back, error)) << error;
    EXPECT_EQ(back.sheetCount(), 2);
    EXPECT_EQ(back.sheet(1).value("E4").number(), 7);
}

TEST(XlsxFile, NumbersASpreadsheetCannotHoldAreLeftEmpty) {
    TempDir dir;
    Workbook wb;
    Sheet& s = wb.addSheet();
    s.write("A1", std::nan(""));
    s.write("A2", HUGE_VAL);
    s.write("A3", 2.0);
    ASSERT_TRUE(wb.saveAs(dir.str() + "/n.xlsx").ok());
    Workbook back;
    std::string error;
    ASSERT_TRUE(ReadXlsx(dir.str() + "/n.xlsx", back, error)) << error;
    EXPECT_TRUE(back.sheet(1).value("A1").isEmpty());
    EXPECT_TRUE(back.sheet(1).value("A2").isEmpty());
    EXPECT_EQ(back.sheet(1).value("A3").number(), 2);
}

TEST(XlsxFile, SaveIntoAMissingFolderFailsWithAReason) {
    TempDir dir;
    Workbook wb = ResultLikeWorkbook();
    Status st = wb.saveAs(dir.str() + "/no such folder/Result.xlsx");
    EXPECT_FALSE(st.ok());
    EXPECT_EQ(st.code, ENOENT);
    EXPECT_NE(st.text.find("no such folder"), std::string::npos) << st.text;
    EXPECT_TRUE(wb.path().empty());  // still unsaved
}

TEST(XlsxFile, SaveIntoAReadOnlyFolderFailsAndKeepsTheEarlierFile) {
    TempDir dir;
    fs::path folder = dir.path() / "locked";
    fs::create_directory(folder);
    std::string path = (folder / "Result.xlsx").string();
    Workbook wb = ResultLikeWorkbook();
    ASSERT_TRUE(wb.saveAs(path).ok());
    std::string before = ReadFile(path);

    ::chmod(folder.c_str(), 0555);
    std::string probe = (folder / "probe").string();
    if (std::ofstream(probe)) {  // the superuser writes anywhere: no read-only folder to be had
        fs::remove(probe);
        ::chmod(folder.c_str(), 0755);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    wb.sheet(1).write("E4", 99.0);
    Status st = wb.saveAs(path);
    ::chmod(folder.c_str(), 0755);
    EXPECT_FALSE(st.ok());
    EXPECT_EQ(st.code, EACCES);
    EXPECT_FALSE(st.text.empty());
    EXPECT_TRUE(ReadFile(path) == before) << "the earlier file was changed";
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Result.xlsx"});
}

// A save that fails half-way (here: the file size limit, which binds every user) keeps the
// earlier workbook of that name whole and leaves no partial file behind.
TEST(XlsxFile, SaveFailingHalfWayKeepsTheEarlierFile) {
    TempDir dir;
    std::string path = dir.str() + "/Result.xlsx";
    Workbook small = ResultLikeWorkbook();
    ASSERT_TRUE(small.saveAs(path).ok());
    std::string before = ReadFile(path);

    Workbook big;
    Sheet& s = big.addSheet();
    for (int r = 1; r <= 3000; ++r)
        for (int c = 1; c <= 11; ++c) s.write(r, c, "text " + std::to_string(r * 100 + c));

    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit low = old;
    low.rlim_cur = 8192;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &low), 0);
    Status st = big.saveAs(path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(st.ok());
    EXPECT_NE(st.code, 0);
    EXPECT_FALSE(st.text.empty());
    EXPECT_TRUE(ReadFile(path) == before) << "the earlier file was changed";
    EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"Result.xlsx"});
}

TEST(XlsxFile, DamagedFilesGiveAnErrorText) {
    TempDir dir;
    Workbook wb;
    std::string error;

    std::string junk = dir.write("junk.xlsx", std::string(5000, '\x7f'));
    EXPECT_FALSE(ReadXlsx(junk, wb, error));
    EXPECT_FALSE(error.empty());

    // A real workbook cut in half.
    std::string good = dir.str() + "/good.xlsx";
    ASSERT_TRUE(ResultLikeWorkbook().saveAs(good).ok());
    std::string bytes = ReadFile(good);
    std::string cut = dir.write("cut.xlsx", bytes.substr(0, bytes.size() / 2));
    error.clear();
    EXPECT_FALSE(ReadXlsx(cut, wb, error));
    EXPECT_FALSE(error.empty());

    // Damaged bytes inside a compressed part.
    std::string flipped = bytes;
    for (std::size_t i = 200; i < 260 && i < flipped.size(); ++i) flipped[i] = static_cast<char>(~flipped[i]);
    error.clear();
    Workbook maybe;
    bool opened = ReadXlsx(dir.write("flipped.xlsx", flipped), maybe, error);
    EXPECT_TRUE(opened || !error.empty());

    error.clear();
    EXPECT_FALSE(ReadXlsx(dir.str() + "/missing.xlsx", wb, error));
    EXPECT_NE(error.find("missing.xlsx"), std::string::npos);
    EXPECT_EQ(wb.sheetCount(), 0);  // nothing filled on failure
}

TEST(XlsxFile, HandMadeWorkbooksWithBadPartsAreRefused) {
    TempDir dir;
    Workbook wb;
    std::string error;

    std::string noBook = dir.str() + "/nobook.xlsx";
    WriteZip(noBook, {{"hello.txt", "hello"}});
    EXPECT_FALSE(ReadXlsx(noBook, wb, error));
    EXPECT_NE(error.find("workbook"), std::string::npos) << error;

    std::string badXml = dir.str() + "/badxml.xlsx";
    WriteZip(badXml, {{"xl/workbook.xml", "<workbook><sheets><sheet"}});
    error.clear();
    EXPECT_FALSE(ReadXlsx(badXml, wb, error));
    EXPECT_FALSE(error.empty());

    std::string badIndex = dir.str() + "/badindex.xlsx";
    WriteZip(badIndex, {{"xl/workbook.xml", kBook},
                        {"xl/_rels/workbook.xml.rels", kBookRels},
                        {"xl/worksheets/sheet1.xml", SheetXml(R"(<row r="1"><c r="A1" t="s"><v>7</v></c></row>)")}});
    error.clear();
    EXPECT_FALSE(ReadXlsx(badIndex, wb, error));
    EXPECT_NE(error.find("A1"), std::string::npos) << error;

    std::string badRef = dir.str() + "/badref.xlsx";
    WriteZip(badRef, {{"xl/workbook.xml", kBook},
                      {"xl/_rels/workbook.xml.rels", kBookRels},
                      {"xl/worksheets/sheet1.xml", SheetXml(R"(<row r="1"><c r="A99999999"><v>1</v></c></row>)")}});
    error.clear();
    EXPECT_FALSE(ReadXlsx(badRef, wb, error));
    EXPECT_FALSE(error.empty());
}

TEST(XlsxFile, ReadsInlineAndFormulaTextsAndCellsWithoutReferences) {
    TempDir dir;
    std::string path = dir.str() + "/made.xlsx";
    WriteZip(path, {{"xl/workbook.xml", kBook},
                    {"xl/_rels/workbook.xml.rels", kBookRels},
                    {"xl/worksheets/sheet1.xml",
                     SheetXml(R"(<row r="4"><c r="A4" t="inlineStr"><is><t>Start</t></is></c>)"
                              R"(<c t="inlineStr"><is><r><t>rich </t></r><r><t>text</t></r></is></c>)"
                              R"(<c t="str"><f>A1</f><v>from formula</v></c><c><v> 2.5 </v></c>)"
                              R"(<c t="b"><v>1</v></c><c t="d"><v>2016-05-02T04:40:29</v></c></row>)"
                              R"(<row><c><v>7</v></c></row>)")}});
    Workbook wb;
    std::string error;
    ASSERT_TRUE(ReadXlsx(path, wb, error)) << error;
    const Sheet* s = wb.sheet("Moving");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->value("A4").text(), "Start");
    EXPECT_EQ(s->value("B4").text(), "rich text");
    EXPECT_EQ(s->value("C4").text(), "from formula");
    EXPECT_EQ(s->value("D4").number(), 2.5);
    EXPECT_EQ(s->value("E4"), Value(true));
    EXPECT_TRUE(s->cell("F4")->isDate());
    EXPECT_NEAR(s->value("F4").number(), 42492 + TimeSerial(4, 40, 29), 1e-9);
    EXPECT_EQ(s->value("A5").number(), 7);
    EXPECT_EQ(s->lastUsedRow(), 5);
}

TEST(XlsxFile, DatesOfThe1904SystemComeBackAsUsualSerials) {
    TempDir dir;
    std::string path = dir.str() + "/mac.xlsx";
    std::string book = kBook;
    book.replace(book.find("<sheets>"), 0, R"(<workbookPr date1904="1"/>)");
    WriteZip(path, {{"xl/workbook.xml", book},
                    {"xl/_rels/workbook.xml.rels", kBookRels},
                    {"xl/styles.xml",
                     R"(<styleSheet><cellXfs count="3"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="21"/></cellXfs></styleSheet>)"},
                    {"xl/worksheets/sheet1.xml",
                     SheetXml(R"(<row r="1"><c r="A1" s="1"><v>41030</v></c><c r="B1" s="2"><v>0.5</v></c>)"
                              R"(<c r="C1"><v>41030</v></c></row>)")}});
    Workbook wb;
    std::string error;
    ASSERT_TRUE(ReadXlsx(path, wb, error)) << error;
    EXPECT_EQ(wb.sheet(1).value("A1").number(), 42492);  // 2 May 2016
    EXPECT_EQ(wb.sheet(1).value("B1").number(), 0.5);    // a time of day alone stays
    EXPECT_EQ(wb.sheet(1).value("C1").number(), 41030);  // a plain number stays
}

// The real stork leg of data/tracks, as workbook and as csv: the same values and moments.
TEST(TrackFiles, WorkbookAndCsvOfARealTrackGiveTheSameCells) {
    TempDir dir;
    const std::string base = "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed";
    std::string xlsx = dir.copyTrack(base + ".xlsx");
    std::string csv = dir.copyTrack(base + ".csv");
    Workbook book, text;
    std::string error;
    ASSERT_TRUE(OpenWorkbook(xlsx, book, error)) << error;
    ASSERT_TRUE(OpenWorkbook(csv, text, error)) << error;
    const Sheet* moving = book.sheet("Moving");
    const Sheet* csvSheet = text.sheet("Moving");
    ASSERT_NE(moving, nullptr);
    ASSERT_NE(csvSheet, nullptr);
    EXPECT_EQ(text.sheetCount(), 1);
    EXPECT_EQ(book.fileName(), fs::path(xlsx).filename().string());
    EXPECT_EQ(book.folder(), dir.str() + "/");

    EXPECT_EQ(moving->lastUsedRow(), 77);  // 67 track points and 7 empty rows from row 4
    ASSERT_TRUE(moving->cell(4, 1)->isDate());
    EXPECT_EQ(moving->value(4, 1).number(), 42492);
    EXPECT_NEAR(moving->value(4, 2).number(), TimeSerial(4, 40, 29), 1e-6);
    EXPECT_EQ(moving->value(4, 13).text(), ".");

    // csv line 2 is the first data row; workbook row 4 is.
    EXPECT_EQ(csvSheet->lastUsedRow() + 2, moving->lastUsedRow());
    for (int row = 4; row <= 77; ++row) {
        for (int col = 1; col <= 22; ++col) {
            Value a = moving->value(row, col), b = csvSheet->value(row - 2, col);
            ASSERT_EQ(a.kind(), b.kind()) << "row " << row << " column " << col;
            if (a.isNumber()) {
                // Times in the csv are to the second.
                EXPECT_NEAR(a.number(), b.number(), col == 2 ? 0.6 / 86400 : 1e-9 * std::max(1.0, std::abs(a.number())))
                    << "row " << row << " column " << col;
            } else {
                EXPECT_EQ(a.text(), b.text()) << "row " << row << " column " << col;
            }
        }
    }
}

TEST(CsvFile, QuotesSpacesByteOrderMarkAndLineEnds) {
    TempDir dir;
    std::string path = dir.write("t.csv",
                                 "\xEF\xBB\xBF" "Date,Time,Note\r\n"
                                 "2016-05-02 , 04:40:29,  \"Feeding, at \"\"Konya\"\"\" \r\n"
                                 "\r\n"
                                 ",,\"two\nlines\"\n"
                                 "20-Aug-2014,04:40,.\n"
                                 "  12 , -0.5e1 ,1,5\n");
    Workbook wb;
    std::string error;
    ASSERT_TRUE(ReadCsv(path, wb, error)) << error;
    ASSERT_EQ(wb.sheetCount(), 1);
    const Sheet& s = wb.sheet(1);
    EXPECT_EQ(s.name(), "Moving");
    EXPECT_EQ(s.value("A1").text(), "Date");  // the mark is no part of the heading
    EXPECT_EQ(s.value("A2").number(), 42492);
    EXPECT_TRUE(s.cell("A2")->isDate());
    EXPECT_NEAR(s.value("B2").number(), TimeSerial(4, 40, 29), 1e-15);
    EXPECT_EQ(s.value("C2").text(), "Feeding, at \"Konya\"");
    for (int col = 1; col <= 3; ++col) EXPECT_TRUE(s.value(3, col).isEmpty());  // an empty line is an empty row
    EXPECT_TRUE(s.value("A4").isEmpty());
    EXPECT_EQ(s.value("C4").text(), "two\nlines");
    EXPECT_EQ(s.value("A5").number(), 41871);
    EXPECT_NEAR(s.value("B5").number(), 280 / 1440.0, 1e-15);
    EXPECT_EQ(s.value("C5").text(), ".");
    EXPECT_EQ(s.value("A6").number(), 12);
    EXPECT_EQ(s.value("B6").number(), -5);
    EXPECT_EQ(s.value("C6").number(), 1);
    EXPECT_EQ(s.value("D6").number(), 5);
    EXPECT_EQ(s.lastUsedRow(), 6);
}

TEST(CsvFile, FieldValues) {
    EXPECT_TRUE(CsvFieldCell("").value.isEmpty());
    EXPECT_EQ(CsvFieldCell("4.25").value, Value(4.25));
    EXPECT_EQ(CsvFieldCell("+3").value, Value(3.0));
    for (const char* text : {".", "inf", "nan", "1,5", "fast", "0x10", "1e999", "--1"})
        EXPECT_TRUE(CsvFieldCell(text).value.isText()) << text;
    EXPECT_EQ(CsvFieldCell("04:40").numberFormat, kTimeFormat);
    EXPECT_EQ(CsvFieldCell("04:40:29").numberFormat, kTimeSecondsFormat);
    EXPECT_EQ(CsvFieldCell("2016-05-02").numberFormat, kDateFormat);
}

TEST(CsvFile, AnUnclosedQuoteIsAnErrorNamingTheLine) {
    TempDir dir;
    Workbook wb;
    std::string error;
    EXPECT_FALSE(ReadCsv(dir.write("bad.csv", "a,b\n1,\"open\n2,3\n"), wb, error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_FALSE(ReadCsv(dir.str() + "/none.csv", wb, error));
    EXPECT_FALSE(OpenWorkbook(dir.write("track.txt", "x"), wb, error));
    EXPECT_NE(error.find(".csv"), std::string::npos) << error;
}

// .xls files are made here with a Python writer when one is installed (python3-xlwt).
TEST(XlsFile, ReadsTextsNumbersAndDatesAsSerials) {
    TempDir dir;
    std::string path = dir.str() + "/track.xls";
    std::string script = dir.write("make.py",
                                   "import sys, datetime, xlwt\n"
                                   "wb = xlwt.Workbook()\n"
                                   "ws = wb.add_sheet('Moving')\n"
                                   "d = xlwt.easyxf(num_format_str='yyyy-mm-dd')\n"
                                   "t = xlwt.easyxf(num_format_str='hh:mm:ss')\n"
                                   "ws.write(0, 0, 'Date (UTC)')\n"
                                   "ws.write(3, 0, datetime.date(2016, 5, 2), d)\n"
                                   "ws.write(3, 1, datetime.time(4, 40, 29), t)\n"
                                   "ws.write(3, 2, 37.019302)\n"
                                   "ws.write(3, 4, 264)\n"
                                   "ws.write(3, 12, '.')\n"
                                   "ws.write(6, 0, datetime.datetime(2016, 5, 2, 12, 0, 0), xlwt.easyxf(num_format_str='yyyy-mm-dd hh:mm'))\n"
                                   "wb.add_sheet('Other').write(0, 0, 'x')\n"
                                   "wb.save(sys.argv[1])\n");
    std::string cmd = "/usr/bin/python3 -c 'import xlwt' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) GTEST_SKIP() << "no .xls writer (python3-xlwt) to make a test workbook";
    ASSERT_EQ(std::system(("/usr/bin/python3 '" + script + "' '" + path + "'").c_str()), 0);

    Workbook wb;
    std::string error;
    ASSERT_TRUE(OpenWorkbook(path, wb, error)) << error;
    ASSERT_EQ(wb.sheetCount(), 2);
    const Sheet* s = wb.sheet("Moving");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->value("A1").text(), "Date (UTC)");
    ASSERT_TRUE(s->cell("A4")->isDate());
    EXPECT_EQ(s->value("A4").number(), 42492);
    EXPECT_NEAR(s->value("B4").number(), TimeSerial(4, 40, 29), 1e-9);
    EXPECT_EQ(s->value("C4").number(), 37.019302);
    EXPECT_EQ(s->value("E4").number(), 264);
    EXPECT_EQ(s->value("M4").text(), ".");
    EXPECT_NEAR(s->value("A7").number(), 42492.5, 1e-9);
    EXPECT_EQ(s->lastUsedRow(), 7);
    EXPECT_EQ(wb.sheet(2).value("A1").text(), "x");
}

TEST(XlsFile, DamagedOrMissingFilesGiveAnErrorText) {
    TempDir dir;
    Workbook wb;
    std::string error;
    EXPECT_FALSE(ReadXls(dir.write("junk.xls", std::string(4096, 'x')), wb, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(ReadXls(dir.str() + "/none.xls", wb, error));
    EXPECT_NE(error.find("none.xls"), std::string::npos);
}
