#include "common/ModFun.h"
#include "common/TextUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace vt;

TEST(NumericGrammar, AcceptsSignedDecimalsAndExponents) {
    for (const char* s : {"0", "12", " 12 ", "+5", "-5", "1.5", ".5", "5.", "-.5", "1e3", "1E+3", "2.5e-2"})
        EXPECT_TRUE(IsNumeric(s)) << s;
}

TEST(NumericGrammar, RefusesEverythingElse) {
    for (const char* s : {"", " ", "abc", "1a", "1.2.3", ".", "+", "-", "e5", "1e", "1e+", "0x10", "1 2", "1,5", "--1"})
        EXPECT_FALSE(IsNumeric(s)) << s;
}

// IDs and channel numbers are all digits: what the numeric grammar allows around them (signs,
// blanks, a point, an exponent) is refused, and so are digits outside ASCII.
TEST(DigitsOnly, AcceptsPlainDigitsAndNothingElse) {
    for (const char* s : {"0", "00000", "12345", "0123456789"}) EXPECT_TRUE(IsDigits(s)) << s;
    for (const char* s :
         {"", " ", " 1", "1 ", "+1", "-1", "1.0", "1e3", "0x1", "12a45", "\xB2", "\xD9\xA1", "1\xBD"})
        EXPECT_FALSE(IsDigits(s)) << s;
    EXPECT_FALSE(IsDigits(std::string("12\0" "3", 4))); // an embedded NUL is no digit
}

TEST(WholeNumbers, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(*ToWhole("2.5"), 2);
    EXPECT_EQ(*ToWhole("3.5"), 4);
    EXPECT_EQ(*ToWhole("-2.5"), -2);
    EXPECT_EQ(*ToWhole("-3.5"), -4);
    EXPECT_EQ(*ToWhole("2.51"), 3);
    EXPECT_EQ(*ToWhole("0.5"), 0);
    EXPECT_FALSE(ToWhole("x").has_value());
}

TEST(WholeNumbers, RangeChecksReportInsteadOfWrapping) {
    EXPECT_EQ(*ToInt16("32767"), 32767);
    EXPECT_FALSE(ToInt16("32768").has_value());
    EXPECT_EQ(*ToInt16("-32768"), -32768);
    EXPECT_FALSE(ToInt16("-32769").has_value());
    EXPECT_EQ(*ToByte("255"), 255);
    EXPECT_EQ(*ToByte("254.5"), 254);
    EXPECT_FALSE(ToByte("255.5").has_value()); // rounds to 256
    EXPECT_FALSE(ToByte("-1").has_value());
    EXPECT_FALSE(ToByte("1e300").has_value());
}

TEST(Text, TrimSplitJoin) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t"); // only spaces are trimmed
    auto parts = Split("|1|1|1|5|1");
    ASSERT_EQ(parts.size(), 6u);
    EXPECT_EQ(parts[0], "");
    EXPECT_EQ(parts[4], "5");
    EXPECT_EQ(Split("").size(), 1u);
    EXPECT_EQ(Split("||||").size(), 5u);
    EXPECT_EQ(Join(parts), "|1|1|1|5|1");
    EXPECT_EQ(JoinFields({"a", "", "b"}), "a||b");
}

TEST(Text, FixedPointFormatting) {
    EXPECT_EQ(FormatFixed(145.0, 4), "145.0000");
    EXPECT_EQ(FormatFixed(145.0125, 4), "145.0125");
    EXPECT_EQ(FormatFixed(145.00625, 4), "145.0062"); // the double is 145.006249999..., below the half
    EXPECT_EQ(FormatFixed(67.05, 1), "67.0"); // 67.049999..., as for 145.00625
    EXPECT_EQ(FormatFixed(67.25, 1), "67.3"); // an exact half goes away from zero
    EXPECT_EQ(FormatFixed(-0.04, 1), "0.0");
    EXPECT_EQ(FormatFixed(0.0, 1), "0.0");
}

// Rounded from the exact binary value, never nudged: a value that lies below a half stays below
// it however large it is, and only exact halves go away from zero.
TEST(FormatFixedTest, RoundsTheExactValue) {
    EXPECT_EQ(FormatFixed(36944.015625, 4), "36944.0156"); // exact: the dropped part is 0.25 of a digit
    EXPECT_EQ(FormatFixed(36944.015625, 5), "36944.01563"); // an exact half goes up
    EXPECT_EQ(FormatFixed(-36944.015625, 5), "-36944.01563");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
    EXPECT_EQ(FormatFixed(-0.125, 2), "-0.13");
    EXPECT_EQ(FormatFixed(2.5, 0), "3");
    EXPECT_EQ(FormatFixed(0.1 + 0.2, 16), "0.300000000000"); // at most 12 places
    EXPECT_EQ(FormatFixed(1e15 + 0.375, 2), "1000000000000000.38"); // exact .375 -> .38
    EXPECT_EQ(FormatFixed(9.995, 2), "9.99");  // 9.99499999... below the half
    EXPECT_EQ(FormatFixed(9.9996, 3), "10.000"); // the carry runs through every digit
    EXPECT_EQ(FormatFixed(999.96, 1), "1000.0");
    EXPECT_EQ(FormatFixed(-0.00004, 4), "0.0000"); // no "-0.0000"
    EXPECT_EQ(FormatFixed(-0.00005, 4), "-0.0001"); // -0.0000500000000000000024 is past the half
    EXPECT_EQ(FormatFixed(5e-324, 4), "0.0000");
    EXPECT_EQ(FormatFixed(1.7e308, 0).size(), 309u);
    // The channel values the decoder formats keep their four places.
    for (int w = 0; w < 65536; w += 97) {
        double f = 10.7 + 0.0125 * w;
        char want[32];
        std::snprintf(want, sizeof want, "%lld.%04lld", (107000LL + 125LL * w) / 10000, (107000LL + 125LL * w) % 10000);
        EXPECT_EQ(FormatFixed(f, 4), want) << w;
    }
}

// Exact halves (away from zero, where the nearest even digit lies the other way) and the doubles
// nearest a half, on either side of it, at every reach of the kept places.
TEST(FormatFixedTest, TiesAndNearTies) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0.0625, 3, "0.063"},
        {-0.0625, 3, "-0.063"},
        {4.5, 0, "5"},
        {-4.5, 0, "-5"},
        {9.5, 0, "10"},
        {1e15 + 0.125, 2, "1000000000000000.13"},
        {0.0001220703125, 12, "0.000122070313"}, // 2^-13
        {std::nextafter(2.5, 3.0), 0, "3"},
        {std::nextafter(2.5, 2.0), 0, "2"},
        {2.675, 2, "2.67"},  // 2.67499999999999982...
        {1.005, 2, "1.00"},  // 1.00499999999999989...
        {0.45, 1, "0.5"},    // 0.45000000000000001...
        {99.95, 1, "100.0"}, // 99.950000000000002...
        {1.0000000000005, 12, "1.000000000001"},
        {5e-13, 12, "0.000000000000"}, // 4.9999999999999998...e-13
        {-5e-13, 12, "0.000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << c.value << " to " << c.decimals;
}
