#include "output/FlapWorkbook.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "output/ParameterCells.h"
#include "output/TableAt.h"
#include "output/TextLayout.h"
#include "output/WorkbookCells.h"

namespace ornivo::output {

void ResetMarkColours(sheet::Sheet& sh) { ResetColours(sh, {"E4:E16", "J4:J14", "I15", "J16:J17"}); }

namespace {

constexpr int FirstTableRow = 29;

float tableValue(const ProgramState& s, int row, int column) { return TableAt(s.Flap.PowerCurveTable, row, column); }

void parameters(const ProgramState& s, sheet::Sheet& sh) {
    sh.write("E1", TextValue(s.SpName));
    sh.write("I1", TextValue(s.ShortName));
    WriteBirdGroupCells(s.TaxonGroup, s.Sex, s.Age, "Imm", sh);
    sh.write("I16", FlightStyleCellText(s.FlightStyle));
    WriteParameterCells(s, sh, Output::PowerCurve, ModePowerCurve);
    WritePowerFraction(s, sh, ModePowerCurve, "J17");
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
    ColourMarkedParameters(sh, s.Marks, Output::PowerCurve, {{"I16", Mark::FlightStyle}});
}

}  // namespace ornivo::output
