#include "api/FlapJson.h"

namespace ornivo::api {

Json PowerCurveResultsJson(const ProgramState& s, bool tables) {
    const BirdParams& b = s.slot(ModePowerCurve);
    Json j;
#define F(name) j[#name] = Single(s.Flap.name)
    F(VmpExact); F(VmrExact); F(Vmp); F(Vmr); F(PmechMin); F(PchemMin); F(NchemVmp); F(QVmp); F(DownwashVmp);
    F(MitoFracVmp); F(MitoFracClimb); F(PmechVmr); F(PchemVmr); F(NchemMax); F(QVmr); F(DownwashVmr);
    F(MitoFracCruise);
#undef F
#define B(name) j[#name] = Single(b.name)
    B(ReWingVmp); B(ReBodyVmp); B(FredVmp); B(ReWingVmr); B(ReBodyVmr); B(FredVmr);
#undef B
    j["MaxClimb"] = Single(s.Flap.MaxClimb);
    j["CurveFirstSpeed"] = s.Flap.CurveFirstSpeed;
    j["CurveLastIndex"] = s.Flap.CurveLastIndex;
    j["CurveLastRow"] = s.Flap.CurveLastRow;
    j["UncertDone"] = s.Flap.UncertDone;
    j["WbeatFreq"] = Single(b.WbeatFreq);
    j["Pbmr"] = Single(b.Pbmr);
    j["Ppro"] = Single(s.Flap.Ppro);
    j["Pam"] = Single(s.Flap.Pam);
    j["PminExact"] = Single(s.Flap.PminExact);
    j["MaxSpecificWork"] = Single(s.Flap.MaxSpecificWork);
    if (s.Flap.UncertDone) j["VmpUncert"] = Single(s.Flap.VmpUncert);
    if (tables || !RowsFinite(s.Flap.PowerCurveTable)) j["PowerCurveTable"] = SingleTable(s.Flap.PowerCurveTable);
    return j;
}

}  // namespace ornivo::api
