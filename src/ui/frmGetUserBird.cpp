#include "ui/frmGetUserBird.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "birddb/EnterFromRecord.h"
#include "state/ControlNames.h"
#include "ui/ManualScreens.h"

namespace ornivo::ui {
namespace {

// The captions of the parameter boxes, in the order of birddb::UserParameters().
struct ParameterCaption {
    const char* caption;
    const char* unit;
};
const ParameterCaption kParameterCaptions[] = {
    {"Profile power constant", ""},  {"BMR factor", ""},
    {"Wingbeat frequency factor", ""}, {"Frontal area factor", ""},
    {"Body drag coefficient", ""},   {"Wing drag coefficient", ""},
    {"Ind power factor (flap)", ""}, {"Ind drag factor (glide)", ""},
    {"Mitochon inv pwr density", "m-cubed/W"}, {"Respiration factor", ""},
    {"Conversion efficiency", ""},   {"Fat energy density", "J/kg"},
    {"Dry protein energy density", "J/kg"}, {"Protein hydration ratio", ""},
    {"Min energy from protein", ""}, {"Max lift coefficient", ""},
    {"Planform slope", ""},          {"B-stop", ""},
    {"Gravity m/s^2", ""},
};

}  // namespace

frmGetUserBird::frmGetUserBird(UiContext& ctx, QWidget* opener, std::function<void(const ScreenUpdate&)> onEntered)
    : Screen(ctx, ctl::frmGetUserBird, "Get User Bird", scaling::ResizePattern::ScaleAndCentre, opener),
      logic_(ctx.s, ctx.d), onEntered_(std::move(onEntered)) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(12, 10, 12, 10);
    top->setSpacing(6);
    lblHeading = heading(ctl::lblHeading, "Get bird from User database");
    top->addWidget(lblHeading);
    auto* middle = new QHBoxLayout;
    middle->addLayout(listColumn(), 2);
    middle->addWidget(recordFrame(), 3);
    middle->addWidget(parametersFrame(), 3);
    top->addLayout(middle, 1);
    top->addLayout(backupLine());
    buttonRows(top);
    wire();

    ScreenUpdate u;
    loaded_ = logic_.load(&u);
    if (loaded_) showUpdate(u);
    placeWindow();
}

QVBoxLayout* frmGetUserBird::listColumn() {
    auto* left = new QVBoxLayout;
    fraListBy = optionFrame(ctl::fraListBy, "List by:",
                            {{optSciName, ctl::optSciName, "Scientific Names"},
                             {optShortName, ctl::optShortName, "Short Names"}},
                            Qt::Horizontal);
    left->addWidget(fraListBy);
    lstGetBird = new QListWidget(this);
    lstGetBird->setObjectName(ctl::lstGetBird);
    lstGetBird->setMinimumSize(180, 200);
    left->addWidget(lstGetBird, 1);
    auto* count = new QHBoxLayout;
    lblRecordCount = label(ctl::lblRecordCount, "Number of birds available:");
    txtRecordCount = derived(ctl::txtRecordCount);
    txtRecordCount->setMaximumWidth(60);
    count->addWidget(lblRecordCount);
    count->addWidget(txtRecordCount);
    left->addLayout(count);
    lblAddNew = label(ctl::lblAddNew, "");
    lblAddNew->setStyleSheet("color: #a01010; font-weight: bold;");
    left->addWidget(lblAddNew);
    return left;
}

