#pragma once
// The glide-polar results: minimum sink and best glide, gliding power, the MacCready table, the
// flapping comparison and the save box. It blocks the setup screen while open.
#include "ui/MacCreadyTable.h"
#include "ui/ResultsScreen.h"


namespace ornivo::ui {

class frmSummaryGlide : public ResultsScreen {
    Q_OBJECT
public:
    frmSummaryGlide(UiContext& ctx, QWidget* setup);

    QLabel* lblHeading;
    CommitEdit *txtVmsTAS, *txtVbgTAS, *txtVmsEAS, *txtVbgEas, *txtMinSink, *txtSinkVbg, *txtNVms, *txtNmax,
        *txtClVms, *txtClVbg, *txtReWingVms, *txtReWingVbg, *txtReBodyVms, *txtReBodyVbg, *txtCircleRadius;
    QLabel* lblCircleRadius;
    CommitEdit *txtPchemTonicMusc, *txtPchemGlide;
    CommitEdit *txtVmp, *txtPchemVmp, *txtNVmp, *txtVmr, *txtPchemVmr, *txtNVmr, *txtJperFlap;
    QLabel* lblMacCready;
    MacCreadyTable* txtMacCready;
    QCheckBox* chkExcel;
    QPushButton* cmdOK;
    QLabel* lblWait;
    QPushButton *cmdGraph, *cmdWindTrnglCalc, *cmdShowDefs;

    void Form_Load();
    void chkExcel_Click();
    void cmdWindTrnglCalc_Click();
    // "Show graph": the glide-polar graph, which does not block this screen.
    void cmdGraph_Click();

protected:
    QCheckBox* saveBox() const override { return chkExcel; }
    void writeRun() override;

private:
    // Minimum sink and best glide side by side, the circling radius and the chemical power in gliding.
    QGroupBox* glidingFrame();
    // The flapping speeds, their chemical power and effective L/D, and the energy of a single wingbeat.
    QGroupBox* flappingFrame();
    // The cross-country speeds by the climb rate expected.
    QGroupBox* macCreadyFrame();
};

}  // namespace ornivo::ui
