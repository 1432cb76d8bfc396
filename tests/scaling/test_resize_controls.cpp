// Screen rescaling: the control scale, which controls move, resize and change font, and where the
// scaled and centred windows go.
#include <gtest/gtest.h>

#include "scaling/ResizeControls.h"

using namespace ornivo;
using namespace ornivo::scaling;

namespace {

ProgramState display(double widthTwips, double heightTwips) {
    ProgramState s;
    s.ScreenScaleX = widthTwips / 12000;
    s.ScreenScaleY = heightTwips / 9000;
    return s;
}

std::vector<ControlGeometry> sampleScreen() {
    return {{"txtSpan", 1000, 500, 1200, 285, 10}, {"lblSpan", 120, 500, 900, 255, 10},
            {"cmdOK", 333, 777, 1215, 375, 8.25}, {"updSteps", 2000, 300, 255, 285, 10},
            {"UpDown1", 2000, 600, 255, 285, 10}, {"drvOutDefault", 400, 3000, 2895, 315, 10},
            {"Line1", 100, 100, 5000, 15, 0},    {"dlgFile", 0, 0, 480, 480, 10}};
}

}  // namespace

TEST(ResizeControls, DisplayOf15360By11520ScalesBy128) {
    ProgramState s = display(15360, 11520);
    auto c = sampleScreen();
    EXPECT_DOUBLE_EQ(ResizeControls(s, c), 1.28);
    EXPECT_EQ(c[0].left, 1280);
    EXPECT_EQ(c[0].top, 640);
    EXPECT_EQ(c[0].width, 1536);
    EXPECT_EQ(c[0].height, 365);  // 364.8 rounded to a whole twip
    EXPECT_DOUBLE_EQ(c[0].fontSize, 12.8);
    EXPECT_EQ(c[2].left, 426);    // 426.24
    EXPECT_EQ(c[2].top, 995);     // 994.56
    EXPECT_DOUBLE_EQ(c[2].fontSize, 8.25 * 1.28);
}

TEST(ResizeControls, PrefixesDecideWhatChanges) {
    ProgramState s = display(15360, 11520);
    auto c = sampleScreen();
    ResizeControls(s, c);
    // Up-down controls scale their box but not their font.
    EXPECT_EQ(c[3].left, 2560);
    EXPECT_EQ(c[3].width, 326);  // 326.4
    EXPECT_DOUBLE_EQ(c[3].fontSize, 10);
    EXPECT_EQ(c[4].height, 365);
    EXPECT_DOUBLE_EQ(c[4].fontSize, 10);
    // The drive list moves but keeps its size and font.
    EXPECT_EQ(c[5].left, 512);
    EXPECT_EQ(c[5].top, 3840);
    EXPECT_EQ(c[5].width, 2895);
    EXPECT_DOUBLE_EQ(c[5].fontSize, 10);
    // Lines and dialogs stay as designed.
    EXPECT_EQ(c[6].width, 5000);
    EXPECT_EQ(c[7].left, 0);
    EXPECT_EQ(c[7].width, 480);
}

TEST(ResizeControls, ControlScaleIsTheSmallerRatio) {
    ProgramState wide = display(15360, 9000);
    auto c = sampleScreen();
    EXPECT_DOUBLE_EQ(ResizeControls(wide, c), 1);
    EXPECT_EQ(c[0].left, 1000);
    EXPECT_DOUBLE_EQ(c[0].fontSize, 10);
    ProgramState tall = display(14400, 12000);
    EXPECT_DOUBLE_EQ(ControlScale(tall), 1.2);
}

TEST(ResizeControls, DisplayExactly12000TwipsWideChangesNothing) {
    for (double h : {9000.0, 7200.0, 12000.0}) {
        ProgramState s = display(12000, h);
        auto c = sampleScreen();
        EXPECT_DOUBLE_EQ(ResizeControls(s, c), 1);
        EXPECT_EQ(c[0].left, 1000);
        EXPECT_EQ(c[0].height, 285);
        EXPECT_DOUBLE_EQ(c[0].fontSize, 10);
    }
}

TEST(ResizeControls, ScreenScaleFromPixelsAtFifteenTwipsEach) {
    ProgramState s;
    SetScreenScale(s, 1024, 768);
    EXPECT_DOUBLE_EQ(s.ScreenScaleX, 1.28);
    EXPECT_DOUBLE_EQ(s.ScreenScaleY, 1.28);
    SetScreenScale(s, 800, 600);
    EXPECT_DOUBLE_EQ(DisplayWidthTwips(s), 12000);
}

TEST(PlaceWindow, WideDisplayScalesTheWindowWidthOnlyAndCentresIt) {
    ProgramState s = display(15360, 9000);
    s.ResizeScreens = true;
    WindowGeometry w = PlaceWindow(s, ResizePattern::ScaleAndCentre, {0, 0, 6000, 4500});
    EXPECT_EQ(w.width, 7680);
    EXPECT_EQ(w.height, 4500);
    EXPECT_EQ(w.left, 3840);  // (15360 - 7680) / 2
    EXPECT_EQ(w.top, 2250);
}

TEST(PlaceWindow, CentredScreensAreCentredEvenWithoutResizing) {
    ProgramState s = display(15360, 11520);
    s.ResizeScreens = false;
    WindowGeometry w = PlaceWindow(s, ResizePattern::ScaleAndCentre, {10, 20, 6001, 4500});
    EXPECT_EQ(w.width, 6001);
    EXPECT_EQ(w.left, 4679);  // 9359 halved as a whole number
    EXPECT_EQ(w.top, 3510);
    // Screens that only scale their controls keep their window where it was.
    s.ResizeScreens = true;
    WindowGeometry k = PlaceWindow(s, ResizePattern::ControlsOnly, {10, 20, 6000, 4500});
    EXPECT_EQ(k.left, 10);
    EXPECT_EQ(k.width, 6000);
    WindowGeometry n = PlaceWindow(s, ResizePattern::ScaleNoCentre, {10, 20, 6000, 4500});
    EXPECT_EQ(n.left, 10);
    EXPECT_EQ(n.width, 7680);
}
