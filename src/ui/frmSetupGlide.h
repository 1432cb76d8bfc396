#pragma once
// The glide-polar setup screen: the bird on the glide slot (3), the gliding inputs, the span-law
// options with Bstop, and "Compute Glide Polar".
#include "ui/SetupScreen.h"

namespace ornivo::ui {

class frmSetupGlide : public SetupScreen {
    Q_OBJECT
public:
    explicit frmSetupGlide(UiContext& ctx);

    CommitEdit *txtMetSink, *txtGravity;
    CommitEdit *txtKGlide, *txtCdw, *txtClMax, *txtPlanformSlope, *txtTonicMuscFrac;
    QGroupBox* fraBeta;
    QRadioButton *optLinear, *optMinDrag;
    QLabel* lblBstop;
    CommitEdit* txtBstop;
    QPushButton* cmdGlidePolar;

    void Form_Load();
    void cmdGlidePolar_Click();

private:
    ScreenUpdate edit(const std::string& control, const Edit& e) override;
    // Writes an open result workbook before the screen is left; false when it could not be saved.
    bool saveOpenWorkbook() override;
    // The span-law options with Bstop.
    QGroupBox* spanLawFrame();
};

}  // namespace ornivo::ui
