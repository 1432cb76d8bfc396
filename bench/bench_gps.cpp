// A migration along a made-up GPS track of 1000 fixes with 20 stops (track read, segments, stops, projection).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bird/EnterBird.h"
#include "migrate/SetupMigrate.h"
#include "platform/ScriptedDialogs.h"

using namespace ornivo;

static std::string makeTrack() {
    std::ostringstream o;
    o << "Date,Time,Lat,Lon,Pt,Fix,Alt,Ts,Th,Date,AltASL,Ratio,Dist,Dur,Src,Roc,Trk,Gs,Wfrom,Wspd,Ahdg,Aspd\n";
    int minute = 0;
    for (int i = 0; i < 1000; ++i) {
        if (i > 0 && i % 50 == 0) {
            o << ",,,,,,,,,,,,,,,,,,,,,\n";
            minute += 600;
        }
        minute += 20;
        char t[64];
        std::snprintf(t, sizeof t, "2020-01-%02d,%02d:%02d:00", 1 + minute / 1440, (minute / 60) % 24, minute % 60);
        o << t << ",10," << 0.1 * i << "," << i + 1 << ",3,500,12,90,2020-01-01,500,0.95,.,1200,4,0.01,90,"
          << (i % 3 ? 14 : 4) << ",270,2," << 90 << "," << (i % 3 ? 14 : 4) << "\n";
    }
    return o.str();
}

static void BM_GpsRun(benchmark::State& state) {
    const auto path = (std::filesystem::temp_directory_path() / "ornivo-bench-track.csv").string();
    std::ofstream(path) << makeTrack();
    for (auto _ : state) {
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
        migrate::SetupMigrateEdit(s, d, "txtFatFrac", Edit::typed("0.3"));
        migrate::SetupMigrateEdit(s, d, "optGPS", Edit::click());
        d.yesNo.push_back(false);
        d.files.push_back(path);
        if (migrate::StartMigrating(s, d) != migrate::StartOutcome::Finished || s.PointCount != 1000) {
            state.SkipWithError("the GPS run did not finish");
            break;
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_GpsRun)->Unit(benchmark::kMillisecond);
