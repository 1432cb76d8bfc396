#pragma once
// The preset bird screen: the shipped preset birds listed by short or scientific name; the chosen
// bird is entered as the current bird on the Enter Bird screen.
#include <QListWidget>
#include <functional>

#include "birddb/PresetBirds.h"
#include "ui/Screen.h"

namespace ornivo::ui {

class frmGetPreset : public Screen {
    Q_OBJECT
public:
    // onEntered applies the entered bird's update to the Enter Bird screen.
    frmGetPreset(UiContext& ctx, QWidget* opener, std::function<void(const ScreenUpdate&)> onEntered);
    // False when the database could not be opened (a message said why): the screen is not shown.
    bool loaded() const { return loaded_; }

    QLabel *lblHeading, *lblRecordCount, *lblScientificName, *lblShortName, *lblComment;
    QGroupBox* fraListBy;
    QRadioButton *optSciName, *optShortName;
    QListWidget* lstGetBird;
    CommitEdit *txtRecordCount, *txtScientificName, *txtShortName, *txtComment;
    QPushButton *cmdExit, *cmdCancel, *cmdShowDefs;

    void optSciName_MouseUp();
    void optShortName_MouseUp();
    void lstGetBird_Click();
    void cmdExit_Click();
    void cmdCancel_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void showList();
    birddb::PresetBirdsScreen logic_;
    std::function<void(const ScreenUpdate&)> onEntered_;
    bool loaded_ = false;
};

}  // namespace ornivo::ui
