// ornivo-cli's tidy tables: --tables tidy gives records by column in place of the program state's
// tables, cell for cell the same values; --table NAME --format csv prints one table; the default
// JSON keeps the program state's tables.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/RunCli.h"
#include "support/TempDir.h"

using ornivo::test::TempDir;
using Json = nlohmann::ordered_json;
using Names = std::vector<std::string>;

namespace {

const std::string kStork = "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed";
const char* kStorkBird = R"({"Preset": "White Stork", "edits": [["txtFatFrac", 0.15]]})";

std::string Case(const std::string& name) { return (ornivo::test::ReferenceDir() / "cases" / name).string(); }

Json RunJson(Names args) {
    RunResult r = RunCli(std::move(args), {}, 120);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.exitCode == 0 ? Json::parse(r.out) : Json::object();
}

// A call's JSON in both shapes; everything but the replaced tables must be the same in both.
struct Both {
    Json state, tidy;
    Both(Names args, const Names& replaced) : state(RunJson(args)) {
        args.insert(args.end(), {"--tables", "tidy"});
        tidy = RunJson(args);
        for (const char* part : {"calculation", "inputs", "messages"}) EXPECT_EQ(tidy[part], state[part]) << part;
        for (const auto& [key, value] : state.at("results").items())
            EXPECT_EQ(tidy["results"].value(key, Json()), std::count(replaced.begin(), replaced.end(), key) ? Json() : value)
                << key;
    }
    const Json& table(const std::string& name) const { return state.at("results").at(name); }
    const Json& records(const std::string& name) const { return tidy.at("results").at(name); }
    // The records' columns `names` are the cells of `row` from column `first` on.
    void expectCells(const Json& rec, const Json& row, const Names& names, int first = 0) const {
        for (std::size_t c = 0; c < names.size(); ++c) EXPECT_EQ(rec.at(names[c]), row.at(first + c)) << names[c];
    }
};

// "rows": rows 0..RowsWritten of the four row tables side by side.
void ExpectMigrationRows(const Both& b, bool gps) {
    const int last = b.state["results"]["RowsWritten"];
    ASSERT_EQ(b.records("rows").size(), last + 1u);
    for (int r = 0; r <= last; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const Json& rec = b.records("rows")[r];
        const double time = rec["Time"];  // -1 a stop of a track, 0 the row after the track's last fix
        EXPECT_EQ(rec["Kind"], time == -1 ? "stop" : r > 0 && time == 0 ? "end" : "flight");
        b.expectCells(rec, b.table("TravelTable")[r], {"Time", "Distance", "Speed", "Vmp", "SpeedRatio", "ReWing",
                                                       "ReBody", "AllUpMass", "FatMass", "MuscleMass", "AirframeMass"}, 1);
        b.expectCells(rec, b.table("PowerTable")[r], {"Pmech", "Pchem", "EffLDChem", "WbeatFreq", "ReducedFreq",
                                                      "MyoSpecificPower", "SpecificWork", "Pbmr", "PchemPbmrRatio", "MitoPct"}, 2);
        b.expectCells(rec, b.table("FuelTable")[r], {"FatBurned", "ProteinBurned", "FuelBurned", "ProteinPct", "BmrPct",
                                                     "MuscleFrac", "AirframeFrac", "FuelFrac", "FuelEnergyHeight", "MetabolicSink"}, 2);
        if (gps) b.expectCells(rec, b.table("GpsTable")[r], {"Altitude", "AirDensity", "GpsClimbRate"}, 2);
        EXPECT_EQ(rec.size(), gps ? 36u : 33u);
    }
}

}  // namespace

