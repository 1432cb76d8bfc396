// Importing a year of 5-minute GPS fixes (105,120 rows): reading the Movebank CSV, the rules, and
// writing the track workbook and CSV. Target: the import of the year under one second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "track/FixFiles.h"
#include "track/TrackImport.h"
#include "track/TrackWriters.h"

using namespace ornivo::track;

namespace {

// Flies 10 m/s east (odd days west) from 06:00 to 16:00 UTC, and sits on the ground otherwise.
std::string YearOfFixes() {
    std::string t = "event-id,visible,timestamp,location-long,location-lat,eobs:status,eobs:type-of-fix,ground-speed,"
                    "heading,height-above-ellipsoid,individual-local-identifier,study-name\n";
    t.reserve(105'120 * 140);
    const Moment start = DaysFromCivil(2016, 1, 1) * kMicrosPerDay;
    double lon = 10, lat = 40;
    char buf[256];
    for (int i = 0; i < 105'120; ++i) {
        const Moment m = start + int64_t(i) * 300 * kMicrosPerSecond + (i % 7) * 1'300'000;
        const int64_t sec = SecondOfDay(m);
        const bool flying = sec >= 6 * 3600 && sec < 16 * 3600;
        const bool east = DayOf(m) % 2 == 1;
        if (flying) lon += (east ? 1 : -1) * 3.0 / 111.111;  // 3 km in 5 minutes
        const double height = flying ? 800 + (i % 12) * 40 : 120 + (i % 3);
        std::snprintf(buf, sizeof buf, "%d,true,%s.000,%.6f,%.6f,\"A\",3,%.2f,%.2f,%.1f,\"bird\",\"Year, test\"\n",
                      100000 + i, MomentText(m).c_str(), lon + (i % 5) * 1e-5, lat, flying ? 11.5 : 0.3,
                      east ? 90.0 : 270.0, height);
        t += buf;
    }
    return t;
}

const std::string& Year() {
    static const std::string text = YearOfFixes();
    return text;
}

void BM_ImportYear(benchmark::State& state) {
    for (auto _ : state) {
        FixFile file;
        std::string error;
        ReadMovebankCsv(Year(), file, error);
        auto r = ImportTrack(file, "year.csv", ImportOptions{});
        if (!r.ok()) state.SkipWithError(r.message.at(0).c_str());
        benchmark::DoNotOptimize(r.rows.data());
        state.counters["rows"] = double(r.rows.size());
    }
}
BENCHMARK(BM_ImportYear)->Unit(benchmark::kMillisecond);

void BM_WriteYear(benchmark::State& state) {
    FixFile file;
    std::string error;
    ReadMovebankCsv(Year(), file, error);
    const auto r = ImportTrack(file, "year.csv", ImportOptions{});
    const auto dir = std::filesystem::temp_directory_path();
    for (auto _ : state) {
        benchmark::DoNotOptimize(TrackCsvText(r).size());
        auto e = SaveTrackWorkbook(r, (dir / "ornivo-bench-track.xlsx").string());
        if (!e.empty()) state.SkipWithError(e.c_str());
    }
    std::filesystem::remove(dir / "ornivo-bench-track.xlsx");
}
BENCHMARK(BM_WriteYear)->Unit(benchmark::kMillisecond);

}  // namespace
