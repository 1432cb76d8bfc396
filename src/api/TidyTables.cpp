#include "api/TidyTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "migrate/GpsStops.h"

namespace ornivo::api {

double SingleValue(float x) {
    if (!std::isfinite(x)) return x;
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, x);
    double d = 0;
    std::from_chars(buf, r.ptr, d);
    return d;
}

namespace {

Column numbers(std::string name, std::string unit) { return Column{std::move(name), std::move(unit)}; }
Column texts(std::string name) { return Column{std::move(name), "", true}; }

// Columns named with units, filled a row at a time.
struct Builder {
    Table t;
    explicit Builder(std::string name, std::vector<Column> cols) { t.name = std::move(name); t.columns = std::move(cols); }
    void add(std::size_t c, double v) { t.columns[c].numbers.push_back(v); }
    void add(std::size_t c, std::string v) { t.columns[c].texts.push_back(std::move(v)); }
};

}  // namespace

Table PowerCurveTidy(const ProgramState& s) {
    Builder b("curve", {numbers("Speed", "m/s"), numbers("EAS", "m/s"), numbers("Pmech", "W"), numbers("Pchem", "W"),
                        numbers("EffLDChem", ""), numbers("MyoSpecificPower", "W/kg"), numbers("SpecificWork", "J/kg"),
                        numbers("ClimbRate", "m/s")});
    if (s.Flap.UncertDone)
        for (auto c : {numbers("PmechLow", "W"), numbers("PmechHigh", "W"), numbers("PmechUncert", "W"),
                       numbers("PmechUncertPct", "%")})
            b.t.columns.push_back(c);
    const auto& t = s.Flap.PowerCurveTable;
    if (t.size() < 11) return b.t;
    for (int v = std::max<int>(s.Flap.CurveFirstSpeed, 0); v <= s.Flap.CurveLastRow && v < static_cast<int>(t[0].size()); ++v) {
        if (!(t[0][v] > 0)) continue;
        b.add(0, v);
        const int rows[] = {0, 1, 2, 3, 4, 5, 10, 6, 7, 8, 9};
        for (std::size_t c = 1; c < b.t.columns.size(); ++c) b.add(c, SingleValue(t[rows[c - 1]][v]));
    }
    return b.t;
}

Table GlidePolarTidy(const ProgramState& s) {
    Builder b("polar", {numbers("Speed", "m/s"), numbers("SpanRatio", ""), numbers("Sink", "m/s"),
                        numbers("GlideRatio", "")});
    const auto& t = s.Glide.GlidePolarTable;
    for (int k = std::max<int>(s.Glide.PolarFirstRow, 0); k < static_cast<int>(t.size()); ++k) {
        if (t[k].size() < 3 || !(t[k][0] > 0)) break;
        b.add(0, k);
        for (std::size_t c = 0; c < 3; ++c) b.add(c + 1, SingleValue(t[k][c]));
    }
    return b.t;
}

Table CrossCountryTidy(const ProgramState& s) {
    Builder b("crosscountry", {numbers("Climb", "m/s"), numbers("VitOpt", "m/s"), numbers("VccMax", "m/s"),
                               numbers("EffLDMax", ""), numbers("VccBg", "m/s"), numbers("EffLDBg", "")});
    const auto& t = s.Glide.MacCreadyTable;
    for (std::size_t r = 1; r < t.size() && r <= 6; ++r) {
        b.add(0, r * 0.5);
        for (std::size_t c = 0; c < 5 && c < t[r].size(); ++c) b.add(c + 1, SingleValue(t[r][c]));
    }
    return b.t;
}

