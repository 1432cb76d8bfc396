#include "manual/ManualPages.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Folders.h"
#include "state/ControlNames.h"

namespace ornivo::manual {
namespace {

PageLink to(std::string caption, std::string target) { return {std::move(caption), std::move(target)}; }

Page help(std::string screen, std::string title, std::string file, std::vector<PageLink> links) {
    Page p;
    p.screen = std::move(screen);
    p.title = std::move(title);
    p.file = std::move(file);
    p.kind = PageKind::Manual;
    p.returnCaption = "Manual Contents";
    p.links = std::move(links);
    return p;
}

Page defs(std::string screen, std::string title, std::string file, std::string openedFrom, std::string ret) {
    Page p;
    p.screen = std::move(screen);
    p.title = std::move(title);
    p.file = std::move(file);
    p.kind = PageKind::Definitions;
    p.returnCaption = std::move(ret);
    p.openedFrom = std::move(openedFrom);
    return p;
}

std::vector<Page> buildPages() {
    const std::string bodyMass = ctl::frmHelpBodyMass, wingMorpho = ctl::frmHelpWingMorpho, wings = ctl::frmHelpWings,
                      power = ctl::frmHelpPowerCurve, glide = ctl::frmHelpGlidePolar, migr = ctl::frmHelpMigration,
                      airSpeed = ctl::frmHelpAirSpeed, energy = ctl::frmHelpEnergyHeight, output = ctl::frmHelpOutput,
                      muscle = ctl::frmHelpMuscleAsEngine, wbeat = ctl::frmHelpWbeatFreq;
    std::vector<Page> v;
    v.push_back(help(ctl::frmHelpGeneral, "Introduction", "Introduction.md", {}));
    v.push_back(help(ctl::frmHelpEnterBird, "Enter Bird", "EnterBird.md",
                     {to("Body Mass", bodyMass), to("Wing Measurements", wingMorpho), to("Wings Database", wings)}));
    v.push_back(help(ctl::frmHelpBodyMass, "Body mass and its subdivisions", "BodyMass.md",
                     {to("Glide Polar", glide), to("Migration", migr), to("Power Curve", power),
                      to("Wings Database", wings)}));
    v.push_back(help(ctl::frmHelpWingMorpho, "Wing measurements", "WingMorpho.md",
                     {to("Body mass", bodyMass), to("Wings Database", wings)}));
    v.push_back(help(ctl::frmHelpWings, "The Wings Database", "Wings.md",
                     {to("Body Mass", bodyMass), to("Enter Bird", ctl::frmHelpEnterBird),
                      to("Wing Measurements", wingMorpho)}));
    v.push_back(
        help(ctl::frmHelpPowerCurve, "Power Curve", "PowerCurve.md",
             {to("Air Speed", airSpeed), to("Approximations", ctl::frmHelpApprox),
              to("Basal Metabolism", ctl::frmHelpBMR), to("Body Mass", bodyMass), to("Saving Output", output)}));
    Page style = help(ctl::frmHelpFlightStyle, "Flight Style", "FlightStyle.md",
                      {to("Migration", migr), to("Power Curve", power)});
    style.staysOpen = true;
    v.push_back(style);
    v.push_back(help(ctl::frmHelpMuscleAsEngine, "Muscles as engines", "MuscleAsEngine.md",
                     {to("Migration", migr), to("Power Curve", power)}));
    v.push_back(help(ctl::frmHelpGlidePolar, "Glide polar", "GlidePolar.md",
                     {to("Air Speed", airSpeed), to("Body Mass", bodyMass), to("Energy Height", energy),
                      to("Wing Measurements", wingMorpho)}));
    v.push_back(help(ctl::frmHelpMigration, "Migration", "Migration.md",
                     {to("Air Speed", airSpeed), to("Body Mass", bodyMass), to("Muscles as Engines", muscle),
                      to("Power Curve", power), to("Saving Output", output), to("Wingbeat Frequency", wbeat)}));
    v.push_back(help(ctl::frmHelpMigrationGPS, "Migration - GPS Track", "MigrationGPS.md",
                     {to("Energy Height", energy), to("Migration-Programmed", migr)}));
    Page air = help(ctl::frmHelpAirSpeed, "Air speed", "AirSpeed.md",
                    {to("Standard Atmosphere", ctl::frmHelpAtmosphere), to("Glide Polar", glide), to("Migration", migr),
                     to("Power Curve", power)});
    air.returnCaption = "Continue";
    v.push_back(air);
    v.push_back(help(ctl::frmHelpWbeatFreq, "Wingbeat frequency", "WbeatFreq.md",
                     {to("Flight Styles", ctl::frmHelpFlightStyle), to("Migration", migr),
                      to("Muscles as Engines", muscle), to("Wing Measurements", wingMorpho)}));
    Page approx = help(ctl::frmHelpApprox, "Discrepancies", "Discrepancies.md",
                       {to("Glide Polar", glide), to("Migration", migr), to("Power Curve", power)});
    approx.returnCaption = "Manual contents";
    v.push_back(approx);
    v.push_back(help(ctl::frmHelpBMR, "Basal Metabolism", "BMR.md", {to("Migration", migr), to("Power Curve", power)}));
    v.push_back(help(ctl::frmHelpUncertainty, "Uncertainty", "Uncertainty.md", {to("Power Curve", power)}));
    v.push_back(help(ctl::frmHelpEnergyHeight, "Energy height", "Energy height.md", {to("Migration", migr)}));
    v.push_back(help(ctl::frmHelpAtmosphere, "International Standard Atmosphere", "StandardAtmosphere.md",
                     {to("Air Speed", airSpeed)}));
    v.push_back(help(ctl::frmHelpFatFrac, "Find Fat Fraction", "FindFatFrac.md",
                     {to("Body Mass", bodyMass), to("Energy Height", energy), to("Migration-Programmed", migr),
                      to("Saving Output", output)}));
    v.push_back(help(ctl::frmHelpOutput, "Saving output", "Output.md",
                     {to("Glide Polar", glide), to("Migration", migr), to("Power Curve", power)}));
    Page tutorial = help(ctl::frmHelpTutorial, "Tutorial", "Tutorial.md",
                         {{"Get Bird", "", LinkAction::GetBird}, {"Exit Program", "", LinkAction::EndProgram}});
    tutorial.contentsFirst = true;
    v.push_back(tutorial);
    Page wind = help(ctl::frmHelpWindCalc, "Wind calculator", "WindCalculator.md", {to("GlidePolar", glide)});
    wind.contentsFirst = true;
    v.push_back(wind);
    Page sim = help(ctl::frmHelpSimCrit, "Similarity Criteria", "SimilarityCriteria.md",
                    {to("Wingbeat Frequency", wbeat)});
    sim.contentsFirst = true;
    v.push_back(sim);
    v.push_back(help(ctl::frmHelpRadiosLoggers, "Radios and Loggers", "RadiosAndLoggers.md",
                     {to("Body Mass", bodyMass), to("Energy Height", energy), to("Migration - Programmed", migr)}));

    v.push_back(defs(ctl::frmDefsEnterBird, "Variable Definitions", "DefsEnterBird.md", ctl::frmEnterBird,
                     "Return to Enter Bird Screen"));
    v.push_back(defs(ctl::frmDefsPowerCurveSetup, "Definitions Power Curve Setup", "DefsPowerCurveSetup.md",
                     ctl::frmSetupFlap, "Return to Power Curve Setup Screen"));
    v.push_back(defs(ctl::frmDefsPowerCurveSummary, "Variables for Power Curve", "DefsPowerCurveSummary.md",
                     ctl::frmSummaryFlap, "Return to Power Curve Summary Screen"));
    v.push_back(defs(ctl::frmDefsGlidePolarSetup, "Definitions Glide Polar Setup", "DefsGlidePolarSetup.md",
                     ctl::frmSetupGlide, "Return to Glide Polar Setup Screen"));
    v.push_back(defs(ctl::frmDefsGlidePolarSummary, "Definitions Glide Polar Summary", "DefsGlidePolarSummary.md",
                     ctl::frmSummaryGlide, "Return to Glide Polar Summary Screen"));
    v.push_back(defs(ctl::frmDefsMigrationSetup, "Definitions Migration Setup", "DefsMigrationSetup.md",
                     ctl::frmSetupMigrate, "Return to Migration Setup Screen"));
    v.push_back(defs(ctl::frmDefsMigrationMoreSettings, "Migration More Settings", "DefsMigrationMoreSettings.md",
                     ctl::frmSetDefaultsMigr, "Return to Migration More Settings Screen"));
    v.push_back(defs(ctl::frmDefsMigrationSummary, "Variable definitions Migration Summary",
                     "DefsMigrationSummary.md", ctl::frmSummaryMigrate, "Return to Migration Summary Screen"));
    v.push_back(defs(ctl::frmDefsStopoverMassCalc, "Stopover Mass Calculator - Definitions", "DefsStopoverMassCalc.md",
                     ctl::frmStopMassCalc, "Return to Stopover Mass Calculator"));
    v.push_back(defs(ctl::frmDefsBirdsDb, "Definitions Preset and User Birds", "DefsBirdsDb.md", ctl::frmGetPreset,
                     "Return to Preset or User birds screen"));
    v.push_back(defs(ctl::frmDefsWingsDb, "Wings Database", "DefsWingsDb.md", ctl::frmGetWings,
                     "Return to Search Wings Database Screen"));
    v.push_back(defs(ctl::frmDefsWindTrnglCalc, "Wind Triangle Calculator - Definitions", "DefsWindTrnglCalc.md",
                     ctl::frmWindTrnglCalc, "Return to Power Curve Summary Screen"));
    return v;
}

std::string lower(std::string_view t) {
    std::string r(t);
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return std::tolower(c); });
    return r;
}

