// Sheets read a row at a time give exactly what the whole-file readers give, across the pieces in which
// a long file is read.
#include <gtest/gtest.h>

#include "external/spreadsheet/DateSerial.h"
#include "external/spreadsheet/RowStream.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "support/TempDir.h"

using namespace ornivo::sheet;
using ornivo::test::TempDir;
using ornivo::test::WriteZip;

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

// A workbook of one sheet "Moving" holding `rows` (the inside of <sheetData>), with shared texts and
// styles: 1 a date, 2 a time, 3 two decimals.
std::string HandMadeXlsx(const TempDir& dir, const std::string& name, const std::string& rows, bool date1904 = false) {
    const std::string path = dir.str() + "/" + name;
    WriteZip(path,
             {{"xl/workbook.xml",
               R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)" +
                   std::string(date1904 ? R"(<workbookPr date1904="1"/>)" : "") +
                   R"(<sheets><sheet name="Moving" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
              {"xl/_rels/workbook.xml.rels",
               R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
               R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
               R"(</Relationships>)"},
              {"xl/sharedStrings.xml",
               R"(<sst><si><t>Lake &amp; &lt;reeds&gt;</t></si><si><r><t>rich </t></r><r><t>text</t></r></si><si><t/></si></sst>)"},
              {"xl/styles.xml",
               R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="0.00"/></numFmts>)"
               R"(<cellXfs><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="21"/><xf numFmtId="164"/></cellXfs></styleSheet>)"},
              {"xl/worksheets/sheet1.xml",
               R"(<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><x:sheetData>)" + rows +
                   "</x:sheetData></x:worksheet>"}});
    return path;
}

