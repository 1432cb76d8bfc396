#include "graph/PrintPage.h"

#include "graph/Surface.h"
#include "state/MitoUnits.h"
#include "state/numtext.h"

namespace ornivo::graph {
namespace {

void emptyLines(PrintedPage& p, int n, bool bold) {
    for (int i = 0; i < n; ++i) p.lines.push_back({{}, bold});
}

void textLine(PrintedPage& p, int16_t column, const std::string& text, bool bold) {
    p.lines.push_back({{{column, text}}, bold});
}

// Value line: label at column 10, value at 50, unit text at 62 where one is given.
void valueLine(PrintedPage& p, const std::string& label, const std::string& value, const std::string& unit = {}) {
    PrintLine line{{{10, label}, {50, value}}, false};
    if (!unit.empty()) line.pieces.push_back({62, unit});
    p.lines.push_back(std::move(line));
}

void valueLine(PrintedPage& p, const std::string& label, float value, const std::string& unit = {}) {
    valueLine(p, label, FormatSig(value, 3), unit);
}

void pairLine(PrintedPage& p, const std::string& l1, float v1, const std::string& l2, float v2) {
    p.lines.push_back({{{10, l1}, {50, FormatSig(v1, 3)}, {62, l2}, {92, FormatSig(v2, 3)}}, false});
}

void wingLines(PrintedPage& p, const BirdParams& b) {
    valueLine(p, "Wing span", b.Span, " m");
    valueLine(p, "Wing area", b.WingArea, " square m");
    valueLine(p, "Aspect ratio", b.AspectRatio);
}

// The header block: heading, comment and room for the picture, then the values title.
PrintedPage pageHead(const std::string& heading, const std::string& comment) {
    PrintedPage p;
    emptyLines(p, 4, true);
    textLine(p, 1, std::string(10, ' ') + heading, true);
    emptyLines(p, 1, true);
    textLine(p, 1, std::string(10, ' ') + comment, true);
    emptyLines(p, 1, true);
    p.pictureFirstLine = static_cast<int>(p.lines.size());
    p.pictureLineCount = 31;
    emptyLines(p, p.pictureLineCount, true);
    textLine(p, 9, "Input values used to calculate this graph:", true);
    emptyLines(p, 1, true);
    return p;
}

}  // namespace

bool AskToPrint(ProgramState& s, platform::Dialogs& d, std::string& comment) {
    if (!s.PrintedFlag && !d.askOkCancel({"This will only work if the printer is ready"})) return false;
    s.PrintedFlag = true;
    comment = d.inputBox("Supply short comment to be printed above graph", "");
    if (comment.empty() && !d.askYesNo({"Do you want to print the graph or not?"})) return false;
    return true;
}

PrintedPage PowerGraphPage(const ProgramState& s, const std::string& heading, const std::string& comment) {
    PrintedPage p = pageHead(heading, comment);
    const BirdParams& b = s.slot();
    valueLine(p, "Empty body mass", b.EmptyMass, " kg");
    valueLine(p, "Flight muscle mass", b.MuscleMass, " kg");
    valueLine(p, "Fat mass", b.FatMass, " kg");
    valueLine(p, "Airframe mass", b.AirframeMass, " kg");
    valueLine(p, "Crop contents mass", b.CropMass, " kg");
    valueLine(p, "All-up mass", b.AllUpMass, " kg");
    valueLine(p, "Flight muscle fraction", b.MuscleFrac);
    valueLine(p, "Fat fraction", b.FatFrac);
    valueLine(p, "Airframe fraction", b.AirframeFrac);
    wingLines(p, b);
    valueLine(p, "Air density", s.AirDensity, " kg/cubic m");
    valueLine(p, "Density altitude in Std Atmosphere", FormatPattern(s.Altitude, "0"), " m");
    valueLine(p, "Body frontal area", b.Sbody, " square m");
    valueLine(p, "Acceleration due to gravity", s.slot(0).Gravity, " m/sec-squared");
    valueLine(p, "Basal metabolic rate", b.Pbmr, " W");
    valueLine(p, "Mitochondria inverse power density", KmitoMlPerW(s.Kmito), "ml/W");
    const char* style = s.FlightStyle == 1 ? "Continuous flapping" : s.FlightStyle == 2 ? "Flap-gliding"
                      : s.FlightStyle == 3 ? "Bounding" : "";
    valueLine(p, "Flight style", style);
    if (s.FlightStyle == 3) valueLine(p, "Power fraction", b.PowerFracBound);
    else if (s.FlightStyle == 2) valueLine(p, "Power fraction", b.PowerFracFG);
    pairLine(p, "Body drag coefficient", b.Cdb, "Induced power factor", s.Kflap);
    pairLine(p, "Profile power constant", s.Cprof, "Profile power ratio", s.X1);
    pairLine(p, "Respiration factor", s.Resp, "Conversion efficiency", s.Eta);
    return p;
}

PrintedPage PolarGraphPage(const ProgramState& s, const std::string& heading, const std::string& comment) {
    PrintedPage p = pageHead(heading, comment);
    const BirdParams& b = s.slot();
    valueLine(p, "Empty body mass", b.EmptyMass, " kg");
    valueLine(p, "Crop contents mass", b.CropMass, " kg");
    valueLine(p, "All-up mass", b.AllUpMass, " kg");
    wingLines(p, b);
    if (s.Glide.SpanLaw == 1) valueLine(p, "Wing span reduction law", "Linear", " Bstop = " + FormatSig(s.Bstop, 3));
    else valueLine(p, "Wing span reduction law", s.Glide.SpanLaw == 2 ? "Minimum drag" : "");
    valueLine(p, "Planform slope", s.PlanformSlope);
    valueLine(p, "Maximum lift coefficient", s.ClMax);
    valueLine(p, "Wing profile drag coefficient", b.Cdw);
    valueLine(p, "Air density", s.AirDensity, " kg/cubic m");
    valueLine(p, "Density altitude in Std Atmosphere", FormatPattern(s.Altitude, "0"), " m");
    valueLine(p, "Body frontal area", b.Sbody, " square m");
    valueLine(p, "Body drag coefficient", b.Cdb);
    valueLine(p, "Acceleration due to gravity", s.slot(0).Gravity, " m/sec-squared");
    valueLine(p, "Induced drag factor", s.Kglide);
    valueLine(p, "Basal metabolic rate", b.Pbmr, " W");
    return p;
}

std::string PageText(const PrintedPage& page) {
    std::string out;
    for (const PrintLine& line : page.lines) {
        std::string row;
        for (const PrintPiece& piece : line.pieces) {
            const std::size_t col = std::size_t(piece.column > 0 ? piece.column - 1 : 0);
            if (CharCount(row) < col) row.append(col - CharCount(row), ' ');
            else if (!row.empty()) row += ' ';  // a piece that overruns its column still stands apart
            row += piece.text;
        }
        out += row + "\n";
    }
    return out;
}

}  // namespace ornivo::graph
