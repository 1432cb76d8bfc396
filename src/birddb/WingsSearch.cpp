#include "birddb/WingsSearch.h"

#include <algorithm>
#include <cmath>

#include "bird/EnterBird.h"
#include "birddb/BirdFiles.h"
#include "state/ControlNames.h"
#include "state/Derived.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::birddb {
namespace {

const char* const kLevels[] = {"Species", "Genus", "Family", "Order", "Class"};
const char* const kClasses[] = {"Aves", "Mammalia", "Osteichthyes", "Insecta"};
const char* const kRows[] = {ctl::txtAdult, ctl::txtImm, ctl::txtUnknown};

float addSingle(float sum, double x) { return static_cast<float>(double(sum) + x); }

std::string trimmed(const std::string& t) {
    std::size_t b = t.find_first_not_of(" \t"), e = t.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : t.substr(b, e - b + 1);
}

std::string gridBox(int row, int col) { return std::string(kRows[row]) + "(" + std::to_string(col) + ")"; }

std::string measured(float v) { return v > 0 ? FormatSig(v, 7) : "Not recorded"; }

}  // namespace

int SampleCategory(AgeChoice age, SexChoice sex) {
    const int a = age == AgeChoice::Adults ? 0 : age == AgeChoice::Immatures ? 1 : 2;
    const int x = sex == SexChoice::Males ? 0 : sex == SexChoice::Females ? 1 : 2;
    return a * 3 + x + 1;
}

int16_t CategoryAge(int c) {
    static const int16_t age[] = {0, 1, 1, 1, 2, 2, 2, 3, 1, 1};
    return c >= 1 && c <= 9 ? age[c] : 1;
}

int16_t CategorySex(int c) {
    static const int16_t sex[] = {0, 2, 3, 1, 2, 3, 1, 2, 3, 1};
    return c >= 1 && c <= 9 ? sex[c] : 1;
}

bool InCategory(int c, const std::string& age, const std::string& sex) {
    const int a = (c - 1) / 3, x = (c - 1) % 3;
    if (a == 0 && age != "A") return false;
    if (a == 1 && age != "I") return false;
    if (x == 0 && sex != "M") return false;
    if (x == 1 && sex != "F") return false;
    return true;
}

std::string ConditionText(const std::string& code) {
    if (code == "DA") return "Found dead, good condition";
    if (code == "DX") return "Found dead, dubious condition";
    if (code == "CA") return "Captive bird in good condition";
    if (code == "CX") return "Captive bird in dubious condition";
    if (code == "TB") return "Trapped alive in breeding area";
    if (code == "TM") return "Trapped alive on migration";
    if (code == "TS") return "Trapped alive but sick or injured";
    if (code == "TX") return "Trapped alive";
    return "Not recorded";
}

std::vector<std::string> PoorConditionCaution() {
    return {"This sample includes some specimens in poor condition",
            "Wing measurements are OK but mass may be low",
            "",
            "Suggested remedies:",
            "",
            "1. View and select records individually, or",
            "2. Check mass data from other sources"};
}

ScreenUpdate WingsScreen::load() {
    ScreenUpdate u;
    level_ = 1;
    includeAll_ = true;
    sex_ = SexChoice::All;
    age_ = AgeChoice::All;
    u.setChecked(ctl::optGenus, true);
    u.setChecked(ctl::optInclude, true);
    u.setChecked(ctl::optAnySex, true);
    u.setChecked(ctl::optAllAge, true);
    for (const char* c :
         {ctl::lblSelect,   ctl::lstTaxon, ctl::txtGenus,    ctl::txtSpecies,       ctl::txtFamily,       ctl::txtOrder,
          ctl::lblNumFound, ctl::fraSex,   ctl::fraAge,      ctl::lblSelectRecords, ctl::fraRecordSelect, ctl::cmdStats,
          ctl::txtMass,     ctl::txtSpan,  ctl::txtArea,     ctl::txtNmass,         ctl::txtNspan,        ctl::txtNarea,
          ctl::txtAR,       ctl::lblAR,    ctl::txtMuscFrac, ctl::lblMuscFrac,      ctl::cmdOK,           ctl::fraGrid})
        u.setVisible(c, false);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) u.setVisible(gridBox(r, c), false);
    for (const char* c : {ctl::cmdSearch, ctl::cmdExit, ctl::cmdShowDefs, ctl::fraLevel}) u.setVisible(c, true);
    return u;
}

ScreenUpdate WingsScreen::setLevel(int level) {
    ScreenUpdate u;
    if (level < 1 || level > 4 || speciesChosen_) return u;
    level_ = level;
    static const char* opts[] = {"", ctl::optGenus, ctl::optFamily, ctl::optOrder, ctl::optClass};
    u.setChecked(opts[level], true);
    return u;
}

