// ornivo._core: the library API for Python. Values cross as plain Python objects and numpy arrays;
// the pandas frames are made in the package's Python code. Calculations run with the GIL released.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>

#include "api/Ornivo.h"

namespace py = pybind11;
using namespace ornivo::api;

namespace {

// A Python cell as a value: None and NaN are nothing (an empty cell); anything that is not a number,
// a flag or a text goes as its text, which the bird's rules then refuse.
Value valueOf(const py::handle& o) {
    if (o.is_none()) return std::monostate{};
    if (py::isinstance<py::bool_>(o)) return o.cast<bool>();
    if (py::isinstance<py::int_>(o)) {
        try {
            return static_cast<std::int64_t>(o.cast<long long>());
        } catch (const py::cast_error&) {
            return py::str(o).cast<std::string>();
        }
    }
    if (py::isinstance<py::float_>(o)) {
        const double d = o.cast<double>();
        return std::isnan(d) ? Value(std::monostate{}) : Value(d);
    }
    if (py::isinstance<py::str>(o)) return o.cast<std::string>();
    // numpy scalars and the like: a number when they make one, else their text.
    if (py::hasattr(o, "__float__") && !py::isinstance<py::str>(o)) {
        const double d = PyFloat_AsDouble(o.ptr());
        if (PyErr_Occurred()) {
            PyErr_Clear();
            return py::str(o).cast<std::string>();
        }
        if (py::hasattr(o, "dtype") && py::str(o.attr("dtype").attr("kind")).cast<std::string>() == "b")
            return d != 0;
        return std::isnan(d) ? Value(std::monostate{}) : Value(d);
    }
    return py::str(o).cast<std::string>();
}

py::object toPython(const Value& v) {
    if (auto d = std::get_if<double>(&v)) return py::float_(*d);
    if (auto i = std::get_if<std::int64_t>(&v)) return py::int_(*i);
    if (auto b = std::get_if<bool>(&v)) return py::bool_(*b);
    if (auto s = std::get_if<std::string>(&v)) return py::str(*s);
    return py::none();
}

Fields fieldsOf(const py::list& pairs) {
    Fields f;
    for (const auto& item : pairs) {
        auto t = item.cast<py::tuple>();
        f.emplace_back(t[0].cast<std::string>(), valueOf(t[1]));
    }
    return f;
}

// Birds given column by column (a frame's columns: float arrays or lists of objects), as rows.
std::vector<Fields> rowsOf(const std::vector<std::string>& names, const py::list& columns) {
    std::size_t n = 0;
    for (const auto& c : columns) n = std::max<std::size_t>(n, py::len(c));
    std::vector<Fields> rows(n);
    for (std::size_t c = 0; c < names.size(); ++c) {
        py::handle column = columns[c];
        if (py::isinstance<py::array_t<double>>(column)) {
            auto a = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(column);
            auto view = a.unchecked<1>();
            for (py::ssize_t i = 0; i < view.shape(0); ++i)
                rows[i].emplace_back(names[c], std::isnan(view(i)) ? Value(std::monostate{}) : Value(view(i)));
        } else {
            py::list items(py::reinterpret_borrow<py::object>(column));
            for (std::size_t i = 0; i < items.size(); ++i) rows[i].emplace_back(names[c], valueOf(items[i]));
        }
    }
    return rows;
}

py::dict tableDict(const Table& t) {
    py::dict columns;
    py::dict units;
    py::list names, kinds;
    for (const Column& c : t.columns) {
        names.append(c.name);
        units[py::str(c.name)] = c.unit;
        kinds.append(c.text ? "text" : c.flag ? "flag" : c.whole ? "whole" : "number");
        if (c.text) columns[py::str(c.name)] = py::cast(c.texts);
        else columns[py::str(c.name)] = py::array_t<double>(static_cast<py::ssize_t>(c.numbers.size()), c.numbers.data());
    }
    py::dict d;
    d["name"] = t.name;
    d["names"] = names;
    d["units"] = units;
    d["kinds"] = kinds;
    d["columns"] = columns;
    return d;
}

py::dict fieldsDict(const Fields& f) {
    py::dict d;
    for (const auto& [name, v] : f) d[py::str(name)] = toPython(v);
    return d;
}

py::dict resultDict(const Result& r) {
    py::dict d;
    d["ok"] = r.ok;
    d["status"] = r.status;
    d["refusal"] = py::cast(r.refusal);
    d["inputs"] = fieldsDict(r.inputs);
    d["scalars"] = fieldsDict(r.scalars);
    py::dict tables;
    for (const auto& t : r.tables) tables[py::str(t.name)] = tableDict(t);
    d["tables"] = tables;
    d["messages"] = py::cast(r.messages);
    d["SpName"] = r.SpName;
    d["ShortName"] = r.ShortName;
    d["program_state"] = r.programState;
    return d;
}

Calc calcOf(const std::string& name) {
    if (name == "power-curve") return Calc::PowerCurve;
    if (name == "glide-polar") return Calc::GlidePolar;
    if (name == "migrate") return Calc::Migrate;
    throw py::value_error("calculation must be power-curve, glide-polar or migrate");
}

CallOptions optionsOf(bool tables, bool uncertainty, bool strict, int threads, bool programState) {
    CallOptions o;
    o.tables = tables;
    o.uncertainty = uncertainty;
    o.strict = strict;
    o.threads = threads;
    o.programState = programState;
    return o;
}

Table tableOf(const py::dict& d) {
    Table t;
    const auto names = d["names"].cast<std::vector<std::string>>();
    py::dict columns = d["columns"];
    py::dict units = d.contains("units") ? py::dict(d["units"]) : py::dict();
    for (const auto& name : names) {
        Column c{name, units.contains(name) ? units[py::str(name)].cast<std::string>() : ""};
        py::handle col = columns[py::str(name)];
        if (py::isinstance<py::array_t<double>>(col)) {
            c.numbers = col.cast<std::vector<double>>();
        } else {
            c.text = true;
            for (const auto& item : py::list(py::reinterpret_borrow<py::object>(col))) c.texts.push_back(item.is_none() ? "" : py::str(item).cast<std::string>());
        }
        t.columns.push_back(std::move(c));
    }
    return t;
}

}  // namespace

