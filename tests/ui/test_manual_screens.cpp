// The manual on the screens: every contents button opens its page above the contents; return and
// cross-reference buttons follow the navigation rules with their exceptions; links inside the text
// work as the buttons do; every "Show Definitions" page opens with its return caption; a missing page
// file says which file and where; and every definitions page names every field of its screen.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QUrl>
#include <filesystem>
#include <ostream>
#include <set>

#include "UiTest.h"
#include "birddb/BirdDbFixture.h"
#include "manual/ManualPages.h"
#include "support/TempDir.h"
#include "ui/ManualScreens.h"
#include "support/BirdSetup.h"
#include "ui/frmEnterBird.h"
#include "ui/frmSetDefaultsMigr.h"
#include "ui/frmSetupMigrate.h"
#include "ui/frmStopMassCalc.h"
#include "ui/frmSummaryMigrate.h"
#include "ui/frmSetupFlap.h"
#include "ui/frmSetupGlide.h"
#include "ui/frmStart.h"
#include "ui/frmSummaryFlap.h"
#include "ui/frmSummaryGlide.h"

using namespace ornivo;
using namespace ornivo::ui;
namespace fs = std::filesystem;

inline std::ostream& operator<<(std::ostream& o, const QString& s) { return o << s.toStdString(); }

namespace {

const std::string kSourcePages = std::string(ORNIVO_SOURCE_DIR) + "/data/manual";

// The shipped pages copied into a program folder of the test's own.
class ManualScreens : public test::ScreenTest {
protected:
    ManualScreens() {
        fs::create_directories(dir.path() / "Manual");
        for (const auto& e : fs::directory_iterator(kSourcePages))
            fs::copy_file(e.path(), dir.path() / "Manual" / e.path().filename());
        s.ProgramFolder = dir.str();
    }

    // The visible top-level window with this object name.
    QWidget* open(const std::string& name) { return screen<QWidget>(name.c_str()); }
    static QPushButton* buttonIn(QWidget* w, const QString& caption) {
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text().remove('&') == caption) return b;
        return nullptr;
    }
    static void click(QPushButton* b) {
        b->click();
        test::Settle();
    }
    void closeAll() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<Screen*>(w)) w->close();
        test::Settle();
    }

    test::TempDir dir;
};

TEST_F(ManualScreens, EveryContentsButtonOpensItsPageAndTheContentsStayBeneath) {
    frmHelpContents* contents = ShowHelpContents(ctx);
    ASSERT_EQ(contents->windowTitle(), "Help contents");
    EXPECT_EQ(contents->lblHeading->text(), "Manual Contents - Click on topic required");
    ASSERT_EQ(contents->topics.size(), manual::ContentsButtons().size());
    for (const manual::ContentsEntry& e : manual::ContentsButtons()) {
        QPushButton* b = buttonIn(contents, QString::fromStdString(e.caption));
        ASSERT_NE(b, nullptr) << e.caption;
        click(b);
        auto* page = qobject_cast<PageScreen*>(open(e.screen));
        ASSERT_NE(page, nullptr) << e.caption;
        EXPECT_TRUE(page->loaded()) << e.screen << ": " << page->textBox()->toPlainText();
        EXPECT_EQ(page->windowTitle().toStdString(), manual::FindPage(e.screen)->title);
        EXPECT_NE(open("frmHelpContents"), nullptr) << "contents closed by " << e.caption;
        page->close();
        test::Settle();
    }
    click(contents->cmdExit);
    EXPECT_EQ(open("frmHelpContents"), nullptr);
}

