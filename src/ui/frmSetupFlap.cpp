#include "ui/frmSetupFlap.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "output/WorkbookRunOutput.h"
#include "state/numtext.h"
#include "ui/ManualScreens.h"
#include "ui/frmAirDensity.h"
#include "ui/frmSummaryFlap.h"

namespace ornivo::ui {

CommitEdit* frmSetupFlap::add(QGridLayout* g, const QString& name, const QString& caption, const QString& tip,
                              bool derivedValue) {
    QWidget* box = g->parentWidget();
    CommitEdit* f = derivedValue ? derived(name, tip, box) : field(name, tip, box);
    f->setFixedWidth(f->objectName() == "txtSpName" || f->objectName() == "txtShortName" ||
                             f->objectName() == "txtTaxon" ? 150 : 78);
    QString lblName = "lbl" + name.mid(3);
    row(g, g->rowCount(), label(lblName, caption, box), f);
    return f;
}

frmSetupFlap::frmSetupFlap(UiContext& ctx)
    : SetupScreen(ctx, "frmSetupFlap", "Set up Power Curve calculation", scaling::ResizePattern::ControlsOnly) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->setSpacing(6);
    auto* cols = new QHBoxLayout;
    auto* c1 = new QVBoxLayout;
    auto* c2 = new QVBoxLayout;
    auto* c3 = new QVBoxLayout;
    cols->addLayout(c1);
    cols->addLayout(c2);
    cols->addLayout(c3);
    top->addLayout(cols);
    auto grid = [this](const QString& name, const QString& title, QVBoxLayout* col) {
        QGroupBox* f = frame(name, title);
        auto* g = new QGridLayout(f);
        g->setVerticalSpacing(3);
        g->setHorizontalSpacing(6);
        g->setContentsMargins(8, 6, 8, 6);
        g->setColumnStretch(0, 1);
        col->addWidget(f);
        return g;
    };

    QGridLayout* gb = grid("fraBird", "Species", c1);
    txtSpName = add(gb, "txtSpName", "Species");
    txtSpName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtShortName = add(gb, "txtShortName", "Short name");
    txtShortName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtTaxon = add(gb, "txtTaxon", "Group", "Double-click to change", true);
    txtTaxon->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QGridLayout* gm = grid("fraMasses", "Masses", c1);
    txtEmptyMass = add(gm, "txtEmptyMass", "Body mass (kg)", "Body mass with empty crop");
    txtCropMass = add(gm, "txtCropMass", "Payload mass (kg)", "Mass of food carried in the crop");
    txtCropFrac = add(gm, "txtCropFrac", "Payload fraction", {}, true);
    txtAllUpMass = add(gm, "txtAllUpMass", "All-up mass (kg)", "Empty body mass + Crop mass", true);
    txtMuscleMass = add(gm, "txtMuscleMass", "Flight muscle mass (kg)",
                        "Mass of pectoralis + supracoracoideus muscles of both sides");
    txtMuscleFrac = add(gm, "txtMuscleFrac", "Flight muscle fraction", "Ratio flight muscle mass to empty body mass");
    txtFatMass = add(gm, "txtFatMass", "Fat mass (kg)", "Mass of consumable fat");
    txtFatFrac = add(gm, "txtFatFrac", "Fat fraction", "Ratio fat mass to empty body mass");
    txtAirframeMass = add(gm, "txtAirframeMass", "Airframe mass (kg)", "Empty mass - (fat mass + flight muscle mass)",
                          true);
    txtAirframeFrac = add(gm, "txtAirframeFrac", "Airframe fraction", "1 - (fat fraction + flight muscle fraction)",
                          true);

    c1->addStretch();
    QGridLayout* ge = nullptr;

    QGridLayout* gw = grid("fraWings", "Wings and air", c2);
    txtSpan = add(gw, "txtSpan", "Wing span (m)", "Accurate measurement essential!");
    txtArea = add(gw, "txtArea", "Wing area (sq m)", "Automatic if wing span and aspect ratio supplied");
    txtAR = add(gw, "txtAR", "Aspect ratio", "Automatic if wing span and wing area supplied");
    txtRho = add(gw, "txtRho", "Air density (kg/cu m)", "Double-click here to set density");
    txtAlt = add(gw, "txtAlt", "Altitude (m) ASL",
                 "Height above sea level in Standard Atmosphere (from density)\n"
                 "Set zero to get Sea Level density in Standard Atmosphere");

