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

    CommitEdit* txtGravity;
    CommitEdit *txtKflap, *txtCprof, *txtX1, *txtResp, *txtEta, *txtKmito, *txtSigmaMax, *txtLambda, *txtWbeatFreq,
        *txtFreqFactor;
    QGroupBox* fraFlightStyle;
    QRadioButton *optFlap, *optFG, *optBound;
    QLabel* lblPowerFrac;
    CommitEdit* txtPowerFrac;
    QPushButton* cmdPowerCurve;

    void Form_Load();
    // Every field of this screen that takes typing has a rule: any other is reported as a failure.
    void txtField_LostFocus(CommitEdit* field, const QString& text) override;
    void cmdPowerCurve_Click();

protected:
    ScreenUpdate edit(const std::string& control, const Edit& e) override;
    bool saveOpenWorkbook() override;

private:
    // The flight styles, with the power fraction of the styles that rest between flaps.
    QGroupBox* flightStyleFrame();
};

}  // namespace ornivo::ui
