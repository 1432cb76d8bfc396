// ornivo-cli density: the standard atmosphere and the air density calculator.
#include <iostream>

#include "atmosphere/Atmosphere.h"
#include "atmosphere/DensityCalculator.h"
#include "api/RunDialogs.h"
#include "cli/Command.h"
#include "api/Json.h"

namespace ornivo::cli {
namespace {

int runDensity(const std::vector<std::string>& a) {
    Args args(a);
    ProgramState s;
    RunDialogs d;
    auto altitude = args.number("--altitude");
    auto density = args.number("--density");
    auto baro = args.number("--baro");
    auto temp = args.number("--temp");
    auto above = args.number("--above-observer");
    int modes = (altitude ? 1 : 0) + (density ? 1 : 0) + ((baro || temp) ? 1 : 0);
    if (modes != 1) throw UsageError("give one of --altitude M, --density RHO or --baro MB --temp C");
    if ((baro && !temp) || (temp && !baro)) throw UsageError("--baro and --temp go together");
    if (above && !baro) throw UsageError("--above-observer needs --baro and --temp");

    if (altitude) {
        if (!AltitudeFieldRule(s, d, *altitude)) return d.refuse();
    } else if (density) {
        if (!DensityFieldRule(s, d, *density, AltitudeShown::SetupScreen)) return d.refuse();
    } else {
        s.Baro = static_cast<float>(*baro);
        s.AirTemp = static_cast<float>(*temp);
        s.HeightAboveObserver = static_cast<float>(above.value_or(0));
        auto method = above ? DensityMethod::Observer : DensityMethod::PressureTemperature;
        auto text = FindAirDensity(s, d, method);
        if (!text || !AcceptAirDensity(s, d, *text)) return d.refuse();
    }
    Json out;
    out["AirDensity"] = Single(s.AirDensity);
    out["RelDensity"] = Single(s.RelDensity);
    out["Altitude"] = Single(s.Altitude);
    out["KinViscosity"] = Single(s.KinViscosity);
    PrintJson(out);
    return ExitOk;
}

}  // namespace

ORNIVO_CLI_COMMAND(density, "density",
                   "density --altitude M | --density RHO | --baro MB --temp C [--above-observer M]", runDensity);

}  // namespace ornivo::cli
