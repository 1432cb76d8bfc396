#pragma once
// The Enter Bird screen: names, body mass, wings, air density or altitude, group, sex and age of the
// bird (slot 0), and the way to the three calculations.
#include <functional>

#include "bird/EnterBird.h"
#include "ui/SetupScreen.h"

namespace ornivo::ui {

class frmEnterBird : public ParamScreen {
    Q_OBJECT
public:
    explicit frmEnterBird(UiContext& ctx);

    QLabel *lblHeading, *lblUnits, *lblPressTab, *lblCropNote, *lblAllElse, *lblCalc, *lblDatabases;
    QLabel *lblSpName, *lblShortName, *lblEmptyMass, *lblSpan, *lblArea, *lblAR, *lblAlt, *lblRho;
    CommitEdit *txtSpName, *txtShortName, *txtEmptyMass, *txtSpan, *txtArea, *txtAR, *txtAlt, *txtRho;
    QGroupBox *fraTaxon, *fraSex, *fraAge;
    QRadioButton *optPass, *optNonPass, *optMF, *optMale, *optFemale, *optSexUnknown, *optAdult, *optImm,
        *optAgeUnknown;
    QPushButton *cmdFlap, *cmdGlide, *cmdMigrate, *cmdGetPreset, *cmdGetUser, *cmdSearchWings, *cmdReloadLast,
        *cmdSaveUserBird, *cmdAboutData, *cmdShowDefs, *cmdHelp, *cmdExit;
    QLabel *lblOutDrive, *lblOutPath;
    CommitEdit *txtOutDrive, *txtOutPath;

    void Form_Load();
    void txtField_LostFocus(CommitEdit* field, const QString& text);  // every text field's rule
    void txtRho_DblClick();
    void opt_Click(QRadioButton* option);
    void cmdFlap_Click();
    void cmdGlide_Click();
    void cmdMigrate_Click();
    void cmdGetPreset_Click();
    void cmdGetUser_Click();
    void cmdSearchWings_Click();
    void cmdSaveUserBird_Click();
    void cmdAboutData_Click();
    void cmdReloadLast_Click();
    void cmdExit_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // The bird's names, mass, wings and air, each with its unit.
    QGroupBox* birdFrame();
    // The group, sex and age options.
    QVBoxLayout* groupFrames();
    // The three calculations, the databases and the last bird.
    QGroupBox* calculationFrame();
    // Where the output goes and where the last output went.
    QGridLayout* outputLines();
    QHBoxLayout* buttonRow();
    void wire();
    // Checks the bird for a calculation and, when it passes, opens that calculation's setup screen.
    void goToSetup(bird::Calculation calc, const std::function<QWidget*()>& openSetup);

    bool goingOn_ = false;
};

}  // namespace ornivo::ui