QGroupBox* frmGetUserBird::recordFrame() {
    // The twelve common fields and the crop mass; each caption is named after its box.
    QGroupBox* fraRecord = frame(ctl::fraRecord, "Bird");
    auto* rg = new QGridLayout(fraRecord);
    auto textBox = [&](const char* name) {
        CommitEdit* e = field(name, {}, fraRecord);
        e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        e->setMinimumWidth(160);
        return e;
    };
    txtShortName = textBox(ctl::txtShortName);
    txtScientificName = textBox(ctl::txtScientificName);
    txtComment = textBox(ctl::txtComment);
    txtComment->setFreeText();
    txtMass = field(ctl::txtMass, {}, fraRecord);
    txtCropMass = field(ctl::txtCropMass, {}, fraRecord);
    txtSpan = field(ctl::txtSpan, {}, fraRecord);
    txtArea = field(ctl::txtArea, {}, fraRecord);
    txtRho = field(ctl::txtRho, {}, fraRecord);
    txtMuscFrac = field(ctl::txtMuscFrac, {}, fraRecord);
    txtFatFrac = field(ctl::txtFatFrac, {}, fraRecord);
    auto caption = [&](CommitEdit* box, const char* text) {
        return label("lbl" + box->objectName().mid(3), text, fraRecord);
    };
    const std::pair<CommitEdit*, const char*> lines[] = {
        {txtShortName, "Short name"},           {txtScientificName, "Scientific name"},
        {txtComment, "Comment"},                {txtMass, "Body mass in KILOGRAMS"},
        {txtCropMass, "Crop mass in KILOGRAMS"}, {txtSpan, "Wing span in METRES"},
        {txtArea, "Wing area in SQUARE METRES"}, {txtRho, "Air density in KG per CUBIC METRE"},
        {txtMuscFrac, "Flight muscle fraction"}, {txtFatFrac, "Fat fraction"}};
    int r = 0;
    for (const auto& [box, text] : lines) row(rg, r++, caption(box, text), box);
    // A code, its spinner and the name the code stands for.
    auto code = [&](const char* text, const char* box, const char* spinner, const char* nameBox, int max,
                    CommitEdit*& e, QSpinBox*& sp, CommitEdit*& n) {
        e = field(box, {}, fraRecord);
        e->setMaximumWidth(40);
        e->setMinimumWidth(30);
        sp = new QSpinBox(fraRecord);
        sp->setObjectName(spinner);
        sp->setRange(1, max);
        sp->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        sp->setMaximumWidth(20);
        n = derived(nameBox, {}, fraRecord);
        n->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // Room for the longest name the box shows.
        n->setMinimumWidth(n->fontMetrics().horizontalAdvance("Male and female") + 16);
        auto* h = new QHBoxLayout;
        h->addWidget(e);
        h->addWidget(sp);
        h->addWidget(n, 1);
        rg->addWidget(caption(e, text), r, 0);
        rg->addLayout(h, r, 1);
        ++r;
    };
    code("Group", ctl::txtTaxon, "UpDownTaxon", ctl::txtTaxName, 2, txtTaxon, UpDownTaxon, txtTaxName);
    code("Sex", ctl::txtSex, "UpDownSex", ctl::txtSexName, 4, txtSex, UpDownSex, txtSexName);
    code("Age", ctl::txtAge, "UpDownAge", ctl::txtAgeName, 3, txtAge, UpDownAge, txtAgeName);
    rg->setRowStretch(r, 1);
    return fraRecord;
}

QGroupBox* frmGetUserBird::parametersFrame() {
    // The nineteen parameters.
    QGroupBox* fraParams = frame(ctl::fraParams, "Parameters");
    auto* pg = new QGridLayout(fraParams);
    const auto& params = birddb::UserParameters();
    for (std::size_t i = 0; i < params.size(); ++i) {
        CommitEdit* e = field(params[i].box, {}, fraParams);
        e->setMaximumWidth(90);
        parameterBoxes.push_back(e);
        row(pg, int(i), label(QString("lbl") + QString(params[i].box).mid(3), kParameterCaptions[i].caption, fraParams),
            e, kParameterCaptions[i].unit);
    }
    return fraParams;
}

