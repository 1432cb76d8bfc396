// The manual's page table and files: every page and button leads somewhere that exists, names are found
// as a user would type them, a missing file is reported with its place, the terminal text, ornivo-cli
// manual, and the numbers the tutorial quotes are those the program computes for its bird today.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>

#include "atmosphere/Atmosphere.h"
#include "manual/ManualPages.h"
#include "manual/PlainText.h"
#include "platform/Folders.h"
#include "state/numtext.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

using namespace ornivo;
namespace fs = std::filesystem;

namespace {

const std::string kPages = std::string(ORNIVO_SOURCE_DIR) + "/data/manual";

std::string PageSource(const manual::Page& p) { return test::ReadFile(kPages + "/" + p.file); }

TEST(ManualTable, EveryPageHasAFileAndEveryButtonAndContentsEntryLeadsToAPage) {
    std::set<std::string> screens, files;
    for (const manual::Page& p : manual::Pages()) {
        EXPECT_TRUE(screens.insert(p.screen).second) << "twice: " << p.screen;
        EXPECT_TRUE(files.insert(p.file).second) << "twice: " << p.file;
        EXPECT_TRUE(fs::is_regular_file(kPages + "/" + p.file)) << p.file;
        EXPECT_GT(PageSource(p).size(), 800u) << p.file << " says too little";
        EXPECT_FALSE(p.returnCaption.empty()) << p.screen;
        for (const manual::PageLink& l : p.links)
            if (l.action == manual::LinkAction::ShowPage) EXPECT_NE(manual::FindPage(l.target), nullptr) << l.target;
    }
    EXPECT_EQ(screens.size(), 36u);
    EXPECT_EQ(manual::ContentsButtons().size(), 24u);
    for (const manual::ContentsEntry& e : manual::ContentsButtons()) {
        const manual::Page* p = manual::FindPage(e.screen);
        ASSERT_NE(p, nullptr) << e.caption;
        EXPECT_EQ(p->kind, manual::PageKind::Manual);
    }
    // The exceptions of the navigation rules.
    EXPECT_TRUE(manual::FindPage("frmHelpFlightStyle")->staysOpen);
    EXPECT_EQ(manual::FindPage("frmHelpAirSpeed")->returnCaption, "Continue");
    EXPECT_EQ(manual::FindPage("frmHelpApprox")->returnCaption, "Manual contents");
    for (const char* s : {"frmHelpTutorial", "frmHelpWindCalc", "frmHelpSimCrit"})
        EXPECT_TRUE(manual::FindPage(s)->contentsFirst) << s;
    EXPECT_EQ(manual::FindPage("frmHelpEnergyHeight")->file, "Energy height.md");
    EXPECT_EQ(manual::DefinitionsFor("frmSetupMigrate")->screen, "frmDefsMigrationSetup");
    EXPECT_EQ(manual::DefinitionsFor("frmStopMassCalc")->returnCaption, "Return to Stopover Mass Calculator");
    EXPECT_EQ(manual::DefinitionsFor("frmAirDensity"), nullptr);
}

TEST(ManualTable, EveryLinkInsideAPageLeadsToAPage) {
    const std::regex link(R"(\]\(<?([^)>]+)>?\))");
    for (const manual::Page& p : manual::Pages()) {
        const std::string text = PageSource(p);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it) {
            const std::string href = (*it)[1];
            if (href == manual::AboutDataLink || href.rfind("http", 0) == 0) continue;
            EXPECT_NE(manual::PageForLink(href), nullptr) << p.file << " links to " << href;
        }
    }
    EXPECT_NE(PageSource(*manual::FindPage("frmHelpGeneral")).find("(about:data)"), std::string::npos);
}

TEST(ManualTable, PagesAreFoundByFileNameOrCaptionInAnyCase) {
    EXPECT_EQ(manual::FindPageByName("EnterBird")->screen, "frmHelpEnterBird");
    EXPECT_EQ(manual::FindPageByName("enter bird")->screen, "frmHelpEnterBird");
    EXPECT_EQ(manual::FindPageByName("ENERGY HEIGHT")->screen, "frmHelpEnergyHeight");
    EXPECT_EQ(manual::FindPageByName("Resolving Discrepancies")->screen, "frmHelpApprox");
    EXPECT_EQ(manual::FindPageByName("discrepancies")->screen, "frmHelpApprox");
    EXPECT_EQ(manual::FindPageByName("Migration - Programmed")->screen, "frmHelpMigration");
    EXPECT_EQ(manual::FindPageByName("defswingsdb")->screen, "frmDefsWingsDb");
    EXPECT_EQ(manual::FindPageByName("Tutorial.md")->screen, "frmHelpTutorial");
    EXPECT_EQ(manual::FindPageByName("nothing like it"), nullptr);
    EXPECT_EQ(manual::FindPageByName(""), nullptr);
    EXPECT_EQ(manual::PageForLink("Energy%20height.md")->screen, "frmHelpEnergyHeight");
    EXPECT_EQ(manual::PageForLink("../Manual/BodyMass.md#fractions")->screen, "frmHelpBodyMass");
}

