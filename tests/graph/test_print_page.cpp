// The steps before a print and the text of the printed pages.
#include <gtest/gtest.h>

#include <sstream>

#include "graph/GraphFixtures.h"
#include "graph/PrintPage.h"
#include "platform/ScriptedDialogs.h"

using namespace ornivo;
using namespace ornivo::graph;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

// The page line that starts with `label` at column 10.
std::string lineOf(const PrintedPage& page, const std::string& label) {
    for (const auto& l : lines(PageText(page)))
        if (l.size() > 9 && l.compare(9, label.size(), label) == 0) return l;
    return {};
}

ProgramState powerBird(int style) {
    ProgramState s = test::PowerCurveState();
    s.FlightStyle = static_cast<int16_t>(style);
    BirdParams& b = s.slot(1);
    b.EmptyMass = 1.05f;
    b.AllUpMass = 1.05f;
    b.PowerFracBound = 0.6f;
    b.PowerFracFG = 0.45f;
    b.Cdb = 0.1f;
    s.slot(0).Gravity = 9.81f;
    s.Altitude = 1234.5f;
    return s;
}

}  // namespace

TEST(AskToPrint, CancelAtThePrinterMessageLeavesTheFlagDown) {
    ProgramState s;
    platform::ScriptedDialogs d;
    std::string comment;
    d.okCancel = {false};
    EXPECT_FALSE(AskToPrint(s, d, comment));
    EXPECT_FALSE(s.PrintedFlag);
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0].lines, std::vector<std::string>{"This will only work if the printer is ready"});
    // Next time the message comes again; OK and a comment print.
    d.clear();
    d.okCancel = {true};
    d.inputs = {"first try"};
    EXPECT_TRUE(AskToPrint(s, d, comment));
    EXPECT_TRUE(s.PrintedFlag);
    EXPECT_EQ(comment, "first try");
    EXPECT_EQ(d.shown[0].kind, "okcancel");
    EXPECT_EQ(d.shown[1].kind, "input");
    EXPECT_EQ(d.shown[1].lines, std::vector<std::string>{"Supply short comment to be printed above graph"});
}

TEST(AskToPrint, OnceAnsweredThePrinterMessageIsNotShownAgain) {
    ProgramState s;
    s.PrintedFlag = true;
    platform::ScriptedDialogs d;
    std::string comment;
    d.inputs = {""};
    d.yesNo = {false};
    EXPECT_FALSE(AskToPrint(s, d, comment));  // empty comment and No
    ASSERT_EQ(d.shown.size(), 2u);
    EXPECT_EQ(d.shown[0].kind, "input");
    EXPECT_EQ(d.shown[1].lines, std::vector<std::string>{"Do you want to print the graph or not?"});
    d.clear();
    d.inputs = {""};
    d.yesNo = {true};
    EXPECT_TRUE(AskToPrint(s, d, comment));  // empty comment and Yes print an empty comment line
    EXPECT_EQ(comment, "");
}

TEST(AskToPrint, NoAtTheEmptyCommentQuestionStillKeepsTheFlag) {
    ProgramState s;
    platform::ScriptedDialogs d;
    std::string comment;
    d.okCancel = {true};
    d.yesNo = {false};
    EXPECT_FALSE(AskToPrint(s, d, comment));
    EXPECT_TRUE(s.PrintedFlag);
}

