// The import screen's options: defaults, blank fields, and the messages that name the field.
#include <gtest/gtest.h>

#include "track/ImportForm.h"

using namespace ornivo::track;

TEST(ImportForm, DefaultsAreTheImportDefaults) {
    std::map<std::string, std::string> texts;
    for (const ImportField& f : ImportFields()) texts[f.control] = f.defaultText;
    std::string error;
    auto o = ReadImportForm(texts, error);
    ASSERT_TRUE(o) << error;
    const ImportOptions d;
    EXPECT_EQ(o->gridMinutes, d.gridMinutes);
    EXPECT_EQ(o->maxSpeed, d.maxSpeed);
    EXPECT_EQ(o->groundSegSpeed, d.groundSegSpeed);
    EXPECT_EQ(o->stopFixes, d.stopFixes);
    EXPECT_EQ(o->emptyRowHours, d.emptyRowHours);
    EXPECT_FALSE(o->windFrom);
    EXPECT_FALSE(o->start);
    // Blank fields are the defaults too.
    o = ReadImportForm({}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->gridMinutes, 20);
}

TEST(ImportForm, TypedValuesAndMarks) {
    std::string error;
    auto o = ReadImportForm({{"txtGrid", " 5 "}, {"txtWindFrom", "270"}, {"txtWindSpeed", "4.5"},
                             {"txtStart", "2016-05-02 06:00"}, {"txtEnd", "2016-05-03"}, {"txtStopFixes", "4"},
                             {"txtEmptyRowHours", "2, 6"}, {"txtAnimal", "2859/H4839/Albert"}},
                            error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->gridMinutes, 5);
    EXPECT_EQ(*o->windFrom, 270);
    EXPECT_EQ(*o->windSpeed, 4.5);
    ASSERT_TRUE(o->start && o->end);
    EXPECT_EQ(*o->end - *o->start, 18LL * 3600 * 1000000);  // microseconds
    EXPECT_EQ(o->stopFixes, 4);
    EXPECT_EQ(o->emptyRowHours[1], 6);
    EXPECT_EQ(o->animal, "2859/H4839/Albert");
}

TEST(ImportForm, RefusalsNameTheFieldNotTheCommandLineOption) {
    std::string error;
    EXPECT_FALSE(ReadImportForm({{"txtMaxSpeed", "40 m/s"}}, error));
    EXPECT_EQ(error, "\"Maximum ground speed (m/s)\" must be a number, not \"40 m/s\"");
    EXPECT_FALSE(ReadImportForm({{"txtGrid", "0"}}, error));
    EXPECT_EQ(error.find("--"), std::string::npos) << error;
    EXPECT_NE(error.find("\"Time grid (minutes)\""), std::string::npos) << error;
    EXPECT_FALSE(ReadImportForm({{"txtStopFixes", "2.5"}}, error));
    EXPECT_NE(error.find("On-ground fixes that make a stop"), std::string::npos) << error;
    EXPECT_FALSE(ReadImportForm({{"txtEmptyRowHours", "3"}}, error));
    EXPECT_NE(error.find("Stop hours for 2 and 3 empty rows"), std::string::npos) << error;
    EXPECT_FALSE(ReadImportForm({{"txtWindFrom", "90"}}, error));  // a wind needs its speed
    EXPECT_NE(error.find("\"Wind speed (m/s)\""), std::string::npos) << error;
    EXPECT_FALSE(ReadImportForm({{"txtStart", "May 2"}}, error));
    EXPECT_NE(error.find("First mark"), std::string::npos) << error;
    EXPECT_FALSE(ReadImportForm({{"txtStart", "2016-05-03 00:00"}, {"txtEnd", "2016-05-02 00:00"}}, error));
    EXPECT_NE(error.find("\"Last mark (UTC, YYYY-MM-DD HH:MM)\" must not be before"), std::string::npos) << error;
}
