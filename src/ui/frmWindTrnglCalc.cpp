#include "ui/frmWindTrnglCalc.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include "state/ControlNames.h"
#include "state/numtext.h"
#include "ui/ManualScreens.h"

namespace ornivo::ui {
namespace {
// Outputs stand 1000 twips to the right of the inputs.
constexpr int OutputStepPx = 1000 / 15;
enum Row { Vw, WindDir, Va, Hdg, Vg, Trk };
}  // namespace

frmWindTrnglCalc::frmWindTrnglCalc(UiContext& ctx, QWidget* results)
    : Screen(ctx, ctl::frmWindTrnglCalc, "Wind Triangle Calculator", scaling::ResizePattern::ScaleAndCentre, results) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);

    fraCalcType = optionFrame(
        ctl::fraCalcType, "Calculate what:",
        {{optFindVg, ctl::optFindVg, "Input Wind, Air Speed, Heading; output &Ground Speed"},
         {optFindVa, ctl::optFindVa, "Input Wind, Ground Speed, Track; output &Air Speed"},
         {optFindVgHdg, ctl::optFindVgHdg, "Input Wind, Air Speed, Track; output Ground Speed"}});
    optFindVgHdg->setChecked(true);
    top->addWidget(fraCalcType);

    fraGetVa = optionFrame(ctl::fraGetVa, "Set Air Speed:",
                           {{optSetVmp, ctl::optSetVmp, "Set Air Speed to &Min Power Speed (Vmp)"},
                            {optSetVmr, ctl::optSetVmr, "Set Air Speed to Max &Range Speed (Vmr)"}});
    optSetVmp->setChecked(true);
    top->addWidget(fraGetVa);
    lblSetVcc = label(ctl::lblSetVcc,
                      "For migration in thermals, \"air speed\" refers to cross-country speed (Vcc) from MacCready table");
    lblSetVcc->setWordWrap(true);
    top->addWidget(lblSetVcc);

    lblEnter = label(ctl::lblEnter, "Enter or amend inputs as requred, then:");
    top->addWidget(lblEnter);

    QGroupBox* fraValues = frame(ctl::fraValues, "Wind and bird");
    auto* rowsBox = new QVBoxLayout(fraValues);
    const char* names[] = {"Vw", "WindDir", "Va", "Hdg", "Vg", "Trk"};
    const char* texts[] = {"Wind speed (m/s)", "Wind Direction (degrees)", "Air Speed (m/s)", "Heading (degrees)",
                           "Ground Speed (m/s)", "Track (degrees)"};
    for (int i = 0; i < 6; ++i) {
        auto* r = new QHBoxLayout;
        lblInOut[i] = bold(label(QStringLiteral("lblInOut%1").arg(i), "INPUT", fraValues));
        lblInOut[i]->setFixedWidth(70);
        indents_[i] = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
        captions_[i] = label(QStringLiteral("lbl%1").arg(names[i]), texts[i], fraValues);
        captions_[i]->setFixedWidth(190);
        boxes_[i] = field(QStringLiteral("txt%1").arg(names[i]), {}, fraValues);
        boxes_[i]->setFixedWidth(100);
        captions_[i]->setBuddy(boxes_[i]);
        r->addWidget(lblInOut[i]);
        r->addSpacerItem(indents_[i]);
        r->addWidget(captions_[i]);
        r->addWidget(boxes_[i]);
        r->addStretch();
        rows_[i] = r;
        rowsBox->addLayout(r);
    }
    lblVw = captions_[Vw]; lblWindDir = captions_[WindDir]; lblVa = captions_[Va];
    lblHdg = captions_[Hdg]; lblVg = captions_[Vg]; lblTrk = captions_[Trk];
    txtVw = boxes_[Vw]; txtWindDir = boxes_[WindDir]; txtVa = boxes_[Va];
    txtHdg = boxes_[Hdg]; txtVg = boxes_[Vg]; txtTrk = boxes_[Trk];
    top->addWidget(fraValues);

    cmdCompute = button(ctl::cmdCompute, "");
    cmdCompute->setDefault(true);
    cmdShowDefs = button(ctl::cmdShowDefs, "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    cmdExit = button(ctl::cmdExit, "Return  to Summary Screen");
    top->addLayout(line({cmdCompute, Stretch, cmdShowDefs, cmdExit}));

    for (QRadioButton* o : {optFindVg, optFindVa, optFindVgHdg})
        connect(o, &QRadioButton::clicked, this, [this] { optCalcType_Click(); });
    for (QRadioButton* o : {optSetVmp, optSetVmr}) connect(o, &QRadioButton::clicked, this, [this] { optSetV_Click(); });
    connect(cmdCompute, &QPushButton::clicked, this, [this] { guarded([this] { cmdCompute_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

    Form_Load();
    placeWindow();
}

nav::WindMode frmWindTrnglCalc::mode() const {
    if (optFindVg->isChecked()) return nav::WindMode::FindVg;
    if (optFindVa->isChecked()) return nav::WindMode::FindVa;
    return nav::WindMode::FindVgHdg;
}

void frmWindTrnglCalc::Form_Load() {
    makeInput(Vw);
    makeInput(WindDir);
    setRows();
    const bool fromPowerCurve = ctx_.s.CalcMode == ModePowerCurve;
    lblSetVcc->setVisible(!fromPowerCurve);
    txtVw->setFocus();
}

void frmWindTrnglCalc::fillAirSpeed() {
    const float v = optSetVmp->isChecked() ? ctx_.s.Flap.Vmp : ctx_.s.Flap.Vmr;
    txtVa->setText(QString::fromStdString(FormatPattern(v, "0.0")));
}

void frmWindTrnglCalc::makeInput(int r) {
    lblInOut[r]->setText("INPUT");
    boxes_[r]->clear();
    boxes_[r]->setDerived(false);
    boxes_[r]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    indents_[r]->changeSize(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    rows_[r]->invalidate();
    if (r == Va) {
        // Vmp and Vmr are offered only for a power-curve bird; the glide results have no such speeds.
        const bool offer = ctx_.s.CalcMode == ModePowerCurve;
        for (QWidget* w : {static_cast<QWidget*>(fraGetVa), static_cast<QWidget*>(optSetVmp),
                           static_cast<QWidget*>(optSetVmr)})
            w->setEnabled(offer);
        if (offer) fillAirSpeed();
    }
}

void frmWindTrnglCalc::makeOutput(int r) {
    lblInOut[r]->setText("OUTPUT");
    boxes_[r]->clear();
    boxes_[r]->setDerived(true);
    indents_[r]->changeSize(OutputStepPx, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    rows_[r]->invalidate();
    if (r == Va)
        for (QWidget* w : {static_cast<QWidget*>(fraGetVa), static_cast<QWidget*>(optSetVmp),
                           static_cast<QWidget*>(optSetVmr)})
            w->setEnabled(false);
}

void frmWindTrnglCalc::setRows() {
    switch (mode()) {
    case nav::WindMode::FindVg: makeOutput(Vg); makeOutput(Trk); makeInput(Va); makeInput(Hdg); break;
    case nav::WindMode::FindVa: makeOutput(Va); makeOutput(Hdg); makeInput(Vg); makeInput(Trk); break;
    case nav::WindMode::FindVgHdg: makeOutput(Vg); makeOutput(Hdg); makeInput(Va); makeInput(Trk); break;
    }
    cmdCompute->setText("&" + QString::fromStdString(nav::WindComputeCaption(mode())));
}

void frmWindTrnglCalc::optCalcType_Click() { setRows(); }

void frmWindTrnglCalc::optSetV_Click() { fillAirSpeed(); }

void frmWindTrnglCalc::cmdCompute_Click() {
    auto t = [](CommitEdit* e) { return e->text().toStdString(); };
    const nav::WindInputs in{t(txtVw), t(txtWindDir), t(txtVa), t(txtHdg), t(txtVg), t(txtTrk)};
    auto r = nav::ComputeWindTriangle(ctx_.d, mode(), in);
    if (!r) return;
    CommitEdit* speed = mode() == nav::WindMode::FindVa ? txtVa : txtVg;
    CommitEdit* dir = mode() == nav::WindMode::FindVg ? txtTrk : txtHdg;
    speed->setText(QString::fromStdString(r->speedText));
    dir->setText(QString::fromStdString(r->directionText));
}

void frmWindTrnglCalc::cmdExit_Click() { close(); }

}  // namespace ornivo::ui
