#include "editor/settings/core/OptionLists.h"

#include <gtest/gtest.h>

using namespace vt;

TEST(OptionLists, ItemsAndSafeLookup) {
    using namespace OptionLists;
    EXPECT_EQ(ComboF1.size(), 8u);
    EXPECT_EQ(ComboF4[kKeyAcs], "ACS");
    EXPECT_EQ(ComboF2[kKeyTrunk], "TRUNK");
    EXPECT_EQ(ComboF3[kKeyNone], "NONE");
    EXPECT_EQ(ComboFunction[kFunctionSelectCall], "SELECT CALL");
    EXPECT_EQ(ItemText(ComboF1, 2), "SELECT CALL");
    EXPECT_EQ(ItemText(ComboF1, 8), "");
    EXPECT_EQ(ItemText(ComboFunction, -1), "");
}
