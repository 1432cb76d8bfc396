#include "ui/frmSetupGlide.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "output/WorkbookRunOutput.h"
#include "state/numtext.h"
#include "ui/ManualScreens.h"
#include "ui/frmAirDensity.h"
#include "ui/frmSummaryGlide.h"

namespace ornivo::ui {

CommitEdit* frmSetupGlide::add(QGridLayout* g, const QString& name, const QString& caption, const QString& tip,
                               bool derivedValue) {
    return fieldRow(g, name, caption, 190, tip, derivedValue);
}

frmSetupGlide::frmSetupGlide(UiContext& ctx)
    : SetupScreen(ctx, "frmSetupGlide", "Set up Glide Polar calculation", scaling::ResizePattern::ControlsOnly) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->setSpacing(6);
    top->addLayout(headingWithNames("Set up glide polar calculation"));
    auto* cols = new QHBoxLayout;
    auto* c1 = new QVBoxLayout;
    auto* c2 = new QVBoxLayout;
    auto* c3 = new QVBoxLayout;
    cols->addLayout(c1);
    cols->addLayout(c2);
    cols->addLayout(c3);
    top->addLayout(cols);
    auto grid = [this](const QString& name, const QString& title, QVBoxLayout* col) {
        return frameGrid(name, title, col, 3, 6);
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
    txtFatProtHeight = add(gm, "txtFatProtHeight", "Fat + Protein energy ht (km)", {}, true);
    txtFatHeight = add(gm, "txtFatHeight", "Click for fat-only energy ht (km)", {}, true);
    c1->addStretch();

    QGridLayout* gw = grid("fraWings", "Wings and air", c2);
    txtSpan = add(gw, "txtSpan", "Wing span (m)", "Accurate measurement essential!");
    txtArea = add(gw, "txtArea", "Wing area (sq m)", "Automatic if wing span and aspect ratio supplied");
    txtAR = add(gw, "txtAR", "Aspect ratio", "Automatic if wing span and wing area supplied");
    txtRho = add(gw, "txtRho", "Air density (kg/cu m)", "Double-click here to set density");
    txtAlt = add(gw, "txtAlt", "Altitude (m) ASL", "Set zero to get Sea Level density in Standard Atmosphere");

    QGridLayout* gd = grid("fraBody", "Body drag, metabolism and gravity", c2);
    txtSbody = add(gd, "txtSbody", "Body frontal area (sq m)", "Calculated from body mass", true);
    txtFrontalAreaFactor = add(gd, "txtFrontalAreaFactor", "Frontal area factor");
    txtCdb = add(gd, "txtCdb", "Body drag coefficient");
    txtPayDragFactor = add(gd, "txtPayDragFactor", "Payload drag factor");
    txtPbmr = add(gd, "txtPbmr", "Basal metabolic rate (W)",
                  "Calculated from empty body mass - different for passerines and non-passerines", true);
    txtPbmrFactor = add(gd, "txtPbmrFactor", "Basal metabolism factor");
    txtMetSink = add(gd, "txtMetSink", "Metabolic sink (m/s)", {}, true);
    txtGravity = add(gd, "txtGravity", "Gravity (m/s-sq)");
    c2->addStretch();

    QGridLayout* gg = grid("fraGlide", "Gliding", c3);
    txtKGlide = add(gg, "txtKGlide", "Induced drag factor", "Affects sink at low speeds");
    txtCdw = add(gg, "txtCdw", "Wing profile drag coeff", "See Glide Polar Help Screen");
    txtClMax = add(gg, "txtClMax", "Maximum lift coefficient", "Determines minimum gliding speed");
    txtPlanformSlope = add(gg, "txtPlanformSlope", "Planform slope", "See Glide Polar Help Screen");
    txtTonicMuscFrac = add(gg, "txtTonicMuscFrac", "Tonic pectoralis mass (% body mass)");

    fraBeta = frame("fraBeta", "Wing span reduction");
    auto* fb = new QGridLayout(fraBeta);
    optLinear = option("optLinear", "&Linear", {}, fraBeta);
    optMinDrag = option("optMinDrag", "&Minimum drag", {}, fraBeta);
    lblBstop = label("lblBstop", "Set Bstop:", fraBeta);
    txtBstop = field("txtBstop", "See Glide Polar Help Screen", fraBeta);
    txtBstop->setFixedWidth(60);
    lblBstop->setBuddy(txtBstop);
    fb->addWidget(optLinear, 0, 0, 1, 2);
    fb->addWidget(optMinDrag, 1, 0, 1, 2);
    fb->addWidget(lblBstop, 2, 0);
    fb->addWidget(txtBstop, 2, 1);
    fb->setColumnStretch(0, 1);
    c3->addWidget(fraBeta);
    c3->addStretch();

    auto* buttons = new QHBoxLayout;
    cmdGlidePolar = button("cmdGlidePolar", "&Compute Glide Polar");
    cmdGlidePolar->setDefault(true);
    QFont bf = cmdGlidePolar->font();
    bf.setBold(true);
    cmdGlidePolar->setFont(bf);
    cmdNewBird = button("cmdNewBird", "Get &New Bird");
    cmdShowDefs = button("cmdShowDefs", "Show Definitions");
    cmdHelp = button("cmdHelp", "Read Manual");
    WireShowDefinitions(this, cmdShowDefs);
    WireReadManual(this, cmdHelp);
    cmdExit = button("cmdExit", "E&xit Program");
    buttons->addWidget(cmdGlidePolar);
    buttons->addWidget(cmdNewBird);
    buttons->addStretch();
    buttons->addWidget(cmdShowDefs);
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdExit);
    top->addLayout(buttons);

