// Number text: the shown form of numbers and the reading of typed text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "state/numtext.h"

using namespace ornivo;

TEST(FormatSig, ThreeSignificantDigitsOnScreens)
{
    EXPECT_EQ(FormatSig(0.0f, 3), "0");
    EXPECT_EQ(FormatSig(-0.0f, 3), "0");
    EXPECT_EQ(FormatSig(-0.5f, 3), "-0.500");
    EXPECT_EQ(FormatSig(0.0123f, 3), "0.0123");
    EXPECT_EQ(FormatSig(1.5f, 3), "1.50");
    EXPECT_EQ(FormatSig(12.3f, 3), "12.3");
    EXPECT_EQ(FormatSig(123.4f, 3), "123");
    EXPECT_EQ(FormatSig(1234.0f, 3), "1234");
    EXPECT_EQ(FormatSig(-1234.0f, 3), "-1234");
    EXPECT_EQ(FormatSig(1.1115825f, 4), "1.112");
    EXPECT_EQ(FormatSig(1.5f, 4), "1.500");
}

TEST(FormatSig, LargeWholeNumbersKeepNPlusOneDigits)
{
    EXPECT_EQ(FormatSig(12345.0f, 3), "12340");   // 1234.5 rounds half to even
    EXPECT_EQ(FormatSig(12355.0f, 3), "12360");
    EXPECT_EQ(FormatSig(123456.0f, 3), "123500");
    EXPECT_EQ(FormatSig(999999.0f, 3), "1000000");  // fixed form, not scientific
    EXPECT_EQ(FormatSig(100.5f, 3), "100");         // half to even at the unit
    EXPECT_EQ(FormatSig(101.5f, 3), "102");
}

TEST(FormatSig, ScientificBeyondTheFixedRange)
{
    EXPECT_EQ(FormatSig(-2500000.0f, 3), "-2.50E+06");
    EXPECT_EQ(FormatSig(0.000009f, 3), "9.00E-06");
    EXPECT_EQ(FormatSig(1000000.0f, 3), "1.00E+06");
    EXPECT_EQ(FormatSig(3.9e7f, 3), "3.90E+07");
    EXPECT_EQ(FormatSig(4.5e-7f, 4), "4.50E-07");
    EXPECT_EQ(FormatSig(9.996e8f, 3), "1.00E+09");  // the mantissa carries into the exponent
    EXPECT_EQ(FormatSig(0.00002f, 3), "0.0000200");  // the lower edge is still fixed
}

TEST(FormatSig, DecimalHalvesRoundAwayFromZero)
{
    // Rounding works on the single as typed, not on its binary expansion (2.675f is 2.67499995...).
    EXPECT_EQ(FormatSig(2.675f, 3), "2.68");
    EXPECT_EQ(FormatSig(-2.675f, 3), "-2.68");
    EXPECT_EQ(FormatSig(1.0005f, 4), "1.001");
    EXPECT_EQ(FormatSig(0.125f, 2), "0.13");
    EXPECT_EQ(FormatSig(9.996f, 3), "10.00");  // the rule keeps d decimals after the carry
}

TEST(FormatSig, NonFiniteValuesHaveNoText)
{
    EXPECT_THROW(FormatSig(std::numeric_limits<float>::quiet_NaN(), 3), NumberTextError);
    EXPECT_THROW(FormatSig(std::numeric_limits<float>::infinity(), 3), NumberTextError);
    EXPECT_THROW(FormatPattern(std::nan(""), "0.0"), NumberTextError);
    EXPECT_THROW(SignedNumberText(-INFINITY), NumberTextError);
}

TEST(LeadingNumber, TakesTheLongestLeadingNumber)
{
    EXPECT_DOUBLE_EQ(LeadingNumber("12abc"), 12);
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("-.05"), -0.05);
    EXPECT_DOUBLE_EQ(LeadingNumber("1e3"), 1000);
    EXPECT_DOUBLE_EQ(LeadingNumber("1.2E-06x"), 1.2e-6);
    EXPECT_DOUBLE_EQ(LeadingNumber(" 7"), 7);
    EXPECT_DOUBLE_EQ(LeadingNumber("1e"), 1);       // an exponent needs a digit
    EXPECT_DOUBLE_EQ(LeadingNumber("2.5e+x"), 2.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1,5"), 1);      // the decimal separator is a point
    EXPECT_DOUBLE_EQ(LeadingNumber("3."), 3);
    EXPECT_DOUBLE_EQ(LeadingNumber("."), 0);
    EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
    EXPECT_TRUE(HasLeadingNumber(" .5"));
    EXPECT_FALSE(HasLeadingNumber("-"));
    EXPECT_FALSE(HasLeadingNumber(""));
}

