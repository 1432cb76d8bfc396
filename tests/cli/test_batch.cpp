// ornivo-cli batch: every row as its single call would run it, bad rows reported in their own row,
// the same output whatever -j, edits in columns, track files beside the table, the workbook output.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "external/spreadsheet/WorkbookFiles.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

using Json = nlohmann::ordered_json;
using ornivo::test::TempDir;

namespace {

// A CSV result table (quoted fields, doubled quotes), with cells looked up by column name.
struct Table {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    std::string at(std::size_t row, const std::string& column) const {
        for (std::size_t c = 0; c < header.size(); ++c)
            if (header[c] == column) return rows.at(row).at(c);
        ADD_FAILURE() << "no column " << column;
        return "";
    }
};

Table ParseTable(const std::string& text) {
    std::vector<std::vector<std::string>> records(1);
    std::string field;
    bool inQuotes = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes && c == '"' && i + 1 < text.size() && text[i + 1] == '"') { field += '"'; ++i; }
        else if (c == '"') inQuotes = !inQuotes;
        else if (!inQuotes && c == ',') { records.back().push_back(field); field.clear(); }
        else if (!inQuotes && c == '\n') { records.back().push_back(field); field.clear(); records.emplace_back(); }
        else field += c;
    }
    if (records.back().empty()) records.pop_back();
    Table t;
    if (records.empty()) return t;
    t.header = records[0];
    t.rows.assign(records.begin() + 1, records.end());
    for (const auto& r : t.rows) EXPECT_EQ(r.size(), t.header.size());
    return t;
}

// A JSON result as the batch writes it into its cell.
std::string CellOf(const Json& v) {
    if (v.is_null()) return "";
    if (v.is_boolean()) return v.get<bool>() ? "true" : "false";
    if (v.is_number_integer()) return std::to_string(v.get<long long>());
    if (v.is_string()) return v.get<std::string>();
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v.get<double>());
    return std::string(buf, r.ptr);
}

// The result columns of a batch table: those between the names and the status.
std::vector<std::string> ResultColumns(const Table& t) {
    return {t.header.begin() + 2, t.header.end() - 1};
}

// Row r of the batch table against the single call's JSON results, column by column.
void ExpectRowAsSingleRun(const Table& t, std::size_t r, const Json& single, const std::string& what) {
    ASSERT_TRUE(single.contains("results")) << what;
    for (const auto& col : ResultColumns(t))
        EXPECT_EQ(t.at(r, col), single["results"].contains(col) ? CellOf(single["results"][col]) : "")
            << what << ", column " << col;
}

// The single call on a bird file: from standard input, or from a file in `folder` (for its paths).
RunResult RunSingle(const std::string& calc, const Json& bird, const std::string& folder) {
    if (folder.empty()) return RunCli({calc, "-"}, bird.dump(), 120);
    const std::string path = folder + "/single-bird.json";
    std::ofstream(path) << bird.dump();
    return RunCli({calc, path}, {}, 120);
}

Json SingleRun(const std::string& calc, const Json& bird, const std::string& folder = {}) {
    const RunResult r = RunSingle(calc, bird, folder);
    EXPECT_EQ(r.exitCode, 0) << bird.dump() << "\n" << r.err;
    return r.exitCode == 0 ? Json::parse(r.out) : Json();
}

// A single call's refusal as the batch states it: its lines joined by spaces.
std::string SingleRefusal(const std::string& calc, const Json& bird, const std::string& folder = {}) {
    const RunResult r = RunSingle(calc, bird, folder);
    EXPECT_EQ(r.exitCode, 2) << bird.dump() << "\n" << r.out;
    std::string t = r.err;
    while (!t.empty() && t.back() == '\n') t.pop_back();
    std::replace(t.begin(), t.end(), '\n', ' ');
    return t;
}

const char* kBirdHeader = "SpName,ShortName,EmptyMass,Span,WingArea,Altitude";

}  // namespace

