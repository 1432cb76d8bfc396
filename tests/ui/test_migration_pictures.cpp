// Pictures of the glide and migration screens after a typical use, written as PNG files into the build
// folder (screens/) for looking at the layout. Each must fit an 800 by 600 display, clip no field and
// give every access key once.
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "UiTest.h"
#include "bird/EnterBird.h"
#include "platform/Folders.h"
#include "support/BirdSetup.h"
#include "support/TempDir.h"
#include "ui/frmClimbAbort.h"
#include "ui/frmGoalDist.h"
#include "ui/frmImportTrack.h"
#include "ui/frmMigrAbort.h"
#include "ui/frmSetDefaultsMigr.h"
#include "ui/frmSetupGlide.h"
#include "ui/frmSetupMigrate.h"
#include "ui/frmStopMassCalc.h"
#include "ui/frmSummaryGlide.h"
#include "ui/frmSummaryMigrate.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TypeInto;

namespace {

class MigrationPictures : public test::ScreenTest {
protected:
    MigrationPictures() {
        s.ScreenScaleX = s.ScreenScaleY = 1;
        platform::SetProgramFolder(ORNIVO_RUNTIME_DIR);
        s.ProgramFolder = platform::ShippedFolder();
    }
    void bird(double mass, double span, double area, bird::Calculation calc) {
        test::TypedBird b;
        b.name = "White stork";
        b.shortName = "Stork";
        b.mass = mass;
        b.span = span;
        b.area = area;
        test::TypeBird(s, d, b);
        ASSERT_TRUE(bird::PressCalculation(s, d, calc));
    }
    test::TempDir dir;
};

}  // namespace

TEST_F(MigrationPictures, GlideScreens) {
    bird(2.2, 1.4, 0.33, bird::Calculation::GlidePolar);
    auto* setup = new frmSetupGlide(ctx);
    test::Picture(setup, "frmSetupGlide");
    setup->cmdGlidePolar->click();
    test::Settle();
    test::Picture(screen<frmSummaryGlide>("frmSummaryGlide"), "frmSummaryGlide");
}

TEST_F(MigrationPictures, MigrationScreens) {
    bird(3.0, 2.0, 0.45, bird::Calculation::Migrate);
    auto* setup = new frmSetupMigrate(ctx);
    setup->show();
    TypeInto(setup, "txtFatFrac", "0.25");
    TypeInto(setup, "txtAltCruise", "1500");
    TypeInto(setup, "txtGoalDist", "800");
    test::Picture(setup, "frmSetupMigrate");

    auto* settings = new frmSetDefaultsMigr(ctx, setup);
    test::Picture(settings, "frmSetDefaultsMigr");
    settings->close();
    auto* goal = new frmGoalDist(ctx, setup, {});
    goal->show();
    TypeInto(goal, "txtLatDeg1", "37");
    TypeInto(goal, "txtLongDeg1", "34");
    TypeInto(goal, "txtLatDeg2", "52");
    TypeInto(goal, "txtLongDeg2", "12");
    goal->cmdUpdate->click();
    test::Picture(goal, "frmGoalDist");
    goal->close();
    auto* stop = new frmStopMassCalc(ctx, setup);
    stop->show();
    TypeInto(stop, "txtDateBegin", "26-Apr-2008");
    TypeInto(stop, "txtTimeBegin", "08:30");
    TypeInto(stop, "txtMemptyBegin", "3.0");
    TypeInto(stop, "txtMfatBegin", "0.5");
    TypeInto(stop, "txtDateMoveOn", "29-Apr-2008");
    TypeInto(stop, "txtTimeMoveOn", "06:00");
    stop->cmdCompute->click();
    test::Picture(stop, "frmStopMassCalc");
    stop->close();
    test::Settle();

    setup->cmdStart->click();
    test::Settle();
    auto* results = screen<frmSummaryMigrate>("frmSummaryMigrate");
    test::Picture(results, "frmSummaryMigrate");
    results->close();
    test::Settle();
    test::Picture(new frmMigrAbort(ctx, setup), "frmMigrAbort");
    test::Picture(new frmClimbAbort(ctx), "frmClimbAbort");
}

TEST_F(MigrationPictures, ImportScreen) {
    bird(3.0, 2.0, 0.45, bird::Calculation::Migrate);
    auto* setup = new frmSetupMigrate(ctx);
    setup->show();
    const std::string fixes = dir.copyTrack("Alb02_WhiteStork2859_2016-05-02to04_Movebank.csv");
    auto* import = new frmImportTrack(ctx, setup, {});
    import->show();
    d.files.push_back(fixes);
    import->cmdChooseFile->click();
    import->cmdImport->click();
    test::Picture(import, "frmImportTrack");
}