TEST(WholeNumbers, RoundHalfToEvenWithRangeErrors)
{
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.0), -32768);
    EXPECT_THROW(CInt(32767.5), OverflowError);  // rounds to 32768
    EXPECT_THROW(CInt(-32768.6), OverflowError);
    EXPECT_THROW(CInt(std::nan("")), OverflowError);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_EQ(CLng(-0.5), 0);
    EXPECT_THROW(CLng(2147483647.5), OverflowError);
    EXPECT_THROW(CLng(-2147483649.0), OverflowError);
}

TEST(FormatPattern, FixedAndWholeNumberPatterns)
{
    EXPECT_EQ(FormatPattern(2.5, "0"), "3");  // halves away from zero in display patterns
    EXPECT_EQ(FormatPattern(-2.5, "#0"), "-3");
    EXPECT_EQ(FormatPattern(-0.4, "0"), "0");  // no "-0"
    EXPECT_EQ(FormatPattern(0.0, "0#"), "0");
    EXPECT_EQ(FormatPattern(1000.13f, "0.000"), "1000.130");
    EXPECT_EQ(FormatPattern(2.675, "0.00"), "2.68");
    EXPECT_EQ(FormatPattern(-0.004, "0.00"), "0.00");
    EXPECT_EQ(FormatPattern(36.0, "0.0"), "36.0");
    EXPECT_EQ(FormatPattern(0.05, "#0.0"), "0.1");
    EXPECT_EQ(FormatPattern(0.1f, "0.000000000"), "0.100000000");  // a single shows as typed
    EXPECT_EQ(FormatPattern(7, "0.00"), "7.00");
    EXPECT_EQ(FormatPattern(12345.6, "#####"), "12346");
    EXPECT_EQ(FormatPattern(0.2, "#####"), "");
}

TEST(FormatPattern, OptionalDecimalsAndScientific)
{
    EXPECT_EQ(FormatPattern(1234.56, "0.#"), "1234.6");
    EXPECT_EQ(FormatPattern(1234.0, "0.#"), "1234");
    EXPECT_EQ(FormatPattern(12.34, "####.#"), "12.3");
    EXPECT_EQ(FormatPattern(0.5, "####.#"), ".5");
    EXPECT_EQ(FormatPattern(12.0, "####.#"), "12.");
    EXPECT_EQ(FormatPattern(3.9e7, "scientific"), "3.90E+07");
    EXPECT_EQ(FormatPattern(-1.835e-7, "0.00E+00"), "-1.84E-07");
    EXPECT_EQ(FormatScientific(0.0), "0.00E+00");
    EXPECT_EQ(FormatScientific(1.23e100), "1.23E+100");
}

TEST(SignedNumberText, LeadingSpaceUpTo15Digits)
{
    EXPECT_EQ(SignedNumberText(4.5), " 4.5");
    EXPECT_EQ(SignedNumberText(0.5), " 0.5");
    EXPECT_EQ(SignedNumberText(2), " 2");
    EXPECT_EQ(SignedNumberText(0), " 0");
    EXPECT_EQ(SignedNumberText(-4.25), "-4.25");
    EXPECT_EQ(SignedNumberText(52.5), " 52.5");
    EXPECT_EQ(SignedNumberText(0.1 + 0.2), " 0.3");  // 15 digits hide the binary tail
    EXPECT_EQ(SignedNumberText(1.0 / 3), " 0.333333333333333");
    EXPECT_EQ(SignedNumberText(0.0001), " 0.0001");
    EXPECT_EQ(SignedNumberText(0.00001), " 1E-05");
    EXPECT_EQ(SignedNumberText(-1.5e-5), "-1.5E-05");
    EXPECT_EQ(SignedNumberText(123456789012345.0), " 123456789012345");
    EXPECT_EQ(SignedNumberText(999999999999999.9), " 1E+15");  // rounding to 15 digits reaches 1e15
}
