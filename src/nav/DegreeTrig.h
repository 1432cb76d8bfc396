#pragma once
// Trigonometry in compass degrees, vectors, and the great circle. All double precision.
namespace ornivo::nav {

constexpr double Pi = 3.14159265358979323846;  // the state's 4 atan(1)

double SinD(double a);
double CosD(double a);
double ArcTanD(double x);
// Inverse sine in degrees; exactly 1 gives 90 and -1 gives -90. Arguments just outside -1..1 from
// rounding are clamped; NaN for |x| clearly beyond 1.
double ArcSinD(double x);
// Folds into (0, 360]: 0 becomes 360, -90 becomes 270, 725 becomes 5.
double NormalizeDegrees(double& a);
double NormalizedDegrees(double a);

struct Components { double east, north; };
struct SpeedBearing { double speed, bearing; };
Components ToComponents(double speed, double bearing);
// Bearing not folded: callers fold it with NormalizeDegrees before showing it.
SpeedBearing FromComponents(double east, double north);
// Great-circle distance in km, positions in radians (north and east positive); a circle of 40000 km.
double GreatCircleKm(double lat1, double lon1, double lat2, double lon2);

}  // namespace ornivo::nav
