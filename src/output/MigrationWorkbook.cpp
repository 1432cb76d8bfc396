#include "output/MigrationWorkbook.h"

#include <cmath>

#include "migrate/GpsStops.h"
#include "output/MigrationTextBlock.h"
#include "output/ParameterCells.h"
#include "output/TextLayout.h"
#include "output/WorkbookCells.h"

namespace ornivo::output {

void ResetMigrationMarkColours(sheet::Sheet& sh) {
    ResetColours(sh, {"E4:E21", "D22:D23", "J4:J13", "I15", "J16:J17", "I18", "J19:J23"});
}

namespace {

constexpr int TravelFirstRow = 50;
constexpr int LastColumn = 11;

float cell(const MigrationTable& t, int row, int col) { return t.at(row, col); }

void parameters(const ProgramState& s, sheet::Sheet& sh) {
    sh.write("E1", TextValue(s.SpName));
    sh.write("I1", TextValue(s.ShortName));
    sh.write("A34", TextValue(s.Comment));
    WriteBirdGroupCells(s.TaxonGroup, s.Sex, s.Age, "Immature", sh);
    sh.write("I16", FlightStyleCellText(s.FlightStyle));
    sh.write("D23", MuscleControlText(s.Migration.MuscleControl));
    sh.write("D24", s.Migration.MitoControl == 1 ? "Constant mito fraction" : "Constant mito power density");
    WriteParameterCells(s, sh, Output::Migration, ModeMigrate);
    WritePowerFraction(s, sh, ModeMigrate, "J17");
    sh.write("J21", SigValue(s.Migration.TimeStep, s.SigDigits));
}

void programmedCells(const ProgramState& s, sheet::Sheet& sh) {
    auto put = [&](const char* c, double x) { sh.write(c, SigValue(x, s.SigDigits)); };
    if (s.Migration.GpsMode) {
        for (const char* r : {"A13:A14", "G13:G14", "A29:A32", "G19:G20", "G23", "G26", "G30:G32"}) sh.clear(r);
        return;
    }
    put("E13", s.Migration.StartDensity);
    sh.write("E14", PatternValue(s.Migration.StartAltitude, "0"));
    put("J14", s.Migration.CruiseDensity);
    sh.write("J15", PatternValue(s.Migration.CruiseAlt, "0"));
    sh.write("I19", SpeedControlText(s.Migration.SpeedControl));
    put("J23", s.GoalDist);
    put("J20", s.Migration.Vratio);  // beside its label in every programmed run, as the text file gives it
    sh.write("A13", "Starting air density (kg/cu m)");
    sh.write("A14", "Starting altitude (m ASL in Std Atmosphere)");
    sh.write("A28",
             "Initial climb and final glide are enabled if a value is entered for Cruising altitude, and "
             "Cruising altitude > Starting altitude");
    sh.write("G14", "Cruising air density (kg/cu m)");
    sh.write("G15", "Cruising altitude (m ASL)");
    sh.write("G19", "Air speed control");
    sh.write("G20", "Starting ratio V:Vmp");
    sh.write("G23", "Distance to destination (km)");
    if (!s.Migration.ClimbFlag) return;
    sh.write("A29", "Climb is included in tabulated time and distance (below) but final glide is not");
    sh.write("A30", "Initial rate of climb (m/sec)");
    sh.write("A31", "Climb time to cruise altitude (min)");
    sh.write("A32", "Climb distance to cruise altitude (km)");
    sh.write("G26", "Rate of climb threshold (m/s)");
    sh.write("G30", "Final rate of climb (m/sec)");
    sh.write("G31", "Final glide time (min)");
    sh.write("G32", "Final glide distance (km)");
    put("E30", s.Migration.InitialVclimb);
    put("E31", s.Migration.ClimbTime);
    put("E32", s.Migration.ClimbDist);
    put("J26", s.Migration.VclimbThreshold);
    put("J30", s.Migration.FinalVclimb);
    put("J31", s.Migration.FinalGlideTime);
    put("J32", s.Migration.FinalGlideDist);
}

void summaryBlock(const ProgramState& s, sheet::Sheet& sh) {
    static const MigrationRecord none{};
    const MigrationRecord& dep = s.Migration.StateLog.empty() ? none : s.Migration.StateLog[0];
    const MigrationRecord* cols[] = {&dep, &s.Migration.EndStates[0], &s.Migration.EndStates[1]};
    constexpr int D = 4, F = 6, H = 8;
    constexpr int valueCols[] = {D, F, H};
    auto n = [](double x) { return SigValue(x, 3); };
    sh.write("A36", "Migration Summary");
    sh.write("D38", "Start");
    sh.write("F38", "Arrive destination");
    sh.write("H38", "Out of fuel");
    const char* labels[] = {"Air distance (km)",  "Flight time (hr)", "All-up mass (kg)",
                            "Fat mass (kg)",      "Fat fraction",     "Energy height (km) fat + protein)",
                            "Energy gradient"};
    for (int i = 0; i < 7; ++i) sh.write(39 + i, 1, labels[i]);
    for (int c = 0; c < 3; ++c) {
        const MigrationRecord& q = *cols[c];
        const int col = valueCols[c];
        const double km = std::isfinite(q[1]) ? std::trunc(double(q[1])) : 0.0;
        sh.write(39, col, km);
        sh.write(40, col, PatternValue(q[0], "#0.0"));
        sh.write(41, col, n(q[6]));
        sh.write(42, col, n(q[8]));
        sh.write(43, col, n(q[22]));
        sh.write(44, col, n(q[27] / 1000.0));
    }
    // The energy gradient: air distance per energy height used. A height used of 0 has no
    // gradient, and its cell stays empty.
    auto gradient = [&](int col, double km, double heightUsed) {
        if (heightUsed == 0 || !std::isfinite(km) || !std::isfinite(heightUsed)) return;
        sh.write(45, col, n(km * 1000.0 / heightUsed));
    };
    gradient(F, s.Migration.EndStates[0][1], double(dep[27]) - s.Migration.EndStates[0][27]);
    gradient(H, s.Migration.EndStates[1][1], dep[27]);
    sh.setBold("D38:H45", true);
}

struct Heading {
    const char* rows[3];
};

const Heading PowerHeadings[LastColumn] = {
    {{"Time", "", "Hrs"}},          {{"Mechanical", "power", "W"}}, {{"Chemical", "power", "W"}},
    {{"Effective", "lift:drag", "ratio"}}, {{"Wingbeat", "frequency", "Hz"}}, {{"Reduced", "frequency", ""}},
    {{"Specific", "power", "W/kg"}}, {{"Specific", "work", "J/kg"}}, {{"Pbmr", "", "W"}},
    {{"Pchem:", "Pbmr", "ratio"}},  {{"Mitochon", "mass frac", "%"}},
};
const Heading FuelHeadings[LastColumn] = {
    {{"Time", "", "Hrs"}},           {{"Fat", "burn", "kJ"}},          {{"Protein", "burn", "kJ"}},
    {{"Total", "fuel burn", "kJ"}},  {{"Protein", "burn frac", "%"}},  {{"BMR", "burn frac", "%"}},
    {{"Flight", "muscle", "fraction"}}, {{"Airframe", "fraction", ""}}, {{"Fat + Prot", "Fuel", "fraction"}},
    {{"Fat + Prot", "Energy ht", "km"}}, {{"Metabolic", "Sink", "m/s"}},
};
const Heading GpsHeadings[4] = {
    {{"Time", "", "Hrs"}}, {{"Altitude", "", "m ASL"}}, {{"Air", "density", "kg/cu m"}}, {{"Climb rate", "", "m/s"}},
};

void headings(sheet::Sheet& sh, int firstRow, const Heading* h, int columns) {
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < 3; ++r)
            if (h[c].rows[r][0] != '\0') sh.write(firstRow + r, c + 1, h[c].rows[r]);
    const std::string range = RangeName(firstRow, 1, firstRow + 2, LastColumn);
    sh.setFont(range, BlockFont(true));
    sh.setAlignment(range, sheet::Align::Right);
}

// Rows 0 to RowsWritten of a table from `firstRow`, columns 1 to `columns`; a later row whose
// time column reads 0 marks the end of the track data, one whose time is -1 a stop.
void rows(const ProgramState& s, sheet::Sheet& sh, const MigrationTable& t, int firstRow, int columns) {
    for (int r = 0; r <= s.Migration.RowsWritten; ++r) {
        const int row = firstRow + r;
        for (int c = 1; c <= columns; ++c) sh.write(row, c, SigValue(cell(t, r, c), s.SigDigits));
        if (r == 0) continue;
        const sheet::Value time = sh.value(row, 1);
        if (time == sheet::Value(0.0) || time == sheet::Value(-1.0)) {
            sh.clear(RangeName(row, 1, row, LastColumn));
            sh.write(row, 1, time.number() == 0 ? sheet::Value("End of GPS data")
                                                : TextValue(migrate::StopNoteOfRow(s.Gps, r)));
        }
    }
}

}  // namespace

