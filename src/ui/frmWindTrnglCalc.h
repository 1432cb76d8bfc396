#pragma once
// The wind triangle calculator: from the wind and two of air speed, heading, ground speed and track,
// the other two. It blocks the results screen that opened it.
#include <array>

#include "nav/WindTriangle.h"
#include "ui/Screen.h"

class QSpacerItem;
class QHBoxLayout;

namespace ornivo::ui {

class frmWindTrnglCalc : public Screen {
    Q_OBJECT
public:
    frmWindTrnglCalc(UiContext& ctx, QWidget* results);

    std::array<QLabel*, 6> lblInOut;  // "INPUT" or "OUTPUT" for rows 0 to 5
    QLabel *lblVw, *lblWindDir, *lblVa, *lblHdg, *lblVg, *lblTrk;
    CommitEdit *txtVw, *txtWindDir, *txtVa, *txtHdg, *txtVg, *txtTrk;
    QGroupBox* fraCalcType;
    QRadioButton *optFindVg, *optFindVa, *optFindVgHdg;
    QGroupBox* fraGetVa;
    QRadioButton *optSetVmp, *optSetVmr;
    QLabel *lblSetVcc, *lblEnter;
    QPushButton *cmdCompute, *cmdExit, *cmdShowDefs;

    void Form_Load();
    void optCalcType_Click();
    void optSetV_Click();
    void cmdCompute_Click();
    void cmdExit_Click();

    nav::WindMode mode() const;

private:
    void setRows();
    void makeInput(int row);
    void makeOutput(int row);
    void fillAirSpeed();
    std::array<QLabel*, 6> captions_;
    std::array<CommitEdit*, 6> boxes_;
    std::array<QSpacerItem*, 6> indents_;
    std::array<QHBoxLayout*, 6> rows_;
};

}  // namespace ornivo::ui
