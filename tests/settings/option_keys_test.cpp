#include "editor/settings/core/FunctionKeys.h"
#include "editor/settings/core/OptionLists.h"

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::OptionLists;

namespace {
// The dialog's state after loading the defaults: MENU, NONE, NONE, EMERGENCY; boxes disabled.
KeyState Loaded() {
    KeyState s;
    s.item = {kKeyMenu, kKeyNone, kKeyNone, kKeyEmergency};
    return s;
}
} // namespace

TEST(FunctionKeys, EveryPairOfChoicesKeepsAcsAndTrunkApart) {
    // Any key holding any item, then any key choosing any item.
    for (int firstKey = 0; firstKey < kKeyCount; ++firstKey)
        for (int firstItem = 0; firstItem < 8; ++firstItem)
            for (int key = 0; key < kKeyCount; ++key)
                for (int item = 0; item < 8; ++item) {
                    KeyState s = ChooseKey(ChooseKey(Loaded(), firstKey, firstItem), key, item);
                    bool acs = false, trunk = false;
                    for (int k : s.item) {
                        acs |= k == kKeyAcs;
                        trunk |= k == kKeyTrunk;
                    }
                    EXPECT_FALSE(acs && trunk) << firstKey << ":" << firstItem << " then " << key << ":" << item;
                    EXPECT_EQ(s.item[static_cast<size_t>(key)], item);
                    if (item == kKeyAcs || item == kKeyTrunk) {
                        ASSERT_TRUE(s.mode);
                        EXPECT_EQ(*s.mode, item == kKeyAcs ? TrunkMode::Acs : TrunkMode::Trunk);
                    } else {
                        EXPECT_FALSE(s.mode);
                    }
                    // Keys other than the two chosen ones keep their item unless they held the other word.
                    for (int k = 0; k < kKeyCount; ++k) {
                        if (k == key || k == firstKey) continue;
                        EXPECT_EQ(s.item[static_cast<size_t>(k)], Loaded().item[static_cast<size_t>(k)]);
                    }
                }
}

TEST(FunctionKeys, TrunkTurnsAcsKeysIntoTrunkIncludingTheHiddenOne) {
    KeyState s = Loaded();
    s.item = {kKeyAcs, kKeyMenu, kKeyAcs, kKeyAcs};
    s = ChooseKey(s, 1, kKeyTrunk);
    EXPECT_EQ(s.item, (std::array<int, 4>{kKeyTrunk, kKeyTrunk, kKeyTrunk, kKeyTrunk}));
    EXPECT_EQ(TrunkFrameCaption(*s.mode), "TRUNK");
    EXPECT_EQ(SearchRoundCaption(*s.mode), "Search round");

    s = ChooseKey(s, 3, kKeyAcs);
    EXPECT_EQ(s.item, (std::array<int, 4>{kKeyAcs, kKeyAcs, kKeyAcs, kKeyAcs}));
    EXPECT_EQ(TrunkFrameCaption(*s.mode), "ACS");
    EXPECT_EQ(SearchRoundCaption(*s.mode), "ACS Search round");
}

TEST(FunctionKeys, NumberBoxFollowsSelectCall) {
    for (int item = 0; item < 8; ++item) {
        for (bool before : {false, true}) {
            KeyState s = Loaded();
            s.numberEnabled[2] = before;
            s = ChooseKey(s, 2, item);
            bool expected = item == kKeySelectCall ? true : (item == kKeyAcs || item == kKeyTrunk) ? before : false;
            EXPECT_EQ(s.numberEnabled[2], expected) << "item " << item << " before " << before;
            EXPECT_FALSE(s.numberEnabled[0]); // other boxes untouched
        }
    }
    EXPECT_FALSE(AlarmNumberEnabled(0));
    EXPECT_TRUE(AlarmNumberEnabled(1));
    EXPECT_FALSE(AlarmNumberEnabled(-1));
}

TEST(FunctionKeys, KeyOutsideTheFourChangesNothing) {
    KeyState s = ChooseKey(Loaded(), 4, kKeyAcs);
    EXPECT_EQ(s.item, Loaded().item);
    EXPECT_FALSE(s.mode);
}
