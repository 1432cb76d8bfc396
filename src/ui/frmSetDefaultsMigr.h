#pragma once
// The migration settings screen ("MORE Settings .."): the physiological and aerodynamic constants, the
// mitochondria criterion, the climb threshold and the output interval.
#include "ui/SetupScreen.h"

namespace ornivo::ui {

class frmSetDefaultsMigr : public ParamScreen {
    Q_OBJECT
public:
    frmSetDefaultsMigr(UiContext& ctx, QWidget* setup);

    CommitEdit *txtSigmaMax, *txtLambda, *txtCprof, *txtX1, *txtGravity, *txtKflap, *txtResp, *txtEta, *txtKmito;
    CommitEdit *txtEfat, *txtEprotein, *txtProtHydr, *txtProtFracTarget, *txtEmixed;
    CommitEdit *txtOutputInt, *txtVclimbThreshold;
    QGroupBox* fraMitoControl;
    QRadioButton *optMitoFracConst, *optPdensityConst;
    QPushButton* cmdReturn;
    QPushButton* cmdShowDefs;  // the definitions page of this screen

    void Form_Load();
    void txtField_LostFocus(CommitEdit* field, const QString& text);
    void txtField_Click(CommitEdit* field);
    void opt_Click(QRadioButton* option);
    void cmdReturn_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
};

}  // namespace ornivo::ui
