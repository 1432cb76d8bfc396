#pragma once
// The migration setup screen: the bird on the migration slot (2), the air at take-off and at cruising
// height, the goal distance, the speed and protein-burn options, the programmed or GPS-track run and
// "Start migrating".
#include "ui/SetupScreen.h"

namespace ornivo::ui {

class frmSetupMigrate : public SetupScreen {
    Q_OBJECT
public:
    explicit frmSetupMigrate(UiContext& ctx);

    CommitEdit *txtWbeatFreq, *txtFreqFactor;
    QLabel *lblRho, *lblAlt, *lblAltCruise, *lblRhoCruise, *lblEnterCruiseAlt, *lblGoalDist;
    CommitEdit *txtAltCruise, *txtRhoCruise, *txtGoalDist;
    CommitEdit *txtVratio, *txtVratioGPS, *txtVmrRatio;
    QGroupBox *fraFlightStyle, *fraSpeedControl, *fraMuscleControl, *fraSimType;
    QRadioButton *optFlap, *optFG, *optBound;
    QLabel* lblPowerFrac;
    CommitEdit* txtPowerFrac;
    QRadioButton *optVratioConst, *optVconst, *optMaxRange;
    QRadioButton *optSpWorkConst, *optSpPowerConst, *optMuscleMassConst;
    QRadioButton *optProj, *optGPS;
    QCheckBox *chkKMLfile, *chkProgress;
    QPushButton *cmdImportTrack;
    QLabel* lblWait;
    QPushButton *cmdStart, *cmdSetDefaults, *cmdStopMassCalc;

    // The track workbook saved by "Import GPS fixes...", proposed in the track dialog of the next GPS run.
    std::string offeredTrack;

    void Form_Load();
    void Form_Activate();
    void txtRho_DblClick() override;
    void txtGoalDist_DblClick();
    void chk_Click(QCheckBox* box);
    void cmdStart_Click();
    void cmdSetDefaults_Click();
    void cmdStopMassCalc_Click();
    void cmdImportTrack_Click();

protected:
    bool event(QEvent* e) override;

private:
    ScreenUpdate edit(const std::string& control, const Edit& e) override;
    // Writes an open result workbook before the screen is left; false when it could not be saved.
    bool saveOpenWorkbook() override;
    // Shows a tool screen that blocks this one; the setup screen is active again when it closes.
    void openTool(Screen* tool);
    // The flight styles, with the power fraction of the styles that rest between flaps.
    QGroupBox* flightStyleFrame();
    // The speed-control and protein-burn options and the kind of run, down the column.
    void optionFrames(QVBoxLayout* column);
    // "WAIT .." beside "Start migrating", and the settings and stopover tools below the options.
    void toolButtons(QVBoxLayout* tools, QHBoxLayout* buttons);
    void wire();
};

}  // namespace ornivo::ui
