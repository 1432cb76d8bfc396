#include "nav/DegreeTrig.h"

#include <cmath>
#include <limits>

#include "state/StateOps.h"

namespace ornivo::nav {

double SinD(double a) { return std::sin(a * Pi / 180); }
double CosD(double a) { return std::cos(a * Pi / 180); }
double ArcTanD(double x) { return std::atan(x) * 180 / Pi; }

double ArcSinD(double x) {
    if (x == 1) return 90;
    if (x == -1) return -90;
    if (std::fabs(x) > 1) {
        if (std::fabs(x) - 1 < 1e-12) return x > 0 ? 90 : -90;
        return std::numeric_limits<double>::quiet_NaN();
    }
    return std::atan(x / std::sqrt(1 - x * x)) * 180 / Pi;
}

double NormalizeDegrees(double& a) {
    if (!std::isfinite(a)) return a;
    if (std::fabs(a) > 1e6) a = std::fmod(a, 360.0);  // keeps the folding loops short
    while (!(a > 0)) a += 360;
    while (a > 360) a -= 360;
    return a;
}

double NormalizedDegrees(double a) { return NormalizeDegrees(a); }

Components ToComponents(double speed, double bearing) {
    return {speed * SinD(bearing), speed * CosD(bearing)};
}

SpeedBearing FromComponents(double east, double north) {
    SpeedBearing r{std::sqrt(east * east + north * north), 0};
    double base = north < 0 ? 180 : (east < 0 ? 360 : 0);
    if (north != 0) r.bearing = base + ArcTanD(east / north);
    else r.bearing = east >= 0 ? 90 : 270;
    return r;
}

double GreatCircleKm(double lat1, double lon1, double lat2, double lon2) {
    const double c1 = Pi / 2 - lat1, c2 = Pi / 2 - lat2;
    const double cosd = std::cos(lon2 - lon1) * std::sin(c1) * std::sin(c2) + std::cos(c1) * std::cos(c2);
    return ArcCos(cosd) * 20000 / Pi;
}

}  // namespace ornivo::nav
