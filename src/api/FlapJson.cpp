#include "api/FlapJson.h"

namespace ornivo::api {

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
