// The programmed migration road on the screens: setup, settings, goal distance, stopover mass
// calculator, results with text files and a workbook, and the two abort notices, typed and left as a
// person would, with the scripted dialogs.
#include <map>

#include <QLabel>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "UiTest.h"
#include "bird/EnterBird.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "migrate/SummaryMigrate.h"
#include "state/numtext.h"
#include "support/BirdSetup.h"
#include "ui/frmClimbAbort.h"
#include "ui/frmEnterBird.h"
#include "ui/frmGoalDist.h"
#include "ui/frmMigrAbort.h"
#include "ui/frmSetDefaultsMigr.h"
#include "ui/frmSetupMigrate.h"
#include "ui/frmStart.h"
#include "ui/frmStopMassCalc.h"
#include "ui/frmSummaryMigrate.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TextOf;
using ornivo::test::TypeInto;

namespace {

class MigrationScreens : public test::ScreenTest {
protected:
    MigrationScreens() {
        s.ProgramFolder = ORNIVO_RUNTIME_DIR;
        s.OutDrive = root.path().toStdString();
    }
    // A 0.5 kg bird typed on Enter Bird, "Migrate", and the setup screen with 30% fat.
    frmSetupMigrate* toSetup(double mass = 0.5, double span = 0.8, double area = 0.08) {
        test::TypedBird b;
        b.mass = mass;
        b.span = span;
        b.area = area;
        test::TypeBird(s, d, b);
        if (!bird::PressCalculation(s, d, bird::Calculation::Migrate)) return nullptr;
        auto* setup = new frmSetupMigrate(ctx);
        setup->show();
        TypeInto(setup, "txtFatFrac", "0.3");
        return setup;
    }
    frmSummaryMigrate* start(frmSetupMigrate* setup) {
        setup->cmdStart->click();
        test::Settle();
        return screen<frmSummaryMigrate>("frmSummaryMigrate");
    }
    // Blocks its opener while it is open.
    static bool blocks(QWidget* tool, QWidget* opener) {
        return tool && tool->windowModality() == Qt::WindowModal && tool->parentWidget() == opener;
    }
    QTemporaryDir root;
};

}  // namespace

TEST_F(MigrationScreens, GoalDistanceScreenWritesTheDistanceIntoTheSetup) {
    frmSetupMigrate* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    setup->txtGoalDist_DblClick();
    test::Settle();
    auto* goal = screen<frmGoalDist>("frmGoalDist");
    ASSERT_NE(goal, nullptr);
    EXPECT_TRUE(blocks(goal, setup));
    EXPECT_EQ(TextOf(goal, "txtLatNS1"), "North");
    EXPECT_EQ(TextOf(goal, "txtLongEW2"), "West");
    EXPECT_FALSE(goal->cmdAccept->isEnabled());

    // An empty degree box: the message, and the setup keeps its goal.
    TypeInto(goal, "txtLatDeg1", "0");
    goal->cmdUpdate->click();
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "Enter numbers in all four Degrees boxes");
    EXPECT_NE(screen<frmGoalDist>("frmGoalDist"), nullptr);

    // On the equator a quarter of the way round.
    TypeInto(goal, "txtLongDeg1", "0");
    TypeInto(goal, "txtLatDeg2", "0");
    TypeInto(goal, "txtLongDeg2", "90");
    goal->cmdUpdate->click();
    EXPECT_EQ(TextOf(goal, "txtDistance"), "10001");
    EXPECT_TRUE(goal->cmdAccept->isEnabled());
    goal->cmdAccept->click();
    test::Settle();
    EXPECT_EQ(screen<frmGoalDist>("frmGoalDist"), nullptr);
    EXPECT_EQ(TextOf(setup, "txtGoalDist"), "10001");
    EXPECT_NEAR(s.GoalDist, 10001, 0.5);

    // 52 30 N to 52 30 S on one meridian, the hemisphere clicked.
    setup->txtGoalDist_DblClick();
    test::Settle();
    goal = screen<frmGoalDist>("frmGoalDist");
    ASSERT_NE(goal, nullptr);
    TypeInto(goal, "txtLatDeg1", "52");
    TypeInto(goal, "txtLatMin1", "30");
    TypeInto(goal, "txtLongDeg1", "10");
    TypeInto(goal, "txtLatDeg2", "52");
    TypeInto(goal, "txtLatMin2", "30");
    TypeInto(goal, "txtLongDeg2", "10");
    goal->txtHemisphere_Click(goal->txtLatNS2);
    EXPECT_EQ(TextOf(goal, "txtLatNS2"), "South");
    EXPECT_FALSE(goal->cmdAccept->isEnabled());  // until a distance has been computed
    goal->cmdUpdate->click();
    EXPECT_EQ(TextOf(goal, "txtDistance"), "11668");
    goal->cmdAccept->click();
    test::Settle();
    EXPECT_EQ(TextOf(setup, "txtGoalDist"), "11668");

    // Cancel leaves it.
    setup->txtGoalDist_DblClick();
    test::Settle();
    screen<frmGoalDist>("frmGoalDist")->cmdCancel->click();
    test::Settle();
    EXPECT_EQ(TextOf(setup, "txtGoalDist"), "11668");
    EXPECT_TRUE(ui::MissingControls().empty()) << ui::MissingControls().front();
}

