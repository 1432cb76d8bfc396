#pragma once
// One wings-database specimen, shown while the user decides whether to include it in the sample.
#include "ui/Screen.h"

namespace ornivo::ui {

class frmShowAccess : public Screen {
    Q_OBJECT
public:
    frmShowAccess(UiContext& ctx, QWidget* opener);

    QLabel *lblHeading, *lblFound;
    CommitEdit *txtClass, *txtOrder, *txtFamily, *txtGenus, *txtSpecies, *txtAge, *txtSex, *txtMass, *txtSpan,
        *txtArea, *txtPectMass, *txtScorMass, *txtLocality, *txtRemarks, *txtSource, *txtDate, *txtCondition,
        *txtCountry, *txtRecordNum;
};

}  // namespace ornivo::ui