    QGridLayout* gd = grid("fraBody", "Body drag and gravity", c2);
    txtSbody = add(gd, "txtSbody", "Body frontal area (sq m)", "Calculated from body mass");
    txtFrontalAreaFactor = add(gd, "txtFrontalAreaFactor", "Frontal Area Factor");
    txtCdb = add(gd, "txtCdb", "Body drag coefficient");
    txtPayDragFactor = add(gd, "txtPayDragFactor", "Payload drag factor");
    txtGravity = add(gd, "txtGravity", "Gravity (m/s-sq)");

    fraFlightStyle = frame("fraFlightStyle", "Flight style");
    auto* fs = new QGridLayout(fraFlightStyle);
    optFlap = option("optFlap", "Continuous &flapping", {}, fraFlightStyle);
    optFG = option("optFG", "Flap-g&liding", {}, fraFlightStyle);
    optBound = option("optBound", "&Bounding", {}, fraFlightStyle);
    fs->addWidget(optFlap, 0, 0, 1, 2);
    fs->addWidget(optFG, 1, 0, 1, 2);
    fs->addWidget(optBound, 2, 0, 1, 2);
    lblPowerFrac = label("lblPowerFrac", "Power fraction:", fraFlightStyle);
    txtPowerFrac = field("txtPowerFrac", "Ratio duration of flapping phase to duration of bound cycle", fraFlightStyle);
    txtPowerFrac->setFixedWidth(78);
    lblPowerFrac->setBuddy(txtPowerFrac);
    fs->addWidget(lblPowerFrac, 3, 0);
    fs->addWidget(txtPowerFrac, 3, 1);
    fs->setColumnStretch(0, 1);
    c2->addWidget(fraFlightStyle);
    c2->addStretch();

    QGridLayout* gp = grid("fraPower", "Power and muscles", c3);
    txtKflap = add(gp, "txtKflap", "Induced power factor", "See Power Curve Help Screen");
    txtCprof = add(gp, "txtCprof", "Profile power constant", "See Power Curve Help Screen");
    txtX1 = add(gp, "txtX1", "Profile power ratio", "See Power Curve Help Screen");
    txtResp = add(gp, "txtResp", "Respiration factor", "Metabolic cost of pumping heart and lungs");
    txtEta = add(gp, "txtEta", "Conversion efficiency", "Proportion of fuel energy converted to work by muscles");
    txtPbmr = add(gp, "txtPbmr", "Basal metabolic rate (W)",
                  "Calculated from empty body mass - different for passerines and non-passerines");
    txtPbmrFactor = add(gp, "txtPbmrFactor", "Basal metabolism factor");
    txtKmito = add(gp, "txtKmito", "Inverse power density \nof mitochondria (cu m/W)",
                   "See \"Muscles as Engines\" Help Screen");
    txtSigmaMax = add(gp, "txtSigmaMax", "Max isom stress (N/sq m)");
    txtLambda = add(gp, "txtLambda", "Active strain");
    txtWbeatFreq = add(gp, "txtWbeatFreq", "Wingbeat frequency (Hz)");
    txtFreqFactor = add(gp, "txtFreqFactor", "Wingbeat frequency factor");
    ge = grid("fraEnergy", "Energy heights", c3);
    txtFatHeight = add(ge, "txtFatHeight", "Energy height (km) fat only", "Click to show", true);
    txtFatProtHeight = add(ge, "txtFatProtHeight", "Energy height (km) fat+prot", {}, true);
    c3->addStretch();

