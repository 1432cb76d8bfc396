#include "ui/frmEnterBird.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "bird/EnterBird.h"
#include "state/ControlNames.h"
#include "state/numtext.h"
#include "ui/ManualScreens.h"
#include "ui/frmAboutData.h"
#include "ui/frmAirDensity.h"
#include "ui/frmGetPreset.h"
#include "ui/frmGetUserBird.h"
#include "ui/frmGetWings.h"
#include "ui/frmSaveUserBird.h"
#include "ui/frmSetupFlap.h"
#include "ui/frmSetupGlide.h"
#include "ui/frmSetupMigrate.h"

namespace ornivo::ui {

frmEnterBird::frmEnterBird(UiContext& ctx)
    : ParamScreen(ctx, ctl::frmEnterBird, "Enter New Bird", scaling::ResizePattern::ControlsOnly) {
    // Fields in their own width, with the unit after them; the names take the unit's column too.
    look_ = {.fieldWidth = 0};
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    top->setSpacing(8);

    lblHeading = heading(ctl::lblHeading, "EITHER:   Enter bird details below ..");
    lblUnits = label(ctl::lblUnits, "USE INDICATED UNITS");
    lblPressTab = label(ctl::lblPressTab, "Press TAB to Enter Values");
    lblPressTab->setStyleSheet("color: #1c4f8a;");
    auto* head = new QHBoxLayout;
    head->addWidget(lblHeading);
    head->addStretch();
    head->addWidget(lblUnits);
    head->addSpacing(16);
    head->addWidget(lblPressTab);
    top->addLayout(head);

    auto* middle = new QHBoxLayout;
    middle->addWidget(birdFrame(), 3);
    middle->addLayout(groupFrames(), 2);
    top->addLayout(middle);
    top->addWidget(calculationFrame());
    top->addLayout(outputLines());
    top->addLayout(buttonRow());

    // Reading order: the bird's fields, then its group, sex and age, then the buttons.
    tabOrder({txtSpName, txtShortName, txtEmptyMass, txtSpan, txtArea, txtAR, txtAlt, txtRho, optPass, optNonPass,
              optMF, optMale, optFemale, optSexUnknown, optAdult, optImm, optAgeUnknown, cmdFlap, cmdReloadLast,
              cmdExit});
    wire();

    Form_Load();
    placeWindow();
}

QGroupBox* frmEnterBird::birdFrame() {
    QGroupBox* fraBird = frame(ctl::fraBird, "Bird");
    auto* g = new QGridLayout(fraBird);
    g->setColumnStretch(1, 1);
    using P = Param;
    addRows(g, {FieldRow(txtSpName, P::SpName).caption("Species &Name").wide().captionInto(lblSpName),
                FieldRow(txtShortName, P::ShortName).caption("S&hort Name").wide().captionInto(lblShortName),
                FieldRow(txtEmptyMass, P::EmptyMass)
                    .caption("Body &Mass")
                    .tip("Body mass with crop empty")
                    .unit("KILOGRAMS  (Excluding crop contents)")
                    .captionInto(lblEmptyMass),
                FieldRow(txtSpan, P::Span).caption("Wing &Span").unit("METRES").captionInto(lblSpan),
                FieldRow(txtArea, P::Area)
                    .caption("Wing A&rea")
                    .tip("Automatic if you enter wing span and aspect ratio")
                    .unit("SQUARE METRES")
                    .captionInto(lblArea),
                FieldRow(txtAR, P::AR)
                    .caption("Aspect Rat&io")
                    .tip("Automatic if you enter wing span and wing area")
                    .captionInto(lblAR),
                FieldRow(txtAlt, P::Alt)
                    .caption("Al&titude")
                    .tip("Set zero to get Sea Level density in Standard Atmosphere")
                    .unit("METRES above sea level in Std Atmosphere")
                    .captionInto(lblAlt),
                FieldRow(txtRho, P::Rho)
                    .caption("Air &Density")
                    .tip("Double-click here to set air density")
                    .unit("KG/CUBIC METRE  (double-click to set)")
                    .captionInto(lblRho)});
    txtShortName->setMaximumWidth(160);
    lblCropNote = label(ctl::lblCropNote, "Crop contents or external load can be added in subsequent Setup screens",
                        fraBird);
    lblCropNote->setStyleSheet("color: palette(dark);");
    g->addWidget(lblCropNote, g->rowCount(), 0, 1, 3);
    return fraBird;
}

QVBoxLayout* frmEnterBird::groupFrames() {
    auto* groups = new QVBoxLayout;
    fraTaxon = optionFrame(ctl::fraTaxon, "Group (for BMR calculation)",
                           {{optPass, ctl::optPass, "Passerine"}, {optNonPass, ctl::optNonPass, "Non-Passerine"}});
    fraSex = frame(ctl::fraSex, "Sex");
    auto* sl = new QGridLayout(fraSex);
    optMF = option(ctl::optMF, "Both sexes", {}, fraSex);
    optMale = option(ctl::optMale, "Male", {}, fraSex);
    optFemale = option(ctl::optFemale, "Female", {}, fraSex);
    optSexUnknown = option(ctl::optSexUnknown, "Unknown", {}, fraSex);
    sl->addWidget(optMF, 0, 0);
    sl->addWidget(optMale, 0, 1);
    sl->addWidget(optFemale, 1, 0);
    sl->addWidget(optSexUnknown, 1, 1);
    fraAge = optionFrame(ctl::fraAge, "Age",
                         {{optAdult, ctl::optAdult, "Adult"},
                          {optImm, ctl::optImm, "Immature"},
                          {optAgeUnknown, ctl::optAgeUnknown, "Unknown"}});
    groups->addWidget(fraTaxon);
    groups->addWidget(fraSex);
    groups->addWidget(fraAge);
    groups->addStretch();
    return groups;
}

QGroupBox* frmEnterBird::calculationFrame() {
    QGroupBox* fraCalc = frame(ctl::fraCalc, "Calculation");
    auto* cl = new QGridLayout(fraCalc);
    lblCalc = label(ctl::lblCalc, "Set up calculation required:", fraCalc);
    cmdFlap = button(ctl::cmdFlap, "&Power curve", fraCalc);
    cmdGlide = button(ctl::cmdGlide, "&Glide polar", fraCalc);
    cmdMigrate = button(ctl::cmdMigrate, "Migr&ate", fraCalc);
    cl->addWidget(lblCalc, 0, 0);
    cl->addWidget(cmdFlap, 0, 1);
    cl->addWidget(cmdGlide, 0, 2);
    cl->addWidget(cmdMigrate, 0, 3);
    lblDatabases = label(ctl::lblDatabases, "OR: get predefined details from one of the databases below", fraCalc);
    cl->addWidget(lblDatabases, 1, 0, 1, 4);
    cmdGetPreset = button(ctl::cmdGetPreset, "Pr&eset birds", fraCalc);
    cmdGetUser = button(ctl::cmdGetUser, "&User birds", fraCalc);
    cmdSearchWings = button(ctl::cmdSearchWings, "&Wings database", fraCalc);
    cl->addWidget(cmdGetPreset, 2, 1);
    cl->addWidget(cmdGetUser, 2, 2);
    cl->addWidget(cmdSearchWings, 2, 3);
    lblAllElse = label(ctl::lblAllElse, "If all else fails:", fraCalc);
    cmdReloadLast = button(ctl::cmdReloadLast, "Reload &last bird", fraCalc);
    cmdReloadLast->setEnabled(false);
    cl->addWidget(lblAllElse, 3, 0);
    cl->addWidget(cmdReloadLast, 3, 1);
    cl->setColumnStretch(0, 1);
    return fraCalc;
}

QGridLayout* frmEnterBird::outputLines() {
    auto* info = new QGridLayout;
    lblOutDrive = label(ctl::lblOutDrive, "Output Drive:");
    txtOutDrive = derived(ctl::txtOutDrive);
    txtOutDrive->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblOutPath = label(ctl::lblOutPath, "Last output saved as:");
    txtOutPath = derived(ctl::txtOutPath);
    txtOutPath->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblOutPath->setVisible(false);
    txtOutPath->setVisible(false);
    info->addWidget(lblOutDrive, 0, 0);
    info->addWidget(txtOutDrive, 0, 1);
    info->addWidget(lblOutPath, 1, 0);
    info->addWidget(txtOutPath, 1, 1);
    info->setColumnStretch(1, 1);
    return info;
}

QHBoxLayout* frmEnterBird::buttonRow() {
    cmdSaveUserBird = button(ctl::cmdSaveUserBird, "Sa&ve User Bird");
    cmdShowDefs = button(ctl::cmdShowDefs, "Show De&finitions");
    cmdHelp = button(ctl::cmdHelp, "Read Manual");
    WireShowDefinitions(this, cmdShowDefs);
    WireReadManual(this, cmdHelp);
    cmdAboutData = button(ctl::cmdAboutData, "Ab&out the data");
    cmdExit = button(ctl::cmdExit, "E&xit program");
    return line({cmdSaveUserBird, cmdShowDefs, cmdHelp, cmdAboutData, Stretch, cmdExit});
}

void frmEnterBird::wire() {
    for (CommitEdit* f : {txtSpName, txtShortName, txtEmptyMass, txtSpan, txtArea, txtAR, txtAlt, txtRho})
        connect(f, &CommitEdit::committed, this,
                [this, f](const QString& t) { guarded([&] { txtField_LostFocus(f, t); }); });
    connect(txtRho, &CommitEdit::doubleClicked, this, [this] { txtRho_DblClick(); });
    for (QRadioButton* o : {optPass, optNonPass, optMF, optMale, optFemale, optSexUnknown, optAdult, optImm,
                            optAgeUnknown})
        connect(o, &QRadioButton::clicked, this, [this, o] { opt_Click(o); });
    connect(cmdFlap, &QPushButton::clicked, this, [this] { guarded([this] { cmdFlap_Click(); }); });
    connect(cmdGlide, &QPushButton::clicked, this, [this] { guarded([this] { cmdGlide_Click(); }); });
    connect(cmdMigrate, &QPushButton::clicked, this, [this] { guarded([this] { cmdMigrate_Click(); }); });
    connect(cmdReloadLast, &QPushButton::clicked, this, [this] { guarded([this] { cmdReloadLast_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(cmdGetPreset, &QPushButton::clicked, this, [this] { guarded([this] { cmdGetPreset_Click(); }); });
    connect(cmdGetUser, &QPushButton::clicked, this, [this] { guarded([this] { cmdGetUser_Click(); }); });
    connect(cmdSearchWings, &QPushButton::clicked, this, [this] { guarded([this] { cmdSearchWings_Click(); }); });
    connect(cmdSaveUserBird, &QPushButton::clicked, this, [this] { guarded([this] { cmdSaveUserBird_Click(); }); });
    connect(cmdAboutData, &QPushButton::clicked, this, [this] { guarded([this] { cmdAboutData_Click(); }); });
}

void frmEnterBird::Form_Load() {
    ProgramState& s = ctx_.s;
    apply(bird::LoadEnterBird(s));
    // What the load keeps from before (names, air density and altitude) is shown, so that a value the
    // calculation will use is never hidden behind an empty field.
    txtSpName->setText(QString::fromStdString(s.SpName));
    txtShortName->setText(QString::fromStdString(s.ShortName));
    if (s.AirDensity > 0) {
        txtRho->setText(QString::fromStdString(FormatSig(s.AirDensity, 4)));
        txtAlt->setText(QString::fromStdString(FormatPattern(s.Altitude, "0")));
    }
    txtSpName->setFocus();
}

void frmEnterBird::txtField_LostFocus(CommitEdit* f, const QString& text) {
    apply(bird::EnterBirdField(ctx_.s, ctx_.d, f->objectName().toStdString(), text.toStdString()));
}

void frmEnterBird::txtRho_DblClick() {
    auto* calc = new frmAirDensity(ctx_, this);
    calc->show();
}

void frmEnterBird::opt_Click(QRadioButton* o) { apply(bird::EnterBirdOption(ctx_.s, o->objectName().toStdString())); }

void frmEnterBird::goToSetup(bird::Calculation calc, const std::function<QWidget*()>& openSetup) {
    // The bird check first; a bird that passes goes on to the calculation's setup screen in place of
    // this one.
    commitPending();
    ScreenUpdate u;
    if (!bird::PressCalculation(ctx_.s, ctx_.d, calc, &u)) {
        apply(u);
        return;
    }
    openSetup()->show();
    goingOn_ = true;
    close();
}

void frmEnterBird::cmdFlap_Click() {
    goToSetup(bird::Calculation::PowerCurve, [this] { return new frmSetupFlap(ctx_); });
}

void frmEnterBird::cmdGlide_Click() {
    goToSetup(bird::Calculation::GlidePolar, [this] { return new frmSetupGlide(ctx_); });
}

void frmEnterBird::cmdMigrate_Click() {
    goToSetup(bird::Calculation::Migrate, [this] { return new frmSetupMigrate(ctx_); });
}

// The databases: each screen hands back the Enter Bird update of the bird it entered.
void frmEnterBird::cmdGetPreset_Click() {
    auto* f = new frmGetPreset(ctx_, this, [this](const ScreenUpdate& u) { apply(u); });
    if (f->loaded()) f->show();
    else f->deleteLater();
}

void frmEnterBird::cmdGetUser_Click() {
    auto* f = new frmGetUserBird(ctx_, this, [this](const ScreenUpdate& u) { apply(u); });
    if (f->loaded()) f->show();
    else f->deleteLater();
}

void frmEnterBird::cmdSearchWings_Click() {
    (new frmGetWings(ctx_, this, [this](const ScreenUpdate& u) { apply(u); }))->show();
}

void frmEnterBird::cmdSaveUserBird_Click() { (new frmSaveUserBird(ctx_, this))->show(); }

void frmEnterBird::cmdAboutData_Click() { (new frmAboutData(ctx_, this))->show(); }

void frmEnterBird::cmdReloadLast_Click() { apply(bird::ReloadLastBird(ctx_.s)); }

void frmEnterBird::cmdExit_Click() { close(); }

void frmEnterBird::closeEvent(QCloseEvent* e) {
    e->accept();
    if (!goingOn_) ctx_.endProgram();
}

}  // namespace ornivo::ui