TEST(ManualTable, AMissingOrUnreadablePageSaysWhichFileAndWhere) {
    test::TempDir dir;
    const manual::Page& p = *manual::FindPage("frmHelpBodyMass");
    manual::PageText r = manual::ReadPage(dir.str(), p);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.path, dir.str() + "/Manual/BodyMass.md");
    EXPECT_NE(r.text.find("BodyMass.md"), std::string::npos);
    EXPECT_NE(r.text.find(r.path), std::string::npos);
    fs::create_directories(dir.path() / "Manual" / "BodyMass.md");
    EXPECT_FALSE(manual::ReadPage(dir.str(), p).found);
    fs::remove(dir.path() / "Manual" / "BodyMass.md");
    dir.write("Manual/BodyMass.md", "# Body\n\ntext\n");
    r = manual::ReadPage(dir.str(), p);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.text, "# Body\n\ntext\n");
}

TEST(ManualPlainText, HeadingsListsLinksTablesAndHiddenNotes) {
    const std::string md =
        "# Title\n\nA **bold** word, `code`, a [link](BodyMass.md) and 1.5<!--q power-curve results/Vmp--> m/s.\n"
        "A second line of the same paragraph.\n\n## Part\n\n- one item\n  that goes on\n- two\n\n"
        "| a | b |\n|---|---|\n| 1 | 2 |\n\n1. first\n   - nested\n";
    const std::string t = manual::MarkdownToPlain(md);
    EXPECT_EQ(t,
              "Title\n=====\n\nA bold word, code, a link and 1.5 m/s. A second line of the same paragraph.\n\n"
              "Part\n----\n\n  - one item that goes on\n  - two\n\n| a | b |\n| 1 | 2 |\n\n  1. first\n     - nested\n");
    EXPECT_EQ(manual::PlainInline("state `Vmp_min` and __x__"), "state Vmp_min and x");
    // Long paragraphs are wrapped.
    const std::string wrapped = manual::MarkdownToPlain(std::string(30, 'a') + " " + std::string(30, 'b') + " " +
                                                        std::string(30, 'c'), 70);
    EXPECT_EQ(wrapped, std::string(30, 'a') + " " + std::string(30, 'b') + "\n" + std::string(30, 'c') + "\n");
}

TEST(ManualCli, ListsThePagesAndPrintsOneAsPlainText) {
    RunResult list = RunCli({"manual"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    for (const manual::Page& p : manual::Pages()) EXPECT_NE(list.out.find(manual::BaseName(p)), std::string::npos);
    EXPECT_NE(list.out.find("Resolving Discrepancies"), std::string::npos);

    RunResult page = RunCli({"manual", "energy HEIGHT"});
    ASSERT_EQ(page.exitCode, 0) << page.err;
    EXPECT_EQ(page.out.rfind("Energy height\n=============\n", 0), 0u) << page.out.substr(0, 200);
    EXPECT_EQ(page.out.find("**"), std::string::npos);
    EXPECT_NE(page.out.find("Related pages (ornivo-cli manual PAGE): Migration"), std::string::npos);

    RunResult tutorial = RunCli({"manual", "Tutorial"});
    ASSERT_EQ(tutorial.exitCode, 0);
    EXPECT_EQ(tutorial.out.find("<!--"), std::string::npos);

    RunResult about = RunCli({"manual", "about the data"});
    ASSERT_EQ(about.exitCode, 0);
    EXPECT_NE(about.out.find("Wright"), std::string::npos);

    RunResult unknown = RunCli({"manual", "Flight Physics"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("no manual page named \"Flight Physics\""), std::string::npos);
    EXPECT_EQ(RunCli({"manual", "a", "b"}).exitCode, 1);
}

TEST(ManualNumbers, TheStandardAtmosphereTableIsTheProgramsOwn) {
    const std::string text = PageSource(*manual::FindPage("frmHelpAtmosphere"));
    const std::regex row(R"(\| (\d+) \| ([0-9.]+) \| ([0-9.]+) \|)");
    int rows = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), row); it != std::sregex_iterator(); ++it, ++rows) {
        const float ratio = StdDensityRatio(std::stod((*it)[1]));
        EXPECT_EQ((*it)[2].str(), FormatPattern(1.225 * ratio, "0.000")) << "density at " << (*it)[1] << " m";
        EXPECT_EQ((*it)[3].str(), FormatPattern(ratio, "0.000")) << "ratio at " << (*it)[1] << " m";
    }
    EXPECT_EQ(rows, 7);
}

// --- The tutorial's numbers ------------------------------------------------------------------------
// The tutorial names its birds in hidden notes <!--bird CALC {json}--> and marks every number it quotes
// with <!--q CALC PATH [FORMAT]-->, PATH a path into that run's JSON (inputs/..., results/...). Each
// number is computed again here through ornivo-cli and written as the screens write it.

