// Migrations along made-up GPS tracks: 1000 fixes, and a year of five-minute fixes (10^5 rows) or ten
// (10^6 rows) with a feeding site around it all; the track read alone and the whole run, from .csv and
// .xlsx. (The memory a run holds is best seen from outside: /usr/bin/time -v ornivo-cli migrate ...)
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "bird/EnterBird.h"
#include "external/spreadsheet/RowStream.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "migrate/SetupMigrate.h"
#include "platform/ScriptedDialogs.h"

using namespace ornivo;

namespace {

const char* kHeader = "Date,Time,Lat,Lon,Pt,Fix,Alt,Ts,Th,Date,AltASL,Ratio,Dist,Dur,Src,Roc,Trk,Gs,Wfrom,Wspd,Ahdg,Aspd\n";

// `fixes` fixes 20 minutes apart, each closing a one-second segment (so that a bird's fuel lasts a year
// of rows), a night stop every 5000, on a track heading east along 10 N.
void WriteTrackCsv(const std::string& path, int fixes) {
    std::ofstream o(path);
    o << kHeader;
    long minute = 0;
    char line[256];
    for (int i = 0; i < fixes; ++i) {
        if (i > 0 && i % 5000 == 0) {
            o << ",,,,,,,,,,,,,,,,,,,,,\n";
            minute += 600;
        }
        minute += 20;
        const long day = minute / 1440;
        const int year = 2000 + static_cast<int>(day / 336), month = 1 + static_cast<int>(day / 28 % 12);
        const double lon = std::fmod(0.0001 * i, 40.0);
        const int speed = i % 3 ? 14 : 4;
        std::snprintf(line, sizeof line,
                      "%04d-%02d-%02d,%02ld:%02ld:00,10,%.4f,%d,3,500,12,90,2020-01-01,500,0.95,.,1,4,%.2f,90,%d,"
                      "270,2,90,%d\n",
                      year, month, 1 + static_cast<int>(day % 28), minute / 60 % 24, minute % 60, lon, i % 30000,
                      i % 7 == 0 ? 0.8 : -0.1, speed, speed);
        o << line;
    }
}

// The same track as a workbook with the sheet "Moving" (data from row 4).
void WriteTrackXlsx(const std::string& csvPath, const std::string& path) {
    sheet::Workbook text, book;
    std::string error;
    sheet::ReadCsv(csvPath, text, error);
    sheet::Sheet& moving = book.addSheet("Moving");
    for (const auto& [row, cells] : text.sheet("Moving")->rows())
        for (const auto& [column, cell] : cells) {
            moving.write(row + 2, column, cell.value);
            if (!cell.numberFormat.empty()) moving.setNumberFormat(row + 2, column, cell.numberFormat);
        }
    book.saveAs(path);
}

// A site around the whole track, feeding as much as the bird spends on the ground.
void WriteSites(const std::string& path) {
    std::ofstream(path) << "Sites\n1\n\"Everywhere\",3,-80,-179,80,-179,80,179,-80,179\n";
}

struct TrackFiles {
    std::string csv, xlsx, sites;
};

// Made once per size and kept for the run of the program.
const TrackFiles& Files(int fixes, bool xlsx) {
    static std::map<int, TrackFiles> made;
    TrackFiles& f = made[fixes];
    const auto dir = std::filesystem::temp_directory_path();
    if (f.csv.empty()) {
        f.csv = (dir / ("ornivo-bench-track-" + std::to_string(fixes) + ".csv")).string();
        f.sites = (dir / "ornivo-bench-sites.txt").string();
        WriteTrackCsv(f.csv, fixes);
        WriteSites(f.sites);
    }
    if (xlsx && f.xlsx.empty()) {
        f.xlsx = (dir / ("ornivo-bench-track-" + std::to_string(fixes) + ".xlsx")).string();
        WriteTrackXlsx(f.csv, f.xlsx);
    }
    return f;
}

bool RunAlong(const std::string& track, const std::string& sites, int fixes) {
    ProgramState s;
    platform::ScriptedDialogs d;
    bird::LoadEnterBird(s);
    bird::EnterBirdField(s, d, "txtSpName", "Ciconia ciconia");
    bird::EnterBirdField(s, d, "txtEmptyMass", "3");
    bird::EnterBirdField(s, d, "txtSpan", "2");
    bird::EnterBirdField(s, d, "txtArea", "0.45");
    bird::EnterBirdField(s, d, "txtAlt", "0");
    bird::PressCalculation(s, d, bird::Calculation::Migrate);
    migrate::LoadSetupMigrate(s, d);
    migrate::SetupMigrateEdit(s, d, "txtFatFrac", Edit::typed("0.5"));
    migrate::SetupMigrateEdit(s, d, "optGPS", Edit::click());
    d.yesNo.push_back(!sites.empty());
    if (!sites.empty()) d.files.push_back(sites);
    d.files.push_back(track);
    return migrate::StartMigrating(s, d) == migrate::StartOutcome::Finished && s.Gps.PointCount == fixes;
}

// args: fixes, 1 for .xlsx
void BM_GpsRun(benchmark::State& state) {
    const int fixes = static_cast<int>(state.range(0));
    const bool xlsx = state.range(1) != 0;
    const TrackFiles& f = Files(fixes, xlsx);
    for (auto _ : state)
        if (!RunAlong(xlsx ? f.xlsx : f.csv, fixes > 1000 ? f.sites : "", fixes)) {
            state.SkipWithError("the GPS run did not finish");
            break;
        }
    state.counters["rows_per_s"] = benchmark::Counter(fixes * 1.02, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_GpsRun)->Args({1000, 0})->Args({100000, 0})->Args({100000, 1})->Args({1000000, 0})
    ->Unit(benchmark::kMillisecond);

// The track read row by row, every cell converted, as the run reads it.
void BM_TrackRead(benchmark::State& state) {
    const int fixes = static_cast<int>(state.range(0));
    const bool xlsx = state.range(1) != 0;
    const TrackFiles& f = Files(fixes, xlsx);
    for (auto _ : state) {
        std::string error;
        auto rows = xlsx ? sheet::OpenXlsxRows(f.xlsx, "Moving", error) : sheet::OpenCsvRows(f.csv, error);
        sheet::StreamRow row;
        std::size_t cells = 0;
        while (rows && rows->next(row)) cells += row.cells.size();
        if (!rows || !rows->error().empty()) {
            state.SkipWithError("the track could not be read");
            break;
        }
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_TrackRead)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
