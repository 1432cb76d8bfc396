#include "ui/frmClimbAbort.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "migrate/MigrationEngine.h"
#include "state/ControlNames.h"

namespace ornivo::ui {

frmClimbAbort::frmClimbAbort(UiContext& ctx)
    : Screen(ctx, ctl::frmClimbAbort, QString::fromStdString(migrate::ClimbAbortTitle()),
             scaling::ResizePattern::ScaleAndCentre) {
    const std::vector<std::string> t = migrate::ClimbAbortTexts(ctx.s);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    lblClimbAborted = label(ctl::lblClimbAborted, QString::fromStdString(t[0]));
    lblAltitude = bold(label(ctl::lblAltitude, QString::fromStdString(t[1])));
    lblMetres = label(ctl::lblMetres, QString::fromStdString(t[2]));
    top->addLayout(line({Stretch, lblClimbAborted, lblAltitude, lblMetres, Stretch}));
    lblReason = label(ctl::lblReason, QString::fromStdString(t[3]));
    lblContinues = label(ctl::lblContinues, QString::fromStdString(t[4]));
    for (QLabel* l : {lblReason, lblContinues}) {
        l->setAlignment(Qt::AlignCenter);
        top->addWidget(l);
    }
    cmdOK = button(ctl::cmdOK, "&OK");
    cmdOK->setDefault(true);
    top->addSpacing(8);
    top->addWidget(cmdOK, 0, Qt::AlignCenter);
    connect(cmdOK, &QPushButton::clicked, this, [this] { close(); });
    placeWindow();
}

}  // namespace ornivo::ui
