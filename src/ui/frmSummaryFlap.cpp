#include "ui/frmSummaryFlap.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "flap/SummaryFlap.h"
#include "output/WorkbookRunOutput.h"
#include "state/ControlNames.h"
#include "ui/ManualScreens.h"
#include "ui/frmGraphPcurve.h"
#include "ui/frmWindTrnglCalc.h"

namespace ornivo::ui {

frmSummaryFlap::frmSummaryFlap(UiContext& ctx, QWidget* setup)
    : ResultsScreen(ctx, ctl::frmSummaryFlap, "Results summary from Power Curve calculation",
             scaling::ResizePattern::ScaleAndCentre, setup) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    auto* head = new QHBoxLayout;
    lblHeading = heading(ctl::lblHeading, "Power curve summary");
    txtSpName = derived(ctl::txtSpName);
    txtSpName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtSpName->setMinimumWidth(150);
    txtSpName->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    txtShortName = derived(ctl::txtShortName);
    txtShortName->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    txtShortName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    head->addWidget(lblHeading);
    head->addStretch();
    head->addWidget(txtSpName);
    head->addWidget(txtShortName);
    top->addLayout(head);

    auto* middle = new QHBoxLayout;
    middle->addWidget(resultsFrame(), 3);
    auto* side = new QVBoxLayout;
    side->addWidget(boundFrame());
    side->addWidget(saveFrame());

