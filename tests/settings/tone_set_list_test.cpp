#include "editor/settings/core/ToneSetList.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(ToneSets, NamesInIndexOrder) {
    EXPECT_EQ(ToneSetName(0), "EXTEND");
    EXPECT_EQ(ToneSetName(5), "CCIR");
    EXPECT_EQ(ToneSetName(6), "");
    EXPECT_EQ(ToneSetName(-1), "");
    EXPECT_EQ(ToneSetIndex("DZVEI"), 3);
    EXPECT_EQ(ToneSetIndex("zvei1"), -1);
}

} // namespace
} // namespace vt