// The whole preset table: one row per record, in the table's order, each as the single call on
// {"Preset": number} gives it (records that share a name run with their own values). Preset birds
// carry no fat, so the migrations run from a table that numbers each preset bird and gives it a fat
// fraction; they are compared on every fourth bird, to be short.
TEST(Batch, PresetTableRowByRowAsSingleRuns)
{
    const auto list = RunCli({"birds", "list", "--preset"}, {}, 60);
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const Json birds = Json::parse(list.out)["birds"];
    ASSERT_GT(birds.size(), 100u);
    auto nameOf = [&](std::size_t i) { return "#" + std::to_string(birds[i]["Number"].get<int>()); };
    TempDir dir;
    std::string table = "Preset,txtFatFrac\n";
    for (std::size_t i = 0; i < birds.size(); ++i) table += "\"" + nameOf(i) + "\",0.3\n";
    const std::string migrants = dir.write("migrants.csv", table);

    for (const std::string calc : {"power-curve", "glide-polar", "migrate"}) {
        const bool migrate = calc == "migrate";
        auto r = migrate ? RunCli({"batch", calc, migrants, "-j", "2"}, {}, 300)
                         : RunCli({"batch", calc, "--preset", "-j", "2"}, {}, 300);
        ASSERT_EQ(r.exitCode, 0) << calc << "\n" << r.err;
        EXPECT_EQ(r.err, "") << "no progress line when standard error is not a terminal";
        const Table t = ParseTable(r.out);
        ASSERT_EQ(t.rows.size(), birds.size()) << calc;
        EXPECT_EQ(t.header.front(), "SpName");
        EXPECT_EQ(t.header.back(), "status");
        for (std::size_t i = 0; i < t.rows.size(); i += migrate ? 4 : 1) {
            EXPECT_EQ(t.at(i, "SpName"), birds[i]["SpName"]) << calc;
            EXPECT_EQ(t.at(i, "ShortName"), birds[i]["ShortName"]) << calc;
            ASSERT_EQ(t.at(i, "status"), "ok") << calc << " " << nameOf(i);
            Json bird = {{"Preset", birds[i]["Number"]}};
            if (migrate) bird["edits"] = Json::array({Json::array({"txtFatFrac", "0.3"})});
            ExpectRowAsSingleRun(t, i, SingleRun(calc, bird), calc + " " + nameOf(i));
        }
    }
}

// A refused bird, an unreadable number and a short row each get their status; the rows around them
// run; the exit status says that a row failed; the output is the same byte for byte with -j 1 and 2.
TEST(Batch, BadRowsHaveTheirStatusAndTheOthersRun)
{
    TempDir dir;
    const std::string csv = dir.write("birds.csv", std::string(kBirdHeader) +
                                                       "\n"
                                                       "Anas platyrhynchos,Mallard,1.0,0.9,0.1,0\n"
                                                       "No mass,Massless,0,0.9,0.1,0\n"
                                                       "Bad number,Bad,1.0,0.9x,0.1,0\n"
                                                       "Short row,Short,1.0\n"
                                                       "\"Columba livia\",\"Pigeon, feral\",0.35,0.65,0.06,0\r\n");
    auto r1 = RunCli({"batch", "power-curve", csv, "-j", "1"}, {}, 120);
    auto r2 = RunCli({"batch", "power-curve", csv, "-j", "2"}, {}, 120);
    EXPECT_EQ(r1.exitCode, 2) << r1.err;
    EXPECT_EQ(r1.out, r2.out);
    const Table t = ParseTable(r1.out);
    ASSERT_EQ(t.rows.size(), 5u);

    const Json mallard = {{"SpName", "Anas platyrhynchos"}, {"ShortName", "Mallard"}, {"EmptyMass", 1.0},
                          {"Span", 0.9}, {"WingArea", 0.1}, {"Altitude", 0}};
    Json massless = mallard;
    massless["ShortName"] = "Massless";
    massless["EmptyMass"] = 0;
    Json pigeon = {{"SpName", "Columba livia"}, {"ShortName", "Pigeon, feral"}, {"EmptyMass", 0.35},
                   {"Span", 0.65}, {"WingArea", 0.06}, {"Altitude", 0}};

    EXPECT_EQ(t.at(0, "status"), "ok");
    ExpectRowAsSingleRun(t, 0, SingleRun("power-curve", mallard), "Mallard");
    EXPECT_EQ(t.at(1, "ShortName"), "Massless");
    EXPECT_EQ(t.at(1, "status"), SingleRefusal("power-curve", massless));
    EXPECT_EQ(t.at(1, "VmpExact"), "");
    EXPECT_EQ(t.at(2, "status"), "unreadable: Span \"0.9x\" is not a number");
    EXPECT_EQ(t.at(3, "status"), "unreadable: line 5 has 3 fields where the header has 6");
    EXPECT_EQ(t.at(3, "SpName"), "");
    EXPECT_EQ(t.at(4, "ShortName"), "Pigeon, feral");
    EXPECT_EQ(t.at(4, "status"), "ok");
    ExpectRowAsSingleRun(t, 4, SingleRun("power-curve", pigeon), "Pigeon");
}

