#pragma once
// "Find air density at observer position": air temperature and barometric pressure.
#include "ui/DensityInput.h"

namespace ornivo::ui {

class frmInRho2 : public DensityInput {
    Q_OBJECT
public:
    frmInRho2(UiContext& ctx, frmAirDensity* calculator);
    QLabel *lblHeading, *lblNote;
    CommitEdit *txtAirTemp, *txtBaro;
};

}  // namespace ornivo::ui
