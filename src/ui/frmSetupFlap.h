#pragma once
// The power-curve setup screen: every input of the flapping-flight model on slot 1, the flight style,
// and "Compute Power Curve".
#include <map>

#include "ui/SetupScreen.h"

namespace ornivo::ui {

class frmSetupFlap : public SetupScreen {
    Q_OBJECT
public:
    explicit frmSetupFlap(UiContext& ctx);

    CommitEdit *txtEmptyMass, *txtCropMass, *txtCropFrac, *txtAllUpMass, *txtMuscleMass, *txtMuscleFrac,
        *txtFatMass, *txtFatFrac, *txtAirframeMass, *txtAirframeFrac;
    CommitEdit *txtSpan, *txtArea, *txtAR, *txtRho, *txtAlt;
    CommitEdit *txtSbody, *txtFrontalAreaFactor, *txtCdb, *txtPayDragFactor, *txtGravity;
    CommitEdit *txtKflap, *txtCprof, *txtX1, *txtResp, *txtEta, *txtPbmr, *txtPbmrFactor, *txtKmito,
        *txtSigmaMax, *txtLambda, *txtWbeatFreq, *txtFreqFactor;
    CommitEdit *txtFatHeight, *txtFatProtHeight;
    QGroupBox* fraFlightStyle;
    QRadioButton *optFlap, *optFG, *optBound;
    QLabel* lblPowerFrac;
    CommitEdit* txtPowerFrac;
    QPushButton* cmdPowerCurve;

    void Form_Load();
    void txtField_LostFocus(CommitEdit* field, const QString& text) override;
    void txtField_Click(CommitEdit* field) override;
    void txtTaxon_DblClick() override;
    void txtRho_DblClick() override;
    void optStyle_Click(QRadioButton* option);
    void cmdPowerCurve_Click();

protected:
    bool saveOpenWorkbook() override;

private:
    // The flight styles, with the power fraction of the styles that rest between flaps.
    QGroupBox* flightStyleFrame();
};

}  // namespace ornivo::ui
