#include "common/ModFun.h"

#include <gtest/gtest.h>

using namespace vt;

TEST(StrToIntDef, EdgeCases) {
    EXPECT_EQ(StrToIntDef(""), 0);
    EXPECT_EQ(StrToIntDef("abc"), 0);
    EXPECT_EQ(StrToIntDef("12"), 12);
    EXPECT_EQ(StrToIntDef("12.5"), 12);
    EXPECT_EQ(StrToIntDef("13.5"), 14);
    EXPECT_EQ(StrToIntDef("99999"), 0); // outside the 16-bit range
}

TEST(InsertRepeatTone, PairsOfEqualNeighbours) {
    EXPECT_EQ(InsertRepeatTone("1234"), "1234");
    EXPECT_EQ(InsertRepeatTone("1123"), "1R23");
    EXPECT_EQ(InsertRepeatTone("111"), "1R1");
    EXPECT_EQ(InsertRepeatTone("1111"), "1R1R");
    EXPECT_EQ(InsertRepeatTone("1223"), "12R3");
    EXPECT_EQ(InsertRepeatTone("11223"), "1R2R3");
    EXPECT_EQ(InsertRepeatTone("1a2bb"), "1A2BR");
    EXPECT_EQ(InsertRepeatTone("aa"), "AR");
    EXPECT_EQ(InsertRepeatTone("aA"), "AA");
    EXPECT_EQ(InsertRepeatTone(""), "");
}

TEST(RoundDownToStep, StepsOfTenAndHundred) {
    EXPECT_EQ(RoundDownToStep("57", 10), 50);
    EXPECT_EQ(RoundDownToStep("50", 10), 50);
    EXPECT_EQ(RoundDownToStep("9", 10), 0);
    EXPECT_EQ(RoundDownToStep("0", 10), -1);
    EXPECT_EQ(RoundDownToStep("-20", 10), -1);
    EXPECT_EQ(RoundDownToStep("", 10), -1);
    EXPECT_EQ(RoundDownToStep("x", 10), -1);
    EXPECT_EQ(RoundDownToStep("54.6", 10), 50);
    EXPECT_EQ(RoundDownToStep("250", 100), 200);
    EXPECT_EQ(RoundDownToStep("250", 0), -1);
    EXPECT_EQ(RoundDownToStep("70000", 10), -1);
}
