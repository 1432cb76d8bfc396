// The preset bird screen: the list, choosing with duplicate names, entering a bird, returning.
#include <gtest/gtest.h>

#include <filesystem>

#include "birddb/PresetBirds.h"
#include "bird/EnterBird.h"
#include "BirdDbFixture.h"

using namespace ornivo;
using namespace ornivo::birddb;
using ornivo::test::BirdDbFolder;

namespace {

// Scientific-name order: Anas, Calidris, Cygnus, Turdus; the short names are not in that order.
const char* kRows =
    "Turdus philomelos,Song Thrush,thrush,0.061,0.34,0.0193,1.0,0.2,0.1,1,2,1\n"
    "Cygnus olor,Mute Swan,swan,10.6,2.3,0.65,1.225,0,0,2,3,2\n"
    "Calidris alpina,Dunlin,from Hedenstrom,0.05,0.4,0.0145,1.225,0,0.16,2,4,3\n"
    "Anas platyrhynchos,Mallard,duck,1.08,0.88,0.106,1.225,0.22,0,2,1,3\n"
    "Calidris minuta,Dunlin,stint with a wrong name,0.02,0.3,0.01,1.225,0,0,2,1,1\n";

int indexOf(const std::vector<std::string>& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == name) return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST(PresetBirds, ListsShortNamesInScientificNameOrder) {
    BirdDbFolder f(kRows);
    PresetBirdsScreen screen(f.s, f.d);
    ScreenUpdate u;
    ASSERT_TRUE(screen.load(&u));
    EXPECT_EQ(screen.list(), (std::vector<std::string>{"Mallard", "Dunlin", "Dunlin", "Mute Swan", "Song Thrush"}));
    // The screen tells the two Dunlins apart by their masses.
    EXPECT_EQ(screen.entries(), (std::vector<std::string>{"Mallard", "Dunlin (0.0500 kg)", "Dunlin (0.0200 kg)",
                                                          "Mute Swan", "Song Thrush"}));
    EXPECT_EQ(*u.textOf("txtRecordCount"), "5");
    auto sorted = screen.list();
    std::sort(sorted.begin(), sorted.end());
    EXPECT_NE(screen.list(), sorted);  // the list keeps the scientific-name order
    screen.listBy(ListBy::ScientificName);
    EXPECT_EQ(screen.list().front(), "Anas platyrhynchos");
    EXPECT_EQ(screen.list().back(), "Turdus philomelos");
}

TEST(PresetBirds, EachOfTwoLookAlikeEntriesLoadsItsOwnRecord) {
    BirdDbFolder f(kRows);
    PresetBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    const char* scientific[] = {"Calidris alpina", "Calidris minuta"};
    const char* comment[] = {"from Hedenstrom", "stint with a wrong name"};
    for (int i : {1, 2}) {  // the two "Dunlin" entries
        ScreenUpdate u = screen.choose(i);
        EXPECT_EQ(*u.textOf("txtScientificName"), scientific[i - 1]);
        EXPECT_EQ(*u.textOf("txtComment"), comment[i - 1]);
    }
    screen.enterBird();
    EXPECT_EQ(f.s.SpName, "Calidris minuta");
}

TEST(PresetBirds, EnteringFillsSlotZeroAndTheEnterBirdFields) {
    BirdDbFolder f(kRows);
    bird::LoadEnterBird(f.s);
    PresetBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    EXPECT_TRUE(screen.enterBird().texts.empty());  // nothing chosen yet
    screen.choose(indexOf(screen.list(), "Song Thrush"));
    ScreenUpdate u = screen.enterBird();
    const BirdParams& b = f.s.slot(0);
    EXPECT_EQ(f.s.SpName, "Turdus philomelos");
    EXPECT_EQ(f.s.ShortName, "Song Thrush");
    EXPECT_FLOAT_EQ(b.EmptyMass, 0.061f);
    EXPECT_FLOAT_EQ(b.AspectRatio, static_cast<float>(0.34 * 0.34 / double(0.0193f)));
    EXPECT_FLOAT_EQ(b.MuscleFrac, 0.2f);
    EXPECT_FLOAT_EQ(b.FatFrac, 0.1f);
    // Density 1.0: about 2063 m in the standard atmosphere.
    EXPECT_FLOAT_EQ(f.s.RelDensity, static_cast<float>(1.0 / 1.225));
    EXPECT_NEAR(f.s.Altitude, 2063, 1);
    EXPECT_EQ(*u.textOf("txtAlt"), "2063");
    EXPECT_GT(f.s.KinViscosity, 1.45e-5f);
    EXPECT_EQ(f.s.TaxonGroup, 1);
    EXPECT_EQ(f.s.Sex, 2);
    EXPECT_EQ(f.s.Age, 1);
    EXPECT_EQ(*u.textOf("txtEmptyMass"), "0.0610");
    EXPECT_EQ(*u.textOf("txtRho"), "1.00");
    for (const char* opt : {"optPass", "optMale", "optAdult"}) {
        bool checked = false;
        for (auto& [c, on] : u.checked) checked = checked || (c == opt && on);
        EXPECT_TRUE(checked) << opt;
    }
    EXPECT_FALSE(screen.isOpen());
    // The bird passes the Enter Bird check.
    EXPECT_EQ(bird::CheckBird(f.s, f.d), "");
}

TEST(PresetBirds, MuscleFractionZeroEnters017AndSeaLevelDensityGivesAltitudeZero) {
    BirdDbFolder f(kRows);
    PresetBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    screen.choose(indexOf(screen.list(), "Mute Swan"));
    screen.enterBird();
    EXPECT_FLOAT_EQ(f.s.slot(0).MuscleFrac, 0.17f);
    EXPECT_FLOAT_EQ(f.s.RelDensity, 1);
    EXPECT_FLOAT_EQ(f.s.Altitude, 0);
    EXPECT_EQ(f.s.Sex, 3);
    EXPECT_EQ(f.s.Age, 2);
    PresetBirdsScreen again(f.s, f.d);
    ASSERT_TRUE(again.load());
    again.choose(indexOf(again.list(), "Mallard"));
    again.enterBird();
    EXPECT_FLOAT_EQ(f.s.slot(0).MuscleFrac, 0.22f);
}

TEST(PresetBirds, ReturnAfterChoosingLeavesEverythingUnchanged) {
    BirdDbFolder f(kRows);
    bird::LoadEnterBird(f.s);
    platform::ScriptedDialogs d;
    bird::EnterBirdField(f.s, d, "txtSpName", "Typed bird");
    bird::EnterBirdField(f.s, d, "txtEmptyMass", "0.5");
    const ProgramState before = f.s;
    PresetBirdsScreen screen(f.s, f.d);
    ASSERT_TRUE(screen.load());
    screen.choose(0);
    screen.listBy(ListBy::ScientificName);
    EXPECT_TRUE(screen.enterBird().texts.empty());  // the list was rebuilt: no current record
    screen.cancel();
    EXPECT_EQ(f.s.SpName, before.SpName);
    EXPECT_EQ(f.s.slot(0).EmptyMass, before.slot(0).EmptyMass);
    EXPECT_EQ(f.s.AirDensity, before.AirDensity);
    EXPECT_EQ(f.s.TaxonGroup, before.TaxonGroup);
    EXPECT_FALSE(screen.isOpen());
}

TEST(PresetBirds, AMissingDatabaseIsNamedAndTheScreenCloses) {
    BirdDbFolder f(kRows);
    std::filesystem::remove(f.programData("Birds.db"));
    PresetBirdsScreen screen(f.s, f.d);
    EXPECT_FALSE(screen.load());
    ASSERT_EQ(f.messages().size(), 1u);
    EXPECT_EQ(f.messages()[0][0], "Cannot open the database file " + f.programData("Birds.db"));
    EXPECT_FALSE(screen.isOpen());
}

TEST(ShippedBirdsDb, HoldsThePublishedPresetsAndTheSanderling) {
    ProgramState s;
    s.ProgramFolder = ORNIVO_RUNTIME_DIR;
    platform::ScriptedDialogs d;
    PresetBirdsScreen screen(s, d);
    ASSERT_TRUE(screen.load()) << (d.messages().empty() ? "" : d.messages()[0][0]);
    EXPECT_EQ(screen.recordCount(), 144);
    for (int i = 0; i < screen.recordCount(); ++i) {
        screen.choose(i);
        ProgramState t = s;
        PresetBirdsScreen one(t, d);
        ASSERT_TRUE(one.load());
        one.choose(i);
        one.enterBird();
        const BirdParams& b = t.slot(0);
        EXPECT_GT(b.EmptyMass, 0.005f) << t.SpName;
        EXPECT_GT(b.AspectRatio, 3) << t.SpName;
        EXPECT_LT(b.AspectRatio, 20) << t.SpName;
        EXPECT_FLOAT_EQ(t.AirDensity, 1.225f);
        EXPECT_GT(b.MuscleFrac, 0.05f);
        EXPECT_LT(b.MuscleFrac, 0.4f);
        EXPECT_TRUE(t.TaxonGroup == 1 || t.TaxonGroup == 2);
    }
    auto db = external::Database::Open(std::string(ORNIVO_RUNTIME_DIR) + "/Data/Birds.db",
                                       external::Database::Access::ReadOnly);
    auto users = db->openRecordSet("SELECT * FROM [User Birds] ORDER BY [Scientific name]");
    ASSERT_EQ(users->recordCount(), 1);
    EXPECT_EQ(users->text("Scientific name"), "Calidris alba");
    EXPECT_EQ(users->fieldNames().size(), 32u);
}