// Over the whole preset table, each bird refused for want of fat: the same text, in order, with 1 or 2 jobs.
TEST(Batch, SameOutputWithOneAndTwoJobsOverThePresetMigrations)
{
    auto r1 = RunCli({"batch", "migrate", "--preset", "-j", "1"}, {}, 300);
    auto r2 = RunCli({"batch", "migrate", "--preset", "-j", "2"}, {}, 300);
    EXPECT_EQ(r1.exitCode, 2) << r1.err;
    EXPECT_EQ(r1.out, r2.out);
    const Table t = ParseTable(r1.out);
    ASSERT_GT(t.rows.size(), 100u);
    EXPECT_EQ(t.at(0, "status"), SingleRefusal("migrate", Json{{"Preset", t.at(0, "ShortName")}}));
}

// Setup controls as columns: replayed in column order as the bird file's edits; an empty cell is no
// edit; an option column clicks on 1, true or yes and not on 0; other values are unreadable.
TEST(Batch, EditColumnsAsTheBirdFileEdits)
{
    TempDir dir;
    const std::string csv =
        dir.write("birds.csv", std::string(kBirdHeader) +
                                   ",txtFatFrac,optSpPowerConst,frmSetDefaultsMigr.txtEfat,txtGoalDist\n"
                                   "A,All edits,0.5,0.8,0.06,0,0.2,1,3.5e7,2000\n"
                                   "B,No fat edit,0.5,0.8,0.06,0,,yes,3.5e7,2000\n"
                                   "C,Option off,0.5,0.8,0.06,0,0.2,0,,2000\n"
                                   "D,Option unreadable,0.5,0.8,0.06,0,0.2,maybe,,2000\n");
    auto r = RunCli({"batch", "migrate", csv}, {}, 120);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    const Table t = ParseTable(r.out);
    ASSERT_EQ(t.rows.size(), 4u);

    auto bird = [](const std::string& shortName, const Json& edits) {
        return Json{{"SpName", shortName.substr(0, 1)}, {"ShortName", shortName}, {"EmptyMass", 0.5},
                    {"Span", 0.8}, {"WingArea", 0.06}, {"Altitude", 0}, {"edits", edits}};
    };
    const Json all = SingleRun("migrate", bird("All edits", Json::array({Json::array({"txtFatFrac", "0.2"}),
                                                                          Json::array({"optSpPowerConst", nullptr}),
                                                                          Json::array({"frmSetDefaultsMigr.txtEfat", "3.5e7"}),
                                                                          Json::array({"txtGoalDist", "2000"})})));
    const std::string noFat = SingleRefusal("migrate", bird("No fat edit", Json::array({Json::array({"optSpPowerConst", nullptr}),
                                                                             Json::array({"frmSetDefaultsMigr.txtEfat", "3.5e7"}),
                                                                             Json::array({"txtGoalDist", "2000"})})));
    const Json optionOff = SingleRun("migrate", bird("Option off", Json::array({Json::array({"txtFatFrac", "0.2"}),
                                                                                Json::array({"txtGoalDist", "2000"})})));
    EXPECT_EQ(t.at(0, "status"), "ok");
    ExpectRowAsSingleRun(t, 0, all, "all edits");
    // Without the fat edit the bird has none, and the single call refuses it the same way.
    EXPECT_EQ(t.at(1, "status"), noFat);
    EXPECT_EQ(t.at(2, "status"), "ok");
    ExpectRowAsSingleRun(t, 2, optionOff, "option off");
    EXPECT_NE(t.at(0, "HoursFlown"), t.at(2, "HoursFlown")) << "the option and the fat energy changed the run";
    EXPECT_EQ(t.at(3, "status"), "unreadable: optSpPowerConst \"maybe\" is not 1/0, true/false or yes/no");

    // A column naming no control of any setup screen is a misspelling: refused before any bird runs,
    // with the closest control named, rather than failing every row that fills it.
    const std::string unknown = dir.write("unknown.csv", std::string(kBirdHeader) + ",txtFatFrak\n"
                                                                                    "A,Unknown,0.5,0.8,0.06,0,1\n"
                                                                                    "B,Empty,0.5,0.8,0.06,0,\n");
    r = RunCli({"batch", "power-curve", unknown}, {}, 120);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("\"txtFatFrak\" names no setup control (the closest is \"txtFatFrac\")"), std::string::npos)
        << r.err;
    // A control of another calculation's screen stays that row's failure, not the batch's.
    const std::string other = dir.write("other.csv", std::string(kBirdHeader) + ",txtKGlide\n"
                                                                                "A,Glide,0.5,0.8,0.06,0,1.2\n"
                                                                                "B,Empty,0.5,0.8,0.06,0,\n");
    r = RunCli({"batch", "power-curve", other}, {}, 120);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    const Table u = ParseTable(r.out);
    ASSERT_EQ(u.rows.size(), 2u);
    EXPECT_NE(u.at(0, "status").find("unreadable: unknown control"), std::string::npos) << u.at(0, "status");
    EXPECT_EQ(u.at(1, "status"), "ok");
}

