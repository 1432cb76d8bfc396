// The fields of Enter Bird, the setup screens and the migration settings against the parameter table,
// through which the rules and the command line name them: each screen has exactly the fields the table
// places on it, and each field's caption is its buddy, named after it.
#include <QLabel>
#include <set>
#include <string>

#include "UiTest.h"
#include "bird/EnterBird.h"
#include "state/Parameters.h"
#include "support/BirdSetup.h"
#include "ui/frmEnterBird.h"
#include "ui/frmSetDefaultsMigr.h"
#include "ui/frmSetupFlap.h"
#include "ui/frmSetupGlide.h"
#include "ui/frmSetupMigrate.h"

using namespace ornivo;
using namespace ornivo::ui;

namespace {

class ParameterRows : public test::ScreenTest {
protected:
    void bird(bird::Calculation calc) {
        test::TypeBird(s, d, {});
        ASSERT_TRUE(bird::PressCalculation(s, d, calc));
    }

    // Compares the screen's fields with the table's fields for the screen.
    static void expectTableFields(QWidget* screen, std::uint8_t bit, bool captionsAreBuddies = true) {
        ASSERT_NE(screen, nullptr);
        const std::string name = screen->objectName().toStdString();
        std::set<std::string> onScreen, inTable;
        for (CommitEdit* f : screen->findChildren<CommitEdit*>()) onScreen.insert(f->objectName().toStdString());
        for (const Parameter& p : Parameters())
            if (p.screens & bit) inTable.insert(std::string(p.control));
        for (const std::string& c : inTable) EXPECT_TRUE(onScreen.count(c)) << name << " lacks " << c;
        for (const std::string& c : onScreen) EXPECT_TRUE(inTable.count(c)) << name << " has " << c << " off the table";
        if (!captionsAreBuddies) return;
        for (const std::string& c : inTable) {
            auto* f = screen->findChild<CommitEdit*>(QString::fromStdString(c));
            auto* l = screen->findChild<QLabel*>("lbl" + QString::fromStdString(c).mid(3));
            if (!f) continue;
            ASSERT_NE(l, nullptr) << name << ": " << c << " has no caption";
            EXPECT_EQ(l->buddy(), f) << name << ": the caption of " << c;
            EXPECT_FALSE(l->text().isEmpty()) << name << ": the caption of " << c;
        }
    }
};

}  // namespace

TEST_F(ParameterRows, TheSetupScreensAndTheSettingsHoldTheTablesFields) {
    bird(bird::Calculation::PowerCurve);
    expectTableFields(new frmSetupFlap(ctx), OnSetupFlap);
    bird(bird::Calculation::GlidePolar);
    expectTableFields(new frmSetupGlide(ctx), OnSetupGlide);
    bird(bird::Calculation::Migrate);
    auto* setup = new frmSetupMigrate(ctx);
    expectTableFields(setup, OnSetupMigrate);
    expectTableFields(new frmSetDefaultsMigr(ctx, setup), OnSettingsMigr);
}

TEST_F(ParameterRows, EnterBirdHoldsTheTablesFields) {
    // The output lines are shown, not typed into: they take no buddy.
    expectTableFields(new frmEnterBird(ctx), OnEnterBird, false);
}
