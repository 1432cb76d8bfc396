#pragma once
// The stopover mass calculator: body and fat mass at the start of a stopover, its dates and times and
// the expenditure and intake rates give the masses at departure, which can be loaded into the
// migration setup.
#include <optional>

#include "migrate/StopoverMass.h"
#include "ui/Screen.h"

namespace ornivo::ui {

class frmSetupMigrate;

class frmStopMassCalc : public Screen {
    Q_OBJECT
public:
    frmStopMassCalc(UiContext& ctx, Screen* setup);

    CommitEdit *txtDateBegin, *txtTimeBegin, *txtMemptyBegin, *txtMfatBegin, *txtFatFracBegin, *txtHfuelBegin;
    CommitEdit *txtDateMoveOn, *txtTimeMoveOn, *txtMemptyMoveOn, *txtMfatMoveOn, *txtFatFracMoveOn, *txtHfuelMoveOn;
    CommitEdit *txtExistenceRatio, *txtFeedQ;
    QLabel* lblFillBoxes;
    QPushButton *cmdCompute, *cmdLoadNewMass, *cmdExit, *cmdShowDefs;

    void Form_Load();
    void txtExistenceRatio_Click();
    void txtRate_LostFocus(CommitEdit* field, const QString& text);
    void cmdCompute_Click();
    void cmdLoadNewMass_Click();
    void cmdExit_Click();

private:
    migrate::StopoverForm form() const;
    Screen* setup_;
    std::optional<migrate::StopoverResult> result_;
};

}  // namespace ornivo::ui