TEST_F(ManualScreens, ReturnButtonsCloseThePageAndSomeShowTheContentsFirst) {
    for (const manual::Page& p : manual::Pages()) {
        if (p.kind != manual::PageKind::Manual) continue;
        auto* page = qobject_cast<ManualPage*>(ShowManualPage(ctx, p.screen));
        ASSERT_NE(page, nullptr) << p.screen;
        ASSERT_NE(page->rtfText, nullptr);
        const QString expected = p.screen == "frmHelpAirSpeed" ? "Continue"
                                 : p.screen == "frmHelpApprox" ? "Manual contents"
                                                               : "Manual Contents";
        EXPECT_EQ(page->cmdReturn->text(), expected) << p.screen;
        click(page->cmdReturn);
        EXPECT_EQ(open(p.screen), nullptr) << p.screen;
        const bool contentsFirst =
            p.screen == "frmHelpTutorial" || p.screen == "frmHelpWindCalc" || p.screen == "frmHelpSimCrit";
        EXPECT_EQ(open("frmHelpContents") != nullptr, contentsFirst) << p.screen;
        closeAll();
    }
}

TEST_F(ManualScreens, CrossReferencesShowTheirPageAndCloseTheCurrentOneExceptFlightStyle) {
    int followed = 0;
    for (const manual::Page& p : manual::Pages()) {
        for (const manual::PageLink& l : p.links) {
            if (l.action != manual::LinkAction::ShowPage) continue;
            QWidget* page = ShowManualPage(ctx, p.screen);
            QPushButton* b = buttonIn(page, QString::fromStdString(l.caption));
            ASSERT_NE(b, nullptr) << p.screen << " has no button " << l.caption;
            click(b);
            EXPECT_NE(open(l.target), nullptr) << p.screen << " -> " << l.caption;
            EXPECT_EQ(open(p.screen) != nullptr, p.screen == "frmHelpFlightStyle") << p.screen << " -> " << l.caption;
            EXPECT_EQ(open("frmHelpContents"), nullptr);
            closeAll();
            ++followed;
        }
    }
    EXPECT_GT(followed, 50);
    // The captions the pages give their buttons.
    auto* approx = ShowManualPage(ctx, "frmHelpPowerCurve");
    click(buttonIn(approx, "Approximations"));
    EXPECT_NE(open("frmHelpApprox"), nullptr);
}

TEST_F(ManualScreens, TheTutorialGetsABirdFromTheStartScreenOrEndsTheProgram) {
    auto* start = new frmStart(ctx);
    start->show();
    test::Settle();
    auto* tutorial = ShowManualPage(ctx, "frmHelpTutorial");
    ASSERT_NE(buttonIn(tutorial, "Get Bird"), nullptr);
    click(buttonIn(tutorial, "Get Bird"));
    EXPECT_NE(screen<frmEnterBird>("frmEnterBird"), nullptr);
    EXPECT_EQ(open("frmStart"), nullptr);
    EXPECT_EQ(open("frmHelpTutorial"), nullptr);
    EXPECT_FALSE(ended);

    // With Enter Bird already open, Get Bird brings it forward rather than opening a second one.
    tutorial = ShowManualPage(ctx, "frmHelpTutorial");
    click(buttonIn(tutorial, "Get Bird"));
    int enterBirds = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmEnterBird" && w->isVisible()) ++enterBirds;
    EXPECT_EQ(enterBirds, 1);

    tutorial = ShowManualPage(ctx, "frmHelpTutorial");
    click(buttonIn(tutorial, "Exit Program"));
    EXPECT_TRUE(ended);
}

