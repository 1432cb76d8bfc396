#pragma once
#include <string>

namespace ornivo {

// The one saved copy of the last bird used in a calculation.
struct LastBirdRecord {
    std::string SpName, ShortName;
    float EmptyMass = 0, CropMass = 0, Span = 0, WingArea = 0, AirDensity = 0;
    float MuscleFrac = 0, FatFrac = 0;
    float TaxonGroup = 0, Sex = 0, Age = 0;   // held as singles
    float Cprof = 0, PbmrFactor = 0;
    double ExistenceRatio = 0;
    float FreqFactor = 0, FrontalAreaFactor = 0, Cdb = 0, Cdw = 0, Kflap = 0, Kglide = 0;
    float Kmito = 0, Resp = 0, Eta = 0, Efat = 0, Eprotein = 0, ProtHydr = 0, ProtFracTarget = 0;
    float ClMax = 0, PlanformSlope = 0, Bstop = 0, Gravity0 = 0;
};

}  // namespace ornivo
