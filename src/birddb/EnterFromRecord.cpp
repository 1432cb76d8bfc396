#include "birddb/EnterFromRecord.h"

#include <cmath>
#include <cstring>

#include "atmosphere/Atmosphere.h"
#include "bird/EnterBird.h"
#include "state/ControlNames.h"
#include "state/Derived.h"
#include "state/numtext.h"

namespace ornivo::birddb {
namespace {
float single(double v) { return static_cast<float>(v); }
}  // namespace

int16_t CodeOf(const external::RecordSet& rs, const char* field) {
    double v = rs.number(field);
    if (!(v > -32768.5 && v < 32767.5)) return 0;
    return CInt(v);
}

const std::vector<UserParameter>& UserParameters() {
    static const std::vector<UserParameter> p = {
        {"Cprof", ctl::txtCprof, 8.4f},           {"BMR factor", ctl::txtPbmrFactor, 1},
        {"Freq factor", ctl::txtFreqFactor, 1},   {"Sb factor", ctl::txtSbFactor, 1},
        {"Body Cd", ctl::txtCdb, 0.1f},           {"Wing Cd", ctl::txtCdw, 0.014f},
        {"Kflap", ctl::txtKflap, 1.2f},           {"Kglide", ctl::txtKglide, 1.1f},
        {"Kmito", ctl::txtKmito, 1.2e-6f},        {"Resp", ctl::txtResp, 1.1f},
        {"Eta", ctl::txtEta, 0.23f},              {"Efat", ctl::txtEfat, 3.9e7f},
        {"Eprot", ctl::txtEprot, 1.83e7f},        {"ProtHydr", ctl::txtProtHydr, 2.2f},
        {"ProtFracTarget", ctl::txtProtFracTarget, 0.05f}, {"ClMax", ctl::txtClMax, 1.8f},
        {"Delta", ctl::txtDelta, 1},              {"Bstop", ctl::txtBstop, 5},
        {"Gravity", ctl::txtG, 9.81f},
    };
    return p;
}

float& ParameterValue(ProgramState& s, const UserParameter& p) {
    const std::string f = p.field;
    BirdParams& b = s.slot(0);
    if (f == "Cprof") return s.Cprof;
    if (f == "BMR factor") return s.PbmrFactor;
    if (f == "Freq factor") return s.FreqFactor;
    if (f == "Sb factor") return s.FrontalAreaFactor;
    if (f == "Body Cd") return b.Cdb;
    if (f == "Wing Cd") return b.Cdw;
    if (f == "Kflap") return s.Kflap;
    if (f == "Kglide") return s.Kglide;
    if (f == "Kmito") return s.Kmito;
    if (f == "Resp") return s.Resp;
    if (f == "Eta") return s.Eta;
    if (f == "Efat") return s.Efat;
    if (f == "Eprot") return s.Eprotein;
    if (f == "ProtHydr") return s.ProtHydr;
    if (f == "ProtFracTarget") return s.ProtFracTarget;
    if (f == "ClMax") return s.ClMax;
    if (f == "Delta") return s.PlanformSlope;
    if (f == "Bstop") return s.Bstop;
    return b.Gravity;
}

ScreenUpdate EnterCommonFields(ProgramState& s, const external::RecordSet& rs, int rhoDigits) {
    ScreenUpdate u;
    BirdParams& b = s.slot(0);
    s.SpName = rs.text("Scientific name");
    s.ShortName = rs.text("Short name");
    b.EmptyMass = rs.single("Empty mass");
    b.Span = rs.single("Wing span");
    b.WingArea = rs.single("Wing area");
    // A record without an area gives no aspect ratio (never a division by zero).
    b.AspectRatio = b.WingArea > 0 ? single(AspectRatioOf(b.Span, b.WingArea)) : 0;
    s.AirDensity = rs.single("Air density");
    if (s.AirDensity > 0) {
        s.RelDensity = single(s.AirDensity / 1.225);
        s.Altitude = single((1 - std::pow(double(s.RelDensity), 0.235)) / 0.00002257);
        s.KinViscosity = KinViscosityAt(s.Altitude);
    } else {
        // No density in the record: leave it for the bird check to ask for the altitude.
        s.AirDensity = 0;
        s.RelDensity = 0;
        s.Altitude = 0;
    }
    const float muscle = rs.single("Muscle fraction");
    b.MuscleFrac = muscle > 0 ? muscle : 0.17f;
    b.FatFrac = rs.single("Fat fraction");
    const int16_t taxon = CodeOf(rs, "Taxon"), sex = CodeOf(rs, "Sex"), age = CodeOf(rs, "Age");

    u.show(ctl::txtSpName, s.SpName);
    u.show(ctl::txtShortName, s.ShortName);
    u.showSig(ctl::txtEmptyMass, b.EmptyMass);
    u.showSig(ctl::txtSpan, b.Span);
    u.showSig(ctl::txtArea, b.WingArea);
    u.showSig(ctl::txtAR, b.AspectRatio);
    u.showSig(ctl::txtRho, s.AirDensity, rhoDigits);
    u.show(ctl::txtAlt, FormatPattern(s.Altitude, "0"));
    // The option buttons run the Enter Bird screen's own handlers, which set the codes. A code outside
    // a group's values leaves that group, and its state value, as they were.
    if (taxon != 0) u.append(bird::EnterBirdOption(s, taxon == 1 ? ctl::optPass : ctl::optNonPass));
    static const char* sexes[] = {ctl::optMF, ctl::optMale, ctl::optFemale, ctl::optSexUnknown};
    static const char* ages[] = {ctl::optAdult, ctl::optImm, ctl::optAgeUnknown};
    if (sex >= 1 && sex <= 4) u.append(bird::EnterBirdOption(s, sexes[sex - 1]));
    if (age >= 1 && age <= 3) u.append(bird::EnterBirdOption(s, ages[age - 1]));
    return u;
}

ScreenUpdate EnterUserRecord(ProgramState& s, const external::RecordSet& rs) {
    ScreenUpdate u = EnterCommonFields(s, rs, 4);
    s.slot(0).CropMass = rs.single("Crop mass");
    for (const UserParameter& p : UserParameters()) {
        const float v = rs.single(p.field);
        ParameterValue(s, p) = v > 0 ? v : p.defaultValue;
    }
    s.KeepFactors = true;
    return u;
}

}  // namespace ornivo::birddb
