#include "ui/frmInRho3.h"

#include <QVBoxLayout>
#include "state/ControlNames.h"

namespace ornivo::ui {

frmInRho3::frmInRho3(UiContext& ctx, frmAirDensity* calculator)
    : DensityInput(ctx, calculator, ctl::frmInRho3, "Find density from height above observer",
                   DensityMethod::Observer) {
    lblHeading = label(ctl::lblHeading, "Enter measured conditions at observer position:");
    top_->insertWidget(0, lblHeading);
    txtAirTemp = storedField(ctl::txtAirTemp, &ctx.s.AirTemp);
    txtBaro = storedField(ctl::txtBaro, &ctx.s.Baro);
    txtDH = storedField(ctl::txtDH, &ctx.s.HeightAboveObserver);
    addRow(ctl::lblAirTemp, "Air &temperature", txtAirTemp, "DEGREES CELSIUS");
    addRow(ctl::lblBaro, "Barometric &pressure", txtBaro, "MILLIBARS (= hPa)");
    addRow(ctl::lblDH, "Enter bird's &height above observer (negative if below):", txtDH, "METRES");
    lblNote = label(ctl::lblNote, "Do NOT correct to sea level!");
    lblNote->setStyleSheet("color: #8a1c1c;");
    top_->addWidget(lblNote);
    finish();
    txtAirTemp->setFocus();
}

}  // namespace ornivo::ui
