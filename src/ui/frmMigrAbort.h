#pragma once
// The notices of a migration that could not start its climb (frmMigrAbort, which blocks the setup
// screen) and of an initial climb that stopped below the cruising height (frmClimbAbort, modeless).
#include "ui/Screen.h"

namespace ornivo::ui {

class frmMigrAbort : public Screen {
    Q_OBJECT
public:
    frmMigrAbort(UiContext& ctx, QWidget* setup);

    QLabel *lblAborted, *lblCannotClimb, *lblRemedies, *lblRemedyList;
    QPushButton* cmdOK;
};

}  // namespace ornivo::ui
