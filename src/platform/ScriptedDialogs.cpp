#include "platform/ScriptedDialogs.h"

namespace ornivo::platform {

void ScriptedDialogs::message(const std::vector<std::string>& lines, Icon icon) {
    shown.push_back({icon == Icon::Error ? "error" : "info", lines, {}});
}

bool ScriptedDialogs::askYesNo(const std::vector<std::string>& lines) {
    shown.push_back({"yesno", lines, {}});
    if (yesNo.empty()) return false;
    bool a = yesNo.front();
    yesNo.pop_front();
    return a;
}

bool ScriptedDialogs::askOkCancel(const std::vector<std::string>& lines) {
    shown.push_back({"okcancel", lines, {}});
    if (okCancel.empty()) return false;
    bool a = okCancel.front();
    okCancel.pop_front();
    return a;
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string&) {
    shown.push_back({"input", {prompt}, {}});
    if (inputs.empty()) return {};
    std::string a = inputs.front();
    inputs.pop_front();
    return a;
}

// Open and save dialogs take their answers from the one queue of files, in order.
std::optional<std::string> ScriptedDialogs::nextFile(const char* kind, const FileDialogRequest& req) {
    shown.push_back({kind, {req.title}, req});
    if (files.empty()) return std::nullopt;
    auto a = files.front();
    files.pop_front();
    return a;
}

std::optional<std::string> ScriptedDialogs::openFile(const FileDialogRequest& req) { return nextFile("open", req); }

std::optional<std::string> ScriptedDialogs::saveFile(const FileDialogRequest& req) { return nextFile("save", req); }

std::vector<std::vector<std::string>> ScriptedDialogs::messages() const {
    std::vector<std::vector<std::string>> out;
    for (const auto& s : shown)
        if (s.kind == "error" || s.kind == "info") out.push_back(s.lines);
    return out;
}

std::vector<std::string> ScriptedDialogs::errors() const {
    std::vector<std::string> out;
    for (const auto& s : shown)
        if (s.kind == "error") out.push_back(s.lines.empty() ? "" : s.lines.front());
    return out;
}

}  // namespace ornivo::platform
