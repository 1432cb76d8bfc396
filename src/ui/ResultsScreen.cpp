#include "ui/ResultsScreen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>

#include "flap/SummaryFlap.h"
#include "state/ControlNames.h"
#include "state/StateOps.h"

namespace ornivo::ui {

void ResultsScreen::chk4Digit_LostFocus() { flap::Set4DigitOutput(ctx_.s, chk4Digit->isChecked()); }

void ResultsScreen::nameFields(int speciesWidth, int shortWidth) {
    txtSpName = derived(ctl::txtSpName);
    txtSpName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtSpName->setFixedWidth(speciesWidth);
    txtShortName = derived(ctl::txtShortName);
    txtShortName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtShortName->setFixedWidth(shortWidth);
}

QGroupBox* ResultsScreen::saveFrame(QCheckBox*& saveBox, int fileNameWidth, bool oneLine) {
    QGroupBox* fraSave = frame(ctl::fraSave, "Save results");
    auto* sv = new QGridLayout(fraSave);
    sv->setContentsMargins(8, 4, 8, 4);
    saveBox = check(ctl::chkExcel, "", fraSave);
    lblFileName = label(ctl::lblFileName, "Output file name", fraSave);
    txtFileName = derived(ctl::txtFileName, {}, fraSave);
    txtFileName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtFileName->setFixedWidth(fileNameWidth);
    lblFileName->setVisible(false);
    txtFileName->setVisible(false);
    chk4Digit = check(ctl::chk4Digit, "&4-digit output", fraSave);
    if (oneLine) {
        sv->addWidget(saveBox, 0, 0);
        sv->addWidget(lblFileName, 0, 1);
        sv->addWidget(txtFileName, 0, 2);
        sv->addWidget(chk4Digit, 0, 3, Qt::AlignRight);
        sv->setColumnStretch(0, 1);
    } else {
        sv->addWidget(saveBox, 0, 0, 1, 2);
        sv->addWidget(lblFileName, 1, 0);
        sv->addWidget(txtFileName, 1, 1);
        sv->addWidget(chk4Digit, 2, 0, 1, 2);
    }
    return fraSave;
}

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
