#include "editor/dataset/CellRules.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

CellContext Band(int band) {
    EditorData d;
    SetBand(d, band);
    d.Lang.Set("Fradio_Msg", 5, "Please input a number");
    CellContext c = CellContextOf(d);
    return c;
}

TEST(CellFrequency, FloorsToTheRasterWithFourDecimals) {
    EXPECT_EQ(AdjustRxFreqByStep("145.113"), "145.1125");
    EXPECT_EQ(AdjustRxFreqByStep("53"), "53.0000");
    EXPECT_EQ(AdjustRxFreqByStep("446.00625"), "446.0000");
    EXPECT_EQ(AdjustRxFreqByStep("145.1999"), "145.1875");
    EXPECT_EQ(AdjustRxFreqByStep("136.0125"), "136.0125");
    // Values that a binary double holds just below the step.
    EXPECT_EQ(AdjustRxFreqByStep("145.1125"), "145.1125");
    EXPECT_EQ(AdjustRxFreqByStep("470.0375"), "470.0375");
    EXPECT_EQ(AdjustRxFreqByStep("4.700375E2"), "470.0375");
    EXPECT_EQ(AdjustFreq("60.9999"), "60.9875");
    EXPECT_EQ(AdjustRxFreqByStep("abc"), "");
    EXPECT_EQ(AdjustRxFreqByStep("-1.5"), "-1.0000");
}

TEST(CellFrequency, BandTestLooksAtTheValueAsTyped) {
    CellContext b1 = Band(1);
    EXPECT_EQ(CheckFreq("53", b1), 1);
    EXPECT_EQ(CheckFreq("60", b1), 1);
    EXPECT_EQ(CheckFreq("60.0000", b1), 1);
    EXPECT_EQ(CheckFreq("60.0001", b1), 0);
    EXPECT_EQ(CheckFreq("60.00000001", b1), 0);
    EXPECT_EQ(CheckFreq("52.9999", b1), 0);
    EXPECT_EQ(CheckFreq("-55", b1), 0);
    EXPECT_EQ(CheckFreq("x", b1), 0);
    // Overlapping bands: 480 belongs to both 6 and 7.
    EXPECT_EQ(CheckFreq("480", Band(6)), 1);
    EXPECT_EQ(CheckFreq("480", Band(7)), 1);
    EXPECT_EQ(CheckFreq("399.9999", Band(6)), 0);
}

TEST(CellFrequency, CommitAcceptsRefusesAndClears) {
    CellContext b1 = Band(1);
    CellCommit c = CommitFreq("55.0000", "53", b1);
    EXPECT_TRUE(c.Accepted);
    EXPECT_EQ(c.Text, "53.0000");
    EXPECT_FALSE(c.Message);

    c = CommitFreq("55.0000", "60", b1);
    EXPECT_EQ(c.Text, "60.0000");

    for (const char* out : {"60.0001", "52.9999", "1e9"}) {
        c = CommitFreq("55.0000", out, b1);
        EXPECT_FALSE(c.Accepted) << out;
        EXPECT_EQ(c.Result, kCommitOutOfRange) << out;
        EXPECT_EQ(c.Text, "55.0000") << out;
        ASSERT_TRUE(c.Message) << out;
        EXPECT_EQ(*c.Message, "53 -- 60 MHz") << out;
    }

    c = CommitFreq("55.0000", "abc", b1);
    EXPECT_FALSE(c.Accepted);
    EXPECT_EQ(c.Result, kCommitNotNumber);
    EXPECT_EQ(c.Text, "55.0000");
    ASSERT_TRUE(c.Message);
    EXPECT_EQ(*c.Message, "Please input a number");

    for (const char* blank : {"", "   "}) {
        c = CommitFreq("55.0000", blank, b1);
        EXPECT_TRUE(c.Accepted);
        EXPECT_EQ(c.Result, kCommitDone);
        EXPECT_EQ(c.Text, "");
        EXPECT_FALSE(c.Message);
    }

    c = CommitFreq("", "145.113", Band(3));
    EXPECT_EQ(c.Text, "145.1125");
}

// Every raster value of every band stays what it is when committed again, and the raster
// point just below each value's next step floors onto it.
TEST(CellFrequency, EveryRasterValueOfEveryBandRoundTrips) {
    for (int band = 0; band < kBandCount; ++band) {
        CellContext ctx = Band(band);
        long long low = static_cast<long long>(BandLow(band)) * 10000;
        long long high = static_cast<long long>(BandHigh(band)) * 10000;
        int count = 0;
        for (long long u = low; u <= high; u += 125, ++count) {
            std::string text = FormatFreqUnits(u);
            CellCommit c = CommitFreq("", text, ctx);
            ASSERT_TRUE(c.Accepted) << text;
            ASSERT_EQ(c.Text, text) << "band " << band;
            if (u + 124 <= high) {
                ASSERT_EQ(CommitFreq("", FormatFreqUnits(u + 124), ctx).Text, text) << "band " << band;
            }
        }
        EXPECT_EQ(count, (high - low) / 125 + 1);
    }
}

} // namespace
} // namespace vt
