#pragma once
// The printed page of a graph: the printer question, the comment, and the page's text lines in
// print-device text columns. Painting the page on a printer or PDF is ornivo-render's job.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"

namespace ornivo::graph {

struct PrintPiece {
    int16_t column = 1;  // text column of the print device; column 1 is the left margin
    std::string text;
};

struct PrintLine {
    std::vector<PrintPiece> pieces;  // empty for an empty line
    bool bold = false;               // the emphasis of the header block
};

struct PrintedPage {
    std::string fontName = "Times New Roman";
    float fontSize = 10;  // points
    std::vector<PrintLine> lines;
    // The graph's picture, at its own size, with its top-left corner this far from the top-left of
    // the printable area (twips). It does not move the print position; the empty lines make room.
    int pictureLeftTwips = 400, pictureTopTwips = 1600;
    // The empty lines that make room for the picture: pictureLineCount lines from pictureFirstLine.
    // A picture taller than these lines pushes the lines after them down (see ornivo-render).
    int pictureFirstLine = -1, pictureLineCount = 0;
};

// Steps before a print: the printer-ready question (only until it has been answered with OK once;
// PrintedFlag remembers that), the comment, and with an empty comment the question whether to print
// at all. Returns false when the user stops; `comment` receives the typed comment.
bool AskToPrint(ProgramState& s, platform::Dialogs& d, std::string& comment);

// The page of the power-curve graph and of the glide-polar graph. Values per calculation come from
// the slot of CalcMode.
PrintedPage PowerGraphPage(const ProgramState& s, const std::string& heading, const std::string& comment);
PrintedPage PolarGraphPage(const ProgramState& s, const std::string& heading, const std::string& comment);

// The page as plain text: each piece at its column counted in characters (for tests and logs).
std::string PageText(const PrintedPage& page);

}  // namespace ornivo::graph
