#pragma once
// The power-curve results: the speeds and the quantities at them, the bound height for bounding
// flight, and the save box. It blocks the setup screen while open.
#include "ui/ResultsScreen.h"

namespace ornivo::ui {

class frmSummaryFlap : public ResultsScreen {
    Q_OBJECT
public:
    frmSummaryFlap(UiContext& ctx, QWidget* setup);

    QLabel* lblHeading;
    CommitEdit *txtVmp, *txtVmr, *txtVmpEquiv, *txtVmrEquiv, *txtPmechMin, *txtPmechVmr, *txtPchemMin,
        *txtPchemVmr, *txtNchemVmp, *txtNchemMax, *txtQVmp, *txtQVmr, *txtDownwashVmp, *txtDownwashVmr,
        *txtReWingVmp, *txtReWingVmr, *txtReBodyVmp, *txtReBodyVmr, *txtFredVmp, *txtFredVmr, *txtMitoFracVmp,
        *txtMitoFracCruise, *txtMitoFracClimb, *txtFreq, *txtMaxClimb, *txtVratio, *txtPbmrRatio;
    QLabel *lblPowerFrac, *lblTau, *lblBH;
    CommitEdit *txtPowerFrac, *txtTau, *txtBH;
    QPushButton* cmdGetBH;
    QCheckBox* chkExcelFile;
    QPushButton* cmdOK;
    QLabel* lblWait;
    QPushButton *cmdGraph, *cmdShowDefs, *cmdWindTrnglCalc;

    void Form_Load();
    void chkExcelFile_Click();
    void cmdGetBH_Click();
    void cmdWindTrnglCalc_Click();
    // "Show Graph": the power-curve graph, which does not block this screen.
    void cmdGraph_Click();

protected:
    QCheckBox* saveBox() const override { return chkExcelFile; }
    void writeRun() override;

private:
    // Speeds, powers and the other results at Vmp and Vmr, with the ratios below them.
    QGroupBox* resultsFrame();
    // The bound period and height, found on request; shown for bounding flight only.
    QGroupBox* boundFrame();
    // The save box (chkExcelFile here), with the file name it saves to and the 4-digit choice; unlike the
    // other results screens' frame it keeps the style's margins and a file name field of its own width.
    QGroupBox* saveFrame();

    QGroupBox* fraBound_ = nullptr;
};

}  // namespace ornivo::ui
