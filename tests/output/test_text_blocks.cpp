// The blocks of the three calculations, line by line where the layout fixes them.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "migrate/SetupMigrate.h"
#include "output/FlapTextBlock.h"
#include "output/GlideTextBlock.h"
#include "output/MigrationTextBlock.h"
#include "output/OutputTree.h"
#include "state/numtext.h"
#include "support/BirdSetup.h"

using namespace ornivo;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

int indexOf(const std::vector<std::string>& ls, const std::string& line, int from = 0) {
    for (int i = from; i < static_cast<int>(ls.size()); ++i)
        if (ls[static_cast<std::size_t>(i)] == line) return i;
    return -1;
}

std::string value40(const std::string& label, const std::string& value, const std::string& unit = {}) {
    std::string l = label + std::string(39 - label.size(), ' ') + value;
    if (!unit.empty()) l += std::string(51 - l.size(), ' ') + unit;
    return l;
}

void outputState(ProgramState& s) {
    SetVersionAndNotices(s);
    s.OutPath = "/out/run.txt";
    s.Comment = "a comment";
}

ProgramState powerCurve(int style) {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::ToPowerCurveSetup(s, d, {.name = "Anas platyrhynchos", .shortName = "Mallard", .taxon = 1});
    if (style == 3) {
        flap::SetupFlapEdit(s, d, "optBound", Edit::click());
        test::TypeFlap(s, d, "txtPowerFrac", 0.5);
    }
    EXPECT_TRUE(flap::ComputePowerCurve(s, d));
    outputState(s);
    return s;
}

ProgramState glidePolar() {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::TypeBird(s, d, {});
    EXPECT_TRUE(bird::PressCalculation(s, d, bird::Calculation::GlidePolar));
    glide::LoadSetupGlide(s, d);
    EXPECT_TRUE(glide::ComputeGlidePolar(s, d));
    outputState(s);
    return s;
}

}  // namespace

TEST(FlapTextBlock, HeadingLinesAndValueColumns) {
    ProgramState s = powerCurve(1);
    auto ls = lines(output::FlapTextBlock(s));
    const std::vector<std::string> head = {"Power curve calculation for Anas platyrhynchos  Mallard",
                                           " (Passerine)",
                                           "",
                                           "Sex: Both sexes",
                                           "Age: Adult",
                                           "",
                                           s.VersionLine,
                                           "Saved in: /out/run.txt",
                                           "",
                                           "a comment",
                                           "",
                                           "Variable values used for this run:",
                                           "",
                                           value40("Empty body mass", "1.00", " kg")};
    ASSERT_GT(ls.size(), head.size());
    for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(ls[i], head[i]) << "line " << i + 1;
    EXPECT_NE(indexOf(ls, value40("Flight style", "Continuous flapping")), -1);
    EXPECT_EQ(indexOf(ls, value40("Power fraction", "0.500")), -1);
    // Held in cubic metres per watt, written in the unit its label names (1.2E-06 cu m/W = 1.20 ml/W).
    EXPECT_NE(indexOf(ls, value40("Mitochondria inverse power density", "1.20", "ml/W")), -1);
    EXPECT_NE(indexOf(ls, value40("Minimum power speed (Vmp)", FormatSig(s.Flap.Vmp, 3), "m/s TAS")), -1);
    // The block ends with two empty lines, the notices, two empty lines.
    const auto n = ls.size();
    EXPECT_NE(ls[n - 9], "");
    EXPECT_EQ(ls[n - 8], "");
    EXPECT_EQ(ls[n - 7], "");
    EXPECT_EQ(ls[n - 6], s.NoticeLines[0]);
    EXPECT_EQ(ls[n - 3], s.NoticeLines[3]);
    EXPECT_EQ(ls[n - 2], "");
    EXPECT_EQ(ls[n - 1], "");
}

