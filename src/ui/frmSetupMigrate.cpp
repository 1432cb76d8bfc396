#include "ui/frmSetupMigrate.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "migrate/SetupMigrate.h"
#include "output/WorkbookRunOutput.h"
#include "platform/Folders.h"
#include "state/ControlNames.h"
#include "state/numtext.h"
#include "ui/ManualScreens.h"
#include "ui/RunDialogs.h"
#include "ui/frmAirDensity.h"
#include "ui/frmClimbAbort.h"
#include "ui/frmGoalDist.h"
#include "ui/frmImportTrack.h"
#include "ui/frmMigrAbort.h"
#include "ui/frmSetDefaultsMigr.h"
#include "ui/frmStopMassCalc.h"
#include "ui/frmSummaryMigrate.h"

namespace ornivo::ui {

frmSetupMigrate::frmSetupMigrate(UiContext& ctx)
    : SetupScreen(ctx, ctl::frmSetupMigrate, "Set up Migration calculation", scaling::ResizePattern::ControlsOnly) {
    look_ = {.rowSpacing = 2, .margin = 4, .captionWidth = 165};
    auto [top, c1, c2, c3] = threeColumns("Set up long-distance migration calculation");
    using P = Param;
    massesFrame(c1, "Fat + Protein Energy ht (km)", "Click to see Fat-only energy height (km)");
    addRows(frameGrid(ctl::fraSpeeds, "Speeds", c1),
            {{txtVratio, P::Vratio}, {txtVratioGPS, P::VratioGPS}, {txtVmrRatio, P::VmrRatio}});
    c1->addStretch();

    addRows(frameGrid(ctl::fraWings, "Wings and body", c2),
            {{txtSpan, P::Span}, {txtArea, P::Area}, {txtAR, P::AR}, FieldRow(txtSbody, P::Sbody).derived(),
             FieldRow(txtFrontalAreaFactor, P::FrontalAreaFactor).caption("Frontal area factor"), {txtCdb, P::Cdb},
             {txtPayDragFactor, P::PayDragFactor}, FieldRow(txtPbmr, P::Pbmr).derived(),
             {txtPbmrFactor, P::PbmrFactor}, {txtWbeatFreq, P::WbeatFreq},
             FieldRow(txtFreqFactor, P::FreqFactor).caption("Frequency factor")});
    QGridLayout* ga = frameGrid(ctl::fraAir, "Air and goal", c2);
    addRows(ga, {FieldRow(txtAlt, P::Alt)
                     .caption("Start altitude (m ASL)")
                     .tip("Set zero to get Sea Level density in Standard Atmosphere")
                     .captionInto(lblAlt),
                 FieldRow(txtRho, P::Rho).caption("Start air density (kg/cu m)").captionInto(lblRho),
                 FieldRow(txtAltCruise, P::AltCruise).captionInto(lblAltCruise),
                 FieldRow(txtRhoCruise, P::RhoCruise).captionInto(lblRhoCruise)});
    lblEnterCruiseAlt = label(ctl::lblEnterCruiseAlt, "Enter cruise Alt to enable climb", ga->parentWidget());
    ga->addWidget(lblEnterCruiseAlt, ga->rowCount(), 0, 1, 2);
    addRows(ga, {FieldRow(txtGoalDist, P::GoalDist)
                     .caption("Kilometres to destination")
                     .tip("Double-click to set start and finish coordinates")
                     .captionInto(lblGoalDist)});
    c2->addStretch();

    c3->addWidget(flightStyleFrame());
    optionFrames(c3);
    auto* tools = new QVBoxLayout;
    c3->addLayout(tools);
    QHBoxLayout* buttons = buttonRow(cmdStart, ctl::cmdStart, "&Start migrating");
    toolButtons(tools, buttons);
    top->addLayout(buttons);

    tabOrder({txtShortName, txtEmptyMass, txtCropMass, txtMuscleMass, txtMuscleFrac, txtFatMass, txtFatFrac, txtSpan,
              txtArea, txtAR, txtFrontalAreaFactor, txtCdb, txtPayDragFactor, txtPbmrFactor, txtWbeatFreq,
              txtFreqFactor, txtAlt, txtRho, txtAltCruise, txtRhoCruise, txtGoalDist, txtVratio, txtVratioGPS,
              optFlap, optFG, optBound, txtPowerFrac, optVratioConst, optVconst, optMaxRange, optSpWorkConst,
              optSpPowerConst, optMuscleMassConst, optProj, optGPS, cmdImportTrack, chkKMLfile, chkProgress,
              cmdStart, cmdSetDefaults, cmdStopMassCalc, cmdNewBird, cmdExit});
    wire();

    Form_Load();
    placeWindow();
}

QGroupBox* frmSetupMigrate::flightStyleFrame() {
    fraFlightStyle = frame(ctl::fraFlightStyle, "Flight style");
    auto* fs = new QGridLayout(fraFlightStyle);
    optFlap = option(ctl::optFlap, "Continuous &flapping", {}, fraFlightStyle);
    optFG = option(ctl::optFG, "Flap-&gliding", {}, fraFlightStyle);
    optBound = option(ctl::optBound, "&Bounding", {}, fraFlightStyle);
    fs->addWidget(optFlap, 0, 0, 1, 2);
    fs->addWidget(optFG, 1, 0, 1, 2);
    fs->addWidget(optBound, 2, 0, 1, 2);
    addRows(fs, {FieldRow(txtPowerFrac, Param::PowerFrac).noTip().oneLine().captionInto(lblPowerFrac)});
    fs->setColumnStretch(0, 1);
    fs->setVerticalSpacing(1);
    fs->setContentsMargins(8, 2, 8, 2);
    return fraFlightStyle;
}

void frmSetupMigrate::optionFrames(QVBoxLayout* column) {
    // Option frames set close, so that the column fits beside the others.
    auto compact = [&](QGroupBox* box) {
        box->layout()->setSpacing(1);
        box->layout()->setContentsMargins(8, 2, 8, 2);
        column->addWidget(box);
        return box;
    };
    fraSpeedControl = compact(optionFrame(ctl::fraSpeedControl, "Speed control method",
                                          {{optVratioConst, ctl::optVratioConst, "Hold ratio V:Vmp constant"},
                                           {optVconst, ctl::optVconst, "Hold speed constant"},
                                           {optMaxRange, ctl::optMaxRange, "Standard"}}));
    fraMuscleControl = compact(optionFrame(ctl::fraMuscleControl, "Protein burn criterion",
                                           {{optSpWorkConst, ctl::optSpWorkConst, "Hold specific work constant"},
                                            {optSpPowerConst, ctl::optSpPowerConst, "Hold specific power constant"},
                                            {optMuscleMassConst, ctl::optMuscleMassConst,
                                             "Hold muscle mass constant"}}));

    fraSimType = frame(ctl::fraSimType, "Simulation Type");
    auto* st = new QGridLayout(fraSimType);
    st->setVerticalSpacing(1);
    st->setContentsMargins(8, 2, 8, 2);
    optProj = option(ctl::optProj, "&Programmed height and speed", {}, fraSimType);
    optGPS = option(ctl::optGPS, "Start with GPS &Track", {}, fraSimType);
    chkKMLfile = check(ctl::chkKMLfile, "Output &KML file for map", fraSimType);
    chkProgress = check(ctl::chkProgress, "Output Progress &Update", fraSimType);
    cmdImportTrack = button(ctl::cmdImportTrack, "&Import GPS fixes...", fraSimType);
    cmdImportTrack->setToolTip("Turn raw GPS fixes (Movebank CSV or GPX) into a track workbook for a GPS run");
    st->addWidget(optProj, 0, 0);
    st->addWidget(optGPS, 1, 0);
    st->addWidget(cmdImportTrack, 2, 0, Qt::AlignRight);
    st->addWidget(chkKMLfile, 3, 0);
    st->addWidget(chkProgress, 4, 0);
    column->addWidget(fraSimType);
    column->addStretch();
}

void frmSetupMigrate::toolButtons(QVBoxLayout* tools, QHBoxLayout* buttons) {
    lblWait = bold(label(ctl::lblWait, "WAIT .."));
    lblWait->setVisible(false);
    buttons->insertWidget(1, lblWait);
    cmdSetDefaults = button(ctl::cmdSetDefaults, "&MORE Settings ..");
    cmdStopMassCalc = button(ctl::cmdStopMassCalc, "St&opover Mass Calculator");
    tools->addWidget(cmdSetDefaults);
    tools->addWidget(cmdStopMassCalc);
}

void frmSetupMigrate::wire() {
    wireFields();
    connect(txtGoalDist, &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtGoalDist_DblClick(); }); });
    for (QCheckBox* c : {chkKMLfile, chkProgress})
        connect(c, &QCheckBox::clicked, this, [this, c] { guarded([&] { chk_Click(c); }); });
    connect(cmdStart, &QPushButton::clicked, this, [this] { guarded([this] { cmdStart_Click(); }); });
    connect(cmdSetDefaults, &QPushButton::clicked, this, [this] { guarded([this] { cmdSetDefaults_Click(); }); });
    connect(cmdStopMassCalc, &QPushButton::clicked, this, [this] { guarded([this] { cmdStopMassCalc_Click(); }); });
    connect(cmdImportTrack, &QPushButton::clicked, this, [this] { guarded([this] { cmdImportTrack_Click(); }); });
}

