#include "ui/ResultsScreen.h"

#include <QCheckBox>
#include <QCloseEvent>

#include "state/ControlNames.h"
#include "state/StateOps.h"

namespace ornivo::ui {

void ResultsScreen::returnToSetup() {
    if (saveBox()->isChecked()) {
        if (QWidget* ok = findChild<QWidget*>(ctl::cmdOK)) ok->setVisible(false);
        if (QWidget* wait = findChild<QWidget*>(ctl::lblWait)) {
            wait->setVisible(true);
            wait->repaint();
        }
        writeRun();
    }
    ClearEditMarks(ctx_.s);
}

void ResultsScreen::closeEvent(QCloseEvent* e) {
    if (!ctx_.ending) guarded([this] { returnToSetup(); });
    e->accept();
}

}  // namespace ornivo::ui
