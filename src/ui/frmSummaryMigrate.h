#pragma once
// The migration results: the bird at departure, at arrival (or the end of the GPS track) and when the
// fuel runs out, the climb and final glide, and the save box. It blocks the setup screen while open.
#include <array>
#include <map>

#include "ui/ResultsScreen.h"

namespace ornivo::ui {

class frmSummaryMigrate : public ResultsScreen {
    Q_OBJECT
public:
    frmSummaryMigrate(UiContext& ctx, QWidget* setup);

    QLabel* lblHeading;
    // The result rows: three fields each, index 0 departure, 1 arrival, 2 out of fuel.
    std::map<QString, std::array<CommitEdit*, 3>> results;
    QLabel *lblArrival_0, *lblArrival_1;
    CommitEdit *txtStartAlt, *txtCruiseAlt;
    QGroupBox *fraClimb, *fraFinalGlide;
    CommitEdit *txtClimbTime, *txtClimbDist, *txtInitialVclimb, *txtFinalVclimb, *txtFinalGlideTime,
        *txtFinalGlideDist;
    QCheckBox* chkExcel;
    QPushButton* cmdOK;
    QLabel* lblWait;
    QLabel* lblGpsFiles;  // where a GPS run wrote its map and progress workbook
    QPushButton* cmdShowDefs;

    // The field of a result row in one column, e.g. result("txtHrs", 1).
    CommitEdit* result(const QString& row, int column) const { return results.at(row)[column]; }

    void Form_Load();
    void chkExcel_Click();

protected:
    QCheckBox* saveBox() const override { return chkExcel; }
    void writeRun() override;

private:
    // The two frames of result rows: flight and masses, fuel and physiology.
    QHBoxLayout* resultFrames();
    QHBoxLayout* climbAndGlideFrames();
};

}  // namespace ornivo::ui
