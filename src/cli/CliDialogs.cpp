#include "cli/CliDialogs.h"

#include "cli/Command.h"

namespace ornivo::cli {

std::vector<std::string> CliDialogs::lastError() const {
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (it->kind == "error") return it->lines;
    return {};
}

int CliDialogs::refuse() const {
    if (!err) return ExitRefused;
    auto lines = lastError();
    if (lines.empty()) lines = {"refused"};
    for (const auto& l : lines) *err << l << "\n";
    return ExitRefused;
}

void CliDialogs::printWarnings(std::size_t from) const {
    if (!err) return;
    for (std::size_t i = from; i < shown.size(); ++i) {
        const auto& s = shown[i];
        if (s.kind != "error" && s.kind != "info") continue;
        std::string text;
        for (const auto& l : s.lines) text += (text.empty() ? "" : " / ") + l;
        *err << "warning: " << text << "\n";
    }
}

void CliDialogs::strictCheck(std::size_t from) const {
    if (!strict) return;
    std::vector<std::string> lines;
    for (std::size_t i = from; i < shown.size(); ++i)
        if (shown[i].kind == "error" || shown[i].kind == "info")
            lines.insert(lines.end(), shown[i].lines.begin(), shown[i].lines.end());
    if (!lines.empty()) throw Refusal(lines);
}

void CliDialogs::captionOfDialog() {
    if (!shown.empty() && shown.back().kind == "info") shown.back().kind = "caption";
}

std::optional<std::string> CliDialogs::openFile(const platform::FileDialogRequest& req) {
    captionOfDialog();
    return ScriptedDialogs::openFile(req);
}

std::optional<std::string> CliDialogs::saveFile(const platform::FileDialogRequest& req) {
    captionOfDialog();
    return ScriptedDialogs::saveFile(req);
}

}  // namespace ornivo::cli
