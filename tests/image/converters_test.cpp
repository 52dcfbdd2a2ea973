// Tone, CT DEV, power and key converters.
#include "editor/image/ToneConverters.h"
#include "editor/image/ToneLists.h"
#include "common/TextUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

using namespace vt;

TEST(ToneLists, ShapesAndOrder) {
    std::set<std::string_view> dcs(kDcsCodes.begin(), kDcsCodes.end());
    EXPECT_EQ(dcs.size(), 104u);
    EXPECT_EQ(kDcsCodes.front(), "023");
    EXPECT_EQ(kDcsCodes.back(), "754");
    for (size_t i = 0; i < kStandardTones.size(); ++i) {
        EXPECT_EQ(std::string(kStandardTones[i]), FormatFixed(kStandardToneTenths[i] / 10.0, 1)) << i;
        if (i > 0) {
            EXPECT_LT(kStandardToneTenths[i - 1], kStandardToneTenths[i]);
        }
    }
    EXPECT_EQ(kCtcssWordCount, 1922);
}

TEST(CtcssToneIndex, BoundariesAndRange) {
    EXPECT_EQ(CtcssToneIndex("67.0"), 0);
    EXPECT_EQ(CtcssToneIndex("68.2"), 1); // the midpoint goes up
    EXPECT_EQ(CtcssToneIndex("68.19"), 0);
    EXPECT_EQ(CtcssToneIndex("149.9"), 23);
    EXPECT_EQ(CtcssToneIndex("149.99999"), 23);
    EXPECT_EQ(CtcssToneIndex("150.0"), 24);
    EXPECT_EQ(CtcssToneIndex("148.8"), 23); // no midpoint between 146.2 and 151.4
    EXPECT_EQ(CtcssToneIndex("66.9"), -1);
    EXPECT_EQ(CtcssToneIndex("259.2"), -1);
    EXPECT_EQ(CtcssToneIndex("259.1"), 50);
    EXPECT_EQ(CtcssToneIndex(" 100 "), 12);
    EXPECT_EQ(CtcssToneIndex("abc"), -1);
    EXPECT_EQ(CtcssToneIndex(""), -1);
}

TEST(CtcssToneIndex, EveryListToneFindsItself) {
    for (size_t i = 0; i < kStandardTones.size(); ++i) EXPECT_EQ(CtcssToneIndex(kStandardTones[i]), int(i));
}

TEST(CtDevIndex, Steps) {
    EXPECT_EQ(CtDevIndex("100"), 0);
    EXPECT_EQ(CtDevIndex("124.9"), 0);
    EXPECT_EQ(CtDevIndex("125"), 1);
    EXPECT_EQ(CtDevIndex("250"), 3);
    EXPECT_EQ(CtDevIndex("475"), 8);
    EXPECT_EQ(CtDevIndex("500"), 8);
    EXPECT_EQ(CtDevIndex("99"), -1);
    EXPECT_EQ(CtDevIndex("501"), -1);
    EXPECT_EQ(CtDevIndex("x"), -1);
}

TEST(DevByteFromCtDev, Bands) {
    EXPECT_EQ(DevByteFromCtDev("1a"), 15);
    EXPECT_EQ(DevByteFromCtDev(""), 15);
    EXPECT_EQ(DevByteFromCtDev("100"), 5);
    EXPECT_EQ(DevByteFromCtDev("99"), 6);
    EXPECT_EQ(DevByteFromCtDev("101"), 6);
    EXPECT_EQ(DevByteFromCtDev("120"), 6);
    EXPECT_EQ(DevByteFromCtDev("120.5"), 6); // halves to even
    EXPECT_EQ(DevByteFromCtDev("121"), 7);
    EXPECT_EQ(DevByteFromCtDev("250"), 13);
    EXPECT_EQ(DevByteFromCtDev("500"), 25);
    EXPECT_EQ(DevByteFromCtDev("501"), 15);
    EXPECT_EQ(DevByteFromCtDev("-5"), 6);
}

