// The start screen: the settings it remembers between two starts, the fallback for a folder that is
// gone, and the texts it shows.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "UiTest.h"
#include "output/OutputTree.h"
#include "ui/OutputRoots.h"
#include "ui/QtSettingsStore.h"
#include "ui/StartupSettings.h"
#include "ui/frmEnterBird.h"
#include "ui/frmStart.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TextOf;

namespace {

class StartScreen : public test::ScreenTest {};

// One run of the program up to the start screen's exit, with its own state and the real settings store.
struct ProgramRun {
    ProgramState s;
    platform::ScriptedDialogs d;
    QtSettingsStore store;
    bool ended = false;
    UiContext ctx{s, d, store, [this] { ended = true; }};
};

}  // namespace

TEST_F(StartScreen, FirstStartOffersHomeAndWorkbooks) {
    QtSettingsStore clean;
    clean.set(SettingsApp, SettingsSection, "OutDrive", "");
    ProgramRun r;
    auto* start = new frmStart(r.ctx);
    EXPECT_EQ(QString::fromStdString(r.s.OutDrive), HomeFolder());
    EXPECT_TRUE(start->optExcel->isChecked());
    EXPECT_FALSE(r.s.UseTextFiles);
    EXPECT_TRUE(start->chkResizeScreen->isChecked());
    EXPECT_TRUE(r.s.ResizeScreens);
    EXPECT_EQ(start->drvOutDefault->currentData().toString(), HomeFolder());
    EXPECT_EQ(TextOf(start, "lblVersion").toStdString(), "V " + VersionText());
    EXPECT_TRUE(TextOf(start, "lblInfo").endsWith("RESULTS ARE ONLY AS GOOD AS THE INPUT DATA"));
    EXPECT_TRUE(start->cmdInfo->isEnabled());  // "Getting Started" opens the tutorial
    r.ctx.ending = true;
    start->close();
    test::Settle();
}

TEST_F(StartScreen, SettingsAreRememberedBetweenTwoStarts) {
    QTemporaryDir volume;
    {
        ProgramRun first;
        auto* start = new frmStart(first.ctx);
        start->show();
        start->optTextFiles->click();
        // A folder that is not in the list is still remembered when chosen (as a stored setting is).
        start->drvOutDefault->addItem(volume.path(), volume.path());
        start->drvOutDefault->setCurrentIndex(start->drvOutDefault->count() - 1);
        EXPECT_EQ(QString::fromStdString(first.s.OutDrive), volume.path());
        start->cmdExit->click();
        test::Settle();
        EXPECT_TRUE(first.ended);
    }
    ProgramRun second;
    auto* start = new frmStart(second.ctx);
    EXPECT_TRUE(second.s.UseTextFiles);
    EXPECT_TRUE(start->optTextFiles->isChecked());
    EXPECT_EQ(QString::fromStdString(second.s.OutDrive), volume.path());
    EXPECT_EQ(start->drvOutDefault->currentData().toString(), volume.path());
    // "Get Bird" writes them too and goes on without ending the program.
    start->show();
    start->optExcel->click();
    start->cmdEnterNewBird->click();
    test::Settle();
    EXPECT_FALSE(second.ended);
    EXPECT_EQ(second.store.get(SettingsApp, SettingsSection, "FileType", ""), "False");
    EXPECT_EQ(second.store.get(SettingsApp, SettingsSection, "OutDrive", ""), volume.path().toStdString());
    EXPECT_NE(screen<frmEnterBird>("frmEnterBird"), nullptr);
    second.ctx.ending = true;
}

TEST_F(StartScreen, RememberedFolderThatIsGoneFallsBackToHome) {
    QString gone;
    {
        QTemporaryDir tmp;
        gone = tmp.path();
    }
    QtSettingsStore store;
    store.set(SettingsApp, SettingsSection, "OutDrive", gone.toStdString());
    store.set(SettingsApp, SettingsSection, "FileType", "True");
    ProgramRun r;
    auto* start = new frmStart(r.ctx);
    EXPECT_EQ(QString::fromStdString(r.s.OutDrive), HomeFolder());
    EXPECT_EQ(start->drvOutDefault->currentData().toString(), HomeFolder());
    EXPECT_TRUE(r.s.UseTextFiles);
    r.ctx.ending = true;
    start->close();
    test::Settle();
}

TEST(StartupSettings, FileTypeReadsAsBoolean) {
    platform::MemorySettingsStore m;
    ProgramState s;
    auto exists = [](const std::string&) { return true; };
    ReadStartupSettings(s, m, "/home/x", exists);
    EXPECT_EQ(s.OutDrive, "/home/x");
    EXPECT_FALSE(s.UseTextFiles);
    m.set(SettingsApp, SettingsSection, "FileType", "TRUE");
    m.set(SettingsApp, SettingsSection, "OutDrive", "/media/card");
    ReadStartupSettings(s, m, "/home/x", exists);
    EXPECT_TRUE(s.UseTextFiles);
    EXPECT_EQ(s.OutDrive, "/media/card");
    s.UseTextFiles = false;
    WriteStartupSettings(s, m);
    EXPECT_EQ(m.get(SettingsApp, SettingsSection, "FileType", ""), "False");
}
