// Every screen on the displays it must fit: 1280 by 800 with the screens as designed, and 1024 by 768
// with the screens rescaled to the display. The display is the test platform's screen, which the build
// sets for each run of this program (see CMakeLists.txt); each screen is opened after a typical use,
// its frame must lie inside the display's available area and none of its controls may be cut off.
// Pictures go to the build's screens/ folder as fit-<display>-<screen>.png.
#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <filesystem>

#include "UiTest.h"
#include "bird/EnterBird.h"
#include "flap/PowerCurve.h"
#include "manual/ManualPages.h"
#include "platform/Folders.h"
#include "scaling/ResizeControls.h"
#include "support/BirdSetup.h"
#include "support/TempDir.h"
#include "ui/ManualScreens.h"
#include "ui/frmAboutData.h"
#include "ui/frmAirDensity.h"
#include "ui/frmClimbAbort.h"
#include "ui/frmEnterBird.h"
#include "ui/frmGetPreset.h"
#include "ui/frmGetUserBird.h"
#include "ui/frmGetWings.h"
#include "ui/frmGoalDist.h"
#include "ui/frmGraphPcurve.h"
#include "ui/frmGraphPolar.h"
#include "ui/frmImportTrack.h"
#include "ui/frmMigrAbort.h"
#include "ui/frmOutputFile.h"
#include "ui/frmPowerUncert.h"
#include "ui/frmSaveUserBird.h"
#include "ui/frmSetDefaultsMigr.h"
#include "ui/frmSetupFlap.h"
#include "ui/frmSetupGlide.h"
#include "ui/frmSetupMigrate.h"
#include "ui/frmStart.h"
#include "ui/frmStopMassCalc.h"
#include "ui/frmSummaryFlap.h"
#include "ui/frmSummaryGlide.h"
#include "ui/frmSummaryMigrate.h"
#include "ui/frmWindTrnglCalc.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::ExpectFitsDisplay;
using ornivo::test::TypeInto;

namespace {

class ScreenFit : public test::ScreenTest {
protected:
    ScreenFit() {
        const QRect display = QGuiApplication::primaryScreen()->geometry();
        scaling::SetScreenScale(s, display.width(), display.height());
        // The larger display shows the screens as designed; the smaller one rescales them.
        s.ResizeScreens = display.width() <= 1024;
        platform::SetProgramFolder(ORNIVO_RUNTIME_DIR);
        s.ProgramFolder = platform::ShippedFolder();
        s.OutDrive = dir.str();
        platform::SetUserDataFolder((dir.path() / "user").string());
    }
    ~ScreenFit() override { platform::SetUserDataFolder(""); }

    void bird(const char* name, double mass, double span, double area, bird::Calculation calc) {
        test::TypedBird b;
        b.name = name;
        b.shortName = "Fit";
        b.mass = mass;
        b.span = span;
        b.area = area;
        test::TypeBird(s, d, b);
        ASSERT_TRUE(bird::PressCalculation(s, d, calc));
    }
    template <class T>
    T* click(QPushButton* b, const char* name) {
        b->click();
        test::Settle();
        return screen<T>(name);
    }
    // Checks the screen and closes it.
    void fits(QWidget* w, const std::string& name) {
        ExpectFitsDisplay(w, name);
        if (w) w->close();
        test::Settle();
    }

    test::TempDir dir;
};

}  // namespace

TEST_F(ScreenFit, ThePowerCurveRoad) {
    auto* start = new frmStart(ctx);
    start->show();
    // The start screen measures the display itself; the rest follow this run's setting.
    const bool resize = s.ResizeScreens;
    ExpectFitsDisplay(start, "frmStart");
    start->chkResizeScreen->setChecked(resize);
    s.ResizeScreens = resize;
    start->cmdEnterNewBird->click();
    test::Settle();
    auto* e = screen<frmEnterBird>("frmEnterBird");
    ASSERT_NE(e, nullptr);
    TypeInto(e, "txtSpName", "Common starling");
    TypeInto(e, "txtShortName", "Starling");
    TypeInto(e, "txtEmptyMass", "0.075");
    TypeInto(e, "txtSpan", "0.38");
    TypeInto(e, "txtArea", "0.0252");
    TypeInto(e, "txtAlt", "250");
    ExpectFitsDisplay(e, "frmEnterBird");

    auto* calc = new frmAirDensity(ctx, e, {});
    ExpectFitsDisplay(calc, "frmAirDensity");
    for (auto opt : {&frmAirDensity::optTempBaro, &frmAirDensity::optDirect, &frmAirDensity::optTrkRadar,
                     &frmAirDensity::optStdAtmo}) {
        (calc->*opt)->click();
        calc->cmdCalcDensity->click();
        test::Settle();
        QWidget* in = QApplication::activeModalWidget();
        ASSERT_NE(in, nullptr);
        fits(in, in->objectName().toStdString());
    }
    fits(calc, "frmAirDensity");
    fits(new frmAboutData(ctx, e), "frmAboutData");

    auto* setup = click<frmSetupFlap>(e->cmdFlap, "frmSetupFlap");
    ASSERT_NE(setup, nullptr);
    setup->optBound->click();
    TypeInto(setup, "txtPowerFrac", "0.6");
    ExpectFitsDisplay(setup, "frmSetupFlap");
    auto* results = click<frmSummaryFlap>(setup->cmdPowerCurve, "frmSummaryFlap");
    ASSERT_NE(results, nullptr);
    ExpectFitsDisplay(results, "frmSummaryFlap");
    fits(click<QWidget>(results->cmdWindTrnglCalc, "frmWindTrnglCalc"), "frmWindTrnglCalc");
    results->close();
    test::Settle();

    // The graph of a continuously flapping bird, with its uncertainty screen.
    setup = screen<frmSetupFlap>("frmSetupFlap");
    ASSERT_NE(setup, nullptr);
    setup->optFlap->click();
    results = click<frmSummaryFlap>(setup->cmdPowerCurve, "frmSummaryFlap");
    ASSERT_NE(results, nullptr);
    frmGraphPcurve* graph = frmGraphPcurve::Show(ctx, results);
    ASSERT_NE(graph, nullptr);
    ExpectFitsDisplay(graph, "frmGraphPcurve");
    fits(click<QWidget>(graph->cmdUncert, "frmPowerUncert"), "frmPowerUncert");
    graph->close();
    results->close();
    test::Settle();
    setup = screen<frmSetupFlap>("frmSetupFlap");
    ASSERT_NE(setup, nullptr);
    s.OutPath = dir.str() + "/OrnivoOutput/TextFiles/PowerCurves/Starling_0001.txt";
    fits(new frmOutputFile(ctx, setup), "frmOutputFile");
}