// Track and site files named relative to the table's folder; a bad track's message and the abort
// screen's first line as statuses.
TEST(Batch, MigrationsAlongTracksBesideTheTable)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "tables" / "tracks");
    for (const char* f : {"gps03_crosswind.csv", "gps12_onesite.csv", "gps12_onesite_sites.txt", "gps_bad_badnumber.csv"})
        std::filesystem::copy_file(ornivo::test::ReferenceDir() / "tracks" / f,
                                   dir.path() / "tables" / "tracks" / f);
    const std::string folder = (dir.path() / "tables").string();
    const std::string csv = dir.write("tables/birds.csv",
                                      "SpName,ShortName,EmptyMass,Span,WingArea,AirDensity,TaxonGroup,txtFatFrac,"
                                      "txtVratio,gps,sites\n"
                                      "Ciconia ciconia,White Stork,2.493,1.977,0.4053,1.171437,2,0.354,1.0,"
                                      "tracks/gps03_crosswind.csv,\n"
                                      "Limosa lapponica,Bar-tailed Godwit,0.1586,0.5656,0.06224,1.088958,1,0.327,1.0,"
                                      "tracks/gps12_onesite.csv,tracks/gps12_onesite_sites.txt\n"
                                      "Ciconia ciconia,Bad track,2.493,1.977,0.4053,1.171437,2,0.354,1.0,"
                                      "tracks/gps_bad_badnumber.csv,\n"
                                      "Heavy,Cannot climb,5,0.5,0.03,1.2,2,0.5,,,\n");
    // Run from elsewhere: the paths are the table's, not the current folder's.
    auto r = RunProgram("/bin/sh", {"-c", "cd / && exec \"$0\" batch migrate \"$1\"", ORNIVO_CLI_PATH, csv}, {}, 300);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    const Table t = ParseTable(r.out);
    ASSERT_EQ(t.rows.size(), 4u);

    Json stork = {{"SpName", "Ciconia ciconia"}, {"ShortName", "White Stork"}, {"EmptyMass", 2.493},
                  {"Span", 1.977}, {"WingArea", 0.4053}, {"AirDensity", 1.171437}, {"TaxonGroup", 2},
                  {"edits", Json::array({Json::array({"txtFatFrac", "0.354"}), Json::array({"txtVratio", "1.0"})})},
                  {"gps", "tracks/gps03_crosswind.csv"}};
    Json godwit = {{"SpName", "Limosa lapponica"}, {"ShortName", "Bar-tailed Godwit"}, {"EmptyMass", 0.1586},
                   {"Span", 0.5656}, {"WingArea", 0.06224}, {"AirDensity", 1.088958}, {"TaxonGroup", 1},
                   {"edits", Json::array({Json::array({"txtFatFrac", "0.327"}), Json::array({"txtVratio", "1.0"})})},
                   {"gps", "tracks/gps12_onesite.csv"}, {"sites", "tracks/gps12_onesite_sites.txt"}};
    EXPECT_EQ(t.at(0, "status"), "ok");
    ExpectRowAsSingleRun(t, 0, SingleRun("migrate", stork, folder), "stork");
    EXPECT_NE(t.at(0, "TrackEndAir"), "");
    EXPECT_EQ(t.at(1, "status"), "ok");
    ExpectRowAsSingleRun(t, 1, SingleRun("migrate", godwit, folder), "godwit");
    EXPECT_NE(t.at(1, "StopoverNote"), "");

    Json bad = stork;
    bad["gps"] = "tracks/gps_bad_badnumber.csv";
    EXPECT_EQ(t.at(2, "status"), SingleRefusal("migrate", bad, folder));
    EXPECT_NE(t.at(2, "status").find("gps_bad_badnumber.csv"), std::string::npos) << t.at(2, "status");

    EXPECT_EQ(t.at(3, "status"), "Migration aborted");
    EXPECT_NE(t.at(3, "InitialVclimb"), "");
}

