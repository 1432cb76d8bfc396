#include "ui/frmStart.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "output/OutputTree.h"
#include "platform/Folders.h"
#include "state/ControlNames.h"
#include "state/numtext.h"
#include "ui/ManualScreens.h"
#include "ui/OutputRoots.h"
#include "ui/StartupSettings.h"
#include "ui/frmEnterBird.h"

namespace ornivo::ui {

frmStart::frmStart(UiContext& ctx) : Screen(ctx, ctl::frmStart, "Ornivo", scaling::ResizePattern::ControlsOnly) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(24, 18, 24, 18);
    top->setSpacing(10);

    lblHeading = label(ctl::lblHeading, "Welcome to Ornivo ");
    QFont hf = lblHeading->font();
    hf.setPointSizeF(hf.pointSizeF() * 1.8);
    hf.setBold(true);
    lblHeading->setFont(hf);
    lblVersion = label(ctl::lblVersion, "");
    auto* head = new QHBoxLayout;
    head->addWidget(lblHeading);
    head->addStretch();
    head->addWidget(lblVersion, 0, Qt::AlignBottom);
    top->addLayout(head);

    lblInfo = label(ctl::lblInfo, "");
    lblInfo->setTextFormat(Qt::PlainText);
    top->addWidget(lblInfo);

    lblCommaWarning = label(ctl::lblCommaWarning, "");
    lblCommaWarning->setTextFormat(Qt::PlainText);
    lblCommaWarning->setStyleSheet("color: #8a1c1c;");
    top->addWidget(lblCommaWarning);

    QGroupBox* fraOutput = frame(ctl::fraOutput, "Output");
    auto* og = new QGridLayout(fraOutput);
    lblOutDrive = label(ctl::lblOutDrive, "Select drive for output", fraOutput);
    drvOutDefault = new QComboBox(fraOutput);
    drvOutDefault->setObjectName("drvOutDefault");
    drvOutDefault->setMinimumWidth(320);
    lblOutDrive->setBuddy(drvOutDefault);
    og->addWidget(lblOutDrive, 0, 0);
    og->addWidget(drvOutDefault, 0, 1, 1, 2);
    lblSaveMethod = label(ctl::lblSaveMethod, "Choose  method of saving output:", fraOutput);
    optExcel = option(ctl::optExcel, "&Excel Workbooks", {}, fraOutput);
    optTextFiles = option(ctl::optTextFiles, "&Text Files", {}, fraOutput);
    og->addWidget(lblSaveMethod, 1, 0);
    og->addWidget(optExcel, 1, 1);
    og->addWidget(optTextFiles, 1, 2);
    chkResizeScreen = check(ctl::chkResizeScreen, "&Resize screens automatically", fraOutput);
    og->addWidget(chkResizeScreen, 2, 0, 1, 3);
    og->setColumnStretch(2, 1);
    top->addWidget(fraOutput);

    lblDownloadNotice = label(ctl::lblDownloadNotice, "");
    lblDownloadNotice->setWordWrap(true);
    lblDownloadNotice->setTextFormat(Qt::PlainText);
    lblDownloadNotice->setStyleSheet("color: palette(dark);");
    top->addWidget(lblDownloadNotice);

    top->addStretch();
    auto* buttons = new QHBoxLayout;
    cmdEnterNewBird = button(ctl::cmdEnterNewBird, "&Get Bird");
    cmdEnterNewBird->setDefault(true);
    cmdEnterNewBird->setAutoDefault(true);
    cmdInfo = button(ctl::cmdInfo, "Getting &Started");
    connect(cmdInfo, &QPushButton::clicked, this,
            [this] { guarded([this] { ShowManualPage(ctx_, ctl::frmHelpTutorial); }); });
    cmdExit = button(ctl::cmdExit, "E&xit Program");
    buttons->addWidget(cmdEnterNewBird);
    buttons->addWidget(cmdInfo);
    buttons->addStretch();
    buttons->addWidget(cmdExit);
    top->addLayout(buttons);

