#include "output/GlideWorkbook.h"

#include <optional>

#include "output/GlideTextBlock.h"
#include "output/ParameterCells.h"
#include "output/TableAt.h"
#include "output/TextLayout.h"
#include "output/WorkbookCells.h"
#include "state/numtext.h"

namespace ornivo::output {

void ResetGlideMarkColours(sheet::Sheet& sh) { ResetColours(sh, {"E4:E12", "J4:J12"}); }

namespace {

constexpr int FirstTableRow = 26;
constexpr int A = 1, C = 3, E = 5, F = 6, G = 7, I = 9, K = 11;

float cell(const std::vector<std::vector<float>>& t, int row, int col) { return TableAt(t, row, col); }

void parameters(const ProgramState& s, sheet::Sheet& sh) {
    sh.write("E1", TextValue(s.SpName));
    sh.write("I1", TextValue(s.ShortName));
    WriteBirdGroupCells(s.TaxonGroup, s.Sex, s.Age, "Immature", sh);
    if (s.Glide.SpanLaw == 1)
        sh.write("D15", "Linear (Bstop = " + OutNumber(s.Bstop, s.SigDigits) + ")");
    else if (s.Glide.SpanLaw == 2)
        sh.write("D15", "Minimise induced + profile drag");
    WriteParameterCells(s, sh, Output::GlidePolar, ModeGlide);
    sh.write("A21", TextValue(s.Comment));
}

// The polar table; returns R, the row after it.
int polarTable(const ProgramState& s, sheet::Sheet& sh) {
    for (int k = s.Glide.PolarFirstRow; k <= s.Glide.PolarRowLimit; ++k) {
        const int r = FirstTableRow + k - s.Glide.PolarFirstRow;
        if (!(cell(s.Glide.GlidePolarTable, k, 0) > 0)) return r;
        sh.write(r, A, double(k));
        sh.write(r, C, SigValue(cell(s.Glide.GlidePolarTable, k, 0), s.SigDigits));
        sh.write(r, E, SigValue(cell(s.Glide.GlidePolarTable, k, 1), s.SigDigits));
        sh.write(r, G, SigValue(cell(s.Glide.GlidePolarTable, k, 2), s.SigDigits));
    }
    return FirstTableRow + s.Glide.PolarRowLimit + 1 - s.Glide.PolarFirstRow;
}

void resultsBlock(const ProgramState& s, sheet::Sheet& sh, int R) {
    const BirdParams& b = s.slot(ModeGlide);
    auto n = [&](double x) { return SigValue(x, s.SigDigits); };
    auto row = [&](int k, const std::string& label, double e, std::optional<double> g = std::nullopt) {
        sh.write(R + k, A, label);
        sh.write(R + k, E, n(e));
        if (g) sh.write(R + k, G, n(*g));
    };
    sh.write(R + 1, E, "Min Sink");
    sh.write(R + 1, G, "Best Glide");
    row(2, "True air speed (m/s)", s.Glide.Vms, s.Glide.Vbg);
    row(3, "Equivalent air speed (m/s)", s.Glide.VmsEAS, s.Glide.VbgEAS);
    row(4, "Sink (m/s)", s.Glide.MinSink, s.Glide.SinkVbg);
    row(5, "Glide ratio", s.Glide.GlideRatioVms, s.Glide.BestGlideRatio);
    row(6, "Lift coefficient", s.Glide.ClVms, s.Glide.ClVbg);
    row(7, "Wing Reynolds Number", b.ReWingVms, b.ReWingVbg);
    row(8, "Body Reynolds number", b.ReBodyVms, b.ReBodyVbg);
    row(9, "Chem power for tonic pectoralis muscle (W)", s.Glide.PchemTonic);
    row(10, "Total chemical power in gliding (W)", s.Glide.PchemGlide);
    row(11, CircleRadiusCaption(s), s.Glide.CircleRadius);

    sh.write(R + 14, A, "Cross country speed (MacCready)");
    auto texts = [&](int r, std::initializer_list<std::pair<int, const char*>> cells) {
        for (const auto& [col, text] : cells) sh.write(r, col, text);
    };
    texts(R + 16, {{A, "Climb in thermals"}, {C, "Optimum inter-"}, {E, "Cross-country speed"}, {G, "Effective L/D"},
                   {I, "Cross-country speed"}, {K, "Effective L/D"}});
    texts(R + 17, {{A, "m/s"}, {C, "thermal speed"}, {E, "using Vopt"}, {G, "flying at Vopt"},
                   {I, "using best glide"}, {K, "flying at Vbg"}});
    texts(R + 18, {{C, "m/s"}, {E, "m/s"}, {G, "between thermals"}, {I, "m/s"}, {K, "between thermals"}});
    constexpr int macCols[] = {C, E, G, I, K};
    for (int r = 1; r <= 6; ++r) {
        sh.write(R + 18 + r, A, PatternValue(r / 2.0, "#0.0"));
        for (int c = 0; c < 5; ++c) sh.write(R + 18 + r, macCols[c], n(cell(s.Glide.MacCreadyTable, r, c)));
    }

    sh.write(R + 26, A, "Flapping flight performance for comparison");
    texts(R + 28, {{C, "Air speed"}, {E, "Chemical power"}, {G, "Effective"}});
    texts(R + 29, {{C, "m/s"}, {E, "W"}, {G, "L/D ratio"}});
    sh.write(R + 30, A, "Min power (Vmp)");
    sh.write(R + 30, C, n(s.Flap.VmpExact));
    sh.write(R + 30, E, n(s.Flap.PchemMin));
    sh.write(R + 30, G, n(s.Flap.NchemVmp));
    sh.write(R + 31, A, "Max range (Vmr)");
    sh.write(R + 31, C, n(s.Flap.VmrExact));
    sh.write(R + 31, E, n(s.Flap.PchemVmr));
    sh.write(R + 31, G, n(s.Flap.NchemMax));
    sh.write(R + 33, A, "Fuel energy per wingbeat for sporadic flapping");
    sh.write(R + 33, E, n(s.Glide.JperFlap));
    sh.write(R + 33, F, "J");
    sh.write(R + 35, A, TextValue(s.VersionLine));
    for (int i = 0; i < 4; ++i) sh.write(R + 36 + i, A, TextValue(s.NoticeLines[static_cast<std::size_t>(i)]));
    sh.setFont(RangeName(R, A, R + 39, K), BlockFont(true));
}

}  // namespace

int GlideTableEndRow(const ProgramState& s) {
    for (int k = s.Glide.PolarFirstRow; k <= s.Glide.PolarRowLimit; ++k)
        if (!(cell(s.Glide.GlidePolarTable, k, 0) > 0)) return FirstTableRow + k - s.Glide.PolarFirstRow;
    return FirstTableRow + s.Glide.PolarRowLimit + 1 - s.Glide.PolarFirstRow;
}

void WriteGlideSheet(const ProgramState& s, sheet::Sheet& sh) {
    parameters(s, sh);
    const int lastRegular = s.Glide.PolarRowLimit + 24 - s.Glide.PolarFirstRow;
    if (lastRegular >= 24) sh.setFont(RangeName(24, A, lastRegular, 10), BlockFont(false));
    resultsBlock(s, sh, polarTable(s, sh));
    ColourMarkedParameters(sh, s.Marks, Output::GlidePolar);
}

}  // namespace ornivo::output
