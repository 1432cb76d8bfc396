// One version number: the package's (CMake's project version), ornivo-cli --version and the version
// line of every output file.
#include <gtest/gtest.h>

#include <regex>

#include "external/spreadsheet/WorkbookFiles.h"
#include "output/OutputTree.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

using namespace ornivo;
using ornivo::test::ReadFile;
using ornivo::test::TempDir;

namespace {

const char* Mallard =
    R"({ "SpName": "Anas platyrhynchos", "ShortName": "Mallard", "EmptyMass": 1.0, "Span": 0.9,
         "WingArea": 0.1, "Altitude": 0, "edits": [["txtFatFrac", 0.1]] })";

const std::string kVersionLine = std::string("Computed by Ornivo Version ") + ORNIVO_PROJECT_VERSION;

// The version lines among the text cells of every sheet of a workbook.
std::vector<std::string> VersionCells(const sheet::Workbook& wb) {
    std::vector<std::string> lines;
    for (int i = 1; i <= wb.sheetCount(); ++i)
        for (const auto& [row, cells] : wb.sheet(i).rows())
            for (const auto& [column, cell] : cells)
                if (cell.value.text().rfind("Computed by Ornivo", 0) == 0) lines.push_back(cell.value.text());
    return lines;
}

}  // namespace

TEST(OneVersion, PackageCliAndOutputsShowTheProjectVersion) {
    // The package takes CMake's project version.
    const std::string cpack = ReadFile(ORNIVO_CPACK_CONFIG);
    EXPECT_NE(cpack.find(std::string("set(CPACK_PACKAGE_VERSION \"") + ORNIVO_PROJECT_VERSION + "\")"),
              std::string::npos);
    EXPECT_TRUE(std::regex_match(std::string(ORNIVO_PROJECT_VERSION), std::regex(R"(\d+\.\d+\.\d+)")));

    EXPECT_EQ(VersionText(), ORNIVO_PROJECT_VERSION);
    auto r = RunCli({"--version"});
    EXPECT_EQ(r.out, std::string("ornivo-cli ") + ORNIVO_PROJECT_VERSION + "\n");

    TempDir dir;
    const std::string text = dir.str() + "/mallard.txt";
    ASSERT_EQ(RunCli({"glide-polar", "-", "--format", "text", "--out", text}, Mallard).exitCode, 0);
    EXPECT_NE(ReadFile(text).find("\n" + kVersionLine + "\n"), std::string::npos) << ReadFile(text);

    for (const char* calc : {"power-curve", "glide-polar", "migrate"}) {
        const std::string xlsx = dir.str() + "/" + calc + ".xlsx";
        auto w = RunCli({calc, "-", "--format", "xlsx", "--out", xlsx}, Mallard);
        ASSERT_EQ(w.exitCode, 0) << calc << ": " << w.err;
        sheet::Workbook wb;
        std::string error;
        ASSERT_TRUE(sheet::OpenWorkbook(xlsx, wb, error)) << error;
        EXPECT_EQ(VersionCells(wb), std::vector<std::string>{kVersionLine}) << calc;
    }
}
