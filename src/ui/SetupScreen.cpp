#include "ui/SetupScreen.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "state/ControlNames.h"
#include "ui/ManualScreens.h"
#include "ui/frmAirDensity.h"
#include "ui/frmEnterBird.h"
#include "ui/frmOutputFile.h"

namespace ornivo::ui {

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

QGridLayout* ParamScreen::frameGrid(const QString& name, const QString& title, QVBoxLayout* column) {
    QGroupBox* f = frame(name, title);
    auto* g = new QGridLayout(f);
    g->setVerticalSpacing(look_.rowSpacing);
    g->setHorizontalSpacing(look_.columnSpacing);
    g->setContentsMargins(8, look_.margin, 8, look_.margin);
    g->setColumnStretch(0, 1);
    column->addWidget(f);
    return g;
}

void ParamScreen::addRows(QGridLayout* g, std::initializer_list<FieldRow> rows) {
    QWidget* box = g->parentWidget();
    for (const FieldRow& r : rows) {
        const Parameter& p = ParameterOf(r.param_);
        const QString name = Text(p.control);
        const QString tip = !look_.tips ? QString() : r.tip_ ? QString(r.tip_) : Text(p.tip);
        const bool derivedValue = r.derived_ || (p.value && !p.mark);
        CommitEdit* f = derivedValue ? derived(name, tip, box) : field(name, tip, box);
        if (look_.fieldWidth > 0) f->setFixedWidth(look_.fieldWidth);
        QLabel* l = label("lbl" + name.mid(3), r.caption_ ? QString(r.caption_) : Text(p.label), box);
        if (look_.captionWidth > 0 && !r.oneLine_) {
            l->setWordWrap(true);
            l->setMaximumWidth(look_.captionWidth);
        }
        if (r.wide_) {
            f->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            const int at = g->rowCount();
            g->addWidget(l, at, 0);
            g->addWidget(f, at, 1, 1, 2);
            l->setBuddy(f);
        } else {
            row(g, g->rowCount(), l, f, r.unit_ ? QString(r.unit_) : QString());
        }
        *r.member_ = f;
        if (r.captionOut_) *r.captionOut_ = l;
    }
}

CommitEdit* ParamScreen::fieldOf(Param p) const { return findChild<CommitEdit*>(Text(ControlOf(p))); }

SetupScreen::Columns SetupScreen::threeColumns(const QString& heading) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->setSpacing(6);
    if (!heading.isEmpty()) top->addLayout(headingWithNames(heading));
    auto* cols = new QHBoxLayout;
    Columns c{top, new QVBoxLayout, new QVBoxLayout, new QVBoxLayout};
    for (QVBoxLayout* col : {c.c1, c.c2, c.c3}) cols->addLayout(col);
    top->addLayout(cols);
    return c;
}

QHBoxLayout* SetupScreen::headingWithNames(const QString& text) {
    auto* head = new QHBoxLayout;
    head->addWidget(bold(label(ctl::lblHeading, text)));
    head->addStretch();
    auto nameField = [&](CommitEdit*& f, Param p, int width, bool derivedValue) {
        const Parameter& row = ParameterOf(p);
        const QString name = Text(row.control);
        f = derivedValue ? derived(name, Text(row.tip)) : field(name, Text(row.tip));
        f->setFixedWidth(width);
        f->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QLabel* l = label("lbl" + name.mid(3), Text(row.label));
        l->setBuddy(f);
        head->addWidget(l);
        head->addWidget(f);
    };
    nameField(txtSpName, Param::SpName, 130, true);
    nameField(txtShortName, Param::ShortName, 80, false);
    nameField(txtTaxon, Param::Taxon, 100, true);
    return head;
}

QHBoxLayout* SetupScreen::buttonRow(QPushButton*& calculate, const QString& name, const QString& caption) {
    calculate = button(name, caption);
    calculate->setDefault(true);
    QFont bf = calculate->font();
    bf.setBold(true);
    calculate->setFont(bf);
    cmdNewBird = button(ctl::cmdNewBird, "Get &New Bird");
    cmdShowDefs = button(ctl::cmdShowDefs, "Show Definitions");
    cmdHelp = button(ctl::cmdHelp, "Read Manual");
    WireShowDefinitions(this, cmdShowDefs);
    WireReadManual(this, cmdHelp);
    cmdExit = button(ctl::cmdExit, "E&xit Program");
    return line({calculate, cmdNewBird, Stretch, cmdShowDefs, cmdHelp, cmdExit});
}

