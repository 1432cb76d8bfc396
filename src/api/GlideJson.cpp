#include "api/GlideJson.h"

namespace ornivo::api {

Json GlideResultsJson(const ProgramState& s, bool tables) {
    const BirdParams& b = s.slot(ModeGlide);
    Json j;
#define F(name) j[#name] = Single(s.name)
    F(Vstall); F(Vms); F(VmsEAS); F(MinSink); F(GlideRatioVms); F(ClVms); F(Vbg); F(VbgEAS); F(SinkVbg);
    F(BestGlideRatio); F(ClVbg);
#define B(name) j[#name] = Single(b.name)
    B(ReWingVms); B(ReBodyVms); B(ReWingVbg); B(ReBodyVbg);
#undef B
    F(CircleRadius); F(SinkLast); F(PchemTonic); F(PchemGlide); F(JperFlap); F(MetSink);
    F(PchemMin); F(NchemVmp); F(PchemVmr); F(NchemMax); F(VmpExact); F(VmrExact); F(Ppro); F(Pam);
    F(PminExact); F(TonicMuscFrac);
#undef F
    j["WbeatFreqRef"] = Single(s.slot(0).WbeatFreq);
    j["Pbmr"] = Single(b.Pbmr);
    j["SpanLaw"] = s.SpanLaw;
    j["PolarFirstRow"] = s.PolarFirstRow;
    j["PolarRowLimit"] = s.PolarRowLimit;
    j["PolarLastRow"] = s.PolarLastRow;
    if (tables || !RowsFinite(s.GlidePolarTable)) j["GlidePolarTable"] = SingleTable(s.GlidePolarTable);
    if (tables || !RowsFinite(s.MacCreadyTable)) j["MacCreadyTable"] = SingleTable(s.MacCreadyTable);
    return j;
}

}  // namespace ornivo::api
