#include "output/FlapTextBlock.h"

#include <cmath>

#include "output/ParameterLines.h"
#include "output/TextLayout.h"
#include "state/MitoUnits.h"
#include "state/numtext.h"

namespace ornivo::output {

std::string FlightStyleText(int flightStyle) {
    switch (flightStyle) {
        case 2: return "Flap-gliding";
        case 3: return "Bounding";
        default: return "Continuous flapping";
    }
}

namespace {

constexpr int TableColumns[] = {1, 11, 22, 33, 44, 55, 66};

void tableLine(TextLayout& t, const char* const (&cells)[7]) {
    for (int i = 0; i < 7; ++i)
        if (cells[i][0] != '\0') t.at(TableColumns[i], cells[i]);
    t.endLine();
}

void inputs(TextLayout& t, const ProgramState& s) {
    const BirdParams& b = s.slot(ModePowerCurve);
    auto n = [&](double x) { return OutNumber(x, s.SigDigits); };
    using enum Param;
    WriteInputLines(t, s, ModePowerCurve,
                    {EmptyMass, MuscleMass, FatMass, AirframeMass, CropMass, AllUpMass, BlankLine, MuscleFrac,
                     FatFrac, AirframeFrac, BlankLine, Span, Area, AR, BlankLine, Rho, Alt, Sbody, Cdb, Gravity,
                     Kflap, Cprof, X1, Resp, Eta, Pbmr});
    t.valueLine("Flight style", FlightStyleText(s.FlightStyle));
    if (s.FlightStyle == 3) t.valueLine("Power fraction", n(b.PowerFracBound));
    if (s.FlightStyle == 2) t.valueLine("Power fraction", n(b.PowerFracFG));
    t.valueLine("Mitochondria inverse power density", n(KmitoMlPerW(s.Kmito)), "ml/W");
}

void curveTable(TextLayout& t, const ProgramState& s) {
    tableLine(t, {"True air", "Mech", "Chem", "Effective", "Specific", "Specific", "Max"});
    tableLine(t, {"speed", "power", "power", "L/D ratio", "power", "work", "climb"});
    tableLine(t, {"m/s", "W", "W", "", "W/kg", "J/kg", "m/s"});
    const auto& tab = s.Flap.PowerCurveTable;
    if (tab.size() < 11) return;
    constexpr int rows[] = {1, 2, 3, 4, 5, 10};
    for (int sp = std::max<int>(s.Flap.CurveFirstSpeed, 0); sp <= s.Flap.CurveLastIndex; ++sp) {
        const auto col = static_cast<std::size_t>(sp);
        if (col >= tab[0].size() || !(tab[0][col] > 0)) continue;
        t.number(sp);
        for (int i = 0; i < 6; ++i) {
            const auto& row = tab[static_cast<std::size_t>(rows[i])];
            t.at(TableColumns[i + 1], OutNumber(col < row.size() ? row[col] : 0.0f, s.SigDigits));
        }
        t.endLine();
    }
}

void results(TextLayout& t, const ProgramState& s) {
    const BirdParams& b = s.slot(ModePowerCurve);
    auto n = [&](double x) { return OutNumber(x, s.SigDigits); };
    const double eas = std::sqrt(std::max(0.0, double(s.RelDensity)));
    t.valueLine("Minimum power speed (Vmp)", n(s.Flap.Vmp), "m/s TAS");
    t.valueLine("Minimum power speed (Vmp)", n(double(s.Flap.Vmp) * eas), "m/s EAS");
    t.valueLine("Minimum mechanical power", n(s.Flap.PmechMin), "W");
    t.valueLine("Minimum chemical power", n(s.Flap.PchemMin), "W");
    t.valueLine("Specific work at Vmp", n(s.Flap.QVmp), "J/kg");
    t.valueLine("Maximum range speed (Vmr)", n(s.Flap.Vmr), "m/s TAS");
    t.valueLine("Maximum range speed (Vmr)", n(double(s.Flap.Vmr) * eas), "m/s EAS");
    t.valueLine("Ratio Vmr:Vmp", n(SafeRatio(s.Flap.Vmr, s.Flap.Vmp)));
    t.valueLine("Chemical power at Vmr", n(s.Flap.PchemVmr), "W");
    t.valueLine("Specific work at Vmr", n(s.Flap.QVmr), "J/kg");
    t.valueLine("Ratio Min chem power:BMR", n(SafeRatio(s.Flap.PchemMin, b.Pbmr)));
    t.valueLine("Maximum effective lift:drag ratio", n(s.Flap.NchemMax));
    t.valueLine("Wingbeat frequency", n(b.WbeatFreq), "Hz");
    t.valueLine("Reduced frequency (mean chord)", n(b.FredVmp));
    t.valueLine("Wing Reynolds number", n(b.ReWingVmp));
    t.valueLine("Body Reynolds number", n(b.ReBodyVmp));
}

}  // namespace

std::string FlapTextBlock(const ProgramState& s) {
    TextLayout t;
    t.line("Power curve calculation for " + s.SpName + "  " + s.ShortName);
    t.line(TaxonText(s.TaxonGroup));
    t.line();
    RunHeading(t, s);
    inputs(t, s);
    t.line();
    curveTable(t, s);
    t.line();
    results(t, s);
    NoticeEnd(t, s, 2);
    return t.str();
}

}  // namespace ornivo::output
