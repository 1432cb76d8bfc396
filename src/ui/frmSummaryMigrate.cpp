#include "ui/frmSummaryMigrate.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "migrate/SummaryMigrate.h"
#include "output/SaveBox.h"
#include "output/WorkbookRunOutput.h"
#include "state/ControlNames.h"
#include "ui/ManualScreens.h"

namespace ornivo::ui {

namespace {

struct RowCaption {
    const char* control;
    const char* caption;
};

// The rows of the two result frames, in reading order.
const RowCaption FlightRows[] = {
    {ctl::txtHrs, "Flight time (hours)"},          {ctl::txtDistance, "Distance flown (km)"},
    {ctl::txtTAS, "True air speed (m/s)"},         {ctl::txtVmp, "Min power speed (m/s)"},
    {ctl::txtVratio, "Ratio V:Vmp"},               {ctl::txtFat, "Fat mass (kg)"},
    {ctl::txtMuscle, "Flight muscle mass (kg)"},   {ctl::txtAirframe, "Airframe mass (kg)"},
    {ctl::txtAllUp, "All-up mass (kg)"},           {ctl::txtFatBurn, "Fat burned (kJ)"},
    {ctl::txtProtBurn, "Protein burned (kJ)"},
};
const RowCaption BodyRows[] = {
    {ctl::txtTotalFuel, "Total fuel burned (kJ)"}, {ctl::txtQm, "Specific work (J/kg)"},
    {ctl::txtPdens, "Specific power (W/kg)"},      {ctl::txtPercentProt, "% fuel from protein"},
    {ctl::txtPercentBMR, "% fuel for BMR"},        {ctl::txtFatFrac, "Fat Fraction"},
    {ctl::txtFatHeight, "Metabolic sink (m/s)"},   {ctl::txtFatProtHeight, "Fat + Protein energy ht (km)"},
    {ctl::txtReWing, "Wing Re"},                   {ctl::txtReBody, "Body Re"},
    {ctl::txtFredMC, "Reduced frequency"},         {ctl::txtFreq, "Wingbeat freq (Hz)"},
};

}  // namespace

frmSummaryMigrate::frmSummaryMigrate(UiContext& ctx, QWidget* setup)
    : ResultsScreen(ctx, ctl::frmSummaryMigrate, "Results summary from Migration calculation",
             scaling::ResizePattern::ScaleAndCentre, setup) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->setSpacing(6);
    auto* head = new QHBoxLayout;
    lblHeading = heading(ctl::lblHeading, "Migration summary");
    nameFields(170, 90);
    head->addWidget(lblHeading);
    head->addStretch();
    // The altitudes of the run share the heading's line.
    head->addWidget(label(ctl::lblAltitude, "Altitude (m ASL)     Start:"));
    txtStartAlt = derived(ctl::txtStartAlt);
    txtStartAlt->setFixedWidth(56);
    head->addWidget(txtStartAlt);
    head->addWidget(label(ctl::lblCruiseAlt, "Cruise:"));
    txtCruiseAlt = derived(ctl::txtCruiseAlt);
    txtCruiseAlt->setFixedWidth(56);
    head->addWidget(txtCruiseAlt);
    head->addSpacing(12);
    head->addWidget(txtSpName);
    head->addWidget(txtShortName);
    top->addLayout(head);

    top->addLayout(resultFrames());
    // A GPS track that outlasted the fat: said under the tables, so that negative fat masses read as a deficit.
    QLabel* fatRanOut = label(ctl::lblFatRanOut, "");
    fatRanOut->setVisible(false);
    top->addWidget(fatRanOut);

