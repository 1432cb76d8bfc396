#include "output/GlideTextBlock.h"

#include <vector>

#include "output/ParameterLines.h"
#include "output/TableAt.h"
#include "output/TextLayout.h"
#include "state/numtext.h"

namespace ornivo::output {

std::string CircleRadiusCaption(const ProgramState& s) {
    return "Circle radius at 24\u00B0 bank, Cl=" + OutNumber(s.Glide.ClVms, 3);
}

namespace {

constexpr int Columns[] = {1, 12, 24, 36, 48, 60};

float cell(const std::vector<std::vector<float>>& t, int row, int col) { return TableAt(t, row, col); }

// Texts at the given columns, skipping empty ones, as one line.
void columnsLine(TextLayout& t, std::initializer_list<std::pair<int, std::string>> cells) {
    for (const auto& [col, text] : cells)
        if (!text.empty()) t.at(col, text);
    t.endLine();
}

void inputs(TextLayout& t, const ProgramState& s) {
    auto n = [&](double x) { return OutNumber(x, s.SigDigits); };
    using enum Param;
    WriteInputLines(t, s, ModeGlide,
                    {EmptyMass, MuscleMass, FatMass, {AirframeMass, "Arframe mass", " kg"}, BlankLine, MuscleFrac,
                     FatFrac, AirframeFrac, BlankLine, CropMass, AllUpMass, BlankLine, Span, Area, AR});
    if (s.Glide.SpanLaw == 1)
        t.valueLine("Wing span reduction law", "Linear", " Bstop = " + n(s.Bstop));
    else
        t.valueLine("Wing span reduction law", "Minimum drag");
    WriteInputLines(t, s, ModeGlide,
                    {PlanformSlope, ClMax, Cdw, BlankLine, Rho, Alt, Sbody, Cdb, Gravity, KGlide, Pbmr,
                     TonicMuscFrac, FatHeight, MetSink});
}

void polarTable(TextLayout& t, const ProgramState& s) {
    columnsLine(t, {{1, "True air"}, {12, "Wing span"}, {24, "Sinking"}, {36, "Lift:drag"}});
    columnsLine(t, {{1, "speed"}, {12, "reduction"}, {24, "speed"}, {36, "ratio"}});
    columnsLine(t, {{1, "m/s"}, {12, "factor"}, {24, "m/s"}});
    for (int k = std::max<int>(s.Glide.PolarFirstRow, 0); k <= s.Glide.PolarRowLimit; ++k) {
        if (!(cell(s.Glide.GlidePolarTable, k, 0) > 0)) continue;
        t.number(k);
        for (int c = 0; c < 3; ++c) t.at(Columns[c + 1], OutNumber(cell(s.Glide.GlidePolarTable, k, c), s.SigDigits));
        t.endLine();
    }
}

void results(TextLayout& t, const ProgramState& s) {
    const BirdParams& b = s.slot(ModeGlide);
    auto n = [&](double x) { return OutNumber(x, s.SigDigits); };
    t.valueLine("Speed for minimum sink", n(s.Glide.Vms), " m/s");
    t.valueLine("Lift coefficient for min sink", n(s.Glide.ClVms));
    t.valueLine("Minimum sink", n(s.Glide.MinSink), " m/s");
    t.valueLine("Speed for best glide ratio", n(s.Glide.Vbg), " m/s");
    t.valueLine("Lift coefficient for best glide", n(s.Glide.ClVbg));
    t.valueLine("Best glide ratio", n(s.Glide.BestGlideRatio));
    t.valueLine(CircleRadiusCaption(s), n(s.Glide.CircleRadius), " m");
    t.valueLine("Wing Reynolds number at best glide", n(b.ReWingVbg));
    t.valueLine("Body Reynolds number at best glide", n(b.ReBodyVbg));
    t.valueLine("Chemical power for tonic muscles", n(s.Glide.PchemTonic), "W");
    t.valueLine("Total chemical power in gliding", n(s.Glide.PchemGlide), "W");
}

void macCready(TextLayout& t, const ProgramState& s) {
    t.line("Macready cross-country speed table");
    t.line();
    t.line("Climb is mean rate of climb in thermals");
    t.line("Vit(opt) is optimal inter-thermal speed");
    t.line("Vcc(max) is cross-country speed when flying at Vit(opt) between thermals");
    t.line("Eff L/D (max) is effective lift-to-drag ratio at Vit(opt) between thermals");
    t.line("Vcc(bg) is cross-country speed when flying at best glide between thermals");
    t.line("Eff L/D (bg) is effective lift-to-drag ratio at best glide between thermals");
    t.line();
    columnsLine(t, {{1, "Climb"}, {12, "Vit(opt)"}, {24, "Vcc(max)"}, {36, "Eff L/D"}, {48, "Vcc(bg)"},
                    {60, "Eff L/D"}});
    columnsLine(t, {{1, "m/s"}, {12, "m/s"}, {24, "m/s"}, {36, "(max)"}, {48, "m/s"}, {60, "(bg)"}});
    for (int r = 1; r <= 6; ++r) {
        t.text(FormatPattern(r / 2.0, "#0.0"));
        for (int c = 0; c < 5; ++c) t.at(Columns[c + 1], OutNumber(cell(s.Glide.MacCreadyTable, r, c), s.SigDigits));
        t.endLine();
    }
}

void flapping(TextLayout& t, const ProgramState& s) {
    auto n = [&](double x) { return OutNumber(x, s.SigDigits); };
    t.line("Flapping flight performance for comparison");
    t.line();
    columnsLine(t, {{12, "Speed"}, {24, "Chem power"}, {36, "Effective"}});
    columnsLine(t, {{12, "m/s"}, {24, "W"}, {36, "L/D ratio"}});
    columnsLine(t, {{1, "Min power"}, {12, n(s.Flap.VmpExact)}, {24, n(s.Flap.PchemMin)}, {36, n(s.Flap.NchemVmp)}});
    columnsLine(t, {{1, "Max range"}, {12, n(s.Flap.VmrExact)}, {24, n(s.Flap.PchemVmr)}, {36, n(s.Flap.NchemMax)}});
}

}  // namespace

std::string GlideTextBlock(const ProgramState& s) {
    TextLayout t;
    t.line("Glide polar calculation for " + s.SpName + TaxonText(s.TaxonGroup));
    t.line();
    RunHeading(t, s);
    inputs(t, s);
    t.line();
    polarTable(t, s);
    t.line();
    results(t, s);
    t.line();
    macCready(t, s);
    t.line();
    flapping(t, s);
    t.line();
    t.line("Fuel energy per wingbeat for sporadic flapping  " + OutNumber(s.Glide.JperFlap, s.SigDigits) + " J");
    NoticeEnd(t, s, 1);
    return t.str();
}

}  // namespace ornivo::output