TEST(PrintPage, HeaderBlockHoldsHeadingCommentAndRoomForThePicture) {
    PrintedPage p = PowerGraphPage(powerBird(1), "Power curves for Test bird", "my comment");
    auto text = lines(PageText(p));
    ASSERT_GT(text.size(), 40u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(text[i], "");
    EXPECT_EQ(text[4], "          Power curves for Test bird");
    EXPECT_EQ(text[5], "");
    EXPECT_EQ(text[6], "          my comment");
    for (int i = 7; i < 7 + 1 + 31; ++i) EXPECT_EQ(text[i], "") << i;
    EXPECT_EQ(text[39], "        Input values used to calculate this graph:");
    EXPECT_EQ(text[40], "");
    for (int i = 0; i <= 40; ++i) EXPECT_TRUE(p.lines[i].bold) << i;
    EXPECT_FALSE(p.lines[41].bold);
    EXPECT_EQ(p.fontName, "Times New Roman");
    EXPECT_FLOAT_EQ(p.fontSize, 10);
    EXPECT_EQ(p.pictureLeftTwips, 400);
    EXPECT_EQ(p.pictureTopTwips, 1600);
}

TEST(PrintPage, PowerCurveValuesStandAtColumnsTenFiftyAndSixtyTwo) {
    PrintedPage p = PowerGraphPage(powerBird(1), "h", "c");
    const std::string mass = lineOf(p, "Empty body mass");
    EXPECT_EQ(mass, std::string(9, ' ') + "Empty body mass" + std::string(25, ' ') + "1.05" + std::string(8, ' ') + " kg");
    EXPECT_EQ(lineOf(p, "Density altitude in Std Atmosphere").substr(49), "1235         m");  // "0" pattern
    EXPECT_EQ(lineOf(p, "Acceleration due to gravity").substr(49, 4), "9.81");
    // Held in cubic metres per watt, printed in the unit its label names: 1.2E-06 cu m/W is 1.20 ml/W.
    EXPECT_EQ(lineOf(p, "Mitochondria inverse power density").substr(49), "1.20        ml/W");
    EXPECT_EQ(lineOf(p, "Flight style").substr(49), "Continuous flapping");
    EXPECT_EQ(lineOf(p, "Power fraction"), "");
    const std::string pair = lineOf(p, "Body drag coefficient");
    EXPECT_EQ(pair.substr(49, 3), "0.1");
    EXPECT_EQ(pair.substr(61, 20), "Induced power factor");
    EXPECT_EQ(pair.substr(91), "1.20");
    EXPECT_NE(lineOf(p, "Respiration factor").find("Conversion efficiency"), std::string::npos);
    EXPECT_EQ(lines(PageText(p)).back().substr(9, 18), "Respiration factor");
}

TEST(PrintPage, FlapGlidingAndBoundingListTheirPowerFraction) {
    PrintedPage fg = PowerGraphPage(powerBird(2), "h", "c");
    EXPECT_EQ(lineOf(fg, "Flight style").substr(49), "Flap-gliding");
    EXPECT_EQ(lineOf(fg, "Power fraction").substr(49), "0.450");
    PrintedPage bound = PowerGraphPage(powerBird(3), "h", "c");
    EXPECT_EQ(lineOf(bound, "Flight style").substr(49), "Bounding");
    EXPECT_EQ(lineOf(bound, "Power fraction").substr(49), "0.600");
}

TEST(PrintPage, GlidePolarListsItsOwnValuesAndTheSpanLaw) {
    ProgramState s = test::GlidePolarState();
    s.slot(3).EmptyMass = 2.2f;
    s.Bstop = 5;
    PrintedPage p = PolarGraphPage(s, "Glide polar for Test glider", "");
    auto text = lines(PageText(p));
    EXPECT_EQ(text[6], std::string(10, ' '));  // an empty comment still has its line
    EXPECT_EQ(lineOf(p, "Empty body mass").substr(49, 3), "2.2");
    EXPECT_EQ(lineOf(p, "Wing span reduction law").substr(49), "Linear       Bstop = 5.00");
    EXPECT_EQ(lineOf(p, "Flight muscle mass"), "");
    EXPECT_EQ(text.back().substr(9, 20), "Basal metabolic rate");
    s.Glide.SpanLaw = 2;
    EXPECT_EQ(lineOf(PolarGraphPage(s, "h", "c"), "Wing span reduction law").substr(49), "Minimum drag");
    EXPECT_EQ(text.size(), 41u + 17u);
}