    connect(chkResizeScreen, &QCheckBox::clicked, this, [this] { chkResizeScreen_Click(); });
    connect(optExcel, &QRadioButton::clicked, this, [this] { optExcel_Click(); });
    connect(optTextFiles, &QRadioButton::clicked, this, [this] { optTextFiles_Click(); });
    connect(cmdEnterNewBird, &QPushButton::clicked, this, [this] { guarded([this] { cmdEnterNewBird_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

    Form_Load();
    connect(drvOutDefault, &QComboBox::currentIndexChanged, this, [this] { drvOutDefault_Change(); });
    setMinimumWidth(640);
}

void frmStart::Form_Load() {
    ProgramState& s = ctx_.s;
    SetVersionAndNotices(s);
    lblVersion->setText("V " + QString::fromStdString(VersionText()));
    // Data/, XLTemplates/ and Manual/: beside the program in the build tree, ../share/ornivo when installed.
    s.ProgramFolder = platform::ShippedFolder();
    s.LastOutputFolder.clear();
    // GPS tracks start in the documents' "Ornivo Tracks" (made when a track dialog first needs it);
    // afterwards the dialogs follow the folder of the last track chosen.
    s.Gps.TrackFolder = platform::TracksFolder();

    for (const OutputRoot& r : AvailableOutputRoots()) drvOutDefault->addItem(r.label, r.path);
    ReadStartupSettings(s, ctx_.settings, HomeFolder().toStdString(),
                        [](const std::string& p) { return FolderExistsOnDisk(QString::fromStdString(p)); });
    selectOutputRoot(QString::fromStdString(s.OutDrive));
    (s.UseTextFiles ? optTextFiles : optExcel)->setChecked(true);

    s.LastBirdValid = false;
    s.PrintedFlag = false;
    lblInfo->setText("This program will calculate:\n\n"
                     "* A power curve for a bird at a particular mass and air density\n"
                     "* A glide polar for a bird at a particular mass and air density\n"
                     "* Distance, time and body composition in prolonged migration\n\n"
                     "RESULTS ARE ONLY AS GOOD AS THE INPUT DATA");
    lblCommaWarning->setText("European Users - Please ensure that your computer is set to use decimal POINTS\n"
                             "This program will not work correctly if you use commas - See OrnivoReadMe");
    lblDownloadNotice->setText(QString::fromStdString(s.NoticeLines[0] + "\n" + s.NoticeLines[1] + "\n" +
                                                      s.NoticeLines[2]));

    if (QScreen* scr = QGuiApplication::primaryScreen())
        scaling::SetScreenScale(s, scr->geometry().width(), scr->geometry().height());
    // The start screen rescales itself whatever the setting; the other screens follow the check box.
    s.ResizeScreens = true;
    placeWindow();
    chkResizeScreen->setChecked(true);
}

void frmStart::selectOutputRoot(const QString& path) {
    int i = drvOutDefault->findData(path);
    if (i < 0) {
        // A remembered folder below a volume: offered as it is.
        drvOutDefault->addItem(path, path);
        i = drvOutDefault->count() - 1;
    }
    drvOutDefault->setCurrentIndex(i);
}

void frmStart::chkResizeScreen_Click() { ctx_.s.ResizeScreens = chkResizeScreen->isChecked(); }

void frmStart::drvOutDefault_Change() {
    if (drvOutDefault->currentIndex() >= 0) ctx_.s.OutDrive = drvOutDefault->currentData().toString().toStdString();
}

void frmStart::optExcel_Click() { ctx_.s.UseTextFiles = false; }
void frmStart::optTextFiles_Click() { ctx_.s.UseTextFiles = true; }

void frmStart::cmdEnterNewBird_Click() {
    auto* next = new frmEnterBird(ctx_);
    next->show();
    goingOn_ = true;
    close();
}

void frmStart::cmdExit_Click() { close(); }

void frmStart::closeEvent(QCloseEvent* e) {
    // Both ways out remember the output folder and type.
    WriteStartupSettings(ctx_.s, ctx_.settings);
    e->accept();
    if (!goingOn_) ctx_.endProgram();
}

}  // namespace ornivo::ui