void SetupScreen::massesFrame(QVBoxLayout* column, const char* fatProtCaption, const char* fatHeightCaption) {
    using P = Param;
    addRows(frameGrid(ctl::fraMasses, "Masses", column),
            {{txtEmptyMass, P::EmptyMass}, {txtCropMass, P::CropMass}, {txtAllUpMass, P::AllUpMass},
             {txtCropFrac, P::CropFrac}, FieldRow(txtMuscleMass, P::MuscleMass).noTip(),
             FieldRow(txtMuscleFrac, P::MuscleFrac).noTip(), FieldRow(txtFatMass, P::FatMass).noTip(),
             FieldRow(txtFatFrac, P::FatFrac).noTip(), FieldRow(txtAirframeMass, P::AirframeMass).noTip(),
             FieldRow(txtAirframeFrac, P::AirframeFrac).noTip(),
             FieldRow(txtFatProtHeight, P::FatProtHeight).caption(fatProtCaption),
             FieldRow(txtFatHeight, P::FatHeight).caption(fatHeightCaption).noTip()});
}

void SetupScreen::txtField_LostFocus(CommitEdit* f, const QString& text) {
    try {
        applyEdit(f, Edit::typed(text.toStdString()));
    } catch (const UnknownControl&) {
        // A read-only field takes no typing.
    }
}

void SetupScreen::txtField_Click(CommitEdit* f) {
    try {
        applyEdit(f, Edit::click());
    } catch (const UnknownControl&) {
        // A field that takes no click (a name, a derived value).
    }
}

void SetupScreen::txtTaxon_DblClick() { applyEdit(txtTaxon, Edit::doubleClick()); }

void SetupScreen::txtRho_DblClick() {
    applyEdit(txtRho, Edit::doubleClick());
    auto* calc = new frmAirDensity(ctx_, this);
    calc->show();
}

void SetupScreen::opt_Click(QRadioButton* o) {
    commitPending();
    applyEdit(o, Edit::click());
}

void SetupScreen::wireFields() {
    for (CommitEdit* f : findChildren<CommitEdit*>()) {
        connect(f, &CommitEdit::committed, this,
                [this, f](const QString& t) { guarded([&] { txtField_LostFocus(f, t); }); });
        connect(f, &CommitEdit::clickedInto, this, [this, f] { guarded([&] { txtField_Click(f); }); });
    }
    for (QRadioButton* o : findChildren<QRadioButton*>())
        connect(o, &QRadioButton::clicked, this, [this, o] { guarded([&] { opt_Click(o); }); });
    connect(txtTaxon, &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtTaxon_DblClick(); }); });
    connect(fieldOf(Param::Rho), &CommitEdit::doubleClicked, this, [this] { guarded([this] { txtRho_DblClick(); }); });
    connect(cmdNewBird, &QPushButton::clicked, this, [this] { guarded([this] { cmdNewBird_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });
}

void SetupScreen::cmdNewBird_Click() {
    commitPending();
    if (!saveOpenWorkbook()) return;
    auto* next = new frmEnterBird(ctx_);
    next->show();
    leaving_ = true;
    close();
}

void SetupScreen::cmdExit_Click() { close(); }

void SetupScreen::closeEvent(QCloseEvent* e) {
    if (leaving_ || ctx_.ending) {
        e->accept();
        return;
    }
    commitPending();
    bool mayLeave = true;
    guarded([&] { mayLeave = saveOpenWorkbook(); });
    if (!mayLeave) {
        e->ignore();
        return;
    }
    if (ctx_.s.OutPath.empty()) {
        e->accept();
        ctx_.endProgram();
        return;
    }
    e->ignore();
    auto* out = new frmOutputFile(ctx_, this);
    out->show();
}

}  // namespace ornivo::ui