TEST_F(ManualScreens, LinksInsideTheTextWorkAsTheButtonsDo) {
    auto* page = qobject_cast<ManualPage*>(ShowManualPage(ctx, "frmHelpEnterBird"));
    emit page->rtfText->anchorClicked(QUrl("BodyMass.md"));
    test::Settle();
    EXPECT_NE(open("frmHelpBodyMass"), nullptr);
    EXPECT_EQ(open("frmHelpEnterBird"), nullptr);

    // A file name with a space, written as the pages write it.
    auto* glide = qobject_cast<ManualPage*>(ShowManualPage(ctx, "frmHelpGlidePolar"));
    emit glide->rtfText->anchorClicked(QUrl("Energy%20height.md"));
    test::Settle();
    EXPECT_NE(open("frmHelpEnergyHeight"), nullptr);

    // Flight Style stays open for its links too.
    auto* style = qobject_cast<ManualPage*>(ShowManualPage(ctx, "frmHelpFlightStyle"));
    emit style->rtfText->anchorClicked(QUrl("PowerCurve.md"));
    test::Settle();
    EXPECT_NE(open("frmHelpPowerCurve"), nullptr);
    EXPECT_NE(open("frmHelpFlightStyle"), nullptr);

    // The introduction credits the data on the About the data screen.
    auto* intro = qobject_cast<ManualPage*>(ShowManualPage(ctx, "frmHelpGeneral"));
    ASSERT_TRUE(intro->rtfText->toMarkdown().contains("about:data"));
    emit intro->rtfText->anchorClicked(QUrl(QString::fromStdString(std::string(manual::AboutDataLink))));
    test::Settle();
    bool about = false;
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == "frmAboutData" && w->isVisible()) about = true;
    EXPECT_TRUE(about);
}

TEST_F(ManualScreens, EveryDefinitionsPageOpensWithItsReturnCaptionAndCloses) {
    for (const manual::Page& p : manual::Pages()) {
        if (p.kind != manual::PageKind::Definitions) continue;
        auto* page = qobject_cast<DefinitionsPage*>(ShowDefinitions(ctx, p.openedFrom));
        ASSERT_NE(page, nullptr) << p.openedFrom;
        EXPECT_EQ(page->objectName().toStdString(), p.screen);
        EXPECT_TRUE(page->loaded()) << p.file;
        EXPECT_EQ(page->cmdReturn->text().toStdString(), p.returnCaption);
        EXPECT_EQ(page->findChild<QTextBrowser*>("rtfDefs"), page->rtfDefs);
        click(page->cmdReturn);
        EXPECT_EQ(open(p.screen), nullptr) << p.screen;
    }
    EXPECT_EQ(ShowDefinitions(ctx, "frmGetUserBird")->objectName(), "frmDefsBirdsDb");
    EXPECT_EQ(ShowDefinitions(ctx, "frmWindTrnglCalc")->findChild<QPushButton*>("cmdReturn")->text(),
              "Return to Power Curve Summary Screen");
}

TEST_F(ManualScreens, AMissingPageFileSaysWhichFileAndWhereAndTheRestGoesOn) {
    fs::remove(dir.path() / "Manual" / "BodyMass.md");
    fs::remove(dir.path() / "Manual" / "DefsEnterBird.md");
    fs::create_directory(dir.path() / "Manual" / "DefsEnterBird.md");  // a folder is no page either
    auto* page = ShowManualPage(ctx, "frmHelpBodyMass");
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->loaded());
    const QString text = page->textBox()->toPlainText();
    EXPECT_TRUE(text.contains("BodyMass.md")) << text;
    EXPECT_TRUE(text.contains(QString::fromStdString((dir.path() / "Manual").string()))) << text;
    // Its buttons still work.
    click(buttonIn(page, "Power Curve"));
    EXPECT_NE(open("frmHelpPowerCurve"), nullptr);

    auto* defs = ShowDefinitions(ctx, "frmEnterBird");
    EXPECT_FALSE(defs->loaded());
    EXPECT_TRUE(defs->textBox()->toPlainText().contains("DefsEnterBird.md"));
    click(defs->cmdReturn);
    EXPECT_EQ(open("frmDefsEnterBird"), nullptr);
}

