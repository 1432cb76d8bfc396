#include "api/GlideJson.h"

namespace ornivo::api {

Json GlideResultsJson(const ProgramState& s, bool tables) {
    const BirdParams& b = s.slot(ModeGlide);
    Json j;
#define F(name) j[#name] = Single(s.Glide.name)
    F(Vstall); F(Vms); F(VmsEAS); F(MinSink); F(GlideRatioVms); F(ClVms); F(Vbg); F(VbgEAS); F(SinkVbg);
    F(BestGlideRatio); F(ClVbg);
#define B(name) j[#name] = Single(b.name)
    B(ReWingVms); B(ReBodyVms); B(ReWingVbg); B(ReBodyVbg);
#undef B
    F(CircleRadius); F(SinkLast); F(PchemTonic); F(PchemGlide); F(JperFlap); F(MetSink);
    // The flapping comparison values, from the power-curve record.
#define P(name) j[#name] = Single(s.Flap.name)
    P(PchemMin); P(NchemVmp); P(PchemVmr); P(NchemMax); P(VmpExact); P(VmrExact); P(Ppro); P(Pam);
    P(PminExact);
#undef P
    F(TonicMuscFrac);
#undef F
    j["WbeatFreqRef"] = Single(s.slot(0).WbeatFreq);
    j["Pbmr"] = Single(b.Pbmr);
    j["SpanLaw"] = s.Glide.SpanLaw;
    j["PolarFirstRow"] = s.Glide.PolarFirstRow;
    j["PolarRowLimit"] = s.Glide.PolarRowLimit;
    j["PolarLastRow"] = s.Glide.PolarLastRow;
    if (tables || !RowsFinite(s.Glide.GlidePolarTable)) j["GlidePolarTable"] = SingleTable(s.Glide.GlidePolarTable);
    if (tables || !RowsFinite(s.Glide.MacCreadyTable)) j["MacCreadyTable"] = SingleTable(s.Glide.MacCreadyTable);
    return j;
}

}  // namespace ornivo::api
