// The library calls on files and tables: migrations along tracks, track import, the bird tables and
// the wings search.
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "api/BatchTable.h"
#include "api/Errors.h"
#include "api/BirdFile.h"
#include "api/Ornivo.h"
#include "api/TableBirds.h"
#include "api/WingsRun.h"
#include "birddb/BirdNumbers.h"
#include "state/ControlNames.h"
#include "track/TrackImport.h"
#include "track/TrackWriters.h"

namespace ornivo::api {
namespace {

Result refusedWith(std::vector<std::string> lines, const std::string& prefix = "") {
    Result r;
    r.refusal = std::move(lines);
    for (const auto& l : r.refusal) r.status += (r.status.empty() ? prefix : " ") + l;
    if (r.status.empty()) r.status = "refused";
    return r;
}

// CSV text as a table: a column of numbers where every cell is a number, "." or empty (NaN), else
// of texts. Numbers read back through their shortest text, so a table written again is the same file.
Table tableOfCsv(const std::string& name, const std::string& text) {
    auto records = SplitCsv(text);
    Table t;
    t.name = name;
    if (records.empty()) return t;
    const auto& header = records.front();
    for (std::size_t c = 0; c < header.size(); ++c) {
        Column col;
        col.name = header[c];
        // "Name (unit)": the unit apart, for the column's unit.
        if (auto open = col.name.find(" ("); open != std::string::npos && col.name.back() == ')') {
            col.unit = col.name.substr(open + 2, col.name.size() - open - 3);
            col.name = col.name.substr(0, open);
        }
        // A name that repeats (the track's second Date) gets a number, so that a frame can hold both.
        const std::string base = col.name;
        for (int k = 1; t.column(col.name); ++k) col.name = base + "." + std::to_string(k);
        std::vector<double> numbers;
        bool numeric = true;
        for (std::size_t r = 1; r < records.size() && numeric; ++r) {
            const std::string cell = c < records[r].size() ? records[r][c] : "";
            if (cell.empty() || cell == ".") { numbers.push_back(NAN); continue; }
            char* end = nullptr;
            const double v = std::strtod(cell.c_str(), &end);
            numeric = end && *end == '\0';
            numbers.push_back(v);
        }
        col.text = !numeric;
        if (numeric) col.numbers = std::move(numbers);
        else
            for (std::size_t r = 1; r < records.size(); ++r) col.texts.push_back(c < records[r].size() ? records[r][c] : "");
        t.columns.push_back(std::move(col));
    }
    return t;
}

// A table as CSV text, the header "Name (unit)" where a column has a unit; NaN as ".".
std::string csvOfTable(const Table& t) {
    std::string out;
    for (std::size_t c = 0; c < t.columns.size(); ++c) {
        const Column& col = t.columns[c];
        out += (c ? "," : "") + CsvField(col.unit.empty() ? col.name : col.name + " (" + col.unit + ")");
    }
    out += "\r\n";
    for (std::size_t r = 0; r < t.rows(); ++r) {
        for (std::size_t c = 0; c < t.columns.size(); ++c) {
            const Column& col = t.columns[c];
            std::string cell;
            if (col.text) cell = r < col.texts.size() ? col.texts[r] : "";
            else if (r < col.numbers.size() && !std::isnan(col.numbers[r])) cell = NumberText(col.numbers[r]);
            else cell = ".";
            out += (c ? "," : "") + CsvField(cell);
        }
        out += "\r\n";
    }
    return out;
}

// The sites in memory as a stopover sites file: a heading, the count, a line per site.
std::string sitesText(const Table& t) {
    std::string out = "Stopover sites: name, intake x BMR, corners SW NW NE SE as latitude then longitude\r\n" +
                      std::to_string(t.rows()) + "\r\n";
    for (std::size_t r = 0; r < t.rows(); ++r) {
        for (std::size_t c = 0; c < t.columns.size(); ++c) {
            const Column& col = t.columns[c];
            std::string cell = col.text ? (r < col.texts.size() ? col.texts[r] : "")
                                        : (r < col.numbers.size() ? NumberText(col.numbers[r]) : "");
            // The name always quoted, so that a name made of digits stays a name.
            if (c == 0) cell = "\"" + cell + "\"";
            out += (c ? "," : "") + cell;
        }
        out += "\r\n";
    }
    return out;
}

// A file of its own in the temporary folder, removed when the call ends.
struct TempFile {
    std::string path;
    explicit TempFile(const std::string& text, const char* extension = ".csv") {
        static std::atomic<unsigned> counter{0};
        path = (std::filesystem::temp_directory_path() /
                ("ornivo-track-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + extension))
                   .string();
        std::ofstream(path, std::ios::binary) << text;
    }
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

double numberOption(const Value& v, const std::string& name) {
    if (auto d = std::get_if<double>(&v)) return *d;
    if (auto i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    throw UsageError("the track import option " + name + " must be a number");
}

std::string textOption(const Value& v, const std::string& name) {
    if (auto s = std::get_if<std::string>(&v)) return *s;
    throw UsageError("the track import option " + name + " must be a text");
}

track::ImportOptions importOptions(const Fields& fields) {
    track::ImportOptions o;
    for (const auto& [name, v] : fields) {
        if (std::holds_alternative<std::monostate>(v)) continue;
        if (name == "grid") o.gridMinutes = numberOption(v, name);
        else if (name == "maxSpeed") o.maxSpeed = numberOption(v, name);
        else if (name == "groundSpeed") o.groundSpeed = numberOption(v, name);
        else if (name == "groundSegSpeed") o.groundSegSpeed = numberOption(v, name);
        else if (name == "groundTagMax") o.groundTagMax = numberOption(v, name);
        else if (name == "stopGapHours") o.stopGapHours = numberOption(v, name);
        else if (name == "windFrom") o.windFrom = numberOption(v, name);
        else if (name == "windSpeed") o.windSpeed = numberOption(v, name);
        else if (name == "animal") o.animal = textOption(v, name);
        else if (name == "stopFixes") {
            const double n = numberOption(v, name);
            if (n != std::floor(n) || n < 2 || n > 1e9) throw UsageError("stopFixes must be a whole number of 2 or more");
            o.stopFixes = static_cast<int>(n);
        } else if (name == "start" || name == "end") {
            const std::string t = textOption(v, name);
            auto m = track::ParseMarkText(t);
            if (!m) throw UsageError(name + " must be a UTC time \"YYYY-MM-DD HH:MM\", not \"" + t + "\"");
            (name == "start" ? o.start : o.end) = m;
        } else {
            throw UsageError("unknown track import option " + name);
        }
    }
    if (auto e = track::CheckOptions(o); !e.empty()) throw UsageError(e);
    return o;
}

Result birdTable(birddb::BirdTable table) {
    ProgramState s;
    RunDialogs d;
    d.err = nullptr;
    std::vector<birddb::NumberedBird> list;
    if (!birddb::ListNumberedBirds(s, d, table, list)) return refusedWith(d.lastError());
    const bool user = table == birddb::BirdTable::User;
    Result r;
    r.ok = true;
    r.status = "ok";
    Table t;
    t.name = user ? "user" : "presets";
    auto column = [&](const std::string& name) -> Column& {
        for (auto& c : t.columns)
            if (c.name == name) return c;
        t.columns.push_back(Column{name, ""});
        return t.columns.back();
    };
    for (const auto& bird : list) {
        ProgramState one;
        RunDialogs dialogs;
        dialogs.err = nullptr;
        if (birddb::EnterNumberedBird(one, dialogs, table, bird.number, nullptr) != birddb::EnterNumberOutcome::Entered)
            continue;
        column(user ? "User" : "Preset").numbers.push_back(static_cast<double>(bird.number));
        const Json entered = EnteredBirdJson(one, table);
        for (auto it = entered.begin(); it != entered.end(); ++it) {
            Column& c = column(it.key());
            if (it.value().is_string()) {
                c.text = true;
                c.texts.push_back(it.value().get<std::string>());
            } else if (it.value().is_boolean()) {
                c.numbers.push_back(it.value().get<bool>() ? 1 : 0);
            } else {
                c.numbers.push_back(it.value().is_number() ? it.value().get<double>() : NAN);
            }
        }
    }
    static const std::pair<const char*, const char*> units[] = {
        {"EmptyMass", "kg"}, {"Span", "m"}, {"WingArea", "m2"}, {"AirDensity", "kg/m3"}, {"Altitude", "m"},
        {"KinViscosity", "m2/s"}, {"CropMass", "kg"}};
    for (auto& c : t.columns) {
        for (const auto& [name, unit] : units)
            if (c.name == name) c.unit = unit;
        c.whole = c.name == "Preset" || c.name == "User" || c.name == "TaxonGroup" || c.name == "Sex" || c.name == "Age";
    }
    r.tables.push_back(std::move(t));
    return r;
}

}  // namespace

Result MigrateGps(const Bird& bird, const TrackInput& track, const Settings& settings, const CallOptions& options) {
    std::optional<TempFile> rows, sites;
    if (track.rows) rows.emplace(csvOfTable(*track.rows));
    if (track.siteRows) {
        if (track.siteRows->columns.size() != 10)
            return refusedWith({"the stopover sites need ten columns: the name, the intake rate and the four "
                                "corners' latitude and longitude (SW, NW, NE, SE)"},
                               "unreadable: ");
        sites.emplace(sitesText(*track.siteRows), ".txt");
    }
    const std::string file = rows ? rows->path : track.file;
    Fields fields = bird.fields();
    if (file.empty()) return refusedWith({"a migration along a track needs a track file or its rows"}, "unreadable: ");
    fields.emplace_back("gps", file);
    if (sites) fields.emplace_back("sites", sites->path);
    else if (!track.sites.empty()) fields.emplace_back("sites", track.sites);
    fields.insert(fields.end(), settings.begin(), settings.end());
    return Run(Calc::Migrate, fields, options);
}

Result ImportTrack(const std::string& file, const Fields& options) {
    track::ImportOptions o;
    try {
        o = importOptions(options);
    } catch (const UsageError& e) {
        return refusedWith({e.what()}, "unreadable: ");
    }
    const auto imported = track::ImportTrack(file, o);
    if (!imported.ok()) {
        const bool fileError = imported.outcome == track::ImportResult::Outcome::FileError;
        return refusedWith(imported.message.empty() ? std::vector<std::string>{"cannot read the file"} : imported.message,
                           fileError ? "unreadable: " : "");
    }
    Result r;
    r.ok = true;
    r.status = "ok";
    const auto& s = imported.summary;
    const std::pair<const char*, int64_t> counts[] = {
        {"fixesRead", s.fixesRead}, {"otherAnimals", s.otherAnimals}, {"skippedInvisible", s.skippedInvisible},
        {"skippedNoTime", s.skippedNoTime}, {"skippedNoPosition", s.skippedNoPosition},
        {"outsideMarks", s.outsideMarks}, {"laterInMark", s.laterInMark}, {"droppedSpeed", s.droppedSpeed},
        {"kept", s.kept}, {"trackPoints", s.trackPoints}, {"stops", s.stops}, {"emptyRows", s.emptyRows}};
    r.scalars.emplace_back("animal", s.animal);
    r.scalars.emplace_back("title", imported.title);
    for (const auto& [name, n] : counts) r.scalars.emplace_back(name, static_cast<std::int64_t>(n));
    r.messages = track::SummaryLines(s);
    r.tables.push_back(tableOfCsv("track", track::TrackCsvText(imported)));
    return r;
}

Result PresetBirds() { return birdTable(birddb::BirdTable::Preset); }
Result UserBirds() { return birdTable(birddb::BirdTable::User); }

Result Wings(const std::string& genus, const std::string& species, const std::string& sex, const std::string& age) {
    const char* sexOption = sex == "M" || sex == "m" ? ctl::optMale : sex == "F" || sex == "f" ? ctl::optFemale
                            : sex == "any" ? ctl::optAnySex : nullptr;
    const char* ageOption = age == "A" || age == "a" ? ctl::optAdult : age == "I" || age == "i" ? ctl::optImm
                            : age == "any" ? ctl::optAllAge : nullptr;
    if (!sexOption) return refusedWith({"sex takes M, F or any"}, "unreadable: ");
    if (!ageOption) return refusedWith({"age takes A, I or any"}, "unreadable: ");
    RunDialogs d;
    d.err = nullptr;
    Json out;
    if (SearchWings(genus, species, sexOption, ageOption, d, out) != ExitOk) {
        if (out.contains("species")) return refusedWith(out["species"].get<std::vector<std::string>>());
        // The screen's refusals and notices (a genus it does not know is a notice).
        std::vector<std::string> lines;
        for (const auto& shown : d.shown)
            if (shown.kind == "error" || shown.kind == "info") lines.insert(lines.end(), shown.lines.begin(), shown.lines.end());
        return refusedWith(lines);
    }
    Result r;
    r.ok = true;
    r.status = "ok";
    for (const char* key : {"Genus", "Species", "Order", "Family", "found", "foundText", "category", "accepted"})
        if (out.contains(key)) r.scalars.emplace_back(key, out[key].is_string() ? Value(out[key].get<std::string>())
                                                        : out[key].is_boolean() ? Value(out[key].get<bool>())
                                                                                : Value(out[key].get<double>()));
    for (auto it = out["means"].begin(); it != out["means"].end(); ++it)
        r.scalars.emplace_back(it.key(), it.value().is_boolean() ? Value(it.value().get<bool>())
                                                                  : Value(it.value().get<double>()));
    for (const auto& m : out.value("messages", Json::array())) r.messages.push_back(m.get<std::string>());
    return r;
}

}  // namespace ornivo::api
