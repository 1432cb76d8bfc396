// Rotated labels: placement in device pixels, the font record built from the surface's font, and a
// surface left as it was found.
#include <gtest/gtest.h>

#include "graph/RecordingSurface.h"
#include "graph/Rotator.h"

using namespace ornivo::graph;

TEST(Rotator, TwipsAtFifteenAPixelPlaceALabelAt1500TwipsOnColumn100) {
    RecordingSurface surface(673, 497);  // 96 dpi
    ASSERT_EQ(surface.ScaleMode(), ScaleTwips);
    Rotator r;
    r.Device(surface);
    EXPECT_FLOAT_EQ(r.XFactor(), 1.0f / 15);
    EXPECT_FLOAT_EQ(r.YFactor(), 1.0f / 15);
    surface.CurrentX = 1500;
    surface.CurrentY = 3000;
    r.SetAngle(90);
    r.Label("Power (Watts)");
    ASSERT_EQ(surface.Calls().size(), 1u);
    const DrawCall& c = surface.Calls()[0];
    EXPECT_EQ(c.kind, DrawCall::TextOut);
    EXPECT_EQ(c.px1, 100);
    EXPECT_EQ(c.py1, 200);
    EXPECT_EQ(c.text, "Power (Watts)");
    EXPECT_EQ(c.logFont.lfEscapement, 900);
    EXPECT_EQ(c.logFont.lfOrientation, 900);
}

TEST(Rotator, FontRecordComesFromTheSurfaceFont) {
    RecordingSurface surface(100, 100, 120, 120);
    surface.Font.Size = 12;
    surface.Font.Bold = true;
    surface.Font.Italic = true;
    Rotator r;
    r.Device(surface);
    r.Label("x");
    const LogFont& f = r.FontRecord();
    EXPECT_EQ(f.lfHeight, 20);  // 120 x 12 / 72
    EXPECT_EQ(f.lfWeight, 700);
    EXPECT_EQ(f.lfItalic, 1);
    EXPECT_EQ(f.lfUnderline, 0);
    EXPECT_EQ(f.lfWidth, 0);
    EXPECT_EQ(f.lfCharSet, 0);
    EXPECT_EQ(f.FaceName(), "Times New Roman");
    // The height is truncated after rounding the product: 96 x 14.25 = 1368, / 72 = 19.
    surface.Font.Size = 14.25f;
    RecordingSurface at96(100, 100);
    at96.Font.Size = 14.25f;
    r.Device(at96);
    r.Label("x");
    EXPECT_EQ(r.FontRecord().lfHeight, 19);
    at96.Font.Size = 10;
    r.Label("x");
    EXPECT_EQ(r.FontRecord().lfHeight, 13);  // 13.3 truncated
}

TEST(Rotator, FaceNameHoldsAtMostThirtyOneCharacters) {
    RecordingSurface surface(100, 100);
    surface.Font.Name = std::string(40, 'A');
    Rotator r;
    r.Device(surface);
    r.Label("x");
    EXPECT_EQ(r.FontRecord().FaceName(), std::string(31, 'A'));
    EXPECT_EQ(r.FontRecord().lfFaceName[31], '\0');
    EXPECT_EQ(FaceNameField("Caf\u00e9")[3], static_cast<char>(0xE9));  // Latin-1 in the field
    LogFont f;
    f.lfFaceName = FaceNameField("Caf\u00e9");
    EXPECT_EQ(f.FaceName(), "Caf\u00e9");
}

TEST(Rotator, AngleZeroWritesHorizontalTextAtTheCurrentPosition) {
    RecordingSurface surface(673, 497);
    Rotator r;
    EXPECT_EQ(r.Angle(), 0);
    r.Device(surface);
    surface.CurrentX = 150;
    surface.CurrentY = 30;
    r.Label("flat");
    EXPECT_EQ(surface.Calls()[0].logFont.lfEscapement, 0);
    EXPECT_EQ(surface.Calls()[0].px1, 10);
    EXPECT_EQ(surface.Calls()[0].py1, 2);
}

