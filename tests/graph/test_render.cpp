// The graphs painted with Qt: the screen image, PNG, SVG and PDF pictures, and the printed page.
// Pictures are left in the build folder (test-output/) to be looked at.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "graph/GraphFixtures.h"
#include "graph/PolarGraph.h"
#include "graph/PowerGraph.h"
#include "graph/PrintPage.h"
#include "render/Export.h"
#include "render/ImageSurface.h"
#include "render/PrintedPage.h"

using namespace ornivo;
using namespace ornivo::graph;
namespace fs = std::filesystem;

namespace {

fs::path outputDir() {
    fs::path dir = fs::path(ORNIVO_RUNTIME_DIR).parent_path() / "test-output";
    fs::create_directories(dir);
    return dir;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int darkPixels(const QImage& img, QRect r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) ++n;
    return n;
}

class Render : public ::testing::Test {
protected:
    void SetUp() override { render::EnsureGuiApplication(); }
};

}  // namespace

TEST_F(Render, PowerGraphImageIsWrittenAsPng) {
    ProgramState s = test::PowerCurveState();
    render::ImageSurface surface(test::PowerPixelsX, test::PowerPixelsY);
    Rotator rotator;
    DrawPowerGraph(s, surface, rotator);
    // Real fonts measure real text: Liberation Serif 12 points is about 18 pixels a line.
    EXPECT_GT(surface.TextHeight("Vmp"), 15 * 15);
    EXPECT_LT(surface.TextHeight("Vmp"), 22 * 15);
    EXPECT_GT(surface.TextWidth("Mechanical power"), surface.TextWidth("Vmp"));

    const fs::path png = outputDir() / "power_graph.png";
    std::string error;
    ASSERT_TRUE(render::SavePicture(surface, png.string(), error)) << error;
    QImage img(QString::fromStdString(png.string()));
    ASSERT_EQ(img.width(), 673);
    ASSERT_EQ(img.height(), 497);
    // The lower plot's left edge at 2019 twips (pixel 134.6) from 3355 to 6337 twips (rows 224 to 422).
    EXPECT_GT(darkPixels(img, QRect(134, 240, 2, 170)), 160);
    // The rotated power title reads upwards from pixel (52, 398), lying to its right.
    EXPECT_GT(darkPixels(img, QRect(52, 300, 18, 98)), 50);
    EXPECT_EQ(darkPixels(img, QRect(0, 0, 30, 497)), 0);  // nothing left of the titles
}

TEST_F(Render, UncertaintyBandsAddDottedLinesToTheImage) {
    ProgramState s = test::PowerCurveState();
    render::ImageSurface surface(test::PowerPixelsX, test::PowerPixelsY);
    Rotator rotator;
    DrawPowerGraph(s, surface, rotator);
    const QImage before = surface.Image().copy();
    for (int v = 1; v <= 23; ++v) {
        s.Flap.PowerCurveTable[6][v] = s.Flap.PowerCurveTable[1][v] - 4;
        s.Flap.PowerCurveTable[7][v] = s.Flap.PowerCurveTable[1][v] + 4;
    }
    s.Flap.VmpUncert = 0.8f;
    s.Flap.UncertDone = true;
    DrawUncertaintyBands(s, surface);
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != surface.Image().pixel(x, y)) ++changed;
    EXPECT_GT(changed, 300);
    std::string error;
    EXPECT_TRUE(render::SavePicture(surface, (outputDir() / "power_graph_bands.png").string(), error)) << error;
    EXPECT_TRUE(render::SavePowerGraph(s, (outputDir() / "power_graph_bands.svg").string(), true, error)) << error;
}

TEST_F(Render, PolarGraphAsPngSvgAndPdf) {
    ProgramState s = test::GlidePolarState();
    std::string error;
    for (const char* name : {"polar_graph.png", "polar_graph.svg", "polar_graph.pdf"})
        ASSERT_TRUE(render::SavePolarGraph(s, (outputDir() / name).string(), error)) << name << ": " << error;
    QImage img(QString::fromStdString((outputDir() / "polar_graph.png").string()));
    EXPECT_EQ(img.size(), QSize(665, 481));
    const std::string svg = slurp(outputDir() / "polar_graph.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Vms = 10.5 m/s"), std::string::npos);
    EXPECT_NE(svg.find("Span reduction factor"), std::string::npos);
    EXPECT_EQ(slurp(outputDir() / "polar_graph.pdf").rfind("%PDF", 0), 0u);
}

