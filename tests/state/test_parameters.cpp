// The parameter table: one row per field, findable by its control name, consistent with itself and
// with the definitions pages that explain each screen's fields to the user.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "state/Parameters.h"

namespace ornivo {
namespace {

TEST(ParameterTable, EveryFieldIsFoundByItsControlAndDescribedWhereItIsUsed) {
    std::set<std::string_view> controls;
    for (const Parameter& p : Parameters()) {
        EXPECT_TRUE(controls.insert(p.control).second) << p.control << " twice";
        EXPECT_EQ(FindParameter(p.control), &p);
        EXPECT_EQ(ControlOf(p.id), p.control);
        EXPECT_NE(p.screens, 0) << p.control << " is on no screen";
        EXPECT_FALSE(p.label.empty()) << p.control;
        // A field an output writes, or a rule stores, has a value to show.
        bool written = !p.textLabel.empty() || p.store;
        for (const Cell& c : p.cells) {
            written = written || c.use == Cell::Use::Value || c.use == Cell::Use::Marked;
            if (c.use == Cell::Use::Marked || c.use == Cell::Use::MarkOnly) {
                EXPECT_TRUE(p.mark.has_value()) << p.control << " colours " << c.ref << " without a mark";
            }
        }
        if (written) {
            EXPECT_NE(p.value, nullptr) << p.control;
        }
    }
    EXPECT_EQ(FindParameter("txtNoSuchField"), nullptr);
}

TEST(ParameterTable, MarksBelongToTheFieldsAScreenTakesTypingIn) {
    // The glide screen shows the frontal area and the BMR it derives: a click there marks nothing.
    EXPECT_EQ(MarkOn(OnSetupGlide, "txtSbody"), std::nullopt);
    EXPECT_EQ(MarkOn(OnSetupFlap, "txtSbody"), Mark::Sbody);
    EXPECT_EQ(MarkOn(OnSetupGlide, "txtPbmr"), std::nullopt);
    // The wingbeat frequency and its factor share one mark; gravity is not on the migration screen.
    EXPECT_EQ(MarkOn(OnSetupMigrate, "txtFreqFactor"), Mark::WbeatFreq);
    EXPECT_EQ(MarkOn(OnSetupMigrate, "txtGravity"), std::nullopt);
    EXPECT_EQ(MarkOn(OnSettingsMigr, "txtGravity"), Mark::Gravity);
    EXPECT_TRUE(ScreenHasControl(OnSetupMigrate, "optGPS"));
    EXPECT_FALSE(ScreenHasControl(OnSetupFlap, "optGPS"));
}

std::string pageText(const char* file) {
    std::ifstream in(std::string(ORNIVO_SOURCE_DIR) + "/data/manual/" + file);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Each screen's definitions page lists its fields by control name: the same set as the table's.
TEST(ParameterTable, DefinitionsPagesListTheFieldsOfTheirScreens) {
    const std::pair<const char*, std::uint8_t> pages[] = {
        {"DefsEnterBird.md", OnEnterBird},           {"DefsPowerCurveSetup.md", OnSetupFlap},
        {"DefsGlidePolarSetup.md", OnSetupGlide},    {"DefsMigrationSetup.md", OnSetupMigrate},
        {"DefsMigrationMoreSettings.md", OnSettingsMigr},
    };
    const std::regex control("`(txt[A-Za-z0-9]+)`");
    for (const auto& [file, screen] : pages) {
        const std::string text = pageText(file);
        ASSERT_FALSE(text.empty()) << file;
        std::set<std::string> listed;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), control); it != std::sregex_iterator(); ++it)
            listed.insert((*it)[1]);
        for (const std::string& c : listed) EXPECT_NE(FieldOn(screen, c), nullptr) << file << " lists " << c;
        for (const Parameter& p : Parameters())
            if (p.screens & screen) {
                EXPECT_TRUE(listed.count(std::string(p.control))) << file << " lacks " << p.control;
            }
    }
}

}  // namespace
}  // namespace ornivo
