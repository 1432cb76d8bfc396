#include "ui/frmInRho3.h"

#include "state/ControlNames.h"

namespace ornivo::ui {

frmInRho3::frmInRho3(UiContext& ctx, frmAirDensity* calculator)
    : ObserverInput(ctx, calculator, ctl::frmInRho3, "Find density from height above observer",
                    DensityMethod::Observer) {
    txtDH = storedField(ctl::txtDH, &ctx.s.HeightAboveObserver);
    addRow(ctl::lblDH, "Enter bird's &height above observer (negative if below):", txtDH, "METRES");
    finishObserver();
}

}  // namespace ornivo::ui
