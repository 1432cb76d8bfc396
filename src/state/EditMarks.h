#pragma once
#include <bitset>
#include <cstddef>

namespace ornivo {

// One mark per setup field, set when the user clicks into it; the workbook
// writers colour the cells of marked fields red.
enum class Mark : std::size_t {
    EmptyMass, MuscleMass, FatMass, CropMass, Span, WingArea, AspectRatio,
    AirDensity, CruiseDensity, Altitude, CruiseAltitude, Sbody, FrontalAreaFactor,
    Cdb, PayDragFactor, MuscleFrac, FatFrac, Gravity, Kflap, Cprof, X1, Resp, Eta,
    Pbmr, PbmrFactor, ExistenceRatio, FlightStyle, PowerFrac, Kmito, WbeatFreq,
    Efat, Eprotein, ProtHydr, ProtFracTarget, SpeedControl, MuscleControl,
    MitoControl, Vratio, VratioGPS, OutputInterval, GoalDist, SigmaMax, Lambda,
    VclimbThreshold, Bstop, Kglide, ClMax, Cdw, PlanformSlope, TonicMuscFrac,
    Count
};

class EditMarks {
public:
    void set(Mark m) { bits_.set(static_cast<std::size_t>(m)); }
    bool test(Mark m) const { return bits_.test(static_cast<std::size_t>(m)); }
    // Resets every mark but the frontal area factor and BMR factor marks, which stay once set.
    void clearKeepingFactors() {
        bool faf = test(Mark::FrontalAreaFactor), bmrf = test(Mark::PbmrFactor);
        bits_.reset();
        if (faf) set(Mark::FrontalAreaFactor);
        if (bmrf) set(Mark::PbmrFactor);
    }
    void clearAll() { bits_.reset(); }
    bool any() const { return bits_.any(); }

private:
    std::bitset<static_cast<std::size_t>(Mark::Count)> bits_;
};

}  // namespace ornivo