TEST_F(ScreenFit, TheGlideRoad) {
    bird("White stork", 2.2, 1.4, 0.33, bird::Calculation::GlidePolar);
    auto* setup = new frmSetupGlide(ctx);
    ExpectFitsDisplay(setup, "frmSetupGlide");
    auto* results = click<frmSummaryGlide>(setup->cmdGlidePolar, "frmSummaryGlide");
    ASSERT_NE(results, nullptr);
    ExpectFitsDisplay(results, "frmSummaryGlide");
    ExpectFitsDisplay(frmGraphPolar::Show(ctx, results), "frmGraphPolar");
}

TEST_F(ScreenFit, TheMigrationRoad) {
    bird("White stork", 3.0, 2.0, 0.45, bird::Calculation::Migrate);
    auto* setup = new frmSetupMigrate(ctx);
    setup->show();
    TypeInto(setup, "txtFatFrac", "0.25");
    TypeInto(setup, "txtAltCruise", "1500");
    TypeInto(setup, "txtGoalDist", "800");
    ExpectFitsDisplay(setup, "frmSetupMigrate");
    fits(new frmSetDefaultsMigr(ctx, setup), "frmSetDefaultsMigr");
    fits(new frmGoalDist(ctx, setup, {}), "frmGoalDist");
    fits(new frmStopMassCalc(ctx, setup), "frmStopMassCalc");
    fits(new frmImportTrack(ctx, setup, {}), "frmImportTrack");
    fits(new frmMigrAbort(ctx, setup), "frmMigrAbort");
    fits(new frmClimbAbort(ctx), "frmClimbAbort");
    fits(click<QWidget>(setup->cmdStart, "frmSummaryMigrate"), "frmSummaryMigrate");
}

TEST_F(ScreenFit, TheBirdDatabases) {
    auto* e = new frmEnterBird(ctx);
    e->show();
    test::Settle();
    auto* preset = click<frmGetPreset>(e->cmdGetPreset, "frmGetPreset");
    ASSERT_NE(preset, nullptr) << (d.errors().empty() ? "" : d.errors().front());
    preset->lstGetBird->setCurrentRow(0);
    emit preset->lstGetBird->itemClicked(preset->lstGetBird->item(0));
    test::Settle();
    fits(preset, "frmGetPreset");

    test::GiveLastBird(s);
    auto* users = click<frmGetUserBird>(e->cmdGetUser, "frmGetUserBird");
    ASSERT_NE(users, nullptr) << (d.errors().empty() ? "" : d.errors().front());
    ExpectFitsDisplay(users, "frmGetUserBird");
    // A bird of the user's own (a backup of the delivered bird alone is refused), then a backup,
    // which shows where it went in a long folder name: the screen must not grow.
    users->cmdSaveLast->click();
    test::Settle();
    TypeInto(users, "txtComment", "my own tern");
    users->cmdAdd->click();
    test::Settle();
    const QSize before = users->size();
    d.clear();
    d.files.push_back(dir.str() + "/a folder with a rather long name for the backups of the user birds/"
                                  "UserBirds Backup of a long day.txt");
    std::filesystem::create_directories(dir.path() / "a folder with a rather long name for the backups of the user birds");
    users->cmdBackup->click();
    test::Settle();
    EXPECT_TRUE(d.errors().empty()) << d.errors().front();
    EXPECT_FALSE(users->txtBackupLoc->text().isEmpty());
    ExpectFitsDisplay(users, "frmGetUserBird-backup");
    EXPECT_EQ(users->size(), before) << "the user-bird screen changed its size after a backup";
    users->close();
    test::Settle();
    fits(click<QWidget>(e->cmdSaveUserBird, "frmSaveUserBird"), "frmSaveUserBird");

    auto* wings = click<frmGetWings>(e->cmdSearchWings, "frmGetWings");
    ASSERT_NE(wings, nullptr) << (d.errors().empty() ? "" : d.errors().front());
    ExpectFitsDisplay(wings, "frmGetWings");
}

TEST_F(ScreenFit, TheManual) {
    fits(ShowHelpContents(ctx), "frmHelpContents");
    for (const manual::Page& p : manual::Pages()) {
        QWidget* page = p.kind == manual::PageKind::Manual ? static_cast<QWidget*>(ShowManualPage(ctx, p.screen))
                                                           : ShowDefinitions(ctx, p.openedFrom);
        fits(page, p.screen);
    }
}
