// ornivo-cli wings search: the wings database screen driven as a person would: genus level, the
// genus typed at the prompt, the species picked from the list, the sample options, "Find sample
// means" with every record included, and "OK - accept".
#include <algorithm>
#include <cctype>
#include <iostream>

#include "birddb/WingsSearch.h"
#include "cli/BirdsCli.h"
#include "cli/Command.h"

namespace ornivo::cli {
namespace {

std::string lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

// Prints every message shown since `from` (the screen's refusals and notices) to standard error.
int refused(const CliDialogs& d, std::size_t from) {
    bool any = false;
    for (std::size_t i = from; i < d.shown.size(); ++i) {
        if (d.shown[i].kind != "error" && d.shown[i].kind != "info") continue;
        for (const auto& l : d.shown[i].lines) std::cerr << l << "\n";
        any = true;
    }
    if (!any) std::cerr << "refused\n";
    return ExitRefused;
}

int runWings(const std::vector<std::string>& a) {
    if (a.empty() || a[0] != "search") throw UsageError("give: wings search GENUS SPECIES [--sex M|F|any] [--age A|I|any]");
    Args args(std::vector<std::string>(a.begin() + 1, a.end()));
    auto pos = args.positional({"--sex", "--age"});
    if (pos.size() != 2) throw UsageError("give the genus and the species: wings search GENUS SPECIES");
    const std::string sex = lower(args.value("--sex").value_or("any"));
    const std::string age = lower(args.value("--age").value_or("any"));
    const char* sexOption = sex == "m" ? "optMale" : sex == "f" ? "optFemale" : sex == "any" ? "optAnySex" : nullptr;
    const char* ageOption = age == "a" ? "optAdult" : age == "i" ? "optImm" : age == "any" ? "optAllAge" : nullptr;
    if (!sexOption) throw UsageError("--sex takes M, F or any");
    if (!ageOption) throw UsageError("--age takes A, I or any");

    ProgramState s;
    CliDialogs d;
    birddb::WingsScreen screen(s, d);
    screen.load();
    screen.option("optGenus");
    d.inputs.push_back(pos[0]);
    ScreenUpdate found = screen.startSearch();
    if (found.refused) return refused(d, 0);
    const auto& names = screen.names();
    auto it = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return lower(n) == lower(pos[1]); });
    if (it == names.end()) {
        std::cerr << "No species \"" << pos[1] << "\" in the genus " << screen.chosen(1) << "\n";
        std::string list;
        for (const auto& n : names) list += (list.empty() ? "" : ", ") + n;
        std::cerr << "Species of " << screen.chosen(1) << ": " << list << "\n";
        return ExitRefused;
    }
    ScreenUpdate counted = screen.chooseName(static_cast<int>(it - names.begin()));
    screen.option(sexOption);
    screen.option(ageOption);
    screen.option("optInclude");
    const std::size_t before = d.shown.size();
    screen.findMeans();
    const birddb::WingsMeans m = screen.means();
    const auto& g = screen.grid();

    Json out;
    out["Genus"] = screen.chosen(1);
    out["Species"] = screen.chosen(0);
    out["Order"] = counted.textOf("txtOrder") ? *counted.textOf("txtOrder") : "";
    out["Family"] = counted.textOf("txtFamily") ? *counted.textOf("txtFamily") : "";
    out["found"] = screen.found();
    out["foundText"] = counted.textOf("lblNumFound") ? *counted.textOf("lblNumFound") : "";
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
    PrintJson(out);
    return ExitOk;
}

}  // namespace

ORNIVO_CLI_COMMAND(wings, "wings", "wings search GENUS SPECIES [--sex M|F|any] [--age A|I|any]", runWings);

}  // namespace ornivo::cli
