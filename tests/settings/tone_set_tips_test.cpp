#include "editor/settings/core/ToneSetTips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace vt {
namespace {

TEST(ToneSetTips, TableAndTipLayout) {
    std::string t = ToneTable(1);
    EXPECT_EQ(t.substr(0, 15), "TONE  FREQ(Hz)\r");
    EXPECT_NE(t.find("\r0   2400\r"), std::string::npos);
    EXPECT_NE(t.find("\r11    810\r"), std::string::npos); // below 1000: four blanks
    EXPECT_EQ(std::count(t.begin(), t.end(), '\r'), 17);
    std::string tip = ToneSetTip(5);
    EXPECT_EQ(tip.substr(0, 6), "CCIR \r");
    EXPECT_NE(tip.find("LENGTH(ms):100\rGROUP TONE :10\rREPEAT TONE: 14"), std::string::npos);
    EXPECT_NE(ToneSetTip(0).find("GROUP TONE :15\rREPEAT TONE: 10"), std::string::npos);
    EXPECT_EQ(ToneSetTip(6), "");
    EXPECT_EQ(ToneFrequency(4, 15), 2400);
    EXPECT_EQ(ToneFrequency(4, 16), 0);
}

} // namespace
} // namespace vt
