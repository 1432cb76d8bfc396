#include "ui/frmSetupFlap.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "output/WorkbookRunOutput.h"
#include "state/ControlNames.h"
#include "state/numtext.h"
#include "ui/ManualScreens.h"
#include "ui/frmSummaryFlap.h"

namespace ornivo::ui {

frmSetupFlap::frmSetupFlap(UiContext& ctx)
    : SetupScreen(ctx, ctl::frmSetupFlap, "Set up Power Curve calculation", scaling::ResizePattern::ControlsOnly) {
    look_ = {.fieldWidth = 78};
    auto [top, c1, c2, c3] = threeColumns({});
    using P = Param;
    // The names in a frame of their own, wide enough for a species name.
    addRows(frameGrid(ctl::fraBird, "Species", c1),
            {{txtSpName, P::SpName}, {txtShortName, P::ShortName}, FieldRow(txtTaxon, P::Taxon).derived()});
    for (CommitEdit* f : {txtSpName, txtShortName, txtTaxon}) {
        f->setFixedWidth(150);
        f->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    addRows(frameGrid(ctl::fraMasses, "Masses", c1),
            {{txtEmptyMass, P::EmptyMass}, {txtCropMass, P::CropMass}, {txtCropFrac, P::CropFrac},
             {txtAllUpMass, P::AllUpMass}, {txtMuscleMass, P::MuscleMass}, {txtMuscleFrac, P::MuscleFrac},
             {txtFatMass, P::FatMass}, {txtFatFrac, P::FatFrac}, {txtAirframeMass, P::AirframeMass},
             {txtAirframeFrac, P::AirframeFrac}});
    c1->addStretch();

    addRows(frameGrid(ctl::fraWings, "Wings and air", c2),
            {{txtSpan, P::Span}, {txtArea, P::Area}, {txtAR, P::AR}, {txtRho, P::Rho}, {txtAlt, P::Alt}});
    addRows(frameGrid(ctl::fraBody, "Body drag and gravity", c2),
            {{txtSbody, P::Sbody}, {txtFrontalAreaFactor, P::FrontalAreaFactor}, {txtCdb, P::Cdb},
             {txtPayDragFactor, P::PayDragFactor}, {txtGravity, P::Gravity}});
    c2->addWidget(flightStyleFrame());
    c2->addStretch();

    addRows(frameGrid(ctl::fraPower, "Power and muscles", c3),
            {{txtKflap, P::Kflap}, {txtCprof, P::Cprof}, {txtX1, P::X1}, {txtResp, P::Resp}, {txtEta, P::Eta},
             {txtPbmr, P::Pbmr}, {txtPbmrFactor, P::PbmrFactor},
             FieldRow(txtKmito, P::Kmito).caption("Inverse power density \nof mitochondria (cu m/W)"),
             {txtSigmaMax, P::SigmaMax}, {txtLambda, P::Lambda}, {txtWbeatFreq, P::WbeatFreq},
             {txtFreqFactor, P::FreqFactor}});
    addRows(frameGrid(ctl::fraEnergy, "Energy heights", c3),
            {{txtFatHeight, P::FatHeight}, {txtFatProtHeight, P::FatProtHeight}});
    c3->addStretch();
    top->addLayout(buttonRow(cmdPowerCurve, ctl::cmdPowerCurve, "&Compute Power Curve"));

    // Reading order: down each column, then the buttons.
    tabOrder({txtSpName, txtShortName, txtEmptyMass, txtCropMass, txtMuscleMass, txtMuscleFrac, txtFatMass,
              txtFatFrac, txtSpan, txtArea, txtAR, txtRho, txtAlt, txtSbody, txtFrontalAreaFactor, txtCdb,
              txtPayDragFactor, txtGravity, optFlap, optFG, optBound, txtPowerFrac, txtKflap, txtCprof, txtX1,
              txtResp, txtEta, txtPbmr, txtPbmrFactor, txtKmito, txtSigmaMax, txtLambda, txtWbeatFreq,
              txtFreqFactor, cmdPowerCurve, cmdNewBird, cmdExit});

    wireFields();
    connect(cmdPowerCurve, &QPushButton::clicked, this, [this] { guarded([this] { cmdPowerCurve_Click(); }); });

    Form_Load();
    placeWindow();
}

QGroupBox* frmSetupFlap::flightStyleFrame() {
    fraFlightStyle = frame(ctl::fraFlightStyle, "Flight style");
    auto* fs = new QGridLayout(fraFlightStyle);
    optFlap = option(ctl::optFlap, "Continuous &flapping", {}, fraFlightStyle);
    optFG = option(ctl::optFG, "Flap-g&liding", {}, fraFlightStyle);
    optBound = option(ctl::optBound, "&Bounding", {}, fraFlightStyle);
    fs->addWidget(optFlap, 0, 0, 1, 2);
    fs->addWidget(optFG, 1, 0, 1, 2);
    fs->addWidget(optBound, 2, 0, 1, 2);
    addRows(fs, {FieldRow(txtPowerFrac, Param::PowerFrac).captionInto(lblPowerFrac)});
    fs->setColumnStretch(0, 1);
    return fraFlightStyle;
}

void frmSetupFlap::Form_Load() {
    apply(flap::LoadSetupFlap(ctx_.s, ctx_.d));
    txtEmptyMass->setFocus();
}

void frmSetupFlap::txtField_LostFocus(CommitEdit* f, const QString& text) {
    applyEdit(f, Edit::typed(text.toStdString()));
}

ScreenUpdate frmSetupFlap::edit(const std::string& control, const Edit& e) {
    return flap::SetupFlapEdit(ctx_.s, ctx_.d, control, e);
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
