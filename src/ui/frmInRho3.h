#pragma once
// "Find density from height above observer": conditions at the observer and the bird's height above it.
#include "ui/DensityInput.h"

namespace ornivo::ui {

class frmInRho3 : public ObserverInput {
    Q_OBJECT
public:
    frmInRho3(UiContext& ctx, frmAirDensity* calculator);
    CommitEdit* txtDH;
};

}  // namespace ornivo::ui