TEST_F(Render, RefusalsWriteNothing) {
    std::string error;
    const fs::path bmp = outputDir() / "graph.bmp";
    fs::remove(bmp);
    ProgramState s = test::PowerCurveState();
    EXPECT_FALSE(render::SavePowerGraph(s, bmp.string(), false, error));
    EXPECT_NE(error.find(".png, .svg or .pdf"), std::string::npos);
    EXPECT_FALSE(fs::exists(bmp));
    EXPECT_FALSE(render::SavePowerGraph(s, (outputDir() / "no_bands.png").string(), true, error));
    EXPECT_EQ(error, "The uncertainty bands have not been computed");
    ProgramState empty;
    const fs::path none = outputDir() / "no_curve.png";
    fs::remove(none);
    EXPECT_FALSE(render::SavePowerGraph(empty, none.string(), false, error));
    EXPECT_NE(error.find("compute the power curve first"), std::string::npos);
    EXPECT_FALSE(fs::exists(none));
    EXPECT_FALSE(render::SavePolarGraph(s, (outputDir() / "missing" / "x.png").string(), error));
    EXPECT_EQ(render::PictureFormatOf("A.PDF"), render::PictureFormat::Pdf);
}

TEST_F(Render, PrintedPageToPdfHoldsHeadingCommentAndValueLines) {
    ProgramState s = test::PowerCurveState();
    s.slot(1).EmptyMass = 1.05f;
    s.slot(0).Gravity = 9.81f;
    render::ImageSurface surface(test::PowerPixelsX, test::PowerPixelsY);
    Rotator rotator;
    const std::string heading = DrawPowerGraph(s, surface, rotator);
    const PrintedPage page = PowerGraphPage(s, heading, "Printed by the render test");
    const fs::path pdf = outputDir() / "power_graph_page.pdf";
    std::string error;
    ASSERT_TRUE(render::PrintPageToPdf(pdf.string(), page, surface, error)) << error;
    ASSERT_EQ(slurp(pdf).rfind("%PDF", 0), 0u);

    if (std::system("pdftotext -v > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
    const fs::path txt = outputDir() / "power_graph_page.txt";
    const std::string cmd = "pdftotext -layout '" + pdf.string() + "' '" + txt.string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string text = slurp(txt);
    EXPECT_NE(text.find(heading), std::string::npos);
    EXPECT_NE(text.find("Printed by the render test"), std::string::npos);
    EXPECT_NE(text.find("Input values used to calculate this graph:"), std::string::npos);
    for (const char* label : {"Empty body mass", "All-up mass", "Airframe fraction", "Density altitude in Std Atmosphere",
                              "Acceleration due to gravity", "Mitochondria inverse power density", "Flight style",
                              "Continuous flapping", "Body drag coefficient", "Induced power factor",
                              "Profile power ratio", "Respiration factor", "Conversion efficiency", "9.81", "1.05"})
        EXPECT_NE(text.find(label), std::string::npos) << label;
}

TEST_F(Render, GlidePolarPageToPdfListsItsValues) {
    ProgramState s = test::GlidePolarState();
    s.slot(3).EmptyMass = 2.2f;
    render::ImageSurface surface(test::PolarPixelsX, test::PolarPixelsY);
    Rotator rotator;
    const std::string heading = DrawPolarGraph(s, surface, rotator);
    const fs::path pdf = outputDir() / "polar_graph_page.pdf";
    std::string error;
    ASSERT_TRUE(render::PrintPageToPdf(pdf.string(), PolarGraphPage(s, heading, "Polar comment"), surface, error)) << error;
    if (std::system("pdftotext -v > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
    const fs::path txt = outputDir() / "polar_graph_page.txt";
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf.string() + "' '" + txt.string() + "'").c_str()), 0);
    const std::string text = slurp(txt);
    for (const std::string& want : {heading, std::string("Polar comment"), std::string("Wing span reduction law"),
                                    std::string("Bstop = 5.00"), std::string("Induced drag factor"), std::string("2.20")})
        EXPECT_NE(text.find(want), std::string::npos) << want;
}
