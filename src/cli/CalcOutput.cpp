#include "cli/CalcOutput.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>

#include "output/OutputTree.h"
#include "platform/Folders.h"

namespace ornivo::cli {
namespace {
std::map<std::string, OutputWriter>& writers() {
    static std::map<std::string, OutputWriter> w;
    return w;
}
UncertaintyFn& uncertainty() {
    static UncertaintyFn f;
    return f;
}
}  // namespace

bool RegisterOutputWriter(const std::string& key, OutputWriter w) {
    writers()[key] = std::move(w);
    return true;
}

void SetUncertaintyHook(UncertaintyFn fn) { uncertainty() = std::move(fn); }
const UncertaintyFn& UncertaintyHook() { return uncertainty(); }

CalcOptions ParseCalcOptions(const Args& args, const std::string& calculation, const std::vector<std::string>& extra) {
    CalcOptions o;
    o.calculation = calculation;
    o.extraValueFlags = extra;
    std::vector<std::string> valueFlags = {"--format", "--out", "--comment", "--graph"};
    valueFlags.insert(valueFlags.end(), extra.begin(), extra.end());
    auto pos = args.positional(valueFlags);
    if (pos.size() != 1) throw UsageError("give one bird file (or - for standard input)");
    o.birdPath = pos[0];
    o.format = args.value("--format").value_or("json");
    if (o.format != "json" && o.format != "text" && o.format != "xlsx")
        throw UsageError("--format must be json, text or xlsx");
    o.out = args.value("--out");
    o.comment = args.value("--comment");
    o.graph = args.value("--graph");
    o.uncertainty = args.has("--uncertainty");
    if (std::find(extra.begin(), extra.end(), "--gps") != extra.end()) {
        o.gps = args.value("--gps");
        o.sites = args.value("--sites");
        o.kml = args.value("--kml");
        o.progress = args.has("--progress");
    }
    if (o.format == "xlsx" && !o.out) throw UsageError("--format xlsx needs --out FILE");
    for (const auto& x : args.all()) {
        if (x.rfind("--", 0) != 0) continue;
        bool known = x == "--uncertainty" || x == "--progress";
        for (const auto& f : valueFlags) known = known || f == x;
        if (!known) throw UsageError("unknown option " + x);
    }
    return o;
}

void PrepareOutputState(ProgramState& s, const CalcOptions&) {
    SetVersionAndNotices(s);
    s.ProgramFolder = platform::ShippedFolder();
    const char* home = std::getenv("HOME");
    s.OutDrive = home ? home : ".";
}

std::string NoFiniteValueRefusal(const Json& out) {
    for (const char* part : {"inputs", "results"}) {
        if (!out.contains(part)) continue;
        std::string where = FirstMissingNumber(out[part], part);
        if (!where.empty())
            return "The calculation gave no finite value for " + where +
                   ": check the values given for it and for what it depends on";
    }
    return "";
}

int FinishCalc(ProgramState& s, CliDialogs& d, const CalcOptions& opt, const Json& out) {
    int rc = ExitOk;
    if (opt.format == "json") {
        // A value that overflowed or has no number is refused rather than printed as null.
        const std::string refusal = NoFiniteValueRefusal(out);
        if (!refusal.empty()) {
            std::cerr << refusal << "\n";
            return ExitRefused;
        }
        PrintJson(out);
    } else {
        auto it = writers().find(opt.calculation + "/" + opt.format);
        if (it == writers().end()) throw UsageError("--format " + opt.format + " is not available for " + opt.calculation);
        rc = it->second(s, d, opt);
    }
    if (rc == ExitOk && opt.graph) {
        auto it = writers().find(opt.calculation + "/graph");
        if (it == writers().end()) throw UsageError("--graph is not available for " + opt.calculation);
        rc = it->second(s, d, opt);
    }
    return rc;
}

}  // namespace ornivo::cli
