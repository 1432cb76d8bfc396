// The GPS road on the screens: "Start with GPS Track" with the real stork leg and its sites, the map
// and progress outputs, a failing track that leaves every screen usable, a cancelled dialog, and
// "Import GPS fixes..." from raw fixes to the track of the next run.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "UiTest.h"
#include "bird/EnterBird.h"
#include "platform/Folders.h"
#include "support/BirdSetup.h"
#include "support/TempDir.h"
#include "ui/frmImportTrack.h"
#include "ui/frmSetupMigrate.h"
#include "ui/frmSummaryMigrate.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TextOf;
using ornivo::test::TypeInto;

namespace {

const std::string kLeg = "Alb02_WhiteStork2859_2016-05-02to04_";

class GpsScreens : public test::ScreenTest {
protected:
    GpsScreens() {
        platform::SetProgramFolder(ORNIVO_RUNTIME_DIR);
        s.ProgramFolder = platform::ShippedFolder();
        s.Gps.TrackFolder = dir.str() + "/maps";
        test::TypedBird b;
        b.name = "Ciconia ciconia";
        b.shortName = "Stork";
        b.mass = 3.0;
        b.span = 2.0;
        b.area = 0.45;
        test::TypeBird(s, d, b);
        EXPECT_TRUE(bird::PressCalculation(s, d, bird::Calculation::Migrate));
        setup = new frmSetupMigrate(ctx);
        setup->show();
        TypeInto(setup, "txtFatFrac", "0.25");
        setup->optGPS->click();
    }
    frmSummaryMigrate* start() {
        setup->cmdStart->click();
        test::Settle();
        return screen<frmSummaryMigrate>("frmSummaryMigrate");
    }
    // The track dialog of the last run.
    const platform::ScriptedDialogs::Shown* trackDialog() const {
        for (auto it = d.shown.rbegin(); it != d.shown.rend(); ++it)
            if (it->kind == "open" && it->request.filter.find("*.xlsx") != std::string::npos) return &*it;
        return nullptr;
    }
    test::TempDir dir;
    frmSetupMigrate* setup = nullptr;
};

}  // namespace

TEST_F(GpsScreens, StorkLegWithSitesMapAndProgress) {
    const std::string track = dir.copyTrack(kLeg + "ProcessedToAirSpeed.xlsx");
    const std::string sites = dir.copyTrack(kLeg + "ProcessedToAirSpeed_StopoverSites.txt");
    ASSERT_TRUE(setup->chkKMLfile->isEnabled());
    setup->chkKMLfile->click();
    setup->chkProgress->click();
    d.clear();
    d.yesNo.push_back(true);
    d.files.push_back(sites);
    d.files.push_back(track);
    frmSummaryMigrate* results = start();
    ASSERT_NE(results, nullptr) << (d.errors().empty() ? "" : d.errors().back());
    ASSERT_FALSE(d.shown.empty());
    EXPECT_EQ(d.shown[0].kind, "yesno");
    EXPECT_EQ(d.shown[0].lines[0], "Do you wish to load a file of Stopover Site Coordinates?");
    const auto* dialog = trackDialog();
    ASSERT_NE(dialog, nullptr);
    for (const char* ext : {"*.xlsx", "*.xls ", "*.csv"}) EXPECT_NE(dialog->request.filter.find(ext), std::string::npos);

    EXPECT_EQ(TextOf(results, "lblArrival_0"), "End GPS");
    EXPECT_EQ(TextOf(results, "lblArrival_1"), "End GPS");
    EXPECT_FALSE(TextOf(results, "txtHrs_1").isEmpty());
    EXPECT_NE(TextOf(results, "txtHrs_1"), "No goal set");
    // The map in the track folder, the progress workbook beside the track.
    ASSERT_FALSE(s.Gps.KmlFile.empty());
    EXPECT_TRUE(std::filesystem::exists(s.Gps.KmlFile));
    EXPECT_EQ(std::filesystem::path(s.Gps.KmlFile).parent_path(), std::filesystem::path(s.Gps.TrackFolder));
    ASSERT_FALSE(s.Gps.ProgressFile.empty());
    EXPECT_TRUE(std::filesystem::exists(s.Gps.ProgressFile));
    EXPECT_EQ(std::filesystem::path(s.Gps.ProgressFile).parent_path(), dir.path());
    EXPECT_FALSE(setup->lblWait->isVisible());
    results->cmdOK->click();
    test::Settle();
    EXPECT_TRUE(setup->cmdStart->isEnabled());
}