// --out: the CSV written to the file as it would go to standard output; .xlsx one sheet with the
// same cells, numbers as numbers.
TEST(Batch, OutputFilesCsvAndWorkbook)
{
    TempDir dir;
    const std::string csv = dir.write("birds.csv", std::string(kBirdHeader) +
                                                       "\nAnas platyrhynchos,Mallard,1.0,0.9,0.1,0\n"
                                                       "Bad number,Bad,1.0,x,0.1,0\n"
                                                       "Columba livia,Pigeon,0.35,0.65,0.06,0\n");
    auto toStdout = RunCli({"batch", "glide-polar", csv}, {}, 120);
    const std::string outCsv = dir.str() + "/results.csv", outXlsx = dir.str() + "/results.XLSX";
    auto toCsv = RunCli({"batch", "glide-polar", csv, "--out", outCsv}, {}, 120);
    auto toXlsx = RunCli({"batch", "glide-polar", csv, "--out", outXlsx, "-j", "2"}, {}, 120);
    EXPECT_EQ(toCsv.exitCode, 2);
    EXPECT_EQ(toXlsx.exitCode, 2);
    EXPECT_EQ(toCsv.out, "");
    EXPECT_EQ(ornivo::test::ReadFile(outCsv), toStdout.out);

    const Table t = ParseTable(toStdout.out);
    ornivo::sheet::Workbook wb;
    std::string error;
    ASSERT_TRUE(ornivo::sheet::ReadXlsx(outXlsx, wb, error)) << error;
    ASSERT_EQ(wb.sheetCount(), 1);
    const auto& sh = wb.sheet(1);
    ASSERT_EQ(sh.lastUsedRow(), 4);
    for (std::size_t c = 0; c < t.header.size(); ++c)
        EXPECT_EQ(sh.value(1, static_cast<int>(c) + 1).text(), t.header[c]);
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        for (std::size_t c = 0; c < t.header.size(); ++c) {
            const auto v = sh.value(static_cast<int>(r) + 2, static_cast<int>(c) + 1);
            const std::string& cell = t.rows[r][c];
            if (v.isNumber()) EXPECT_EQ(v.number(), std::stod(cell)) << t.header[c];
            else EXPECT_EQ(v.text(), cell) << t.header[c];
        }
    }
    EXPECT_TRUE(sh.value(2, 3).isNumber());
    EXPECT_EQ(sh.value(3, static_cast<int>(t.header.size())).text(), "unreadable: Span \"x\" is not a number");
}

