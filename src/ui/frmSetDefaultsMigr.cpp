#include "ui/frmSetDefaultsMigr.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "migrate/SetupMigrate.h"
#include "state/ControlNames.h"
#include "ui/ManualScreens.h"

namespace ornivo::ui {

frmSetDefaultsMigr::frmSetDefaultsMigr(UiContext& ctx, QWidget* setup)
    : ParamScreen(ctx, ctl::frmSetDefaultsMigr, "Review settings for Migration calculation",
             scaling::ResizePattern::ScaleAndCentre, setup) {
    QVBoxLayout* top = layoutWithHeading("Migration - change settings as required");
    auto* cols = new QHBoxLayout;
    auto* c1 = new QVBoxLayout;
    auto* c2 = new QVBoxLayout;
    cols->addLayout(c1);
    cols->addLayout(c2);
    top->addLayout(cols);
    // A column of constants: every caption on one line, no tips.
    look_ = {.rowSpacing = 3, .margin = 4, .columnSpacing = -1, .fieldWidth = 80, .tips = false};
    using P = Param;
    addRows(frameGrid(ctl::fraMuscle, "Muscles and flight", c1),
            {FieldRow(txtSigmaMax, P::SigmaMax).caption("Max isometric stress (N/sq m)"), {txtLambda, P::Lambda},
             {txtCprof, P::Cprof}, {txtX1, P::X1}, {txtGravity, P::Gravity}, {txtKflap, P::Kflap},
             {txtResp, P::Resp}, {txtEta, P::Eta}, {txtKmito, P::Kmito}});
    fraMitoControl =
        optionFrame(ctl::fraMitoControl, "Mitochondria mass criterion",
                    {{optMitoFracConst, ctl::optMitoFracConst, "Hold mitochondria &fraction constant"},
                     {optPdensityConst, ctl::optPdensityConst, "Hold power &density in mitochondria constant"}});
    c1->addWidget(fraMitoControl);
    c1->addStretch();

    addRows(frameGrid(ctl::fraFuel, "Fuel", c2),
            {{txtEfat, P::Efat}, {txtEprotein, P::Eprotein}, {txtProtHydr, P::ProtHydr},
             {txtProtFracTarget, P::ProtFracTarget}, {txtEmixed, P::Emixed}});
    addRows(frameGrid(ctl::fraRun, "Run", c2),
            {{txtVclimbThreshold, P::VclimbThreshold}, {txtOutputInt, P::OutputInt}});
    c2->addStretch();

    cmdReturn = button(ctl::cmdReturn, "&Return to Migration Setup");
    cmdReturn->setDefault(true);
    cmdShowDefs = button(ctl::cmdShowDefs, "Show Definitions");
    WireShowDefinitions(this, cmdShowDefs);
    top->addLayout(line({cmdShowDefs, Stretch, cmdReturn}));

    tabOrder({txtSigmaMax, txtLambda, txtCprof, txtX1, txtGravity, txtKflap, txtResp, txtEta, txtKmito,
              optMitoFracConst, optPdensityConst, txtEfat, txtEprotein, txtProtHydr, txtProtFracTarget,
              txtVclimbThreshold, txtOutputInt, cmdShowDefs, cmdReturn});

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
