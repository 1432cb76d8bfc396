#include "ui/frmGetWings.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/ManualScreens.h"

namespace ornivo::ui {

frmGetWings::frmGetWings(UiContext& ctx, QWidget* opener, std::function<void(const ScreenUpdate&)> onAccepted)
    : Screen(ctx, "frmGetWings", "Get bird from Wings database", scaling::ResizePattern::ScaleNoCentre, opener),
      logic_(ctx.s, ctx.d), onAccepted_(std::move(onAccepted)) {
    setWindowModality(Qt::NonModal);  // the Enter Bird screen stays usable
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    top->setSpacing(6);
    lblHeading = heading("lblHeading", "Search Wings Database for a suitable bird");
    top->addWidget(lblHeading);

    auto* upper = new QHBoxLayout;
    upper->addLayout(searchColumn(), 1);
    auto* right = new QVBoxLayout;
    right->addLayout(namesGrid());
    lblNumFound = label("lblNumFound", "");
    right->addWidget(lblNumFound);
    right->addWidget(recordsFrame());
    lblSelectRecords = label("lblSelectRecords", "Include these categories in sample:");
    right->addWidget(lblSelectRecords);
    right->addLayout(categoryFrames());
    cmdStats = button("cmdStats", "&Find sample means");
    right->addWidget(cmdStats);
    right->addLayout(meansGrid());
    upper->addLayout(right, 2);
    top->addLayout(upper, 1);

    auto* b = new QHBoxLayout;
    cmdShowDefs = button("cmdShowDefs", "Show definitions");
    WireShowDefinitions(this, cmdShowDefs);
    cmdOK = button("cmdOK", "&OK - accept");
    cmdExit = button("cmdExit", "Forget &it");
    b->addWidget(cmdShowDefs);
    b->addStretch();
    b->addWidget(cmdOK);
    b->addWidget(cmdExit);
    top->addLayout(b);
    wire();

    Form_Load();
    // The screen opens idle: only the level options, the search and the exits are shown. The window
    // is sized for what it shows then, and grows with the search.
    showUpdate(logic_.load());
    placeWindow();
}

QVBoxLayout* frmGetWings::searchColumn() {
    auto* left = new QVBoxLayout;
    fraLevel = frame("fraLevel", "Level to start search");
    auto* ll = new QVBoxLayout(fraLevel);
    optGenus = option("optGenus", "Genus", {}, fraLevel);
    optFamily = option("optFamily", "Family", {}, fraLevel);
    optOrder = option("optOrder", "Order", {}, fraLevel);
    optClass = option("optClass", "Class", {}, fraLevel);
    for (QRadioButton* o : {optGenus, optFamily, optOrder, optClass}) ll->addWidget(o);
    left->addWidget(fraLevel);
    cmdSearch = button("cmdSearch", "&Start search");
    left->addWidget(cmdSearch);
    lblSelect = label("lblSelect", "");
    left->addWidget(lblSelect);
    lstTaxon = new QListWidget(this);
    lstTaxon->setObjectName("lstTaxon");
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
    txtOrder = nameBox("txtOrder", "Order", lblOrder, 0);
    txtFamily = nameBox("txtFamily", "Family", lblFamily, 1);
    txtGenus = nameBox("txtGenus", "Genus", lblGenus, 2);
    txtSpecies = nameBox("txtSpecies", "Species", lblSpecies, 3);
    return names;
}

QGroupBox* frmGetWings::recordsFrame() {
    // The records by age (rows) and sex (columns), named txtAdult(0) ... txtUnknown(2).
    fraGrid = frame("fraGrid", "Records by age and sex");
    auto* gg = new QGridLayout(fraGrid);
    const char* cols[] = {"Male", "Female", "Unknown sex"};
    const char* rows[] = {"txtAdult", "txtImm", "txtUnknown"};
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
    fraSex = frame("fraSex", "Sex");
    auto* sl = new QVBoxLayout(fraSex);
    optMale = option("optMale", "Males only", {}, fraSex);
    optFemale = option("optFemale", "Females only", {}, fraSex);
    optAnySex = option("optAnySex", "All records", {}, fraSex);
    for (QRadioButton* o : {optMale, optFemale, optAnySex}) sl->addWidget(o);
    fraAge = frame("fraAge", "Age");
    auto* al = new QVBoxLayout(fraAge);
    optAdult = option("optAdult", "Adults only", {}, fraAge);
    optImm = option("optImm", "Immatures only", {}, fraAge);
    optAllAge = option("optAllAge", "All records", {}, fraAge);
    for (QRadioButton* o : {optAdult, optImm, optAllAge}) al->addWidget(o);
    fraRecordSelect = frame("fraRecordSelect", "Select records for sample");
    auto* rl = new QVBoxLayout(fraRecordSelect);
    optInclude = option("optInclude", "Include all records", {}, fraRecordSelect);
    optSelectIndiv = option("optSelectIndiv", "View and select records", {}, fraRecordSelect);
    rl->addWidget(optInclude);
    rl->addWidget(optSelectIndiv);
    cats->addWidget(fraSex);
    cats->addWidget(fraAge);
    cats->addWidget(fraRecordSelect);
    return cats;
}

QGridLayout* frmGetWings::meansGrid() {
    // The sample means with the number of specimens each is taken from (none for the two derived ones).
    auto* means = new QGridLayout;
    lblMean = label("lblMean", "Mean");
    lblN = label("lblN", "N");
    means->addWidget(lblMean, 0, 1);
    means->addWidget(lblN, 0, 2);
    lblMass = label("lblMass", "Mass (kg)");
    lblSpan = label("lblSpan", "Wing span (m)");
    lblArea = label("lblArea", "Wing area (sq m)");
    lblAR = label("lblAR", "Aspect ratio");
    lblMuscFrac = label("lblMuscFrac", "Flight muscle fraction");
    txtMass = derived("txtMass");
    txtSpan = derived("txtSpan");
    txtArea = derived("txtArea");
    txtNmass = derived("txtNmass");
    txtNspan = derived("txtNspan");
    txtNarea = derived("txtNarea");
    txtAR = derived("txtAR");
    txtMuscFrac = derived("txtMuscFrac");
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