    auto* buttons = new QHBoxLayout;
    cmdPowerCurve = button("cmdPowerCurve", "&Compute Power Curve");
    cmdPowerCurve->setDefault(true);
    QFont bf = cmdPowerCurve->font();
    bf.setBold(true);
    cmdPowerCurve->setFont(bf);
    cmdNewBird = button("cmdNewBird", "Get &New Bird");
    cmdShowDefs = button("cmdShowDefs", "Show Definitions");
    cmdHelp = button("cmdHelp", "Read Manual");
    WireShowDefinitions(this, cmdShowDefs);
    WireReadManual(this, cmdHelp);
    cmdExit = button("cmdExit", "E&xit Program");
    buttons->addWidget(cmdPowerCurve);
    buttons->addWidget(cmdNewBird);
    buttons->addStretch();
    buttons->addWidget(cmdShowDefs);
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdExit);
    top->addLayout(buttons);

    // Reading order: down each column, then the buttons.
    QWidget* order[] = {txtSpName, txtShortName, txtEmptyMass, txtCropMass, txtMuscleMass, txtMuscleFrac, txtFatMass,
                        txtFatFrac, txtSpan, txtArea, txtAR, txtRho, txtAlt, txtSbody, txtFrontalAreaFactor, txtCdb,
                        txtPayDragFactor, txtGravity, optFlap, optFG, optBound, txtPowerFrac, txtKflap, txtCprof,
                        txtX1, txtResp, txtEta, txtPbmr, txtPbmrFactor, txtKmito, txtSigmaMax, txtLambda,
                        txtWbeatFreq, txtFreqFactor, cmdPowerCurve, cmdNewBird, cmdExit};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    for (CommitEdit* f : findChildren<CommitEdit*>()) {
        connect(f, &CommitEdit::committed, this,
                [this, f](const QString& t) { guarded([&] { txtField_LostFocus(f, t); }); });
        connect(f, &CommitEdit::clickedInto, this, [this, f] { guarded([&] { txtField_Click(f); }); });
    }
    connect(txtTaxon, &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtTaxon_DblClick(); }); });
    connect(txtRho, &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtRho_DblClick(); }); });
    for (QRadioButton* o : {optFlap, optFG, optBound})
        connect(o, &QRadioButton::clicked, this, [this, o] { guarded([&] { optStyle_Click(o); }); });
    connect(cmdPowerCurve, &QPushButton::clicked, this, [this] { guarded([this] { cmdPowerCurve_Click(); }); });
    connect(cmdNewBird, &QPushButton::clicked, this, [this] { guarded([this] { cmdNewBird_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });

    Form_Load();
    placeWindow();
}

void frmSetupFlap::Form_Load() {
    apply(flap::LoadSetupFlap(ctx_.s, ctx_.d));
    txtEmptyMass->setFocus();
}

void frmSetupFlap::txtField_LostFocus(CommitEdit* f, const QString& text) {
    apply(flap::SetupFlapEdit(ctx_.s, ctx_.d, f->objectName().toStdString(), Edit::typed(text.toStdString())));
}

void frmSetupFlap::txtField_Click(CommitEdit* f) {
    try {
        apply(flap::SetupFlapEdit(ctx_.s, ctx_.d, f->objectName().toStdString(), Edit::click()));
    } catch (const UnknownControl&) {
        // A field that takes no click (a name, a derived value).
    }
}

void frmSetupFlap::txtTaxon_DblClick() { apply(flap::SetupFlapEdit(ctx_.s, ctx_.d, "txtTaxon", Edit::doubleClick())); }

void frmSetupFlap::txtRho_DblClick() {
    apply(flap::SetupFlapEdit(ctx_.s, ctx_.d, "txtRho", Edit::doubleClick()));
    auto* calc = new frmAirDensity(ctx_, this);
    calc->show();
}

void frmSetupFlap::optStyle_Click(QRadioButton* o) {
    commitPending();
    apply(flap::SetupFlapEdit(ctx_.s, ctx_.d, o->objectName().toStdString(), Edit::click()));
}

void frmSetupFlap::cmdPowerCurve_Click() {
    commitPending();
    if (!flap::ComputePowerCurve(ctx_.s, ctx_.d)) return;
    // The run's wingbeat frequency and factor, as the run used them.
    ScreenUpdate u;
    flap::RefreshDerivedFlap(ctx_.s, u);
    apply(u);
    auto* results = new frmSummaryFlap(ctx_, this);
    results->show();
}

bool frmSetupFlap::saveOpenWorkbook() {
    return output::MayLeaveSetup(output::SaveResultWorkbook(ctx_.s, ctx_.d));
}

}  // namespace ornivo::ui
