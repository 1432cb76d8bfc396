#include "track/TrackGeometry.h"

#include <algorithm>
#include <cmath>

#include "nav/DegreeTrig.h"

namespace ornivo::track {

using nav::Pi;

double SegmentKm(double lat1, double lon1, double lat2, double lon2) {
    // Rounding would give a few centimetres between a position and itself.
    if (lat1 == lat2 && lon1 == lon2) return 0;
    const double c1 = Pi / 2 - lat1 * Pi / 180, c2 = Pi / 2 - lat2 * Pi / 180;
    const double dlon = lon2 * Pi / 180 - lon1 * Pi / 180;
    const double cosd = std::cos(dlon) * std::sin(c1) * std::sin(c2) + std::cos(c1) * std::cos(c2);
    return std::acos(std::clamp(cosd, -1.0, 1.0)) * 20000 / Pi;
}

double InitialBearing(double lat1, double lon1, double lat2, double lon2) {
    const double p1 = lat1 * Pi / 180, p2 = lat2 * Pi / 180;
    const double dl = lon2 * Pi / 180 - lon1 * Pi / 180;
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    double b = std::atan2(y, x) * 180 / Pi;
    if (b < 0) b += 360;
    if (b >= 360) b -= 360;
    return b;
}

}  // namespace ornivo::track
