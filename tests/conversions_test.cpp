// SPDX-License-Identifier: MIT
// Reading and writing numbers: what a pupil types, and what the table writes back.
#include "calc/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "tests/decimal_comma_locale.h"

namespace korvanta {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ReadCase {
    const char *name;
    std::string text;
    double value;
    friend void PrintTo(const ReadCase &value, std::ostream *out) { *out << value.name; }
};

class TextToNumberReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextToNumberReads, TheLeadingNumber) {
    const double value = TextToNumber(GetParam().text);
    EXPECT_EQ(value, GetParam().value) << '"' << GetParam().text << '"';
    EXPECT_FALSE(std::signbit(value) && value == 0) << "zero is never negative";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToNumberReads,
    ::testing::Values(
        ReadCase{"LeadingBlanksAndZeros", "  024abc", 24}, ReadCase{"NoNumber", "abc", 0}, ReadCase{"Empty", "", 0},
        ReadCase{"Fraction", "2.5", 2.5}, ReadCase{"CommaEndsTheNumber", "2,5", 2}, ReadCase{"Exponent", "1E3", 1000},
        ReadCase{"Negative", "-7", -7}, ReadCase{"PlusSign", "+7", 7}, ReadCase{"BlanksInside", "1 2", 12},
        ReadCase{"TabsAndLineFeedsInside", "\t1\n2 .\t5", 12.5}, ReadCase{"CarriageReturnEndsTheNumber", "24\r\n5", 24},
        ReadCase{"BlankAfterSign", "- 7", -7}, ReadCase{"LowerCaseExponent", "2e2", 200},
        ReadCase{"ExponentD", "1D3", 1000}, ReadCase{"LowerCaseExponentD", "1d-2", 0.01},
        ReadCase{"ExponentWithPlus", "5E+1", 50}, ReadCase{"ExponentWithoutDigits", "1e", 1},
        ReadCase{"ExponentSignWithoutDigits", "7E-", 7}, ReadCase{"LonePoint", ".", 0}, ReadCase{"LoneMinus", "-", 0},
        ReadCase{"MinusZero", "-0", 0}, ReadCase{"PointFirst", ".5", 0.5}, ReadCase{"PointLast", "5.", 5},
        ReadCase{"SecondPointEnds", "1.2.3", 1.2}, ReadCase{"TwoSigns", "+-5", 0},
        ReadCase{"ExponentWithoutMantissa", "E5", 0}, ReadCase{"FullWidthDigits", "２４", 0},
        ReadCase{"NonBreakingSpaceEnds", "2\u00a04", 2}, ReadCase{"Hexadecimal", "&H1F", 31},
        ReadCase{"HexadecimalLowerCase", "&hff", 255}, ReadCase{"HexadecimalBlanks", " & H 1 0", 16},
        ReadCase{"Octal", "&O17", 15}, ReadCase{"OctalStopsAtEight", "&o178", 15},
        ReadCase{"HexWithoutDigits", "&H", 0}, ReadCase{"AmpersandAlone", "&24", 0},
        ReadCase{"Hex16BitsIsUnsigned", "&HFFFF", 65535}, ReadCase{"Hex32BitsIsUnsigned", "&HFFFFFFFF", 4294967295.0},
        ReadCase{"HexLeadingZerosDoNotWiden", "&H0000000000FF", 255},
        ReadCase{"HexWiderThan32BitsIsTooLarge", "&H100000000", kInf},
        ReadCase{"OctalWiderThan32BitsIsTooLarge", "&O40000000000", kInf},
        ReadCase{"OverflowIsInfinite", "1E400", kInf}, ReadCase{"NegativeOverflow", "-1E400", -kInf},
        ReadCase{"LongMantissaOverflow", std::string(400, '9'), kInf},
        ReadCase{"HugeExponent", "1E99999999999999999999", kInf}, ReadCase{"UnderflowIsZero", "1E-400", 0},
        ReadCase{"HugeNegativeExponent", "5E-99999999999999999999", 0},
        ReadCase{"SmallMantissaLargeExponent", "0.00000000000000000001E320", 1e300},
        ReadCase{"ZeroWithHugeExponent", "0E999999", 0},
        ReadCase{"LargestDouble", "1.7976931348623157E308", 1.7976931348623157e308},
        ReadCase{"SeventeenDigits", "12345678901234567", 12345678901234567.0},
        // Correct rounding where a short-cut goes wrong: ties go to the even neighbour,
        // a digit far behind decides, and so does the edge of the subnormal range.
        ReadCase{"TieToEven", "9007199254740993", 9007199254740992.0},
        ReadCase{"JustAboveATie", "9007199254740993.00000000000000000001", 9007199254740994.0},
        ReadCase{"LongTieToEven", "1.00000000000000011102230246251565404236316680908203125", 1.0},
        ReadCase{"LongTieBrokenByItsLastDigit", "1.00000000000000011102230246251565404236316680908203126",
                 1.0000000000000002},
        ReadCase{"BelowTheSmallestNormal", "2.2250738585072011E-308", 2.2250738585072009e-308},
        ReadCase{"SmallestSubnormal", "3E-324", 4.9406564584124654e-324}, ReadCase{"BelowHalfOfIt", "2E-324", 0},
        ReadCase{"MegabyteOfDigits", "3" + std::string(1 << 20, '0') + "E-1048576", 3},
        ReadCase{"MegabyteOfBlanks", std::string(1 << 20, ' ') + "42", 42},
        ReadCase{"MegabyteOfFractionDigits", "0." + std::string(1 << 20, '0') + "1", 0}),
    [](const auto &info) { return info.param.name; });

