#pragma once
// The CLI's Dialogs: messages go to standard error (as warnings while a run goes on) and are
// kept for the JSON "messages"; questions are answered from the call's arguments.
#include <iostream>

#include "platform/ScriptedDialogs.h"

namespace ornivo::api {

class RunDialogs : public platform::ScriptedDialogs {
public:
    // Prints the lines of the last error message to standard error and returns the refusal exit code.
    int refuse() const;
    // Prints every message shown so far as "warning: ..." lines and forgets nothing.
    void printWarnings(std::size_t from = 0) const;
    // The lines of the last error message (empty when none).
    std::vector<std::string> lastError() const;
    // Under --strict, a message shown since `from` makes the call a refusal: throws Refusal with the
    // lines of every such message.
    void strictCheck(std::size_t from = 0) const;

    // A message box that only announces the file dialog after it (the screen's way of titling the
    // dialog) is the dialog's caption, not a message of the run.
    std::optional<std::string> openFile(const platform::FileDialogRequest& req) override;
    std::optional<std::string> saveFile(const platform::FileDialogRequest& req) override;

    // Where refusals and warnings are printed; nullptr keeps them quiet (batch runs, which report
    // each bird's outcome in its row instead).
    std::ostream* err = &std::cerr;
    bool strict = false;  // --strict

private:
    void captionOfDialog();
};

}  // namespace ornivo::api
