#include "editor/dataset/CellRules.h"
#include "editor/dataset/GridStore.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vt {
namespace {

CellContext Texts() {
    CellContext c;
    c.NotNumberMsg = "not a number";
    c.ToneRangeMsg = "tone out of range";
    return c;
}

// A channel record has one signalling field per direction: a tone and a code never stand together.
TEST(CellSignalling, AStoredToneOrCodeEmptiesItsRivalOnly) {
    GridStore g;
    g.SetRows(3);
    g.SetCols(16);
    for (int col : {ColCtcssEnc, ColCtcssDec, ColDcsEnc, ColDcsDec}) g.SetTextMatrix(1, col, "x");
    StoreCellText(g, 1, ColDcsEnc, "026");
    EXPECT_EQ(g.TextMatrix(1, ColCtcssEnc), "");
    EXPECT_EQ(g.TextMatrix(1, ColCtcssDec), "x");
    StoreCellText(g, 1, ColCtcssDec, "71.9");
    EXPECT_EQ(g.TextMatrix(1, ColDcsDec), "");
    EXPECT_EQ(g.TextMatrix(1, ColDcsEnc), "026");
    StoreCellText(g, 1, ColCtcssEnc, "67.0");
    EXPECT_EQ(g.TextMatrix(1, ColDcsEnc), "");
    // Emptying a cell leaves the other column alone; other columns have no rival.
    StoreCellText(g, 1, ColCtcssEnc, "");
    StoreCellText(g, 2, ColDcsDec, "023");
    StoreCellText(g, 2, ColDcsDec, "");
    g.SetTextMatrix(2, ColCtDev, "250");
    StoreCellText(g, 2, ColPower, "25");
    EXPECT_EQ(g.TextMatrix(1, ColCtcssDec), "71.9");
    EXPECT_EQ(g.TextMatrix(2, ColCtDev), "250");
    EXPECT_EQ(SignallingRival(ColPower), -1);
}

// A DCS code keeps CT DEV values between the steps; a CTCSS tone stores only the steps, so the
// cell shows the step a save stores once the tone takes the row.
TEST(CellSignalling, ACtcssToneTakesTheStepOfTheDeviation) {
    GridStore g;
    g.SetRows(3);
    g.SetCols(16);
    const std::pair<const char*, const char*> devs[] = {{"420", "400"}, {"180", "200"}, {"", ""}};
    for (auto [dev, step] : devs) {
        g.SetTextMatrix(1, ColDcsEnc, "023");
        g.SetTextMatrix(1, ColCtDev, dev);
        StoreCellText(g, 1, ColCtcssEnc, "88.5");
        EXPECT_EQ(g.TextMatrix(1, ColCtDev), step) << dev;
        EXPECT_EQ(g.TextMatrix(1, ColDcsEnc), "");
    }
    g.SetTextMatrix(2, ColCtDev, "420");
    StoreCellText(g, 2, ColDcsEnc, "023");
    EXPECT_EQ(g.TextMatrix(2, ColCtDev), "420");
}

TEST(CellToneLists, HoldTheirItemsInOrder) {
    const auto& ct = CtcssListItems();
    ASSERT_EQ(ct.size(), 53u);
    EXPECT_EQ(ct[0], "NO");
    EXPECT_EQ(ct[1], "67.0");
    EXPECT_EQ(ct[2], "69.4");
    EXPECT_EQ(ct[51], "259.1");
    EXPECT_EQ(ct[kCtcssOtherItem], "OTHER");
    EXPECT_EQ(std::count(ct.begin(), ct.end(), "150.0"), 0);

    const auto& dcs = DcsListItems();
    ASSERT_EQ(dcs.size(), 105u);
    EXPECT_EQ(dcs[0], "NO");
    EXPECT_EQ(dcs[1], "023");
    EXPECT_EQ(dcs[104], "754");
    for (size_t i = 2; i < dcs.size(); ++i) EXPECT_LT(dcs[i - 1], dcs[i]) << "codes ascend";
}

TEST(CellToneLists, ChoosingAnItemWritesItOrEmpties) {
    CellCommit c = CommitCtcssItem("88.5", 0);
    EXPECT_TRUE(c.Accepted);
    EXPECT_EQ(c.Text, "");
    c = CommitCtcssItem("", 51);
    EXPECT_EQ(c.Text, "259.1");
    c = CommitCtcssItem("88.5", kCtcssOtherItem);
    EXPECT_FALSE(c.Accepted);
    EXPECT_TRUE(c.OpenCustomTone);
    EXPECT_EQ(c.Text, "88.5");
    for (int bad : {-1, 53, 1000}) {
        c = CommitCtcssItem("88.5", bad);
        EXPECT_FALSE(c.Accepted);
        EXPECT_FALSE(c.OpenCustomTone);
        EXPECT_EQ(c.Text, "88.5");
    }

    EXPECT_EQ(CommitDcsItem("023", 0).Text, "");
    EXPECT_EQ(CommitDcsItem("", 104).Text, "754");
    EXPECT_EQ(CommitDcsItem("023", 105).Text, "023");
    EXPECT_FALSE(CommitDcsItem("023", 105).Accepted);
}

TEST(CellCustomTone, AcceptsTheRangeWithOneDecimal) {
    CellContext t = Texts();
    EXPECT_EQ(CommitCustomTone("88.5", "201", t).Text, "201.0");
    EXPECT_EQ(CommitCustomTone("", "100", t).Text, "100.0");
    EXPECT_EQ(CommitCustomTone("", "88.88", t).Text, "88.9");
    EXPECT_EQ(CommitCustomTone("", "67", t).Text, "67.0");
    EXPECT_EQ(CommitCustomTone("", "259.1", t).Text, "259.1");
    EXPECT_EQ(CommitCustomTone("", " 123.45 ", t).Text, "123.5");
    EXPECT_EQ(CommitCustomTone("", "67.04", t).Text, "67.0");
    EXPECT_TRUE(CommitCustomTone("", "259.1", t).Accepted);
}

TEST(CellCustomTone, RefusesOutOfRangeAndNonNumbers) {
    CellContext t = Texts();
    for (const char* out : {"66.9", "66.99", "259.11", "259.2", "-100", "1e5"}) {
        CellCommit c = CommitCustomTone("88.5", out, t);
        EXPECT_FALSE(c.Accepted) << out;
        EXPECT_EQ(c.Text, "88.5") << out;
        ASSERT_TRUE(c.Message) << out;
        EXPECT_EQ(*c.Message, "tone out of range") << out;
    }
    for (const char* nan : {"", "  ", "abc", "88,5"}) {
        CellCommit c = CommitCustomTone("", nan, t);
        EXPECT_FALSE(c.Accepted) << nan;
        EXPECT_EQ(c.Text, "") << nan;
        ASSERT_TRUE(c.Message) << nan;
        EXPECT_EQ(*c.Message, "not a number") << nan;
    }
}

TEST(CellDcsIndex, FindsOnlyListedCodes) {
    EXPECT_EQ(GetDCSIndex("023"), 0);
    EXPECT_EQ(GetDCSIndex("754"), 103);
    EXPECT_EQ(GetDCSIndex("645"), -1);
    EXPECT_EQ(GetDCSIndex(""), -1);
    EXPECT_EQ(GetDCSIndex("NO"), -1);
    EXPECT_EQ(GetDCSIndex("23"), -1);
    for (int i = 1; i <= 104; ++i) EXPECT_EQ(GetDCSIndex(DcsListItems()[static_cast<size_t>(i)]), i - 1);
}

} // namespace
} // namespace vt