ScreenUpdate WingsScreen::startSearch() {
    ScreenUpdate u;
    // The specimens carry no air: the density and altitude of the Enter Bird screen stay as they are,
    // so that its fields go on showing what the program holds.
    if (!db_) {
        db_ = OpenWings(s_, d_);
        if (db_) {
            try {
                rs_ = db_->openRecordSet("Table1");
            } catch (const external::DatabaseError& e) {
                ShowDatabaseError(d_, e);
                db_.reset();
            }
        }
        if (!db_) {
            closed_ = true;
            u.refused = true;
            return u;
        }
    }
    if (level_ == 4) {
        names_.assign(std::begin(kClasses), std::end(kClasses));
        classList_ = true;
        u.show(ctl::lblSelect, "Select Class then press TAB");
        u.setVisible(ctl::lblSelect, true);
        u.setVisible(ctl::lstTaxon, true);
        u.setVisible(ctl::cmdSearch, false);
        return u;
    }
    const std::string answer = trimmed(d_.inputBox(std::string(kLevels[level_]) + " required?", ""));
    if (answer.size() < 2) {
        d_.error({std::string("Check spelling of ") + kLevels[level_]});
        u.refused = true;
        return u;
    }
    chosen_[level_] = ProperCase(answer);
    return buildNames();
}

ScreenUpdate WingsScreen::buildNames() {
    ScreenUpdate u;
    const std::string prompt = std::string("Select ") + kLevels[level_ - 1] + " then press TAB";
    names_.clear();
    bool matched = false;
    for (rs_->moveFirst(); !rs_->eof(); rs_->moveNext()) {
        if (rs_->text(kLevels[level_]) != chosen_[level_]) continue;
        matched = true;
        const std::string below = rs_->text(kLevels[level_ - 1]);
        if (!below.empty() && std::find(names_.begin(), names_.end(), below) == names_.end()) names_.push_back(below);
    }
    if (!matched || names_.empty()) {
        d_.info({"No records found for " + chosen_[level_], "Is the name spelt right?",
                 "Did you select the right taxonomic level?"});
        names_.clear();
        u.setVisible(ctl::lstTaxon, false);
        u.setVisible(ctl::lblSelect, false);
        u.setVisible(ctl::cmdSearch, true);
        u.refused = true;
        return u;
    }
    u.show(ctl::lblSelect, prompt);
    u.setVisible(ctl::lblSelect, true);
    u.setVisible(ctl::lstTaxon, true);
    u.setVisible(ctl::cmdSearch, false);
    return u;
}

ScreenUpdate WingsScreen::chooseName(int index) {
    ScreenUpdate u;
    if (!rs_ || speciesChosen_ || index < 0 || index >= static_cast<int>(names_.size())) return u;
    const std::string entry = names_[index];
    if (classList_) {
        classList_ = false;
        chosen_[4] = entry;
        level_ = 4;
        return buildNames();
    }
    chosen_[level_ - 1] = entry;
    if (level_ > 1) {
        --level_;
        return buildNames();
    }
    speciesChosen_ = true;
    u.show(ctl::txtGenus, chosen_[1]);
    u.show(ctl::txtSpecies, chosen_[0]);
    for (const char* c : {ctl::txtGenus, ctl::txtSpecies, ctl::txtOrder, ctl::txtFamily}) u.setVisible(c, true);
    for (const char* c : {ctl::fraLevel, ctl::lblSelect, ctl::lstTaxon, ctl::cmdSearch}) u.setVisible(c, false);
    u.append(countSpecimens());
    return u;
}

bool WingsScreen::matchesSpecies() const {
    return rs_->text("Genus") == chosen_[1] && rs_->text("Species") == chosen_[0];
}

ScreenUpdate WingsScreen::countSpecimens() {
    ScreenUpdate u;
    found_ = 0;
    grid_ = {};
    for (rs_->moveFirst(); !rs_->eof(); rs_->moveNext()) {
        if (!matchesSpecies()) continue;
        u.show(ctl::txtOrder, rs_->text("Order"));
        u.show(ctl::txtFamily, rs_->text("Family"));
        ++found_;
        const std::string age = rs_->text("Age"), sex = rs_->text("Sex");
        const int row = age == "A" ? 0 : age == "I" ? 1 : 2;
        const int col = sex == "M" ? 0 : sex == "F" ? 1 : 2;
        ++grid_[row][col];
    }
    u.show(ctl::lblNumFound, std::to_string(found_) + (found_ == 1 ? " record found" : " records found"));
    u.setVisible(ctl::lblNumFound, true);
    u.setVisible(ctl::fraGrid, true);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            u.show(gridBox(r, c), std::to_string(grid_[r][c]));
            u.setVisible(gridBox(r, c), true);
        }
    for (const char* c : {ctl::fraSex, ctl::fraAge, ctl::lblSelectRecords, ctl::fraRecordSelect, ctl::cmdStats})
        u.setVisible(c, true);
    return u;
}

