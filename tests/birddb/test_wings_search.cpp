// The wings database screen: the level-by-level search, the counts, the categories, the means,
// the specimen review and "OK - accept" with its cautions.
#include <gtest/gtest.h>

#include "bird/EnterBird.h"
#include "birddb/WingsSearch.h"
#include "BirdDbFixture.h"

using namespace ornivo;
using namespace ornivo::birddb;
using ornivo::test::BirdDbFolder;

namespace {

const char* kRows =
    // Anas platyrhynchos: adult male, adult female, immature male, a pullus female, an unknown.
    "Aves,Anseriformes,Anatidae,Anas,platyrhynchos,M,A,TM,1.2,0.9,0.1,0.2,0.02,Here,-,src,May 2001,Sweden\n"
    "Aves,Anseriformes,Anatidae,Anas,platyrhynchos,F,A,DX,1.0,0.86,0.096,0.15,0.02,Here,thin,src,,Sweden\n"
    "Aves,Anseriformes,Anatidae,Anas,platyrhynchos,M,I,,1.1,0,0,0,0,,,src,,\n"
    "Aves,Anseriformes,Anatidae,Anas,platyrhynchos,F,P,,0.3,0,0,0,0,,,src,,\n"
    "Aves,Anseriformes,Anatidae,Anas,platyrhynchos,,,,0,0.88,0,0,0,,,src,,\n"
    "Aves,Anseriformes,Anatidae,Anas,crecca,M,A,,0.35,0.6,0.045,0,0,,,src,,\n"
    "Aves,Anseriformes,Anatidae,Aythya,fuligula,M,A,,0.7,0.7,0,0.1,0.01,,,src,,\n"
    "Aves,Passeriformes,Turdidae,Turdus,merula,F,A,,0.1,0,0,0.02,0,,,src,,\n";

struct Search {
    BirdDbFolder f{"", test::kSanderling, kRows};
    WingsScreen screen{f.s, f.d};
    Search() { screen.load(); }
    // Genus level: the genus typed at the prompt, then the species picked.
    ScreenUpdate toSpecies(const std::string& genus, const std::string& species) {
        f.d.inputs.push_back(genus);
        screen.startSearch();
        const auto& n = screen.names();
        auto it = std::find(n.begin(), n.end(), species);
        EXPECT_NE(it, n.end()) << species;
        return screen.chooseName(static_cast<int>(it - n.begin()));
    }
};

}  // namespace

TEST(WingsSearch, TheGenusTypedInLowerCaseIsSearchedAsProperCase) {
    Search t;
    t.f.s.AirDensity = 1.1f;
    t.f.s.Altitude = 800;
    t.f.d.inputs.push_back("anas");
    ScreenUpdate u = t.screen.startSearch();
    EXPECT_EQ(t.f.d.shown.back().lines[0], "Genus required?");
    EXPECT_EQ(t.screen.chosen(1), "Anas");
    EXPECT_EQ(t.screen.names(), (std::vector<std::string>{"platyrhynchos", "crecca"}));  // order of appearance
    EXPECT_EQ(*u.textOf("lblSelect"), "Select Species then press TAB");
    EXPECT_EQ(t.f.s.AirDensity, 1.1f);  // specimens carry no air: the bird's density and altitude stay ...
    EXPECT_EQ(t.f.s.Altitude, 800);
    t.screen.forget();
    EXPECT_EQ(t.f.s.AirDensity, 1.1f);  // ... and "Forget it" leaves them so
}

TEST(WingsSearch, AOneLetterNameIsRefusedAndAnUnknownNameSaysSo) {
    Search t;
    t.f.d.inputs.push_back("a");
    EXPECT_TRUE(t.screen.startSearch().refused);
    EXPECT_EQ(t.f.messages().back(), std::vector<std::string>{"Check spelling of Genus"});
    t.f.d.inputs.push_back("Pica");
    ScreenUpdate u = t.screen.startSearch();
    EXPECT_EQ(t.f.messages().back(), (std::vector<std::string>{"No records found for Pica", "Is the name spelt right?",
                                                               "Did you select the right taxonomic level?"}));
    bool searchShown = false;
    for (auto& [c, v] : u.visible) searchShown = searchShown || (c == "cmdSearch" && v);
    EXPECT_TRUE(searchShown);
}

