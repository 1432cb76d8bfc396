#include "output/MigrationTextBlock.h"

#include <utility>
#include <vector>

#include "migrate/GpsStops.h"
#include "output/FlapTextBlock.h"
#include "output/ParameterLines.h"
#include "output/TextLayout.h"
#include "state/MitoUnits.h"
#include "state/numtext.h"

namespace ornivo::output {
namespace {

using Cells = std::vector<std::pair<int, const char*>>;

// The row tables' print positions (tab stops 12 apart).
constexpr int Columns[] = {1, 13, 25, 37, 49, 61, 73};

enum Table { Travel, Power, Fuel };

struct TableLayout {
    Cells heading[3];
    std::pair<Table, int> values[6];  // source table and column for the positions 13 to 73
};

const TableLayout Tables[5] = {
    {{{{1, "Time"}, {13, "Distance"}, {25, "True air"}, {37, "Min power"}, {49, "V:Vmp"}, {61, "Wing Re"},
       {73, "Body Re"}},
      {{25, "speed (V)"}, {37, "speed (Vmp)"}, {49, "ratio"}},
      {{1, "Hours"}, {13, "km"}, {25, "m/s"}, {37, "m/s"}}},
     {{Travel, 2}, {Travel, 3}, {Travel, 4}, {Travel, 5}, {Travel, 6}, {Travel, 7}}},
    {{{{1, "Time"}, {13, "All-up"}, {25, "Fat mass"}, {37, "Flt muscle"}, {49, "Airframe"}, {61, "Wingbeat"},
       {73, "Reduced"}},
      {{13, "mass"}, {37, "mass"}, {49, "mass"}, {61, "Frequency"}, {73, "Frequency"}},
      {{1, "Hours"}, {13, "kg"}, {25, "kg"}, {37, "kg"}, {49, "kg"}, {61, "Hz"}}},
     {{Travel, 8}, {Travel, 9}, {Travel, 10}, {Travel, 11}, {Power, 5}, {Power, 6}}},
    {{{{1, "Time"}, {13, "Mechanical"}, {25, "Chemical"}, {37, "Specific"}, {49, "Specific"}, {61, "Effective"},
       {73, "BMR"}},
      {{13, "power"}, {25, "power"}, {37, "work"}, {49, "power"}, {61, "Lift:Drag"}},
      {{1, "Hours"}, {13, "W"}, {25, "W"}, {37, "J/kg"}, {49, "W/kg"}, {61, "Ratio"}, {73, "W"}}},
     {{Power, 2}, {Power, 3}, {Power, 8}, {Power, 7}, {Power, 4}, {Power, 9}}},
    {{{{1, "Time"}, {13, "Fat"}, {25, "Protein"}, {37, "Total"}, {49, "Protein"}, {61, "BMR"}, {73, "Pchem/Pbmr"}},
      {{13, "burned"}, {25, "burned"}, {37, "fuel burned"}, {49, "burn frac"}, {61, "burn frac"}, {73, "ratio"}},
      {{1, "Hours"}, {13, "kJ"}, {25, "kJ"}, {37, "kJ"}, {49, "%"}, {61, "%"}}},
     {{Fuel, 2}, {Fuel, 3}, {Fuel, 4}, {Fuel, 5}, {Fuel, 6}, {Power, 10}}},
    {{{{1, "Time"}, {13, "Flight"}, {25, "Airframe"}, {37, "Fat + Prot"}, {49, "Mitochon"}, {61, "Fat + Prot"},
       {73, "Metabolic"}},
      {{13, "muscle"}, {25, "fraction"}, {37, "Fuel"}, {49, "mass frac"}, {61, "Energy ht"}, {73, "Sink"}},
      {{1, "Hours"}, {13, "fraction"}, {37, "fraction"}, {49, "%"}, {61, "km"}, {73, "m/s"}}},
     {{Fuel, 7}, {Fuel, 8}, {Fuel, 9}, {Power, 11}, {Fuel, 10}, {Fuel, 11}}},
};

float cell(const MigrationTable& t, int row, int col) { return t.at(row, col); }

std::string mitoControlText(int c) {
    return c == 1 ? "Constant mitochondria fraction" : "Constant power density in mitochondria";
}

void inputs(TextLayout& t, const ProgramState& s) {
    const BirdParams& b = s.slot(ModeMigrate);
    auto n = [&](double x) { return OutNumber(x, s.SigDigits); };
    using enum Param;
    WriteInputLines(t, s, ModeMigrate,
                    {EmptyMass, MuscleMass, FatMass, AirframeMass, CropMass, AllUpMass, BlankLine, MuscleFrac,
                     FatFrac, AirframeFrac, BlankLine, Span, Area, AR, BlankLine});
    t.valueLine("Starting Air density", n(s.Migration.StartDensity), " kg/cubic m");
    t.valueLine("Starting Density Alt in Std Atmosphere", FormatPattern(s.Migration.StartAltitude, "0"), " m");
    t.valueLine("Cruising Air density", n(s.Migration.CruiseDensity), " kg/cubic m");
    t.valueLine("Cruising Density Alt in Std Atmosphere", FormatPattern(s.Migration.CruiseAlt, "0"), " m");
    WriteInputLines(t, s, ModeMigrate, {Sbody, Cdb, Gravity, Kflap, Cprof, X1, Resp, Eta, SigmaMax, Lambda});
    if (s.Migration.ClimbFlag) {
        t.valueLine("Initial rate of climb", n(s.Migration.InitialVclimb), " m/s");
        t.valueLine("Final rate of climb", n(s.Migration.FinalVclimb), " m/s");
        t.valueLine("Time to climb to cruise altitude", n(s.Migration.ClimbTime), " min");
        t.valueLine("Distance to cruise altitude", n(s.Migration.ClimbDist), " km");
        t.valueLine("Time for final glide", n(s.Migration.FinalGlideTime), " min");
        t.valueLine("Distance for final glide", n(s.Migration.FinalGlideDist), " km");
        WriteInputLines(t, s, ModeMigrate, {VclimbThreshold});
    }
    WriteInputLines(t, s, ModeMigrate, {Pbmr});
    t.valueLine("Flight style", FlightStyleText(s.FlightStyle));
    if (s.FlightStyle == 3) t.valueLine("Power fraction", n(b.PowerFracBound));
    if (s.FlightStyle == 2) t.valueLine("Power fraction", n(b.PowerFracFG));
    t.valueLine("Mitochondria inverse power density", n(KmitoMlPerW(s.Kmito)), " ml/W");
    WriteInputLines(t, s, ModeMigrate, {Vratio});
    t.valueLine("Air speed control", SpeedControlText(s.Migration.SpeedControl));
    t.valueLine("Distance to destinaton", FormatPattern(s.GoalDist, "0#"), " km");
    WriteInputLines(t, s, ModeMigrate,
                    {Efat, Eprotein, ProtHydr, ProtFracTarget, FreqFactor, {PbmrFactor, "BMR factor"}});
    t.valueLine("Protein burn criterion", MuscleControlText(s.Migration.MuscleControl, " in myofibrils"));
    t.valueLine("Mitochondria control", mitoControlText(s.Migration.MitoControl));
}

void rowTable(TextLayout& t, const ProgramState& s, const TableLayout& layout) {
    for (const Cells& heading : layout.heading) {
        for (const auto& [col, text] : heading) t.at(col, text);
        t.endLine();
    }
    const MigrationTable* sources[] = {&s.Migration.TravelTable, &s.Migration.PowerTable, &s.Migration.FuelTable};
    for (int r = 0; r <= s.Migration.RowsWritten; ++r) {
        const float time = cell(s.Migration.TravelTable, r, 1);
        if (time == 0 && r > 0) {
            t.line("END OF GPS DATA");
            continue;
        }
        if (time == -1) {
            t.line(migrate::StopNoteOfRow(s.Gps, r));
            continue;
        }
        t.text(OutNumber(time, s.SigDigits));
        for (int i = 0; i < 6; ++i) {
            const auto [table, col] = layout.values[i];
            t.at(Columns[i + 1], OutNumber(cell(*sources[table], r, col), s.SigDigits));
        }
        t.endLine();
    }
}

}  // namespace

std::string SpeedControlText(int c) {
    switch (c) {
        case 1: return "Constant ratio V:Vmp";
        case 2: return "Constant air speed";
        default: return "Standard";
    }
}

std::string MuscleControlText(int c, const std::string& of) {
    switch (c) {
        case 2: return "Constant specific power" + of;
        case 3: return "Constant muscle mass";
        default: return "Constant specific work" + of;
    }
}

std::string MigrationTextBlock(const ProgramState& s) {
    TextLayout t;
    t.line("Migration calculation for " + s.SpName + TaxonText(s.TaxonGroup));
    t.line();
    RunHeading(t, s);
    inputs(t, s);
    for (const TableLayout& layout : Tables) {
        t.line();
        rowTable(t, s, layout);
    }
    if (s.Migration.GpsMode && s.Gps.FatRanOut) {
        t.line();
        t.line(migrate::FatRanOutLine(s.Gps));
    }
    NoticeEnd(t, s, 2);
    return t.str();
}

}  // namespace ornivo::output