TEST_F(ManualScreens, PicturesOfTheContentsAPageAndADefinitionsPage) {
    QDir().mkpath(ORNIVO_UI_PICTURES_DIR);
    auto save = [](QWidget* w, const char* name) {
        const QString path = QString(ORNIVO_UI_PICTURES_DIR) + "/" + name + ".png";
        EXPECT_TRUE(w->grab().save(path)) << path;
        for (const std::string& clash : test::ClashingAccessKeys(w)) ADD_FAILURE() << name << " " << clash;
        EXPECT_LE(w->width(), 800) << name;
        EXPECT_LE(w->height(), 600) << name;
    };
    save(ShowHelpContents(ctx), "frmHelpContents");
    save(ShowManualPage(ctx, "frmHelpPowerCurve"), "frmHelpPowerCurve");
    save(ShowManualPage(ctx, "frmHelpTutorial"), "frmHelpTutorial");
    save(ShowDefinitions(ctx, "frmSetupFlap"), "frmDefsPowerCurveSetup");
}

// --- Every definitions page names every field of its screen --------------------------------------

// The names of the text boxes of a screen (entered values and results alike).
std::set<std::string> FieldsOf(QWidget* w) {
    std::set<std::string> names;
    auto add = [&](QString n) {
        // A control array's members, txtAdult(0) to txtAdult(2) or txtFat_0 to txtFat_2, are one field.
        n.remove(QRegularExpression(R"((\(\d+\)|_\d+)$)"));
        if (n.startsWith("txt")) names.insert(n.toStdString());
    };
    for (QLineEdit* e : w->findChildren<QLineEdit*>()) add(e->objectName());
    for (QTextEdit* e : w->findChildren<QTextEdit*>()) add(e->objectName());
    for (QPlainTextEdit* e : w->findChildren<QPlainTextEdit*>()) add(e->objectName());
    return names;
}

void ExpectDefined(QWidget* screenWidget, const std::string& screenName, bool hasButton = true) {
    ASSERT_NE(screenWidget, nullptr) << screenName;
    const manual::Page* defs = manual::DefinitionsFor(screenName);
    ASSERT_NE(defs, nullptr) << screenName;
    const std::string text = test::ReadFile(kSourcePages + "/" + defs->file);
    const std::set<std::string> fields = FieldsOf(screenWidget);
    EXPECT_GT(fields.size(), 3u) << screenName;
    for (const std::string& f : fields)
        EXPECT_NE(text.find("`" + f + "`"), std::string::npos) << defs->file << " does not define " << f;

    if (!hasButton) return;
    // Its "Show Definitions" button opens that page, with the page's return caption, and leaves the
    // screen as it was.
    auto* show = screenWidget->findChild<QPushButton*>("cmdShowDefs");
    ASSERT_NE(show, nullptr) << screenName;
    ASSERT_TRUE(show->isEnabled()) << screenName;
    const bool enabledBefore = screenWidget->isEnabled();
    show->click();
    test::Settle();
    QWidget* page = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName().toStdString() == defs->screen && w->isVisible()) page = w;
    ASSERT_NE(page, nullptr) << screenName << " did not open " << defs->screen;
    EXPECT_EQ(page->findChild<QPushButton*>("cmdReturn")->text().toStdString(), defs->returnCaption);
    EXPECT_EQ(screenWidget->isEnabled(), enabledBefore);
    page->close();
    test::Settle();
}

class DefinedFields : public ManualScreens {
protected:
    frmEnterBird* enterBird() {
        auto* e = new frmEnterBird(ctx);
        e->show();
        test::Settle();
        test::TypeInto(e, "txtSpName", "Test bird");
        test::TypeInto(e, "txtShortName", "Tb");
        test::TypeInto(e, "txtEmptyMass", "1.0");
        test::TypeInto(e, "txtSpan", "1.0");
        test::TypeInto(e, "txtArea", "0.15");
        test::TypeInto(e, "txtAlt", "0");
        return e;
    }
};

