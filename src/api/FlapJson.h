#pragma once
// The JSON of a power-curve run: the slot's inputs and every result the run leaves in the state.
#include "api/Json.h"
#include "state/ProgramState.h"

namespace ornivo::api {

// The inputs a run read, value by value, in the order of the JSON's "inputs": fn(name, value) with
// a float for a single, a double, a whole number, a flag or a text. The JSON and the check that every
// input is finite (batch rows, which leave the inputs out) walk the same list.
template <class Fn>
void EachBirdSlotInput(const ProgramState& s, int slot, Fn&& fn) {
    const BirdParams& b = s.slot(slot);
#define F(name) fn(#name, static_cast<float>(b.name))
    F(EmptyMass); F(CropMass); F(AllUpMass); F(MuscleFrac); F(MuscleMass); F(FatFrac); F(FatMass);
    F(CropFrac); F(AirframeMass); F(AirframeFrac); F(FuelFrac); F(Span); F(WingArea); F(AspectRatio);
    F(MeanChord); F(DiscArea); F(Pbmr); F(EtaPbmr); F(Sbody); F(BodyDiameter); F(Cdb); F(Cdw);
    F(BodyDragArea); F(Gravity); F(PowerFracBound); F(PowerFracFG); F(WbeatFreq);
#undef F
}

template <class Fn>
void EachSharedConstant(const ProgramState& s, Fn&& fn) {
    fn("SpName", s.SpName);
    fn("ShortName", s.ShortName);
    fn("TaxonGroup", static_cast<int>(s.TaxonGroup));
    fn("Sex", static_cast<int>(s.Sex));
    fn("Age", static_cast<int>(s.Age));
    fn("FlightStyle", static_cast<int>(s.FlightStyle));
#define F(name) fn(#name, static_cast<float>(s.name))
    F(AirDensity); F(RelDensity); F(Altitude); F(KinViscosity); F(PayDragFactor); F(Kflap); F(Kglide);
    F(ClMax); F(PlanformSlope); F(Bstop); F(Cprof); F(X1); F(Resp); F(Eta); F(Kmito); F(MuscleDensity);
    F(SigmaMax); F(Lambda); F(PbmrFactor); F(FreqFactor); F(FrontalAreaFactor); F(Efat); F(Eprotein);
    F(ProtHydr); F(EwetProtein); F(ProtFracTarget); F(Efuel); F(FatHeightConst); F(FuelHeightConst);
    F(FatEnergyHeight); F(FuelEnergyHeight); F(GoalDist);
#undef F
    fn("Gravity0", static_cast<float>(s.slot(0).Gravity));
    fn("WbeatFreqRef", static_cast<float>(s.slot(0).WbeatFreq));
    fn("FuelMass", static_cast<double>(s.FuelMass));
    fn("ExistenceRatio", static_cast<double>(s.ExistenceRatio));
}

// The JSON of a value as the outputs print it: a single through its shortest text.
inline Json InputJson(float v) { return Single(v); }
inline Json InputJson(double v) { return Double(v); }
template <class T>
Json InputJson(const T& v) { return Json(v); }

// The name of the first input that is not finite ("" when all are), for the walks above.
template <class Each>
std::string FirstNonFinite(Each&& each) {
    std::string bad;
    each([&](const char* name, const auto& v) {
        using V = std::decay_t<decltype(v)>;
        if constexpr (std::is_floating_point_v<V>)
            if (bad.empty() && !std::isfinite(v)) bad = name;
    });
    return bad;
}

Json PowerCurveResultsJson(const ProgramState& s, bool tables = true);  // results of slot 1

}  // namespace ornivo::api