TEST_F(MigrationScreens, ProgrammedRoadToATextFileWithTwoRuns) {
    s.UseTextFiles = true;
    frmSetupMigrate* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    TypeInto(setup, "txtGoalDist", "500");
    frmSummaryMigrate* results = start(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(blocks(results, setup));
    EXPECT_FALSE(setup->lblWait->isVisible());
    EXPECT_TRUE(setup->cmdStart->isEnabled());
    EXPECT_EQ(TextOf(results, "lblArrival_0"), "Arrival");
    EXPECT_EQ(TextOf(results, "lblArrival_1"), "Arrival");
    EXPECT_EQ(TextOf(results, "txtHrs_0"), "0.0");
    EXPECT_EQ(results->result("txtHrs", 2)->text(), QString::fromStdString(FormatPattern(s.Migration.EndStates[1][0], "#0.0")));
    EXPECT_TRUE(s.Migration.Arrived);
    EXPECT_GE(TextOf(results, "txtDistance_1").toInt(), 500);
    EXPECT_TRUE(TextOf(results, "txtPercentProt_0").isEmpty());
    EXPECT_FALSE(results->fraClimb->isVisibleTo(results));
    EXPECT_EQ(TextOf(results, "chkExcel"), "   Open a text file to save results of this run");
    // The result columns are right-aligned.
    EXPECT_TRUE(results->result("txtFat", 1)->alignment() & Qt::AlignRight);

    const QString path = root.path() + "/flights.txt";
    results->chkExcel->click();
    EXPECT_TRUE(results->txtFileName->isVisibleTo(results));
    d.inputs.push_back("first flight");
    d.files.push_back(path.toStdString());
    results->cmdOK->click();
    test::Settle();
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    EXPECT_EQ(screen<frmSummaryMigrate>("frmSummaryMigrate"), nullptr);
    EXPECT_EQ(d.shown.back().request.title, "Save output as text file");

    // The second run without a goal: "No goal set", appended without a dialog.
    TypeInto(setup, "txtGoalDist", "0");
    results = start(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(TextOf(results, "txtHrs_1"), "No goal set");
    EXPECT_TRUE(TextOf(results, "txtFat_1").isEmpty());
    EXPECT_EQ(TextOf(results, "chkExcel"), "Append results of this run to file Tb");
    results->chkExcel->click();
    EXPECT_FALSE(results->txtFileName->isVisibleTo(results));
    d.clear();
    d.inputs.push_back("second flight");
    results->close();  // the title bar takes the road of "Return to Setup"
    test::Settle();
    for (const auto& shown : d.shown) EXPECT_NE(shown.kind, "save");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains("first flight"));
    EXPECT_TRUE(text.contains("second flight"));

    setup->cmdExit->click();
    test::Settle();
    auto* out = screen<QWidget>("frmOutputFile");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(TextOf(out, "txtOutFile"), path);
    EXPECT_TRUE(ui::MissingControls().empty()) << ui::MissingControls().front();
}

TEST_F(MigrationScreens, WorkbookRoadWithMoreSettingsChangedAndBack) {
    s.UseTextFiles = false;
    frmSetupMigrate* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    setup->cmdSetDefaults->click();
    test::Settle();
    auto* settings = screen<frmSetDefaultsMigr>("frmSetDefaultsMigr");
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(blocks(settings, setup));
    EXPECT_EQ(TextOf(settings, "txtEfat"), "3.90E+07");
    EXPECT_TRUE(settings->optPdensityConst->isChecked());
    TypeInto(settings, "txtProtFracTarget", "10");
    EXPECT_FLOAT_EQ(s.ProtFracTarget, 0.1f);
    const QString mixed = TextOf(settings, "txtEmixed");
    TypeInto(settings, "txtProtFracTarget", "5");
    EXPECT_FLOAT_EQ(s.ProtFracTarget, 0.05f);
    EXPECT_NE(TextOf(settings, "txtEmixed"), mixed);
    settings->optMitoFracConst->click();
    EXPECT_EQ(s.Migration.MitoControl, 1);
    settings->optPdensityConst->click();
    EXPECT_EQ(s.Migration.MitoControl, 2);
    settings->cmdReturn->click();
    test::Settle();
    EXPECT_EQ(screen<frmSetDefaultsMigr>("frmSetDefaultsMigr"), nullptr);

    frmSummaryMigrate* results = start(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(TextOf(results, "chkExcel"), "Save results as Sheet 1 of a new Excel workbook");
    results->chkExcel->click();
    d.inputs.push_back("workbook run");
    results->cmdOK->click();
    test::Settle();
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    EXPECT_EQ(s.WorkbookUnsaved, 1);

    // "Get New Bird" saves the workbook first.
    const QString path = root.path() + "/migration.xlsx";
    d.files.push_back(path.toStdString());
    setup->cmdNewBird->click();
    test::Settle();
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    EXPECT_EQ(d.shown.back().request.title, "Save Excel Workbook");
    EXPECT_EQ(s.WorkbookUnsaved, 0);
    EXPECT_NE(screen<frmEnterBird>("frmEnterBird"), nullptr);
    EXPECT_EQ(screen<frmSetupMigrate>("frmSetupMigrate"), nullptr);
    sheet::Workbook wb;
    std::string error;
    ASSERT_TRUE(sheet::OpenWorkbook(path.toStdString(), wb, error)) << error;
    EXPECT_EQ(wb.sheetCount(), 1);
}

TEST_F(MigrationScreens, TitleBarCloseOfTheSetupSavesTheOpenWorkbook) {
    s.UseTextFiles = false;
    frmSetupMigrate* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    frmSummaryMigrate* results = start(setup);
    ASSERT_NE(results, nullptr);
    results->chkExcel->click();
    d.inputs.push_back("kept");
    results->cmdOK->click();
    test::Settle();
    ASSERT_EQ(s.WorkbookUnsaved, 1);
    const QString path = root.path() + "/closed.xlsx";
    d.files.push_back(path.toStdString());
    setup->close();
    test::Settle();
    EXPECT_TRUE(std::filesystem::exists(path.toStdString()));
    EXPECT_EQ(s.WorkbookUnsaved, 0);
    EXPECT_NE(screen<QWidget>("frmOutputFile"), nullptr);  // it shows where the workbook went
}

TEST_F(MigrationScreens, StopoverMassLoadedBackAndTheBmrRecomputedOnActivation) {
    frmSetupMigrate* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    const QString bmrBefore = TextOf(setup, "txtPbmr");
    setup->cmdStopMassCalc->click();
    test::Settle();
    auto* calc = screen<frmStopMassCalc>("frmStopMassCalc");
    ASSERT_NE(calc, nullptr);
    EXPECT_TRUE(blocks(calc, setup));
    EXPECT_TRUE(s.Migration.StopMassReturn);
    EXPECT_EQ(TextOf(calc, "txtExistenceRatio"), "3");
    EXPECT_EQ(TextOf(calc, "txtFeedQ"), "4.5");
    EXPECT_FALSE(calc->cmdLoadNewMass->isEnabled());

    // Missing move-on: the message, nothing computed.
    TypeInto(calc, "txtDateBegin", "26-Apr-2008");
    TypeInto(calc, "txtTimeBegin", "08:30");
    TypeInto(calc, "txtMemptyBegin", "0.5");
    TypeInto(calc, "txtMfatBegin", "0.1");
    calc->cmdCompute->click();
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "Please suppy date and time stopover ends");

    TypeInto(calc, "txtDateMoveOn", "30-Apr-2008");
    TypeInto(calc, "txtTimeMoveOn", "08:10");
    calc->cmdCompute->click();
    EXPECT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(TextOf(calc, "txtFatFracBegin"), "0.200");
    const double gained = TextOf(calc, "txtMemptyMoveOn").toDouble();
    EXPECT_GT(gained, 0.5);  // intake 4.5 against expenditure 3 times the BMR
    ASSERT_TRUE(calc->cmdLoadNewMass->isEnabled());
    calc->cmdLoadNewMass->click();
    test::Settle();
    EXPECT_EQ(screen<frmStopMassCalc>("frmStopMassCalc"), nullptr);
    EXPECT_EQ(TextOf(setup, "txtEmptyMass"), TextOf(calc == nullptr ? setup : setup, "txtEmptyMass"));
    EXPECT_NEAR(TextOf(setup, "txtEmptyMass").toDouble(), gained, 1e-9);
    EXPECT_FLOAT_EQ(s.slot(2).EmptyMass, static_cast<float>(s.slot(2).EmptyMass));
    // The setup screen active again: the BMR of the heavier bird.
    EXPECT_FALSE(s.Migration.StopMassReturn);
    EXPECT_NE(TextOf(setup, "txtPbmr"), bmrBefore);
    EXPECT_TRUE(ui::MissingControls().empty()) << ui::MissingControls().front();
}

TEST_F(MigrationScreens, BirdThatCannotClimbGetsTheAbortScreenAndNoResults) {
    frmSetupMigrate* setup = toSetup(2, 0.35, 0.02);
    ASSERT_NE(setup, nullptr);
    d.clear();
    setup->cmdStart->click();
    test::Settle();
    EXPECT_EQ(screen<frmSummaryMigrate>("frmSummaryMigrate"), nullptr);
    auto* abort = screen<frmMigrAbort>("frmMigrAbort");
    ASSERT_NE(abort, nullptr);
    EXPECT_TRUE(blocks(abort, setup));
    EXPECT_EQ(abort->windowTitle(), "Abort Migration");
    EXPECT_EQ(TextOf(abort, "lblCannotClimb"), "Bird cannot climb with these settings");
    abort->cmdOK->click();
    test::Settle();
    EXPECT_EQ(screen<frmMigrAbort>("frmMigrAbort"), nullptr);
    EXPECT_TRUE(setup->cmdStart->isEnabled());
}

TEST_F(MigrationScreens, ClimbAbortIsModelessAndInFrontOfTheResults) {
    frmSetupMigrate* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    TypeInto(setup, "txtAltCruise", "2000");
    frmSummaryMigrate* results = start(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->fraClimb->isVisibleTo(results));
    EXPECT_FALSE(TextOf(results, "txtClimbTime").isEmpty());
    EXPECT_EQ(TextOf(results, "txtCruiseAlt").toDouble(), std::round(s.Migration.CruiseAlt));
    EXPECT_EQ(screen<frmClimbAbort>("frmClimbAbort"), nullptr);
    const float takeOff = s.Migration.InitialVclimb;
    results->close();
    test::Settle();

    // A threshold above the rate at take-off stops the climb at once.
    setup->cmdSetDefaults->click();
    test::Settle();
    auto* settings = screen<frmSetDefaultsMigr>("frmSetDefaultsMigr");
    ASSERT_NE(settings, nullptr);
    TypeInto(settings, "txtVclimbThreshold", QString::number(takeOff * 2, 'g', 9));
    settings->cmdReturn->click();
    test::Settle();
    results = start(setup);
    ASSERT_NE(results, nullptr);
    auto* notice = screen<frmClimbAbort>("frmClimbAbort");
    ASSERT_NE(notice, nullptr) << s.Migration.ClimbAborted << " " << s.Migration.VclimbThreshold << " " << takeOff;
    EXPECT_FALSE(notice->isModal());
    EXPECT_EQ(notice->windowModality(), Qt::NonModal);
    EXPECT_EQ(TextOf(notice, "lblClimbAborted"), "Climb aborted at");
    EXPECT_EQ(TextOf(notice, "lblAltitude"), QString::fromStdString(FormatPattern(s.Migration.CruiseAlt, "0.#")));
    EXPECT_EQ(TextOf(notice, "lblContinues"), "Migration continues at this altitude");
    notice->cmdOK->click();
    test::Settle();
    EXPECT_NE(screen<frmSummaryMigrate>("frmSummaryMigrate"), nullptr);
}

TEST_F(MigrationScreens, RefusalsAtStartLeaveEveryScreenUsable) {
    frmSetupMigrate* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    TypeInto(setup, "txtFatFrac", "0");
    d.clear();
    setup->cmdStart->click();
    test::Settle();
    ASSERT_FALSE(d.errors().empty());
    EXPECT_EQ(d.errors().back(), "You need some fat before migrating");
    EXPECT_EQ(screen<frmSummaryMigrate>("frmSummaryMigrate"), nullptr);
    EXPECT_TRUE(setup->cmdStart->isEnabled());
    EXPECT_FALSE(setup->lblWait->isVisible());

    // The starting ratio outside 1 to 3 keeps the previous ratio.
    TypeInto(setup, "txtVratio", "0.5");
    EXPECT_EQ(d.errors().back(), "Starting air speed must be between 1 and 3 times Vmp");
    EXPECT_FLOAT_EQ(s.Migration.Vratio, 1.2f);

    // "Hold speed constant" disables the cruise fields; "Standard" enables them again.
    setup->optVconst->click();
    EXPECT_FALSE(setup->txtAltCruise->isEnabled());
    setup->optMaxRange->click();
    EXPECT_TRUE(setup->txtAltCruise->isEnabled());
    // "Start with GPS Track" enables the two output boxes and disables the programmed run's air fields.
    EXPECT_FALSE(setup->chkKMLfile->isEnabled());
    setup->optGPS->click();
    EXPECT_TRUE(setup->chkKMLfile->isEnabled());
    EXPECT_FALSE(setup->txtGoalDist->isEnabled());
    EXPECT_FALSE(setup->fraSpeedControl->isEnabled());
    setup->optProj->click();
    EXPECT_TRUE(setup->txtGoalDist->isEnabled());
    EXPECT_FALSE(setup->chkProgress->isEnabled());
}

TEST_F(MigrationScreens, SettingsClosedByTheTitleBarKeepTheFieldBeingTyped) {
    frmSetupMigrate* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    setup->cmdSetDefaults->click();
    test::Settle();
    auto* settings = screen<frmSetDefaultsMigr>("frmSetDefaultsMigr");
    ASSERT_NE(settings, nullptr);
    settings->activateWindow();
    QApplication::setActiveWindow(settings);
    settings->txtOutputInt->setFocus();
    settings->txtOutputInt->selectAll();
    QTest::keyClicks(settings->txtOutputInt, "3");
    settings->close();
    test::Settle();
    EXPECT_EQ(screen<frmSetDefaultsMigr>("frmSetDefaultsMigr"), nullptr);
    EXPECT_FLOAT_EQ(s.Migration.OutputInterval, 3);
    ASSERT_NE(start(setup), nullptr);
    EXPECT_EQ(s.Migration.MaxRow, 200);
}

TEST_F(MigrationScreens, EnterBirdMigrateOpensTheSetupWithTheBird) {
    auto* start = new frmStart(ctx);
    start->show();
    start->cmdEnterNewBird->click();
    test::Settle();
    auto* e = screen<frmEnterBird>("frmEnterBird");
    ASSERT_NE(e, nullptr);
    TypeInto(e, "txtSpName", "Test bird");
    TypeInto(e, "txtShortName", "Tb");
    TypeInto(e, "txtEmptyMass", "0.5");
    TypeInto(e, "txtSpan", "0.8");
    TypeInto(e, "txtArea", "0.08");
    TypeInto(e, "txtAlt", "0");
    ASSERT_TRUE(e->cmdMigrate->isEnabled());
    e->cmdMigrate->click();
    test::Settle();
    auto* setup = screen<frmSetupMigrate>("frmSetupMigrate");
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(screen<frmEnterBird>("frmEnterBird"), nullptr);
    EXPECT_EQ(TextOf(setup, "txtEmptyMass"), "0.500");
    EXPECT_EQ(TextOf(setup, "txtShortName"), "Tb");
    EXPECT_EQ(s.CalcMode, ModeMigrate);
    // "Get New Bird" goes back to Enter Bird.
    setup->cmdNewBird->click();
    test::Settle();
    EXPECT_NE(screen<frmEnterBird>("frmEnterBird"), nullptr);
    EXPECT_EQ(screen<frmSetupMigrate>("frmSetupMigrate"), nullptr);
}

// On a larger display the wrapped captions get room to grow with their fonts: none takes more lines than
// it has on the designed screen.
TEST_F(MigrationScreens, CaptionsKeepTheirLinesWhenTheScreenIsRescaled) {
    s.ScreenScaleX = s.ScreenScaleY = 1;
    frmSetupMigrate* designed = toSetup();
    ASSERT_NE(designed, nullptr);
    test::Settle();
    std::map<QString, int> lines;
    for (QLabel* l : designed->findChildren<QLabel*>())
        if (l->wordWrap() && l->isVisibleTo(designed)) lines[l->objectName()] = l->height() / l->fontMetrics().lineSpacing();
    ASSERT_FALSE(lines.empty());
    designed->close();
    test::Settle();

    s.ResizeScreens = true;
    s.ScreenScaleX = s.ScreenScaleY = 1.6;
    frmSetupMigrate* big = toSetup();
    ASSERT_NE(big, nullptr);
    test::Settle();
    for (const auto& [name, n] : lines) {
        auto* l = big->findChild<QLabel*>(name);
        ASSERT_NE(l, nullptr);
        EXPECT_LE(l->height() / l->fontMetrics().lineSpacing(), n) << name.toStdString();
    }
}