TEST(Rotator, UserDefinedCoordinatesSurviveAssigningTheDevice) {
    RecordingSurface surface(200, 100);
    surface.Scale(-10, 5, 10, -5);  // y upwards, origin in the middle
    surface.CurrentX = 0;
    surface.CurrentY = 0;
    Rotator r;
    r.Device(surface);
    EXPECT_EQ(surface.ScaleMode(), ScaleUser);
    EXPECT_FLOAT_EQ(surface.ScaleLeft(), -10);
    EXPECT_FLOAT_EQ(surface.ScaleTop(), 5);
    EXPECT_FLOAT_EQ(surface.ScaleWidth(), 20);
    EXPECT_FLOAT_EQ(surface.ScaleHeight(), -10);
    EXPECT_FLOAT_EQ(r.XFactor(), 10);
    EXPECT_FLOAT_EQ(r.YFactor(), -10);
    r.SetAngle(90);
    r.Label("mid");
    EXPECT_EQ(surface.Calls()[0].px1, 100);
    EXPECT_EQ(surface.Calls()[0].py1, 50);
}

TEST(Rotator, LabelLeavesPositionFontAndScaleAsTheyWere) {
    RecordingSurface surface(673, 497);
    surface.CurrentX = 779;
    surface.CurrentY = 5965;
    surface.Font.Size = 12;
    const SurfaceFont before = surface.Font;
    Rotator r;
    r.Device(surface);
    r.SetAngle(90);
    r.Label("Power (Watts)");
    EXPECT_FLOAT_EQ(surface.CurrentX, 779);
    EXPECT_FLOAT_EQ(surface.CurrentY, 5965);
    EXPECT_EQ(surface.Font, before);
    EXPECT_EQ(surface.ScaleMode(), ScaleTwips);
    EXPECT_FLOAT_EQ(surface.ScaleWidth(), 10095);
    EXPECT_EQ(surface.Calls()[0].px1, 52);   // 51.93
    EXPECT_EQ(surface.Calls()[0].py1, 398);  // 397.67
}

TEST(Rotator, LabelWithoutADeviceIsRefused) {
    Rotator r;
    EXPECT_THROW(r.Label("x"), GraphError);
}

TEST(Surface, PrintWritesAtTheCurrentPositionAndMovesToTheNextLine) {
    RecordingSurface surface(673, 497);
    surface.CurrentX = 500;
    surface.CurrentY = 700;
    surface.Print("abc");
    EXPECT_FLOAT_EQ(surface.Calls()[0].x1, 500);
    EXPECT_FLOAT_EQ(surface.Calls()[0].y1, 700);
    EXPECT_FLOAT_EQ(surface.Calls()[0].px1, 500.0 / 15);
    EXPECT_FLOAT_EQ(surface.CurrentX, 0);
    EXPECT_FLOAT_EQ(surface.CurrentY, 940);
    // The fixed metric: half an em per character, one em high (12 points: 120 and 240 twips).
    EXPECT_DOUBLE_EQ(surface.TextWidth("abc"), 360);
    EXPECT_DOUBLE_EQ(surface.TextWidth("\u00B1" "0 m/s"), 720);  // one character for the sign
    EXPECT_DOUBLE_EQ(surface.TextHeight("abc"), 240);
    surface.SetScaleMode(ScalePixels);
    EXPECT_DOUBLE_EQ(surface.TextWidth("abc"), 24);
    EXPECT_FLOAT_EQ(surface.ScaleWidth(), 673);
}

TEST(Surface, LinesKeepTheirStyle) {
    RecordingSurface surface(100, 100);
    surface.DrawStyle = LineStyle::Dotted;
    surface.Line(0, 0, 150, 300);
    EXPECT_EQ(surface.Calls()[0].style, LineStyle::Dotted);
    EXPECT_DOUBLE_EQ(surface.Calls()[0].px2, 10);
    EXPECT_DOUBLE_EQ(surface.Calls()[0].py2, 20);
    EXPECT_THROW(RecordingSurface(0, 10), std::invalid_argument);
    EXPECT_THROW(surface.Scale(0, 0, 0, 10), std::invalid_argument);
}
