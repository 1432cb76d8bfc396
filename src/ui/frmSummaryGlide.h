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
    CommitEdit *txtSpName, *txtShortName;
    CommitEdit *txtVmsTAS, *txtVbgTAS, *txtVmsEAS, *txtVbgEas, *txtMinSink, *txtSinkVbg, *txtNVms, *txtNmax,
        *txtClVms, *txtClVbg, *txtReWingVms, *txtReWingVbg, *txtReBodyVms, *txtReBodyVbg, *txtCircleRadius;
    QLabel* lblCircleRadius;
    CommitEdit *txtPchemTonicMusc, *txtPchemGlide;
    CommitEdit *txtVmp, *txtPchemVmp, *txtNVmp, *txtVmr, *txtPchemVmr, *txtNVmr, *txtJperFlap;
    QLabel* lblMacCready;
    MacCreadyTable* txtMacCready;
    QCheckBox *chkExcel, *chk4Digit;
    QLabel* lblFileName;
    CommitEdit* txtFileName;
    QPushButton* cmdOK;
    QLabel* lblWait;
    QPushButton *cmdGraph, *cmdWindTrnglCalc, *cmdShowDefs;

    void Form_Load();
    void chkExcel_Click();
    void chk4Digit_LostFocus();
    void cmdOK_Click();
    void cmdWindTrnglCalc_Click();
    // "Show graph": the glide-polar graph, which does not block this screen.
    void cmdGraph_Click();

protected:
    QCheckBox* saveBox() const override { return chkExcel; }
    void writeRun() override;
};

}  // namespace ornivo::ui
