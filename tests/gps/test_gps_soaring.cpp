// GPS runs of birds that climb in thermals and glide down: the real stork leg as a user runs it from the
// command line, a made-up track of steep climbs and descents, a track longer than the bird's fuel, and a
// track longer than any 16-bit counter.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/RunCli.h"
#include "support/TempDir.h"

using namespace ornivo;
using nlohmann::json;

namespace {

const std::string kStork = "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed";

// Columns of the row tables.
constexpr int Time = 1, FatMass = 9, MuscleMass = 10, Pmech = 2, ProteinShare = 5;

const char* kHeader =
    "Date,Time,Latitude,Longitude,Point,Fix,Altitude,Tag speed,Tag heading,Date,Altitude ASL,Density ratio,"
    "Ground distance,Duration,Source rows,Rate of climb,Track,Ground speed,Wind from,Wind speed,Air heading,Air speed\n";

// A fix of a made-up track heading east along the equator, `minute` minutes after midnight of day `day`.
std::string Fix(int day, int minute, double lon, int duration, double airSpeed, double climb) {
    std::ostringstream o;
    char date[16], time[16];
    std::snprintf(date, sizeof date, "2020-%02d-%02d", 1 + (day / 28) % 12, 1 + day % 28);
    std::snprintf(time, sizeof time, "%02d:%02d", minute / 60 % 24, minute % 60);
    o << date << "," << time << ",0," << lon << ",1,3,100,5,90," << date << ",100,1,.," << duration << ",4," << climb
      << ",90," << airSpeed << ",90,0,90," << airSpeed << "\n";
    return o.str();
}

json RunGps(const test::TempDir& dir, const std::string& bird, const std::string& track, const std::string& sites = {}) {
    std::vector<std::string> args = {"migrate", "-", "--gps", track};
    if (!sites.empty()) args.insert(args.end(), {"--sites", sites});
    RunResult r = RunCli(args, bird);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return json::parse(r.out)["results"];
}

const std::string kWhiteStork = R"({"Preset": "White Stork", "edits": [["txtFatFrac", 0.15]]})";

// Rows of the track phase that are flight rows (not stops, not the end-of-data row).
std::vector<int> FlightRows(const json& res) {
    std::vector<int> rows;
    const json& travel = res["TravelTable"];
    for (int r = 1; r <= res["RowsWritten"].get<int>(); ++r) {
        const double t = travel[r][Time].get<double>();
        if (t == 0) break;  // the end of the GPS data
        if (t != -1) rows.push_back(r);
    }
    return rows;
}

}  // namespace

TEST(GpsSoaring, StorkLegKeepsItsMusclesAndNeverMakesFuelFromADescent) {
    test::TempDir dir;
    const json res = RunGps(dir, kWhiteStork, dir.copyTrack(kStork + ".csv"), dir.copyTrack(kStork + "_StopoverSites.txt"));
    const json& travel = res["TravelTable"];
    const json& power = res["PowerTable"];
    const json& fuel = res["FuelTable"];
    EXPECT_NEAR(travel[0][MuscleMass].get<double>(), 0.583, 0.001);
    const std::vector<int> rows = FlightRows(res);
    ASSERT_EQ(rows.size(), 67u);
    for (int r : rows) {
        EXPECT_GT(travel[r][MuscleMass].get<double>(), 0.54) << "row " << r;
        EXPECT_GE(power[r][Pmech].get<double>(), 0) << "row " << r;
    }
    // Fat only falls while the bird flies: a muscle cut credited to fat may add a few grams, no more.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i] != rows[i - 1] + 1) continue;  // a stop between them may feed
        EXPECT_LE(travel[rows[i]][FatMass].get<double>(), travel[rows[i - 1]][FatMass].get<double>() + 0.01)
            << "row " << rows[i];
    }
    // After the first hours the protein share settles near the minimum share taken from protein.
    const double share = fuel[rows.back()][ProteinShare].get<double>();
    EXPECT_GT(share, 4.0);
    EXPECT_LT(share, 9.0);
    // The projection to zero fuel ends about 82 hours after the start.
    EXPECT_NEAR(res["EndStates"][0][1].get<double>(), 82, 3);
    EXPECT_FALSE(res.contains("fatRanOut"));
}

