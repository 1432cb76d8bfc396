#include "ui/frmMigrAbort.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "migrate/MigrationEngine.h"
#include "state/ControlNames.h"

namespace ornivo::ui {

frmMigrAbort::frmMigrAbort(UiContext& ctx, QWidget* setup)
    : Screen(ctx, ctl::frmMigrAbort, QString::fromStdString(migrate::MigrAbortTitle()),
             scaling::ResizePattern::ScaleAndCentre, setup) {
    const std::vector<std::string> t = migrate::MigrAbortTexts();
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    lblAborted = label(ctl::lblAborted, QString::fromStdString(t[0]));
    QFont f = lblAborted->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    lblAborted->setFont(f);
    lblCannotClimb = label(ctl::lblCannotClimb, QString::fromStdString(t[1]));
    lblRemedies = label(ctl::lblRemedies, QString::fromStdString(t[2]));
    lblRemedyList = label(ctl::lblRemedyList, QString::fromStdString(t[3]));
    for (QLabel* l : {lblAborted, lblCannotClimb, lblRemedies, lblRemedyList}) top->addWidget(l);
    lblAborted->setAlignment(Qt::AlignCenter);
    lblCannotClimb->setAlignment(Qt::AlignCenter);
    cmdOK = button(ctl::cmdOK, "&OK");
    cmdOK->setDefault(true);
    top->addSpacing(8);
    top->addWidget(cmdOK, 0, Qt::AlignCenter);
    connect(cmdOK, &QPushButton::clicked, this, [this] { close(); });
    cmdOK->setFocus();
    placeWindow();
}

}  // namespace ornivo::ui
