#include "editor/dataset/CellRulesDecimal.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(CellDecimal, ReadsExactlyWithoutBinaryRounding) {
    auto v = ScaleDecimal("145.1125", 4);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Units, 1451125);
    EXPECT_FALSE(v->Remainder);

    v = ScaleDecimal(" 446.00625 ", 4);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Units, 4460062);
    EXPECT_TRUE(v->Remainder);
    EXPECT_EQ(v->FirstDropped, 5);

    v = ScaleDecimal("1.45e2", 4);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Units, 1450000);

    v = ScaleDecimal(".5", 1);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Units, 5);

    v = ScaleDecimal("-0.000", 4);
    ASSERT_TRUE(v);
    EXPECT_FALSE(v->Negative);
    EXPECT_EQ(v->Units, 0);

    EXPECT_TRUE(ScaleDecimal("9e999999999999", 4)->Huge);
    auto tiny = ScaleDecimal("5e-99999", 4);
    ASSERT_TRUE(tiny);
    EXPECT_EQ(tiny->Units, 0);
    EXPECT_TRUE(tiny->Remainder);

    EXPECT_FALSE(ScaleDecimal("", 4));
    EXPECT_FALSE(ScaleDecimal("1,5", 4));
    EXPECT_FALSE(ScaleDecimal("0x10", 4));
}

TEST(CellDecimal, ComparesAgainstWholeUnits) {
    EXPECT_EQ(CompareScaled(*ScaleDecimal("60", 4), 600000), 0);
    EXPECT_EQ(CompareScaled(*ScaleDecimal("60.00001", 4), 600000), 1);
    EXPECT_EQ(CompareScaled(*ScaleDecimal("59.99999", 4), 600000), -1);
    EXPECT_EQ(CompareScaled(*ScaleDecimal("-53", 4), 530000), -1);
    EXPECT_EQ(CompareScaled(*ScaleDecimal("-53", 4), -530000), 0);
    EXPECT_EQ(CompareScaled(*ScaleDecimal("-53.1", 4), -530000), -1);
    EXPECT_EQ(CompareScaled(*ScaleDecimal("1e30", 4), 600000), 1);
}

} // namespace
} // namespace vt
