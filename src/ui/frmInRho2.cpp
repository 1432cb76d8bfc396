#include "ui/frmInRho2.h"

#include "state/ControlNames.h"

namespace ornivo::ui {

frmInRho2::frmInRho2(UiContext& ctx, frmAirDensity* calculator)
    : ObserverInput(ctx, calculator, ctl::frmInRho2, "Find air density at observer position",
                    DensityMethod::PressureTemperature) {
    finishObserver();
}

}  // namespace ornivo::ui