QHBoxLayout* frmGetUserBird::backupLine() {
    auto* done = new QHBoxLayout;
    lblDoneBackup = label(ctl::lblDoneBackup, "Data backed       up in:");
    txtBackupLoc = derived(ctl::txtBackupLoc);
    txtBackupLoc->setFreeText();
    lblDoneRestore = label(ctl::lblDoneRestore, "   Data restored");
    done->addWidget(lblDoneBackup);
    done->addWidget(txtBackupLoc, 1);
    done->addWidget(lblDoneRestore);
    // The row keeps its room while hidden, so showing where a backup went does not grow the window.
    for (QWidget* w : std::initializer_list<QWidget*>{lblDoneBackup, txtBackupLoc, lblDoneRestore}) {
        QSizePolicy p = w->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        w->setSizePolicy(p);
    }
    return done;
}

void frmGetUserBird::buttonRows(QVBoxLayout* top) {
    auto* b1 = new QHBoxLayout;
    auto* b2 = new QHBoxLayout;
    cmdExit = button(ctl::cmdExit, "&Enter bird into program");
    cmdReturn = button(ctl::cmdReturn, "&Return to Enter Bird Screen");
    cmdDelete = button(ctl::cmdDelete, "&Delete bird from database");
    cmdSaveLast = button(ctl::cmdSaveLast, "Save &last bird as User Bird");
    cmdAdd = button(ctl::cmdAdd, "&Save");
    cmdCancel = button(ctl::cmdCancel, "&Cancel");
    cmdStartEdit = button(ctl::cmdStartEdit, "Start editing &bird");
    cmdStopEdit = button(ctl::cmdStopEdit, "&Finish editing bird");
    cmdBackup = button(ctl::cmdBackup, "Backup &User birds");
    cmdRestore = button(ctl::cmdRestore, "Rest&ore User birds");
    cmdShowDefs = button(ctl::cmdShowDefs, "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    for (QPushButton* b : {cmdExit, cmdSaveLast, cmdAdd, cmdCancel, cmdStartEdit, cmdStopEdit}) b1->addWidget(b);
    for (QPushButton* b : {cmdDelete, cmdBackup, cmdRestore, cmdShowDefs}) b2->addWidget(b);
    b2->addStretch();
    b2->addWidget(cmdReturn);
    top->addLayout(b1);
    top->addLayout(b2);
}

void frmGetUserBird::wire() {
    connect(optSciName, &QRadioButton::clicked, this, [this] { guarded([this] { optSciName_MouseUp(); }); });
    connect(optShortName, &QRadioButton::clicked, this, [this] { guarded([this] { optShortName_MouseUp(); }); });
    connect(lstGetBird, &QListWidget::itemClicked, this, [this] { guarded([this] { lstGetBird_MouseUp(); }); });
    std::vector<CommitEdit*> boxes = {txtShortName, txtScientificName, txtComment, txtMass, txtCropMass, txtSpan,
                                      txtArea, txtRho, txtMuscFrac, txtFatFrac, txtTaxon, txtSex, txtAge};
    boxes.insert(boxes.end(), parameterBoxes.begin(), parameterBoxes.end());
    for (CommitEdit* f : boxes)
        connect(f, &CommitEdit::committed, this,
                [this, f](const QString& t) { guarded([&] { txtBox_LostFocus(f, t); }); });
    for (QSpinBox* sp : {UpDownTaxon, UpDownSex, UpDownAge})
        connect(sp, &QSpinBox::valueChanged, this, [this, sp] { guarded([&] { UpDown_Change(sp); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });
    connect(cmdReturn, &QPushButton::clicked, this, [this] { cmdReturn_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { guarded([this] { cmdDelete_Click(); }); });
    connect(cmdSaveLast, &QPushButton::clicked, this, [this] { guarded([this] { cmdSaveLast_Click(); }); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { guarded([this] { cmdAdd_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { guarded([this] { cmdCancel_Click(); }); });
    connect(cmdStartEdit, &QPushButton::clicked, this, [this] { guarded([this] { cmdStartEdit_Click(); }); });
    connect(cmdStopEdit, &QPushButton::clicked, this, [this] { guarded([this] { cmdStopEdit_Click(); }); });
    connect(cmdBackup, &QPushButton::clicked, this, [this] { guarded([this] { cmdBackup_Click(); }); });
    connect(cmdRestore, &QPushButton::clicked, this, [this] { guarded([this] { cmdRestore_Click(); }); });
}

void frmGetUserBird::showUpdate(const ScreenUpdate& update) {
    ScreenUpdate u = update;
    std::vector<std::pair<std::string, bool>> rest;
    for (const auto& [name, on] : u.enabled) {
        if (name == cmdShowDefs->objectName().toStdString()) continue;  // the definitions page comes later
        if (auto* e = findChild<CommitEdit*>(QString::fromStdString(name))) {
            e->setDerived(!on);
            const bool text = e == txtShortName || e == txtScientificName || e == txtComment;
            e->setAlignment(text ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        } else {
            rest.emplace_back(name, on);
        }
    }
    u.enabled = rest;
    apply(u);
    // The list and its highlighted entry as the logic holds them.
    {
        const QSignalBlocker block(lstGetBird);
        const auto& names = logic_.list();
        bool same = lstGetBird->count() == int(names.size());
        for (int i = 0; same && i < lstGetBird->count(); ++i)
            same = lstGetBird->item(i)->text().toStdString() == names[i];
        if (!same) {
            lstGetBird->clear();
            for (const std::string& n : names) lstGetBird->addItem(QString::fromStdString(n));
        }
        lstGetBird->setCurrentRow(logic_.highlighted());
    }
    // The spinners follow the code boxes.
    const std::pair<QSpinBox*, CommitEdit*> spinners[] = {
        {UpDownTaxon, txtTaxon}, {UpDownSex, txtSex}, {UpDownAge, txtAge}};
    for (const auto& [sp, box] : spinners) {
        const QSignalBlocker block(sp);
        bool ok = false;
        const int v = QString::fromStdString(logic_.boxText(box->objectName().toStdString())).toInt(&ok);
        if (ok) sp->setValue(v);
    }
}

void frmGetUserBird::optSciName_MouseUp() { showUpdate(logic_.listBy(birddb::ListBy::ScientificName)); }
void frmGetUserBird::optShortName_MouseUp() { showUpdate(logic_.listBy(birddb::ListBy::ShortName)); }
void frmGetUserBird::lstGetBird_MouseUp() { showUpdate(logic_.choose(lstGetBird->currentRow())); }

void frmGetUserBird::txtBox_LostFocus(CommitEdit* box, const QString& text) {
    showUpdate(logic_.field(box->objectName().toStdString(), text.toStdString()));
}

void frmGetUserBird::UpDown_Change(QSpinBox* sp) { showUpdate(logic_.spin(sp->objectName().toStdString(), sp->value())); }

void frmGetUserBird::cmdExit_Click() {
    commitPending();
    ScreenUpdate u = logic_.enterBird();
    if (logic_.isOpen()) return;
    if (onEntered_) onEntered_(u);
    close();
}

void frmGetUserBird::cmdReturn_Click() { close(); }

void frmGetUserBird::cmdDelete_Click() { showUpdate(logic_.deleteBird()); }
void frmGetUserBird::cmdSaveLast_Click() { showUpdate(logic_.saveLast()); }

void frmGetUserBird::cmdAdd_Click() {
    commitPending();
    showUpdate(logic_.save());
}

void frmGetUserBird::cmdCancel_Click() { showUpdate(logic_.cancel()); }
void frmGetUserBird::cmdStartEdit_Click() { showUpdate(logic_.startEdit()); }

void frmGetUserBird::cmdStopEdit_Click() {
    commitPending();
    showUpdate(logic_.finishEdit());
}

void frmGetUserBird::cmdBackup_Click() { showUpdate(logic_.backup()); }
void frmGetUserBird::cmdRestore_Click() { showUpdate(logic_.restore()); }

void frmGetUserBird::closeEvent(QCloseEvent* e) {
    // The title-bar close is the Return road: the state values showing and typing changed go back.
    if (logic_.isOpen()) logic_.returnToEnterBird();
    e->accept();
}

}  // namespace ornivo::ui
