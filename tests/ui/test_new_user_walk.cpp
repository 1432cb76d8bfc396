// What a new user met on a walk through the desktop: the GPS track folder and where a run's files went,
// a glide polar saved without touching its save box, the preset list chosen with the keys and its
// look-alike entries, and the wings database's accept.
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTemporaryDir>
#include <filesystem>

#include "UiTest.h"
#include "bird/EnterBird.h"
#include "birddb/BirdDbFixture.h"
#include "platform/Folders.h"
#include "state/numtext.h"
#include "support/BirdSetup.h"
#include "support/TempDir.h"
#include "ui/frmEnterBird.h"
#include "ui/frmGetPreset.h"
#include "ui/frmGetWings.h"
#include "ui/frmSetupGlide.h"
#include "ui/frmSetupMigrate.h"
#include "ui/frmStart.h"
#include "ui/frmSummaryGlide.h"
#include "ui/frmSummaryMigrate.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TextOf;
using ornivo::test::TypeInto;

namespace {

// A picture of the screen to look at (the window sizes are checked elsewhere).
void Grab(QWidget* screen, const char* name) {
    QDir().mkpath(ORNIVO_UI_PICTURES_DIR);
    screen->grab().save(QString(ORNIVO_UI_PICTURES_DIR) + "/" + name + ".png");
}

// The messages shown so far, one line each, to say why a screen did not open.
std::string Messages(const platform::ScriptedDialogs& d) {
    std::string t;
    for (const auto& m : d.messages())
        for (const auto& l : m) t += l + "\n";
    return t;
}

const std::string kLeg = "Alb02_WhiteStork2859_2016-05-02to04_";

// Looks alike by short name (the two wigeons, two chaffinches of nearly one mass) and by scientific name.
const char* kPresets =
    "Accipiter brevipes,Levant Sparrowhawk,hawk,0.195,0.7,0.0739,1.225,0,0,2,1,3\n"
    "Anas penelope,Eurasian Wigeon,first wigeon,0.783,0.82,0.1,1.225,0,0,2,1,3\n"
    "Anas penelope,Eurasian Wigeon,second wigeon,0.715,0.8,0.09,1.225,0,0,2,1,3\n"
    "Calidris canutus,Red Knot,knot,0.128,0.5,0.0286,1.225,0.19574,0,2,1,3\n"
    "Fringilla coelebs,Common Chaffinch,first finch,0.022,0.26,0.0125,1.225,0,0,1,1,3\n"
    "Fringilla coelebs,Common Chaffinch,second finch,0.02204,0.26,0.0126,1.225,0,0,1,1,3\n";
const char* kTeal = "Aves,Anseriformes,Anatidae,Anas,crecca,M,A,TB,0.33,0.6,0.06,0.03,0.004,Here,-,A paper,1990,NL\n";

class NewUserWalk : public test::ScreenTest {
protected:
    NewUserWalk() : files(kPresets, test::kSanderling, kTeal) {
        s.ProgramFolder = files.s.ProgramFolder;
        s.OutDrive = files.s.OutDrive;
    }
    frmEnterBird* enterBird() {
        auto* e = new frmEnterBird(ctx);
        e->show();
        test::Settle();
        return e;
    }
    template <class T>
    T* open(QPushButton* b, const char* name) {
        b->click();
        test::Settle();
        return screen<T>(name);
    }
    test::BirdDbFolder files;
};

// The GPS road with the tracks' documents folder in a temporary folder.
class GpsFolders : public test::ScreenTest {
protected:
    GpsFolders() : before(platform::DocumentsFolder()) { platform::SetDocumentsFolder(docs.str()); }
    ~GpsFolders() override { platform::SetDocumentsFolder(before); }
    const std::string before;
    frmSetupMigrate* toGpsSetup() {
        platform::SetProgramFolder(ORNIVO_RUNTIME_DIR);
        s.ProgramFolder = platform::ShippedFolder();
        test::TypedBird b;
        b.name = "Ciconia ciconia";
        b.shortName = "Stork";
        b.mass = 3.0;
        b.span = 2.0;
        b.area = 0.45;
        test::TypeBird(s, d, b);
        EXPECT_TRUE(bird::PressCalculation(s, d, bird::Calculation::Migrate));
        auto* setup = new frmSetupMigrate(ctx);
        setup->show();
        TypeInto(setup, "txtFatFrac", "0.25");
        setup->optGPS->click();
        return setup;
    }
    test::TempDir docs, tracks;
};

}  // namespace