TEST_F(GpsScreens, ABadTrackRowShowsWhyWritesNothingAndLeavesTheScreensUsable) {
    const std::string bad = dir.copyReference("tracks/gps_bad_badnumber.csv");
    setup->chkKMLfile->click();
    setup->chkProgress->click();
    d.clear();
    d.yesNo.push_back(false);
    d.files.push_back(bad);
    EXPECT_EQ(start(), nullptr);
    ASSERT_FALSE(d.errors().empty());
    EXPECT_NE(d.errors().back().find("line 5, column 22 (air speed)"), std::string::npos) << d.errors().back();
    EXPECT_TRUE(s.Gps.KmlFile.empty());
    // The dialogs follow the track chosen, but no map or progress workbook goes beside it.
    EXPECT_EQ(std::filesystem::path(s.Gps.TrackFolder), dir.path());
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().find("Progress"), std::string::npos) << entry.path();
        EXPECT_NE(entry.path().extension(), ".kml") << entry.path();
    }
    EXPECT_TRUE(setup->cmdStart->isEnabled());
    EXPECT_FALSE(setup->lblWait->isVisible());

    // A missing file: the message, and still no results.
    d.clear();
    d.yesNo.push_back(false);
    d.files.push_back(dir.str() + "/no such track.xlsx");
    EXPECT_EQ(start(), nullptr);
    EXPECT_FALSE(d.errors().empty());

    // The screen still works: a good track runs.
    const std::string track = dir.copyTrack(kLeg + "ProcessedToAirSpeed.csv");
    d.clear();
    d.yesNo.push_back(false);
    d.files.push_back(track);
    frmSummaryMigrate* results = start();
    ASSERT_NE(results, nullptr) << (d.errors().empty() ? "" : d.errors().back());
    EXPECT_EQ(TextOf(results, "lblArrival_0"), "End GPS");
}

TEST_F(GpsScreens, ACancelledDialogCancelsTheRunAndNothingElse) {
    d.clear();
    d.yesNo.push_back(true);  // sites wanted, then the dialog cancelled
    EXPECT_EQ(start(), nullptr);
    EXPECT_TRUE(d.errors().empty());
    d.clear();
    d.yesNo.push_back(false);  // the track dialog cancelled
    EXPECT_EQ(start(), nullptr);
    EXPECT_TRUE(d.errors().empty());
    EXPECT_TRUE(setup->cmdStart->isEnabled());
    EXPECT_TRUE(setup->optGPS->isChecked());
}

TEST_F(GpsScreens, ImportedFixesBecomeTheTrackOfTheNextRun) {
    const std::string fixes = dir.copyTrack(kLeg + "Movebank.csv");
    setup->cmdImportTrack->click();
    test::Settle();
    auto* import = screen<frmImportTrack>("frmImportTrack");
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(import->windowModality(), Qt::WindowModal);
    EXPECT_EQ(import->parentWidget(), setup);
    EXPECT_EQ(TextOf(import, "txtGrid"), "20");
    EXPECT_EQ(TextOf(import, "txtMaxSpeed"), "40");
    EXPECT_EQ(TextOf(import, "txtEmptyRowHours"), "3.0; 8.0");  // numbers with a point, no comma
    EXPECT_FALSE(import->cmdImport->isEnabled());
    EXPECT_FALSE(import->cmdSave->isEnabled());

    // A cancelled file dialog changes nothing.
    import->cmdChooseFile->click();
    EXPECT_FALSE(import->cmdImport->isEnabled());
    d.files.push_back(fixes);
    import->cmdChooseFile->click();
    EXPECT_EQ(TextOf(import, "txtFixFile"), "Alb02_WhiteStork2859_2016-05-02to04_Movebank.csv");
    EXPECT_EQ(import->txtFixFile->toolTip().toStdString(), fixes);
    EXPECT_NE(d.shown.back().request.filter.find("*.gpx"), std::string::npos);

    // An option that cannot be used names its field.
    TypeInto(import, "txtGrid", "twenty");
    d.clear();
    import->cmdImport->click();
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_NE(d.errors()[0].find("Time grid (minutes)"), std::string::npos) << d.errors()[0];
    EXPECT_FALSE(import->cmdSave->isEnabled());
    TypeInto(import, "txtStopFixes", "1");
    TypeInto(import, "txtGrid", "20");
    d.clear();
    import->cmdImport->click();
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_NE(d.errors()[0].find("On-ground fixes that make a stop"), std::string::npos) << d.errors()[0];
    TypeInto(import, "txtStopFixes", "3");

    // The summary before the save.
    d.clear();
    import->cmdImport->click();
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    const QString summary = import->txtSummary->toPlainText();
    EXPECT_FALSE(summary.isEmpty());
    EXPECT_TRUE(summary.contains("2859")) << summary.toStdString();
    ASSERT_TRUE(import->cmdSave->isEnabled());

    // Saved, and taken as the track of the next run.
    const std::string saved = dir.str() + "/stork track.xlsx";
    d.files.push_back(saved);
    d.yesNo.push_back(true);
    import->cmdSave->click();
    test::Settle();
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(screen<frmImportTrack>("frmImportTrack"), nullptr);
    EXPECT_EQ(setup->offeredTrack, saved);
    EXPECT_TRUE(setup->optGPS->isChecked());

    d.clear();
    d.yesNo.push_back(false);
    d.files.push_back(saved);
    frmSummaryMigrate* results = start();
    ASSERT_NE(results, nullptr) << (d.errors().empty() ? "" : d.errors().back());
    const auto* dialog = trackDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->request.initialName, "stork track.xlsx");
    EXPECT_EQ(std::filesystem::path(dialog->request.initialFolder), dir.path());
    EXPECT_EQ(TextOf(results, "lblArrival_0"), "End GPS");
}
