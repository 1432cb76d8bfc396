#pragma once
// The goal distance screen: start and finish in degrees and minutes with their hemispheres, the
// great-circle distance, and "Accept" into the migration setup's goal distance.
#include <functional>

#include "migrate/GoalDistance.h"
#include "ui/Screen.h"

namespace ornivo::ui {

class frmGoalDist : public Screen {
    Q_OBJECT
public:
    // onAccepted shows the accepted goal distance on the setup screen.
    frmGoalDist(UiContext& ctx, QWidget* setup, std::function<void(const ScreenUpdate&)> onAccepted);

    CommitEdit *txtLatDeg1, *txtLatMin1, *txtLatNS1, *txtLongDeg1, *txtLongMin1, *txtLongEW1;
    CommitEdit *txtLatDeg2, *txtLatMin2, *txtLatNS2, *txtLongDeg2, *txtLongMin2, *txtLongEW2;
    CommitEdit* txtDistance;
    QPushButton *cmdUpdate, *cmdAccept, *cmdCancel;

    void Form_Load();
    void txtField_LostFocus(CommitEdit* field, const QString& text);
    void txtHemisphere_Click(CommitEdit* box);
    void cmdUpdate_Click();
    void cmdAccept_Click();
    void cmdCancel_Click();

private:
    migrate::GoalDistanceForm form_;
    std::function<void(const ScreenUpdate&)> onAccepted_;
};

}  // namespace ornivo::ui
