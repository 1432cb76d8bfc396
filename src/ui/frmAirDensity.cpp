#include "ui/frmAirDensity.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "atmosphere/DensityCalculator.h"
#include "state/ControlNames.h"
#include "ui/frmInRho1.h"
#include "ui/frmInRho2.h"
#include "ui/frmInRho3.h"
#include "ui/frmInRho4.h"

namespace ornivo::ui {

frmAirDensity::frmAirDensity(UiContext& ctx, QWidget* opener, std::function<void()> onAccepted)
    : Screen(ctx, ctl::frmAirDensity, "Set Air Density", scaling::ResizePattern::ScaleAndCentre, opener),
      onAccepted_(std::move(onAccepted)) {
    ProgramState& s = ctx_.s;
    rho0_ = s.AirDensity;
    rel0_ = s.RelDensity;
    alt0_ = s.Altitude;
    kin0_ = s.KinViscosity;

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    lblChoose = label(ctl::lblChoose, "Choose method for finding air density:");
    top->addWidget(lblChoose);
    fraMethod = frame(ctl::fraMethod, "Method");
    auto* ml = new QVBoxLayout(fraMethod);
    optSL = option(ctl::optSL, "&Sea Level in Standard Atmosphere",
                   "Use this to find Equivalent (rather than True) speeds and powers", fraMethod);
    optStdAtmo = option(ctl::optStdAtmo, "Specified &height in Standard Atmosphere",
                        "Use this for theoretical calculations at specified height", fraMethod);
    optTrkRadar = option(ctl::optTrkRadar, "Find from bird's height above obse&rver",
                         "Use this where bird's height above observer is measured e.g. tracking radar", fraMethod);
    optTempBaro = option(ctl::optTempBaro, "Find from &baro pressure and air temp",
                         "Use this if bird and observer are at same height", fraMethod);
    optDirect = option(ctl::optDirect, "Set density &directly", "Use this if you know the density at flying height",
                       fraMethod);
    for (QRadioButton* o : {optSL, optStdAtmo, optTrkRadar, optTempBaro, optDirect}) ml->addWidget(o);
    top->addWidget(fraMethod);

    cmdCalcDensity = button(ctl::cmdCalcDensity, "&Find Air Density");
    cmdCalcDensity->setDefault(true);
    top->addLayout(line({cmdCalcDensity, Stretch}));

    auto* res = new QHBoxLayout;
    lblRho = label(ctl::lblRho, "Air density set to:");
    txtRho = derived(ctl::txtRho);
    lblRhoUnits = label(ctl::lblRhoUnits, "kg/cubic metre");
    res->addWidget(lblRho);
    res->addWidget(txtRho);
    res->addWidget(lblRhoUnits);
    res->addStretch();
    top->addLayout(res);
    lblAgain = label(ctl::lblAgain, "If it doesn't look right, set it again");
    lblAgain->setStyleSheet("color: palette(dark);");
    top->addWidget(lblAgain);

    cmdOK = button(ctl::cmdOK, "&OK - accept");
    top->addLayout(line({Stretch, cmdOK}));

    connect(cmdCalcDensity, &QPushButton::clicked, this, [this] { guarded([this] { cmdCalcDensity_Click(); }); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });
    placeWindow();
}

void frmAirDensity::showDensity(const std::string& text) { txtRho->setText(QString::fromStdString(text)); }

void frmAirDensity::cmdCalcDensity_Click() {
    Screen* input = nullptr;
    if (optDirect->isChecked()) input = new frmInRho1(ctx_, this);
    else if (optTempBaro->isChecked()) input = new frmInRho2(ctx_, this);
    else if (optTrkRadar->isChecked()) input = new frmInRho3(ctx_, this);
    else if (optStdAtmo->isChecked()) input = new frmInRho4(ctx_, this);
    if (input) {
        input->show();
        return;
    }
    if (auto t = FindAirDensity(ctx_.s, ctx_.d, DensityMethod::SeaLevel)) showDensity(*t);
}

void frmAirDensity::cmdOK_Click() {
    if (!AcceptAirDensity(ctx_.s, ctx_.d, txtRho->text().toStdString())) return;
    accepted_ = true;
    if (auto* opener = qobject_cast<Screen*>(parentWidget())) opener->apply(AcceptedDensityFields(ctx_.s));
    if (onAccepted_) onAccepted_();
    close();
}

void frmAirDensity::closeEvent(QCloseEvent* e) {
    if (!accepted_) {
        ProgramState& s = ctx_.s;
        s.AirDensity = rho0_;
        s.RelDensity = rel0_;
        s.Altitude = alt0_;
        s.KinViscosity = kin0_;
    }
    e->accept();
}

}  // namespace ornivo::ui
