// The fixed-column layout of the text output: print positions, the continuation rule, numbers
// printed as numbers.
#include <gtest/gtest.h>

#include <limits>

#include "output/TextLayout.h"

using ornivo::output::TextLayout;

TEST(TextLayout, PadsToTheOneBasedPrintPosition) {
    TextLayout t;
    t.text("ab").at(5, "x").endLine();
    EXPECT_EQ(t.str(), "ab  x\n");
    TextLayout exact;
    exact.text("abcd").at(5, "x").endLine();  // already at position 5: no padding, no new line
    EXPECT_EQ(exact.str(), "abcdx\n");
}

TEST(TextLayout, ALabelLongerThan39CharactersContinuesOnANewLineAtColumn40) {
    const std::string label39(39, 'L'), label40(40, 'L');
    TextLayout fits;
    fits.valueLine(label39, "1.23", " kg");
    EXPECT_EQ(fits.str(), label39 + "1.23" + std::string(8, ' ') + " kg\n");

    TextLayout longer;
    longer.valueLine(label40, "1.23", " kg");
    EXPECT_EQ(longer.str(), label40 + "\n" + std::string(39, ' ') + "1.23" + std::string(8, ' ') + " kg\n");
}

TEST(TextLayout, AValueReachingTheUnitColumnPushesTheUnitToTheNextLine) {
    TextLayout t;
    t.valueLine("Mass", "123456789012345", "kg");  // value from 40 to 54, past 52
    EXPECT_EQ(t.str(), "Mass" + std::string(35, ' ') + "123456789012345\n" + std::string(51, ' ') + "kg\n");
}

TEST(TextLayout, ValueLineWithoutUnitHasNoTrailingSpaces) {
    TextLayout t;
    t.valueLine("Aspect ratio", "8.10");
    EXPECT_EQ(t.str(), "Aspect ratio" + std::string(27, ' ') + "8.10\n");
}

TEST(TextLayout, NumbersPrintedAsNumbersCarrySignSpaceAndTrailingSpace) {
    TextLayout t;
    t.number(7).at(11, "a").endLine();
    t.number(-3).endLine();
    t.number(12).number(13).endLine();
    EXPECT_EQ(t.str(), " 7        a\n-3 \n 12  13 \n");
}

TEST(TextLayout, PrintPositionsCountCharactersNotBytes) {
    TextLayout t;
    t.text("24\u00B0").at(6, "x");
    EXPECT_EQ(t.column(), 7);
    EXPECT_EQ(t.str(), "24\u00B0  x");
}

TEST(TextLayout, OutputNumbersNeverShowNaNOrInfinity) {
    EXPECT_EQ(ornivo::output::OutNumber(std::numeric_limits<double>::infinity(), 3), "0");
    EXPECT_EQ(ornivo::output::OutNumber(std::numeric_limits<double>::quiet_NaN(), 3), "0");
    EXPECT_EQ(ornivo::output::OutNumber(1.23456, 4), "1.235");
    EXPECT_EQ(ornivo::output::SafeRatio(3, 0), 0);
}
