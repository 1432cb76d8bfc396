#include "ui/frmSetDefaultsMigr.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "migrate/SetupMigrate.h"
#include "ui/ManualScreens.h"

namespace ornivo::ui {

frmSetDefaultsMigr::frmSetDefaultsMigr(UiContext& ctx, QWidget* setup)
    : Screen(ctx, "frmSetDefaultsMigr", "Review settings for Migration calculation",
             scaling::ResizePattern::ScaleAndCentre, setup) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    QLabel* heading = label("lblHeading", "Migration - change settings as required");
    QFont hf = heading->font();
    hf.setBold(true);
    heading->setFont(hf);
    top->addWidget(heading);
    auto* cols = new QHBoxLayout;
    auto* c1 = new QVBoxLayout;
    auto* c2 = new QVBoxLayout;
    cols->addLayout(c1);
    cols->addLayout(c2);
    top->addLayout(cols);
    auto grid = [this](const QString& name, const QString& title, QVBoxLayout* col) {
        QGroupBox* f = frame(name, title);
        auto* g = new QGridLayout(f);
        g->setVerticalSpacing(3);
        g->setContentsMargins(8, 4, 8, 4);
        g->setColumnStretch(0, 1);
        col->addWidget(f);
        return g;
    };
    auto add = [this](QGridLayout* g, const QString& name, const QString& caption, bool readOnly = false) {
        QWidget* box = g->parentWidget();
        CommitEdit* f = readOnly ? derived(name, {}, box) : field(name, {}, box);
        f->setFixedWidth(80);
        row(g, g->rowCount(), label("lbl" + name.mid(3), caption, box), f);
        return f;
    };

    QGridLayout* gm = grid("fraMuscle", "Muscles and flight", c1);
    txtSigmaMax = add(gm, "txtSigmaMax", "Max isometric stress (N/sq m)");
    txtLambda = add(gm, "txtLambda", "Active strain");
    txtCprof = add(gm, "txtCprof", "Profile power constant");
    txtX1 = add(gm, "txtX1", "Profile power ratio");
    txtGravity = add(gm, "txtGravity", "Gravity (m/s-sq)");
    txtKflap = add(gm, "txtKflap", "Induced power factor");
    txtResp = add(gm, "txtResp", "Respiration factor");
    txtEta = add(gm, "txtEta", "Conversion efficiency");
    txtKmito = add(gm, "txtKmito", "Mitochondria IPD (cu m/W)");
    fraMitoControl = frame("fraMitoControl", "Mitochondria mass criterion");
    auto* mc = new QVBoxLayout(fraMitoControl);
    optMitoFracConst = option("optMitoFracConst", "Hold mitochondria &fraction constant", {}, fraMitoControl);
    optPdensityConst = option("optPdensityConst", "Hold power &density in mitochondria constant", {}, fraMitoControl);
    mc->addWidget(optMitoFracConst);
    mc->addWidget(optPdensityConst);
    c1->addWidget(fraMitoControl);
    c1->addStretch();

    QGridLayout* gf = grid("fraFuel", "Fuel", c2);
    txtEfat = add(gf, "txtEfat", "Fat energy density (J/kg)");
    txtEprotein = add(gf, "txtEprotein", "Dry protein energy density (J/kg)");
    txtProtHydr = add(gf, "txtProtHydr", "Protein hydration ratio");
    txtProtFracTarget = add(gf, "txtProtFracTarget", "Min energy from protein (%)");
    txtEmixed = add(gf, "txtEmixed", "Mixed fuel energy density (J/kg)", true);
    QGridLayout* gr = grid("fraRun", "Run", c2);
    txtVclimbThreshold = add(gr, "txtVclimbThreshold", "Rate of climb threshold (m/s)");
    txtOutputInt = add(gr, "txtOutputInt", "Output interval (hours)");
    c2->addStretch();

    auto* buttons = new QHBoxLayout;
    cmdReturn = button("cmdReturn", "&Return to Migration Setup");
    cmdReturn->setDefault(true);
    cmdShowDefs = button("cmdShowDefs", "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    buttons->addWidget(cmdShowDefs);
    buttons->addStretch();
    buttons->addWidget(cmdReturn);
    top->addLayout(buttons);

    QWidget* order[] = {txtSigmaMax, txtLambda, txtCprof, txtX1, txtGravity, txtKflap, txtResp, txtEta, txtKmito,
                        optMitoFracConst, optPdensityConst, txtEfat, txtEprotein, txtProtHydr, txtProtFracTarget,
                        txtVclimbThreshold, txtOutputInt, cmdShowDefs, cmdReturn};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    for (CommitEdit* f : findChildren<CommitEdit*>()) {
        if (f == txtEmixed) continue;
        connect(f, &CommitEdit::committed, this,
                [this, f](const QString& t) { guarded([&] { txtField_LostFocus(f, t); }); });
        connect(f, &CommitEdit::clickedInto, this, [this, f] { guarded([&] { txtField_Click(f); }); });
    }
    for (QRadioButton* o : {optMitoFracConst, optPdensityConst})
        connect(o, &QRadioButton::clicked, this, [this, o] { guarded([&] { opt_Click(o); }); });
    connect(cmdReturn, &QPushButton::clicked, this, [this] { guarded([this] { cmdReturn_Click(); }); });

    Form_Load();
    placeWindow();
}

void frmSetDefaultsMigr::Form_Load() {
    apply(migrate::LoadSetDefaultsMigr(ctx_.s));
    txtSigmaMax->setFocus();
}

void frmSetDefaultsMigr::txtField_LostFocus(CommitEdit* f, const QString& text) {
    apply(migrate::SetDefaultsMigrEdit(ctx_.s, ctx_.d, f->objectName().toStdString(),
                                       Edit::typed(text.toStdString())));
}

void frmSetDefaultsMigr::txtField_Click(CommitEdit* f) {
    apply(migrate::SetDefaultsMigrEdit(ctx_.s, ctx_.d, f->objectName().toStdString(), Edit::click()));
}

void frmSetDefaultsMigr::opt_Click(QRadioButton* o) {
    commitPending();
    apply(migrate::SetDefaultsMigrEdit(ctx_.s, ctx_.d, o->objectName().toStdString(), Edit::click()));
}

void frmSetDefaultsMigr::cmdReturn_Click() { close(); }

void frmSetDefaultsMigr::closeEvent(QCloseEvent* e) {
    // The title bar's close button takes the road of "Return to Migration Setup".
    if (!ctx_.ending) guarded([this] { commitPending(); });
    ctx_.s.Migration.MigScreen.SettingsOpen = false;
    e->accept();
}

}  // namespace ornivo::ui
