#include "ui/frmShowAccess.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include "state/ControlNames.h"

namespace ornivo::ui {

frmShowAccess::frmShowAccess(UiContext& ctx, QWidget* opener)
    : Screen(ctx, ctl::frmShowAccess, "View records and select for sample", scaling::ResizePattern::ScaleNoCentre,
             opener) {
    setWindowModality(Qt::NonModal);  // shown beside the question, never blocking it
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    lblHeading = bold(label(ctl::lblHeading, "Review database record for inclusion in sample"));
    top->addWidget(lblHeading);
    auto* g = new QGridLayout;
    auto box = [&](const char* name, const char* caption, int r, int col) {
        CommitEdit* e = derived(name);
        e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        e->setMinimumWidth(150);
        row(g, r, label(QString("lbl") + QString(name).mid(3), caption), e, {}, col);
        return e;
    };
    txtClass = box(ctl::txtClass, "Class", 0, 0);
    txtOrder = box(ctl::txtOrder, "Order", 1, 0);
    txtFamily = box(ctl::txtFamily, "Family", 2, 0);
    txtGenus = box(ctl::txtGenus, "Genus", 3, 0);
    txtSpecies = box(ctl::txtSpecies, "Species", 4, 0);
    txtAge = box(ctl::txtAge, "Age", 5, 0);
    txtSex = box(ctl::txtSex, "Sex", 6, 0);
    txtCondition = box(ctl::txtCondition, "Condition", 7, 0);
    txtMass = box(ctl::txtMass, "Mass (kg)", 0, 2);
    txtSpan = box(ctl::txtSpan, "Wing span (m)", 1, 2);
    txtArea = box(ctl::txtArea, "Wing area (sq m)", 2, 2);
    txtPectMass = box(ctl::txtPectMass, "Pectoralis muscle mass (kg)", 3, 2);
    txtScorMass = box(ctl::txtScorMass, "Supracoracoideus muscle mass (kg)", 4, 2);
    txtLocality = box(ctl::txtLocality, "Locality", 5, 2);
    txtCountry = box(ctl::txtCountry, "Country", 6, 2);
    txtDate = box(ctl::txtDate, "Date", 7, 2);
    txtRemarks = box(ctl::txtRemarks, "Remarks", 8, 0);
    txtSource = box(ctl::txtSource, "Source", 9, 0);
    g->addWidget(txtRemarks, 8, 1, 1, 3);
    g->addWidget(txtSource, 9, 1, 1, 3);
    top->addLayout(g);
    auto* n = new QHBoxLayout;
    n->addWidget(label(ctl::lblRecordNum, "Record"));
    txtRecordNum = derived(ctl::txtRecordNum);
    txtRecordNum->setMaximumWidth(60);
    n->addWidget(txtRecordNum);
    lblFound = label(ctl::lblFound, "out of ");
    n->addWidget(lblFound);
    n->addStretch();
    top->addLayout(n);
    placeWindow();
}

}  // namespace ornivo::ui
