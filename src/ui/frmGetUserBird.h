#pragma once
// The user bird screen: the user's own birds, listed, shown, entered with their parameters, added
// from the last bird, edited, deleted, backed up to a text file and restored from one.
#include <QListWidget>
#include <QSpinBox>
#include <functional>

#include "birddb/UserBirds.h"
#include "ui/Screen.h"

namespace ornivo::ui {

class frmGetUserBird : public Screen {
    Q_OBJECT
public:
    // onEntered applies the entered bird's update to the Enter Bird screen.
    frmGetUserBird(UiContext& ctx, QWidget* opener, std::function<void(const ScreenUpdate&)> onEntered);
    bool loaded() const { return loaded_; }

    QLabel *lblHeading, *lblRecordCount, *lblAddNew, *lblDoneBackup, *lblDoneRestore;
    QGroupBox* fraListBy;
    QRadioButton *optSciName, *optShortName;
    QListWidget* lstGetBird;
    CommitEdit *txtRecordCount, *txtBackupLoc;
    CommitEdit *txtShortName, *txtScientificName, *txtComment, *txtMass, *txtCropMass, *txtSpan, *txtArea, *txtRho,
        *txtMuscFrac, *txtFatFrac, *txtTaxon, *txtTaxName, *txtSex, *txtSexName, *txtAge, *txtAgeName;
    QSpinBox *UpDownTaxon, *UpDownSex, *UpDownAge;
    std::vector<CommitEdit*> parameterBoxes;  // txtCprof ... txtG
    QPushButton *cmdExit, *cmdReturn, *cmdDelete, *cmdSaveLast, *cmdAdd, *cmdCancel, *cmdStartEdit, *cmdStopEdit,
        *cmdBackup, *cmdRestore, *cmdShowDefs;

    void optSciName_MouseUp();
    void optShortName_MouseUp();
    void lstGetBird_MouseUp();
    void txtBox_LostFocus(CommitEdit* box, const QString& text);
    void UpDown_Change(QSpinBox* spinner);
    void cmdExit_Click();
    void cmdReturn_Click();
    void cmdDelete_Click();
    void cmdSaveLast_Click();
    void cmdAdd_Click();
    void cmdCancel_Click();
    void cmdStartEdit_Click();
    void cmdStopEdit_Click();
    void cmdBackup_Click();
    void cmdRestore_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // The list of birds with its order and count.
    QVBoxLayout* listColumn();
    // The bird's record: names, comment, measurements, and its group, sex and age codes.
    QGroupBox* recordFrame();
    // The nineteen parameters.
    QGroupBox* parametersFrame();
    // Where a backup went, or that a restore was done.
    QHBoxLayout* backupLine();
    void buttonRows(QVBoxLayout* top);
    void wire();
    // Shows an update: for a text box "enabled" means it accepts typing; the list follows the logic.
    void showUpdate(const ScreenUpdate& u);
    birddb::UserBirdsScreen logic_;
    std::function<void(const ScreenUpdate&)> onEntered_;
    bool loaded_ = false;
};

}  // namespace ornivo::ui
