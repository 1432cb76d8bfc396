#include "ui/frmSummaryMigrate.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "flap/SummaryFlap.h"
#include "migrate/SummaryMigrate.h"
#include "output/SaveBox.h"
#include "output/WorkbookRunOutput.h"
#include "ui/ManualScreens.h"

namespace ornivo::ui {

namespace {

struct RowCaption {
    const char* control;
    const char* caption;
};

// The rows of the two result frames, in reading order.
const RowCaption FlightRows[] = {
    {"txtHrs", "Flight time (hours)"},          {"txtDistance", "Distance flown (km)"},
    {"txtTAS", "True air speed (m/s)"},         {"txtVmp", "Min power speed (m/s)"},
    {"txtVratio", "Ratio V:Vmp"},               {"txtFat", "Fat mass (kg)"},
    {"txtMuscle", "Flight muscle mass (kg)"},   {"txtAirframe", "Airframe mass (kg)"},
    {"txtAllUp", "All-up mass (kg)"},           {"txtFatBurn", "Fat burned (kJ)"},
    {"txtProtBurn", "Protein burned (kJ)"},
};
const RowCaption BodyRows[] = {
    {"txtTotalFuel", "Total fuel burned (kJ)"}, {"txtQm", "Specific work (J/kg)"},
    {"txtPdens", "Specific power (W/kg)"},      {"txtPercentProt", "% fuel from protein"},
    {"txtPercentBMR", "% fuel for BMR"},        {"txtFatFrac", "Fat Fraction"},
    {"txtFatHeight", "Metabolic sink (m/s)"},   {"txtFatProtHeight", "Fat + Protein energy ht (km)"},
    {"txtReWing", "Wing Re"},                   {"txtReBody", "Body Re"},
    {"txtFredMC", "Reduced frequency"},         {"txtFreq", "Wingbeat freq (Hz)"},
};

QLabel* bold(QLabel* l) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace

frmSummaryMigrate::frmSummaryMigrate(UiContext& ctx, QWidget* setup)
    : ResultsScreen(ctx, "frmSummaryMigrate", "Results summary from Migration calculation",
             scaling::ResizePattern::ScaleAndCentre, setup) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->setSpacing(6);
    auto* head = new QHBoxLayout;
    lblHeading = heading("lblHeading", "Migration summary");
    txtSpName = derived("txtSpName");
    txtSpName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtSpName->setFixedWidth(170);
    txtShortName = derived("txtShortName");
    txtShortName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtShortName->setFixedWidth(90);
    head->addWidget(lblHeading);
    head->addStretch();
    // The altitudes of the run share the heading's line.
    head->addWidget(label("lblAltitude", "Altitude (m ASL)     Start:"));
    txtStartAlt = derived("txtStartAlt");
    txtStartAlt->setFixedWidth(56);
    head->addWidget(txtStartAlt);
    head->addWidget(label("lblCruiseAlt", "Cruise:"));
    txtCruiseAlt = derived("txtCruiseAlt");
    txtCruiseAlt->setFixedWidth(56);
    head->addWidget(txtCruiseAlt);
    head->addSpacing(12);
    head->addWidget(txtSpName);
    head->addWidget(txtShortName);
    top->addLayout(head);

    top->addLayout(resultFrames());
    // A GPS track that outlasted the fat: said under the tables, so that negative fat masses read as a deficit.
    QLabel* fatRanOut = label("lblFatRanOut", "");
    fatRanOut->setVisible(false);
    top->addWidget(fatRanOut);

    top->addLayout(climbAndGlideFrames());
    // After a GPS run: where the map and the progress workbook went.
    lblGpsFiles = label("lblGpsFiles", "");
    lblGpsFiles->setWordWrap(true);
    lblGpsFiles->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblGpsFiles->setVisible(false);
    top->addWidget(lblGpsFiles);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(saveFrame(), 1);
    cmdShowDefs = button("cmdShowDefs", "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    lblWait = bold(label("lblWait", "WAIT .."));
    lblWait->setVisible(false);
    cmdOK = button("cmdOK", "&Return to Setup");
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
        const QString heads[3][2] = {{"lblDepart", "Departure"}, {"lblArrival", "Arrival"},
                                     {"lblOutOfFuel", "Out of fuel"}};
        for (int c = 0; c < 3; ++c) {
            QLabel* l = bold(label(heads[c][0] + suffix, heads[c][1], box));
            l->setAlignment(Qt::AlignRight | Qt::AlignBottom);
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
    columns->addWidget(resultFrame("fraFlight", "Flight and masses", 0, FlightRows, int(std::size(FlightRows))));
    columns->addWidget(resultFrame("fraBody", "Fuel and physiology", 1, BodyRows, int(std::size(BodyRows))));
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
    std::tie(fraClimb, gc) = smallFrame("fraClimb", "Initial climb (included in total time and distance):");
    txtClimbTime = value(gc, "txtClimbTime", "Time (min)");
    txtClimbDist = value(gc, "txtClimbDist", "Distance (km)");
    txtInitialVclimb = value(gc, "txtInitialVclimb", "Initial rate of climb after takeoff (m/s)");
    txtFinalVclimb = value(gc, "txtFinalVclimb", "Rate of climb (m/s) on reaching cruise alt");
    lower->addWidget(fraClimb, 2);
    QGridLayout* gg;
    std::tie(fraFinalGlide, gg) = smallFrame("fraFinalGlide", "Final glide (NOT included in total time and distance):");
    txtFinalGlideTime = value(gg, "txtFinalGlideTime", "Time (min)");
    txtFinalGlideDist = value(gg, "txtFinalGlideDist", "Distance (km)");
    lower->addWidget(fraFinalGlide, 2);
    return lower;
}

QGroupBox* frmSummaryMigrate::saveFrame() {
    QGroupBox* fraSave = frame("fraSave", "Save results");
    auto* sv = new QGridLayout(fraSave);
    sv->setContentsMargins(8, 4, 8, 4);
    chkExcel = check("chkExcel", "", fraSave);
    lblFileName = label("lblFileName", "Output file name", fraSave);
    txtFileName = derived("txtFileName", {}, fraSave);
    txtFileName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtFileName->setFixedWidth(140);
    lblFileName->setVisible(false);
    txtFileName->setVisible(false);
    chk4Digit = check("chk4Digit", "&4-digit output", fraSave);
    // One line: the save box, the file name while it is shown, "4-digit output".
    sv->addWidget(chkExcel, 0, 0);
    sv->addWidget(lblFileName, 0, 1);
    sv->addWidget(txtFileName, 0, 2);
    sv->addWidget(chk4Digit, 0, 3, Qt::AlignRight);
    sv->setColumnStretch(0, 1);
    return fraSave;
}

void frmSummaryMigrate::Form_Load() {
    apply(migrate::LoadSummaryMigrate(ctx_.s));
    cmdOK->setFocus();
}

void frmSummaryMigrate::chkExcel_Click() { apply(output::RunSaveBoxClick(ctx_.s)); }

void frmSummaryMigrate::chk4Digit_LostFocus() { flap::Set4DigitOutput(ctx_.s, chk4Digit->isChecked()); }

void frmSummaryMigrate::cmdOK_Click() { close(); }

void frmSummaryMigrate::writeRun() { output::WriteMigrationRun(ctx_.s, ctx_.d); }


}  // namespace ornivo::ui
