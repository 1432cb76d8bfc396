#pragma once
// "Specify height in Standard Atmosphere".
#include "ui/DensityInput.h"

namespace ornivo::ui {

class frmInRho4 : public DensityInput {
    Q_OBJECT
public:
    frmInRho4(UiContext& ctx, frmAirDensity* calculator);
    CommitEdit* txtAlt;
};

}  // namespace ornivo::ui