// Links inside the text name the file, possibly with spaces written as %20 and a folder in front.
std::string decodeLink(std::string_view href) {
    std::string r;
    for (std::size_t i = 0; i < href.size(); ++i) {
        if (href[i] == '%' && i + 2 < href.size() && std::isxdigit(static_cast<unsigned char>(href[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(href[i + 2]))) {
            r += static_cast<char>(std::stoi(std::string(href.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            r += href[i];
        }
    }
    if (auto hash = r.find('#'); hash != std::string::npos) r.erase(hash);
    if (auto slash = r.find_last_of("/\\"); slash != std::string::npos) r.erase(0, slash + 1);
    return r;
}

}  // namespace

const std::vector<Page>& Pages() {
    static const std::vector<Page> pages = buildPages();
    return pages;
}

const std::vector<ContentsEntry>& ContentsButtons() {
    static const std::vector<ContentsEntry> entries = {
        {"Introduction", ctl::frmHelpGeneral},
        {"Enter Bird", ctl::frmHelpEnterBird},
        {"Body Mass", ctl::frmHelpBodyMass},
        {"Wing Measurements", ctl::frmHelpWingMorpho},
        {"Wings Database", ctl::frmHelpWings},
        {"Power Curve", ctl::frmHelpPowerCurve},
        {"Flight Style", ctl::frmHelpFlightStyle},
        {"Muscles as Engines", ctl::frmHelpMuscleAsEngine},
        {"Glide Polar", ctl::frmHelpGlidePolar},
        {"Migration - Programmed", ctl::frmHelpMigration},
        {"Migration - GPS Track", ctl::frmHelpMigrationGPS},
        {"Air Speed", ctl::frmHelpAirSpeed},
        {"Wingbeat Frequency", ctl::frmHelpWbeatFreq},
        {"Resolving Discrepancies", ctl::frmHelpApprox},
        {"Basal Metabolism", ctl::frmHelpBMR},
        {"Uncertainty", ctl::frmHelpUncertainty},
        {"Energy Height", ctl::frmHelpEnergyHeight},
        {"Standard Atmosphere", ctl::frmHelpAtmosphere},
        {"Finding Fat Fraction", ctl::frmHelpFatFrac},
        {"Saving Output", ctl::frmHelpOutput},
        {"Tutorial", ctl::frmHelpTutorial},
        {"Wind Calculator", ctl::frmHelpWindCalc},
        {"Similarity Criteria", ctl::frmHelpSimCrit},
        {"Radios and Loggers", ctl::frmHelpRadiosLoggers},
    };
    return entries;
}

const Page* FindPage(std::string_view screen) {
    for (const Page& p : Pages())
        if (p.screen == screen) return &p;
    return nullptr;
}

const Page* DefinitionsFor(std::string_view screen) {
    for (const Page& p : Pages())
        if (p.kind == PageKind::Definitions && p.openedFrom == screen) return &p;
    // The user birds screen shares the definitions of the preset birds.
    if (screen == ctl::frmGetUserBird) return FindPage(ctl::frmDefsBirdsDb);
    return nullptr;
}

const Page* FindPageByName(std::string_view name) {
    const std::string want = lower(name);
    if (want.empty()) return nullptr;
    for (const Page& p : Pages())
        if (lower(BaseName(p)) == want || lower(p.file) == want || lower(p.screen) == want) return &p;
    for (const ContentsEntry& e : ContentsButtons())
        if (lower(e.caption) == want) return FindPage(e.screen);
    for (const Page& p : Pages())
        if (lower(p.title) == want) return &p;
    return nullptr;
}

const Page* PageForLink(std::string_view href) {
    const std::string file = decodeLink(href);
    for (const Page& p : Pages())
        if (p.file == file) return &p;
    return nullptr;
}

std::string BaseName(const Page& p) {
    const auto dot = p.file.rfind('.');
    return dot == std::string::npos ? p.file : p.file.substr(0, dot);
}

std::string ManualFolder(const std::string& programFolder) {
    // No program folder set (a caller outside the screens): the shipped files' own folder.
    if (programFolder.empty()) return platform::ShippedFolder() + "/Manual";
    const char last = programFolder.back();
    return programFolder + (last == '/' || last == '\\' ? "" : "/") + "Manual";
}

std::string MissingPageMessage(const Page& p, const std::string& path) {
    return "The page \"" + p.title + "\" cannot be shown: its file " + p.file +
           " is missing or unreadable. It was looked for at " + path + ".";
}

PageText ReadPage(const std::string& programFolder, const Page& p) {
    PageText r;
    r.path = ManualFolder(programFolder) + "/" + p.file;
    std::error_code ec;
    // A folder of that name, or a file that cannot be opened or read to its end, counts as missing.
    if (std::filesystem::is_regular_file(r.path, ec)) {
        std::ifstream in(r.path, std::ios::binary);
        std::stringstream ss;
        if (in && (ss << in.rdbuf()) && !in.bad()) {
            r.found = true;
            r.text = ss.str();
            return r;
        }
    }
    r.text = MissingPageMessage(p, r.path);
    return r;
}

}  // namespace ornivo::manual
