#include "editor/dataset/CellRules.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

CellContext Texts() {
    CellContext c;
    c.NotNumberMsg = "not a number";
    c.RangeInfixMsg = " must be within ";
    return c;
}

const std::vector<std::string> kTrunk{"NO", "T", "S", "P", "TS", "TP"};

TEST(CellCombos, AcceptOnlyTheirOwnItems) {
    EXPECT_EQ(CommitCombo("YES", "NO", BclItems()).Text, "");
    EXPECT_TRUE(CommitCombo("YES", "NO", BclItems()).Accepted);
    EXPECT_EQ(CommitCombo("YES", "", BclItems()).Text, "");
    EXPECT_EQ(CommitCombo("", "YES", BclItems()).Text, "YES");
    EXPECT_EQ(CommitCombo("", "APM", FiveToneItems()).Text, "APM");
    EXPECT_EQ(CommitCombo("", "TO", AniItems()).Text, "TO");
    // Typed texts that are no item leave the cell as it was, without a message.
    for (const char* typed : {"yes", "Y", " YES", "MA"}) {
        CellCommit c = CommitCombo("YES", typed, BclItems());
        EXPECT_FALSE(c.Accepted) << typed;
        EXPECT_EQ(c.Text, "YES") << typed;
        EXPECT_FALSE(c.Message) << typed;
    }
    EXPECT_EQ(CommitCombo("A", "MA", FiveToneItems()).Text, "A");
    EXPECT_EQ(CommitCombo("L", "LT", AniItems()).Text, "L");
}

TEST(CellCombos, SelCallTakesOneToHundred) {
    EXPECT_EQ(SelCallItems().size(), 101u);
    EXPECT_EQ(CommitSelCall("5", "100").Text, "100");
    EXPECT_EQ(CommitSelCall("5", "1").Text, "1");
    EXPECT_EQ(CommitSelCall("5", "NO").Text, "");
    EXPECT_EQ(CommitSelCall("5", "").Text, "");
    EXPECT_EQ(CommitSelCall("", "007").Text, "7");
    for (const char* bad : {"300", "101", "0", "000", "7x", "-5", "5.5", "1e2", "99999999999999999999999"}) {
        CellCommit c = CommitSelCall("5", bad);
        EXPECT_FALSE(c.Accepted) << bad;
        EXPECT_EQ(c.Text, "5") << bad;
        EXPECT_FALSE(c.Message) << bad;
    }
}

TEST(CellCombos, ScanAsksForThePriorityRuleOnlyForP) {
    CellCommit c = CommitScan("", "TP", kTrunk);
    EXPECT_EQ(c.Text, "TP");
    EXPECT_TRUE(c.ClearAreaPriority);
    c = CommitScan("", "P", Scan2Items());
    EXPECT_TRUE(c.ClearAreaPriority);
    c = CommitScan("P", "TS", kTrunk);
    EXPECT_EQ(c.Text, "TS");
    EXPECT_FALSE(c.ClearAreaPriority);
    c = CommitScan("TS", "p", kTrunk); // no item: refused, the rule does not run
    EXPECT_EQ(c.Text, "TS");
    EXPECT_FALSE(c.ClearAreaPriority);
    c = CommitScan("TS", "TS", Scan2Items()); // trunk values are no item of the short list
    EXPECT_FALSE(c.Accepted);
    EXPECT_EQ(c.Text, "TS");
    c = CommitScan("P", "NO", kTrunk);
    EXPECT_EQ(c.Text, "");
    EXPECT_FALSE(c.ClearAreaPriority);
}

TEST(CellNumberBoxes, CtDevRange) {
    CellContext t = Texts();
    EXPECT_EQ(CheckCtDev("100"), 1);
    EXPECT_EQ(CheckCtDev("500"), 1);
    EXPECT_EQ(CheckCtDev("500.5"), 0);
    EXPECT_EQ(CheckCtDev("99.99"), 0);
    EXPECT_EQ(CommitCtDev("300", "250.9", t).Text, "250");
    EXPECT_EQ(CommitCtDev("300", "100.7", t).Text, "100");
    EXPECT_EQ(CommitCtDev("300", "", t).Text, "250");
    EXPECT_EQ(CommitCtDev("300", "   ", t).Text, "250");
    EXPECT_EQ(CommitCtDev("300", " 1.5e2 ", t).Text, "150");
    // Between two steps the cell takes the step a save stores; the midpoint goes up.
    EXPECT_EQ(CommitCtDev("300", "176", t).Text, "200");
    EXPECT_EQ(CommitCtDev("300", "174", t).Text, "150");
    EXPECT_EQ(CommitCtDev("300", "475", t).Text, "500");
    EXPECT_EQ(CommitCtDev("300", "124.9", t).Text, "100");

    CellCommit c = CommitCtDev("300", "99", t);
    EXPECT_FALSE(c.Accepted);
    EXPECT_EQ(c.Result, kCommitOutOfRange);
    EXPECT_EQ(c.Text, "300");
    ASSERT_TRUE(c.Message);
    EXPECT_EQ(*c.Message, "Deviation must be within 100--500");

    c = CommitCtDev("300", "abc", t);
    EXPECT_EQ(c.Result, kCommitNotNumber);
    EXPECT_EQ(c.Text, "300");
    ASSERT_TRUE(c.Message);
    EXPECT_EQ(*c.Message, "not a number");
}

// On a DCS row the cell takes the value the deviation byte keeps: the step that gives the byte,
// else the top of its range of 20.
TEST(CellNumberBoxes, CtDevOfADcsRow) {
    CellContext t = Texts();
    const std::pair<const char*, const char*> cases[] = {
        {"420", "420"}, {"176", "180"}, {"160", "150"}, {"300", "300"}, {"461", "480"}, {"100.7", "100"}, {"", "250"}};
    for (auto [in, kept] : cases) EXPECT_EQ(CommitCtDev("300", in, t, true).Text, kept) << in;
    EXPECT_FALSE(CommitCtDev("300", "99", t, true).Accepted);
}

TEST(CellNumberBoxes, PowerRange) {
    CellContext t = Texts();
    EXPECT_EQ(CommitPower("25", "", t).Text, "50");
    EXPECT_EQ(CommitPower("25", "50", t).Text, "50");
    EXPECT_EQ(CommitPower("25", "1", t).Text, "1");
    EXPECT_EQ(CommitPower("25", "49.9", t).Text, "49");
    for (const char* out : {"0", "51", "0.99", "-3"}) {
        CellCommit c = CommitPower("25", out, t);
        EXPECT_FALSE(c.Accepted) << out;
        EXPECT_EQ(c.Result, kCommitOutOfRange) << out;
        EXPECT_EQ(c.Text, "25") << out;
        ASSERT_TRUE(c.Message);
        EXPECT_EQ(*c.Message, "Power must be within 1--50watt");
    }
    CellCommit c = CommitPower("25", "5w", t);
    EXPECT_EQ(c.Result, kCommitNotNumber);
    EXPECT_EQ(c.Text, "25");
}

TEST(CellNumberBoxes, WholePartTowardZero) {
    EXPECT_EQ(AdjustDcsDev("49.9"), "49");
    EXPECT_EQ(AdjustDcsDev("-49.9"), "-49");
    EXPECT_EQ(AdjustDcsDev("250"), "250");
    EXPECT_EQ(AdjustDcsDev("x"), "");
}

} // namespace
} // namespace vt