// The flags of a migration (Arrived, ClimbFlag, ...) are boolean cells in the workbook, true where
// the CSV says "true", so a spreadsheet can filter and count them.
TEST(Batch, WorkbookFlagsAreBooleanCells)
{
    TempDir dir;
    const std::string csv = dir.write("birds.csv", std::string(kBirdHeader) + ",txtFatFrac,txtGoalDist\n"
                                                       "A,Arrives,0.5,0.8,0.06,0,0.3,300\n"
                                                       "B,Short of it,0.5,0.8,0.06,0,0.05,5000\n");
    const std::string out = dir.str() + "/flags.xlsx";
    auto r = RunCli({"batch", "migrate", csv, "--out", out}, {}, 120);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const Table t = ParseTable(RunCli({"batch", "migrate", csv}, {}, 120).out);
    ornivo::sheet::Workbook wb;
    std::string error;
    ASSERT_TRUE(ornivo::sheet::ReadXlsx(out, wb, error)) << error;
    const auto& sh = wb.sheet(1);
    int flags = 0;
    for (std::size_t c = 0; c < t.header.size(); ++c) {
        if (t.at(0, t.header[c]) != "true" && t.at(0, t.header[c]) != "false") continue;
        for (std::size_t row = 0; row < t.rows.size(); ++row) {
            const auto v = sh.value(static_cast<int>(row) + 2, static_cast<int>(c) + 1);
            EXPECT_TRUE(v.isBoolean()) << t.header[c];
            EXPECT_EQ(v.boolean(), t.at(row, t.header[c]) == "true") << t.header[c];
        }
        ++flags;
    }
    EXPECT_GE(flags, 3);  // Arrived, ClimbFlag, ClimbAborted at least
    EXPECT_EQ(t.at(0, "Arrived"), "true");
    EXPECT_EQ(t.at(1, "Arrived"), "false");
}

TEST(Batch, CallErrorsExitOne)
{
    TempDir dir;
    const std::string csv = dir.write("birds.csv", std::string(kBirdHeader) + "\n");
    EXPECT_EQ(RunCli({"batch", "fly", csv}, {}, 60).exitCode, 1);
    EXPECT_EQ(RunCli({"batch", "power-curve", dir.str() + "/missing.csv"}, {}, 60).exitCode, 1);
    EXPECT_EQ(RunCli({"batch", "power-curve", csv, "-j", "0"}, {}, 60).exitCode, 1);
    EXPECT_EQ(RunCli({"batch", "power-curve", csv, "--preset"}, {}, 60).exitCode, 1);
    // A header alone: an empty result table, and nothing failed.
    auto r = RunCli({"batch", "power-curve", csv}, {}, 60);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ParseTable(r.out).rows.size(), 0u);
}
