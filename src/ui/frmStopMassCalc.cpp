#include "ui/frmStopMassCalc.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "state/ControlNames.h"
#include "ui/ManualScreens.h"


namespace ornivo::ui {

frmStopMassCalc::frmStopMassCalc(UiContext& ctx, Screen* setup)
    : Screen(ctx, ctl::frmStopMassCalc, "Stopover mass calculator", scaling::ResizePattern::ScaleAndCentre, setup),
      setup_(setup) {
    QVBoxLayout* top = layoutWithHeading("Stopover Mass Calculator");

    QGroupBox* fraStopover = frame(ctl::fraStopover, "Stopover");
    auto* g = new QGridLayout(fraStopover);
    g->setVerticalSpacing(3);
    g->setHorizontalSpacing(8);
    g->setColumnStretch(0, 1);
    // Grid rows 1-2 dates and times, 4-5 masses, 7-8 fractions and heights; rows 3 and 6 and column 2
    // hold the dividing line, with the six boxes to fill above it and to its left.
    g->addWidget(columnHeading(ctl::lblBegin, "Begin Stopover", fraStopover), 0, 1);
    g->addWidget(columnHeading(ctl::lblMoveOn, "Move on", fraStopover), 0, 3);
    auto cell = [&](const QString& name, int r, int c, bool result, const QString& tip = {}) {
        CommitEdit* f = result ? derived(name, tip, fraStopover) : field(name, tip, fraStopover);
        f->setFixedWidth(100);
        g->addWidget(f, r, c);
        return f;
    };
    const char* rows[] = {"Date (format 26-Apr-2008)", "Time (format 08:00)", "Body Mass (kg)", "Fat Mass (kg)",
                          "Fat Fraction", "Energy height km (Fat + Protein)"};
    const char* rowNames[] = {ctl::lblDate, ctl::lblTime, ctl::lblMempty, ctl::lblMfat, ctl::lblFatFrac, ctl::lblHfuel};
    const int gridRow[] = {1, 2, 4, 5, 7, 8};
    for (int r = 0; r < 6; ++r) g->addWidget(label(rowNames[r], rows[r], fraStopover), gridRow[r], 0);
    txtDateBegin = cell(ctl::txtDateBegin, 1, 1, false, "Date format 26-Apr-2008");
    txtTimeBegin = cell(ctl::txtTimeBegin, 2, 1, false, "Time format 08:00");
    txtMemptyBegin = cell(ctl::txtMemptyBegin, 4, 1, false);
    txtMfatBegin = cell(ctl::txtMfatBegin, 5, 1, false);
    txtFatFracBegin = cell(ctl::txtFatFracBegin, 7, 1, true);
    txtHfuelBegin = cell(ctl::txtHfuelBegin, 8, 1, true);
    txtDateMoveOn = cell(ctl::txtDateMoveOn, 1, 3, false, "Date format 26-Apr-2008");
    txtTimeMoveOn = cell(ctl::txtTimeMoveOn, 2, 3, false, "Time format 08:00");
    txtMemptyMoveOn = cell(ctl::txtMemptyMoveOn, 4, 3, true);
    txtMfatMoveOn = cell(ctl::txtMfatMoveOn, 5, 3, true);
    txtFatFracMoveOn = cell(ctl::txtFatFracMoveOn, 7, 3, true);
    txtHfuelMoveOn = cell(ctl::txtHfuelMoveOn, 8, 3, true);
    for (CommitEdit* f : {txtDateBegin, txtTimeBegin, txtDateMoveOn, txtTimeMoveOn})
        f->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto divider = [&](QFrame::Shape shape) {
        auto* l = new QFrame(fraStopover);
        l->setFrameShape(shape);
        l->setFrameShadow(QFrame::Sunken);
        return l;
    };
    g->addWidget(divider(QFrame::HLine), 3, 2, 1, 2);  // under the move-on date and time
    g->addWidget(divider(QFrame::VLine), 3, 2, 4, 1);  // between the begin and move-on masses
    g->addWidget(divider(QFrame::HLine), 6, 1, 1, 2);  // under the begin masses
    top->addWidget(fraStopover);
    lblFillBoxes = label(ctl::lblFillBoxes, "Fill in the 6 boxes above and to left of the line");
    top->addWidget(lblFillBoxes);

    QGroupBox* fraRates = frame(ctl::fraRates, "Rates (multiples of BMR)");
    auto* rg = new QGridLayout(fraRates);
    rg->setColumnStretch(0, 1);
    txtExistenceRatio = field(ctl::txtExistenceRatio,
                              "Average rate of energy expenditure during stopover as multiple of BMR", fraRates);
    txtFeedQ = field(ctl::txtFeedQ, "Average rate of energy intake during stopover as multiple of BMR", fraRates);
    for (CommitEdit* f : {txtExistenceRatio, txtFeedQ}) f->setFixedWidth(100);
    row(rg, 0, label(ctl::lblExistenceRatio, "Existence Ratio", fraRates), txtExistenceRatio);
    row(rg, 1, label(ctl::lblFeedQ, "Intake rate", fraRates), txtFeedQ);
    top->addWidget(fraRates);

    cmdCompute = button(ctl::cmdCompute, "&Compute new mass");
    cmdCompute->setDefault(true);
    cmdLoadNewMass = button(ctl::cmdLoadNewMass, "");
    cmdExit = button(ctl::cmdExit, "");
    cmdShowDefs = button(ctl::cmdShowDefs, "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    top->addLayout(line({cmdCompute, cmdLoadNewMass, cmdExit, cmdShowDefs}));

    QWidget* order[] = {txtDateBegin, txtTimeBegin, txtMemptyBegin, txtMfatBegin, txtDateMoveOn, txtTimeMoveOn,
                        txtExistenceRatio, txtFeedQ, cmdCompute, cmdLoadNewMass, cmdExit};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(txtExistenceRatio, &CommitEdit::clickedInto, this, [this] { guarded([this] { txtExistenceRatio_Click(); }); });
    for (CommitEdit* f : {txtExistenceRatio, txtFeedQ})
        connect(f, &CommitEdit::committed, this, [this, f](const QString& t) { guarded([&] { txtRate_LostFocus(f, t); }); });
    connect(cmdCompute, &QPushButton::clicked, this, [this] { guarded([this] { cmdCompute_Click(); }); });
    connect(cmdLoadNewMass, &QPushButton::clicked, this, [this] { guarded([this] { cmdLoadNewMass_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });

    Form_Load();
    placeWindow();
}

void frmStopMassCalc::Form_Load() {
    migrate::LoadStopoverMass(ctx_.s);
    cmdLoadNewMass->setText("&Load revised mass into program and\nreturn to Migration Setup Screen");
    cmdExit->setText("&Return to Migration Setup Screen\nwithout loading new data");
    const migrate::StopoverForm defaults;
    txtExistenceRatio->setText(QString::fromStdString(defaults.ExistenceText));
    txtFeedQ->setText(QString::fromStdString(defaults.FeedText));
    cmdLoadNewMass->setEnabled(false);  // nothing to load before a computation
    txtDateBegin->setFocus();
}

void frmStopMassCalc::txtExistenceRatio_Click() { migrate::StopoverRateClick(ctx_.s, ctl::txtExistenceRatio); }

void frmStopMassCalc::txtRate_LostFocus(CommitEdit* f, const QString& text) {
    migrate::StopoverRateEdit(ctx_.s, f->objectName().toStdString(), text.toStdString());
}

migrate::StopoverForm frmStopMassCalc::form() const {
    migrate::StopoverForm f;
    auto t = [](CommitEdit* e) { return e->text().trimmed().toStdString(); };
    f.DateBegin = t(txtDateBegin);
    f.TimeBegin = t(txtTimeBegin);
    f.DateMoveOn = t(txtDateMoveOn);
    f.TimeMoveOn = t(txtTimeMoveOn);
    f.MassBegin = t(txtMemptyBegin);
    f.FatBegin = t(txtMfatBegin);
    f.ExistenceText = t(txtExistenceRatio);
    f.FeedText = t(txtFeedQ);
    return f;
}

void frmStopMassCalc::cmdCompute_Click() {
    commitPending();
    ScreenUpdate u;
    result_ = migrate::ComputeStopoverMass(ctx_.s, form(), ctx_.d, &u);
    apply(u);
    cmdLoadNewMass->setEnabled(result_.has_value());
}

void frmStopMassCalc::cmdLoadNewMass_Click() {
    if (!result_) return;
    const ScreenUpdate setup = migrate::LoadRevisedMass(ctx_.s, *result_);
    if (setup_) setup_->apply(setup);
    close();
}

void frmStopMassCalc::cmdExit_Click() { close(); }

}  // namespace ornivo::ui
