#include "cli/CliDialogs.h"

#include "cli/Command.h"

namespace ornivo::cli {

int CliDialogs::refuse() const {
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if (it->kind == "error") {
            for (const auto& l : it->lines) std::cerr << l << "\n";
            return ExitRefused;
        }
    }
    std::cerr << "refused\n";
    return ExitRefused;
}

void CliDialogs::printWarnings(std::size_t from) const {
    for (std::size_t i = from; i < shown.size(); ++i) {
        const auto& s = shown[i];
        if (s.kind != "error" && s.kind != "info") continue;
        std::string text;
        for (const auto& l : s.lines) text += (text.empty() ? "" : " / ") + l;
        std::cerr << "warning: " << text << "\n";
    }
}

}  // namespace ornivo::cli