TEST_F(GpsFolders, TracksStartInTheDocumentsOrnivoTracksFolderMadeWhenADialogNeedsIt) {
    const std::filesystem::path folder = docs.path() / "Ornivo Tracks";
    auto* start = new frmStart(ctx);
    start->show();
    test::Settle();
    EXPECT_EQ(s.Gps.TrackFolder, folder.string());
    EXPECT_FALSE(std::filesystem::exists(folder));  // nothing is made at start-up
    start->close();
    test::Settle();

    frmSetupMigrate* setup = toGpsSetup();
    s.Gps.TrackFolder = folder.string();
    d.clear();
    d.yesNo.push_back(true);  // sites wanted; the sites dialog is cancelled
    setup->cmdStart->click();
    test::Settle();
    ASSERT_FALSE(d.shown.empty());
    EXPECT_EQ(d.shown.back().kind, "open");
    EXPECT_EQ(d.shown.back().request.initialFolder, folder.string());
    EXPECT_TRUE(std::filesystem::is_directory(folder));  // the dialog opens in a folder that exists
}

TEST_F(GpsFolders, TheResultsSayWhereTheMapAndTheProgressWorkbookWent) {
    frmSetupMigrate* setup = toGpsSetup();
    s.Gps.TrackFolder = tracks.str();
    const std::string track = tracks.copyTrack(kLeg + "ProcessedToAirSpeed.xlsx");
    setup->chkKMLfile->click();
    setup->chkProgress->click();
    d.clear();
    d.yesNo.push_back(false);
    d.files.push_back(track);
    setup->cmdStart->click();
    test::Settle();
    auto* results = screen<frmSummaryMigrate>("frmSummaryMigrate");
    ASSERT_NE(results, nullptr) << Messages(d);
    ASSERT_FALSE(s.Gps.KmlFile.empty());
    ASSERT_FALSE(s.Gps.ProgressFile.empty());
    ASSERT_TRUE(results->lblGpsFiles->isVisibleTo(results));
    const QString said = TextOf(results, "lblGpsFiles");
    EXPECT_TRUE(said.contains(QString::fromStdString(s.Gps.KmlFile))) << said.toStdString();
    EXPECT_TRUE(said.contains(QString::fromStdString(s.Gps.ProgressFile))) << said.toStdString();
    Grab(results, "frmSummaryMigrate_gps_files");
}

TEST_F(NewUserWalk, AGlidePolarSavedWithoutTouchingTheBoxIsNamedAfterTheBird) {
    QTemporaryDir root;
    auto* start = new frmStart(ctx);
    start->show();
    start->optTextFiles->click();
    start->drvOutDefault->addItem(root.path(), root.path());
    start->drvOutDefault->setCurrentIndex(start->drvOutDefault->count() - 1);
    start->cmdEnterNewBird->click();
    test::Settle();
    auto* e = screen<frmEnterBird>("frmEnterBird");
    ASSERT_NE(e, nullptr);
    TypeInto(e, "txtSpName", "Example glider");
    TypeInto(e, "txtShortName", "Eg");
    TypeInto(e, "txtEmptyMass", "2.2");
    TypeInto(e, "txtSpan", "1.4");
    TypeInto(e, "txtArea", "0.33");
    TypeInto(e, "txtAlt", "0");
    e->cmdGlide->click();
    test::Settle();
    auto* setup = screen<frmSetupGlide>("frmSetupGlide");
    ASSERT_NE(setup, nullptr) << Messages(d);
    auto* results = open<frmSummaryGlide>(setup->cmdGlidePolar, "frmSummaryGlide");
    ASSERT_NE(results, nullptr);
    ASSERT_TRUE(results->chkExcel->isChecked());
    d.clear();
    d.inputs.push_back("a comment");
    results->cmdOK->click();  // the box as it opened
    test::Settle();
    const platform::ScriptedDialogs::Shown* save = nullptr;
    for (const auto& shown : d.shown)
        if (shown.kind == "save") save = &shown;
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->request.initialName, "Eg_0001.txt");
}