TEST(FlapTextBlock, OneTableLinePerSpeedWithASpeedPrintedAsANumber) {
    ProgramState s = powerCurve(3);
    auto ls = lines(output::FlapTextBlock(s));
    EXPECT_NE(indexOf(ls, value40("Flight style", "Bounding")), -1);
    EXPECT_NE(indexOf(ls, value40("Power fraction", "0.500")), -1);
    const int units = indexOf(ls, "m/s       W          W                     W/kg       J/kg       m/s");
    ASSERT_NE(units, -1);
    EXPECT_EQ(ls[static_cast<std::size_t>(units - 2)],
              "True air  Mech       Chem       Effective  Specific   Specific   Max");
    int rows = 0;
    for (int sp = s.Flap.CurveFirstSpeed; sp <= s.Flap.CurveLastIndex; ++sp) {
        if (!(s.Flap.PowerCurveTable[0][static_cast<std::size_t>(sp)] > 0)) continue;
        const std::string& l = ls[static_cast<std::size_t>(units + 1 + rows++)];
        const std::string num = " " + std::to_string(sp) + " ";
        EXPECT_EQ(l.substr(0, num.size()), num);
        EXPECT_EQ(l.substr(10, FormatSig(s.Flap.PowerCurveTable[1][sp], 3).size()), FormatSig(s.Flap.PowerCurveTable[1][sp], 3));
        EXPECT_EQ(l.substr(65), FormatSig(s.Flap.PowerCurveTable[10][sp], 3));
    }
    EXPECT_GT(rows, 5);
    EXPECT_EQ(ls[static_cast<std::size_t>(units + 1 + rows)], "");
}

TEST(GlideTextBlock, TextsAsTheyStandAndTheMacCreadyTable) {
    ProgramState s = glidePolar();
    const std::string block = output::GlideTextBlock(s);
    auto ls = lines(block);
    EXPECT_EQ(ls[0], "Glide polar calculation for Test bird (Non-Passerine)");
    EXPECT_EQ(ls[1], "");
    EXPECT_EQ(ls[2], "Sex: Both sexes");
    EXPECT_NE(indexOf(ls, value40("Arframe mass", FormatSig(s.slot(ModeGlide).AirframeMass, 3), " kg")), -1);
    EXPECT_NE(indexOf(ls, value40("Metablic sink (m/s)", FormatSig(s.Glide.MetSink, 3), " m/s")), -1);
    EXPECT_NE(indexOf(ls, value40("Wing span reduction law", "Linear", " Bstop = 5.00")), -1);
    EXPECT_NE(indexOf(ls, value40("Tonic pectoralis mass", "1.50", "% body mass")), -1);
    const int mc = indexOf(ls, "Macready cross-country speed table");
    ASSERT_NE(mc, -1);
    const int head = indexOf(ls, "Climb      Vit(opt)    Vcc(max)    Eff L/D     Vcc(bg)     Eff L/D", mc);
    ASSERT_NE(head, -1);
    EXPECT_EQ(ls[static_cast<std::size_t>(head + 1)], "m/s        m/s         m/s         (max)       m/s         (bg)");
    const char* climbs[] = {"0.5", "1.0", "1.5", "2.0", "2.5", "3.0"};
    for (int r = 1; r <= 6; ++r) {
        const std::string& l = ls[static_cast<std::size_t>(head + 1 + r)];
        EXPECT_EQ(l.substr(0, 3), climbs[r - 1]);
        EXPECT_EQ(l.substr(11, FormatSig(s.Glide.MacCreadyTable[r][0], 3).size()), FormatSig(s.Glide.MacCreadyTable[r][0], 3));
    }
    // The circle radius label is counted in characters: its value is at column 40.
    const std::string caption = "Circle radius at 24\u00B0 bank, Cl=" + FormatSig(s.Glide.ClVms, 3);
    EXPECT_NE(block.find("\n" + caption + std::string(39 - (caption.size() - 1), ' ') + FormatSig(s.Glide.CircleRadius, 3)),
              std::string::npos);
    EXPECT_NE(indexOf(ls, "Fuel energy per wingbeat for sporadic flapping  " + FormatSig(s.Glide.JperFlap, 3) + " J"), -1);
    // One empty line before the notices.
    EXPECT_NE(block.find(" J\n\n" + s.NoticeLines[0] + "\n"), std::string::npos);
    EXPECT_EQ(block.substr(block.size() - 3), "\n\n\n");
}