    top->addLayout(climbAndGlideFrames());
    // After a GPS run: where the map and the progress workbook went.
    lblGpsFiles = label(ctl::lblGpsFiles, "");
    lblGpsFiles->setWordWrap(true);
    lblGpsFiles->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblGpsFiles->setVisible(false);
    top->addWidget(lblGpsFiles);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(saveFrame(chkExcel, 140, true), 1);
    cmdShowDefs = button(ctl::cmdShowDefs, "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    lblWait = bold(label(ctl::lblWait, "WAIT .."));
    lblWait->setVisible(false);
    cmdOK = button(ctl::cmdOK, "&Return to Setup");
    cmdOK->setDefault(true);
    bottom->addWidget(cmdShowDefs, 0, Qt::AlignBottom);
    bottom->addWidget(lblWait, 0, Qt::AlignBottom);
    bottom->addWidget(cmdOK, 0, Qt::AlignBottom);
    top->addLayout(bottom);

    setTabOrder(chkExcel, chk4Digit);
    setTabOrder(chk4Digit, cmdOK);

    connect(chkExcel, &QCheckBox::clicked, this, [this] { guarded([this] { chkExcel_Click(); }); });
    connect(chk4Digit, &QCheckBox::toggled, this, [this] { chk4Digit_LostFocus(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });

    Form_Load();
    placeWindow();
}

QHBoxLayout* frmSummaryMigrate::resultFrames() {
    // Two frames of result rows, each with the three column headings.
    auto resultFrame = [this](const QString& name, const QString& title, int copy, const RowCaption* rows, int n) {
        QGroupBox* box = frame(name, title);
        auto* g = new QGridLayout(box);
        g->setVerticalSpacing(2);
        g->setHorizontalSpacing(4);
        g->setContentsMargins(6, 4, 6, 4);
        g->setColumnStretch(0, 1);
        const QString suffix = "_" + QString::number(copy);
        const QString heads[3][2] = {{ctl::lblDepart, "Departure"}, {ctl::lblArrival, "Arrival"},
                                     {ctl::lblOutOfFuel, "Out of fuel"}};
        for (int c = 0; c < 3; ++c) {
            QLabel* l = columnHeading(heads[c][0] + suffix, heads[c][1], box);
            g->addWidget(l, 0, c + 1);
            if (c == 1) (copy == 0 ? lblArrival_0 : lblArrival_1) = l;
        }
        for (int r = 0; r < n; ++r) {
            const QString control = rows[r].control;
            g->addWidget(label("lbl" + control.mid(3), rows[r].caption, box), r + 1, 0);
            std::array<CommitEdit*, 3> fields{};
            for (int c = 0; c < 3; ++c) {
                fields[c] = derived(control + "_" + QString::number(c), {}, box);
                fields[c]->setFixedWidth(62);
                g->addWidget(fields[c], r + 1, c + 1);
            }
            results[control] = fields;
        }
        return box;
    };
    auto* columns = new QHBoxLayout;
    columns->addWidget(resultFrame(ctl::fraFlight, "Flight and masses", 0, FlightRows, int(std::size(FlightRows))));
    columns->addWidget(resultFrame(ctl::fraBody, "Fuel and physiology", 1, BodyRows, int(std::size(BodyRows))));
    return columns;
}

QHBoxLayout* frmSummaryMigrate::climbAndGlideFrames() {
    // The climb and the final glide.
    auto* lower = new QHBoxLayout;
    auto smallFrame = [this](const QString& name, const QString& title) {
        QGroupBox* box = frame(name, title);
        auto* g = new QGridLayout(box);
        g->setVerticalSpacing(2);
        g->setContentsMargins(8, 4, 8, 4);
        g->setColumnStretch(0, 1);
        return std::pair{box, g};
    };
    auto value = [this](QGridLayout* g, const QString& name, const QString& caption) {
        QWidget* box = g->parentWidget();
        CommitEdit* f = derived(name, {}, box);
        f->setFixedWidth(62);
        row(g, g->rowCount(), label("lbl" + name.mid(3), caption, box), f);
        return f;
    };
    QGridLayout* gc;
    std::tie(fraClimb, gc) = smallFrame(ctl::fraClimb, "Initial climb (included in total time and distance):");
    txtClimbTime = value(gc, ctl::txtClimbTime, "Time (min)");
    txtClimbDist = value(gc, ctl::txtClimbDist, "Distance (km)");
    txtInitialVclimb = value(gc, ctl::txtInitialVclimb, "Initial rate of climb after takeoff (m/s)");
    txtFinalVclimb = value(gc, ctl::txtFinalVclimb, "Rate of climb (m/s) on reaching cruise alt");
    lower->addWidget(fraClimb, 2);
    QGridLayout* gg;
    std::tie(fraFinalGlide, gg) =
        smallFrame(ctl::fraFinalGlide, "Final glide (NOT included in total time and distance):");
    txtFinalGlideTime = value(gg, ctl::txtFinalGlideTime, "Time (min)");
    txtFinalGlideDist = value(gg, ctl::txtFinalGlideDist, "Distance (km)");
    lower->addWidget(fraFinalGlide, 2);
    return lower;
}

void frmSummaryMigrate::Form_Load() {
    apply(migrate::LoadSummaryMigrate(ctx_.s));
    cmdOK->setFocus();
}

void frmSummaryMigrate::chkExcel_Click() { apply(output::RunSaveBoxClick(ctx_.s)); }

void frmSummaryMigrate::writeRun() { output::WriteMigrationRun(ctx_.s, ctx_.d); }


}  // namespace ornivo::ui
