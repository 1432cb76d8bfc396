#pragma once
// The names of the setup fields, for code that refers to a field without spelling its control name.
#include <cstdint>
#include <string_view>

namespace ornivo {

// The fields, in the order of the table.
enum class Param : std::uint8_t {
    SpName, ShortName, Taxon,
    EmptyMass, CropMass, CropFrac, AllUpMass, MuscleMass, MuscleFrac, FatMass, FatFrac,
    AirframeMass, AirframeFrac, FatProtHeight, FatHeight,
    Span, Area, AR, Rho, Alt, AltCruise, RhoCruise, GoalDist,
    Sbody, FrontalAreaFactor, Cdb, PayDragFactor, Gravity, PowerFrac,
    Kflap, Cprof, X1, Resp, Eta, Pbmr, PbmrFactor, Kmito, SigmaMax, Lambda, WbeatFreq, FreqFactor,
    KGlide, Cdw, ClMax, PlanformSlope, TonicMuscFrac, Bstop, MetSink,
    Vratio, VratioGPS, VmrRatio,
    Efat, Eprotein, ProtHydr, ProtFracTarget, Emixed, VclimbThreshold, OutputInt,
    OutDrive, OutPath,
    Count
};

// The control name of a field ("txtEmptyMass").
std::string_view ControlOf(Param p);

}  // namespace ornivo
