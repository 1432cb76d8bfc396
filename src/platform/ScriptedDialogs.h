#pragma once
// A Dialogs that records every message and answers from a script: for tests and the CLI.
#include <deque>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace ornivo::platform {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        std::string kind;  // "error", "info", "yesno", "okcancel", "input", "open", "save"
        std::vector<std::string> lines;
        FileDialogRequest request;
    };

    void message(const std::vector<std::string>& lines, Icon icon) override;
    bool askYesNo(const std::vector<std::string>& lines) override;
    bool askOkCancel(const std::vector<std::string>& lines) override;
    std::string inputBox(const std::string& prompt, const std::string& initial) override;
    std::optional<std::string> openFile(const FileDialogRequest& req) override;
    std::optional<std::string> saveFile(const FileDialogRequest& req) override;

    // Answers, consumed in order; when a queue is empty: No, Cancel, "" and a cancelled dialog.
    std::deque<bool> yesNo, okCancel;
    std::deque<std::string> inputs;
    std::deque<std::optional<std::string>> files;

    std::vector<Shown> shown;
    // The lines of every error and information message, in order.
    std::vector<std::vector<std::string>> messages() const;
    std::vector<std::string> errors() const;  // first line of each error message
    void clear() { shown.clear(); }

private:
    std::optional<std::string> nextFile(const char* kind, const FileDialogRequest& req);
};

}  // namespace ornivo::platform
