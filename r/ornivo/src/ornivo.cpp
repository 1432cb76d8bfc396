// The library API for R. Birds come in column by column (a data.frame's vectors, or a list of single
// values for one bird) and are made into rows of fields here; results go back as lists and
// data.frame columns. The calls' R forms (one bird or a batch, long tables, errors) are in R/.
#include <Rcpp.h>
#include <R_ext/Rdynload.h>

#include <nlohmann/json.hpp>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "api/Ornivo.h"

using namespace ornivo::api;
using Json = nlohmann::ordered_json;

namespace {

Calc calcOf(const std::string& name) {
    if (name == "power-curve") return Calc::PowerCurve;
    if (name == "glide-polar") return Calc::GlidePolar;
    if (name == "migrate") return Calc::Migrate;
    throw std::invalid_argument("calculation must be power-curve, glide-polar or migrate");
}

std::string utf8(SEXP s) { return Rf_translateCharUTF8(s); }
SEXP mkUtf8(const std::string& s) { return Rf_mkCharLenCE(s.data(), static_cast<int>(s.size()), CE_UTF8); }

// Cell i of an R vector as a value: NA (and NaN) is nothing, an empty cell; a factor gives its
// level's text. Any other kind of vector is refused before any bird runs.
Value cellOf(SEXP column, R_xlen_t i) {
    switch (TYPEOF(column)) {
    case REALSXP: {
        const double d = REAL(column)[i];
        return std::isnan(d) ? Value() : Value(d);
    }
    case INTSXP: {
        const int v = INTEGER(column)[i];
        if (v == NA_INTEGER) return {};
        if (Rf_isFactor(column)) return utf8(STRING_ELT(Rf_getAttrib(column, R_LevelsSymbol), v - 1));
        return static_cast<std::int64_t>(v);
    }
    case LGLSXP: {
        const int v = LOGICAL(column)[i];
        return v == NA_LOGICAL ? Value() : Value(v != 0);
    }
    case STRSXP: {
        SEXP s = STRING_ELT(column, i);
        return s == NA_STRING ? Value() : Value(utf8(s));
    }
    case NILSXP: return {};
    default: throw std::invalid_argument("a bird's values must be numbers, flags or texts");
    }
}

// Rows from..to-1 of birds given column by column, as rows of fields: the columns' names in order.
std::vector<Fields> rowsOf(SEXP names, SEXP columns, R_xlen_t from, R_xlen_t to) {
    const R_xlen_t k = Rf_xlength(columns);
    std::vector<std::string> keys(k);
    for (R_xlen_t c = 0; c < k; ++c) {
        keys[c] = utf8(STRING_ELT(names, c));
        SEXP col = VECTOR_ELT(columns, c);
        if (!Rf_isNull(col) && Rf_xlength(col) < to)
            throw std::invalid_argument("column " + keys[c] + " is shorter than the table");
        if (to > from && !Rf_isNull(col)) cellOf(col, from);  // refuses a list or other column at once
    }
    std::vector<Fields> rows(to - from);
    for (auto& row : rows) row.reserve(k);
    for (R_xlen_t c = 0; c < k; ++c) {
        SEXP col = VECTOR_ELT(columns, c);
        for (R_xlen_t i = from; i < to; ++i)
            rows[i - from].emplace_back(keys[c], Rf_isNull(col) ? Value() : cellOf(col, i));
    }
    return rows;
}

Fields fieldsOf(SEXP names, SEXP values) {
    auto rows = rowsOf(names, values, 0, 1);
    return std::move(rows.front());
}

SEXP valueToR(const Value& v) {
    if (auto d = std::get_if<double>(&v)) return Rf_ScalarReal(*d);
    if (auto i = std::get_if<std::int64_t>(&v)) {
        if (*i > INT_MIN && *i <= INT_MAX) return Rf_ScalarInteger(static_cast<int>(*i));
        return Rf_ScalarReal(static_cast<double>(*i));
    }
    if (auto b = std::get_if<bool>(&v)) return Rf_ScalarLogical(*b);
    if (auto s = std::get_if<std::string>(&v)) return Rf_ScalarString(mkUtf8(*s));
    return Rf_ScalarLogical(NA_LOGICAL);
}

// Named values as a named list of single values (nothing as NA), in order.
Rcpp::List listOf(const Fields& fields) {
    Rcpp::List out(fields.size());
    Rcpp::CharacterVector names(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out[i] = valueToR(fields[i].second);
        names[i] = Rcpp::String(fields[i].first, CE_UTF8);
    }
    out.names() = names;
    return out;
}

Rcpp::CharacterVector textsOf(const std::vector<std::string>& texts) {
    Rcpp::CharacterVector out(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) SET_STRING_ELT(out, i, mkUtf8(texts[i]));
    return out;
}

// A column as R keeps it: texts as character, flags as logical, whole numbers as integer (when
// they all fit), other numbers as double; NaN is NA.
SEXP columnToR(const Column& c) {
    if (c.text) return textsOf(c.texts);
    const auto& x = c.numbers;
    if (c.flag) {
        Rcpp::LogicalVector out(x.size());
        for (std::size_t i = 0; i < x.size(); ++i) out[i] = std::isnan(x[i]) ? NA_LOGICAL : x[i] != 0;
        return out;
    }
    if (c.whole) {
        bool fits = true;
        for (double v : x) fits = fits && (std::isnan(v) || (v > INT_MIN && v <= INT_MAX && v == std::floor(v)));
        if (fits) {
            Rcpp::IntegerVector out(x.size());
            for (std::size_t i = 0; i < x.size(); ++i) out[i] = std::isnan(x[i]) ? NA_INTEGER : static_cast<int>(x[i]);
            return out;
        }
    }
    Rcpp::NumericVector out(x.begin(), x.end());
    for (auto& v : out)
        if (std::isnan(v)) v = NA_REAL;
    return out;
}

void makeFrame(Rcpp::List& frame, Rcpp::CharacterVector names, R_xlen_t rows) {
    frame.names() = names;
    frame.attr("row.names") = Rcpp::IntegerVector::create(NA_INTEGER, -static_cast<int>(rows));
    frame.attr("class") = "data.frame";
}

// A table as a data.frame; its columns' units as the named character attribute "units".
Rcpp::List frameOf(const Table& t) {
    Rcpp::List frame(t.columns.size());
    Rcpp::CharacterVector names(t.columns.size()), units(t.columns.size());
    for (std::size_t c = 0; c < t.columns.size(); ++c) {
        frame[c] = columnToR(t.columns[c]);
        names[c] = Rcpp::String(t.columns[c].name, CE_UTF8);
        units[c] = Rcpp::String(t.columns[c].unit, CE_UTF8);
    }
    units.names() = names;
    makeFrame(frame, names, static_cast<R_xlen_t>(t.rows()));
    frame.attr("units") = units;
    return frame;
}

Rcpp::List resultOf(const Result& r) {
    Rcpp::List tables(r.tables.size());
    Rcpp::CharacterVector tableNames(r.tables.size());
    for (std::size_t i = 0; i < r.tables.size(); ++i) {
        tables[i] = frameOf(r.tables[i]);
        tableNames[i] = r.tables[i].name;
    }
    tables.names() = tableNames;
    return Rcpp::List::create(
        Rcpp::Named("ok") = r.ok, Rcpp::Named("status") = Rcpp::String(r.status, CE_UTF8),
        Rcpp::Named("refusal") = textsOf(r.refusal), Rcpp::Named("scalars") = listOf(r.scalars),
        Rcpp::Named("inputs") = listOf(r.inputs), Rcpp::Named("tables") = tables,
        Rcpp::Named("messages") = textsOf(r.messages), Rcpp::Named("SpName") = Rcpp::String(r.SpName, CE_UTF8),
        Rcpp::Named("ShortName") = Rcpp::String(r.ShortName, CE_UTF8));
}

CallOptions optionsOf(bool tables, bool uncertainty, bool strict, int threads) {
    CallOptions o;
    o.tables = tables;
    o.uncertainty = uncertainty;
    o.strict = strict;
    o.threads = threads;
    return o;
}

// The batch table of results built from full results: the columns RunBatch gives (the names a row
// gave, else those of the bird the run entered; the calculation's results; status).
Table batchOf(Calc calc, const std::vector<Fields>& birds, const std::vector<Result>& results) {
    Table t = RunBatch(calc, {}, {});
    for (auto& c : t.columns) {
        if (c.text) c.texts.resize(results.size());
        else c.numbers.assign(results.size(), NAN);
    }
    auto given = [](const Fields& f, const char* key) -> std::string {
        for (const auto& [name, v] : f)
            if (auto s = std::get_if<std::string>(&v); s && name == key) return *s;
        return "";
    };
    for (std::size_t i = 0; i < results.size(); ++i) {
        const Result& r = results[i];
        std::string sp = given(birds[i], "SpName"), shortName = given(birds[i], "ShortName");
        if (sp.empty() && shortName.empty()) {
            sp = r.SpName;
            shortName = r.ShortName;
        }
        t.columns.front().texts[i] = sp;
        t.columns[1].texts[i] = shortName;
        t.columns.back().texts[i] = r.status;
        for (std::size_t c = 2; c + 1 < t.columns.size(); ++c) {
            Column& col = t.columns[c];
            const Value* v = r.scalar(col.name);
            if (!v) continue;
            if (col.text) {
                if (auto s = std::get_if<std::string>(v)) col.texts[i] = *s;
            } else if (auto b = std::get_if<bool>(v)) {
                col.numbers[i] = *b ? 1 : 0;
            } else {
                col.numbers[i] = r.number(col.name);
            }
        }
    }
    return t;
}

// One named table of every result that has it, stacked: a first column "bird" with the row's
// number (from 1), then the union of the tables' columns (NA where a bird's table lacks one).
Table stackedOf(const std::vector<Result>& results, const std::string& name) {
    Table out;
    out.name = name;
    Column bird;
    bird.name = "bird";
    bird.whole = true;
    out.columns.push_back(bird);
    std::size_t rows = 0;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const Table* t = results[i].table(name);
        if (!t) continue;
        const std::size_t n = t->rows();
        for (const Column& c : t->columns) {
            Column* into = nullptr;
            for (auto& o : out.columns)
                if (o.name == c.name) into = &o;
            if (!into) {
                Column fresh;
                fresh.name = c.name;
                fresh.unit = c.unit;
                fresh.text = c.text;
                fresh.flag = c.flag;
                fresh.whole = c.whole;
                if (c.text) fresh.texts.resize(rows);
                else fresh.numbers.assign(rows, NAN);
                out.columns.push_back(std::move(fresh));
                into = &out.columns.back();
            }
            if (c.text) into->texts.insert(into->texts.end(), c.texts.begin(), c.texts.end());
            else into->numbers.insert(into->numbers.end(), c.numbers.begin(), c.numbers.end());
        }
        out.columns.front().numbers.insert(out.columns.front().numbers.end(), n, static_cast<double>(i + 1));
        rows += n;
        for (auto& o : out.columns) {
            if (o.text) o.texts.resize(rows);
            else o.numbers.resize(rows, NAN);
        }
    }
    return out;
}

