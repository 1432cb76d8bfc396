#pragma once
// Importing raw GPS fixes (Movebank CSV or GPX) as the track workbook of a GPS run: the file, the
// import options with their defaults, a summary of the track before it is saved, the save, and the
// offer of the saved workbook as the track of the next GPS run.
#include <functional>
#include <map>
#include <optional>

#include "track/TrackImport.h"
#include "ui/Screen.h"

class QPlainTextEdit;

namespace ornivo::ui {

class frmImportTrack : public Screen {
    Q_OBJECT
public:
    // onUseTrack receives the saved workbook when the user takes it as the track of the next GPS run.
    frmImportTrack(UiContext& ctx, QWidget* setup, std::function<void(const std::string&)> onUseTrack);

    CommitEdit* txtFixFile;
    QPushButton* cmdChooseFile;
    QGroupBox* fraOptions;
    std::map<QString, CommitEdit*> options;  // by control name, e.g. "txtGrid"
    QPushButton* cmdImport;
    QPlainTextEdit* txtSummary;
    QLabel* lblWait;
    QPushButton *cmdSave, *cmdReturn;

    void Form_Load();
    void cmdChooseFile_Click();
    void cmdImport_Click();
    void cmdSave_Click();
    void cmdReturn_Click();

private:
    std::string fixPath_;  // the chosen file of fixes
    std::optional<track::ImportResult> result_;
    std::function<void(const std::string&)> onUseTrack_;
};

}  // namespace ornivo::ui
