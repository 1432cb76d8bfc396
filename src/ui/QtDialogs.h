#pragma once
// Message boxes, the input box and the file dialogs of the desktop program.
#include "platform/Dialogs.h"

namespace ornivo::ui {

class QtDialogs : public platform::Dialogs {
public:
    void message(const std::vector<std::string>& lines, platform::Icon icon) override;
    bool askYesNo(const std::vector<std::string>& lines) override;
    bool askOkCancel(const std::vector<std::string>& lines) override;
    std::string inputBox(const std::string& prompt, const std::string& initial) override;
    std::optional<std::string> openFile(const platform::FileDialogRequest& req) override;
    std::optional<std::string> saveFile(const platform::FileDialogRequest& req) override;
};

// The Qt name filter for a dialog filter as the writers give it: ".txt" and "*.xls" become
// "*.txt" and "*.xls" patterns; a filter that already names its patterns in brackets is kept.
std::string QtNameFilter(const std::string& filter);

}  // namespace ornivo::ui
