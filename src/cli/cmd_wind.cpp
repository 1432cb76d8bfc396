// ornivo-cli wind: the wind triangle calculator.
#include "api/RunDialogs.h"
#include "cli/Command.h"
#include "api/Json.h"
#include "nav/WindTriangle.h"

namespace ornivo::cli {
namespace {

int runWind(const std::vector<std::string>& a) {
    Args args(a);
    auto mode = args.value("--mode");
    if (!mode) throw UsageError("--mode find-vg|find-va|find-vg-hdg is required");
    nav::WindMode m;
    if (*mode == "find-vg") m = nav::WindMode::FindVg;
    else if (*mode == "find-va") m = nav::WindMode::FindVa;
    else if (*mode == "find-vg-hdg") m = nav::WindMode::FindVgHdg;
    else throw UsageError("--mode must be find-vg, find-va or find-vg-hdg");
    auto text = [&](const char* flag) {
        auto v = args.value(flag);
        if (v) ParseNumber(*v, flag);  // a malformed number is a usage error, as everywhere in the CLI
        return v.value_or("");
    };
    nav::WindInputs in{text("--wind-speed"), text("--wind-dir"), text("--air-speed"), text("--heading"),
                       text("--ground-speed"), text("--track")};
    RunDialogs d;
    auto r = nav::ComputeWindTriangle(d, m, in);
    if (!r) return d.refuse();
    Json out;
    const bool findsAir = m == nav::WindMode::FindVa;
    const char* speedName = findsAir ? "AirSpeed" : "GroundSpeed";
    const char* dirName = m == nav::WindMode::FindVg ? "Track" : "Heading";
    out[speedName] = std::stod(r->speedText);
    out[dirName] = std::stod(r->directionText);
    out[std::string(speedName) + "Text"] = r->speedText;
    out[std::string(dirName) + "Text"] = r->directionText;
    out[std::string(speedName) + "Exact"] = Double(r->speed);
    out[std::string(dirName) + "Exact"] = Double(r->direction);
    PrintJson(out);
    return ExitOk;
}

}  // namespace

ORNIVO_CLI_COMMAND(wind, "wind",
                   "wind --mode find-vg|find-va|find-vg-hdg --wind-speed V --wind-dir D [--air-speed V] "
                   "[--heading H] [--ground-speed V] [--track T]",
                   runWind);

}  // namespace ornivo::cli
