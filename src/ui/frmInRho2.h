#pragma once
// "Find air density at observer position": air temperature and barometric pressure.
#include "ui/DensityInput.h"

namespace ornivo::ui {

class frmInRho2 : public ObserverInput {
    Q_OBJECT
public:
    frmInRho2(UiContext& ctx, frmAirDensity* calculator);
};

}  // namespace ornivo::ui
