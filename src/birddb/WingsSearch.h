#pragma once
// The wings database screen (frmGetWings): a level-by-level search of the specimen table "Table1"
// down to one species, the counts of its specimens by age and sex, the sample means of mass, span,
// area, aspect ratio and muscle fraction for a category of specimens, and "OK - accept", which enters
// the means as the current bird on the Enter Bird screen.
//
// Each call returns what the screen shows (texts, visibility, enabled states); the name list is
// names(). With "View and select records" each specimen is shown through showSpecimen (the texts of
// frmShowAccess) and the Dialogs ask "Include this record in sample?"; closeSpecimen follows.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "external/database/Database.h"
#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::birddb {

enum class SexChoice { Males, Females, All };
enum class AgeChoice { Adults, Immatures, All };

// The sample category 1 to 9 of the age and sex options, and the Age and Sex codes it sets.
int SampleCategory(AgeChoice age, SexChoice sex);
int16_t CategoryAge(int category);
int16_t CategorySex(int category);
// Whether a specimen's "Age" and "Sex" belong to a category.
bool InCategory(int category, const std::string& age, const std::string& sex);
// The text of a condition code ("DA" "Found dead, good condition", ..., else "Not recorded").
std::string ConditionText(const std::string& code);

struct WingsMeans {
    float mass = 0, span = 0, area = 0, aspectRatio = 0, muscleFrac = 0;
    int nMass = 0, nSpan = 0, nArea = 0, nMuscle = 0;
    bool poorCondition = false;
    int candidates = 0;  // specimens of the category (shown or not)
};

class WingsScreen {
public:
    WingsScreen(ProgramState& s, platform::Dialogs& d) : s_(s), d_(d) {}

    ScreenUpdate load();
    // fraLevel: 1 Genus, 2 Family, 3 Order, 4 Class.
    ScreenUpdate setLevel(int level);
    // "Start search" (cmdSearch): opens the database, asks for the name (the air density and altitude stay).
    // If the database cannot be used, a message names the file and the screen closes (closed()).
    ScreenUpdate startSearch();
    // Leaving the name list with an entry selected (its index in names()).
    ScreenUpdate chooseName(int index);
    // Sample options: optMale, optFemale, optAnySex, optAdult, optImm, optAllAge, optInclude,
    // optSelectIndiv.
    ScreenUpdate option(const std::string& control);
    // "Find sample means" (cmdStats).
    ScreenUpdate findMeans();
    // "OK - accept" (cmdOK): the means into slot 0; returns the Enter Bird screen's update; closes.
    ScreenUpdate accept();
    // "Forget it" (cmdExit): closes.
    void forget();

    std::function<void(const ScreenUpdate&)> showSpecimen;
    std::function<void()> closeSpecimen;

    const std::vector<std::string>& names() const { return names_; }
    int level() const { return level_; }
    const std::string& chosen(int level) const { return chosen_.at(level); }
    int found() const { return found_; }
    // grid[row][column]: rows adult, immature, unknown age; columns male, female, unknown sex.
    const std::array<std::array<int, 3>, 3>& grid() const { return grid_; }
    const WingsMeans& means() const { return means_; }
    int category() const { return category_; }
    bool closed() const { return closed_; }
    bool acceptShown() const { return acceptShown_; }

private:
    ScreenUpdate buildNames();
    ScreenUpdate countSpecimens();
    ScreenUpdate specimenView(int shown) const;
    bool matchesSpecies() const;
    void close();

    ProgramState& s_;
    platform::Dialogs& d_;
    std::unique_ptr<external::Database> db_;
    std::unique_ptr<external::RecordSet> rs_;
    int level_ = 1;
    std::array<std::string, 5> chosen_;
    std::vector<std::string> names_;
    bool classList_ = false;
    bool includeAll_ = true;
    SexChoice sex_ = SexChoice::All;
    AgeChoice age_ = AgeChoice::All;
    int category_ = 9;
    int found_ = 0;
    std::array<std::array<int, 3>, 3> grid_{};
    WingsMeans means_;
    bool speciesChosen_ = false;
    bool acceptShown_ = false;
    bool closed_ = false;
};

// The caution shown after the means when the sample holds specimens in poor condition.
std::vector<std::string> PoorConditionCaution();

}  // namespace ornivo::birddb