TEST(WingsSearch, FromClassDownThroughEveryLevel) {
    Search t;
    t.screen.option("optClass");
    t.screen.startSearch();
    ASSERT_EQ(t.screen.names(), (std::vector<std::string>{"Aves", "Mammalia", "Osteichthyes", "Insecta"}));
    t.screen.chooseName(0);
    EXPECT_EQ(t.screen.names(), (std::vector<std::string>{"Anseriformes", "Passeriformes"}));
    t.screen.chooseName(0);
    EXPECT_EQ(t.screen.names(), std::vector<std::string>{"Anatidae"});
    t.screen.chooseName(0);
    EXPECT_EQ(t.screen.names(), (std::vector<std::string>{"Anas", "Aythya"}));
    t.screen.chooseName(1);
    ASSERT_EQ(t.screen.names(), std::vector<std::string>{"fuligula"});
    ScreenUpdate u = t.screen.chooseName(0);
    EXPECT_EQ(*u.textOf("lblNumFound"), "1 record found");
    EXPECT_EQ(*u.textOf("txtFamily"), "Anatidae");
}

TEST(WingsSearch, CountsByAgeAndSexWithAPullusAsUnknownAge) {
    Search t;
    ScreenUpdate u = t.toSpecies("Anas", "platyrhynchos");
    EXPECT_EQ(*u.textOf("lblNumFound"), "5 records found");
    const auto& g = t.screen.grid();
    EXPECT_EQ(g[0], (std::array<int, 3>{1, 1, 0}));  // adults
    EXPECT_EQ(g[1], (std::array<int, 3>{1, 0, 0}));  // immatures
    EXPECT_EQ(g[2], (std::array<int, 3>{0, 1, 1}));  // unknown age: the pullus female and the unknown
    EXPECT_EQ(*u.textOf("txtUnknown(1)"), "1");
}

TEST(WingsSearch, CategoriesSetAgeAndSexAndTakeTheirRecords) {
    EXPECT_EQ(SampleCategory(AgeChoice::All, SexChoice::Males), 7);
    EXPECT_EQ(CategoryAge(7), 3);
    EXPECT_EQ(CategoryAge(8), 1);
    EXPECT_EQ(CategorySex(8), 3);
    EXPECT_EQ(CategoryAge(9), 1);
    EXPECT_EQ(CategorySex(2), 3);
    // The pullus is taken only by the "all ages" categories.
    for (int c = 1; c <= 9; ++c) EXPECT_EQ(InCategory(c, "P", "F"), c == 8 || c == 9) << c;
    Search t;
    t.toSpecies("Anas", "platyrhynchos");
    t.screen.option("optMale");
    t.screen.findMeans();
    EXPECT_EQ(t.screen.category(), 7);
    EXPECT_EQ(t.f.s.Age, 3);
    EXPECT_EQ(t.f.s.Sex, 2);
    EXPECT_EQ(t.screen.means().candidates, 2);
    t.screen.option("optFemale");
    t.screen.findMeans();
    EXPECT_EQ(t.screen.category(), 8);
    EXPECT_EQ(t.f.s.Age, 1);
    EXPECT_EQ(t.f.s.Sex, 3);
    EXPECT_EQ(t.screen.means().candidates, 2);  // the adult and the pullus
    t.screen.option("optAdult");
    t.screen.findMeans();
    EXPECT_EQ(t.screen.means().candidates, 1);
}

