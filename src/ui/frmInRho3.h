#pragma once
// "Find density from height above observer": conditions at the observer and the bird's height above it.
#include "ui/DensityInput.h"

namespace ornivo::ui {

class frmInRho3 : public DensityInput {
    Q_OBJECT
public:
    frmInRho3(UiContext& ctx, frmAirDensity* calculator);
    QLabel *lblHeading, *lblNote;
    CommitEdit *txtAirTemp, *txtBaro, *txtDH;
};

}  // namespace ornivo::ui