TEST(CliTidy, CurvePolarAndCrossCountryAreTheirTablesCells)
{
    const Both pc({"power-curve", Case("pc-008.json"), "--uncertainty"}, {"PowerCurveTable"});
    // PowerCurveTable[quantity][whole speed], a record per speed with a point from CurveFirstSpeed to CurveLastRow.
    const Json& t = pc.table("PowerCurveTable");
    std::size_t i = 0;
    for (int v = pc.state["results"]["CurveFirstSpeed"]; v <= pc.state["results"]["CurveLastRow"].get<int>(); ++v) {
        if (!(t[0][v].get<double>() > 0)) continue;
        const Json& rec = pc.records("curve").at(i++);
        EXPECT_EQ(rec["Speed"], v);
        const Names quantities = {"EAS", "Pmech", "Pchem", "EffLDChem", "MyoSpecificPower", "SpecificWork",
                                  "PmechLow", "PmechHigh", "PmechUncert", "PmechUncertPct", "ClimbRate"};
        for (std::size_t q = 0; q < quantities.size(); ++q) EXPECT_EQ(rec[quantities[q]], t[q][v]) << v << quantities[q];
    }
    EXPECT_EQ(i, pc.records("curve").size());
    EXPECT_EQ(pc.tidy["units"], Json::parse(R"({"curve": {"Speed": "m/s", "EAS": "m/s", "Pmech": "W", "Pchem": "W",
        "EffLDChem": "", "MyoSpecificPower": "W/kg", "SpecificWork": "J/kg", "ClimbRate": "m/s", "PmechLow": "W",
        "PmechHigh": "W", "PmechUncert": "W", "PmechUncertPct": "%"}})"));

    const Both gp({"glide-polar", Case("gp-016.json")}, {"GlidePolarTable", "MacCreadyTable"});
    const int first = gp.state["results"]["PolarFirstRow"], last = gp.state["results"]["PolarLastRow"];
    ASSERT_EQ(gp.records("polar").size(), static_cast<std::size_t>(last - first + 1));
    for (int k = first; k <= last; ++k) {
        EXPECT_EQ(gp.records("polar")[k - first]["Speed"], k);
        gp.expectCells(gp.records("polar")[k - first], gp.table("GlidePolarTable")[k], {"SpanRatio", "Sink", "GlideRatio"});
    }
    ASSERT_EQ(gp.records("crosscountry").size(), 6u);
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(gp.records("crosscountry")[r - 1]["Climb"], r * 0.5);
        gp.expectCells(gp.records("crosscountry")[r - 1], gp.table("MacCreadyTable")[r],
                       {"VitOpt", "VccMax", "EffLDMax", "VccBg", "EffLDBg"});
    }
}

TEST(CliTidy, MigrationRowsAndTheStopsOfTheStorkTrack)
{
    const Both mg({"migrate", Case("mg-024.json")}, {"TravelTable", "PowerTable", "FuelTable", "GpsTable"});
    ExpectMigrationRows(mg, false);
    EXPECT_EQ(mg.tidy["units"].size(), 1u);

    TempDir dir;
    dir.copyTrack(kStork + ".csv");
    dir.copyTrack(kStork + "_StopoverSites.txt");
    // Track and sites from the bird file's keys.
    Json bird = Json::parse(kStorkBird);
    bird["gps"] = kStork + ".csv";
    bird["sites"] = kStork + "_StopoverSites.txt";
    const Both gps({"migrate", dir.write("stork.json", bird.dump())},
                   {"TravelTable", "PowerTable", "FuelTable", "GpsTable", "Stops"});
    ExpectMigrationRows(gps, true);
    // A record per stop as the default JSON's "Stops", each at a stop row of "rows".
    const Json& stops = gps.records("stops");
    EXPECT_EQ(stops, gps.table("Stops"));
    ASSERT_EQ(stops.size(), 3u);
    for (const auto& stop : stops) EXPECT_EQ(gps.records("rows")[stop["Row"].get<int>()]["Kind"], "stop");
    EXPECT_EQ(stops[0]["Site"], "Roost 2-3 May 2016 Konya plain 37.93N 32.65E");
    EXPECT_EQ(gps.tidy["units"]["stops"]["Lat"], "deg N");
    EXPECT_EQ(gps.tidy["units"]["stops"]["FatChange"], "kg");
}

