// The bird database screens opened from Enter Bird: a preset bird entered into its fields, Return
// changing nothing, the user-bird Save refused without a comment, Delete down to one bird, and a
// wings search typed in lower case down to one specimen whose means are accepted.
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <ostream>

#include "UiTest.h"
#include "state/numtext.h"
#include "birddb/BirdDbFixture.h"
#include "ui/frmEnterBird.h"
#include "ui/frmGetPreset.h"
#include "ui/frmGetUserBird.h"
#include "ui/frmGetWings.h"
#include "ui/frmSaveUserBird.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TextOf;

inline std::ostream& operator<<(std::ostream& o, const QString& s) { return o << s.toStdString(); }

namespace {

const char* kPresets =
    "Anser anser,Greylag Goose,from a test,3.3,1.6,0.3,1.0,0,0.05,2,1,1\n"
    "Hirundo rustica,Barn Swallow,from a test,0.019,0.32,0.0118,1.225,0.2,0,1,2,3\n";
const char* kKnot =
    "Calidris canutus,Red Knot,my knot,0.128,0.5,0.0286,1.1,0.2,0.1,2,2,1,0.01,9,1.5,1.2,0.8,0.2,0.02,1.3,1.2,"
    "2e-06,1.2,0.25,3.8e+07,1.8e+07,2.3,0.06,1.6,1.1,6,9.8\n";
const char* kTeal =
    "Aves,Anseriformes,Anatidae,Anas,crecca,M,A,TB,0.33,0.6,0.06,0.03,0.004,Here,-,A paper,1990,NL\n"
    "Aves,Anseriformes,Anatidae,Aythya,ferina,F,A,TB,0.9,0.75,0.08,0.08,0.01,There,-,A paper,1991,NL\n";

class DatabaseScreens : public test::ScreenTest {
protected:
    explicit DatabaseScreens(const std::string& users = test::kSanderling)
        : files(kPresets, users, kTeal) {
        s.ProgramFolder = files.s.ProgramFolder;
        s.OutDrive = files.s.OutDrive;
        enter = new frmEnterBird(ctx);
        enter->show();
        test::Settle();
    }
    template <class T>
    T* open(QPushButton* b, const char* name) {
        b->click();
        test::Settle();
        return screen<T>(name);
    }
    static void clickEntry(QListWidget* list, int row) {
        list->setCurrentRow(row);
        emit list->itemClicked(list->item(row));
        test::Settle();
    }
    test::BirdDbFolder files;
    frmEnterBird* enter = nullptr;
};

class UserDatabaseScreens : public DatabaseScreens {
protected:
    UserDatabaseScreens() : DatabaseScreens(std::string(test::kSanderling) + kKnot) {}
};

TEST_F(DatabaseScreens, APresetBirdIsEnteredIntoTheEnterBirdFields) {
    auto* p = open<frmGetPreset>(enter->cmdGetPreset, "frmGetPreset");
    ASSERT_NE(p, nullptr) << (d.errors().empty() ? "" : d.errors().front());
    EXPECT_TRUE(p->optShortName->isChecked());
    EXPECT_FALSE(p->cmdExit->isEnabled());
    EXPECT_EQ(TextOf(p, "txtRecordCount"), "2");
    // In scientific-name order, not by short name.
    ASSERT_EQ(p->lstGetBird->count(), 2);
    EXPECT_EQ(p->lstGetBird->item(0)->text(), "Greylag Goose");
    clickEntry(p->lstGetBird, 0);
    EXPECT_EQ(TextOf(p, "txtScientificName"), "Anser anser");
    ASSERT_TRUE(p->cmdExit->isEnabled());
    p->cmdExit->click();
    test::Settle();
    EXPECT_EQ(screen<frmGetPreset>("frmGetPreset"), nullptr);
    EXPECT_EQ(TextOf(enter, "txtSpName"), "Anser anser");
    EXPECT_EQ(TextOf(enter, "txtShortName"), "Greylag Goose");
    EXPECT_EQ(TextOf(enter, "txtEmptyMass"), "3.30");
    EXPECT_EQ(TextOf(enter, "txtSpan"), "1.60");
    EXPECT_EQ(TextOf(enter, "txtRho"), "1.00");
    EXPECT_NEAR(TextOf(enter, "txtAlt").toDouble(), 2063, 2);
    EXPECT_FLOAT_EQ(s.slot(0).MuscleFrac, 0.17f);  // 0 in the record
    EXPECT_TRUE(enter->optNonPass->isChecked());
    EXPECT_TRUE(enter->isEnabled());
}

TEST_F(DatabaseScreens, ReturnFromPresetsLeavesEverythingUnchanged) {
    test::TypeInto(enter, "txtSpName", "My bird");
    test::TypeInto(enter, "txtEmptyMass", "0.5");
    const float mass = s.slot(0).EmptyMass, rho = s.AirDensity;
    auto* p = open<frmGetPreset>(enter->cmdGetPreset, "frmGetPreset");
    ASSERT_NE(p, nullptr);
    p->optSciName->click();
    test::Settle();
    EXPECT_EQ(p->lstGetBird->item(1)->text(), "Hirundo rustica");
    clickEntry(p->lstGetBird, 1);
    p->cmdCancel->click();
    test::Settle();
    EXPECT_EQ(screen<frmGetPreset>("frmGetPreset"), nullptr);
    EXPECT_EQ(TextOf(enter, "txtSpName"), "My bird");
    EXPECT_EQ(s.SpName, "My bird");
    EXPECT_EQ(s.slot(0).EmptyMass, mass);
    EXPECT_EQ(s.AirDensity, rho);
    EXPECT_TRUE(enter->optNonPass->isChecked());
}

TEST_F(DatabaseScreens, AMissingDatabaseIsNamedAndNoScreenOpens) {
    std::filesystem::remove(files.programData("Birds.db"));
    EXPECT_EQ(open<frmGetPreset>(enter->cmdGetPreset, "frmGetPreset"), nullptr);
    ASSERT_FALSE(d.messages().empty());
    bool named = false;
    const auto messages = d.messages();
    for (const std::string& l : messages.back()) named = named || l.find("Birds.db") != std::string::npos;
    EXPECT_TRUE(named);
    EXPECT_TRUE(enter->isEnabled());
}

TEST_F(DatabaseScreens, SaveWithoutACommentIsRefusedAndAddsNothing) {
    s.LastBirdValid = true;
    s.LastBird.SpName = "Sterna paradisaea";
    s.LastBird.ShortName = "Arctic Tern";
    s.LastBird.EmptyMass = 0.11f;
    s.LastBird.Span = 0.8f;
    s.LastBird.WingArea = 0.0571f;
    s.LastBird.AirDensity = 1.2f;
    s.LastBird.TaxonGroup = 2;
    s.LastBird.Sex = 1;
    s.LastBird.Age = 1;
    auto* u = open<frmGetUserBird>(enter->cmdGetUser, "frmGetUserBird");
    ASSERT_NE(u, nullptr);
    EXPECT_TRUE(u->txtComment->isReadOnly());  // read-only while browsing
    ASSERT_TRUE(u->cmdSaveLast->isEnabled());
    u->cmdSaveLast->click();
    test::Settle();
    EXPECT_TRUE(u->lblAddNew->isVisible());
    EXPECT_FALSE(u->lstGetBird->isEnabled());
    EXPECT_EQ(TextOf(u, "txtShortName"), "Arctic Tern");
    EXPECT_FALSE(u->txtComment->isReadOnly());
    u->cmdAdd->click();
    test::Settle();
    ASSERT_FALSE(d.errors().empty());
    EXPECT_EQ(d.errors().back(), "Please supply Comment");
    EXPECT_EQ(TextOf(u, "txtRecordCount"), "1");
    EXPECT_TRUE(u->cmdAdd->isEnabled());  // still adding
    // With a comment the bird is stored and listed.
    test::TypeInto(u, "txtComment", "seen at sea");
    u->cmdAdd->click();
    test::Settle();
    EXPECT_EQ(TextOf(u, "txtRecordCount"), "2");
    EXPECT_EQ(u->lstGetBird->count(), 2);
    EXPECT_FALSE(u->lblAddNew->isVisible());
    EXPECT_TRUE(u->txtComment->isReadOnly());
}

TEST_F(UserDatabaseScreens, DeleteWithTwoBirdsLeavesOneAndDisablesDelete) {
    auto* u = open<frmGetUserBird>(enter->cmdGetUser, "frmGetUserBird");
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(TextOf(u, "txtRecordCount"), "2");
    ASSERT_TRUE(u->cmdDelete->isEnabled());
    EXPECT_EQ(u->lstGetBird->currentRow(), 0);
    u->cmdDelete->click();
    test::Settle();
    EXPECT_EQ(TextOf(u, "txtRecordCount"), "1");
    EXPECT_EQ(u->lstGetBird->count(), 1);
    EXPECT_FALSE(u->cmdDelete->isEnabled());
}

TEST_F(UserDatabaseScreens, AUserBirdEntersWithItsParameters) {
    auto* u = open<frmGetUserBird>(enter->cmdGetUser, "frmGetUserBird");
    ASSERT_NE(u, nullptr);
    const int knot = u->lstGetBird->findItems("Red Knot", Qt::MatchExactly).isEmpty()
                         ? -1
                         : u->lstGetBird->row(u->lstGetBird->findItems("Red Knot", Qt::MatchExactly).front());
    ASSERT_GE(knot, 0);
    clickEntry(u->lstGetBird, knot);
    EXPECT_EQ(TextOf(u, "txtKmito"), "2.00E-06");
    EXPECT_EQ(u->UpDownSex->value(), 2);
    u->cmdExit->click();
    test::Settle();
    EXPECT_EQ(screen<frmGetUserBird>("frmGetUserBird"), nullptr);
    EXPECT_EQ(TextOf(enter, "txtSpName"), "Calidris canutus");
    EXPECT_TRUE(enter->optMale->isChecked());
    EXPECT_FLOAT_EQ(s.Kmito, 2e-6f);
    EXPECT_FLOAT_EQ(s.PbmrFactor, 1.5f);
    EXPECT_TRUE(s.KeepFactors);
}

TEST_F(DatabaseScreens, AWingsSearchInLowerCaseEntersTheMeans) {
    const float rho = s.AirDensity;
    auto* w = open<frmGetWings>(enter->cmdSearchWings, "frmGetWings");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(enter->isEnabled());  // the wings screen does not block Enter Bird
    EXPECT_FALSE(w->lstTaxon->isVisible());
    EXPECT_FALSE(w->cmdOK->isVisible());
    d.inputs.push_back("anas");
    w->cmdSearch->click();
    test::Settle();
    EXPECT_EQ(s.AirDensity, rho);  // the specimens carry no air
    ASSERT_TRUE(w->lstTaxon->isVisible());
    EXPECT_EQ(TextOf(w, "lblSelect"), "Select Species then press TAB");
    ASSERT_EQ(w->lstTaxon->count(), 1);
    EXPECT_EQ(w->lstTaxon->item(0)->text(), "crecca");
    w->lstTaxon->setCurrentRow(0);
    QTest::keyClick(w->lstTaxon, Qt::Key_Tab);
    test::Settle();
    EXPECT_EQ(TextOf(w, "lblNumFound"), "1 record found");
    EXPECT_EQ(TextOf(w, "txtFamily"), "Anatidae");
    EXPECT_EQ(TextOf(w, "txtAdult(0)"), "1");
    EXPECT_EQ(TextOf(w, "txtImm(1)"), "0");
    w->cmdStats->click();
    test::Settle();
    EXPECT_EQ(TextOf(w, "txtMass"), "0.330");
    EXPECT_EQ(TextOf(w, "txtNarea"), "1");
    ASSERT_TRUE(w->cmdOK->isVisible());
    w->cmdOK->click();
    test::Settle();
    EXPECT_EQ(screen<frmGetWings>("frmGetWings"), nullptr);
    EXPECT_EQ(TextOf(enter, "txtSpName"), "Anas crecca");
    EXPECT_EQ(TextOf(enter, "txtEmptyMass"), "0.330");
    EXPECT_EQ(TextOf(enter, "txtAR"), "6.00");
    EXPECT_EQ(TextOf(enter, "txtRho").toStdString(), FormatSig(rho, 3));  // the density held
    EXPECT_TRUE(enter->optNonPass->isChecked());
}

TEST_F(DatabaseScreens, WingsViewAndSelectShowsEachSpecimenAndRejectingAllLeavesNoAccept) {
    auto* w = open<frmGetWings>(enter->cmdSearchWings, "frmGetWings");
    ASSERT_NE(w, nullptr);
    d.inputs.push_back("a");
    w->cmdSearch->click();
    test::Settle();
    ASSERT_FALSE(d.errors().empty());
    EXPECT_EQ(d.errors().back(), "Check spelling of Genus");
    EXPECT_TRUE(w->cmdSearch->isVisible());
    d.inputs.push_back("Anas");
    w->cmdSearch->click();
    test::Settle();
    w->lstTaxon->setCurrentRow(0);
    QTest::keyClick(w->lstTaxon, Qt::Key_Tab);
    test::Settle();
    w->optSelectIndiv->click();
    d.yesNo.push_back(false);
    w->cmdStats->click();
    test::Settle();
    ASSERT_FALSE(d.shown.empty());
    EXPECT_EQ(d.shown.back().kind, "yesno");
    EXPECT_EQ(TextOf(w, "txtNmass"), "0");
    EXPECT_FALSE(w->cmdOK->isVisible());
    EXPECT_EQ(screen<QWidget>("frmShowAccess"), nullptr);
    w->cmdExit->click();
    test::Settle();
    EXPECT_EQ(s.AirDensity, 0);
}

TEST_F(DatabaseScreens, SaveUserBirdShowsTheInstructions) {
    auto* h = open<frmSaveUserBird>(enter->cmdSaveUserBird, "frmSaveUserBird");
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->txtInstructions->toPlainText().contains("Click User Birds, then click Save Last Bird"));
    h->cmdExit->click();
    test::Settle();
    EXPECT_EQ(screen<frmSaveUserBird>("frmSaveUserBird"), nullptr);
}

}  // namespace
