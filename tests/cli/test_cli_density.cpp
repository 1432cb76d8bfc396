// End-to-end: ornivo-cli density.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/RunCli.h"

namespace {
size_t lineCount(const std::string& s)
{
    size_t n = 0;
    for (char c : s) n += c == '\n';
    return n;
}
}  // namespace

TEST(CliDensity, AltitudeGivesTheStandardAtmosphere)
{
    auto r = RunCli({"density", "--altitude", "1000"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_NEAR(j["AirDensity"].get<double>(), 1.1116, 5e-5);
    EXPECT_NEAR(j["RelDensity"].get<double>(), 1.1116 / 1.225, 5e-5);
    EXPECT_DOUBLE_EQ(j["Altitude"].get<double>(), 1000);
    EXPECT_GT(j["KinViscosity"].get<double>(), 0.0000145);
}

TEST(CliDensity, DensityAndCalculatorMethods)
{
    auto r = RunCli({"density", "--density", "1.225"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NEAR(nlohmann::json::parse(r.out)["Altitude"].get<double>(), 0, 0.001);

    r = RunCli({"density", "--baro", "1013", "--temp", "15", "--above-observer", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NEAR(nlohmann::json::parse(r.out)["AirDensity"].get<double>(), 1.225, 1e-6);
}

TEST(CliDensity, BadArgumentsExitOneWithOneLine)
{
    for (std::vector<std::string> args : {std::vector<std::string>{"density", "--altitude", "1000x"},
                                          {"density", "--altitude", "abc"},
                                          {"density", "--altitude"},
                                          {"density"},
                                          {"density", "--baro", "1013"}}) {
        auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.back();
        EXPECT_EQ(lineCount(r.err), 1u) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(CliDensity, RefusalsExitTwoWithoutNumbers)
{
    for (std::vector<std::string> args : {std::vector<std::string>{"density", "--altitude", "50000"},
                                          {"density", "--density", "1e39"},
                                          {"density", "--baro", "1013", "--temp", "-273"}}) {
        auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << args[2];
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty()) << r.out;  // no JSON with null or NaN
    }
    auto r = RunCli({"density", "--altitude", "50000"});
    EXPECT_NE(r.err.find("44308"), std::string::npos) << r.err;
}
