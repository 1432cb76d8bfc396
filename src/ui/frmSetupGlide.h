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
    QPushButton* cmdGlidePolar;

    void Form_Load();
    void txtField_LostFocus(CommitEdit* field, const QString& text) override;
    void txtField_Click(CommitEdit* field) override;
    void txtTaxon_DblClick() override;
    void txtRho_DblClick() override;
    void optSpanLaw_Click(QRadioButton* option);
    void cmdGlidePolar_Click();

private:
    // Writes an open result workbook before the screen is left; false when it could not be saved.
    bool saveOpenWorkbook() override;
    // The span-law options with Bstop.
    QGroupBox* spanLawFrame();
};

}  // namespace ornivo::ui
