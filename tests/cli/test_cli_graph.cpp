// ornivo-cli --graph FILE: the graph written by the file's extension, without a display.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/RunCli.h"
#include "support/TempDir.h"

namespace {

const char* Mallard =
    R"({ "SpName": "Anas platyrhynchos", "ShortName": "Mallard", "EmptyMass": 1.0, "Span": 0.9,
         "WingArea": 0.1, "Altitude": 0, "edits": [["txtFatFrac", 0.1]] })";

std::string head(const std::string& path, size_t n) { return ornivo::test::ReadFile(path).substr(0, n); }

}  // namespace

TEST(CliGraph, PowerCurveAndPolarAsPngSvgPdf)
{
    ornivo::test::TempDir dir;
    for (const char* calc : {"power-curve", "glide-polar"}) {
        const std::string base = dir.str() + "/" + calc;
        auto r = RunCli({calc, "-", "--graph", base + ".png"}, Mallard, 120);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(head(base + ".png", 4), "\x89PNG");
        r = RunCli({calc, "-", "--graph", base + ".SVG"}, Mallard, 120);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(ornivo::test::ReadFile(base + ".SVG").find("<svg"), std::string::npos);
        r = RunCli({calc, "-", "--graph", base + ".pdf"}, Mallard, 120);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(head(base + ".pdf", 5), "%PDF-");
    }
}

TEST(CliGraph, UncertaintyBandsChangeThePicture)
{
    ornivo::test::TempDir dir;
    const std::string plain = dir.str() + "/plain.svg", bands = dir.str() + "/bands.svg";
    ASSERT_EQ(RunCli({"power-curve", "-", "--graph", plain}, Mallard, 120).exitCode, 0);
    auto r = RunCli({"power-curve", "-", "--uncertainty", "--graph", bands}, Mallard, 120);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(ornivo::test::ReadFile(plain), ornivo::test::ReadFile(bands));
}

TEST(CliGraph, UnknownExtensionExitsOneAndWritesNothing)
{
    ornivo::test::TempDir dir;
    const std::string path = dir.str() + "/graph.bmp";
    auto r = RunCli({"power-curve", "-", "--graph", path}, Mallard, 120);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(".png, .svg or .pdf"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(path));
}