TEST_F(DefinedFields, ReadManualOpensTheContentsAndGettingStartedTheTutorial) {
    frmEnterBird* e = enterBird();
    click(e->cmdHelp);
    EXPECT_NE(open("frmHelpContents"), nullptr);
    EXPECT_TRUE(e->isEnabled());
    closeAll();
    e = enterBird();
    click(e->cmdFlap);
    click(screen<frmSetupFlap>("frmSetupFlap")->cmdHelp);
    EXPECT_NE(open("frmHelpContents"), nullptr);
    closeAll();
    e = enterBird();
    click(e->cmdGlide);
    click(screen<frmSetupGlide>("frmSetupGlide")->cmdHelp);
    EXPECT_NE(open("frmHelpContents"), nullptr);
    closeAll();
    auto* start = new frmStart(ctx);
    start->show();
    test::Settle();
    s.ProgramFolder = dir.str();  // the start screen set the program's own folder
    click(start->cmdInfo);
    auto* tutorial = qobject_cast<PageScreen*>(open("frmHelpTutorial"));
    ASSERT_NE(tutorial, nullptr);
    EXPECT_TRUE(tutorial->loaded());
    EXPECT_NE(open("frmStart"), nullptr);
}

TEST_F(DefinedFields, PowerCurveScreensAndTheWindCalculator) {
    frmEnterBird* e = enterBird();
    ExpectDefined(e, "frmEnterBird");
    click(e->cmdFlap);
    auto* setup = screen<frmSetupFlap>("frmSetupFlap");
    ExpectDefined(setup, "frmSetupFlap");
    click(setup->cmdPowerCurve);
    auto* summary = screen<frmSummaryFlap>("frmSummaryFlap");
    ExpectDefined(summary, "frmSummaryFlap");
    click(summary->cmdWindTrnglCalc);
    ExpectDefined(open("frmWindTrnglCalc"), "frmWindTrnglCalc");
}

TEST_F(DefinedFields, GlidePolarScreens) {
    frmEnterBird* e = enterBird();
    click(e->cmdGlide);
    auto* setup = screen<frmSetupGlide>("frmSetupGlide");
    ExpectDefined(setup, "frmSetupGlide");
    click(setup->cmdGlidePolar);
    ExpectDefined(open("frmSummaryGlide"), "frmSummaryGlide");
}

TEST_F(DefinedFields, MigrationScreens) {
    test::TypeBird(s, d, {});
    ASSERT_TRUE(bird::PressCalculation(s, d, bird::Calculation::Migrate));
    auto* setup = new frmSetupMigrate(ctx);
    setup->show();
    test::Settle();
    ExpectDefined(setup, "frmSetupMigrate");
    auto* settings = new frmSetDefaultsMigr(ctx, setup);
    settings->show();
    test::Settle();
    ExpectDefined(settings, "frmSetDefaultsMigr");  // its "Show Definitions" opens the more-settings page
    settings->close();
    auto* stop = new frmStopMassCalc(ctx, setup);
    stop->show();
    test::Settle();
    ExpectDefined(stop, "frmStopMassCalc");
    stop->close();
    test::Settle();
    test::TypeInto(setup, "txtFatFrac", "0.2");
    click(setup->cmdStart);
    ExpectDefined(open("frmSummaryMigrate"), "frmSummaryMigrate");
}

TEST_F(DefinedFields, BirdDatabaseScreens) {
    test::BirdDbFolder files("Anser anser,Greylag Goose,from a test,3.3,1.6,0.3,1.0,0,0.05,2,1,1\n");
    s.ProgramFolder = files.s.ProgramFolder;
    s.OutDrive = files.s.OutDrive;
    auto* e = new frmEnterBird(ctx);
    e->show();
    test::Settle();
    for (auto [button, name] : {std::pair{e->cmdGetPreset, "frmGetPreset"}, std::pair{e->cmdGetUser, "frmGetUserBird"},
                                std::pair{e->cmdSearchWings, "frmGetWings"}}) {
        click(button);
        QWidget* w = nullptr;
        for (QWidget* c : QApplication::allWidgets())
            if (c->objectName() == name && c->isVisible()) w = c;
        ExpectDefined(w, name);
        if (w) w->close();
        test::Settle();
    }
}

}  // namespace
