#pragma once
// "Input air density": a density typed directly.
#include "ui/DensityInput.h"

namespace ornivo::ui {

class frmInRho1 : public DensityInput {
    Q_OBJECT
public:
    frmInRho1(UiContext& ctx, frmAirDensity* calculator);
    CommitEdit* txtInRho;

protected:
    double directDensity() const override;
};

}  // namespace ornivo::ui
