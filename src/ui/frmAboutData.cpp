#include "ui/frmAboutData.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "birddb/BirdFiles.h"
#include "state/ControlNames.h"

namespace ornivo::ui {

frmAboutData::frmAboutData(UiContext& ctx, QWidget* opener)
    : Screen(ctx, ctl::frmAboutData, "About the data", scaling::ResizePattern::ScaleAndCentre, opener) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    txtAbout = new QTextBrowser(this);
    txtAbout->setObjectName(ctl::txtAbout);
    txtAbout->setOpenExternalLinks(true);
    txtAbout->setMinimumSize(600, 420);
    txtAbout->setMarkdown(QString::fromStdString(birddb::AboutTheDataText(ctx_.s)));
    top->addWidget(txtAbout, 1);
    cmdExit = button(ctl::cmdExit, "&Return");
    top->addLayout(line({Stretch, cmdExit}));
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    placeWindow();
}

void frmAboutData::cmdExit_Click() { close(); }

}  // namespace ornivo::ui