TEST(CliTidy, CsvOfATable)
{
    const Json tidy = RunJson({"glide-polar", Case("gp-008.json"), "--tables", "tidy"});
    Names args = {"glide-polar", Case("gp-008.json"), "--table", "polar", "--format", "csv"};
    RunResult r = RunCli(args, {}, 120);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // The header, then each record's numbers as the JSON writes them, a whole value without its ".0".
    std::string expected = "Speed,SpanRatio,Sink,GlideRatio\n";
    for (const auto& rec : tidy["results"]["polar"]) {
        std::string line;
        for (const auto& [column, v] : rec.items()) {
            std::string text = v.dump();
            if (text.ends_with(".0")) text.resize(text.size() - 2);
            line += (line.empty() ? "" : ",") + text;
        }
        expected += line + "\n";
    }
    EXPECT_EQ(r.out, expected);
    TempDir dir;
    args.insert(args.end(), {"--out", dir.str() + "/polar.csv"});
    EXPECT_EQ(RunCli(args, {}, 120).out, "");
    EXPECT_EQ(ornivo::test::ReadFile(dir.str() + "/polar.csv"), r.out);

    // A site name with a comma: it and the note that names it are quoted.
    std::string sites = ornivo::test::ReadFile(dir.copyTrack(kStork + "_StopoverSites.txt"));
    sites.replace(sites.find("Roost 2-3 May 2016"), 18, "Roost, 2-3 May");
    r = RunCli({"migrate", "-", "--gps", dir.copyTrack(kStork + ".csv"), "--sites", dir.write("sites.txt", sites),
                "--table", "stops", "--format", "csv"}, kStorkBird, 120);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("\n54,")),
              "Row,Start,End,Lat,Lon,Site,FeedQ,Hours,FatChange,ProteinChange,Note\n"
              "32,2016-05-02 14:45:17,2016-05-03 06:40:09,37.930795,32.647807,\"Roost, 2-3 May Konya plain 37.93N "
              "32.65E\",4.5,15.914444444444445,0.017077804,0.0061411858,\"Feeding at Roost, 2-3 May Konya plain "
              "37.93N 32.65E (Rate 4.5) 15.9 hours\"");
}

TEST(CliTidy, AnUnknownTableIsAUsageErrorListingTheCallsTables)
{
    const std::string mg = Case("mg-024.json");
    const std::vector<std::pair<Names, std::string>> calls = {
        {{"power-curve", Case("pc-008.json"), "--table", "polar", "--format", "csv"}, "the tables of power-curve: curve"},
        {{"glide-polar", Case("gp-008.json"), "--table", "Polar", "--format", "csv"}, "glide-polar: polar, crosscountry"},
        {{"migrate", mg, "--table", "stops", "--format", "csv"}, "the tables of migrate: rows;"},  // no track
        {{"migrate", mg, "--format", "csv"}, "--format csv needs --table NAME"},
        {{"migrate", mg, "--table", "rows"}, "--table rows goes with --format csv"},
        {{"migrate", mg, "--tables", "tidy", "--format", "text"}, "--tables tidy goes with --format json"},
    };
    for (const auto& [args, reason] : calls) {
        RunResult r = RunCli(args, {}, 120);
        EXPECT_EQ(r.exitCode, 1) << reason;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }
    // A refusal of the run stays one.
    TempDir dir;
    RunResult r = RunCli({"migrate", "-", "--gps", dir.copyReference("tracks/gps_bad_badnumber.csv"), "--table",
                          "stops", "--format", "csv"}, kStorkBird, 120);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.out, "");
    // Each call's help lists its tables' columns with units.
    EXPECT_NE(RunCli({"migrate", "--help"}, {}, 60).out.find("FatChange (kg), ProteinChange (kg), Note (text)"),
              std::string::npos);
}

TEST(CliTidy, TheDefaultJsonKeepsTheProgramStatesTables)
{
    for (const std::string name : {"pc-008", "gp-008", "mg-024"}) {
        const std::string calc = name[0] == 'p' ? "power-curve" : name[0] == 'g' ? "glide-polar" : "migrate";
        RunResult plain = RunCli({calc, Case(name + ".json")}, {}, 120);
        ASSERT_EQ(plain.exitCode, 0) << plain.err;
        EXPECT_EQ(RunCli({calc, Case(name + ".json"), "--tables", "state"}, {}, 120).out, plain.out) << name;
        // Every result the reference case expects is there, tables as arrays of rows; no units.
        const Json j = Json::parse(plain.out);
        EXPECT_FALSE(j.contains("units")) << name;
        const Json expected = Json::parse(ornivo::test::ReadFile(Case(name + ".expected.json")));
        for (const auto& [key, value] : expected["results"].items())
            EXPECT_EQ(j["results"].value(key, Json()).is_array() && j["results"][key].at(0).is_array(),
                      value.is_array() && value.at(0).is_array()) << name << " " << key;
    }
}
