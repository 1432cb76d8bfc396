#include "api/FlapJson.h"

namespace ornivo::api {

Json BirdSlotJson(const ProgramState& s, int slot) {
    const BirdParams& b = s.slot(slot);
    Json j;
#define F(name) j[#name] = Single(b.name)
    F(EmptyMass); F(CropMass); F(AllUpMass); F(MuscleFrac); F(MuscleMass); F(FatFrac); F(FatMass);
    F(CropFrac); F(AirframeMass); F(AirframeFrac); F(FuelFrac); F(Span); F(WingArea); F(AspectRatio);
    F(MeanChord); F(DiscArea); F(Pbmr); F(EtaPbmr); F(Sbody); F(BodyDiameter); F(Cdb); F(Cdw);
    F(BodyDragArea); F(Gravity); F(PowerFracBound); F(PowerFracFG); F(WbeatFreq);
#undef F
    return j;
}

Json SharedConstantsJson(const ProgramState& s) {
    Json j;
    j["SpName"] = s.SpName;
    j["ShortName"] = s.ShortName;
    j["TaxonGroup"] = s.TaxonGroup;
    j["Sex"] = s.Sex;
    j["Age"] = s.Age;
    j["FlightStyle"] = s.FlightStyle;
#define F(name) j[#name] = Single(s.name)
    F(AirDensity); F(RelDensity); F(Altitude); F(KinViscosity); F(PayDragFactor); F(Kflap); F(Kglide);
    F(ClMax); F(PlanformSlope); F(Bstop); F(Cprof); F(X1); F(Resp); F(Eta); F(Kmito); F(MuscleDensity);
    F(SigmaMax); F(Lambda); F(PbmrFactor); F(FreqFactor); F(FrontalAreaFactor); F(Efat); F(Eprotein);
    F(ProtHydr); F(EwetProtein); F(ProtFracTarget); F(Efuel); F(FatHeightConst); F(FuelHeightConst);
    F(FatEnergyHeight); F(FuelEnergyHeight); F(GoalDist);
#undef F
    j["Gravity0"] = Single(s.slot(0).Gravity);
    j["WbeatFreqRef"] = Single(s.slot(0).WbeatFreq);
    j["FuelMass"] = Double(s.FuelMass);
    j["ExistenceRatio"] = Double(s.ExistenceRatio);
    return j;
}

Json PowerCurveResultsJson(const ProgramState& s, bool tables) {
    const BirdParams& b = s.slot(ModePowerCurve);
    Json j;
#define F(name) j[#name] = Single(s.name)
    F(VmpExact); F(VmrExact); F(Vmp); F(Vmr); F(PmechMin); F(PchemMin); F(NchemVmp); F(QVmp); F(DownwashVmp);
    F(MitoFracVmp); F(MitoFracClimb); F(PmechVmr); F(PchemVmr); F(NchemMax); F(QVmr); F(DownwashVmr);
    F(MitoFracCruise);
#undef F
#define B(name) j[#name] = Single(b.name)
    B(ReWingVmp); B(ReBodyVmp); B(FredVmp); B(ReWingVmr); B(ReBodyVmr); B(FredVmr);
#undef B
    j["MaxClimb"] = Single(s.MaxClimb);
    j["CurveFirstSpeed"] = s.CurveFirstSpeed;
    j["CurveLastIndex"] = s.CurveLastIndex;
    j["CurveLastRow"] = s.CurveLastRow;
    j["UncertDone"] = s.UncertDone;
    j["WbeatFreq"] = Single(b.WbeatFreq);
    j["Pbmr"] = Single(b.Pbmr);
    j["Ppro"] = Single(s.Ppro);
    j["Pam"] = Single(s.Pam);
    j["PminExact"] = Single(s.PminExact);
    j["MaxSpecificWork"] = Single(s.MaxSpecificWork);
    if (s.UncertDone) j["VmpUncert"] = Single(s.VmpUncert);
    if (tables || !RowsFinite(s.PowerCurveTable)) j["PowerCurveTable"] = SingleTable(s.PowerCurveTable);
    return j;
}

}  // namespace ornivo::api
