// ornivo-cli wings search: the wings database screen driven as a person would: genus level, the
// genus typed at the prompt, the species picked from the list, the sample options, "Find sample
// means" with every record included, and "OK - accept".
#include <algorithm>
#include <cctype>
#include <iostream>

#include "api/WingsRun.h"
#include "cli/Command.h"
#include "state/ControlNames.h"

namespace ornivo::cli {
namespace {

std::string lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

// Prints every message shown since `from` (the screen's refusals and notices) to standard error.
int refused(const RunDialogs& d, std::size_t from) {
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
    const char* sexOption = sex == "m"     ? ctl::optMale
                            : sex == "f"   ? ctl::optFemale
                            : sex == "any" ? ctl::optAnySex
                                           : nullptr;
    const char* ageOption = age == "a"     ? ctl::optAdult
                            : age == "i"   ? ctl::optImm
                            : age == "any" ? ctl::optAllAge
                                           : nullptr;
    if (!sexOption) throw UsageError("--sex takes M, F or any");
    if (!ageOption) throw UsageError("--age takes A, I or any");

    RunDialogs d;
    Json out;
    const std::size_t before = d.shown.size();
    if (SearchWings(pos[0], pos[1], sexOption, ageOption, d, out) != ExitOk) {
        if (out.contains("species")) {
            for (const auto& l : out["species"]) std::cerr << l.get<std::string>() << "\n";
            return ExitRefused;
        }
        return refused(d, before);
    }
    PrintJson(out);
    return ExitOk;
}

}  // namespace

ORNIVO_CLI_COMMAND(wings, "wings", "wings search GENUS SPECIES [--sex M|F|any] [--age A|I|any]", runWings);

}  // namespace ornivo::cli
