#include "api/Ornivo.h"

#include <atomic>
#include <mutex>
#include <cmath>
#include <thread>

#include "api/BatchRun.h"
#include "api/BirdFile.h"
#include "api/TidyTables.h"
#include "flap/PowerModel.h"
#include "platform/Folders.h"

namespace ornivo::api {

const Column* Table::column(std::string_view n) const {
    for (const auto& c : columns)
        if (c.name == n) return &c;
    return nullptr;
}

const Value* Result::scalar(std::string_view n) const {
    for (const auto& [name, v] : scalars)
        if (name == n) return &v;
    return nullptr;
}

double Result::number(std::string_view n) const {
    const Value* v = scalar(n);
    if (!v) return NAN;
    if (auto d = std::get_if<double>(v)) return *d;
    if (auto i = std::get_if<std::int64_t>(v)) return static_cast<double>(*i);
    return NAN;
}

const Table* Result::table(std::string_view n) const {
    for (const auto& t : tables)
        if (t.name == n) return &t;
    return nullptr;
}

Fields Bird::fields() const {
    Fields f;
    if (Preset) f.emplace_back("Preset", *Preset);
    if (User) f.emplace_back("User", *User);
    if (!SpName.empty()) f.emplace_back("SpName", SpName);
    if (!ShortName.empty()) f.emplace_back("ShortName", ShortName);
    const std::pair<const char*, const std::optional<double>*> numbers[] = {
        {"EmptyMass", &EmptyMass}, {"Span", &Span}, {"WingArea", &WingArea}, {"AspectRatio", &AspectRatio},
        {"Altitude", &Altitude}, {"AirDensity", &AirDensity}};
    for (const auto& [key, v] : numbers)
        if (*v) f.emplace_back(key, **v);
    const std::pair<const char*, const std::optional<int>*> codes[] = {
        {"TaxonGroup", &TaxonGroup}, {"Sex", &Sex}, {"Age", &Age}};
    for (const auto& [key, v] : codes)
        if (*v) f.emplace_back(key, static_cast<std::int64_t>(**v));
    return f;
}

void SetProgramFolder(const std::string& folder) { platform::SetProgramFolder(folder); }

std::string CheckColumns(const std::vector<std::string>& names) {
    std::vector<std::string> header;
    for (const auto& n : names)
        if (n != "uncertainty") header.push_back(n);
    try {
        CheckBatchHeader(header);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "";
}

const std::vector<std::string>& BirdKeys() {
    static const std::vector<std::string> keys = {"SpName", "ShortName", "EmptyMass", "Span", "WingArea",
                                                  "AspectRatio", "Altitude", "AirDensity", "TaxonGroup", "Sex",
                                                  "Age", "Preset", "User", "gps", "sites"};
    return keys;
}

namespace {

Calculation calculationOf(Calc c) {
    switch (c) {
    case Calc::PowerCurve: return Calculation::PowerCurve;
    case Calc::GlidePolar: return Calculation::GlidePolar;
    case Calc::Migrate: return Calculation::Migrate;
    }
    return Calculation::PowerCurve;
}

// A value as the text of a batch table's cell: numbers by their shortest text, so that the row reads
// them back as the same doubles; nothing (and NaN) as an empty cell, which sets nothing.
std::string cellOf(const Value& v) {
    if (auto d = std::get_if<double>(&v)) return std::isnan(*d) ? "" : NumberText(*d);
    if (auto i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    if (auto b = std::get_if<bool>(&v)) return *b ? "true" : "false";
    if (auto s = std::get_if<std::string>(&v)) return *s;
    return "";
}

// The fields as a row of a batch table: the same reading of keys and edits as a CSV row's.
BatchRow rowOf(const Fields& fields) {
    std::vector<std::string> header, cells;
    std::optional<std::string> uncertainty;
    for (const auto& [name, v] : fields) {
        if (name == "uncertainty") {
            if (!std::holds_alternative<std::monostate>(v)) uncertainty = cellOf(v);
            continue;
        }
        header.push_back(name);
        cells.push_back(cellOf(v));
    }
    CheckBatchHeader(header);
    BatchRow row = ReadBatchRow(header, cells, 1);
    if (uncertainty) row.bird["uncertainty"] = *uncertainty;
    return row;
}

Value valueOf(const Json& j) {
    if (j.is_boolean()) return j.get<bool>();
    if (j.is_number_integer()) return static_cast<std::int64_t>(j.get<long long>());
    if (j.is_number()) return j.get<double>();
    if (j.is_string()) return j.get<std::string>();
    return std::monostate{};
}

// The scalar entries of a JSON object (tables and lists of records left out; a list of texts, as an
// abort screen's, joined by line ends; an object, as fatRanOut, by "name.key").
void scalarsOf(const Json& object, Fields& into, const std::string& prefix = "") {
    for (auto it = object.begin(); it != object.end(); ++it) {
        const Json& v = it.value();
        if (v.is_object()) {
            scalarsOf(v, into, prefix + it.key() + ".");
        } else if (v.is_array()) {
            if (v.empty() || !v.front().is_string()) continue;
            std::string t;
            for (const auto& line : v) t += (t.empty() ? "" : "\n") + line.get<std::string>();
            into.emplace_back(prefix + it.key(), t);
        } else {
            into.emplace_back(prefix + it.key(), valueOf(v));
        }
    }
}

// Tidy tables and other extras read off the state of a successful run.
using Extra = std::function<void(ProgramState&, Result&)>;

void addTidyTables(Calculation c, const ProgramState& s, Result& r) {
    switch (c) {
    case Calculation::PowerCurve: r.tables.push_back(PowerCurveTidy(s)); break;
    case Calculation::GlidePolar:
        r.tables.push_back(GlidePolarTidy(s));
        r.tables.push_back(CrossCountryTidy(s));
        break;
    case Calculation::Migrate:
        r.tables.push_back(MigrationRowsTidy(s));
        if (s.Migration.GpsMode) r.tables.push_back(StopsTidy(s));
        break;
    }
}

Result runRow(Calc calc, const BatchRow& row, const CallOptions& options, const Extra& extra = {}) {
    RunOptions ro;
    // The program-state tables stay out of the JSON unless asked for; the tidy ones come from the state.
    ro.tables = options.programState;
    ro.strict = options.strict;
    ro.uncertainty = options.uncertainty;
    const Calculation c = calculationOf(calc);
    Result r;
    RowOutcome o = RunBatchRow(c, row, ".", ro, [&](ProgramState& s, const RowOutcome&) {
        if (options.tables) addTidyTables(c, s, r);
        if (extra) extra(s, r);
    });
    r.ok = o.status == "ok";
    r.status = o.status;
    if (!r.ok) r.refusal = o.lines;
    if (o.out.is_object()) {
        if (o.out.contains("inputs")) scalarsOf(o.out["inputs"], r.inputs);
        scalarsOf(o.results(), r.scalars);
        for (const auto& m : o.out.value("messages", Json::array())) r.messages.push_back(m.get<std::string>());
    }
    r.SpName = o.spName;
    r.ShortName = o.shortName;
    if (options.programState && o.out.is_object()) r.programState = o.out.dump(1);
    return r;
}

Result unreadable(const std::string& why) {
    Result r;
    r.status = "unreadable: " + why;
    r.refusal = {why};
    return r;
}

Result runFields(Calc calc, const Fields& fields, const CallOptions& options, const Extra& extra = {}) {
    BatchRow row;
    try {
        row = rowOf(fields);
    } catch (const UsageError& e) {
        return unreadable(e.what());
    }
    return runRow(calc, row, options, extra);
}

Fields joined(Fields a, const Fields& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

Result Run(Calc calc, const Fields& fields, const CallOptions& options) { return runFields(calc, fields, options); }

namespace {

// Runs job(i) for i in 0..n-1 on worker threads (one per core unless told), each index once.
template <class Job>
void forEachRow(std::size_t n, int threads, const Job& job) {
    // The program folder once for the process, rather than looked up again for each bird (and never
    // written while another batch's threads read it).
    static std::once_flag programFolder;
    std::call_once(programFolder, [] { platform::SetProgramFolder(platform::ProgramFolder()); });
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i; (i = next++) < n;) job(i);
    };
    unsigned k = threads > 0 ? static_cast<unsigned>(threads) : std::max(1u, std::thread::hardware_concurrency());
    k = static_cast<unsigned>(std::min<std::size_t>(k, std::max<std::size_t>(n, 1)));
    if (k == 1) return worker();
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < k; ++t) pool.emplace_back(worker);
    for (auto& t : pool) t.join();
}

// The kind of each batch result column: most are numbers; these few are flags or texts.
bool isFlagColumn(const std::string& n) {
    return n == "Arrived" || n == "ClimbFlag" || n == "ClimbAborted" || n == "RowsExhausted" || n == "UncertDone";
}
bool isTextColumn(const std::string& n) { return n == "StopoverNote"; }

std::string givenText(const Fields& fields, const char* key) {
    for (const auto& [name, v] : fields)
        if (name == key) return cellOf(v);
    return "";
}

}  // namespace

std::vector<Result> RunMany(Calc calc, const std::vector<Fields>& birds, const CallOptions& options) {
    std::vector<Result> results(birds.size());
    forEachRow(birds.size(), options.threads, [&](std::size_t i) { results[i] = runFields(calc, birds[i], options); });
    return results;
}

Table RunBatch(Calc calc, const std::vector<Fields>& birds, const CallOptions& options) {
    const std::size_t n = birds.size();
    const auto& names = ResultColumns(calculationOf(calc));
    Table t;
    t.name = "birds";
    auto textColumn = [&](const std::string& name) {
        Column c{name, "", true};
        c.texts.resize(n);
        return c;
    };
    t.columns.push_back(textColumn("SpName"));
    t.columns.push_back(textColumn("ShortName"));
    for (const auto& name : names) {
        if (isTextColumn(name)) {
            t.columns.push_back(textColumn(name));
            continue;
        }
        Column c{name, ""};
        c.flag = isFlagColumn(name);
        c.numbers.assign(n, NAN);
        t.columns.push_back(std::move(c));
    }
    t.columns.push_back(textColumn("status"));
    RunOptions ro;
    ro.tables = false;
    ro.inputs = false;
    ro.strict = options.strict;
    ro.uncertainty = options.uncertainty;
    // Each worker writes only the cells of its own rows.
    forEachRow(n, options.threads, [&](std::size_t i) {
        BatchRow row;
        RowOutcome o;
        try {
            row = rowOf(birds[i]);
            o = RunBatchRow(calculationOf(calc), row, ".", ro);
        } catch (const UsageError& e) {
            o.status = std::string("unreadable: ") + e.what();
        }
        // The names the row gave, else those of the bird the run entered (a Preset or User row).
        std::string spName = givenText(birds[i], "SpName"), shortName = givenText(birds[i], "ShortName");
        if (spName.empty() && shortName.empty()) {
            spName = o.spName;
            shortName = o.shortName;
        }
        t.columns[0].texts[i] = spName;
        t.columns[1].texts[i] = shortName;
        const Json& results = o.results();
        for (std::size_t c = 0; c < names.size(); ++c) {
            auto it = results.find(names[c]);
            if (it == results.end()) continue;
            Column& col = t.columns[c + 2];
            if (col.text) col.texts[i] = CellText(*it);
            else if (it->is_boolean()) col.numbers[i] = it->get<bool>() ? 1 : 0;
            else if (it->is_number()) col.numbers[i] = it->get<double>();
        }
        t.columns.back().texts[i] = o.status;
    });
    return t;
}

Result PowerCurve(const Bird& bird, const Settings& settings, const CallOptions& options) {
    return runFields(Calc::PowerCurve, joined(bird.fields(), settings), options);
}

Result GlidePolar(const Bird& bird, const Settings& settings, const CallOptions& options) {
    return runFields(Calc::GlidePolar, joined(bird.fields(), settings), options);
}

Result Migrate(const Bird& bird, const Settings& settings, const CallOptions& options) {
    return runFields(Calc::Migrate, joined(bird.fields(), settings), options);
}

Result PowerAtSpeeds(const Bird& bird, const std::vector<double>& speeds, const Settings& settings,
                     const CallOptions& options) {
    CallOptions o = options;
    o.tables = false;
    // At each speed, the quantities the curve's scan stores for a whole speed, with the working
    // values the power and muscle models leave.
    return runFields(Calc::PowerCurve, joined(bird.fields(), settings), o, [&](ProgramState& s, Result& r) {
        Table t;
        t.name = "speeds";
        const std::pair<const char*, const char*> names[] = {
            {"Speed", "m/s"}, {"EAS", "m/s"}, {"Pmech", "W"}, {"Pchem", "W"}, {"EffLD", ""}, {"EffLDChem", ""},
            {"MyoSpecificPower", "W/kg"}, {"SpecificWork", "J/kg"}, {"ClimbRate", "m/s"},
            {"InducedVelocity", "m/s"}, {"DownwashAngle", "deg"}};
        for (const auto& [n, u] : names) t.columns.push_back(Column{n, u});
        for (double v : speeds) {
            const float V = static_cast<float>(v);
            std::vector<double> row(t.columns.size(), NAN);
            row[0] = v;
            if (V > 0 && std::isfinite(V)) {
                flap::PowerAtSpeed(s, ModePowerCurve, V);
                flap::MusclePerformance(s, ModePowerCurve);
                const float values[] = {static_cast<float>(double(V) * std::sqrt(double(s.RelDensity))), s.Flap.Pmech,
                                        s.Flap.Pchem, s.Flap.EffLD, s.Flap.EffLDChem, s.Flap.MyoSpecificPower, s.Flap.SpecificWork,
                                        s.Flap.ClimbRate, s.Flap.InducedVelocity, s.Flap.DownwashAngle};
                // A value past the single range (a speed far beyond any bird's) has no number: NaN.
                for (std::size_t c = 0; c < std::size(values); ++c)
                    row[c + 1] = std::isfinite(values[c]) ? SingleValue(values[c]) : NAN;
            }
            for (std::size_t c = 0; c < row.size(); ++c) t.columns[c].numbers.push_back(row[c]);
        }
        r.tables.push_back(std::move(t));
    });
}

}  // namespace ornivo::api
