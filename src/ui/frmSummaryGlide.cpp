#include "ui/frmSummaryGlide.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "glide/SummaryGlide.h"
#include "output/SaveBox.h"
#include "output/WorkbookRunOutput.h"
#include "state/ControlNames.h"
#include "ui/MacCreadyTable.h"
#include "ui/ManualScreens.h"
#include "ui/frmGraphPolar.h"
#include "ui/frmWindTrnglCalc.h"

namespace ornivo::ui {

frmSummaryGlide::frmSummaryGlide(UiContext& ctx, QWidget* setup)
    : ResultsScreen(ctx, ctl::frmSummaryGlide, "Results summary from Glide Polar calculation",
             scaling::ResizePattern::ScaleAndCentre, setup) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    auto* head = new QHBoxLayout;
    lblHeading = heading(ctl::lblHeading, "Glide polar summary");
    nameFields(170, 90);
    head->addWidget(lblHeading);
    head->addStretch();
    head->addWidget(txtSpName);
    head->addWidget(txtShortName);
    top->addLayout(head);

    // Left: the gliding results. Right: the flapping comparison, the save box and the tools.
    // Below, across the screen: the MacCready table.
    QGroupBox* fraResults = glidingFrame();
    QGroupBox* fraFlap = flappingFrame();
    QLabel* note = label(ctl::lblNote,
                         "All speeds on this screen, horizontal and vertical, refer to True Air Speed, unless "
                         "identified as Equivalent Air Speed");
    note->setWordWrap(true);
    QGroupBox* fraSave = saveFrame(chkExcel, 120, false);

