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

CommitEdit* frmSetupMigrate::add(QGridLayout* g, const QString& name, const QString& caption, const QString& tip,
                                 bool derivedValue, QLabel** captionOut) {
    return fieldRow(g, name, caption, 165, tip, derivedValue, captionOut);
}

frmSetupMigrate::frmSetupMigrate(UiContext& ctx)
    : SetupScreen(ctx, "frmSetupMigrate", "Set up Migration calculation", scaling::ResizePattern::ControlsOnly) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->setSpacing(6);
    top->addLayout(headingWithNames("Set up long-distance migration calculation"));
    auto* cols = new QHBoxLayout;
    auto* c1 = new QVBoxLayout;
    auto* c2 = new QVBoxLayout;
    auto* c3 = new QVBoxLayout;
    cols->addLayout(c1);
    cols->addLayout(c2);
    cols->addLayout(c3);
    top->addLayout(cols);
    auto grid = [this](const QString& name, const QString& title, QVBoxLayout* col) {
        return frameGrid(name, title, col, 2, 4);
    };

    QGridLayout* gm = grid("fraMasses", "Masses", c1);
    txtEmptyMass = add(gm, "txtEmptyMass", "Body mass (kg)", "Body mass with empty crop");
    txtCropMass = add(gm, "txtCropMass", "Payload mass (kg)", "Mass of food carried in the crop");
    txtAllUpMass = add(gm, "txtAllUpMass", "All-up mass (kg)", "Empty body mass + Crop mass", true);
    txtCropFrac = add(gm, "txtCropFrac", "Payload fraction", {}, true);
    txtMuscleMass = add(gm, "txtMuscleMass", "Flight muscle mass (kg)");
    txtMuscleFrac = add(gm, "txtMuscleFrac", "Flight muscle fraction");
    txtFatMass = add(gm, "txtFatMass", "Fat mass (kg)");
    txtFatFrac = add(gm, "txtFatFrac", "Fat fraction");
    txtAirframeMass = add(gm, "txtAirframeMass", "Airframe mass (kg)", {}, true);
    txtAirframeFrac = add(gm, "txtAirframeFrac", "Airframe fraction", {}, true);
    txtFatProtHeight = add(gm, "txtFatProtHeight", "Fat + Protein Energy ht (km)", {}, true);
    txtFatHeight = add(gm, "txtFatHeight", "Click to see Fat-only energy height (km)", {}, true);
    QGridLayout* gs = grid("fraSpeeds", "Speeds", c1);
    txtVratio = add(gs, "txtVratio", "Starting ratio V:Vmp");
    txtVratioGPS = add(gs, "txtVratioGPS", "Min V:Vmp ratio GPS");
    txtVmrRatio = add(gs, "txtVmrRatio", "Click to see ratio Vmr:Vmp", {}, true);
    c1->addStretch();

    QGridLayout* gw = grid("fraWings", "Wings and body", c2);
    txtSpan = add(gw, "txtSpan", "Wing span (m)", "Accurate measurement essential!");
    txtArea = add(gw, "txtArea", "Wing area (sq m)", "Automatic if wing span and aspect ratio supplied");
    txtAR = add(gw, "txtAR", "Aspect ratio", "Automatic if wing span and wing area supplied");
    txtSbody = add(gw, "txtSbody", "Body frontal area (sq m)", "Calculated from body mass", true);
    txtFrontalAreaFactor = add(gw, "txtFrontalAreaFactor", "Frontal area factor");
    txtCdb = add(gw, "txtCdb", "Body drag coefficient");
    txtPayDragFactor = add(gw, "txtPayDragFactor", "Payload drag factor");
    txtPbmr = add(gw, "txtPbmr", "Basal metabolic rate (W)",
                  "Calculated from empty body mass - different for passerines and non-passerines", true);
    txtPbmrFactor = add(gw, "txtPbmrFactor", "Basal metabolism factor");
    txtWbeatFreq = add(gw, "txtWbeatFreq", "Wingbeat frequency (Hz)");
    txtFreqFactor = add(gw, "txtFreqFactor", "Frequency factor");

    QGridLayout* ga = grid("fraAir", "Air and goal", c2);
    txtAlt = add(ga, "txtAlt", "Start altitude (m ASL)", "Set zero to get Sea Level density in Standard Atmosphere",
                 false, &lblAlt);
    txtRho = add(ga, "txtRho", "Start air density (kg/cu m)", "Double-click here to set density", false, &lblRho);
    txtAltCruise = add(ga, "txtAltCruise", "Cruise altitude (m ASL)", {}, false, &lblAltCruise);
    txtRhoCruise = add(ga, "txtRhoCruise", "Cruise air density (kg/cu m)", {}, false, &lblRhoCruise);
    lblEnterCruiseAlt = label("lblEnterCruiseAlt", "Enter cruise Alt to enable climb", ga->parentWidget());
    ga->addWidget(lblEnterCruiseAlt, ga->rowCount(), 0, 1, 2);
    txtGoalDist = add(ga, "txtGoalDist", "Kilometres to destination",
                      "Double-click to set start and finish coordinates", false, &lblGoalDist);
    c2->addStretch();


    fraFlightStyle = frame("fraFlightStyle", "Flight style");
    auto* fs = new QGridLayout(fraFlightStyle);
    fs->setVerticalSpacing(2);
    optFlap = option("optFlap", "Continuous &flapping", {}, fraFlightStyle);
    optFG = option("optFG", "Flap-&gliding", {}, fraFlightStyle);
    optBound = option("optBound", "&Bounding", {}, fraFlightStyle);
    lblPowerFrac = label("lblPowerFrac", "Power fraction:", fraFlightStyle);
    txtPowerFrac = field("txtPowerFrac", {}, fraFlightStyle);
    txtPowerFrac->setFixedWidth(60);
    lblPowerFrac->setBuddy(txtPowerFrac);
    fs->addWidget(optFlap, 0, 0, 1, 2);
    fs->addWidget(optFG, 1, 0, 1, 2);
    fs->addWidget(optBound, 2, 0, 1, 2);
    fs->addWidget(lblPowerFrac, 3, 0);
    fs->addWidget(txtPowerFrac, 3, 1);
    fs->setColumnStretch(0, 1);
    fs->setVerticalSpacing(1);
    fs->setContentsMargins(8, 2, 8, 2);
    c3->addWidget(fraFlightStyle);

    auto options = [this](QGroupBox* box, std::initializer_list<std::pair<QRadioButton**, std::pair<const char*,
                                                                                                   const char*>>> os) {
        auto* l = new QVBoxLayout(box);
        l->setSpacing(1);
        l->setContentsMargins(8, 2, 8, 2);
        for (auto [member, nc] : os) {
            *member = option(nc.first, nc.second, {}, box);
            l->addWidget(*member);
        }
    };
    fraSpeedControl = frame("fraSpeedControl", "Speed control method");
    options(fraSpeedControl, {{&optVratioConst, {"optVratioConst", "Hold ratio V:Vmp constant"}},
                              {&optVconst, {"optVconst", "Hold speed constant"}},
                              {&optMaxRange, {"optMaxRange", "Standard"}}});
    c3->addWidget(fraSpeedControl);
    fraMuscleControl = frame("fraMuscleControl", "Protein burn criterion");
    options(fraMuscleControl, {{&optSpWorkConst, {"optSpWorkConst", "Hold specific work constant"}},
                               {&optSpPowerConst, {"optSpPowerConst", "Hold specific power constant"}},
                               {&optMuscleMassConst, {"optMuscleMassConst", "Hold muscle mass constant"}}});
    c3->addWidget(fraMuscleControl);

    fraSimType = frame("fraSimType", "Simulation Type");
    auto* st = new QGridLayout(fraSimType);
    st->setVerticalSpacing(1);
    st->setContentsMargins(8, 2, 8, 2);
    optProj = option("optProj", "&Programmed height and speed", {}, fraSimType);
    optGPS = option("optGPS", "Start with GPS &Track", {}, fraSimType);
    chkKMLfile = check("chkKMLfile", "Output &KML file for map", fraSimType);
    chkProgress = check("chkProgress", "Output Progress &Update", fraSimType);
    cmdImportTrack = button("cmdImportTrack", "&Import GPS fixes...", fraSimType);
    cmdImportTrack->setToolTip("Turn raw GPS fixes (Movebank CSV or GPX) into a track workbook for a GPS run");
    st->addWidget(optProj, 0, 0);
    st->addWidget(optGPS, 1, 0);
    st->addWidget(cmdImportTrack, 2, 0, Qt::AlignRight);
    st->addWidget(chkKMLfile, 3, 0);
    st->addWidget(chkProgress, 4, 0);
    c3->addWidget(fraSimType);
    c3->addStretch();
    auto* tools = new QVBoxLayout;
    c3->addLayout(tools);

    auto* buttons = new QHBoxLayout;
    cmdStart = button("cmdStart", "&Start migrating");
    cmdStart->setDefault(true);
    QFont bf = cmdStart->font();
    bf.setBold(true);
    cmdStart->setFont(bf);
    lblWait = label("lblWait", "WAIT ..");
    QFont wf = lblWait->font();
    wf.setBold(true);
    lblWait->setFont(wf);
    lblWait->setVisible(false);
    cmdSetDefaults = button("cmdSetDefaults", "&MORE Settings ..");
    cmdStopMassCalc = button("cmdStopMassCalc", "St&opover Mass Calculator");
    tools->addWidget(cmdSetDefaults);
    tools->addWidget(cmdStopMassCalc);
    cmdNewBird = button("cmdNewBird", "Get &New Bird");
    cmdShowDefs = button("cmdShowDefs", "Show Definitions");
    cmdHelp = button("cmdHelp", "Read Manual");
    WireShowDefinitions(this, cmdShowDefs);
    WireReadManual(this, cmdHelp);
    cmdExit = button("cmdExit", "E&xit Program");
    buttons->addWidget(cmdStart);
    buttons->addWidget(lblWait);
    buttons->addWidget(cmdNewBird);
    buttons->addStretch();
    buttons->addWidget(cmdShowDefs);
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdExit);
    top->addLayout(buttons);

    QWidget* order[] = {txtShortName, txtEmptyMass, txtCropMass, txtMuscleMass, txtMuscleFrac, txtFatMass,
                        txtFatFrac, txtSpan, txtArea, txtAR, txtFrontalAreaFactor, txtCdb, txtPayDragFactor,
                        txtPbmrFactor, txtWbeatFreq, txtFreqFactor, txtAlt, txtRho, txtAltCruise, txtRhoCruise,
                        txtGoalDist, txtVratio, txtVratioGPS, optFlap, optFG, optBound, txtPowerFrac,
                        optVratioConst, optVconst, optMaxRange, optSpWorkConst, optSpPowerConst,
                        optMuscleMassConst, optProj, optGPS, cmdImportTrack, chkKMLfile, chkProgress, cmdStart,
                        cmdSetDefaults, cmdStopMassCalc, cmdNewBird, cmdExit};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    for (CommitEdit* f : findChildren<CommitEdit*>()) {
        connect(f, &CommitEdit::committed, this,
                [this, f](const QString& t) { guarded([&] { txtField_LostFocus(f, t); }); });
        connect(f, &CommitEdit::clickedInto, this, [this, f] { guarded([&] { txtField_Click(f); }); });
    }
    connect(txtTaxon, &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtTaxon_DblClick(); }); });
    connect(txtRho, &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtRho_DblClick(); }); });
    connect(txtGoalDist, &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtGoalDist_DblClick(); }); });
    for (QRadioButton* o : findChildren<QRadioButton*>())
        connect(o, &QRadioButton::clicked, this, [this, o] { guarded([&] { opt_Click(o); }); });
    for (QCheckBox* c : {chkKMLfile, chkProgress})
        connect(c, &QCheckBox::clicked, this, [this, c] { guarded([&] { chk_Click(c); }); });
    connect(cmdStart, &QPushButton::clicked, this, [this] { guarded([this] { cmdStart_Click(); }); });
    connect(cmdSetDefaults, &QPushButton::clicked, this, [this] { guarded([this] { cmdSetDefaults_Click(); }); });
    connect(cmdStopMassCalc, &QPushButton::clicked, this, [this] { guarded([this] { cmdStopMassCalc_Click(); }); });
    connect(cmdImportTrack, &QPushButton::clicked, this, [this] { guarded([this] { cmdImportTrack_Click(); }); });
    connect(cmdNewBird, &QPushButton::clicked, this, [this] { guarded([this] { cmdNewBird_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });

    Form_Load();
    placeWindow();
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

void frmSetupMigrate::txtField_LostFocus(CommitEdit* f, const QString& text) {
    try {
        apply(migrate::SetupMigrateEdit(ctx_.s, ctx_.d, f->objectName().toStdString(),
                                        Edit::typed(text.toStdString())));
    } catch (const UnknownControl&) {
        // A read-only field takes no typing.
    }
}

void frmSetupMigrate::txtField_Click(CommitEdit* f) {
    try {
        apply(migrate::SetupMigrateEdit(ctx_.s, ctx_.d, f->objectName().toStdString(), Edit::click()));
    } catch (const UnknownControl&) {
        // A field that takes no click (a name, a derived value).
    }
}

void frmSetupMigrate::txtTaxon_DblClick() {
    apply(migrate::SetupMigrateEdit(ctx_.s, ctx_.d, "txtTaxon", Edit::doubleClick()));
}

void frmSetupMigrate::txtRho_DblClick() {
    apply(migrate::SetupMigrateEdit(ctx_.s, ctx_.d, "txtRho", Edit::doubleClick()));
    openTool(new frmAirDensity(ctx_, this));
}

void frmSetupMigrate::txtGoalDist_DblClick() {
    apply(migrate::SetupMigrateEdit(ctx_.s, ctx_.d, "txtGoalDist", Edit::doubleClick()));
    openTool(new frmGoalDist(ctx_, this, [this](const ScreenUpdate& u) { apply(u); }));
}

void frmSetupMigrate::opt_Click(QRadioButton* o) {
    commitPending();
    apply(migrate::SetupMigrateEdit(ctx_.s, ctx_.d, o->objectName().toStdString(), Edit::click()));
}

void frmSetupMigrate::chk_Click(QCheckBox* c) {
    apply(migrate::SetupMigrateEdit(ctx_.s, ctx_.d, c->objectName().toStdString(), Edit::check(c->isChecked())));
}

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
