#include "api/RunDialogs.h"

#include "api/Errors.h"

namespace ornivo::api {

std::vector<std::string> RunDialogs::lastError() const {
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (it->kind == "error") return it->lines;
    return {};
}

int RunDialogs::refuse() const {
    if (!err) return ExitRefused;
    auto lines = lastError();
    if (lines.empty()) lines = {"refused"};
    for (const auto& l : lines) *err << l << "\n";
    return ExitRefused;
}

void RunDialogs::printWarnings(std::size_t from) const {
    if (!err) return;
    for (std::size_t i = from; i < shown.size(); ++i) {
        const auto& s = shown[i];
        if (s.kind != "error" && s.kind != "info") continue;
        std::string text;
        for (const auto& l : s.lines) text += (text.empty() ? "" : " / ") + l;
        *err << "warning: " << text << "\n";
    }
}

void RunDialogs::strictCheck(std::size_t from) const {
    if (!strict) return;
    std::vector<std::string> lines;
    for (std::size_t i = from; i < shown.size(); ++i)
        if (shown[i].kind == "error" || shown[i].kind == "info")
            lines.insert(lines.end(), shown[i].lines.begin(), shown[i].lines.end());
    if (!lines.empty()) throw Refusal(lines);
}

void RunDialogs::captionOfDialog() {
    if (!shown.empty() && shown.back().kind == "info") shown.back().kind = "caption";
}

std::optional<std::string> RunDialogs::openFile(const platform::FileDialogRequest& req) {
    captionOfDialog();
    return ScriptedDialogs::openFile(req);
}

std::optional<std::string> RunDialogs::saveFile(const platform::FileDialogRequest& req) {
    captionOfDialog();
    return ScriptedDialogs::saveFile(req);
}

}  // namespace ornivo::api
