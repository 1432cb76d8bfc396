#pragma once
// The dialogs of a long run started from a screen. While the run computes, the screen shows its wait
// label, its start button is disabled and the cursor shows that the program is busy; while a dialog of
// the run is open, the screen looks as usual. Every question is passed on to the screen's dialogs.
#include <string>

#include "platform/Dialogs.h"

class QWidget;

namespace ornivo::ui {

class RunDialogs : public platform::Dialogs {
public:
    // offeredTrack, when not empty, is proposed (folder and name) in the dialog that asks for a track.
    RunDialogs(platform::Dialogs& inner, QWidget* waitLabel, QWidget* startButton, std::string offeredTrack = {});
    ~RunDialogs() override;
    // The run has ended: the screen looks as usual again.
    void done();

    void message(const std::vector<std::string>& lines, platform::Icon icon) override;
    bool askYesNo(const std::vector<std::string>& lines) override;
    bool askOkCancel(const std::vector<std::string>& lines) override;
    std::string inputBox(const std::string& prompt, const std::string& initial) override;
    std::optional<std::string> openFile(const platform::FileDialogRequest& req) override;
    std::optional<std::string> saveFile(const platform::FileDialogRequest& req) override;

private:
    // While a dialog of the run is open the screen looks as usual; busy again after it, as it was.
    class Asking {
    public:
        explicit Asking(RunDialogs& run) : run_(run), was_(run.busy_) { run.busy(false); }
        ~Asking() { run_.busy(was_); }

    private:
        RunDialogs& run_;
        bool was_;
    };
    void busy(bool on);
    platform::Dialogs& inner_;
    QWidget* wait_;
    QWidget* start_;
    std::string offeredTrack_;
    bool busy_ = false;
};

}  // namespace ornivo::ui
