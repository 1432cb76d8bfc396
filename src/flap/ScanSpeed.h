#pragma once
// The running speed of the 0.1 m/s scans (power curve and glide polar).
//
// The speed is a single-precision running sum, V = V + 0.1, as the published speeds (Vmp, Vmr, Vms,
// Vbg) and the tables have always been computed. Such a sum drifts from the 0.1 grid; past about
// 40 m/s it no longer lands within 0.0001 of the whole speeds, and table columns would be missed. So
// the sum is kept only while it stays within that tolerance of its grid speed first + n x 0.1; from
// the first step where it does not, the speed is the grid speed itself for the rest of the scan.
namespace ornivo::flap {

// Whether V lies within 0.0001 of a whole speed (single comparison): the speeds of table columns.
bool IsWholeSpeed(float V);

class ScanSpeed {
public:
    // A scan starting at `first` (taken to single precision) with steps of `step`.
    ScanSpeed(double first, float step);

    float V() const { return V_; }
    int steps() const { return n_; }  // steps taken since the first speed
    bool onGrid() const { return onGrid_; }

    // The next speed of the scan.
    void next();

    // Whether the speed has reached `Vref` + `above`, where `Vref` was the speed `refSteps` steps from
    // the first. While the speed is a running sum this is the single comparison V >= Vref + above; once
    // the speed is on the grid, Vref is taken on the grid too, so that a sum that drifted by up to
    // 0.0001 does not move the stop by a step.
    bool reached(float Vref, int refSteps, double above) const;

private:
    double gridSpeed(int n) const { return first_ + n * double(step_); }

    double first_;
    float step_;
    int n_ = 0;
    float V_;
    bool onGrid_ = false;
};

}  // namespace ornivo::flap