TEST(WingsSearch, MeansCountOnlyRecordedValuesAndWarnOfPoorCondition) {
    Search t;
    t.toSpecies("Anas", "platyrhynchos");
    ScreenUpdate u = t.screen.findMeans();
    const WingsMeans& m = t.screen.means();
    EXPECT_EQ(m.nMass, 4);
    EXPECT_FLOAT_EQ(m.mass, (1.2f + 1.0f + 1.1f + 0.3f) / 4);
    EXPECT_EQ(m.nSpan, 3);
    EXPECT_EQ(m.nArea, 2);
    EXPECT_FLOAT_EQ(m.area, 0.098f);
    EXPECT_FLOAT_EQ(m.aspectRatio, static_cast<float>(double(m.span) * m.span / m.area));
    EXPECT_EQ(m.nMuscle, 2);
    EXPECT_NEAR(m.muscleFrac, (0.22 / 1.2 + 0.17 / 1.0) / 2, 1e-6);
    EXPECT_TRUE(m.poorCondition);  // the "DX" female
    EXPECT_EQ(t.f.messages().back(), PoorConditionCaution());
    EXPECT_EQ(*u.textOf("txtNmass"), "4");
    EXPECT_TRUE(t.screen.acceptShown());
}

TEST(WingsSearch, ViewAndSelectShowsEachSpecimenAndRejectingAllLeavesNoAccept) {
    Search t;
    t.toSpecies("Anas", "platyrhynchos");
    t.screen.option("optSelectIndiv");
    std::vector<ScreenUpdate> views;
    int closes = 0;
    t.screen.showSpecimen = [&](const ScreenUpdate& v) { views.push_back(v); };
    t.screen.closeSpecimen = [&] { ++closes; };
    ScreenUpdate u = t.screen.findMeans();  // the script answers No to every question
    ASSERT_EQ(views.size(), 5u);
    EXPECT_EQ(closes, 5);
    EXPECT_EQ(*views[0].textOf("txtRemarks"), "");  // "-" shows as empty
    EXPECT_EQ(*views[0].textOf("txtCondition"), "Trapped alive on migration");
    EXPECT_EQ(*views[3].textOf("txtAge"), "Pullus");
    EXPECT_EQ(*views[2].textOf("txtSpan"), "Not recorded");
    EXPECT_EQ(*views[4].textOf("lblFound"), "out of 5");
    EXPECT_EQ(*views[4].textOf("txtRecordNum"), "5");
    const WingsMeans& m = t.screen.means();
    EXPECT_EQ(m.nMass + m.nSpan + m.nArea + m.nMuscle, 0);
    EXPECT_FALSE(t.screen.acceptShown());
    EXPECT_TRUE(t.screen.accept().texts.empty());
    EXPECT_EQ(t.f.d.shown[t.f.d.shown.size() - 2].lines[0], "Include this record in sample?");
}

TEST(WingsSearch, AcceptWithoutAreaEntersTheBirdAndCautions) {
    Search t;
    bird::LoadEnterBird(t.f.s);
    t.toSpecies("Turdus", "merula");
    t.screen.findMeans();
    ASSERT_TRUE(t.screen.acceptShown());
    ScreenUpdate u = t.screen.accept();
    const BirdParams& b = t.f.s.slot(0);
    EXPECT_EQ(t.f.s.SpName, "Turdus merula");
    EXPECT_EQ(t.f.s.TaxonGroup, 1);
    EXPECT_FLOAT_EQ(b.EmptyMass, 0.1f);
    EXPECT_FLOAT_EQ(b.MuscleFrac, 0.2f);
    EXPECT_FLOAT_EQ(b.MuscleMass, 0.02f);
    EXPECT_EQ(b.WingArea, 0);
    EXPECT_EQ(b.AspectRatio, 0);
    EXPECT_GT(b.Sbody, 0);
    EXPECT_EQ(*u.textOf("txtRho"), "0");
    EXPECT_EQ(t.f.messages().back(),
              (std::vector<std::string>{"Caution: there are no wing area records in this sample",
                                        "Get aspect ratio from a similar species - program will find area from this",
                                        "so long as a good wing span is supplied"}));
    EXPECT_TRUE(t.screen.closed());
}

TEST(WingsSearch, AMissingDatabaseIsNamedAndTheScreenCloses) {
    Search t;
    std::filesystem::remove(t.f.programData("Wings.db"));
    t.f.d.inputs.push_back("Anas");
    EXPECT_TRUE(t.screen.startSearch().refused);
    EXPECT_TRUE(t.screen.closed());
    EXPECT_EQ(t.f.messages().back()[0], "Cannot open the database file " + t.f.programData("Wings.db"));
}