TEST_F(NewUserWalk, PresetsChosenWithTheKeysEnterTheBirdShown) {
    frmEnterBird* e = enterBird();
    auto* p = open<frmGetPreset>(e->cmdGetPreset, "frmGetPreset");
    ASSERT_NE(p, nullptr);
    // Arrow keys down to the Red Knot, then Return.
    p->lstGetBird->setFocus();
    QTest::keyClick(p->lstGetBird, Qt::Key_Down);
    while (p->lstGetBird->currentItem() && p->lstGetBird->currentItem()->text() != "Red Knot")
        QTest::keyClick(p->lstGetBird, Qt::Key_Down);
    ASSERT_NE(p->lstGetBird->currentItem(), nullptr);
    EXPECT_EQ(TextOf(p, "txtShortName"), "Red Knot");  // what is highlighted is what is chosen
    EXPECT_TRUE(p->cmdExit->isEnabled());
    QTest::keyClick(p->lstGetBird, Qt::Key_Return);
    test::Settle();
    EXPECT_EQ(screen<frmGetPreset>("frmGetPreset"), nullptr);
    EXPECT_EQ(s.ShortName, "Red Knot");
    EXPECT_EQ(TextOf(e, "txtShortName"), "Red Knot");

    // Arrows then the enter button.
    p = open<frmGetPreset>(e->cmdGetPreset, "frmGetPreset");
    ASSERT_NE(p, nullptr);
    p->lstGetBird->setFocus();
    QTest::keyClick(p->lstGetBird, Qt::Key_Down);
    QTest::keyClick(p->lstGetBird, Qt::Key_Down);
    const QString shown = p->lstGetBird->currentItem()->text();
    p->cmdExit->click();
    test::Settle();
    EXPECT_TRUE(shown.startsWith(QString::fromStdString(s.ShortName))) << shown.toStdString();
    EXPECT_EQ(TextOf(e, "txtSpName"), "Anas penelope");
}

TEST_F(NewUserWalk, LookAlikePresetsShowTheirMassAndEachEntersItsOwnRecord) {
    frmEnterBird* e = enterBird();
    auto* p = open<frmGetPreset>(e->cmdGetPreset, "frmGetPreset");
    ASSERT_NE(p, nullptr);
    QStringList entries;
    for (int i = 0; i < p->lstGetBird->count(); ++i) entries << p->lstGetBird->item(i)->text();
    // Scientific-name order, short names shown; look-alikes apart by their masses.
    EXPECT_EQ(entries, (QStringList{"Levant Sparrowhawk", "Eurasian Wigeon (0.783 kg)", "Eurasian Wigeon (0.715 kg)",
                                    "Red Knot", "Common Chaffinch (0.02200 kg)", "Common Chaffinch (0.02204 kg)"}));
    p->optSciName->click();
    test::Settle();
    EXPECT_EQ(p->lstGetBird->item(1)->text(), "Anas penelope (0.783 kg)");
    EXPECT_EQ(p->lstGetBird->item(3)->text(), "Calidris canutus");
    p->lstGetBird->setCurrentRow(2);
    emit p->lstGetBird->itemClicked(p->lstGetBird->item(2));
    test::Settle();
    EXPECT_EQ(TextOf(p, "txtComment"), "second wigeon");
    Grab(p, "frmGetPreset_look_alikes");
    p->cmdExit->click();
    test::Settle();
    EXPECT_FLOAT_EQ(s.slot(0).EmptyMass, 0.715f);
    EXPECT_EQ(TextOf(e, "txtEmptyMass"), "0.715");
}

TEST_F(NewUserWalk, WingsAcceptNamesTheSpeciesKeepsTheAirAndLeavesEnterBirdUsable) {
    frmEnterBird* e = enterBird();
    TypeInto(e, "txtShortName", "Previous");
    TypeInto(e, "txtAlt", "500");
    const float rho = s.AirDensity;
    const QString rhoShown = TextOf(e, "txtRho");
    ASSERT_GT(rho, 0);
    auto* w = open<frmGetWings>(e->cmdSearchWings, "frmGetWings");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(e->isEnabled());
    d.inputs.push_back("anas");
    w->cmdSearch->click();
    test::Settle();
    EXPECT_EQ(s.AirDensity, rho);  // Enter Bird still shows it
    EXPECT_EQ(TextOf(e, "txtRho"), rhoShown);
    w->lstTaxon->setCurrentRow(0);
    QTest::keyClick(w->lstTaxon, Qt::Key_Tab);
    test::Settle();
    w->cmdStats->click();
    test::Settle();
    ASSERT_TRUE(w->cmdOK->isVisible());
    w->cmdOK->click();
    test::Settle();
    EXPECT_EQ(s.ShortName, "Anas crecca");  // output files carry this bird's name
    EXPECT_EQ(TextOf(e, "txtShortName"), "Anas crecca");
    EXPECT_EQ(s.AirDensity, rho);
    EXPECT_EQ(TextOf(e, "txtRho").toStdString(), FormatSig(rho, 3));  // the density held, not 0
    EXPECT_EQ(TextOf(e, "txtAlt"), "500");
}
