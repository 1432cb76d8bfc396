#include "ui/frmInRho2.h"

#include <QVBoxLayout>

namespace ornivo::ui {

frmInRho2::frmInRho2(UiContext& ctx, frmAirDensity* calculator)
    : DensityInput(ctx, calculator, "frmInRho2", "Find air density at observer position",
                   DensityMethod::PressureTemperature) {
    lblHeading = label("lblHeading", "Enter measured conditions at observer position:");
    top_->insertWidget(0, lblHeading);
    txtAirTemp = storedField("txtAirTemp", &ctx.s.AirTemp);
    txtBaro = storedField("txtBaro", &ctx.s.Baro);
    addRow("lblAirTemp", "Air &temperature", txtAirTemp, "DEGREES CELSIUS");
    addRow("lblBaro", "Barometric &pressure", txtBaro, "MILLIBARS (= hPa)");
    lblNote = label("lblNote", "Do NOT correct to sea level!");
    lblNote->setStyleSheet("color: #8a1c1c;");
    top_->addWidget(lblNote);
    finish();
    txtAirTemp->setFocus();
}

}  // namespace ornivo::ui