MigrationSheetRows MigrationRows(const ProgramState& s) {
    const int rw = s.Migration.RowsWritten;
    return {52 + rw, 57 + 2 * rw, 62 + 3 * rw, s.Migration.GpsMode ? 66 + 4 * rw : 61 + 3 * rw};
}

void WriteMigrationSheet(const ProgramState& s, sheet::Sheet& sh) {
    parameters(s, sh);
    programmedCells(s, sh);
    summaryBlock(s, sh);

    const MigrationSheetRows at = MigrationRows(s);
    rows(s, sh, s.Migration.TravelTable, TravelFirstRow, LastColumn);
    headings(sh, at.powerHeading, PowerHeadings, LastColumn);
    rows(s, sh, s.Migration.PowerTable, at.powerHeading + 3, LastColumn);
    headings(sh, at.fuelHeading, FuelHeadings, LastColumn);
    rows(s, sh, s.Migration.FuelTable, at.fuelHeading + 3, LastColumn);
    if (s.Migration.GpsMode) {
        headings(sh, at.gpsHeading, GpsHeadings, 4);
        rows(s, sh, s.Migration.GpsTable, at.gpsHeading + 3, 4);
    }

    const int N = at.noticeBase;
    if (s.Migration.GpsMode && s.Gps.FatRanOut) sh.write(N, 1, TextValue(migrate::FatRanOutLine(s.Gps)));
    sh.write(N + 1, 1, TextValue(s.VersionLine));
    for (int i = 0; i < 4; ++i) sh.write(N + 2 + i, 1, TextValue(s.NoticeLines[static_cast<std::size_t>(i)]));
    const std::string block = RangeName(N + 1, 1, N + 5, LastColumn);
    sh.setFont(block, BlockFont(true));
    sh.setAlignment(block, sheet::Align::Left);

    ColourMarkedParameters(sh, s.Marks, Output::Migration,
                           {{"D23", Mark::MuscleControl}, {"D24", Mark::MitoControl}, {"I16", Mark::FlightStyle},
                            {"I19", Mark::SpeedControl}});
}

}  // namespace ornivo::output