ScreenUpdate WingsScreen::option(const std::string& c) {
    ScreenUpdate u;
    if (c == ctl::optMale) sex_ = SexChoice::Males;
    else if (c == ctl::optFemale) sex_ = SexChoice::Females;
    else if (c == ctl::optAnySex) sex_ = SexChoice::All;
    else if (c == ctl::optAdult) age_ = AgeChoice::Adults;
    else if (c == ctl::optImm) age_ = AgeChoice::Immatures;
    else if (c == ctl::optAllAge) age_ = AgeChoice::All;
    else if (c == ctl::optInclude) includeAll_ = true;
    else if (c == ctl::optSelectIndiv) includeAll_ = false;
    else if (c == ctl::optGenus) return setLevel(1);
    else if (c == ctl::optFamily) return setLevel(2);
    else if (c == ctl::optOrder) return setLevel(3);
    else if (c == ctl::optClass) return setLevel(4);
    else throw std::invalid_argument("no option " + c + " on the wings database screen");
    u.setChecked(c, true);
    return u;
}

ScreenUpdate WingsScreen::specimenView(int shown) const {
    ScreenUpdate v;
    for (const char* f : {"Class", "Order", "Family", "Genus", "Species"}) v.show(std::string("txt") + f, rs_->text(f));
    const std::string age = rs_->text("Age"), sex = rs_->text("Sex");
    v.show(ctl::txtAge, age == "P" ? "Pullus" : age == "I" ? "Immature" : age == "A" ? "Adult" : "Not given");
    v.show(ctl::txtSex, sex == "M" ? "Male" : sex == "F" ? "Female" : "Unknown");
    v.show(ctl::txtMass, measured(rs_->single("Mass")));
    v.show(ctl::txtSpan, measured(rs_->single("Wing Span")));
    v.show(ctl::txtArea, measured(rs_->single("Wing Area")));
    v.show(ctl::txtPectMass, measured(rs_->single("Depressor muscle mass")));
    v.show(ctl::txtScorMass, measured(rs_->single("Elevator muscle mass")));
    v.show(ctl::txtLocality, rs_->text("Locality"));
    const std::string remarks = rs_->text("Remarks");
    v.show(ctl::txtRemarks, remarks == "-" ? "" : remarks);
    v.show(ctl::txtSource, rs_->text("Source"));
    v.show(ctl::txtDate, rs_->text("Date text"));
    v.show(ctl::txtCondition, ConditionText(rs_->text("Condition")));
    v.show(ctl::txtCountry, rs_->text("Country"));
    v.show(ctl::txtRecordNum, std::to_string(shown));
    v.show(ctl::lblFound, "out of " + std::to_string(found_));
    return v;
}

ScreenUpdate WingsScreen::findMeans() {
    ScreenUpdate u;
    if (!rs_ || !speciesChosen_) return u;
    category_ = SampleCategory(age_, sex_);
    s_.Age = CategoryAge(category_);
    s_.Sex = CategorySex(category_);
    means_ = WingsMeans{};
    float sumMass = 0, sumSpan = 0, sumArea = 0, sumMuscle = 0;
    int shown = 0;
    for (const char* c : {ctl::txtAR, ctl::lblAR, ctl::txtMuscFrac, ctl::lblMuscFrac, ctl::cmdOK})
        u.setVisible(c, false);
    acceptShown_ = false;
    for (rs_->moveFirst(); !rs_->eof(); rs_->moveNext()) {
        if (!matchesSpecies() || !InCategory(category_, rs_->text("Age"), rs_->text("Sex"))) continue;
        ++means_.candidates;
        s_.TaxonGroup = rs_->text("Order") == "Passeriformes" ? 1 : 2;
        if (!includeAll_) {
            ++shown;
            if (showSpecimen) showSpecimen(specimenView(shown));
            const bool take = d_.askYesNo({"Include this record in sample?"});
            if (closeSpecimen) closeSpecimen();
            if (!take) continue;
        }
        const std::string cond = rs_->text("Condition");
        if (cond == "CX" || cond == "DX") means_.poorCondition = true;
        const float mass = rs_->single("Mass"), span = rs_->single("Wing Span"), area = rs_->single("Wing Area");
        if (mass > 0) { sumMass = addSingle(sumMass, mass); ++means_.nMass; }
        if (span > 0) { sumSpan = addSingle(sumSpan, span); ++means_.nSpan; }
        if (area > 0) { sumArea = addSingle(sumArea, area); ++means_.nArea; }
        const double muscle = double(rs_->single("Depressor muscle mass")) + rs_->single("Elevator muscle mass");
        // A muscle fraction needs the specimen's body mass.
        if (muscle > 0 && mass > 0) { sumMuscle = addSingle(sumMuscle, muscle / mass); ++means_.nMuscle; }
    }
    auto mean = [](float sum, int n) { return n >= 1 ? static_cast<float>(double(sum) / n) : 0.0f; };
    means_.mass = mean(sumMass, means_.nMass);
    means_.span = mean(sumSpan, means_.nSpan);
    means_.area = mean(sumArea, means_.nArea);
    means_.muscleFrac = mean(sumMuscle, means_.nMuscle);
    means_.aspectRatio = means_.area > 0 ? static_cast<float>(double(means_.span) * means_.span / means_.area) : 0;
    for (const char* c : {ctl::txtMass, ctl::txtSpan, ctl::txtArea, ctl::txtNmass, ctl::txtNspan, ctl::txtNarea})
        u.setVisible(c, true);
    u.showSig(ctl::txtMass, means_.mass);
    u.showSig(ctl::txtSpan, means_.span);
    u.showSig(ctl::txtArea, means_.area);
    u.show(ctl::txtNmass, std::to_string(means_.nMass));
    u.show(ctl::txtNspan, std::to_string(means_.nSpan));
    u.show(ctl::txtNarea, std::to_string(means_.nArea));
    if (means_.area > 0) {
        u.showSig(ctl::txtAR, means_.aspectRatio);
        u.setVisible(ctl::txtAR, true);
        u.setVisible(ctl::lblAR, true);
    }
    if (means_.nMuscle > 0) {
        u.showSig(ctl::txtMuscFrac, means_.muscleFrac);
        u.setVisible(ctl::txtMuscFrac, true);
        u.setVisible(ctl::lblMuscFrac, true);
    }
    if (means_.poorCondition) d_.error(PoorConditionCaution());
    if (means_.nMass > 0 || means_.nSpan > 0 || means_.nArea > 0) {
        acceptShown_ = true;
        u.setVisible(ctl::cmdOK, true);
    }
    return u;
}

