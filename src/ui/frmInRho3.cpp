#include "ui/frmInRho3.h"

#include <QVBoxLayout>

namespace ornivo::ui {

frmInRho3::frmInRho3(UiContext& ctx, frmAirDensity* calculator)
    : DensityInput(ctx, calculator, "frmInRho3", "Find density from height above observer",
                   DensityMethod::Observer) {
    lblHeading = label("lblHeading", "Enter measured conditions at observer position:");
    top_->insertWidget(0, lblHeading);
    txtAirTemp = storedField("txtAirTemp", &ctx.s.AirTemp);
    txtBaro = storedField("txtBaro", &ctx.s.Baro);
    txtDH = storedField("txtDH", &ctx.s.HeightAboveObserver);
    addRow("lblAirTemp", "Air &temperature", txtAirTemp, "DEGREES CELSIUS");
    addRow("lblBaro", "Barometric &pressure", txtBaro, "MILLIBARS (= hPa)");
    addRow("lblDH", "Enter bird's &height above observer (negative if below):", txtDH, "METRES");
    lblNote = label("lblNote", "Do NOT correct to sea level!");
    lblNote->setStyleSheet("color: #8a1c1c;");
    top_->addWidget(lblNote);
    finish();
    txtAirTemp->setFocus();
}

}  // namespace ornivo::ui