TEST(GpsSoaring, ThermalClimbAndSteepDescentChargeTheClimbOnceAndTheDescentNothing) {
    test::TempDir dir;
    std::string csv = kHeader;
    // Level, a long thermal climb at 2.5 m/s, a steep glide at -3 m/s, level again: 15-minute segments.
    const double climbs[] = {0, 0, 2.5, 2.5, 2.5, 2.5, -3, -3, -3, 0, 0};
    int minute = 360;
    double lon = 0;
    for (double c : climbs) {
        minute += 15;
        lon += 0.1;
        csv += Fix(0, minute, lon, 900, 12, c);
    }
    const std::string track = dir.write("thermals.csv", csv);
    const json res = RunGps(dir, kWhiteStork, track);
    const json& travel = res["TravelTable"];
    const json& power = res["PowerTable"];
    for (int r = 1; r <= 11; ++r) {
        EXPECT_GE(power[r][Pmech].get<double>(), 0) << r;
        EXPECT_GT(travel[r][MuscleMass].get<double>(), 0.55) << r;
        if (r > 1) {
            EXPECT_LE(travel[r][FatMass].get<double>(), travel[r - 1][FatMass].get<double>() + 0.01) << r;
        }
    }
    // The climb costs its potential energy once: m g c over the level power, not (1 + X1) times it.
    const double m = travel[3][8].get<double>();
    const double climbPower = m * 9.81 * 2.5;
    EXPECT_NEAR(power[3][Pmech].get<double>() - power[2][Pmech].get<double>(), climbPower, 0.08 * climbPower);
    // A glide steeper than the level power can absorb costs the basal rate alone: Pchem / Pbmr is the
    // respiration factor (about 1.1) instead of some twenty times the basal rate in level flight.
    EXPECT_GT(power[1][10].get<double>(), 5);
    for (int r = 7; r <= 9; ++r) {
        EXPECT_EQ(power[r][Pmech].get<double>(), 0) << r;
        EXPECT_LT(power[r][10].get<double>(), 1.5) << r;
    }
}

TEST(GpsSoaring, ATrackLongerThanTheFuelSaysWhereTheFatRanOut) {
    test::TempDir dir;
    std::string csv = kHeader;
    // Four days of 12 flight hours at 12 m/s, nights on the ground: far beyond a lean stork's fuel.
    double lon = 0;
    for (int day = 0; day < 4; ++day) {
        for (int k = 0; k < 48; ++k) {
            lon += 0.1;
            csv += Fix(day, 360 + 15 * (k + 1), lon, 900, 12, 0);
        }
        csv += ",,,,,,,,,,,,,,,,,,,,,\n";
    }
    const std::string track = dir.write("long.csv", csv);
    const std::string lean = R"({"Preset": "White Stork", "edits": [["txtFatFrac", 0.05]]})";
    const json res = RunGps(dir, lean, track);
    ASSERT_TRUE(res["fatRanOut"].is_object());
    const int point = res["fatRanOut"]["point"].get<int>();
    EXPECT_GT(point, 1);
    EXPECT_LT(point, 4 * 48);
    // The point named is the first one whose row shows a negative fat mass.
    const json& travel = res["TravelTable"];
    int seen = 0, firstNegative = 0;
    for (int r = 1; r <= res["RowsWritten"].get<int>() && !firstNegative; ++r) {
        const double t = travel[r][Time].get<double>();
        if (t == 0) break;
        if (t == -1) continue;
        ++seen;
        if (travel[r][FatMass].get<double>() < 0) firstNegative = seen;
    }
    EXPECT_EQ(point, firstNegative);
    const std::string text = res["fatRanOut"]["text"];
    EXPECT_EQ(text, "Fat ran out at point " + std::to_string(point) + " (" +
                        res["fatRanOut"]["moment"].get<std::string>() + "); later rows show the deficit");
    EXPECT_EQ(res["fatRanOut"]["moment"].get<std::string>().size(), 19u);  // yyyy-mm-dd hh:mm:ss

    // The text output says it under the tables.
    RunResult r = RunCli({"migrate", "-", "--gps", track, "--format", "text"}, lean);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(text), std::string::npos);
}

TEST(GpsSoaring, TrackOfMoreRowsThanA16BitCounterHolds) {
    test::TempDir dir;
    std::ofstream out(dir.str() + "/year.csv");
    out << kHeader;
    // 34,000 fixes of 10-second segments, a stop after every 100: more rows than 32,767.
    double lon = 0;
    int rows = 0;
    for (int k = 0; rows < 34000; ++k) {
        lon += 0.001;
        if (lon > 170) lon = -170;
        out << Fix(k / 96, 15 * (k % 96), lon, 10, 12, 0);
        ++rows;
        if (k % 100 == 99) {
            out << ",,,,,,,,,,,,,,,,,,,,,\n";
            ++rows;
        }
    }
    out.close();
    const std::string bird = R"({"Preset": "White Stork", "edits": [["txtFatFrac", 0.3]]})";
    const json res = RunGps(dir, bird, dir.str() + "/year.csv");
    EXPECT_GT(res["RowsWritten"].get<int>(), 34000);
    EXPECT_EQ(res["TravelTable"].size(), static_cast<std::size_t>(res["RowsWritten"].get<int>()) + 1);
}
