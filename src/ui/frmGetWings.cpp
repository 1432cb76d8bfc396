#include "ui/frmGetWings.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "state/ControlNames.h"
#include "ui/ManualScreens.h"

namespace ornivo::ui {

frmGetWings::frmGetWings(UiContext& ctx, QWidget* opener, std::function<void(const ScreenUpdate&)> onAccepted)
    : Screen(ctx, ctl::frmGetWings, "Get bird from Wings database", scaling::ResizePattern::ScaleNoCentre, opener),
      logic_(ctx.s, ctx.d), onAccepted_(std::move(onAccepted)) {
    setWindowModality(Qt::NonModal);  // the Enter Bird screen stays usable
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    top->setSpacing(6);
    lblHeading = heading(ctl::lblHeading, "Search Wings Database for a suitable bird");
    top->addWidget(lblHeading);

    auto* upper = new QHBoxLayout;
    upper->addLayout(searchColumn(), 1);
    auto* right = new QVBoxLayout;
    right->addLayout(namesGrid());
    lblNumFound = label(ctl::lblNumFound, "");
    right->addWidget(lblNumFound);
    right->addWidget(recordsFrame());
    lblSelectRecords = label(ctl::lblSelectRecords, "Include these categories in sample:");
    right->addWidget(lblSelectRecords);
    right->addLayout(categoryFrames());
    cmdStats = button(ctl::cmdStats, "&Find sample means");
    right->addWidget(cmdStats);
    right->addLayout(meansGrid());
    upper->addLayout(right, 2);
    top->addLayout(upper, 1);

    cmdShowDefs = button(ctl::cmdShowDefs, "Show definitions");
    WireShowDefinitions(this, cmdShowDefs);
    cmdOK = button(ctl::cmdOK, "&OK - accept");
    cmdExit = button(ctl::cmdExit, "Forget &it");
    top->addLayout(line({cmdShowDefs, Stretch, cmdOK, cmdExit}));
    wire();

    Form_Load();
    // The screen opens idle: only the level options, the search and the exits are shown. The window
    // is sized for what it shows then, and grows with the search.
    showUpdate(logic_.load());
    placeWindow();
}

QVBoxLayout* frmGetWings::searchColumn() {
    auto* left = new QVBoxLayout;
    fraLevel = optionFrame(ctl::fraLevel, "Level to start search",
                           {{optGenus, ctl::optGenus, "Genus"},
                            {optFamily, ctl::optFamily, "Family"},
                            {optOrder, ctl::optOrder, "Order"},
                            {optClass, ctl::optClass, "Class"}});
    left->addWidget(fraLevel);
    cmdSearch = button(ctl::cmdSearch, "&Start search");
    left->addWidget(cmdSearch);
    lblSelect = label(ctl::lblSelect, "");
    left->addWidget(lblSelect);
    lstTaxon = new QListWidget(this);
    lstTaxon->setObjectName(ctl::lstTaxon);
    lstTaxon->setMinimumSize(200, 160);
    lstTaxon->installEventFilter(this);
    left->addWidget(lstTaxon, 1);
    left->addStretch();
    return left;
}

QGridLayout* frmGetWings::namesGrid() {
    auto* names = new QGridLayout;
    auto nameBox = [&](const char* name, const char* caption, QLabel*& l, int r) {
        CommitEdit* e = derived(name);
        e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        e->setMinimumWidth(160);
        l = label(QString("lbl") + QString(name).mid(3), caption);
        row(names, r, l, e);
        return e;
    };
    txtOrder = nameBox(ctl::txtOrder, "Order", lblOrder, 0);
    txtFamily = nameBox(ctl::txtFamily, "Family", lblFamily, 1);
    txtGenus = nameBox(ctl::txtGenus, "Genus", lblGenus, 2);
    txtSpecies = nameBox(ctl::txtSpecies, "Species", lblSpecies, 3);
    return names;
}

QGroupBox* frmGetWings::recordsFrame() {
    // The records by age (rows) and sex (columns), named txtAdult(0) ... txtUnknown(2).
    fraGrid = frame(ctl::fraGrid, "Records by age and sex");
    auto* gg = new QGridLayout(fraGrid);
    const char* cols[] = {"Male", "Female", "Unknown sex"};
    const char* rows[] = {ctl::txtAdult, ctl::txtImm, ctl::txtUnknown};
    const char* rowCaptions[] = {"Adult", "Immature", "Unknown age"};
    for (int c = 0; c < 3; ++c) gg->addWidget(label(QString("lblGridCol%1").arg(c), cols[c], fraGrid), 0, c + 1);
    for (int r = 0; r < 3; ++r) {
        gg->addWidget(label(QString("lblGridRow%1").arg(r), rowCaptions[r], fraGrid), r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            txtGrid[r][c] = derived(QString("%1(%2)").arg(rows[r]).arg(c), {}, fraGrid);
            txtGrid[r][c]->setMaximumWidth(60);
            txtGrid[r][c]->setMinimumWidth(40);
            gg->addWidget(txtGrid[r][c], r + 1, c + 1);
        }
    }
    return fraGrid;
}

QHBoxLayout* frmGetWings::categoryFrames() {
    auto* cats = new QHBoxLayout;
    fraSex = optionFrame(ctl::fraSex, "Sex",
                         {{optMale, ctl::optMale, "Males only"},
                          {optFemale, ctl::optFemale, "Females only"},
                          {optAnySex, ctl::optAnySex, "All records"}});
    fraAge = optionFrame(ctl::fraAge, "Age",
                         {{optAdult, ctl::optAdult, "Adults only"},
                          {optImm, ctl::optImm, "Immatures only"},
                          {optAllAge, ctl::optAllAge, "All records"}});
    fraRecordSelect = optionFrame(ctl::fraRecordSelect, "Select records for sample",
                                  {{optInclude, ctl::optInclude, "Include all records"},
                                   {optSelectIndiv, ctl::optSelectIndiv, "View and select records"}});
    cats->addWidget(fraSex);
    cats->addWidget(fraAge);
    cats->addWidget(fraRecordSelect);
    return cats;
}

QGridLayout* frmGetWings::meansGrid() {
    // The sample means with the number of specimens each is taken from (none for the two derived ones).
    auto* means = new QGridLayout;
    lblMean = label(ctl::lblMean, "Mean");
    lblN = label(ctl::lblN, "N");
    means->addWidget(lblMean, 0, 1);
    means->addWidget(lblN, 0, 2);
    lblMass = label(ctl::lblMass, "Mass (kg)");
    lblSpan = label(ctl::lblSpan, "Wing span (m)");
    lblArea = label(ctl::lblArea, "Wing area (sq m)");
    lblAR = label(ctl::lblAR, "Aspect ratio");
    lblMuscFrac = label(ctl::lblMuscFrac, "Flight muscle fraction");
    txtMass = derived(ctl::txtMass);
    txtSpan = derived(ctl::txtSpan);
    txtArea = derived(ctl::txtArea);
    txtNmass = derived(ctl::txtNmass);
    txtNspan = derived(ctl::txtNspan);
    txtNarea = derived(ctl::txtNarea);
    txtAR = derived(ctl::txtAR);
    txtMuscFrac = derived(ctl::txtMuscFrac);
    QLabel* mlabels[] = {lblMass, lblSpan, lblArea, lblAR, lblMuscFrac};
    CommitEdit* mboxes[] = {txtMass, txtSpan, txtArea, txtAR, txtMuscFrac};
    CommitEdit* nboxes[] = {txtNmass, txtNspan, txtNarea};
    for (int r = 0; r < 5; ++r) {
        means->addWidget(mlabels[r], r + 1, 0);
        means->addWidget(mboxes[r], r + 1, 1);
        if (r < 3) {
            nboxes[r]->setMaximumWidth(50);
            means->addWidget(nboxes[r], r + 1, 2);
        }
    }
    return means;
}

void frmGetWings::wire() {
    for (QRadioButton* o : {optGenus, optFamily, optOrder, optClass, optMale, optFemale, optAnySex, optAdult, optImm,
                            optAllAge, optInclude, optSelectIndiv})
        connect(o, &QRadioButton::clicked, this, [this, o] { guarded([&] { opt_Click(o); }); });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { guarded([this] { cmdSearch_Click(); }); });
    connect(lstTaxon, &QListWidget::itemActivated, this, [this] { guarded([this] { lstTaxon_LostFocus(); }); });
    connect(cmdStats, &QPushButton::clicked, this, [this] { guarded([this] { cmdStats_Click(); }); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });

    logic_.showSpecimen = [this](const ScreenUpdate& v) {
        if (!specimen_) specimen_ = new frmShowAccess(ctx_, this);
        specimen_->apply(v);
        specimen_->show();
    };
    logic_.closeSpecimen = [this] {
        if (specimen_) specimen_->close();
    };
}

void frmGetWings::Form_Load() {}

void frmGetWings::showUpdate(const ScreenUpdate& u) {
    apply(u);
    const QSignalBlocker block(lstTaxon);
    lstTaxon->clear();
    for (const std::string& n : logic_.names()) lstTaxon->addItem(QString::fromStdString(n));
    if (lstTaxon->isVisible() && lstTaxon->count() > 0) {
        lstTaxon->setCurrentRow(0);
        lstTaxon->setFocus(Qt::OtherFocusReason);
    }
    if (logic_.closed() && !done_) {
        done_ = true;
        close();
    }
}

void frmGetWings::opt_Click(QRadioButton* o) { apply(logic_.option(o->objectName().toStdString())); }

void frmGetWings::cmdSearch_Click() { showUpdate(logic_.startSearch()); }

void frmGetWings::lstTaxon_LostFocus() {
    if (!lstTaxon->isVisible() || lstTaxon->currentRow() < 0) return;
    showUpdate(logic_.chooseName(lstTaxon->currentRow()));
}

void frmGetWings::cmdStats_Click() { apply(logic_.findMeans()); }

void frmGetWings::cmdOK_Click() {
    ScreenUpdate u = logic_.accept();
    if (!logic_.closed()) return;
    done_ = true;
    if (onAccepted_) onAccepted_(u);
    close();
}

void frmGetWings::cmdExit_Click() { close(); }

bool frmGetWings::eventFilter(QObject* watched, QEvent* event) {
    // TAB out of the name list takes the selected entry.
    if (watched == lstTaxon && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Tab) {
            guarded([this] { lstTaxon_LostFocus(); });
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

void frmGetWings::closeEvent(QCloseEvent* e) {
    if (specimen_) specimen_->close();
    if (!logic_.closed()) logic_.forget();
    e->accept();
}

}  // namespace ornivo::ui
