#include "nav/WindTriangle.h"

#include <cmath>

#include "nav/DegreeTrig.h"
#include "state/numtext.h"

namespace ornivo::nav {
namespace {

WindResult shown(double speed, double direction) {
    WindResult r;
    r.speed = speed;
    r.direction = NormalizedDegrees(direction);
    r.speedText = FormatPattern(r.speed, "0.0");
    r.directionText = FormatPattern(r.direction, "0");
    if (r.directionText == "0") r.directionText = "360";  // compass: north is 360
    return r;
}

}  // namespace

std::string WindComputeCaption(WindMode mode) {
    switch (mode) {
    case WindMode::FindVg: return "Find Ground Speed and Track";
    case WindMode::FindVa: return "Find Air Speed and Heading";
    case WindMode::FindVgHdg: return "Find Ground Speed and Heading";
    }
    return {};
}

std::optional<WindResult> ComputeWindTriangle(platform::Dialogs& d, WindMode mode, const WindInputs& in) {
    if (in.windSpeed.empty() || in.windDir.empty()) {
        d.error({"Please enter wind speed and direction", "Wind direction is direction FROM which wind blows"});
        return std::nullopt;
    }
    const double ws = LeadingNumber(in.windSpeed), wd = LeadingNumber(in.windDir);
    switch (mode) {
    case WindMode::FindVg: {
        if (in.airSpeed.empty() || in.heading.empty()) {
            d.error({"Please enter air speed and heading", "Heading is direction TOWARDS which bird steers"});
            return std::nullopt;
        }
        Components air = ToComponents(LeadingNumber(in.airSpeed), LeadingNumber(in.heading));
        Components wind = ToComponents(ws, wd);
        SpeedBearing g = FromComponents(air.east - wind.east, air.north - wind.north);
        return shown(g.speed, g.bearing);
    }
    case WindMode::FindVa: {
        if (in.groundSpeed.empty() || in.track.empty()) {
            d.error({"Please enter ground speed and track", "Track is direction TOWARDS which bird moves"});
            return std::nullopt;
        }
        Components ground = ToComponents(LeadingNumber(in.groundSpeed), LeadingNumber(in.track));
        Components wind = ToComponents(ws, wd);
        SpeedBearing a = FromComponents(ground.east + wind.east, ground.north + wind.north);
        return shown(a.speed, a.bearing);
    }
    case WindMode::FindVgHdg: {
        if (in.airSpeed.empty() || in.track.empty()) {
            d.error({"Please enter air speed and track", "Track is direction TOWARDS which birds moves"});
            return std::nullopt;
        }
        const double va = LeadingNumber(in.airSpeed), trk = LeadingNumber(in.track);
        const double W = NormalizedDegrees(wd + 180 - trk);
        if (std::fabs(SinD(W)) >= 1e-6) {
            const double k = va / SinD(W);
            const double s = ws / k;
            if (!(std::fabs(s) <= 1)) {
                d.error({"No wind triangle exists for these values:",
                         "the wind across the track is stronger than the air speed"});
                return std::nullopt;
            }
            const double A = NormalizedDegrees(ArcSinD(s));
            const double heading = NormalizedDegrees(trk - A);
            const double C = NormalizedDegrees(180 - A - W);
            return shown(SinD(C) * k, heading);
        }
        const double D = RoundHalfEven(trk - wd);
        const double gs = std::fmod(D, 360.0) == 0 ? va - ws : va + ws;
        WindResult r = shown(gs, trk);
        r.direction = trk;  // the heading is the track as entered
        r.directionText = FormatPattern(trk, "0");
        return r;
    }
    }
    return std::nullopt;
}

}  // namespace ornivo::nav
