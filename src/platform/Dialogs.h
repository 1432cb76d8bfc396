#pragma once
// What the core asks of the user: message boxes, the input box and file dialogs.
// The desktop implements it with Qt, the CLI with its arguments and standard error, tests with a script.
#include <optional>
#include <string>
#include <vector>

namespace ornivo::platform {

enum class Icon { Error, Information };

struct FileDialogRequest {
    std::string title;
    std::string initialFolder;
    std::string filter;       // e.g. "*.txt" or "Tracks (*.xlsx *.xls *.csv)"
    std::string initialName;  // proposed file name (save) or empty
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message of one or more lines.
    virtual void message(const std::vector<std::string>& lines, Icon icon) = 0;
    // Yes/No question; true for Yes.
    virtual bool askYesNo(const std::vector<std::string>& lines) = 0;
    // OK/Cancel question; true for OK.
    virtual bool askOkCancel(const std::vector<std::string>& lines) = 0;
    // One-line input box; empty text when the user cancels or types nothing.
    virtual std::string inputBox(const std::string& prompt, const std::string& initial = {}) = 0;
    // File dialogs: the chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& req) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& req) = 0;

    // Convenience for one-line and two-line messages.
    void error(const std::vector<std::string>& lines) { message(lines, Icon::Error); }
    void info(const std::vector<std::string>& lines) { message(lines, Icon::Information); }
};

}  // namespace ornivo::platform