// The cells in the forms spreadsheets write, and some the row reader leaves to the XML parser, as rows
// 1 to 14 after row `base` ("{n}" stands for row base + n).
std::string CellForms(int base) {
    const std::string forms =
        // Shared texts, dates, times, a style out of range, booleans, numbers with spaces, explicit types.
        R"(<row r="{1}" spans="1:9"><c r="A{1}" t="s"><v>0</v></c><c r="B{1}" t="s"><v>1</v></c>)"
        R"(<c r="C{1}" t="s"><v>2</v></c><c r="D{1}" s="1"><v>42492</v></c><c r="E{1}" s="2"><v>0.5</v></c>)"
        R"(<c r="F{1}" s="3"><v>1.25</v></c><c r="G{1}" s="9"><v>7</v></c><c r="H{1}" t="b"><v>1</v></c>)"
        R"(<c r="I{1}" t="n"><v> 2.5 </v></c></row>)"
        // Cells and rows without references: each follows the one before.
        R"(<row r="{2}"><c><v>1</v></c><c><v>2</v></c><c r="E{2}"><v>5</v></c><c><v>6</v></c></row>)"
        R"(<row><c r="B{3}"><v>3</v></c></row>)"
        // Namespace prefixes.
        R"(<x:row r="{4}"><x:c r="A{4}" t="b"><x:v>0</x:v></x:c><x:c r="B{4}" t="s"><x:v>1</x:v></x:c></x:row>)"
        // Attributes in other orders and quotes, a formula beside its value, entities.
        R"(<row r='{5}'><c t='str' s='3' r='A{5}'><f>A1&amp;"x"</f><v>a &lt;b&gt; &amp; &quot;c&quot; &apos;</v></c>)"
        R"(<c cm="1" t="str" r = "B{5}"><v>&#233;t&#xE9; &#x1F426;</v><f t="shared" si="0"/></c></row>)"
        // Whitespace between tags and in values.
        "<row r=\"{6}\" >\n  <c r=\"A{6}\" >\n    <v>  </v>\n  </c>\n  <c r=\"B{6}\"><v>\n2.5\n</v></c>\n"
        "  <c r=\"C{6}\" t=\"str\"><v> x </v></c>\n</row >\n"
        // Empty cells: no value, or a boolean that is false.
        R"(<row r="{7}"><c r="A{7}" s="1"/><c r="B{7}"/><c r="C{7}" t="b"/><c r="D{7}" t="str"></c>)"
        R"(<c r="E{7}" t="e"><v>#N/A</v></c><c r="F{7}" t="s"><v>2</v></c></row>)"
        // A row closed in its start tag still counts: the next row without a number follows it.
        R"(<row r="{8}"/><row><c r="A{9}"><v>9</v></c></row>)"
        // ISO dates, cells out of column order, row and cell numbers with leading zeros.
        R"(<row r="0{10}"><c r="C{10}" t="d"><v>2016-05-02T04:40:29</v></c><c r="A0{10}" t="d"><v>not a date</v></c></row>)"
        // Left to the XML parser: inline and rich texts, CDATA, comments, other elements, unknown entities,
        // references in lower case or with $, carriage returns, a second value.
        R"(<row r="{11}"><c r="A{11}" t="inlineStr"><is><t>Start</t></is></c>)"
        R"(<c r="B{11}" t="inlineStr"><is><r><t>rich </t></r><r><t>text</t></r></is></c></row>)"
        R"(<row r="{12}"><c r="A{12}" t="str"><v><![CDATA[<kept>]]></v></c><!-- note --><c r="B{12}"><v>1</v><extLst/></c></row>)"
        "<row r=\"{13}\"><c r=\"a{13}\" t=\"str\"><v>&unknown;</v></c><c r=\"$C${13}\" t=\"str\"><v>two\r\nlines</v></c></row>"
        R"(<row r="{14}"><c r="A{14}"><v>14</v><v>15</v></c></row>)";
    std::string rows;
    for (std::size_t at = 0; at < forms.size(); ++at) {
        if (forms[at] != '{') {
            rows += forms[at];
            continue;
        }
        const std::size_t close = forms.find('}', at);
        rows += std::to_string(base + std::stoi(forms.substr(at + 1, close - at - 1)));
        at = close;
    }
    return rows;
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

TEST(RowStream, CellFormsStreamAsTheyLoad) {
    TempDir dir;
    // Many copies, so that the pieces of inflated text end at every place of every form.
    std::string rows;
    for (int base = 0; rows.size() < 300'000; base += 20) rows += CellForms(base);
    for (bool date1904 : {false, true}) {
        SCOPED_TRACE(date1904 ? "1904 dates" : "1900 dates");
        const std::string path = HandMadeXlsx(dir, "forms.xlsx", rows, date1904);
        Workbook wb;
        std::string error;
        ASSERT_TRUE(ReadXlsx(path, wb, error)) << error;
        const Sheet& sheet = *wb.sheet("Moving");
        // What the forms give, so that both readers cannot miss them alike.
        EXPECT_EQ(sheet.value("C1"), Value());                                    // an empty shared text
        EXPECT_EQ(sheet.value("D1").number(), date1904 ? 42492 + 1462 : 42492);  // a date, moved to the 1900 system
        EXPECT_EQ(sheet.value("E1").number(), 0.5);                              // a time of day stays
        EXPECT_EQ(sheet.value("F2"), Value(6));
        EXPECT_EQ(sheet.value("B3"), Value(3));
        EXPECT_EQ(sheet.value("A5").text(), "a <b> & \"c\" '");
        EXPECT_EQ(sheet.value("B5").text(), "\u00e9t\u00e9 \U0001F426");
        EXPECT_EQ(sheet.value("A6"), Value());
        EXPECT_EQ(sheet.value("B6").text(), "\n2.5\n");
        EXPECT_EQ(sheet.value("C7"), Value(false));
        EXPECT_EQ(sheet.value("A9"), Value(9));
        EXPECT_EQ(sheet.value("A12").text(), "<kept>");
        EXPECT_EQ(sheet.value("A13").text(), "&unknown;");
        EXPECT_EQ(sheet.value("A14"), Value(14));
        auto stream = OpenXlsxRows(path, "Moving", error);
        ASSERT_TRUE(stream) << error;
        ExpectSameRows(*stream, sheet);
    }
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

    // Sheets the whole-file reader refuses stop the stream with the same reason, after the rows before.
    const std::string good = R"(<row r="1"><c r="A1"><v>1</v></c></row>)";
    for (const std::string& badRow : {std::string(R"(<row r="2"><c r="A2" t="s"><v>7</v></c></row>)"),
                                   std::string(R"(<row r="2"><c r="A99999999"><v>1</v></c></row>)"),
                                   std::string(R"(<row r="0"><c><v>1</v></c></row>)"),
                                   std::string(R"(<row r="2"><c r="A2"s="1"><v>1</v></c></row>)"),
                                   std::string(R"(<row r="2"><c r="A2"><v>1</v></x></row>)")}) {
        SCOPED_TRACE(badRow);
        const std::string path = HandMadeXlsx(dir, "bad.xlsx", good + badRow);
        Workbook wb;
        std::string loadError;
        EXPECT_FALSE(ReadXlsx(path, wb, loadError));
        auto stream = OpenXlsxRows(path, "Moving", error);
        ASSERT_TRUE(stream) << error;
        EXPECT_TRUE(stream->next(row));
        EXPECT_FALSE(stream->next(row));
        ASSERT_FALSE(stream->error().empty());
        if (loadError.find("readable XML") == std::string::npos) {
            EXPECT_EQ(stream->error(), loadError);
        }
    }
}