    cmdWindTrnglCalc = button(ctl::cmdWindTrnglCalc, "&Wind Triangle Calculator");
    cmdGraph = button(ctl::cmdGraph, "Show Graph");
    cmdShowDefs = button(ctl::cmdShowDefs, "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    side->addWidget(cmdWindTrnglCalc);
    side->addWidget(cmdGraph);
    side->addWidget(cmdShowDefs);
    side->addStretch();
    middle->addLayout(side, 2);
    top->addLayout(middle);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    lblWait = label(ctl::lblWait, "WAIT..");
    cmdOK = button(ctl::cmdOK, "&Return to Setup");
    cmdOK->setDefault(true);
    buttons->addWidget(lblWait);
    buttons->addWidget(cmdOK);
    top->addLayout(buttons);

    setTabOrder(cmdGetBH, chkExcelFile);
    setTabOrder(chkExcelFile, chk4Digit);
    setTabOrder(chk4Digit, cmdWindTrnglCalc);
    setTabOrder(cmdWindTrnglCalc, cmdOK);

    connect(chkExcelFile, &QCheckBox::clicked, this, [this] { guarded([this] { chkExcelFile_Click(); }); });
    connect(chk4Digit, &QCheckBox::toggled, this, [this] { chk4Digit_LostFocus(); });
    connect(cmdGetBH, &QPushButton::clicked, this, [this] { guarded([this] { cmdGetBH_Click(); }); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });
    connect(cmdWindTrnglCalc, &QPushButton::clicked, this, [this] { guarded([this] { cmdWindTrnglCalc_Click(); }); });
    connect(cmdGraph, &QPushButton::clicked, this, [this] { guarded([this] { cmdGraph_Click(); }); });

    Form_Load();
    placeWindow();
}

QGroupBox* frmSummaryFlap::resultsFrame() {
    QGroupBox* fraResults = frame(ctl::fraResults, "Results");
    auto* g = new QGridLayout(fraResults);
    g->setVerticalSpacing(3);
    g->setColumnStretch(0, 1);
    g->addWidget(columnHeading(ctl::lblVmpColumn, "Min power\n(Vmp)", fraResults), 0, 1);
    g->addWidget(columnHeading(ctl::lblVmrColumn, "Max range\n(Vmr)", fraResults), 0, 2);
    int r = 1;
    auto pair = [&](const QString& lbl, const QString& caption, CommitEdit*& a, const QString& an, CommitEdit** b,
                    const QString& bn) {
        g->addWidget(label(lbl, caption, fraResults), r, 0);
        a = derived(an, {}, fraResults);
        a->setFixedWidth(76);
        g->addWidget(a, r, 1);
        if (b) {
            *b = derived(bn, {}, fraResults);
            (*b)->setFixedWidth(76);
            g->addWidget(*b, r, 2);
        }
        ++r;
    };
    pair(ctl::lblTAS, "True air speed (m/s)", txtVmp, ctl::txtVmp, &txtVmr, ctl::txtVmr);
    pair(ctl::lblEAS, "Equivalent air speed (m/s)", txtVmpEquiv, ctl::txtVmpEquiv, &txtVmrEquiv, ctl::txtVmrEquiv);
    pair(ctl::lblPmech, "Mechanical power (W)", txtPmechMin, ctl::txtPmechMin, &txtPmechVmr, ctl::txtPmechVmr);
    pair(ctl::lblPchem, "Chemical power (W)", txtPchemMin, ctl::txtPchemMin, &txtPchemVmr, ctl::txtPchemVmr);
    pair(ctl::lblNchem, "Effective lift:drag ratio", txtNchemVmp, ctl::txtNchemVmp, &txtNchemMax, ctl::txtNchemMax);
    pair(ctl::lblQ, "Specific work in myofibrils (J/kg)", txtQVmp, ctl::txtQVmp, &txtQVmr, ctl::txtQVmr);
    pair(ctl::lblDownwash, "Downwash angle (degrees)", txtDownwashVmp, ctl::txtDownwashVmp, &txtDownwashVmr,
         ctl::txtDownwashVmr);
    pair(ctl::lblReWing, "Wing Reynolds Number (Mean Chord)", txtReWingVmp, ctl::txtReWingVmp, &txtReWingVmr,
         ctl::txtReWingVmr);
    pair(ctl::lblReBody, "Body Reynolds Number", txtReBodyVmp, ctl::txtReBodyVmp, &txtReBodyVmr, ctl::txtReBodyVmr);
    pair(ctl::lblFred, "Reduced frequency", txtFredVmp, ctl::txtFredVmp, &txtFredVmr, ctl::txtFredVmr);
    pair(ctl::lblMitoLevel, "Mitochondria fraction (level)", txtMitoFracVmp, ctl::txtMitoFracVmp, &txtMitoFracCruise,
         ctl::txtMitoFracCruise);
    pair(ctl::lblMitoClimb, "Mitochondria fraction (climb)", txtMitoFracClimb, ctl::txtMitoFracClimb, nullptr, {});
    pair(ctl::lblFreq, "Wingbeat frequency (Hz)", txtFreq, ctl::txtFreq, nullptr, {});
    pair(ctl::lblMaxClimb, "Max rate of climb (m/s)", txtMaxClimb, ctl::txtMaxClimb, nullptr, {});
    QLabel* ratios = bold(label(ctl::lblRatios, "Ratios", fraResults));
    g->setRowMinimumHeight(r++, 10);
    g->addWidget(ratios, r++, 0);
    pair(ctl::lblVratio, "Vmr:Vmp", txtVratio, ctl::txtVratio, nullptr, {});
    pair(ctl::lblPbmrRatio, "Min chem power:BMR", txtPbmrRatio, ctl::txtPbmrRatio, nullptr, {});
    g->setRowStretch(r, 1);  // room a larger window gives goes below the rows, not between them
    return fraResults;
}

QGroupBox* frmSummaryFlap::boundFrame() {
    fraBound_ = frame(ctl::fraBound, "Bounding flight");
    auto* bg = new QGridLayout(fraBound_);
    lblPowerFrac = label(ctl::lblPowerFrac, "Bounding with power fraction", fraBound_);
    txtPowerFrac = derived(ctl::txtPowerFrac, {}, fraBound_);
    cmdGetBH = button(ctl::cmdGetBH, "Find &bound height", fraBound_);
    lblTau = label(ctl::lblTau, "Bound period (sec)", fraBound_);
    txtTau = derived(ctl::txtTau, {}, fraBound_);
    lblBH = label(ctl::lblBH, "Bound height top to bottom (m)", fraBound_);
    txtBH = derived(ctl::txtBH, {}, fraBound_);
    for (CommitEdit* f : {txtPowerFrac, txtTau, txtBH}) f->setFixedWidth(70);
    bg->addWidget(lblPowerFrac, 0, 0);
    bg->addWidget(txtPowerFrac, 0, 1);
    bg->addWidget(cmdGetBH, 1, 0, 1, 2);
    bg->addWidget(lblTau, 2, 0);
    bg->addWidget(txtTau, 2, 1);
    bg->addWidget(lblBH, 3, 0);
    bg->addWidget(txtBH, 3, 1);
    return fraBound_;
}

QGroupBox* frmSummaryFlap::saveFrame() {
    QGroupBox* fraSave = frame(ctl::fraSave, "Save results");
    auto* sv = new QGridLayout(fraSave);
    chkExcelFile = check(ctl::chkExcelFile, "", fraSave);
    chkExcelFile->setMinimumWidth(0);
    lblFileName = label(ctl::lblFileName, "Output file name", fraSave);
    txtFileName = derived(ctl::txtFileName, {}, fraSave);
    txtFileName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    chk4Digit = check(ctl::chk4Digit, "&4-digit output", fraSave);
    sv->addWidget(chkExcelFile, 0, 0, 1, 2);
    sv->addWidget(lblFileName, 1, 0);
    sv->addWidget(txtFileName, 1, 1);
    sv->addWidget(chk4Digit, 2, 0, 1, 2);
    return fraSave;
}

void frmSummaryFlap::Form_Load() {
    apply(flap::LoadSummaryFlap(ctx_.s));
    // The bounding frame only matters for bounding flight.
    fraBound_->setVisible(ctx_.s.FlightStyle == 3);
    cmdOK->setFocus();
}

void frmSummaryFlap::chkExcelFile_Click() { apply(flap::SaveBoxClick(ctx_.s)); }

void frmSummaryFlap::cmdGetBH_Click() { apply(flap::FindBoundHeight(ctx_.s, ctx_.d)); }

void frmSummaryFlap::writeRun() { output::WriteRunOutput(ctx_.s, ctx_.d); }

void frmSummaryFlap::cmdGraph_Click() { frmGraphPcurve::Show(ctx_, this); }

void frmSummaryFlap::cmdWindTrnglCalc_Click() {
    auto* wind = new frmWindTrnglCalc(ctx_, this);
    wind->show();
}


}  // namespace ornivo::ui
