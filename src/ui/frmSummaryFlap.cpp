#include "ui/frmSummaryFlap.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "flap/SummaryFlap.h"
#include "output/WorkbookRunOutput.h"
#include "ui/ManualScreens.h"
#include "ui/frmGraphPcurve.h"
#include "ui/frmWindTrnglCalc.h"

namespace ornivo::ui {

frmSummaryFlap::frmSummaryFlap(UiContext& ctx, QWidget* setup)
    : ResultsScreen(ctx, "frmSummaryFlap", "Results summary from Power Curve calculation",
             scaling::ResizePattern::ScaleAndCentre, setup) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    auto* head = new QHBoxLayout;
    lblHeading = heading("lblHeading", "Power curve summary");
    txtSpName = derived("txtSpName");
    txtSpName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtSpName->setMinimumWidth(150);
    txtSpName->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    txtShortName = derived("txtShortName");
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

    cmdWindTrnglCalc = button("cmdWindTrnglCalc", "&Wind Triangle Calculator");
    cmdGraph = button("cmdGraph", "Show Graph");
    cmdShowDefs = button("cmdShowDefs", "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    side->addWidget(cmdWindTrnglCalc);
    side->addWidget(cmdGraph);
    side->addWidget(cmdShowDefs);
    side->addStretch();
    middle->addLayout(side, 2);
    top->addLayout(middle);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    lblWait = label("lblWait", "WAIT..");
    cmdOK = button("cmdOK", "&Return to Setup");
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
    QGroupBox* fraResults = frame("fraResults", "Results");
    auto* g = new QGridLayout(fraResults);
    g->setVerticalSpacing(3);
    g->setColumnStretch(0, 1);
    auto columnHeading = [&](const QString& name, const QString& text, int col) {
        QLabel* l = label(name, text, fraResults);
        l->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        g->addWidget(l, 0, col);
    };
    columnHeading("lblVmpColumn", "Min power\n(Vmp)", 1);
    columnHeading("lblVmrColumn", "Max range\n(Vmr)", 2);
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
    pair("lblTAS", "True air speed (m/s)", txtVmp, "txtVmp", &txtVmr, "txtVmr");
    pair("lblEAS", "Equivalent air speed (m/s)", txtVmpEquiv, "txtVmpEquiv", &txtVmrEquiv, "txtVmrEquiv");
    pair("lblPmech", "Mechanical power (W)", txtPmechMin, "txtPmechMin", &txtPmechVmr, "txtPmechVmr");
    pair("lblPchem", "Chemical power (W)", txtPchemMin, "txtPchemMin", &txtPchemVmr, "txtPchemVmr");
    pair("lblNchem", "Effective lift:drag ratio", txtNchemVmp, "txtNchemVmp", &txtNchemMax, "txtNchemMax");
    pair("lblQ", "Specific work in myofibrils (J/kg)", txtQVmp, "txtQVmp", &txtQVmr, "txtQVmr");
    pair("lblDownwash", "Downwash angle (degrees)", txtDownwashVmp, "txtDownwashVmp", &txtDownwashVmr,
         "txtDownwashVmr");
    pair("lblReWing", "Wing Reynolds Number (Mean Chord)", txtReWingVmp, "txtReWingVmp", &txtReWingVmr,
         "txtReWingVmr");
    pair("lblReBody", "Body Reynolds Number", txtReBodyVmp, "txtReBodyVmp", &txtReBodyVmr, "txtReBodyVmr");
    pair("lblFred", "Reduced frequency", txtFredVmp, "txtFredVmp", &txtFredVmr, "txtFredVmr");
    pair("lblMitoLevel", "Mitochondria fraction (level)", txtMitoFracVmp, "txtMitoFracVmp", &txtMitoFracCruise,
         "txtMitoFracCruise");
    pair("lblMitoClimb", "Mitochondria fraction (climb)", txtMitoFracClimb, "txtMitoFracClimb", nullptr, {});
    pair("lblFreq", "Wingbeat frequency (Hz)", txtFreq, "txtFreq", nullptr, {});
    pair("lblMaxClimb", "Max rate of climb (m/s)", txtMaxClimb, "txtMaxClimb", nullptr, {});
    QLabel* ratios = label("lblRatios", "Ratios", fraResults);
    QFont rf = ratios->font();
    rf.setBold(true);
    ratios->setFont(rf);
    g->setRowMinimumHeight(r++, 10);
    g->addWidget(ratios, r++, 0);
    pair("lblVratio", "Vmr:Vmp", txtVratio, "txtVratio", nullptr, {});
    pair("lblPbmrRatio", "Min chem power:BMR", txtPbmrRatio, "txtPbmrRatio", nullptr, {});
    g->setRowStretch(r, 1);  // room a larger window gives goes below the rows, not between them
    return fraResults;
}

QGroupBox* frmSummaryFlap::boundFrame() {
    fraBound_ = frame("fraBound", "Bounding flight");
    auto* bg = new QGridLayout(fraBound_);
    lblPowerFrac = label("lblPowerFrac", "Bounding with power fraction", fraBound_);
    txtPowerFrac = derived("txtPowerFrac", {}, fraBound_);
    cmdGetBH = button("cmdGetBH", "Find &bound height", fraBound_);
    lblTau = label("lblTau", "Bound period (sec)", fraBound_);
    txtTau = derived("txtTau", {}, fraBound_);
    lblBH = label("lblBH", "Bound height top to bottom (m)", fraBound_);
    txtBH = derived("txtBH", {}, fraBound_);
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
    QGroupBox* fraSave = frame("fraSave", "Save results");
    auto* sv = new QGridLayout(fraSave);
    chkExcelFile = check("chkExcelFile", "", fraSave);
    chkExcelFile->setMinimumWidth(0);
    lblFileName = label("lblFileName", "Output file name", fraSave);
    txtFileName = derived("txtFileName", {}, fraSave);
    txtFileName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    chk4Digit = check("chk4Digit", "&4-digit output", fraSave);
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

void frmSummaryFlap::chk4Digit_LostFocus() { flap::Set4DigitOutput(ctx_.s, chk4Digit->isChecked()); }

void frmSummaryFlap::cmdGetBH_Click() { apply(flap::FindBoundHeight(ctx_.s, ctx_.d)); }

void frmSummaryFlap::cmdOK_Click() { close(); }

void frmSummaryFlap::writeRun() { output::WriteRunOutput(ctx_.s, ctx_.d); }

void frmSummaryFlap::cmdGraph_Click() { frmGraphPcurve::Show(ctx_, this); }

void frmSummaryFlap::cmdWindTrnglCalc_Click() {
    auto* wind = new frmWindTrnglCalc(ctx_, this);
    wind->show();
}


}  // namespace ornivo::ui
