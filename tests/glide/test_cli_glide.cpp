// ornivo-cli glide-polar end to end: the JSON shape, the reference cases, refusals and bad edits.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "support/RunCli.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char* kExample = R"({"SpName": "Example glider", "EmptyMass": 2.2, "Span": 1.4, "WingArea": 0.33,
                           "Altitude": 0, "edits": EDITS})";

std::string example(const std::string& edits = "[]") {
    std::string t = kExample;
    t.replace(t.find("EDITS"), 5, edits);
    return t;
}

fs::path tempFolder(const std::string& name) {
    fs::path p = fs::temp_directory_path() / ("ornivo-glide-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

}  // namespace

TEST(CliGlidePolar, PrintsInputsResultsTablesAndMessages) {
    RunResult r = RunCli({"glide-polar", "-"}, example());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json j = json::parse(r.out);
    EXPECT_EQ(j["calculation"], "glide-polar");
    const json& in = j["inputs"];
    for (const char* k : {"AllUpMass", "Cdw", "BodyDragArea", "Kglide", "ClMax", "PlanformSlope", "Bstop",
                          "TonicMuscFrac", "SpanLaw", "AirDensity", "KinViscosity", "Gravity0"})
        EXPECT_TRUE(in.contains(k)) << k;
    const json& res = j["results"];
    for (const char* k : {"Vstall", "Vms", "VmsEAS", "MinSink", "GlideRatioVms", "ClVms", "Vbg", "VbgEAS",
                          "SinkVbg", "BestGlideRatio", "ClVbg", "ReWingVms", "ReBodyVms", "ReWingVbg", "ReBodyVbg",
                          "CircleRadius", "SinkLast", "PchemTonic", "PchemGlide", "JperFlap", "MetSink", "PchemMin",
                          "NchemVmp", "PchemVmr", "NchemMax", "VmpExact", "VmrExact", "PolarFirstRow",
                          "PolarRowLimit", "PolarLastRow", "TonicMuscFrac", "SpanLaw"})
        EXPECT_TRUE(res.contains(k)) << k;
    EXPECT_EQ(res["PolarFirstRow"], 7);
    EXPECT_EQ(res["PolarRowLimit"], 42);
    EXPECT_EQ(res["PolarLastRow"], 25);
    EXPECT_EQ(res["GlidePolarTable"].size(), 43u);
    EXPECT_EQ(res["GlidePolarTable"][7].size(), 3u);
    EXPECT_EQ(res["MacCreadyTable"].size(), 7u);
    EXPECT_EQ(res["MacCreadyTable"][6].size(), 5u);
    EXPECT_NEAR(res["BestGlideRatio"].get<double>(), 12.7, 0.05);
    EXPECT_TRUE(j["messages"].empty());
}

TEST(CliGlidePolar, EditsReplayOnTheGlideSetupScreen) {
    RunResult r = RunCli({"glide-polar", "-"},
                         example(R"([["optMinDrag", null], ["txtTonicMuscFrac", 3], ["txtBstop", 3.9]])"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json j = json::parse(r.out);
    EXPECT_EQ(j["results"]["SpanLaw"], 2);
    EXPECT_NEAR(j["inputs"]["TonicMuscFrac"].get<double>(), 0.03, 1e-7);
    EXPECT_NE(r.err.find("warning: Bstop must be between 4 and 6"), std::string::npos);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0], "Bstop must be between 4 and 6");
}

TEST(CliGlidePolar, RefusalsExitTwoWithTheMessageLines) {
    RunResult r = RunCli({"glide-polar", "-"}, example(R"([["txtClMax", 0]])"));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("Maximum lift coefficient must be a positive number for the glide polar"), std::string::npos);
    EXPECT_TRUE(r.out.empty());
    r = RunCli({"glide-polar", "-"}, example(R"([["optMinDrag", null], ["txtCdw", 0.0005], ["txtCdb", 0.001]])"));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("not complete at 42 m/s"), std::string::npos) << r.err;
}

TEST(CliGlidePolar, UnknownOrReadOnlyControlIsAnError) {
    EXPECT_EQ(RunCli({"glide-polar", "-"}, example(R"([["txtKflap", 1.3]])")).exitCode, 1);
    RunResult r = RunCli({"glide-polar", "-"}, example(R"([["txtSbody", 0.01]])"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("txtSbody"), std::string::npos);
}

TEST(CliGlidePolar, ReferenceCasesPass) {
    const fs::path reference = ornivo::test::ReferenceDir();
    const fs::path tmp = tempFolder("reference");
    fs::create_directories(tmp / "cases");
    fs::copy_file(reference / "check.py", tmp / "check.py");
    int copied = 0;
    for (const auto& e : fs::directory_iterator(reference / "cases")) {
        if (e.path().filename().string().rfind("gp-", 0) != 0) continue;
        fs::copy_file(e.path(), tmp / "cases" / e.path().filename());
        ++copied;
    }
    ASSERT_GT(copied, 0);
    RunResult r = RunProgram("/usr/bin/env", {"python3", (tmp / "check.py").string(), "--cmd", ORNIVO_CLI_PATH, "--cases",
                                         (tmp / "cases").string(), "--only", "gp-*"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find(" 0 failed"), std::string::npos) << r.out;
    fs::remove_all(tmp);
}
