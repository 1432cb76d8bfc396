// Saving a result workbook of the size a migration run writes: about 100 rows of 11 columns.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "external/spreadsheet/Workbook.h"

using namespace ornivo::sheet;

namespace {

Workbook MigrationSizedWorkbook() {
    Workbook wb;
    Sheet& s = wb.addSheet("Sheet1");
    for (int row = 1; row <= 30; ++row) {
        s.write(row, 1, "Label of parameter " + std::to_string(row));
        s.write(row, 5, 0.001 * row * 1234.5);
    }
    for (int row = 50; row < 150; ++row)
        for (int col = 1; col <= 11; ++col) s.write(row, col, 0.1 * row + col / 7.0);
    s.setFont("A47:K49", {.name = "Times New Roman", .size = 10, .bold = true});
    s.setAlignment("A47:K49", Align::Right);
    s.setFontColour("E4", kRed);
    return wb;
}

void BM_SaveMigrationWorkbook(benchmark::State& state) {
    Workbook wb = MigrationSizedWorkbook();
    std::string path = "/tmp/ornivo-bench-" + std::to_string(::getpid()) + ".xlsx";
    for (auto _ : state) {
        Status st = wb.saveAs(path);
        if (!st.ok()) state.SkipWithError(st.text.c_str());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveMigrationWorkbook)->Unit(benchmark::kMillisecond);

}  // namespace
