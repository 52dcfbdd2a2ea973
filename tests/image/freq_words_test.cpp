// Frequency words, step codes and the exact decimal reading they rest on.
#include "editor/image/FixedPoint.h"
#include "editor/image/FreqWords.h"

#include <gtest/gtest.h>

#include <limits>

#include <cstdio>

using namespace vt;

TEST(ToScaled, ExactDecimals) {
    EXPECT_EQ(ToScaled("145.125", 4), 1451250);
    EXPECT_EQ(ToScaled(" 0.1 ", 4), 1000);
    EXPECT_EQ(ToScaled("1.45125e2", 4), 1451250);
    EXPECT_EQ(ToScaled("-2.5", 0), -2);
    EXPECT_EQ(ToScaled("3.5", 0), 4);
    EXPECT_EQ(ToScaled("2.50001", 0), 3);
    EXPECT_EQ(ToScaled(".05", 1), 0);
    EXPECT_EQ(ToScaled(".15", 1), 2);
    EXPECT_EQ(ToScaled("0", 6), 0);
    EXPECT_FALSE(ToScaled("12a", 2));
    EXPECT_FALSE(ToScaled("", 2));
    EXPECT_FALSE(ToScaled("1e400", 0));
    EXPECT_EQ(ToScaled("1e-400", 0), 0);
}

// Every value that fits a signed 64-bit number, and nothing past it.
TEST(ToScaled, TheWhole64BitRange) {
    EXPECT_EQ(ToScaled("9223372036854775807", 0), std::numeric_limits<long long>::max());
    EXPECT_EQ(ToScaled("-9223372036854775808", 0), std::numeric_limits<long long>::min());
    EXPECT_FALSE(ToScaled("9223372036854775808", 0));
    EXPECT_FALSE(ToScaled("-9223372036854775809", 0));
    EXPECT_EQ(ToScaled("999999999999999999", 0), 999999999999999999LL); // 18 nines
    EXPECT_EQ(ToScaled("1000000000000000000", 0), 1000000000000000000LL);
    EXPECT_EQ(ToScaled("922337203685477.5807", 4), std::numeric_limits<long long>::max());
    EXPECT_EQ(ToScaled("9.223372036854775807e18", 0), std::numeric_limits<long long>::max());
    EXPECT_EQ(ToScaled("9223372036854775806.5", 0), 9223372036854775806LL); // half to even
    EXPECT_FALSE(ToScaled("9223372036854775807.5", 0)); // rounds up past the range
    EXPECT_EQ(ToScaled("-9223372036854775808.4", 0), std::numeric_limits<long long>::min());
    EXPECT_FALSE(ToScaled("-9223372036854775808.6", 0));
    EXPECT_FALSE(ToScaled("10000000000000000000", 0)); // 20 digits
    EXPECT_FALSE(ToScaled("1e19", 0));
    EXPECT_EQ(ToScaled("1e18", 0), 1000000000000000000LL);
    EXPECT_EQ(ToScaled("0.00000000000000000000000000000009223372036854775807e50", 0), 9223372036854775807LL);
    EXPECT_EQ(ToScaled("-0.4", 0), 0);
}

TEST(FreqToPll, GoldenWords) {
    EXPECT_EQ(FreqToPll("145.125"), (WordBytes{0x5A, 0xB2}));
    EXPECT_EQ(FreqToPllIf("145.125"), (WordBytes{0x68, 0x12}));
    EXPECT_EQ(FreqToPll("145.1"), (WordBytes{0x5A, 0xB0}));
    EXPECT_EQ(FreqToPll(""), (WordBytes{0, 0}));
    EXPECT_EQ(FreqToPllIf(""), (WordBytes{0, 0}));
    EXPECT_EQ(FreqToWord(""), (WordBytes{0, 0}));
    EXPECT_EQ(FreqToWord("150.0"), (WordBytes{0x2B, 0x88}));
    EXPECT_EQ(FreqToWord("32.0"), (WordBytes{0x06, 0xA8}));
    EXPECT_EQ(FreqToWord("10.7"), (WordBytes{0, 0}));
}

TEST(FreqToPll, SixteenBitLimits) {
    EXPECT_EQ(FreqToPll("409.5999"), (WordBytes{0xFF, 0xF8})); // 16 x 4095 + 8 x 0.999
    EXPECT_FALSE(FreqToPll("409.6"));
    EXPECT_FALSE(FreqToPll("450.0000"));
    EXPECT_TRUE(FreqToPllIf("388.1875"));
    EXPECT_FALSE(FreqToPllIf("388.2"));
    EXPECT_FALSE(FreqToWord("10.6999"));
    EXPECT_TRUE(FreqToWord("829.8875"));
    EXPECT_FALSE(FreqToWord("829.9"));
    EXPECT_FALSE(FreqToPll("-1"));
    EXPECT_FALSE(FreqToPll("abc"));
    EXPECT_FALSE(FreqToWord("1e30"));
}

// Every 12.5 kHz raster channel below the word limits gets its own word: 16 per 100 kHz plus
// one per 12.5 kHz inside it, with no binary rounding in between.
TEST(FreqToPll, RasterIsExact) {
    char buf[32];
    for (long long u = 320000; u <= 3880000; u += 125) { // 100 Hz units, 32 .. 388 MHz
        std::snprintf(buf, sizeof buf, "%lld.%04lld", u / 10000, u % 10000);
        long long expect = 16 * (u / 1000) + (u % 1000) / 125;
        auto w = FreqToPll(buf);
        ASSERT_TRUE(w) << buf;
        EXPECT_EQ(w->at(0) * 256 + w->at(1), expect) << buf;
        auto wi = FreqToPllIf(buf);
        ASSERT_TRUE(wi) << buf;
        EXPECT_EQ(wi->at(0) * 256 + wi->at(1), expect + 214 * 16) << buf;
    }
    for (long long u = 320000; u <= 5200000; u += 125) { // 12.5 kHz steps
        std::snprintf(buf, sizeof buf, "%lld.%04lld", u / 10000, u % 10000);
        auto w = FreqToWord(buf);
        ASSERT_TRUE(w) << buf;
        EXPECT_EQ(w->at(0) * 256 + w->at(1), (u - 107000) / 125) << buf;
    }
}

TEST(StepCodes, BothWays) {
    EXPECT_EQ(StepCodeByte("0"), 0xAB);
    EXPECT_EQ(StepCodeByte("15"), 0xEE);
    EXPECT_EQ(StepCodeByte(""), 0);
    EXPECT_FALSE(StepCodeByte("16"));
    EXPECT_FALSE(StepCodeByte("-1"));
    EXPECT_FALSE(StepCodeByte("x"));
    EXPECT_EQ(StepCodeIndex(0xEE), 15);
    EXPECT_EQ(StepCodeIndex(0x00), 0);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(StepCodeIndex(*StepCodeByte(std::to_string(i))), i);
}
