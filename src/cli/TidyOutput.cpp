#include "cli/TidyOutput.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <map>

#include "api/BatchTable.h"
#include "api/BirdFile.h"
#include "api/TidyTables.h"
#include "output/TextRunOutput.h"

namespace ornivo::cli {
namespace {

std::string joined(const std::vector<std::string>& names, const char* sep = ", ") {
    std::string t;
    for (const auto& n : names) t += (t.empty() ? "" : sep) + n;
    return t;
}

// The entries of "results" that each tidy table stands for.
const std::map<std::string, std::vector<std::string>>& replacedEntries() {
    static const std::map<std::string, std::vector<std::string>> m = {
        {"curve", {"PowerCurveTable"}},
        {"polar", {"GlidePolarTable"}},
        {"crosscountry", {"MacCreadyTable"}},
        {"rows", {"TravelTable", "PowerTable", "FuelTable", "GpsTable"}},
        {"stops", {"Stops"}},
    };
    return m;
}

}  // namespace

std::vector<std::string> TidyTableNames(const std::string& calculation, bool gpsRun) {
    if (calculation == "power-curve") return {"curve"};
    if (calculation == "glide-polar") return {"polar", "crosscountry"};
    if (calculation == "migrate") return gpsRun ? std::vector<std::string>{"rows", "stops"} : std::vector<std::string>{"rows"};
    return {};
}

std::vector<Table> TidyTablesOf(const std::string& calculation, const ProgramState& s) {
    std::vector<Table> t;
    if (calculation == "power-curve") {
        t.push_back(PowerCurveTidy(s));
    } else if (calculation == "glide-polar") {
        t.push_back(GlidePolarTidy(s));
        t.push_back(CrossCountryTidy(s));
    } else if (calculation == "migrate") {
        t.push_back(MigrationRowsTidy(s));
        if (s.Migration.GpsMode) t.push_back(StopsTidy(s));
    }
    return t;
}

void CheckTableChoice(const CalcOptions& opt, bool gpsRun) {
    const bool csv = opt.format == "csv";
    if (!csv && !opt.table) return;
    const auto names = TidyTableNames(opt.calculation, gpsRun);
    const std::string list = "the tables of " + opt.calculation + (gpsRun ? " along a track" : "") + ": " + joined(names);
    if (csv && !opt.table) throw UsageError("--format csv needs --table NAME (" + list + ")");
    if (!csv) throw UsageError("--table " + *opt.table + " goes with --format csv (" + list + ")");
    if (std::find(names.begin(), names.end(), *opt.table) != names.end()) return;
    std::string hint;
    if (const auto all = TidyTableNames(opt.calculation, true); std::find(all.begin(), all.end(), *opt.table) != all.end())
        hint = "; " + *opt.table + " is a table of a run along a track (--gps)";
    throw UsageError("no table \"" + *opt.table + "\" (" + list + hint + ")");
}

Json TableRecords(const Table& t) {
    Json records = Json::array();
    for (std::size_t r = 0; r < t.rows(); ++r) {
        Json rec = Json::object();
        for (const Column& c : t.columns) {
            if (c.text) {
                rec[c.name] = c.texts[r];
                continue;
            }
            const double v = c.numbers[r];
            if (!std::isfinite(v)) rec[c.name] = nullptr;
            else if (c.whole) rec[c.name] = static_cast<std::int64_t>(v);
            else rec[c.name] = v;
        }
        records.push_back(std::move(rec));
    }
    return records;
}

Json TableUnits(const Table& t) {
    Json units = Json::object();
    for (const Column& c : t.columns) units[c.name] = c.unit;
    return units;
}

std::string TableCsv(const Table& t) {
    std::string csv;
    for (std::size_t c = 0; c < t.columns.size(); ++c) csv += (c ? "," : "") + CsvField(t.columns[c].name);
    csv += "\n";
    for (std::size_t r = 0; r < t.rows(); ++r) {
        for (std::size_t c = 0; c < t.columns.size(); ++c) {
            const Column& col = t.columns[c];
            if (c) csv += ",";
            if (col.text) csv += CsvField(col.texts[r]);
            else if (std::isfinite(col.numbers[r])) csv += NumberText(col.numbers[r]);
        }
        csv += "\n";
    }
    return csv;
}

Json TidyJson(const Json& out, const std::vector<Table>& tables) {
    // Which table takes the place of each entry it replaces.
    std::map<std::string, const Table*> placeOf;
    for (const Table& t : tables)
        if (auto it = replacedEntries().find(t.name); it != replacedEntries().end())
            for (const auto& entry : it->second) placeOf[entry] = &t;
    Json results = Json::object();
    std::vector<const Table*> shown;
    auto show = [&](const Table* t) {
        if (std::find(shown.begin(), shown.end(), t) != shown.end()) return;
        results[t->name] = TableRecords(*t);
        shown.push_back(t);
    };
    const Json& before = out.contains("results") ? out["results"] : Json::object();
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (auto p = placeOf.find(it.key()); p != placeOf.end()) show(p->second);
        else results[it.key()] = it.value();
    }
    for (const Table& t : tables) show(&t);

