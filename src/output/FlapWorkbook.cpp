#include "output/FlapWorkbook.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "output/TextLayout.h"
#include "output/WorkbookCells.h"

namespace ornivo::output {

void ResetMarkColours(sheet::Sheet& sh) { ResetColours(sh, {"E4:E16", "J4:J14", "I15", "J16:J17"}); }

namespace {

constexpr int FirstTableRow = 29;

float tableValue(const ProgramState& s, int row, int column) {
    const auto& t = s.Flap.PowerCurveTable;
    if (row < 0 || static_cast<std::size_t>(row) >= t.size() || column < 0) return 0;
    const auto& r = t[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < r.size() ? r[static_cast<std::size_t>(column)] : 0.0f;
}

void parameters(const ProgramState& s, sheet::Sheet& sh) {
    const BirdParams& b = s.slot(ModePowerCurve);
    auto put = [&](const char* cell, double x) { sh.write(cell, SigValue(x, s.SigDigits)); };
    sh.write("E1", TextValue(s.SpName));
    sh.write("I1", TextValue(s.ShortName));
    sh.write("G2", TaxonCellText(s.TaxonGroup));
    sh.write("B2", SexCellText(s.Sex));
    sh.write("E2", AgeCellText(s.Age, "Imm"));
    sh.write("I16", FlightStyleCellText(s.FlightStyle));
    put("E4", b.EmptyMass);
    put("E5", b.MuscleMass);
    put("E6", b.FatMass);
    put("E7", b.AirframeMass);
    put("E8", b.CropMass);
    put("E9", b.AllUpMass);
    put("E10", b.Span);
    put("E11", b.WingArea);
    put("E12", b.AspectRatio);
    put("E13", s.AirDensity);
    sh.write("E14", PatternValue(s.Altitude, "0"));
    put("E15", b.Sbody);
    put("E16", b.Cdb);
    put("E17", s.PayDragFactor);
    put("E18", b.Pbmr);
    put("E19", s.PbmrFactor);
    put("E20", s.Kmito);
    put("J5", b.MuscleFrac);
    put("J6", b.FatFrac);
    put("J7", b.AirframeFrac);
    put("J8", b.CropFrac);
    put("J9", s.slot(ModeEnterBird).Gravity);
    put("J10", s.Kflap);
    put("J11", s.Cprof);
    put("J12", s.X1);
    put("J13", s.Resp);
    put("J14", s.Eta);
    put("J15", s.FrontalAreaFactor);
    if (s.FlightStyle == 3)
        put("J17", b.PowerFracBound);
    else if (s.FlightStyle == 2)
        put("J17", b.PowerFracFG);
    else
        sh.write("J17", 1.0);
    put("J18", s.Lambda);
    put("J19", s.SigmaMax);
    put("J20", s.FreqFactor);
    sh.write("A24", TextValue(s.Comment));
}

// The curve table; returns R, the row after it.
int curveTable(const ProgramState& s, sheet::Sheet& sh) {
    for (int sp = s.Flap.CurveFirstSpeed; sp <= s.Flap.CurveLastIndex; ++sp) {
        const int r = FirstTableRow + sp - s.Flap.CurveFirstSpeed;
        if (!(tableValue(s, 0, sp) > 0)) return r;
        sh.write(r, 1, double(sp));
        for (int q = 0; q <= 5; ++q) sh.write(r, 2 + q, SigValue(tableValue(s, q, sp), s.SigDigits));
        if (s.Flap.UncertDone) {
            sh.write(r, 9, SigValue(tableValue(s, 8, sp), s.SigDigits));
            sh.write(r, 10, SigValue(tableValue(s, 9, sp), s.SigDigits));
        }
        sh.write(r, 8, SigValue(tableValue(s, 10, sp), s.SigDigits));
    }
    return FirstTableRow + s.Flap.CurveLastIndex + 1 - s.Flap.CurveFirstSpeed;
}

void resultsBlock(const ProgramState& s, sheet::Sheet& sh, int R) {
    const BirdParams& b = s.slot(ModePowerCurve);
    auto row = [&](int k, const char* label, double atVmp, std::optional<double> atVmr = std::nullopt) {
        sh.write(R + k, 1, label);
        sh.write(R + k, 4, SigValue(atVmp, s.SigDigits));
        if (atVmr) sh.write(R + k, 6, SigValue(*atVmr, s.SigDigits));
    };
    const double eas = std::sqrt(std::max(0.0, double(s.RelDensity)));
    sh.write(R + 1, 4, "Min power (Vmp)");
    sh.write(R + 1, 6, "Max range (Vmr)");
    row(2, "True air speed (m/s)", s.Flap.Vmp, s.Flap.Vmr);
    row(3, "Equivalent air speed (m/s)", double(s.Flap.Vmp) * eas, double(s.Flap.Vmr) * eas);
    row(4, "Mechanical power (W)", s.Flap.PmechMin, s.Flap.PmechVmr);
    row(5, "Chemical power (W)", s.Flap.PchemMin, s.Flap.PchemVmr);
    row(6, "Max effective L/D", s.Flap.NchemVmp, s.Flap.NchemMax);
    row(7, "Specific work (J/kg)", s.Flap.QVmp, s.Flap.QVmr);
    row(8, "Downwash angle (degrees)", s.Flap.DownwashVmp, s.Flap.DownwashVmr);
    row(9, "Wing Reynolds number", b.ReWingVmp, b.ReWingVmr);
    row(10, "Body Reynolds number", b.ReBodyVmp, b.ReBodyVmr);
    row(11, "Reduced frequency (mean chord)", b.FredVmp, b.FredVmr);
    row(12, "Mitochondria fraction (level)", s.Flap.MitoFracVmp, s.Flap.MitoFracCruise);
    row(13, "Mitochondria fraction (climb)", s.Flap.MitoFracClimb);
    row(14, "Wingbeat frequency (Hz)", b.WbeatFreq);
    row(15, "Max rate of climb (m/s)", s.Flap.MaxClimb);
    row(16, "Ratio Vmr:Vmp", SafeRatio(s.Flap.Vmr, s.Flap.Vmp));
    row(17, "Ratio min chem power:BMR", SafeRatio(s.Flap.PchemMin, b.Pbmr));
    sh.write(R + 19, 1, TextValue(s.VersionLine));
    for (int i = 0; i < 4; ++i) sh.write(R + 20 + i, 1, TextValue(s.NoticeLines[static_cast<std::size_t>(i)]));
    const std::string block = RangeName(R, 1, R + 23, 10);
    sh.setFont(block, BlockFont(true));
    sh.setAlignment(block, sheet::Align::Left);
}

}  // namespace

int FlapTableEndRow(const ProgramState& s) {
    for (int sp = s.Flap.CurveFirstSpeed; sp <= s.Flap.CurveLastIndex; ++sp)
        if (!(tableValue(s, 0, sp) > 0)) return FirstTableRow + sp - s.Flap.CurveFirstSpeed;
    return FirstTableRow + s.Flap.CurveLastIndex + 1 - s.Flap.CurveFirstSpeed;
}

void WriteFlapSheet(const ProgramState& s, sheet::Sheet& sh) {
    parameters(s, sh);
    if (s.Flap.UncertDone) {
        sh.write("I26", "Uncertainty of");
        sh.write("I27", "Mechanical Power");
        sh.write("I28", "deltaP (W)");
        sh.write("J28", "% Pmech");
    }
    resultsBlock(s, sh, curveTable(s, sh));
    ColourMarked(sh, s.Marks,
                 {{"E4", Mark::EmptyMass},   {"E5", Mark::MuscleMass},   {"E6", Mark::FatMass},
                  {"E8", Mark::CropMass},    {"E10", Mark::Span},        {"E11", Mark::WingArea},
                  {"E12", Mark::AspectRatio}, {"E13", Mark::AirDensity}, {"E14", Mark::Altitude},
                  {"E16", Mark::Cdb},        {"E17", Mark::PayDragFactor}, {"E19", Mark::PbmrFactor},
                  {"E20", Mark::Kmito},      {"J5", Mark::MuscleFrac},   {"J6", Mark::FatFrac},
                  {"J9", Mark::Gravity},     {"J10", Mark::Kflap},       {"J11", Mark::Cprof},
                  {"J12", Mark::X1},         {"J13", Mark::Resp},        {"J14", Mark::Eta},
                  {"J15", Mark::FrontalAreaFactor}, {"I16", Mark::FlightStyle}, {"J17", Mark::PowerFrac},
                  {"J18", Mark::Lambda},     {"J19", Mark::SigmaMax},    {"J20", Mark::WbeatFreq}});
}

}  // namespace ornivo::output
