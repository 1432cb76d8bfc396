#pragma once
// Segments between fixes: the great circle of a 40000 km circle, as the GPS run measures distance
// (but with the full-precision arc cosine), and the initial great-circle bearing.
namespace ornivo::track {

// km between two positions in degrees; exactly 0 for the same position.
double SegmentKm(double lat1, double lon1, double lat2, double lon2);
// Initial bearing from the first position to the second, degrees in [0, 360).
double InitialBearing(double lat1, double lon1, double lat2, double lon2);

}  // namespace ornivo::track
