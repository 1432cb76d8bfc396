#pragma once
// The glide-polar setup screen: the bird on the glide slot (3), the gliding inputs, the span-law
// options with Bstop, and "Compute Glide Polar".
#include "ui/SetupScreen.h"

namespace ornivo::ui {

class frmSetupGlide : public SetupScreen {
    Q_OBJECT
public:
    explicit frmSetupGlide(UiContext& ctx);

    CommitEdit *txtEmptyMass, *txtCropMass, *txtAllUpMass, *txtCropFrac, *txtMuscleMass, *txtMuscleFrac,
        *txtFatMass, *txtFatFrac, *txtAirframeMass, *txtAirframeFrac, *txtFatProtHeight, *txtFatHeight;
    CommitEdit *txtSpan, *txtArea, *txtAR, *txtRho, *txtAlt;
    CommitEdit *txtSbody, *txtFrontalAreaFactor, *txtCdb, *txtPayDragFactor, *txtPbmr, *txtPbmrFactor, *txtMetSink,
        *txtGravity;
    CommitEdit *txtKGlide, *txtCdw, *txtClMax, *txtPlanformSlope, *txtTonicMuscFrac;
    QGroupBox* fraBeta;
    QRadioButton *optLinear, *optMinDrag;
    QLabel* lblBstop;
    CommitEdit* txtBstop;
    QPushButton *cmdGlidePolar, *cmdNewBird, *cmdExit, *cmdHelp, *cmdShowDefs;

    void Form_Load();
    void txtField_LostFocus(CommitEdit* field, const QString& text);
    void txtField_Click(CommitEdit* field);
    void txtTaxon_DblClick();
    void txtRho_DblClick();
    void optSpanLaw_Click(QRadioButton* option);
    void cmdGlidePolar_Click();

private:
    // Writes an open result workbook before the screen is left; false when it could not be saved.
    bool saveOpenWorkbook() override;
    CommitEdit* add(QGridLayout* g, const QString& name, const QString& caption, const QString& tip = {},
                    bool derivedValue = false);
};

}  // namespace ornivo::ui