Table trackOf(SEXP frame) {
    Table t;
    t.name = "track";
    SEXP names = Rf_getAttrib(frame, R_NamesSymbol);
    SEXP units = Rf_getAttrib(frame, Rf_install("units"));
    SEXP unitNames = Rf_isNull(units) ? R_NilValue : Rf_getAttrib(units, R_NamesSymbol);
    for (R_xlen_t c = 0; c < Rf_xlength(frame); ++c) {
        Column col;
        col.name = utf8(STRING_ELT(names, c));
        for (R_xlen_t u = 0; !Rf_isNull(unitNames) && u < Rf_xlength(unitNames); ++u)
            if (utf8(STRING_ELT(unitNames, u)) == col.name) col.unit = utf8(STRING_ELT(units, u));
        SEXP x = VECTOR_ELT(frame, c);
        if (TYPEOF(x) == REALSXP || (TYPEOF(x) == INTSXP && !Rf_isFactor(x)) || TYPEOF(x) == LGLSXP) {
            for (R_xlen_t i = 0; i < Rf_xlength(x); ++i) {
                const Value v = cellOf(x, i);
                col.numbers.push_back(std::holds_alternative<std::monostate>(v) ? NAN
                                      : std::holds_alternative<double>(v) ? std::get<double>(v)
                                      : std::holds_alternative<bool>(v)   ? double(std::get<bool>(v))
                                                                          : double(std::get<std::int64_t>(v)));
            }
        } else {
            col.text = true;
            for (R_xlen_t i = 0; i < Rf_xlength(x); ++i) {
                const Value v = cellOf(x, i);
                col.texts.push_back(std::holds_alternative<std::string>(v) ? std::get<std::string>(v) : "");
            }
        }
        t.columns.push_back(std::move(col));
    }
    return t;
}

