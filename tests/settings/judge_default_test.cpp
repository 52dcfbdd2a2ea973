#include "common/TextUtil.h"
#include "editor/settings/core/JudgeDefault.h"
#include "editor/settings/core/RadioOptionRecord.h"
#include "helpers/option_record_support.h"

#include <gtest/gtest.h>

using namespace vt;

using vt::test::AreaShapeRecord;

TEST(JudgeDefault, EachCombination) {
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("3", "66", "1", "1")), 0);
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("1", "200", "0", "1")), 0); // one area: nothing to choose
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("1", "200", "0", "0")), kAskChannel);
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("1", "200", "1", "0")), kAskChannel);
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("2", "100", "0", "1")), kAskArea);
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("10", "20", "0", "0")), kAskArea + kAskChannel);
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("2.4", "100", "0", "1")), kAskArea); // rounds to 2
    // Only the exact text "0" forbids.
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("2", "100", "00", " 0")), 0);
}

TEST(JudgeDefault, BrokenRecordsAskNothing) {
    EXPECT_EQ(JudgeDefault(""), 0);
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("2", "100", "0", "0") + "|"), 0);
    EXPECT_EQ(JudgeDefault("0|0|0"), 0);
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("x", "100", "0", "0")), 0);
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("2", "", "0", "0")), 0);
    EXPECT_EQ(JudgeDefault(AreaShapeRecord("99999", "1", "0", "0")), 0);
}

TEST(JudgeDefault, ListSizesStayWithinTheGrid) {
    DefaultAsk a = AskDefaults(AreaShapeRecord("10", "20", "0", "0"));
    EXPECT_EQ(a.areas, 10);
    EXPECT_EQ(a.channels, 200);
    a = AskDefaults(AreaShapeRecord("1", "200", "1", "0"));
    EXPECT_EQ(a.channels, 200);
    a = AskDefaults(AreaShapeRecord("12", "50", "0", "0")); // a decoded file can hold this
    EXPECT_EQ(a.areas, 10);
    EXPECT_EQ(a.channels, 200);
    a = AskDefaults(AreaShapeRecord("1", "-5", "1", "0"));
    EXPECT_EQ(a.channels, 1);
}

TEST(StoreDefaults, WritesOnlyTheAskedFields) {
    std::string both = AreaShapeRecord("10", "20", "0", "0");
    auto r = RadioOptionRecord::Parse(StoreDefaults(both, 2, 44));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[kOptDefaultArea], "2");
    EXPECT_EQ((*r)[kOptDefaultChannel], "44");
    auto before = RadioOptionRecord::Parse(both);
    for (int i = 0; i < kOptionFieldCount; ++i)
        if (i != kOptDefaultArea && i != kOptDefaultChannel) {
            EXPECT_EQ((*r)[i], (*before)[i]);
        }

    RadioOptionRecord areaOnly = *RadioOptionRecord::Parse(AreaShapeRecord("2", "100", "0", "1"));
    areaOnly[kOptDefaultChannel] = "17";
    r = RadioOptionRecord::Parse(StoreDefaults(areaOnly.Join(), 1, 99));
    EXPECT_EQ((*r)[kOptDefaultArea], "1");
    EXPECT_EQ((*r)[kOptDefaultChannel], "17");

    std::string nothing = AreaShapeRecord("3", "66", "1", "1");
    EXPECT_EQ(StoreDefaults(nothing, 2, 5), nothing);
    EXPECT_EQ(StoreDefaults("a|b", 2, 5), "a|b");
    // Positions outside the lists are held to them.
    r = RadioOptionRecord::Parse(StoreDefaults(AreaShapeRecord("2", "10", "0", "0"), 7, 500));
    EXPECT_EQ((*r)[kOptDefaultArea], "1");
    EXPECT_EQ((*r)[kOptDefaultChannel], "19");
    EXPECT_EQ(Split(StoreDefaults(both, 0, 0)).size(), 39u);
}