TEST(TextToNumber, IgnoresTheLocale) {
    testing::DecimalCommaLocale locale;
    if (!locale.active()) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    EXPECT_EQ(TextToNumber("2.5"), 2.5);
    EXPECT_EQ(TextToNumber("2,5"), 2);
    EXPECT_EQ(NumberToText(2.5), "2.5");
    EXPECT_EQ(NumberToText(1.5e15), "1.5E+15");
}

TEST(ToInteger16, RoundsTiesToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {
        {2.5, 2}, {3.5, 4}, {1.5, 2},       {0.5, 0},   {-0.5, 0},      {-1.5, -2},       {26, 26},
        {1.4, 1}, {1.6, 2}, {2.4999999, 2}, {-2.5, -2}, {32767, 32767}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto &[value, expected] : cases) {
        const auto rounded = ToInteger16(value);
        ASSERT_TRUE(rounded.has_value()) << value;
        EXPECT_EQ(*rounded, expected) << value;
    }
}

TEST(ToInteger16, HasNoResultOutsideSixteenBits) {
    for (double value : {32767.5, 32768.0, 40000.0, -32768.6, -32769.0, 1e300, kInf, -kInf,
                         std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(ToInteger16(value).has_value()) << value;
    }
}

TEST(ToInteger32, RoundsAndChecksItsOwnRange) {
    EXPECT_EQ(ToInteger32(2147483647.4), 2147483647);
    EXPECT_EQ(ToInteger32(-2147483648.5), -2147483648);
    EXPECT_FALSE(ToInteger32(2147483647.5).has_value());
    EXPECT_EQ(ToInteger32(13), 13);
}

struct WriteCase {
    const char *name;
    double value;
    const char *text;
    friend void PrintTo(const WriteCase &value, std::ostream *out) { *out << value.name; }
};

class NumberToTextWrites : public ::testing::TestWithParam<WriteCase> {};

TEST_P(NumberToTextWrites, TheGeneralForm) {
    EXPECT_EQ(NumberToText(GetParam().value), GetParam().text);
    if (std::fabs(GetParam().value) < 1e308) {
        // Whatever is written reads back as the same 15-digit number. (Near the largest
        // double the 15-digit text rounds past it; the table never comes near.)
        EXPECT_EQ(NumberToText(TextToNumber(GetParam().text)), GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberToTextWrites,
    ::testing::Values(WriteCase{"Whole", 624, "624"}, WriteCase{"WholeFourDigits", 1496, "1496"},
                      WriteCase{"Fraction", 2.5, "2.5"}, WriteCase{"Zero", 0, "0"},
                      WriteCase{"NegativeZero", -0.0, "0"}, WriteCase{"Negative", -7.25, "-7.25"},
                      WriteCase{"TrailingZerosDropped", 10.5000, "10.5"}, WriteCase{"SmallFraction", 0.001, "0.001"},
                      WriteCase{"SmallestPlain", 0.0001, "0.0001"}, WriteCase{"BelowPlain", 0.00001, "1E-05"},
                      WriteCase{"ThirdRounded", 1.0 / 3, "0.333333333333333"},
                      WriteCase{"FifteenDigits", 123456789012345, "123456789012345"},
                      WriteCase{"FifteenDigitsWithFraction", 12345678.9012345, "12345678.9012345"},
                      WriteCase{"SixteenDigitsRounded", 1.0000000000000002, "1"},
                      WriteCase{"RoundedHalfUp", 2.00000000000005, "2.00000000000005"},
                      WriteCase{"LargestPlain", 999999999999999, "999999999999999"},
                      WriteCase{"ReachesE15ByRounding", 999999999999999.9, "1E+15"}, WriteCase{"E15", 1e15, "1E+15"},
                      WriteCase{"E15WithMantissa", 1.5e15, "1.5E+15"}, WriteCase{"NegativeE15", -1e15, "-1E+15"},
                      WriteCase{"LongMantissa", 1234567890123456789.0, "1.23456789012346E+18"},
                      WriteCase{"ThreeExponentDigits", 1e300, "1E+300"},
                      WriteCase{"LargestDouble", 1.7976931348623157e308, "1.79769313486232E+308"}),
    [](const auto &info) { return info.param.name; });

TEST(NumberToText, WritesIntegersPlainly) {
    EXPECT_EQ(NumberToText(std::int32_t{26}), "26");
    EXPECT_EQ(NumberToText(std::int32_t{-32768}), "-32768");
    EXPECT_EQ(NumberToText(std::int32_t{2147483647}), "2147483647");
}

TEST(NumberToText, RoundTripsEveryDoubledFactorExactlyBelowE15) {
    // The table writes B × 2 and reads it back: whole numbers survive while they have
    // at most 15 digits.
    for (double b = 3; b < 1e15; b = b * 2 + 1) {
        EXPECT_EQ(TextToNumber(NumberToText(b)), b) << b;
    }
}

} // namespace
} // namespace korvanta