// A JSON value of a bird file as an R value of length one; a list for an object or array.
SEXP jsonToR(const Json& j) {
    if (j.is_null()) return R_NilValue;
    if (j.is_boolean()) return Rf_ScalarLogical(j.get<bool>());
    if (j.is_number_integer()) return valueToR(static_cast<std::int64_t>(j.get<long long>()));
    if (j.is_number()) return Rf_ScalarReal(j.get<double>());
    if (j.is_string()) return Rf_ScalarString(mkUtf8(j.get<std::string>()));
    throw std::invalid_argument("a bird file's values must be numbers, flags or texts");
}

bool isOptionButton(const std::string& control) {
    const auto dot = control.rfind('.');
    return control.compare(dot == std::string::npos ? 0 : dot + 1, 3, "opt") == 0;
}

// A bird file as the named list of its keys and edits in order, as ornivo-cli applies them: each
// edit [control, value] its own entry (an option button's null a click, TRUE); "gps" and "sites"
// relative to the file's folder made whole.
Rcpp::List birdFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::ifstream in(path);
    if (!in) throw std::invalid_argument("cannot read the bird file " + path);
    Json bird;
    try {
        bird = Json::parse(in);
    } catch (const Json::exception& e) {
        throw std::invalid_argument(path + ": not a bird file (" + e.what() + ")");
    }
    if (!bird.is_object()) throw std::invalid_argument(path + ": not a bird file (no object)");
    const fs::path folder = fs::absolute(fs::path(path)).parent_path();
    std::vector<std::pair<std::string, Json>> entries;
    for (auto it = bird.begin(); it != bird.end(); ++it) {
        if (it.key() == "edits") {
            if (!it.value().is_array()) throw std::invalid_argument("\"edits\" must be a list of [control, value]");
            for (const auto& e : it.value()) {
                if (!e.is_array() || e.size() != 2 || !e[0].is_string())
                    throw std::invalid_argument("each edit must be [control, value]");
                const std::string control = e[0].get<std::string>();
                entries.emplace_back(control, e[1].is_null() && isOptionButton(control) ? Json(true) : e[1]);
            }
        } else if ((it.key() == "gps" || it.key() == "sites") && it.value().is_string()) {
            const fs::path p(it.value().get<std::string>());
            entries.emplace_back(it.key(), (p.is_absolute() ? p : folder / p).lexically_normal().string());
        } else {
            entries.emplace_back(it.key(), it.value());
        }
    }
    Rcpp::List out(entries.size());
    Rcpp::CharacterVector names(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out[i] = jsonToR(entries[i].second);
        names[i] = Rcpp::String(entries[i].first, CE_UTF8);
    }
    out.names() = names;
    return out;
}

}  // namespace

