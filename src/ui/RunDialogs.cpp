#include "ui/RunDialogs.h"

#include <QApplication>
#include <QWidget>
#include <filesystem>

namespace ornivo::ui {

RunDialogs::RunDialogs(platform::Dialogs& inner, QWidget* waitLabel, QWidget* startButton, std::string offeredTrack)
    : inner_(inner), wait_(waitLabel), start_(startButton), offeredTrack_(std::move(offeredTrack)) {
    busy(true);
}

RunDialogs::~RunDialogs() { busy(false); }

void RunDialogs::done() { busy(false); }

void RunDialogs::busy(bool on) {
    if (on == busy_) return;
    busy_ = on;
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
    if (start_) start_->setEnabled(!on);
    if (wait_) {
        wait_->setVisible(on);
        // Painted now: the run that follows keeps the event loop busy until it ends.
        if (on) wait_->repaint();
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void RunDialogs::message(const std::vector<std::string>& lines, platform::Icon icon) {
    Asking asking(*this);
    inner_.message(lines, icon);
}

bool RunDialogs::askYesNo(const std::vector<std::string>& lines) {
    Asking asking(*this);
    return inner_.askYesNo(lines);
}

bool RunDialogs::askOkCancel(const std::vector<std::string>& lines) {
    Asking asking(*this);
    return inner_.askOkCancel(lines);
}

std::string RunDialogs::inputBox(const std::string& prompt, const std::string& initial) {
    Asking asking(*this);
    return inner_.inputBox(prompt, initial);
}

std::optional<std::string> RunDialogs::openFile(const platform::FileDialogRequest& req) {
    platform::FileDialogRequest r = req;
    const bool asksForTrack = req.filter.find("*.xlsx") != std::string::npos;
    if (asksForTrack && !offeredTrack_.empty()) {
        const std::filesystem::path p(offeredTrack_);
        r.initialFolder = p.parent_path().string();
        r.initialName = p.filename().string();
    }
    Asking asking(*this);
    return inner_.openFile(r);
}

std::optional<std::string> RunDialogs::saveFile(const platform::FileDialogRequest& req) {
    Asking asking(*this);
    return inner_.saveFile(req);
}

}  // namespace ornivo::ui
