// Hostile input through ornivo-cli: every case ends in a refusal with a message (exit 2) or in a
// result whose every number is finite (exit 0); never a crash, a hang, a null or NaN in the JSON.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/RunCli.h"
#include "support/TempDir.h"

using nlohmann::json;
using ornivo::test::TempDir;

namespace {

// Generous for a sanitizer build on a loaded machine; a normal run takes a fraction of a second.
constexpr double TimeLimit = 8;

// The first null or non-finite number in j (where a number belongs), or "" when there is none.
std::string FirstNonFinite(const json& j, const std::string& path) {
    if (j.is_null()) return path;
    if (j.is_number_float() && !std::isfinite(j.get<double>())) return path;
    if (j.is_object()) {
        for (auto it = j.begin(); it != j.end(); ++it) {
            std::string w = FirstNonFinite(it.value(), path + "." + it.key());
            if (!w.empty()) return w;
        }
    } else if (j.is_array()) {
        for (size_t i = 0; i < j.size(); ++i) {
            std::string w = FirstNonFinite(j[i], path + "[" + std::to_string(i) + "]");
            if (!w.empty()) return w;
        }
    }
    return {};
}

// Checks one run: refused with a message, or finished with finite numbers; no signal, no hang.
void ExpectSoundEnd(const RunResult& r, const std::string& what, bool jsonOut = true) {
    SCOPED_TRACE(what);
    ASSERT_FALSE(r.timedOut) << "ran longer than " << TimeLimit << " s";
    ASSERT_EQ(r.signal, 0) << "killed by signal " << r.signal << "\n" << r.err;
    ASSERT_TRUE(r.exitCode == 0 || r.exitCode == 2) << "exit " << r.exitCode << ": " << r.err;
    if (r.exitCode == 2) {
        EXPECT_FALSE(r.err.empty()) << "a refusal without a message";
        // The CLI's last check before printing: a field rule or a calculation should have refused first,
        // as the screens show what the rules computed.
        EXPECT_EQ(r.err.find("gave no finite value"), std::string::npos) << "refused only by the CLI: " << r.err;
        return;
    }
    if (!jsonOut) return;
    json j;
    ASSERT_NO_THROW(j = json::parse(r.out)) << r.out.substr(0, 300);
    std::string where = FirstNonFinite(j, "");
    EXPECT_TRUE(where.empty()) << "no finite number at " << where;
}

json BaseBird() {
    return json{{"SpName", "Test bird"}, {"ShortName", "Tb"}, {"EmptyMass", 0.5}, {"Span", 0.8},
                {"WingArea", 0.08},      {"Altitude", 0}};
}

// Numbers as JSON values and as typed text.
std::vector<json> HostileValues() {
    return {0,      -1,       -0.001, 1e30,    -1e30,   1e-30,   -1e-30, 1e38,  3.5e38, 1e308,
            "1,5",  "1 5",    " 0.5 ", "5e-1", "5E+2",  "1e400", "-1e400", "abc", "",     "0x10",
            "1e",   "-0",     ".",     "--1",  "1.5.5", "nan",   "inf",  "-inf", "1e-400"};
}

// Values just past and at the edges of the limits the screens take.
std::vector<json> EdgeValues() { return {0.999999, 1.000001, 0.9999, 1, 0.5, 2, 44308, 44309, -440001, 1e6}; }

// The kinds of value above, one of each, for the runs over every setup field: the core's own test
// (test_hostile_core) types every value above into every field in-process, so here each field
// needs only to see each way a value reaches it (a JSON number, typed text, an overflow).
std::vector<json> ValueKinds() {
    return {0, -1, 1e30, 1e-30, 3.5e38, "1e400", "nan", "1,5", " 0.5 ", "5E+2", "abc", 1.000001, 44309};
}

json Edits(const std::string& calc) {
    // A migration needs some fat to start.
    return calc == "migrate" ? json::array({json::array({"txtFatFrac", 0.2})}) : json::array();
}

struct CalcCase {
    std::string calc;
    std::vector<std::string> controls;  // text boxes of its setup screen
};

const std::vector<CalcCase>& Calcs() {
    static const std::vector<CalcCase> c = {
        {"power-curve",
         {"txtFatFrac", "txtMuscleFrac", "txtPowerFrac", "txtRho", "txtAlt", "txtSpan", "txtArea", "txtAR",
          "txtEmptyMass", "txtFatMass"}},
        {"glide-polar",
         {"txtFatFrac", "txtRho", "txtAlt", "txtSpan", "txtArea", "txtClMax", "txtBstop", "txtCdb", "txtEmptyMass"}},
        {"migrate",
         {"txtFatFrac", "txtGoalDist", "txtRho", "txtAlt", "txtAltCruise", "txtRhoCruise", "txtVratio",
          "txtPowerFrac", "txtMuscleFrac", "txtEmptyMass", "txtFatMass", "frmSetDefaultsMigr.txtProtFracTarget",
          "frmSetDefaultsMigr.txtOutputInt", "frmSetDefaultsMigr.txtEfat"}},
    };
    return c;
}

RunResult RunBird(const TempDir& dir, const std::string& calc, const json& bird) {
    std::string path = dir.write("bird.json", bird.dump());
    return RunCli({calc, path}, {}, TimeLimit);
}

class HostileCli : public ::testing::TestWithParam<CalcCase> {};

TEST_P(HostileCli, BirdKeysWithHostileNumbers) {
    const CalcCase& c = GetParam();
    TempDir dir;
    for (const char* key : {"EmptyMass", "Span", "WingArea", "AspectRatio", "Altitude", "AirDensity"}) {
        std::vector<json> values = HostileValues();
        for (const json& e : EdgeValues()) values.push_back(e);
        for (const json& v : values) {
            json b = BaseBird();
            if (std::string(key) == "AspectRatio") b.erase("WingArea");
            if (std::string(key) == "AirDensity") b.erase("Altitude");
            b[key] = v;
            b["edits"] = Edits(c.calc);
            ExpectSoundEnd(RunBird(dir, c.calc, b), c.calc + " " + key + "=" + v.dump());
        }
    }
}

TEST_P(HostileCli, EditsWithHostileNumbersAndTypedText) {
    const CalcCase& c = GetParam();
    TempDir dir;
    for (const std::string& control : c.controls) {
        for (const json& v : ValueKinds()) {
            json b = BaseBird();
            b["edits"] = Edits(c.calc);
            b["edits"].push_back(json::array({control, v}));
            ExpectSoundEnd(RunBird(dir, c.calc, b), c.calc + " " + control + "=" + v.dump());
        }
    }
}

TEST_P(HostileCli, HostileNames) {
    const CalcCase& c = GetParam();
    TempDir dir;
    const std::vector<std::string> names = {
        "",
        std::string(20000, 'x'),
        "Grünfink – 鳥 🐦 Ñandú",
        "\"quoted\" 'and' `back`",
        "'); DROP TABLE birds; --",
        "tab\there\nnewline\r\n",
        "\xC3\x28 broken UTF-8 \xFF",
        "%s%n%x {0} ${HOME}",
    };
    for (const std::string& n : names) {
        for (const char* key : {"SpName", "ShortName"}) {
            json b = BaseBird();
            // Broken UTF-8 cannot be written as JSON text by the library; write the bytes directly.
            b[key] = "@@NAME@@";
            b["edits"] = Edits(c.calc);
            std::string text = b.dump();
            std::string escaped;
            for (char ch : n) {
                if (ch == '"' || ch == '\\') escaped += '\\';
                if (ch == '\n') { escaped += "\\n"; continue; }
                if (ch == '\r') { escaped += "\\r"; continue; }
                if (ch == '\t') { escaped += "\\t"; continue; }
                escaped += ch;
            }
            text.replace(text.find("@@NAME@@"), 8, escaped);
            std::string path = dir.write("bird.json", text);
            RunResult r = RunCli({c.calc, path}, {}, TimeLimit);
            std::string what = c.calc + " " + key + "=" + n.substr(0, 40);
            // Broken UTF-8 is bad JSON: an ordinary failure with a reason is right for it.
            if (n.find('\xFF') != std::string::npos && r.exitCode == 1) {
                EXPECT_FALSE(r.err.empty()) << what;
                continue;
            }
            ExpectSoundEnd(r, what);
        }
    }
}

TEST_P(HostileCli, TextFormatNeverShowsNaN) {
    const CalcCase& c = GetParam();
    TempDir dir;
    for (const json& v : std::vector<json>{1e30, 1e-30, -1, 0, "1e400"}) {
        for (const char* key : {"EmptyMass", "Span", "WingArea"}) {
            json b = BaseBird();
            b[key] = v;
            b["edits"] = Edits(c.calc);
            std::string path = dir.write("bird.json", b.dump());
            RunResult r = RunCli({c.calc, path, "--format", "text"}, {}, TimeLimit);
            std::string what = c.calc + " text " + key + "=" + v.dump();
            ExpectSoundEnd(r, what, false);
            for (const char* bad : {"nan", "NaN", "inf", "Inf"})
                EXPECT_EQ(r.out.find(bad), std::string::npos) << what << ": " << bad;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Calculations, HostileCli, ::testing::ValuesIn(Calcs()),
                         [](const auto& info) {
                             std::string n = info.param.calc;
                             for (char& ch : n)
                                 if (ch == '-') ch = '_';
                             return n;
                         });

// Found by fuzz_bird_json: a code past int's range ("Age": 7.8e26) was converted before its range
// was checked. Every code out of range is a usage error naming the key and the range.
TEST(HostileCliCodes, CodesPastTheirRangeAreUsageErrors) {
    TempDir dir;
    for (const char* key : {"TaxonGroup", "Sex", "Age"}) {
        for (const json& v : std::vector<json>{7.77777e26, -1e300, 1e300, 2.5, -3, 99999}) {
            json b = BaseBird();
            b[key] = v;
            RunResult r = RunBird(dir, "power-curve", b);
            SCOPED_TRACE(std::string(key) + "=" + v.dump());
            ASSERT_FALSE(r.timedOut);
            EXPECT_EQ(r.signal, 0) << r.err;
            EXPECT_EQ(r.exitCode, 1) << r.err;
            EXPECT_NE(r.err.find(std::string("\"") + key + "\" must be a whole number from"), std::string::npos) << r.err;
        }
    }
}

TEST(HostileTools, DensityWindGoalDistanceStopoverMass) {
    const std::vector<std::vector<std::string>> calls = {
        {"density", "--altitude", "1e30"},
        {"density", "--altitude", "-1e30"},
        {"density", "--altitude", "44309"},
        {"density", "--altitude", "1e-30"},
        {"density", "--density", "0"},
        {"density", "--density", "-1"},
        {"density", "--density", "1e30"},
        {"density", "--density", "1e-30"},
        {"density", "--baro", "0", "--temp", "0"},
        {"density", "--baro", "-1", "--temp", "15"},
        {"density", "--baro", "1e30", "--temp", "1e30"},
        {"density", "--baro", "1013", "--temp", "-273.15"},
        {"density", "--baro", "1013", "--temp", "-273.1"},
        {"density", "--baro", "1013", "--temp", "15", "--above-observer", "1e30"},
        {"density", "--baro", "1013", "--temp", "15", "--above-observer", "-1e30"},
        {"wind", "--mode", "find-vg", "--wind-speed", "1e30", "--wind-dir", "1e30", "--air-speed", "1e30",
         "--heading", "1e30"},
        {"wind", "--mode", "find-vg", "--wind-speed", "-1", "--wind-dir", "-1e30", "--air-speed", "0",
         "--heading", "0"},
        {"wind", "--mode", "find-va", "--wind-speed", "1e30", "--wind-dir", "0", "--ground-speed", "0",
         "--track", "0"},
        {"wind", "--mode", "find-vg-hdg", "--wind-speed", "10", "--wind-dir", "0", "--air-speed", "0",
         "--track", "0"},
        {"wind", "--mode", "find-vg-hdg", "--wind-speed", "1e-30", "--wind-dir", "-1e30", "--air-speed",
         "1e-30", "--track", "1e30"},
        {"wind", "--mode", "find-vg-hdg", "--wind-speed", "1e30", "--wind-dir", "90", "--air-speed", "1e-30",
         "--track", "0"},
        {"goal-distance", "--from", "0,0", "--to", "0,180"},
        {"goal-distance", "--from", "90,0", "--to", "-90,0"},
        {"goal-distance", "--from", "0,1e30", "--to", "0,-1e30"},
        {"goal-distance", "--from", "0,0", "--to", "1e-30,1e-30"},
        {"goal-distance", "--from", "0,0", "--to", "0,0"},
        {"stopover-mass", "--begin", "26-Apr-2008 08:30", "--move-on", "27-Apr-2008 08:10", "--mass", "1e30",
         "--fat", "1e29"},
        {"stopover-mass", "--begin", "26-Apr-2008 08:30", "--move-on", "27-Apr-2008 08:10", "--mass", "1e-30",
         "--fat", "0"},
        {"stopover-mass", "--begin", "26-Apr-2008 08:30", "--move-on", "26-Apr-2008 08:30", "--mass", "1",
         "--fat", "0.1"},
        {"stopover-mass", "--begin", "27-Apr-2008 08:30", "--move-on", "26-Apr-2008 08:30", "--mass", "1",
         "--fat", "0.1"},
        {"stopover-mass", "--begin", "26-Apr-2008 08:30", "--move-on", "26-Apr-9999 08:30", "--mass", "1",
         "--fat", "0.1"},
        {"stopover-mass", "--begin", "26-Apr-2008 08:30", "--move-on", "27-Apr-2008 08:10", "--mass", "1",
         "--fat", "0.1", "--intake", "1e30", "--existence", "1e30"},
        {"stopover-mass", "--begin", "26-Apr-2008 08:30", "--move-on", "27-Apr-2008 08:10", "--mass", "1",
         "--fat", "0.1", "--intake", "-1e30", "--existence", "-1e30"},
        {"stopover-mass", "--begin", "26-Apr-2008 08:30", "--move-on", "27-Apr-2008 08:10", "--mass", "1",
         "--fat", "0.1", "--intake", "0", "--existence", "0"},
    };
    for (const auto& args : calls) {
        std::string what;
        for (const auto& a : args) what += a + " ";
        RunResult r = RunCli(args, {}, TimeLimit);
        // Arguments that are not numbers or lie outside a call's range are usage errors (exit 1).
        if (r.exitCode == 1 && !r.timedOut) {
            EXPECT_FALSE(r.err.empty()) << what;
            continue;
        }
        ExpectSoundEnd(r, what);
    }
    // Numbers that are not numbers are refused as arguments, with a reason.
    for (const char* bad : {"1,5", "1 5", "abc", "", "1e400", "nan"}) {
        RunResult r = RunCli({"density", "--altitude", bad}, {}, TimeLimit);
        EXPECT_EQ(r.exitCode, 1) << bad;
        EXPECT_FALSE(r.err.empty()) << bad;
    }
}

}  // namespace
