#include "ui/frmInRho4.h"

namespace ornivo::ui {

frmInRho4::frmInRho4(UiContext& ctx, frmAirDensity* calculator)
    : DensityInput(ctx, calculator, "frmInRho4", "Specify height in Standard Atmosphere",
                   DensityMethod::StdAtmosphere) {
    txtAlt = storedField("txtAlt", &ctx.s.Altitude);
    addRow("lblAlt", "Assumed &height above sea level in Standard Atmosphere:", txtAlt, "METRES");
    finish();
    txtAlt->setFocus();
}

}  // namespace ornivo::ui