PYBIND11_MODULE(_core, m) {
    m.doc() = "Ornivo's exact engines: the library API the ornivo package wraps";

    m.def("run", [](const std::string& calc, const py::list& fields, bool tables, bool uncertainty, bool strict,
                    bool programState) {
        const Fields f = fieldsOf(fields);
        Result r;
        {
            py::gil_scoped_release release;
            r = Run(calcOf(calc), f, optionsOf(tables, uncertainty, strict, 0, programState));
        }
        return resultDict(r);
    });

    m.def("run_batch", [](const std::string& calc, const std::vector<std::string>& names, const py::list& columns,
                          bool uncertainty, bool strict, int threads) {
        const auto rows = rowsOf(names, columns);
        Table t;
        {
            py::gil_scoped_release release;
            t = RunBatch(calcOf(calc), rows, optionsOf(false, uncertainty, strict, threads, false));
        }
        return tableDict(t);
    });

    m.def("run_many", [](const std::string& calc, const std::vector<std::string>& names, const py::list& columns,
                         bool uncertainty, bool strict, int threads) {
        const auto rows = rowsOf(names, columns);
        std::vector<Result> results;
        {
            py::gil_scoped_release release;
            results = RunMany(calcOf(calc), rows, optionsOf(true, uncertainty, strict, threads, false));
        }
        py::list out;
        for (const auto& r : results) out.append(resultDict(r));
        return out;
    });

    m.def("power_at_speeds", [](const py::list& fields, const std::vector<double>& speeds, bool strict) {
        Bird none;
        const Fields f = fieldsOf(fields);
        Result r;
        {
            py::gil_scoped_release release;
            // The fields are the bird's keys and settings in order: passed as settings of an empty bird.
            r = PowerAtSpeeds(none, speeds, f, optionsOf(false, false, strict, 0, false));
        }
        return resultDict(r);
    });

    m.def("migrate_gps", [](const py::list& fields, const std::string& file, const py::object& rows,
                            const std::string& sites, const py::object& siteRows, bool strict) {
        Bird none;
        TrackInput track;
        track.file = file;
        track.sites = sites;
        if (!rows.is_none()) track.rows = tableOf(rows.cast<py::dict>());
        if (!siteRows.is_none()) track.siteRows = tableOf(siteRows.cast<py::dict>());
        const Fields f = fieldsOf(fields);
        Result r;
        {
            py::gil_scoped_release release;
            r = MigrateGps(none, track, f, optionsOf(true, false, strict, 0, false));
        }
        return resultDict(r);
    });

    m.def("import_track", [](const std::string& file, const py::list& options) {
        const Fields o = fieldsOf(options);
        Result r;
        {
            py::gil_scoped_release release;
            r = ImportTrack(file, o);
        }
        return resultDict(r);
    });

    m.def("presets", [] { return resultDict(PresetBirds()); });
    m.def("user_birds", [] { return resultDict(UserBirds()); });
    m.def("wings", [](const std::string& genus, const std::string& species, const std::string& sex,
                      const std::string& age) { return resultDict(Wings(genus, species, sex, age)); });
    m.def("check_columns", [](const std::vector<std::string>& names) { return CheckColumns(names); });
    m.def("set_program_folder", [](const std::string& folder) { SetProgramFolder(folder); });
    m.def("bird_keys", [] { return BirdKeys(); });
    m.def("result_columns", [](const std::string& calc) {
        // The batch table's columns of a calculation, from a run of no birds.
        return tableDict(RunBatch(calcOf(calc), {}, {}))["names"];
    });
}
