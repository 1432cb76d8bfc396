#include "api/Ornivo.h"

#include <atomic>
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
    for (const auto& [name, v] : fields) {
        header.push_back(name);
        cells.push_back(cellOf(v));
    }
    CheckBatchHeader(header);
    return ReadBatchRow(header, cells, 1);
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
        if (s.GpsMode) r.tables.push_back(StopsTidy(s));
        break;
    }
}

Result runRow(Calc calc, const BatchRow& row, const CallOptions& options, const Extra& extra = {}) {
    RunOptions ro;
    ro.tables = false;  // the program-state tables stay out of the JSON; the tidy ones come from the state
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
    if (o.out.contains("inputs")) scalarsOf(o.out["inputs"], r.inputs);
    scalarsOf(o.results(), r.scalars);
    for (const auto& m : o.out.value("messages", Json::array())) r.messages.push_back(m.get<std::string>());
    r.SpName = o.spName;
    r.ShortName = o.shortName;
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

std::vector<Result> RunMany(Calc calc, const std::vector<Fields>& birds, const CallOptions& options) {
    // The program folder once for all rows, rather than looked up again for each bird.
    platform::SetProgramFolder(platform::ProgramFolder());
    std::vector<Result> results(birds.size());
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i; (i = next++) < birds.size();) results[i] = runFields(calc, birds[i], options);
    };
    unsigned n = options.threads > 0 ? static_cast<unsigned>(options.threads)
                                     : std::max(1u, std::thread::hardware_concurrency());
    n = static_cast<unsigned>(std::min<std::size_t>(n, std::max<std::size_t>(birds.size(), 1)));
    if (n == 1) {
        worker();
        return results;
    }
    std::vector<std::thread> pool;
    for (unsigned k = 0; k < n; ++k) pool.emplace_back(worker);
    for (auto& t : pool) t.join();
    return results;
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
        for (const auto& [n, u] : names) t.columns.push_back(Column{n, u, false, {}, {}});
        for (double v : speeds) {
            const float V = static_cast<float>(v);
            std::vector<double> row(t.columns.size(), NAN);
            row[0] = v;
            if (V > 0 && std::isfinite(V)) {
                flap::PowerAtSpeed(s, ModePowerCurve, V);
                flap::MusclePerformance(s, ModePowerCurve);
                const float values[] = {static_cast<float>(double(V) * std::sqrt(double(s.RelDensity))), s.Pmech,
                                        s.Pchem, s.EffLD, s.EffLDChem, s.MyoSpecificPower, s.SpecificWork,
                                        s.ClimbRate, s.InducedVelocity, s.DownwashAngle};
                for (std::size_t c = 0; c < std::size(values); ++c) row[c + 1] = SingleValue(values[c]);
            }
            for (std::size_t c = 0; c < row.size(); ++c) t.columns[c].numbers.push_back(row[c]);
        }
        r.tables.push_back(std::move(t));
    });
}

}  // namespace ornivo::api
