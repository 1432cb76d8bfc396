#include "ui/frmInRho2.h"

#include <QVBoxLayout>
#include "state/ControlNames.h"

namespace ornivo::ui {

frmInRho2::frmInRho2(UiContext& ctx, frmAirDensity* calculator)
    : DensityInput(ctx, calculator, ctl::frmInRho2, "Find air density at observer position",
                   DensityMethod::PressureTemperature) {
    lblHeading = label(ctl::lblHeading, "Enter measured conditions at observer position:");
    top_->insertWidget(0, lblHeading);
    txtAirTemp = storedField(ctl::txtAirTemp, &ctx.s.AirTemp);
    txtBaro = storedField(ctl::txtBaro, &ctx.s.Baro);
    addRow(ctl::lblAirTemp, "Air &temperature", txtAirTemp, "DEGREES CELSIUS");
    addRow(ctl::lblBaro, "Barometric &pressure", txtBaro, "MILLIBARS (= hPa)");
    lblNote = label(ctl::lblNote, "Do NOT correct to sea level!");
    lblNote->setStyleSheet("color: #8a1c1c;");
    top_->addWidget(lblNote);
    finish();
    txtAirTemp->setFocus();
}

}  // namespace ornivo::ui
