#include "flap/ScanSpeed.h"

#include <cmath>

#include "state/Single.h"
#include "state/numtext.h"

namespace ornivo::flap {
namespace {

constexpr double Tolerance = double(0.0001f);  // that of the whole-speed test

}  // namespace

bool IsWholeSpeed(float V) { return std::fabs(RoundHalfEven(V) - double(V)) < Tolerance; }

ScanSpeed::ScanSpeed(double first, float step) : first_(first), step_(step), V_(f32(first)) {}

void ScanSpeed::next() {
    ++n_;
    const float grid = f32(gridSpeed(n_));
    if (!onGrid_) {
        const float sum = f32(double(V_) + step_);
        // A grid speed that is whole must stay a whole speed of the sum too.
        if (std::fabs(double(sum) - grid) < Tolerance && (!IsWholeSpeed(grid) || IsWholeSpeed(sum))) {
            V_ = sum;
            return;
        }
        onGrid_ = true;
    }
    V_ = grid;
}

bool ScanSpeed::reached(float Vref, int refSteps, double above) const {
    if (!onGrid_) return V_ >= f32(double(Vref) + above);
    return V_ >= f32(gridSpeed(refSteps) + above);
}

}  // namespace ornivo::flap