    Json units = Json::object();
    for (const Table& t : tables) units[t.name] = TableUnits(t);
    Json tidy = Json::object();
    for (auto it = out.begin(); it != out.end(); ++it) {
        if (it.key() != "results") {
            tidy[it.key()] = it.value();
            continue;
        }
        tidy["results"] = std::move(results);
        tidy["units"] = units;
    }
    if (!tidy.contains("results")) {
        tidy["results"] = std::move(results);
        tidy["units"] = std::move(units);
    }
    return tidy;
}

namespace {

// Column names with their units, "Pmech (W)", "Kind (text)", wrapped under an indent.
std::string columnList(const std::vector<Column>& cols, const std::string& lead, std::size_t indent) {
    std::vector<std::string> items;
    for (const Column& c : cols)
        items.push_back(c.name + (c.text ? " (text)" : c.unit.empty() ? "" : " (" + c.unit + ")"));
    std::string text, line = lead;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string item = items[i] + (i + 1 < items.size() ? "," : "");
        if (line.size() > indent && line.size() + 1 + item.size() > 102) {
            text += line + "\n";
            line = std::string(indent, ' ');
        }
        line += (line.size() > indent ? " " : "") + item;
    }
    return text + line + "\n";
}

// The columns of `more` that `base` lacks.
std::vector<Column> added(const Table& base, const Table& more) {
    std::vector<Column> cols;
    for (const Column& c : more.columns)
        if (!base.column(c.name)) cols.push_back(c);
    return cols;
}

}  // namespace

std::string TablesHelp(const std::string& calculation) {
    const std::string pad(18, ' ');
    auto entry = [&](const Table& t, const std::string& what) {
        std::string name = "  " + t.name;
        name += std::string(name.size() < pad.size() ? pad.size() - name.size() : 1, ' ');
        return name + what + "\n" + columnList(t.columns, pad, pad.size());
    };
    std::string h =
        "\nTables (--tables tidy gives them in \"results\", --table NAME --format csv prints one), their\n"
        "columns and units (none for a ratio, a count or a code):\n";
    ProgramState s;
    if (calculation == "power-curve") {
        const Table plain = PowerCurveTidy(s);
        s.Flap.UncertDone = true;
        h += entry(plain, "a row per whole speed of the curve (m/s)") +
             columnList(added(plain, PowerCurveTidy(s)), pad + "with --uncertainty also", pad.size()) +
             "With --tables tidy, \"curve\" takes the place of PowerCurveTable.\n";
    } else if (calculation == "glide-polar") {
        h += entry(GlidePolarTidy(s), "a row per whole speed of the polar (m/s)") +
             entry(CrossCountryTidy(s), "a row per thermal climb rate, 0.5 to 3 m/s") +
             "With --tables tidy, \"polar\" and \"crosscountry\" take the places of GlidePolarTable and\n"
             "MacCreadyTable.\n";
    } else if (calculation == "migrate") {
        const Table plain = MigrationRowsTidy(s);
        s.Migration.GpsMode = true;
        h += entry(plain, "a row per output row; Kind is flight, stop (a stop of a track) or end (the\n" + pad +
                              "row after the track's last fix)") +
             columnList(added(plain, MigrationRowsTidy(s)), pad + "along a track also", pad.size()) +
             entry(StopsTidy(s), "(along a track) a row per stop: its output row, the moments of the fixes\n" + pad +
                                     "before and after it (YYYY-MM-DD HH:MM:SS), the position of the fix before\n" +
                                     pad + "it, the site, its intake rate, the stop's length, the fat and protein\n" +
                                     pad + "gained (negative: used) and the stop's note") +
             "With --tables tidy, \"rows\" takes the place of TravelTable, PowerTable, FuelTable and GpsTable,\n"
             "\"stops\" that of \"Stops\" (the same records); StateLog and EndStates stay as they are.\n";
    }
    return h;
}

namespace {

int writeCsv(ProgramState& s, RunDialogs&, const CalcOptions& opt) {
    for (const Table& t : TidyTablesOf(opt.calculation, s)) {
        if (t.name != *opt.table) continue;
        const std::string csv = TableCsv(t);
        if (!opt.out) {
            std::cout << csv << std::flush;
            return ExitOk;
        }
        const std::string err = output::WriteTextFile(*opt.out, csv, false);
        if (err.empty()) return ExitOk;
        std::cerr << "cannot write " << *opt.out << ": " << err << "\n";
        return ExitFailure;
    }
    std::vector<std::string> names;
    for (const Table& t : TidyTablesOf(opt.calculation, s)) names.push_back(t.name);
    throw UsageError("no table \"" + *opt.table + "\" (the tables of this run: " + joined(names) + ")");
}

}  // namespace

int WriteTidyCsv(ProgramState& s, RunDialogs& d, const CalcOptions& opt) { return writeCsv(s, d, opt); }

}  // namespace ornivo::cli