extern "C" {

SEXP ornivo_set_program_folder(SEXP folder) {
    BEGIN_RCPP
    SetProgramFolder(Rcpp::as<std::string>(folder));
    return R_NilValue;
    END_RCPP
}

SEXP ornivo_check_columns(SEXP names) {
    BEGIN_RCPP
    return Rcpp::wrap(CheckColumns(Rcpp::as<std::vector<std::string>>(names)));
    END_RCPP
}

// One bird: its fields as a named list of single values, in order.
SEXP ornivo_run(SEXP calc, SEXP names, SEXP values, SEXP uncertainty, SEXP strict) {
    BEGIN_RCPP
    const Fields f = fieldsOf(names, values);
    return resultOf(Run(calcOf(Rcpp::as<std::string>(calc)), f,
                        optionsOf(true, Rcpp::as<bool>(uncertainty), Rcpp::as<bool>(strict), 0)));
    END_RCPP
}

// Many birds as columns of n rows: the batch table, a row per bird. Run a block of rows at a time,
// so that the rows' fields never all live at once and an interrupt is seen between blocks.
SEXP ornivo_run_batch(SEXP calc, SEXP names, SEXP columns, SEXP n, SEXP uncertainty, SEXP strict, SEXP threads) {
    BEGIN_RCPP
    constexpr R_xlen_t block = 1 << 14;
    const Calc c = calcOf(Rcpp::as<std::string>(calc));
    const CallOptions o = optionsOf(false, Rcpp::as<bool>(uncertainty), Rcpp::as<bool>(strict), Rcpp::as<int>(threads));
    const auto rows = static_cast<R_xlen_t>(Rf_asReal(n));
    Table t = RunBatch(c, {}, o);
    for (R_xlen_t from = 0; from < rows; from += block) {
        const Table part = RunBatch(c, rowsOf(names, columns, from, std::min(rows, from + block)), o);
        for (std::size_t k = 0; k < t.columns.size(); ++k) {
            Column& into = t.columns[k];
            const Column& more = part.columns[k];
            if (into.text) into.texts.insert(into.texts.end(), more.texts.begin(), more.texts.end());
            else into.numbers.insert(into.numbers.end(), more.numbers.begin(), more.numbers.end());
        }
        Rcpp::checkUserInterrupt();
    }
    return frameOf(t);
    END_RCPP
}

// Many birds with one of their tables: list(birds = the batch table, table = the stacked tables).
SEXP ornivo_run_tables(SEXP calc, SEXP names, SEXP columns, SEXP n, SEXP table, SEXP uncertainty, SEXP strict,
                       SEXP threads) {
    BEGIN_RCPP
    const Calc c = calcOf(Rcpp::as<std::string>(calc));
    const auto rows = rowsOf(names, columns, 0, static_cast<R_xlen_t>(Rf_asReal(n)));
    const auto results =
        RunMany(c, rows, optionsOf(true, Rcpp::as<bool>(uncertainty), Rcpp::as<bool>(strict), Rcpp::as<int>(threads)));
    return Rcpp::List::create(Rcpp::Named("birds") = frameOf(batchOf(c, rows, results)),
                              Rcpp::Named("table") = frameOf(stackedOf(results, Rcpp::as<std::string>(table))));
    END_RCPP
}

SEXP ornivo_power_at_speeds(SEXP names, SEXP values, SEXP speeds, SEXP strict) {
    BEGIN_RCPP
    const Fields f = fieldsOf(names, values);
    // The fields are the bird's keys and settings in order: the settings of an empty bird.
    return resultOf(PowerAtSpeeds(Bird{}, Rcpp::as<std::vector<double>>(speeds), f,
                                  optionsOf(false, false, Rcpp::as<bool>(strict), 0)));
    END_RCPP
}

SEXP ornivo_migrate_gps(SEXP names, SEXP values, SEXP file, SEXP rows, SEXP sites, SEXP strict) {
    BEGIN_RCPP
    TrackInput track;
    track.file = Rcpp::as<std::string>(file);
    track.sites = Rcpp::as<std::string>(sites);
    if (!Rf_isNull(rows)) track.rows = trackOf(rows);
    const Fields f = fieldsOf(names, values);
    return resultOf(MigrateGps(Bird{}, track, f, optionsOf(true, false, Rcpp::as<bool>(strict), 0)));
    END_RCPP
}

SEXP ornivo_import_track(SEXP file, SEXP names, SEXP values) {
    BEGIN_RCPP
    return resultOf(ImportTrack(Rcpp::as<std::string>(file), fieldsOf(names, values)));
    END_RCPP
}

SEXP ornivo_presets() {
    BEGIN_RCPP
    return resultOf(PresetBirds());
    END_RCPP
}

SEXP ornivo_user_birds() {
    BEGIN_RCPP
    return resultOf(UserBirds());
    END_RCPP
}

SEXP ornivo_wings(SEXP genus, SEXP species, SEXP sex, SEXP age) {
    BEGIN_RCPP
    return resultOf(Wings(Rcpp::as<std::string>(genus), Rcpp::as<std::string>(species), Rcpp::as<std::string>(sex),
                          Rcpp::as<std::string>(age)));
    END_RCPP
}

SEXP ornivo_read_bird(SEXP path) {
    BEGIN_RCPP
    return birdFile(Rcpp::as<std::string>(path));
    END_RCPP
}

static const R_CallMethodDef callMethods[] = {
    {"ornivo_set_program_folder", (DL_FUNC)&ornivo_set_program_folder, 1},
    {"ornivo_check_columns", (DL_FUNC)&ornivo_check_columns, 1},
    {"ornivo_run", (DL_FUNC)&ornivo_run, 5},
    {"ornivo_run_batch", (DL_FUNC)&ornivo_run_batch, 7},
    {"ornivo_run_tables", (DL_FUNC)&ornivo_run_tables, 8},
    {"ornivo_power_at_speeds", (DL_FUNC)&ornivo_power_at_speeds, 4},
    {"ornivo_migrate_gps", (DL_FUNC)&ornivo_migrate_gps, 6},
    {"ornivo_import_track", (DL_FUNC)&ornivo_import_track, 3},
    {"ornivo_presets", (DL_FUNC)&ornivo_presets, 0},
    {"ornivo_user_birds", (DL_FUNC)&ornivo_user_birds, 0},
    {"ornivo_wings", (DL_FUNC)&ornivo_wings, 4},
    {"ornivo_read_bird", (DL_FUNC)&ornivo_read_bird, 1},
    {nullptr, nullptr, 0}};

void R_init_ornivo(DllInfo* dll) {
    R_registerRoutines(dll, nullptr, callMethods, nullptr, nullptr);
    R_useDynamicSymbols(dll, FALSE);
}

}  // extern "C"
