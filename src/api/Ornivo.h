#pragma once
// Ornivo's calculations as a library: plain values in, plain values out. A bird and its settings go
// through the same screens' rules as at the desktop and in ornivo-cli, in the order given; each call
// builds its own program state, so calls on different threads never meet.
//
//   ornivo::api::Bird bird;
//   bird.SpName = "Columba livia"; bird.EmptyMass = 0.35; bird.Span = 0.67; bird.WingArea = 0.063;
//   auto r = ornivo::api::PowerCurve(bird, {{"txtFatFrac", 0.1}});
//   if (r.ok) double vmp = r.number("Vmp"); const Table* curve = r.table("curve");
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace ornivo::api {

// A value of a bird, a setting or a result: nothing (an empty cell), a number, a whole number, a
// flag or a text.
using Value = std::variant<std::monostate, double, std::int64_t, bool, std::string>;

// One named value: a bird-file key (EmptyMass, Preset, gps, ...), a setup control (txtFatFrac,
// optBound, frmSetDefaultsMigr.txtEfat, ...) or, for a power curve, "uncertainty" (the named set
// "wild", "individual" or "zero" of the uncertainty screen).
using Field = std::pair<std::string, Value>;
using Fields = std::vector<Field>;
// Setup controls by their names, applied in the order given, as the screens would apply them.
using Settings = Fields;

// The Enter Bird values of a bird, or a record of the preset or user table (its number, "#57" or 57,
// or its short or scientific name), which then takes none of the other values.
struct Bird {
    std::string SpName, ShortName;
    std::optional<double> EmptyMass, Span, WingArea, AspectRatio, Altitude, AirDensity;
    std::optional<int> TaxonGroup, Sex, Age;  // 1 passerine / 2 not; 1 both, 2 male, 3 female, 4 unknown; 1 adult, 2 immature, 3 unknown
    std::optional<Value> Preset, User;
    // The bird's bird-file keys, in the order Enter Bird takes them.
    Fields fields() const;
};

// A column of a tidy table: numbers, or texts when `text` is set; `flag` marks numbers that are
// yes/no values (1/0, NaN when the row has none), `whole` numbers that are counts or codes.
struct Column {
    std::string name, unit;  // unit "" for a ratio or a text
    bool text = false;
    bool flag = false;
    bool whole = false;
    std::vector<double> numbers;
    std::vector<std::string> texts;
    std::size_t size() const { return text ? texts.size() : numbers.size(); }
};

// A table with a row per speed, per output row, per stop or per record, and named columns.
struct Table {
    std::string name;
    std::vector<Column> columns;
    std::size_t rows() const { return columns.empty() ? 0 : columns.front().size(); }
    const Column* column(std::string_view name) const;
};

// What a call hands back: the inputs and scalar results by the program state's names, the tidy
// tables, the messages shown during the run; or, when refused, the refusal's lines.
struct Result {
    bool ok = false;
    std::string status;                // "ok", the refusal's text, "unreadable: ...", "failed: ..."
    std::vector<std::string> refusal;  // the refusal's lines (empty when ok)
    Fields inputs, scalars;
    std::vector<Table> tables;
    std::vector<std::string> messages;
    std::string SpName, ShortName;  // the bird the run entered
    std::string programState;       // with CallOptions::programState: the JSON of ornivo-cli's call
    const Value* scalar(std::string_view name) const;
    double number(std::string_view name) const;  // a numeric scalar (NaN when absent)
    const Table* table(std::string_view name) const;
};

// Options of a call.
struct CallOptions {
    bool tables = true;        // the tidy tables (false: scalars only, as batch rows)
    bool uncertainty = false;  // power curves: the uncertainty bands of the wild-population set
    bool strict = false;       // any message of an edit or of the run refuses the call
    int threads = 0;           // batches: worker threads (0: one per core)
    bool programState = false; // Result::programState: the run's JSON as ornivo-cli prints it
};

enum class Calc { PowerCurve, GlidePolar, Migrate };

// One bird given as fields (bird-file keys and setup controls, in order): the form of a batch row.
Result Run(Calc calc, const Fields& fields, const CallOptions& options = {});
// Many birds on worker threads, one result per bird in order; a bad row gets its status and never
// stops the others.
std::vector<Result> RunMany(Calc calc, const std::vector<Fields>& birds, const CallOptions& options = {});

// Many birds, scalars only, as a table with a row per bird: SpName, ShortName, the calculation's
// result columns (those of "ornivo-cli batch"), status. The form for thousands of birds.
Table RunBatch(Calc calc, const std::vector<Fields>& birds, const CallOptions& options = {});

// Power curve: scalars as the results screen, tables "curve" (a row per whole speed: Speed, EAS,
// Pmech, Pchem, EffLDChem, MyoSpecificPower, SpecificWork, ClimbRate; with the uncertainty,
// PmechLow, PmechHigh, PmechUncert, PmechUncertPct).
Result PowerCurve(const Bird& bird, const Settings& settings = {}, const CallOptions& options = {});
// The curve's quantities at any speeds (table "speeds"), after the power curve of the bird.
Result PowerAtSpeeds(const Bird& bird, const std::vector<double>& speeds, const Settings& settings = {},
                     const CallOptions& options = {});
// Glide polar: tables "polar" (a row per whole speed) and "crosscountry" (a row per climb rate).
Result GlidePolar(const Bird& bird, const Settings& settings = {}, const CallOptions& options = {});
// Programmed migration: table "rows" (a row per output row of the run).
Result Migrate(const Bird& bird, const Settings& settings = {}, const CallOptions& options = {});

// A GPS track for a migration: a track file (.xlsx, .xls, .csv as track import writes them), or the
// rows of one in memory (the columns of ImportTrack's table, in its order).
struct TrackInput {
    std::string file;
    std::optional<Table> rows;
    std::string sites;  // a stopover sites file, "" for none
    // Or the sites in memory, a row per site: its name (text), intake rate (x BMR), then the corners
    // SW, NW, NE, SE, each latitude then longitude: ten columns in that order.
    std::optional<Table> siteRows;
};
// Migration along a track: tables "rows" and "stops" (a row per stop).
Result MigrateGps(const Bird& bird, const TrackInput& track, const Settings& settings = {},
                  const CallOptions& options = {});

// Raw fixes (Movebank CSV or GPX) to the track of a GPS run, table "track" (its columns as the
// track workbook's); scalars: the import summary's counts. Options: Fields of "grid", "animal",
// "start", "end", "windFrom", "windSpeed", "maxSpeed", "groundSpeed", "groundSegSpeed",
// "groundTagMax", "stopFixes", "stopGapHours".
Result ImportTrack(const std::string& file, const Fields& options = {});

// The bird tables: a row per record, in the order the table's screen lists them ("Preset" or
// "User" holds the record's number, which names it in a call).
Result PresetBirds();
Result UserBirds();
// The wings database's sample means of a species: sex "M", "F" or "any", age "A", "I" or "any";
// scalars Genus, Species, Order, Family, found, Mass, Span, Area, AspectRatio, MuscleFrac and their
// counts (Nmass, ...), accepted.
Result Wings(const std::string& genus, const std::string& species, const std::string& sex = "any",
             const std::string& age = "any");

// The folder of Ornivo's programs, below or beside which the shipped files (Data/, ...) are found:
// a program embedding the library (a Python or R module) names it once before its first call.
void SetProgramFolder(const std::string& folder);

// "" when every name is a bird-file key or a setup control (a batch's columns), else why not.
std::string CheckColumns(const std::vector<std::string>& names);

// The names of the bird-file keys a Fields row may hold besides setup controls.
const std::vector<std::string>& BirdKeys();

}  // namespace ornivo::api
