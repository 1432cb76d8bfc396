// ornivo-cli track import: raw GPS fixes (Movebank CSV or GPX) to the track workbook of a GPS run.
#include <algorithm>
#include <cmath>
#include <iostream>

#include "cli/Command.h"
#include "track/TrackImport.h"
#include "track/TrackWriters.h"

namespace ornivo::cli {
namespace {

const std::vector<std::string> kValueFlags = {
    "--out", "--csv", "--animal", "--grid", "--start", "--end", "--wind-from", "--wind-speed", "--max-speed",
    "--ground-speed", "--ground-seg-speed", "--ground-tag-max", "--stop-fixes", "--stop-gap-hours",
    "--empty-row-hours"};

std::optional<track::Moment> markOption(const Args& args, const std::string& flag) {
    auto v = args.value(flag);
    if (!v) return std::nullopt;
    auto m = track::ParseMarkText(*v);
    if (!m) throw UsageError(flag + " must be a UTC time \"YYYY-MM-DD HH:MM\", not \"" + *v + "\"");
    return m;
}

track::ImportOptions readOptions(const Args& args) {
    track::ImportOptions o;
    auto num = [&](const char* flag, double& target) {
        if (auto v = args.number(flag)) target = *v;
    };
    num("--grid", o.gridMinutes);
    num("--max-speed", o.maxSpeed);
    num("--ground-speed", o.groundSpeed);
    num("--ground-seg-speed", o.groundSegSpeed);
    num("--ground-tag-max", o.groundTagMax);
    num("--stop-gap-hours", o.stopGapHours);
    if (auto v = args.number("--stop-fixes")) {
        if (*v != std::floor(*v) || *v < 2 || *v > 1e9) throw UsageError("--stop-fixes must be a whole number of 2 or more");
        o.stopFixes = int(*v);
    }
    if (auto v = args.value("--empty-row-hours")) {
        auto comma = v->find(',');
        if (comma == std::string::npos) throw UsageError("--empty-row-hours takes two numbers of hours, as 3,8");
        o.emptyRowHours = {ParseNumber(v->substr(0, comma), "--empty-row-hours"),
                           ParseNumber(v->substr(comma + 1), "--empty-row-hours")};
    }
    o.windFrom = args.number("--wind-from");
    o.windSpeed = args.number("--wind-speed");
    o.start = markOption(args, "--start");
    o.end = markOption(args, "--end");
    if (auto v = args.value("--animal")) o.animal = *v;
    if (auto e = track::CheckOptions(o); !e.empty()) throw UsageError(e);
    return o;
}

int runImport(const Args& args) {
    const auto& all = args.all();
    for (std::size_t i = 1; i < all.size(); ++i) {
        const auto& x = all[i];
        const bool known = std::find(kValueFlags.begin(), kValueFlags.end(), x) != kValueFlags.end();
        if (known) ++i;
        else if (x.rfind("--", 0) == 0) throw UsageError("unknown option " + x);
    }
    auto pos = args.positional(kValueFlags);
    if (pos.size() != 2) throw UsageError("track import takes one file of fixes (FIXES.csv or FIXES.gpx)");
    auto out = args.value("--out");
    if (!out) throw UsageError("--out TRACK.xlsx is required");
    const auto options = readOptions(args);
    const auto result = track::ImportTrack(pos[1], options);
    if (!result.ok()) {
        if (result.outcome == track::ImportResult::Outcome::FileError) {
            std::cerr << "ornivo-cli track: " << (result.message.empty() ? "cannot read the file" : result.message[0]) << "\n";
            return ExitFailure;
        }
        for (const auto& l : result.message) std::cerr << l << "\n";
        return ExitRefused;
    }
    for (const auto& l : track::SummaryLines(result.summary)) std::cout << l << "\n";
    if (auto e = track::SaveTrackWorkbook(result, *out); !e.empty()) {
        std::cerr << "ornivo-cli track: " << e << "\n";
        return ExitFailure;
    }
    std::cout << "Saved: " << *out << "\n";
    if (auto csv = args.value("--csv")) {
        if (auto e = track::SaveTrackCsv(result, *csv); !e.empty()) {
            std::cerr << "ornivo-cli track: " << e << "\n";
            return ExitFailure;
        }
        std::cout << "Saved: " << *csv << "\n";
    }
    return ExitOk;
}

int runTrack(const std::vector<std::string>& a) {
    if (a.empty() || a[0] != "import") throw UsageError("the only track call is \"track import\"");
    return runImport(Args(a));
}

}  // namespace

ORNIVO_CLI_COMMAND(track, "track",
                   "track import FIXES.csv|FIXES.gpx --out TRACK.xlsx [--csv TRACK.csv] [--animal ID] "
                   "[--grid MINUTES] [--start \"YYYY-MM-DD HH:MM\"] [--end \"YYYY-MM-DD HH:MM\"] "
                   "[--wind-from DEG --wind-speed M/S] [--max-speed 40] [--ground-speed 2] [--ground-seg-speed 0.5] "
                   "[--ground-tag-max 10] [--stop-fixes 3] [--stop-gap-hours 2] [--empty-row-hours 3,8]",
                   runTrack);

}  // namespace ornivo::cli
