// Saving a migration result workbook of about 100 table rows (travel, power and fuel tables of 34
// rows each) from the shipped template: the cell map written, then the save. Target: under 50 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "output/MigrationWorkbook.h"
#include "output/OutputTree.h"
#include "output/WorkbookRunOutput.h"
#include "platform/Folders.h"

using namespace ornivo;
namespace fs = std::filesystem;

namespace {

// The program folder that holds XLTemplates/: the shipped folder, or bin/ beside the benchmarks.
std::string TemplateFolder() {
    for (const std::string& f : {platform::ShippedFolder(), platform::ProgramFolder() + "/../bin"})
        if (fs::exists(f + "/XLTemplates/Migrate.xlsx")) return f;
    return {};
}

ProgramState MigrationRun(int rows) {
    ProgramState s;
    SetVersionAndNotices(s);
    s.ProgramFolder = TemplateFolder();
    s.SpName = "Benchmark bird";
    s.ShortName = "Bb";
    s.Migration.RowsWritten = rows;
    for (MigrationTable* t : {&s.Migration.TravelTable, &s.Migration.PowerTable, &s.Migration.FuelTable}) {
        t->assign(static_cast<std::size_t>(rows) + 1);
        for (int r = 0; r <= rows; ++r)
            for (int c = 1; c < TableColumns; ++c) (*t)[r][c] = float(6.0 * r + c / 7.0);
    }
    s.Migration.StateLog.assign(static_cast<std::size_t>(rows) + 1, MigrationRecord{});
    s.Migration.StateLog[0][27] = 50000;
    s.Migration.EndStates[1][1] = 2500;
    s.OutputCount = 1;
    return s;
}

void BM_SaveMigrationWorkbook(benchmark::State& state) {
    ProgramState s = MigrationRun(33);
    if (s.ProgramFolder.empty()) {
        state.SkipWithError("no XLTemplates/Migrate.xlsx found");
        return;
    }
    OutputState o;
    std::string error;
    if (!output::OpenResultWorkbook(s, o, output::WorkbookCalc::Migration, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    output::AddRunSheet(s, o, output::WorkbookCalc::Migration);
    const OutputState filled = o;
    const int16_t count = s.OutputCount;
    const std::string path = "/tmp/ornivo-bench-workbook-" + std::to_string(::getpid()) + ".xlsx";
    for (auto _ : state) {
        state.PauseTiming();
        o = filled;
        s.OutputCount = count;
        state.ResumeTiming();
        const sheet::Status st = output::SaveWorkbookAs(s, o, output::WorkbookCalc::Migration, path);
        if (!st.ok()) state.SkipWithError(st.text.c_str());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveMigrationWorkbook)->Unit(benchmark::kMillisecond);

void BM_WriteAndSaveMigrationRun(benchmark::State& state) {
    ProgramState s = MigrationRun(33);
    if (s.ProgramFolder.empty()) {
        state.SkipWithError("no XLTemplates/Migrate.xlsx found");
        return;
    }
    const std::string path = "/tmp/ornivo-bench-run-" + std::to_string(::getpid()) + ".xlsx";
    for (auto _ : state) {
        OutputState o;
        std::string error;
        s.OutputCount = 1;
        if (!output::OpenResultWorkbook(s, o, output::WorkbookCalc::Migration, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        output::AddRunSheet(s, o, output::WorkbookCalc::Migration);
        const sheet::Status st = output::SaveWorkbookAs(s, o, output::WorkbookCalc::Migration, path);
        if (!st.ok()) state.SkipWithError(st.text.c_str());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteAndSaveMigrationRun)->Unit(benchmark::kMillisecond);

}  // namespace