Table MigrationRowsTidy(const ProgramState& s) {
    // Column c (1..11) of each row table, by name and unit.
    struct Source { const MigrationTable* table; int column; const char* name; const char* unit; };
    std::vector<Source> sources = {
        {&s.Migration.TravelTable, 1, "Time", "h"},          {&s.Migration.TravelTable, 2, "Distance", "km"},
        {&s.Migration.TravelTable, 3, "Speed", "m/s"},       {&s.Migration.TravelTable, 4, "Vmp", "m/s"},
        {&s.Migration.TravelTable, 5, "SpeedRatio", ""},     {&s.Migration.TravelTable, 6, "ReWing", ""},
        {&s.Migration.TravelTable, 7, "ReBody", ""},         {&s.Migration.TravelTable, 8, "AllUpMass", "kg"},
        {&s.Migration.TravelTable, 9, "FatMass", "kg"},      {&s.Migration.TravelTable, 10, "MuscleMass", "kg"},
        {&s.Migration.TravelTable, 11, "AirframeMass", "kg"}, {&s.Migration.PowerTable, 2, "Pmech", "W"},
        {&s.Migration.PowerTable, 3, "Pchem", "W"},          {&s.Migration.PowerTable, 4, "EffLDChem", ""},
        {&s.Migration.PowerTable, 5, "WbeatFreq", "Hz"},     {&s.Migration.PowerTable, 6, "ReducedFreq", ""},
        {&s.Migration.PowerTable, 7, "MyoSpecificPower", "W/kg"}, {&s.Migration.PowerTable, 8, "SpecificWork", "J/kg"},
        {&s.Migration.PowerTable, 9, "Pbmr", "W"},           {&s.Migration.PowerTable, 10, "PchemPbmrRatio", ""},
        {&s.Migration.PowerTable, 11, "MitoPct", "%"},       {&s.Migration.FuelTable, 2, "FatBurned", "kJ"},
        {&s.Migration.FuelTable, 3, "ProteinBurned", "kJ"},  {&s.Migration.FuelTable, 4, "FuelBurned", "kJ"},
        {&s.Migration.FuelTable, 5, "ProteinPct", "%"},      {&s.Migration.FuelTable, 6, "BmrPct", "%"},
        {&s.Migration.FuelTable, 7, "MuscleFrac", ""},       {&s.Migration.FuelTable, 8, "AirframeFrac", ""},
        {&s.Migration.FuelTable, 9, "FuelFrac", ""},         {&s.Migration.FuelTable, 10, "FuelEnergyHeight", "km"},
        {&s.Migration.FuelTable, 11, "MetabolicSink", "m/s"}};
    if (s.Migration.GpsMode)
        for (Source src : {Source{&s.Migration.GpsTable, 2, "Altitude", "m"}, Source{&s.Migration.GpsTable, 3, "AirDensity", "kg/m3"},
                           Source{&s.Migration.GpsTable, 4, "GpsClimbRate", "m/s"}})
            sources.push_back(src);
    std::vector<Column> cols = {numbers("Row", ""), texts("Kind")};
    cols[0].whole = true;
    for (const Source& src : sources) cols.push_back(numbers(src.name, src.unit));
    Builder b("rows", cols);
    const int last = s.Migration.RowsWritten;  // the rows after it are the tables' empty padding
    for (int r = 0; r <= last && r < static_cast<int>(s.Migration.TravelTable.size()); ++r) {
        const float time = s.Migration.TravelTable[r][1];
        b.add(0, r);
        b.add(1, std::string(time == -1 ? "stop" : (r > 0 && time == 0) ? "end" : "flight"));
        for (std::size_t c = 0; c < sources.size(); ++c) {
            const MigrationTable& t = *sources[c].table;
            b.add(c + 2, r < static_cast<int>(t.size()) ? SingleValue(t[r][sources[c].column]) : NAN);
        }
    }
    return b.t;
}

Table StopsTidy(const ProgramState& s) {
    Builder b("stops", {numbers("Row", ""), texts("Start"), texts("End"), numbers("Lat", "deg N"),
                        numbers("Lon", "deg E"), texts("Site"), numbers("FeedQ", "x BMR"), numbers("Hours", "h"),
                        numbers("FatChange", "kg"), numbers("ProteinChange", "kg"), texts("Note")});
    b.t.columns[0].whole = true;
    for (const GpsStop& stop : s.Gps.Stops) {
        b.add(0, stop.Row);
        b.add(1, migrate::MomentTextOfSeconds(stop.StartSec));
        b.add(2, migrate::MomentTextOfSeconds(stop.EndSec));
        b.add(3, stop.Lat);
        b.add(4, stop.Lon);
        b.add(5, stop.Site);
        b.add(6, stop.FeedQ);
        b.add(7, stop.Hours);
        b.add(8, SingleValue(stop.FatChange));
        b.add(9, SingleValue(stop.ProteinChange));
        b.add(10, stop.Note);
    }
    return b.t;
}

}  // namespace ornivo::api
