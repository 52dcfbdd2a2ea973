#include "editor/dataset/CellRules.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(CellDispatch, SecondReceiverRowOpensOnlyItsColumns) {
    const int last = 201;
    for (int col : {ColTxFreq, ColRxFreq, ColName1, ColName2, ColCtcssEnc, ColDcsEnc, ColFiveTone, ColCtDev, ColPower}) {
        EXPECT_TRUE(EditorOpensOn(col, last, last)) << col;
        EXPECT_TRUE(EditorOpensOn(col, 1, last)) << col;
    }
    for (int col : {ColCtcssDec, ColDcsDec, ColBcl, ColScan, ColAni, ColSelCall}) {
        EXPECT_FALSE(EditorOpensOn(col, last, last)) << col;
        EXPECT_TRUE(EditorOpensOn(col, last - 1, last)) << col;
    }
    EXPECT_FALSE(EditorOpensOn(ColNo, 5, last));
    EXPECT_FALSE(EditorOpensOn(16, 5, last));
    EXPECT_FALSE(EditorOpensOn(ColTxFreq, 0, last)) << "the header row";
    EXPECT_FALSE(EditorOpensOn(ColTxFreq, last + 1, last));
}

TEST(CellDispatch, EnterChains) {
    EXPECT_TRUE(EnterMovesOn(ColTxFreq));
    EXPECT_TRUE(EnterMovesOn(ColRxFreq));
    EXPECT_TRUE(EnterMovesOn(ColName1));
    EXPECT_TRUE(EnterMovesOn(ColCtDev));
    EXPECT_FALSE(EnterMovesOn(ColName2));
    EXPECT_FALSE(EnterMovesOn(ColPower));
    EXPECT_FALSE(EnterMovesOn(ColCtcssEnc));
}

} // namespace
} // namespace vt
