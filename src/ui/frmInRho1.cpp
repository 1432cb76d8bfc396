#include "ui/frmInRho1.h"

#include "state/ControlNames.h"
#include "state/numtext.h"

namespace ornivo::ui {

frmInRho1::frmInRho1(UiContext& ctx, frmAirDensity* calculator)
    : DensityInput(ctx, calculator, ctl::frmInRho1, "Input air density", DensityMethod::Direct) {
    txtInRho = field(ctl::txtInRho);
    addRow(ctl::lblInRho, "Air &density", txtInRho, "KG PER CUBIC METRE");
    finish();
    txtInRho->setFocus();
}

double frmInRho1::directDensity() const { return LeadingNumber(txtInRho->text().toStdString()); }

}  // namespace ornivo::ui