    auto* tools = new QGridLayout;
    cmdGraph = button(ctl::cmdGraph, "Show graph");
    cmdWindTrnglCalc = button(ctl::cmdWindTrnglCalc, "&Wind Triangle Calculator");
    cmdShowDefs = button(ctl::cmdShowDefs, "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    tools->addWidget(cmdWindTrnglCalc, 0, 0, 1, 2);
    tools->addWidget(cmdGraph, 1, 0);
    tools->addWidget(cmdShowDefs, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    lblWait = label(ctl::lblWait, "WAIT..");
    lblWait->setVisible(false);
    cmdOK = button(ctl::cmdOK, "&Return to Setup");
    cmdOK->setDefault(true);
    buttons->addWidget(lblWait);
    buttons->addWidget(cmdOK);

    auto* side = new QVBoxLayout;
    side->addWidget(fraFlap);
    side->addWidget(note);
    side->addWidget(fraSave);
    side->addLayout(tools);
    side->addStretch();
    side->addLayout(buttons);

    auto* middle = new QHBoxLayout;
    middle->addWidget(fraResults);
    middle->addLayout(side, 1);
    top->addLayout(middle);
    top->addWidget(macCreadyFrame());

    setTabOrder(chkExcel, chk4Digit);
    setTabOrder(chk4Digit, cmdWindTrnglCalc);
    setTabOrder(cmdWindTrnglCalc, cmdOK);

    connect(chkExcel, &QCheckBox::clicked, this, [this] { guarded([this] { chkExcel_Click(); }); });
    connect(chk4Digit, &QCheckBox::toggled, this, [this] { chk4Digit_LostFocus(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });
    connect(cmdWindTrnglCalc, &QPushButton::clicked, this, [this] { guarded([this] { cmdWindTrnglCalc_Click(); }); });
    connect(cmdGraph, &QPushButton::clicked, this, [this] { guarded([this] { cmdGraph_Click(); }); });

    Form_Load();
    placeWindow();
}

QGroupBox* frmSummaryGlide::glidingFrame() {
    QGroupBox* fraResults = frame(ctl::fraResults, "Gliding");
    auto* g = new QGridLayout(fraResults);
    g->setVerticalSpacing(3);
    g->setColumnStretch(0, 1);
    g->addWidget(columnHeading(ctl::lblVmsColumn, "Minimum\nSink", fraResults), 0, 1);
    g->addWidget(columnHeading(ctl::lblVbgColumn, "Best\nGlide", fraResults), 0, 2);
    int r = 1;
    auto value = [&](const QString& name, int row, int col) {
        CommitEdit* f = derived(name, {}, fraResults);
        f->setFixedWidth(64);
        g->addWidget(f, row, col);
        return f;
    };
    auto wrapped = [&](const QString& name, const QString& caption) {
        QLabel* l = label(name, caption, fraResults);
        l->setWordWrap(true);
        l->setMaximumWidth(200);
        return l;
    };
    auto pair = [&](const QString& lbl, const QString& caption, CommitEdit*& a, const QString& an, CommitEdit*& b,
                    const QString& bn) {
        g->addWidget(wrapped(lbl, caption), r, 0);
        a = value(an, r, 1);
        b = value(bn, r, 2);
        ++r;
    };
    pair(ctl::lblTAS, "True air speed (m/s)", txtVmsTAS, ctl::txtVmsTAS, txtVbgTAS, ctl::txtVbgTAS);
    pair(ctl::lblEAS, "Equivalent air speed (m/s)", txtVmsEAS, ctl::txtVmsEAS, txtVbgEas, ctl::txtVbgEas);
    pair(ctl::lblSink, "Sinking speed (m/s)", txtMinSink, ctl::txtMinSink, txtSinkVbg, ctl::txtSinkVbg);
    pair(ctl::lblN, "Glide ratio", txtNVms, ctl::txtNVms, txtNmax, ctl::txtNmax);
    pair(ctl::lblCl, "Lift coefficient", txtClVms, ctl::txtClVms, txtClVbg, ctl::txtClVbg);
    pair(ctl::lblReWing, "Wing Re at best glide speed", txtReWingVms, ctl::txtReWingVms, txtReWingVbg,
         ctl::txtReWingVbg);
    pair(ctl::lblReBody, "Body Re at best glide speed", txtReBodyVms, ctl::txtReBodyVms, txtReBodyVbg,
         ctl::txtReBodyVbg);
    lblCircleRadius = label(ctl::lblCircleRadius, "", fraResults);
    g->addWidget(lblCircleRadius, r, 0);
    txtCircleRadius = value(ctl::txtCircleRadius, r++, 1);
    g->addWidget(wrapped(ctl::lblPchemTonicMusc, "Chemical power (W) for tonic pectoralis muscles"), r, 0);
    txtPchemTonicMusc = value(ctl::txtPchemTonicMusc, r++, 1);
    g->addWidget(wrapped(ctl::lblPchemGlide, "Chemical power (W) in gliding (tonic musc + BMR)"), r, 0);
    txtPchemGlide = value(ctl::txtPchemGlide, r++, 1);
    return fraResults;
}

QGroupBox* frmSummaryGlide::flappingFrame() {
    QGroupBox* fraFlap = frame(ctl::fraFlap, "FLAPPING flight speeds and effective L/D for comparison:");
    auto* fg = new QGridLayout(fraFlap);
    fg->setVerticalSpacing(3);
    fg->setColumnStretch(0, 1);
    int fc = 1;
    for (auto [n, t] : {std::pair{ctl::lblAirSpeed, "Air speed m/s"}, std::pair{ctl::lblChemPower, "Chem power W"},
                        std::pair{ctl::lblEffLD, "Effective L/D"}})
        fg->addWidget(columnHeading(n, t, fraFlap), 0, fc++);
    auto flapValue = [&](const QString& name, int row, int col) {
        CommitEdit* f = derived(name, {}, fraFlap);
        f->setFixedWidth(64);
        fg->addWidget(f, row, col);
        return f;
    };
    fg->addWidget(label(ctl::lblVmpRow, "Min power (Vmp)", fraFlap), 1, 0);
    txtVmp = flapValue(ctl::txtVmp, 1, 1);
    txtPchemVmp = flapValue(ctl::txtPchemVmp, 1, 2);
    txtNVmp = flapValue(ctl::txtNVmp, 1, 3);
    fg->addWidget(label(ctl::lblVmrRow, "Max range (Vmr)", fraFlap), 2, 0);
    txtVmr = flapValue(ctl::txtVmr, 2, 1);
    txtPchemVmr = flapValue(ctl::txtPchemVmr, 2, 2);
    txtNVmr = flapValue(ctl::txtNVmr, 2, 3);
    QLabel* jperFlap = label(ctl::lblJperFlap, "Sporadic flapping - fuel energy per wingbeat (J)", fraFlap);
    jperFlap->setWordWrap(true);
    fg->addWidget(jperFlap, 3, 0, 1, 3);
    txtJperFlap = flapValue(ctl::txtJperFlap, 3, 3);
    return fraFlap;
}

QGroupBox* frmSummaryGlide::macCreadyFrame() {
    QGroupBox* fraMacCready = frame(ctl::fraMacCready, "Cross-country speed");
    auto* mg = new QHBoxLayout(fraMacCready);
    mg->setContentsMargins(8, 4, 8, 4);
    lblMacCready = label(ctl::lblMacCready, "", fraMacCready);
    lblMacCready->setWordWrap(true);
    lblMacCready->setFixedWidth(250);
    lblMacCready->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtMacCready = new MacCreadyTable(ctl::txtMacCready, fraMacCready);
    mg->addWidget(lblMacCready);
    mg->addWidget(txtMacCready, 0, Qt::AlignTop);
    mg->addStretch(1);
    return fraMacCready;
}

void frmSummaryGlide::Form_Load() {
    ScreenUpdate u = glide::LoadSummaryGlide(ctx_.s);
    output::NameFirstOutputAfterBird(ctx_.s);  // the save box opens ticked
    if (const std::string* t = u.textOf(txtMacCready->objectName().toStdString()))
        txtMacCready->setPlainText(QString::fromStdString(*t));
    apply(u);
    cmdOK->setFocus();
}

void frmSummaryGlide::chkExcel_Click() { apply(output::RunSaveBoxClick(ctx_.s)); }

void frmSummaryGlide::writeRun() { output::WriteGlideOutput(ctx_.s, ctx_.d); }

void frmSummaryGlide::cmdGraph_Click() { frmGraphPolar::Show(ctx_, this); }

void frmSummaryGlide::cmdWindTrnglCalc_Click() {
    auto* wind = new frmWindTrnglCalc(ctx_, this);
    wind->show();
}


}  // namespace ornivo::ui
