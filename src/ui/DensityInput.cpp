#include "ui/DensityInput.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "state/ControlNames.h"
#include "state/numtext.h"

namespace ornivo::ui {

DensityInput::DensityInput(UiContext& ctx, frmAirDensity* calculator, const QString& name, const QString& caption,
                           DensityMethod method)
    : Screen(ctx, name, caption, scaling::ResizePattern::ScaleAndCentre, calculator),
      calculator_(calculator), method_(method) {
    top_ = new QVBoxLayout(this);
    top_->setContentsMargins(16, 12, 16, 12);
    grid_ = new QGridLayout;
    top_->addLayout(grid_);
    cmdOK = button(ctl::cmdOK, "&OK");
}

CommitEdit* DensityInput::storedField(const QString& name, float* target) {
    CommitEdit* f = field(name);
    connect(f, &CommitEdit::committed, this,
            [target](const QString& t) { *target = static_cast<float>(LeadingNumber(t.toStdString())); });
    return f;
}

void DensityInput::addRow(const QString& labelName, const QString& caption, CommitEdit* f, const QString& unit) {
    row(grid_, rows_++, label(labelName, caption), f, unit);
}

void DensityInput::finish() {
    cmdOK->setDefault(true);
    top_->addLayout(line({Stretch, cmdOK}));
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });
    placeWindow();
}

void DensityInput::cmdOK_Click() {
    commitPending();
    if (auto t = FindAirDensity(ctx_.s, ctx_.d, method_, directDensity())) {
        calculator_->showDensity(*t);
        close();
    }
}

ObserverInput::ObserverInput(UiContext& ctx, frmAirDensity* calculator, const QString& name, const QString& caption,
                             DensityMethod method)
    : DensityInput(ctx, calculator, name, caption, method) {
    lblHeading = label(ctl::lblHeading, "Enter measured conditions at observer position:");
    top_->insertWidget(0, lblHeading);
    txtAirTemp = storedField(ctl::txtAirTemp, &ctx.s.AirTemp);
    txtBaro = storedField(ctl::txtBaro, &ctx.s.Baro);
    addRow(ctl::lblAirTemp, "Air &temperature", txtAirTemp, "DEGREES CELSIUS");
    addRow(ctl::lblBaro, "Barometric &pressure", txtBaro, "MILLIBARS (= hPa)");
}

void ObserverInput::finishObserver() {
    lblNote = label(ctl::lblNote, "Do NOT correct to sea level!");
    lblNote->setStyleSheet("color: #8a1c1c;");
    top_->addWidget(lblNote);
    finish();
    txtAirTemp->setFocus();
}

}  // namespace ornivo::ui
