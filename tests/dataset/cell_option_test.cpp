#include "editor/dataset/CellRules.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

CellContext Texts() {
    CellContext c;
    c.NotNumberMsg = "not a number";
    c.RangeInfixMsg = " must be within ";
    c.NotAnItemMsg = " is no choice";
    return c;
}

const std::vector<std::string> kTrunk{"NO", "T", "S", "P", "TS", "TP"};

TEST(CellCombos, AcceptOnlyTheirOwnItems) {
    EXPECT_EQ(CommitCombo("YES", "NO", BclItems(), Texts()).Text, "");
    EXPECT_TRUE(CommitCombo("YES", "NO", BclItems(), Texts()).Accepted);
    EXPECT_EQ(CommitCombo("YES", "", BclItems(), Texts()).Text, "");
    EXPECT_EQ(CommitCombo("", "YES", BclItems(), Texts()).Text, "YES");
    EXPECT_EQ(CommitCombo("", "APM", FiveToneItems(), Texts()).Text, "APM");
    EXPECT_EQ(CommitCombo("", "TO", AniItems(), Texts()).Text, "TO");
    // Typed texts that are no item leave the cell as it was and say so: the image has no room for them.
    for (const char* typed : {"yes", "Y", " YES", "MA"}) {
        CellCommit c = CommitCombo("YES", typed, BclItems(), Texts());
        EXPECT_FALSE(c.Accepted) << typed;
        EXPECT_EQ(c.Text, "YES") << typed;
        EXPECT_EQ(c.Message, "\"" + std::string(typed) + "\" is no choice") << typed;
    }
    EXPECT_EQ(CommitCombo("A", "MA", FiveToneItems(), Texts()).Text, "A");
    EXPECT_EQ(CommitCombo("L", "LT", AniItems(), Texts()).Text, "L");
}

TEST(CellCombos, SelCallTakesOneToHundred) {
    EXPECT_EQ(SelCallItems().size(), 101u);
    EXPECT_EQ(CommitSelCall("5", "100", Texts()).Text, "100");
    EXPECT_EQ(CommitSelCall("5", "1", Texts()).Text, "1");
    EXPECT_EQ(CommitSelCall("5", "NO", Texts()).Text, "");
    EXPECT_EQ(CommitSelCall("5", "", Texts()).Text, "");
    EXPECT_EQ(CommitSelCall("", "007", Texts()).Text, "7");
    for (const char* bad : {"300", "101", "0", "000", "7x", "-5", "5.5", "1e2", "99999999999999999999999"}) {
        CellCommit c = CommitSelCall("5", bad, Texts());
        EXPECT_FALSE(c.Accepted) << bad;
        EXPECT_EQ(c.Text, "5") << bad;
        EXPECT_EQ(c.Message, "\"" + std::string(bad) + "\" is no choice") << bad;
    }
}

TEST(CellCombos, ScanAsksForThePriorityRuleOnlyForP) {
    CellCommit c = CommitScan("", "TP", kTrunk, Texts());
    EXPECT_EQ(c.Text, "TP");
    EXPECT_TRUE(c.ClearAreaPriority);
    c = CommitScan("", "P", Scan2Items(), Texts());
    EXPECT_TRUE(c.ClearAreaPriority);
    c = CommitScan("P", "TS", kTrunk, Texts());
    EXPECT_EQ(c.Text, "TS");
    EXPECT_FALSE(c.ClearAreaPriority);
    c = CommitScan("TS", "p", kTrunk, Texts()); // no item: refused, the rule does not run
    EXPECT_EQ(c.Text, "TS");
    EXPECT_FALSE(c.ClearAreaPriority);
    c = CommitScan("TS", "TS", Scan2Items(), Texts()); // trunk values are no item of the short list
    EXPECT_FALSE(c.Accepted);
    EXPECT_EQ(c.Text, "TS");
    c = CommitScan("P", "NO", kTrunk, Texts());
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