ScreenUpdate WingsScreen::accept() {
    ScreenUpdate u;
    if (!acceptShown_) return u;
    close();
    BirdParams& b = s_.slot(0);
    s_.SpName = chosen_[1] + " " + chosen_[0];
    u.show(ctl::txtSpName, s_.SpName);
    // Output files are named after the short name: the species replaces the previous bird's.
    s_.ShortName = s_.SpName;
    u.show(ctl::txtShortName, s_.ShortName);
    u.append(bird::EnterBirdOption(s_, s_.TaxonGroup == 1 ? ctl::optPass : ctl::optNonPass));
    u.setChecked(s_.TaxonGroup == 1 ? ctl::optNonPass : ctl::optPass, false);
    b.EmptyMass = means_.mass;
    b.AllUpMass = static_cast<float>(AllUpMassOf(b));
    b.MuscleFrac = means_.nMuscle >= 1 ? means_.muscleFrac : 0.17f;
    b.MuscleMass = static_cast<float>(double(b.EmptyMass) * b.MuscleFrac);
    b.FatFrac = 0;
    b.FatMass = 0;
    b.Span = means_.span;
    b.WingArea = means_.area;
    b.AspectRatio = means_.aspectRatio;
    b.Sbody = b.AllUpMass > 0 ? static_cast<float>(0.00813 * std::pow(double(b.AllUpMass), 0.666)) : 0;
    u.showSig(ctl::txtEmptyMass, b.EmptyMass);
    u.showSig(ctl::txtSpan, b.Span);
    u.showSig(ctl::txtArea, b.WingArea);
    u.showSig(ctl::txtAR, b.AspectRatio);
    u.showSig(ctl::txtRho, s_.AirDensity);
    u.show(ctl::txtAlt, FormatPattern(s_.Altitude, "0"));
    static const char* sexes[] = {ctl::optMF, ctl::optMale, ctl::optFemale, ctl::optSexUnknown};
    u.append(bird::EnterBirdOption(s_, s_.Sex >= 1 && s_.Sex <= 4 ? sexes[s_.Sex - 1] : ctl::optMF));
    u.append(bird::EnterBirdOption(s_, s_.Age == 1 ? ctl::optAdult : s_.Age == 2 ? ctl::optImm : ctl::optAgeUnknown));
    if (means_.nMass == 0)
        d_.error({"Caution: there are no reliable mass records in this sample", "Get body mass from field data"});
    if (means_.nArea == 0)
        d_.error({"Caution: there are no wing area records in this sample",
                  "Get aspect ratio from a similar species - program will find area from this",
                  "so long as a good wing span is supplied"});
    closed_ = true;
    return u;
}

void WingsScreen::forget() {
    close();
    closed_ = true;
}

void WingsScreen::close() {
    rs_.reset();
    db_.reset();
}

}  // namespace ornivo::birddb