void frmSetupMigrate::Form_Load() {
    apply(migrate::LoadSetupMigrate(ctx_.s, ctx_.d));
    txtEmptyMass->setFocus();
}

void frmSetupMigrate::Form_Activate() { apply(migrate::ActivateSetupMigrate(ctx_.s)); }

bool frmSetupMigrate::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) guarded([this] { Form_Activate(); });
    return Screen::event(e);
}

ScreenUpdate frmSetupMigrate::edit(const std::string& control, const Edit& e) {
    return migrate::SetupMigrateEdit(ctx_.s, ctx_.d, control, e);
}

void frmSetupMigrate::txtRho_DblClick() {
    applyEdit(txtRho, Edit::doubleClick());
    openTool(new frmAirDensity(ctx_, this));
}

void frmSetupMigrate::txtGoalDist_DblClick() {
    applyEdit(txtGoalDist, Edit::doubleClick());
    openTool(new frmGoalDist(ctx_, this, [this](const ScreenUpdate& u) { apply(u); }));
}

void frmSetupMigrate::chk_Click(QCheckBox* c) { applyEdit(c, Edit::check(c->isChecked())); }

void frmSetupMigrate::cmdStart_Click() {
    commitPending();
    // The track and site dialogs of a GPS run open in the track folder: make it if it is missing.
    if (optGPS->isChecked()) platform::EnsureFolder(ctx_.s.Gps.TrackFolder);
    // A long run keeps "WAIT .." showing; it is hidden again while a dialog of the run asks something.
    RunDialogs run(ctx_.d, lblWait, cmdStart, offeredTrack);
    const migrate::StartOutcome out = migrate::StartMigrating(ctx_.s, run);
    run.done();
    switch (out) {
        case migrate::StartOutcome::Finished: {
            auto* results = new frmSummaryMigrate(ctx_, this);
            results->show();
            if (ctx_.s.Migration.ClimbAborted) {
                // The climb notice is modeless and comes to the front after the results screen opens.
                auto* notice = new frmClimbAbort(ctx_);
                notice->show();
                notice->raise();
                notice->activateWindow();
            }
            break;
        }
        case migrate::StartOutcome::CannotClimb: openTool(new frmMigrAbort(ctx_, this)); break;
        default: break;  // refused or failed: the message was shown, the screen stays as it was
    }
}

void frmSetupMigrate::cmdSetDefaults_Click() {
    commitPending();
    openTool(new frmSetDefaultsMigr(ctx_, this));
}

void frmSetupMigrate::cmdStopMassCalc_Click() {
    commitPending();
    openTool(new frmStopMassCalc(ctx_, this));
}

void frmSetupMigrate::cmdImportTrack_Click() {
    commitPending();
    auto* import = new frmImportTrack(ctx_, this, [this](const std::string& workbook) {
        // The saved track workbook becomes the track proposed for a GPS run.
        offeredTrack = workbook;
        if (!optGPS->isChecked()) {
            optGPS->setChecked(true);
            opt_Click(optGPS);
        }
    });
    openTool(import);
}

void frmSetupMigrate::openTool(Screen* tool) {
    // The stopover mass calculator's result is taken up when this screen is active again.
    connect(tool, &QObject::destroyed, this, [this] { guarded([this] { Form_Activate(); }); });
    tool->show();
}

bool frmSetupMigrate::saveOpenWorkbook() {
    return output::MayLeaveSetup(output::SaveMigrationWorkbook(ctx_.s, ctx_.d));
}

}  // namespace ornivo::ui
