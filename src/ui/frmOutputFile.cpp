#include "ui/frmOutputFile.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include "state/ControlNames.h"

namespace ornivo::ui {

frmOutputFile::frmOutputFile(UiContext& ctx, QWidget* setup)
    : Screen(ctx, ctl::frmOutputFile, "Output File", scaling::ResizePattern::ScaleAndCentre, setup) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    lblOutFile = label(ctl::lblOutFile, "Last output saved in:");
    txtOutFile = derived(ctl::txtOutFile);
    txtOutFile->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtOutFile->setFocusPolicy(Qt::StrongFocus);  // so the path can be selected and copied
    txtOutFile->setMinimumWidth(460);
    txtOutFile->setText(QString::fromStdString(ctx.s.OutPath));
    top->addWidget(lblOutFile);
    top->addWidget(txtOutFile);
    cmdOK = button(ctl::cmdOK, "&OK");
    cmdOK->setDefault(true);
    top->addLayout(line({Stretch, cmdOK}));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    placeWindow();
    cmdOK->setFocus();
}

void frmOutputFile::cmdOK_Click() { ctx_.endProgram(); }

void frmOutputFile::closeEvent(QCloseEvent* e) {
    e->accept();
    ctx_.endProgram();
}

}  // namespace ornivo::ui
