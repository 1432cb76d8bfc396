#pragma once
// The wings database screen: a level-by-level search down to one species, its specimens counted by
// age and sex, the sample means for a category, and "OK - accept" entering them as the current bird.
#include <QListWidget>
#include <QPointer>
#include <functional>

#include "birddb/WingsSearch.h"
#include "ui/Screen.h"
#include "ui/frmShowAccess.h"

namespace ornivo::ui {

class frmGetWings : public Screen {
    Q_OBJECT
public:
    // Opened beside the Enter Bird screen (not blocking it); onAccepted applies the means to it.
    frmGetWings(UiContext& ctx, QWidget* opener, std::function<void(const ScreenUpdate&)> onAccepted);

    QLabel *lblHeading, *lblSelect, *lblNumFound, *lblSelectRecords, *lblMean, *lblN, *lblMass, *lblSpan, *lblArea,
        *lblAR, *lblMuscFrac, *lblGenus, *lblSpecies, *lblFamily, *lblOrder;
    QGroupBox *fraLevel, *fraSex, *fraAge, *fraRecordSelect, *fraGrid;
    QRadioButton *optGenus, *optFamily, *optOrder, *optClass, *optMale, *optFemale, *optAnySex, *optAdult, *optImm,
        *optAllAge, *optInclude, *optSelectIndiv;
    QListWidget* lstTaxon;
    CommitEdit *txtGenus, *txtSpecies, *txtFamily, *txtOrder, *txtMass, *txtSpan, *txtArea, *txtNmass, *txtNspan,
        *txtNarea, *txtAR, *txtMuscFrac;
    CommitEdit* txtGrid[3][3];  // txtAdult(0..2), txtImm(0..2), txtUnknown(0..2)
    QPushButton *cmdSearch, *cmdStats, *cmdOK, *cmdExit, *cmdShowDefs;

    void Form_Load();
    void opt_Click(QRadioButton* option);
    void cmdSearch_Click();
    void lstTaxon_LostFocus();
    void cmdStats_Click();
    void cmdOK_Click();
    void cmdExit_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // The level options, the search and the list of names to choose from.
    QVBoxLayout* searchColumn();
    // The order, family, genus and species found.
    QGridLayout* namesGrid();
    QGroupBox* recordsFrame();
    // The sex, age and record choices of the sample.
    QHBoxLayout* categoryFrames();
    QGridLayout* meansGrid();
    // The options and buttons to their rules, and the specimen screen to the search.
    void wire();
    void showUpdate(const ScreenUpdate& u);
    birddb::WingsScreen logic_;
    std::function<void(const ScreenUpdate&)> onAccepted_;
    QPointer<frmShowAccess> specimen_;
    bool done_ = false;
};

}  // namespace ornivo::ui
