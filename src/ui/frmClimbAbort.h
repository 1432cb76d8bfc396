#pragma once
// The notice of an initial climb that stopped because the rate of climb fell below the threshold: the
// run went on at the altitude reached. Modeless, so the results stay usable beside it.
#include "ui/Screen.h"

namespace ornivo::ui {

class frmClimbAbort : public Screen {
    Q_OBJECT
public:
    explicit frmClimbAbort(UiContext& ctx);

    QLabel *lblClimbAborted, *lblAltitude, *lblMetres, *lblReason, *lblContinues;
    QPushButton* cmdOK;
};

}  // namespace ornivo::ui
