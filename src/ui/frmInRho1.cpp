#include "ui/frmInRho1.h"

#include "state/numtext.h"

namespace ornivo::ui {

frmInRho1::frmInRho1(UiContext& ctx, frmAirDensity* calculator)
    : DensityInput(ctx, calculator, "frmInRho1", "Input air density", DensityMethod::Direct) {
    txtInRho = field("txtInRho");
    addRow("lblInRho", "Air &density", txtInRho, "KG PER CUBIC METRE");
    finish();
    txtInRho->setFocus();
}

double frmInRho1::directDensity() const { return LeadingNumber(txtInRho->text().toStdString()); }

}  // namespace ornivo::ui