TEST(GlideTextBlock, PolarRowsFromTheFirstRowAndTheMinimumDragLaw) {
    ProgramState s = glidePolar();
    s.Glide.SpanLaw = 2;
    auto ls = lines(output::GlideTextBlock(s));
    EXPECT_NE(indexOf(ls, value40("Wing span reduction law", "Minimum drag")), -1);
    const int units = indexOf(ls, "m/s        factor      m/s");
    ASSERT_NE(units, -1);
    const std::string first = " " + std::to_string(s.Glide.PolarFirstRow) + " ";
    EXPECT_EQ(ls[static_cast<std::size_t>(units + 1)].substr(0, first.size()), first);
}

namespace {
ProgramState migrationAtQuarterHours() {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::TypeBird(s, d, {});
    EXPECT_TRUE(bird::PressCalculation(s, d, bird::Calculation::Migrate));
    migrate::LoadSetupMigrate(s, d);
    migrate::SetupMigrateEdit(s, d, "txtFatFrac", Edit::typed("0.05"));
    migrate::SetupMigrateEdit(s, d, "frmSetDefaultsMigr.txtOutputInt", Edit::typed("0.25"));
    EXPECT_EQ(migrate::StartMigrating(s, d), migrate::StartOutcome::Finished);
    outputState(s);
    return s;
}
}  // namespace

TEST(MigrationTextBlock, UnfilledRowsOfAQuarterHourIntervalAreEndOfGpsDataInEveryTable) {
    ProgramState s = migrationAtQuarterHours();
    ASSERT_GT(s.Migration.RowsWritten, 4);
    int unfilled = 0;
    for (int r = 1; r <= s.Migration.RowsWritten; ++r) unfilled += s.Migration.TravelTable[static_cast<std::size_t>(r)][1] == 0;
    ASSERT_GT(unfilled, 0);
    const auto ls = lines(output::MigrationTextBlock(s));
    int end = 0;
    for (const auto& l : ls) end += l == "END OF GPS DATA";
    EXPECT_EQ(end, 5 * unfilled);
    // Row 0 (time 0) is a row of values, row 1 (never filled) the end line.
    const int units = indexOf(ls, "Hours       km          m/s         m/s");
    ASSERT_NE(units, -1);
    EXPECT_EQ(ls[static_cast<std::size_t>(units + 1)].substr(0, 12), "0           ");
    EXPECT_EQ(ls[static_cast<std::size_t>(units + 2)], "END OF GPS DATA");
    EXPECT_EQ(ls[static_cast<std::size_t>(units - 2)],
              "Time        Distance    True air    Min power   V:Vmp       Wing Re     Body Re");
}

TEST(MigrationTextBlock, StopRowsSettingsAndTheClimbLines) {
    ProgramState s = migrationAtQuarterHours();
    s.Migration.TravelTable[2][1] = -1;
    s.Gps.StopoverNote = "Stopover at Site A";
    s.GoalDist = 1234.4f;
    s.Migration.ClimbFlag = false;
    auto ls = lines(output::MigrationTextBlock(s));
    int stops = 0;
    for (const auto& l : ls) stops += l == "Stopover at Site A";
    EXPECT_EQ(stops, 5);
    EXPECT_NE(indexOf(ls, value40("Distance to destinaton", "1234", " km")), -1);
    EXPECT_NE(indexOf(ls, value40("Flight style", "Continuous flapping")), -1);
    EXPECT_NE(indexOf(ls, value40("Mitochondria inverse power density", "1.20", " ml/W")), -1);
    s.Kmito = 2.5e-6f;
    EXPECT_NE(indexOf(lines(output::MigrationTextBlock(s)), value40("Mitochondria inverse power density", "2.50", " ml/W")), -1);
    s.Kmito = 1.2e-6f;
    EXPECT_EQ(indexOf(ls, value40("Rate of climb threshold", "0.0200", " m/s")), -1);
    s.Migration.ClimbFlag = true;
    ls = lines(output::MigrationTextBlock(s));
    const int climb = indexOf(ls, value40("Rate of climb threshold", "0.0200", " m/s"));
    ASSERT_NE(climb, -1);
    EXPECT_EQ(ls[static_cast<std::size_t>(climb - 6)].substr(0, 21), "Initial rate of climb");
    EXPECT_EQ(ls[static_cast<std::size_t>(climb + 1)].substr(0, 20), "Basal metabolic rate");
}