TEST(SnapToneToList, NearTones) {
    EXPECT_DOUBLE_EQ(SnapToneToList(88.4), 88.5);
    EXPECT_DOUBLE_EQ(SnapToneToList(88.5), 88.5);
    EXPECT_DOUBLE_EQ(SnapToneToList(88.6), 88.5);
    EXPECT_DOUBLE_EQ(SnapToneToList(88.3), 0.0); // 0.2 Hz away is not near
    EXPECT_DOUBLE_EQ(SnapToneToList(60.0), 0.0);
    EXPECT_DOUBLE_EQ(SnapToneToList(201.0), 0.0);
    // The decoder's computed tones (67.0 + k / 10) land on the list exactly.
    for (int t : kStandardToneTenths) EXPECT_DOUBLE_EQ(SnapToneToList(67.0 + (t - 670) * 0.1), t / 10.0);
}

TEST(Power, BothWaysAndGuards) {
    ConversionTables t;
    for (int b = 0; b < 8; ++b)
        for (int l = 1; l <= 50; ++l) t.PwrTbl[size_t(50 * b + l - 1)] = uint8_t(20 + 4 * l + b);
    EXPECT_EQ(PowerByteFromIndex(t, 0, 1), 24);
    EXPECT_EQ(PowerByteFromIndex(t, 7, 50), 227);
    EXPECT_FALSE(PowerByteFromIndex(t, 3, 0));
    EXPECT_FALSE(PowerByteFromIndex(t, 3, 51));
    EXPECT_FALSE(PowerByteFromIndex(t, 8, 1));
    EXPECT_FALSE(PowerByteFromIndex(t, -1, 1));
    for (int b = 0; b < 8; ++b)
        for (int l = 1; l <= 50; ++l) EXPECT_EQ(PowerIndexFromByte(t, b, *PowerByteFromIndex(t, b, l)), l);
    t.PwrTbl[50 * 2 + 9] = t.PwrTbl[50 * 2 + 3]; // level 10 repeats level 4's byte
    EXPECT_EQ(PowerIndexFromByte(t, 2, t.PwrTbl[50 * 2 + 3]), 4);
    for (int b = 0; b < 8; ++b) EXPECT_EQ(PowerIndexFromByte(t, b, 255), 50);
    EXPECT_EQ(PowerIndexFromByte(t, 9, 24), 50);
}

TEST(ClampLevel, Range) {
    EXPECT_EQ(ClampLevel(0), 1);
    EXPECT_EQ(ClampLevel(1), 1);
    EXPECT_EQ(ClampLevel(100), 100);
    EXPECT_EQ(ClampLevel(101), 1);
    EXPECT_EQ(ClampLevel(255), 1);
}

TEST(KeyFunctions, CodesBothWays) {
    const uint8_t codes[] = {1, 3, 0, 0, 2, 2, 4, 10};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(KeyFuncCodeFromIndex(i), codes[i]) << i;
    EXPECT_EQ(KeyFuncCodeFromIndex(8), 0);
    EXPECT_EQ(KeyFuncCodeFromIndex(-1), 0);
    EXPECT_EQ(KeyFuncIndexFromCode(0, 5), 2);
    EXPECT_EQ(KeyFuncIndexFromCode(0, 0), 3);
    EXPECT_EQ(KeyFuncIndexFromCode(99, 0), 7);
    // Every index but the shared codes' second (3 needs parameter 0, 5 reads back as 4) returns.
    for (int i : {0, 1, 2, 4, 6, 7}) EXPECT_EQ(KeyFuncIndexFromCode(KeyFuncCodeFromIndex(i), 1), i);
    EXPECT_EQ(KeyFuncIndexFromCode(KeyFuncCodeFromIndex(3), 0), 3);
    EXPECT_EQ(KeyFuncIndexFromCode(KeyFuncCodeFromIndex(5), 1), 4);
}