    QWidget* order[] = {txtShortName, txtEmptyMass, txtCropMass, txtMuscleMass, txtMuscleFrac, txtFatMass, txtFatFrac,
                        txtSpan, txtArea, txtAR, txtRho, txtAlt, txtFrontalAreaFactor, txtCdb, txtPayDragFactor,
                        txtPbmrFactor, txtGravity, txtKGlide, txtCdw, txtClMax, txtPlanformSlope, txtTonicMuscFrac,
                        optLinear, optMinDrag, txtBstop, cmdGlidePolar, cmdNewBird, cmdExit};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    for (CommitEdit* f : findChildren<CommitEdit*>()) {
        connect(f, &CommitEdit::committed, this,
                [this, f](const QString& t) { guarded([&] { txtField_LostFocus(f, t); }); });
        connect(f, &CommitEdit::clickedInto, this, [this, f] { guarded([&] { txtField_Click(f); }); });
    }
    connect(txtTaxon, &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtTaxon_DblClick(); }); });
    connect(txtRho, &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtRho_DblClick(); }); });
    for (QRadioButton* o : {optLinear, optMinDrag})
        connect(o, &QRadioButton::clicked, this, [this, o] { guarded([&] { optSpanLaw_Click(o); }); });
    connect(cmdGlidePolar, &QPushButton::clicked, this, [this] { guarded([this] { cmdGlidePolar_Click(); }); });
    connect(cmdNewBird, &QPushButton::clicked, this, [this] { guarded([this] { cmdNewBird_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });

    Form_Load();
    placeWindow();
}

void frmSetupGlide::Form_Load() {
    apply(glide::LoadSetupGlide(ctx_.s, ctx_.d));
    optLinear->setChecked(ctx_.s.Glide.SpanLaw == glide::SpanLawLinear);
    optMinDrag->setChecked(ctx_.s.Glide.SpanLaw == glide::SpanLawMinDrag);
    txtEmptyMass->setFocus();
}

void frmSetupGlide::txtField_LostFocus(CommitEdit* f, const QString& text) {
    try {
        apply(glide::SetupGlideEdit(ctx_.s, ctx_.d, f->objectName().toStdString(), Edit::typed(text.toStdString())));
    } catch (const UnknownControl&) {
        // A read-only field takes no typing.
    }
}

void frmSetupGlide::txtField_Click(CommitEdit* f) {
    try {
        apply(glide::SetupGlideEdit(ctx_.s, ctx_.d, f->objectName().toStdString(), Edit::click()));
    } catch (const UnknownControl&) {
        // A field that takes no click (a name, a derived value).
    }
}

void frmSetupGlide::txtTaxon_DblClick() {
    apply(glide::SetupGlideEdit(ctx_.s, ctx_.d, "txtTaxon", Edit::doubleClick()));
}

void frmSetupGlide::txtRho_DblClick() {
    apply(glide::SetupGlideEdit(ctx_.s, ctx_.d, "txtRho", Edit::doubleClick()));
    auto* calc = new frmAirDensity(ctx_, this);
    calc->show();
}

void frmSetupGlide::optSpanLaw_Click(QRadioButton* o) {
    commitPending();
    apply(glide::SetupGlideEdit(ctx_.s, ctx_.d, o->objectName().toStdString(), Edit::click()));
}

void frmSetupGlide::cmdGlidePolar_Click() {
    commitPending();
    if (!glide::ComputeGlidePolar(ctx_.s, ctx_.d)) return;
    auto* results = new frmSummaryGlide(ctx_, this);
    results->show();
}

bool frmSetupGlide::saveOpenWorkbook() {
    return output::MayLeaveSetup(output::SaveGlideWorkbook(ctx_.s, ctx_.d));
}

}  // namespace ornivo::ui
