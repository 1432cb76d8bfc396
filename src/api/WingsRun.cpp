#include "api/WingsRun.h"

#include <algorithm>
#include <cctype>

#include "api/Errors.h"
#include "api/TableBirds.h"
#include "birddb/WingsSearch.h"
#include "state/ControlNames.h"

namespace ornivo::api {
namespace {
std::string lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}
}  // namespace

int SearchWings(const std::string& genus, const std::string& species, const char* sexOption, const char* ageOption,
                RunDialogs& d, Json& out) {
    ProgramState s;
    birddb::WingsScreen screen(s, d);
    screen.load();
    screen.option(ctl::optGenus);
    d.inputs.push_back(genus);
    ScreenUpdate found = screen.startSearch();
    if (found.refused) return ExitRefused;
    const auto& names = screen.names();
    auto it = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return lower(n) == lower(species); });
    if (it == names.end()) {
        std::string list;
        for (const auto& n : names) list += (list.empty() ? "" : ", ") + n;
        out["species"] = {"No species \"" + species + "\" in the genus " + screen.chosen(1),
                          "Species of " + screen.chosen(1) + ": " + list};
        return ExitRefused;
    }
    ScreenUpdate counted = screen.chooseName(static_cast<int>(it - names.begin()));
    screen.option(sexOption);
    screen.option(ageOption);
    screen.option(ctl::optInclude);
    const std::size_t before = d.shown.size();
    screen.findMeans();
    const birddb::WingsMeans m = screen.means();
    const auto& g = screen.grid();

    out["Genus"] = screen.chosen(1);
    out["Species"] = screen.chosen(0);
    out["Order"] = counted.textOf(ctl::txtOrder) ? *counted.textOf(ctl::txtOrder) : "";
    out["Family"] = counted.textOf(ctl::txtFamily) ? *counted.textOf(ctl::txtFamily) : "";
    out["found"] = screen.found();
    out["foundText"] = counted.textOf(ctl::lblNumFound) ? *counted.textOf(ctl::lblNumFound) : "";
    out["counts"] = {{"columns", {"male", "female", "unknown"}},
                     {"adult", {g[0][0], g[0][1], g[0][2]}},
                     {"immature", {g[1][0], g[1][1], g[1][2]}},
                     {"unknown", {g[2][0], g[2][1], g[2][2]}}};
    out["category"] = screen.category();
    out["means"] = {{"Mass", Single(m.mass)},        {"Nmass", m.nMass},  {"Span", Single(m.span)},
                    {"Nspan", m.nSpan},              {"Area", Single(m.area)}, {"Narea", m.nArea},
                    {"AspectRatio", Single(m.aspectRatio)}, {"MuscleFrac", Single(m.muscleFrac)},
                    {"Nmuscle", m.nMuscle},          {"PoorCondition", m.poorCondition}};
    out["accepted"] = screen.acceptShown();
    if (screen.acceptShown()) {
        screen.accept();
        out["state"] = EnteredBirdJson(s, BirdTable::Preset);
    } else {
        screen.forget();
    }
    Json messages = Json::array();
    for (std::size_t i = before; i < d.shown.size(); ++i) {
        if (d.shown[i].kind != "error" && d.shown[i].kind != "info") continue;
        std::string t;
        for (const auto& l : d.shown[i].lines) t += (t.empty() ? "" : "\n") + l;
        messages.push_back(t);
    }
    out["messages"] = messages;
    return ExitOk;
}

}  // namespace ornivo::api
