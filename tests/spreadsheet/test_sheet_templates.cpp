// The shipped workbook templates: three sheets each, and a label beside every cell the writers fill.
#include <gtest/gtest.h>

#include <vector>

#include "external/spreadsheet/WorkbookFiles.h"

using namespace ornivo::sheet;

namespace {

Workbook Template(const std::string& name) {
    Workbook wb;
    std::string error;
    std::string path = std::string(ORNIVO_RUNTIME_DIR) + "/XLTemplates/" + name + ".xlsx";
    EXPECT_TRUE(NewFromTemplate(path, wb, error)) << error;
    return wb;
}

// The text labelling a value cell: the cell to its left, else the one above.
std::string LabelOf(const Sheet& s, const std::string& address) {
    auto r = ParseRange(address);
    if (!r) return {};
    std::string left = r->firstColumn > 1 ? s.value(r->firstRow, r->firstColumn - 1).toText() : "";
    return !left.empty() ? left : r->firstRow > 1 ? s.value(r->firstRow - 1, r->firstColumn).toText() : "";
}

void ExpectLabels(const Sheet& s, const std::vector<std::string>& cells) {
    for (const auto& cell : cells) {
        EXPECT_FALSE(LabelOf(s, cell).empty()) << "no label for " << cell;
        EXPECT_TRUE(s.value(cell).isEmpty()) << cell << " is for the writer to fill";
    }
}

void ExpectUnits(const Sheet& s, const std::vector<std::pair<std::string, std::string>>& cellUnits) {
    for (const auto& [cell, unit] : cellUnits)
        EXPECT_NE(LabelOf(s, cell).find(unit), std::string::npos) << cell << ": " << LabelOf(s, cell);
}

void ExpectHeadings(const Sheet& s, int firstRow, const std::string& columns) {
    for (char col : columns) {
        bool any = false;
        for (int row = firstRow; row < firstRow + 3; ++row)
            any = any || !s.value(std::string(1, col) + std::to_string(row)).isEmpty();
        EXPECT_TRUE(any) << "no heading over column " << col << " from row " << firstRow;
    }
}

}  // namespace

TEST(Templates, EachHasThreeSheetsAndOpensAsANewWorkbook) {
    for (const char* name : {"PowerCurve", "GlidePolar", "Migrate", "Progress Update"}) {
        Workbook wb = Template(name);
        EXPECT_EQ(wb.sheetCount(), 3) << name;
        EXPECT_TRUE(wb.path().empty()) << name;
        EXPECT_NE(wb.sheet("Sheet1"), nullptr) << name;
    }
}

TEST(Templates, PowerCurveLabelsEveryWrittenCell) {
    Workbook wb = Template("PowerCurve");
    const Sheet& s = wb.sheet(1);
    ExpectLabels(s, {"E1", "I1", "G2", "B2", "E2", "F3", "I16", "A24", "E4", "E5", "E6", "E7", "E8", "E9", "E10",
                     "E11", "E12", "E13", "E14", "E15", "E16", "E17", "E18", "E19", "E20", "J5", "J6", "J7", "J8",
                     "J9", "J10", "J11", "J12", "J13", "J14", "J15", "J17", "J18", "J19", "J20"});
    ExpectUnits(s, {{"E4", "(kg)"}, {"E9", "(kg)"}, {"E10", "(m)"}, {"E11", "(sq m)"}, {"E13", "(kg/cu m)"},
                    {"E14", "(m)"}, {"E15", "(sq m)"}, {"E18", "(W)"}, {"E20", "/W)"}, {"J9", "m/sec"},
                    {"J19", "N/sq m"}});
    ExpectHeadings(s, 26, "ABCDEFGHIJ");
    EXPECT_EQ(s.value("A28").text(), "m/s");
    EXPECT_TRUE(s.value("A29").isEmpty());
}

TEST(Templates, GlidePolarLabelsEveryWrittenCell) {
    Workbook wb = Template("GlidePolar");
    const Sheet& s = wb.sheet(1);
    ExpectLabels(s, {"E1", "I1", "G2", "B2", "E2", "G3", "D15", "E16", "E17", "E18", "E19", "A21", "E4", "E5",
                     "E6", "E7", "E8", "E9", "E10", "E11", "E12", "E13", "E14", "J5", "J6", "J7", "J8", "J9", "J10",
                     "J11", "J12", "J13", "J14", "J15", "J16", "J17", "J18", "J19"});
    ExpectUnits(s, {{"E16", "%"}, {"E17", "(km)"}, {"E19", "(W)"}, {"J16", "(m/s)"}, {"J17", "(km)"}});
    ExpectHeadings(s, 23, "ACEG");
    EXPECT_TRUE(s.value("A26").isEmpty());
}

TEST(Templates, MigrateLabelsEveryWrittenCell) {
    Workbook wb = Template("Migrate");
    const Sheet& s = wb.sheet(1);
    ExpectLabels(s, {"E1", "I1", "A34", "G2", "B2", "E2", "F3", "I16", "E4", "E5", "E6", "E7", "E8", "E9", "E10",
                     "E11", "E12", "E15", "E16", "E17", "E18", "E19", "E20", "E21", "E22", "D23", "D24", "E25", "E26",
                     "J5", "J6", "J7", "J8", "J9", "J10", "J11", "J12", "J13", "J17", "J18", "J21", "J22", "J24",
                     "J25"});
    ExpectUnits(s, {{"E19", "(J/kg)"}, {"E20", "(J/kg)"}, {"E22", "(%)"}, {"J21", "(min)"}, {"J22", "(hours)"}});
    // The cells of programmed runs only are labelled by the writer, which empties them in GPS runs.
    for (const char* cell : {"A13", "A14", "G14", "G15", "G19", "G20", "G23", "A29", "G26"})
        EXPECT_TRUE(s.value(cell).isEmpty()) << cell;
    ExpectHeadings(s, 47, "ABCDEFGHIJK");
    EXPECT_EQ(s.value("K49").text(), "kg");
    EXPECT_TRUE(s.value("A50").isEmpty());
}

TEST(Templates, ProgressUpdateHeadsItsNineteenColumns) {
    Workbook wb = Template("Progress Update");
    const Sheet* s = wb.sheet("Sheet1");
    ASSERT_NE(s, nullptr);
    ExpectHeadings(*s, 1, "ABDEFGHIJKLMNOPQRS");
    EXPECT_EQ(s->lastUsedRow(), 3);
    EXPECT_EQ(s->value("M3").text(), "min");
    EXPECT_EQ(s->value("O3").text(), "%");
}
