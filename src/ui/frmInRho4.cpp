#include "ui/frmInRho4.h"
#include "state/ControlNames.h"

namespace ornivo::ui {

frmInRho4::frmInRho4(UiContext& ctx, frmAirDensity* calculator)
    : DensityInput(ctx, calculator, ctl::frmInRho4, "Specify height in Standard Atmosphere",
                   DensityMethod::StdAtmosphere) {
    txtAlt = storedField(ctl::txtAlt, &ctx.s.Altitude);
    addRow(ctl::lblAlt, "Assumed &height above sea level in Standard Atmosphere:", txtAlt, "METRES");
    finish();
    txtAlt->setFocus();
}

}  // namespace ornivo::ui
