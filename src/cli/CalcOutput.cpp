#include "cli/CalcOutput.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>

#include "cli/TidyOutput.h"
#include "output/OutputTree.h"
#include "output/TextRunOutput.h"
#include "platform/Folders.h"

namespace ornivo::cli {
OutputWriter WriterFor(const std::string& calculation, const std::string& what) {
    if (what == "text") return TextFormatWriter(calculation);
    if (what == "xlsx") return XlsxFormatWriter(calculation);
    if (what == "csv") return WriteTidyCsv;
    if (what == "graph") return GraphWriter(calculation);
    return {};
}


CalcOptions ParseCalcOptions(const Args& args, const std::string& calculation, const std::vector<std::string>& extra) {
    CalcOptions o;
    o.calculation = calculation;
    o.extraValueFlags = extra;
    std::vector<std::string> valueFlags = {"--format", "--out", "--comment", "--graph", "--tables", "--table"};
    valueFlags.insert(valueFlags.end(), extra.begin(), extra.end());
    auto pos = args.positional(valueFlags);
    if (pos.size() != 1) throw UsageError("give one bird file (or - for standard input)");
    o.birdPath = pos[0];
    o.format = args.value("--format").value_or("json");
    if (o.format != "json" && o.format != "text" && o.format != "xlsx" && o.format != "csv")
        throw UsageError("--format must be json, text, xlsx or csv");
    const std::string tables = args.value("--tables").value_or("state");
    if (tables != "state" && tables != "tidy") throw UsageError("--tables must be state or tidy");
    o.tidy = tables == "tidy";
    if (o.tidy && o.format != "json") throw UsageError("--tables tidy goes with --format json");
    o.table = args.value("--table");
    o.out = args.value("--out");
    o.comment = args.value("--comment");
    o.graph = args.value("--graph");
    o.uncertainty = args.has("--uncertainty");
    const bool gpsFlags = std::find(extra.begin(), extra.end(), "--gps") != extra.end();
    if (gpsFlags) {
        o.gps = args.value("--gps");
        o.sites = args.value("--sites");
        o.kml = args.value("--kml");
        o.progress = args.has("--progress");
    }
    o.strict = args.has("--strict");
    if (o.format == "xlsx" && !o.out) throw UsageError("--format xlsx needs --out FILE");
    for (const auto& x : args.all()) {
        if (x.rfind("--", 0) != 0) continue;
        bool known = x == "--strict" || (x == "--uncertainty" && calculation == "power-curve") ||
                     (x == "--progress" && gpsFlags);
        for (const auto& f : valueFlags) known = known || f == x;
        if (!known) throw UsageError("unknown option " + x + " (ornivo-cli " + calculation + " --help lists the options)");
    }
    // The writers the call will need, and their options, checked before the run.
    auto need = [&](const std::string& what, const std::string& flag) {
        if (!WriterFor(calculation, what)) throw UsageError(flag + " is not available for " + calculation);
    };
    if (o.format != "json") need(o.format, "--format " + o.format);
    if (o.graph) {
        need("graph", "--graph");
        CheckGraphPath(o);
    }
    return o;
}

int FinishCalc(ProgramState& s, RunDialogs& d, const CalcOptions& opt, const Json& out) {
    int rc = ExitOk;
    const bool aborted = out.value("aborted", false);
    if (opt.format == "json" || opt.format == "csv") {
        // A value that overflowed or has no number is refused rather than printed as null (or left
        // out of a table), whichever shape the tables take.
        const std::string refusal = NoFiniteValueRefusal(out);
        if (!refusal.empty()) {
            std::cerr << refusal << "\n";
            return ExitRefused;
        }
    }
    if (opt.format == "json") {
        Json tidy;
        if (opt.tidy && !aborted) tidy = TidyJson(out, TidyTablesOf(opt.calculation, s));
        const Json& shown = opt.tidy && !aborted ? tidy : out;
        if (opt.out) {
            const std::string err = output::WriteTextFile(*opt.out, shown.dump(1) + "\n", false);
            if (!err.empty()) {
                std::cerr << "cannot write " << *opt.out << ": " << err << "\n";
                return ExitFailure;
            }
        } else {
            PrintJson(shown);
        }
    } else if (!aborted) {
        rc = WriterFor(opt.calculation, opt.format)(s, d, opt);
    }
    if (aborted) {
        // The abort screen ends the run without results: its lines, as a refusal's.
        for (const auto& line : out.value("abort", Json::array())) std::cerr << line.get<std::string>() << "\n";
        return ExitRefused;
    }
    if (rc == ExitOk && opt.graph) rc = WriterFor(opt.calculation, "graph")(s, d, opt);
    return rc;
}

}  // namespace ornivo::cli
