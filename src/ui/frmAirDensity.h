#pragma once
// The air density calculator: five ways to a density; "OK - accept" hands it to the screen that opened
// the calculator. Closing the window without accepting leaves the density as it was.
#include <functional>

#include "ui/Screen.h"

namespace ornivo::ui {

class frmAirDensity : public Screen {
    Q_OBJECT
public:
    // When accepted, the opener shows the density and altitude; onAccepted then runs, if given.
    frmAirDensity(UiContext& ctx, QWidget* opener, std::function<void()> onAccepted = {});

    QLabel *lblChoose, *lblRho, *lblRhoUnits, *lblAgain;
    QGroupBox* fraMethod;
    QRadioButton *optSL, *optStdAtmo, *optTrkRadar, *optTempBaro, *optDirect;
    QPushButton* cmdCalcDensity;
    CommitEdit* txtRho;
    QPushButton* cmdOK;

    void cmdCalcDensity_Click();
    void cmdOK_Click();
    // An input screen's OK: the new density in the calculator's field.
    void showDensity(const std::string& text);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    std::function<void()> onAccepted_;
    bool accepted_ = false;
    // The air values when the calculator opened, put back if it is closed without accepting.
    float rho0_, rel0_, alt0_, kin0_;
};

}  // namespace ornivo::ui