std::string Formatted(double v, const std::string& format) {
    if (format == "0.0") return FormatPattern(v, "#0.0");
    if (format == "int") return std::to_string(static_cast<long long>(v));
    if (format == "kilo") return FormatSig(static_cast<float>(v / 1000), 3);
    return FormatSig(static_cast<float>(v), 3);
}

TEST(Tutorial, EveryQuotedNumberIsWhatTheProgramComputesForItsBird) {
    const std::string text = PageSource(*manual::FindPage("frmHelpTutorial"));
    test::TempDir dir;
    std::map<std::string, nlohmann::json> runs;
    const std::regex bird(R"(<!--bird ([a-z-]+) (\{.*?\})-->)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), bird); it != std::sregex_iterator(); ++it) {
        const std::string calc = (*it)[1];
        const std::string file = dir.write(calc + ".json", (*it)[2]);
        RunResult r = RunCli({calc, file}, {}, 120);
        ASSERT_EQ(r.exitCode, 0) << calc << ": " << r.err;
        runs[calc] = nlohmann::json::parse(r.out);
    }
    ASSERT_EQ(runs.size(), 3u) << "a bird for each of the three calculations";

    const std::regex quoted(R"(([-0-9.E+]+)<!--q ([a-z-]+) ([A-Za-z0-9/]+)(?: ([a-z0-9.]+))?-->)");
    int checked = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), quoted); it != std::sregex_iterator(); ++it) {
        const std::string shown = (*it)[1], calc = (*it)[2], path = (*it)[3], format = (*it)[4];
        ASSERT_TRUE(runs.count(calc)) << "no bird for " << calc;
        const nlohmann::json& at = runs[calc].at(nlohmann::json::json_pointer("/" + path));
        ASSERT_TRUE(at.is_number()) << path;
        EXPECT_EQ(shown, Formatted(at.get<double>(), format)) << calc << " " << path;
        ++checked;
    }
    EXPECT_GE(checked, 30);
    // No number is left unmarked by a note that lost its value.
    EXPECT_EQ(std::regex_search(text, std::regex(R"(\s<!--q )")), false);
}

// --- The example track ----------------------------------------------------------------------------
// The tutorial's GPS part names the shipped stork files: each is in the Tracks folder beside the
// programs, as data/tracks/ holds it, and the run it gives for the terminal works.

TEST(Tutorial, TheGpsPartRunsTheShippedStorkTrack) {
    const std::string text = PageSource(*manual::FindPage("frmHelpTutorial"));
    platform::SetProgramFolder(ORNIVO_RUNTIME_DIR);
    const fs::path tracks = platform::ShippedTracksFolder();
    platform::SetProgramFolder("");
    EXPECT_EQ(tracks, fs::path(ORNIVO_RUNTIME_DIR) / "Tracks");

    std::set<std::string> named;
    const std::regex file(R"(Alb02_[A-Za-z0-9_.-]+\.(xlsx|csv|txt))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), file); it != std::sregex_iterator(); ++it)
        named.insert(it->str());
    EXPECT_EQ(named.size(), 5u);
    for (const std::string& name : named) {
        ASSERT_TRUE(fs::is_regular_file(tracks / name)) << name;
        EXPECT_EQ(test::ReadFile((tracks / name).string()),
                  test::ReadFile(std::string(ORNIVO_SOURCE_DIR) + "/data/tracks/" + name)) << name;
    }

    std::smatch bird;
    ASSERT_TRUE(std::regex_search(text, bird, std::regex(R"(`(\{"Preset": "White Stork".*?\})`)")));
    test::TempDir dir;
    const std::string stem = (tracks / "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed").string();
    RunResult r = RunCli({"migrate", dir.write("stork.json", bird[1]), "--gps", stem + ".xlsx", "--sites",
                          stem + "_StopoverSites.txt"}, {}, 300);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const nlohmann::json run = nlohmann::json::parse(r.out);
    EXPECT_EQ(run["results"]["PointCount"], 67);

    // The raw fixes imported with the last mark the tutorial gives make the example's rows again.
    const std::string raw = (tracks / "Alb02_WhiteStork2859_2016-05-02to04_Movebank.csv").string();
    ASSERT_NE(text.find("**2016-05-04 15:00** as the last"), std::string::npos);
    r = RunCli({"track", "import", raw, "--out", dir.str() + "/again.xlsx", "--csv", dir.str() + "/again.csv",
                "--end", "2016-05-04 15:00"}, {}, 120);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::ReadFile(dir.str() + "/again.csv"), test::ReadFile(stem + ".csv"));
}

// Installed, the Tracks folder is found where Data/ is: share/ornivo below the programs' parent.
TEST(ShippedTracks, AnInstalledTreeHasThemBesideItsData) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "bin");
    fs::create_directories(dir.path() / "share" / "ornivo" / "Data");
    platform::SetProgramFolder((dir.path() / "bin").string());
    EXPECT_EQ(fs::path(platform::ShippedTracksFolder()), dir.path() / "share" / "ornivo" / "Tracks");
    platform::SetProgramFolder("");
}

}  // namespace
