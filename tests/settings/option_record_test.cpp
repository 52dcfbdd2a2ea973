#include "common/TextUtil.h"
#include "editor/settings/core/RadioOptionRecord.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

using namespace vt;

TEST(OptionRecord, DefaultMatchesTheMainWindowsDefaultAndSplitsInto39) {
    RadioOptionRecord d = RadioOptionRecord::Defaults();
    EXPECT_EQ(d.Join(), GetDefaultSetup());
    EXPECT_EQ(d.Join(), std::string(kDefaultRadioOption));
    auto parts = Split(d.Join());
    ASSERT_EQ(parts.size(), 39u);
    EXPECT_EQ(parts.back(), "0");
    EXPECT_NE(d.Join().back(), '|');
    for (int i = 0; i < kOptionFieldCount; ++i) EXPECT_TRUE(FieldValid(d, i)) << "field " << i;
}

TEST(OptionRecord, DesignerStateDiffersFromDefaultOnlyWhereTheDialogDoes) {
    RadioOptionRecord d = RadioOptionRecord::Defaults(), g = RadioOptionRecord::Designer();
    std::vector<int> differ;
    for (int i = 0; i < kOptionFieldCount; ++i)
        if (d[i] != g[i]) differ.push_back(i);
    EXPECT_EQ(differ, (std::vector<int>{kOptTxtF3, kOptVolume, kOptMuteChange}));
    EXPECT_EQ(g[kOptTxtF3], "1");
}

TEST(OptionRecord, ParseNeedsExactly39Fields) {
    std::string def = kDefaultRadioOption;
    EXPECT_TRUE(RadioOptionRecord::Parse(def));
    EXPECT_FALSE(RadioOptionRecord::Parse(""));
    EXPECT_FALSE(RadioOptionRecord::Parse(def + "|"));
    EXPECT_FALSE(RadioOptionRecord::Parse(def.substr(0, def.rfind('|'))));
    auto r = RadioOptionRecord::Parse(def);
    (*r)[kOptHeadDial] = "VOLUME";
    (*r)[kOptCTsen] = "LOW";
    auto back = RadioOptionRecord::Parse(r->Join());
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[kOptHeadDial], "VOLUME");
    EXPECT_EQ((*back)[kOptCTsen], "LOW");
    EXPECT_EQ(back->Join(), r->Join());
}

TEST(OptionRecord, NumberRangesAndSteps) {
    struct Case {
        int field;
        const char* value;
        bool valid;
    } cases[] = {
        {kOptNumberArea, "0", false},   {kOptNumberArea, "10", true},  {kOptNumberArea, "11", false},
        {kOptScanTCh, "45", false},     {kOptScanTCh, "50", true},     {kOptScanTCh, "155", false},
        {kOptScanTCh, "900", true},     {kOptScanTCh, "910", false},   {kOptResumeSTime, "25", true},
        {kOptResumeSTime, "26", false}, {kOptCallPtime, "2490", true}, {kOptCallPtime, "2499", false},
        {kOptPTTTimeout, "250", true},  {kOptPTTTimeout, "0", false},  {kOptRepeater, "999", false},
        {kOptRepeater, "5000", true},   {kOptRound, "9", true},        {kOptRound, "10", false},
        {kOptTxtF1, "100", true},       {kOptTxtF4, "101", false},     {kOptTxtFunction, "x", false},
        {kOptFSon, "2", false},         {kOptBeep, "1", true},         {kOptComboF2, "7", true},
        {kOptComboF2, "8", false},      {kOptComboF2, "-1", false},    {kOptComboFunction, "2", false},
        {kOptHeadDial, "VOLUME", true}, {kOptHeadDial, "volume", false}, {kOptCTsen, "1", false},
        {kOptVolume, "15", true},       {kOptMuteChange, "16", false},
    };
    for (const Case& c : cases) {
        RadioOptionRecord r = RadioOptionRecord::Defaults();
        r[c.field] = c.value;
        EXPECT_EQ(FieldValid(r, c.field), c.valid) << "field " << c.field << " = " << c.value;
    }
}

TEST(OptionRecord, CheckRangeRoundsAndStaysWithin16Bits) {
    EXPECT_TRUE(CheckRange("1.4", 1, 10));
    EXPECT_TRUE(CheckRange("10.5", 1, 10)); // halves go to the even neighbour
    EXPECT_FALSE(CheckRange("11.5", 1, 10));
    EXPECT_FALSE(CheckRange("0.4", 1, 10));
    EXPECT_FALSE(CheckRange("99999", 1, 10));
    EXPECT_FALSE(CheckRange("-99999", -32768, 32767));
    EXPECT_FALSE(CheckRange("", 1, 10));
    EXPECT_EQ(CanonicalNumber("05"), "5");
    EXPECT_EQ(CanonicalNumber("1.4"), "1");
    EXPECT_EQ(CanonicalNumber(" 7 "), "7");
}

TEST(OptionRecordTies, ChannelsPerAreaNeverPassTheGrid) {
    EXPECT_EQ(MaxChannelsPerArea(1), 200);
    EXPECT_EQ(MaxChannelsPerArea(3), 66);
    EXPECT_EQ(MaxChannelsPerArea(7), 28);
    EXPECT_EQ(MaxChannelsPerArea(10), 20);
    EXPECT_EQ(MaxChannelsPerArea(0), 200);
    EXPECT_EQ(ChannelsRangeText(3), "1 -- 66");
    RadioOptionRecord r = RadioOptionRecord::Defaults();
    r[kOptNumberArea] = "3";
    r[kOptChInArea] = "66";
    EXPECT_TRUE(ChannelsFitGrid(r));
    r[kOptChInArea] = "67";
    EXPECT_FALSE(ChannelsFitGrid(r));
    EXPECT_FALSE(FieldValid(r, kOptChInArea));
    r[kOptNumberArea] = "11";
    r[kOptChInArea] = "1";
    EXPECT_FALSE(ChannelsFitGrid(r));
}

TEST(OptionRecordTies, ForceScanAndTrunkModesExclusive) {
    RadioOptionRecord r = RadioOptionRecord::Defaults();
    EXPECT_TRUE(ForceScanExclusive(r));
    r[kOptFSon] = "1";
    EXPECT_TRUE(ForceScanExclusive(r));
    r[kOptFSoff] = "1";
    EXPECT_FALSE(ForceScanExclusive(r));

    r = RadioOptionRecord::Defaults();
    EXPECT_TRUE(TrunkModesExclusive(r));
    EXPECT_FALSE(AnyKeyIsAcs(r));
    r[kOptComboF1] = "5";
    r[kOptComboF3] = "5";
    EXPECT_TRUE(TrunkModesExclusive(r));
    EXPECT_TRUE(AnyKeyIsAcs(r));
    r[kOptComboF4] = "4";
    EXPECT_FALSE(TrunkModesExclusive(r));
}

TEST(OptionRecordTies, DefaultChannelAndAreaAgainstTheCounts) {
    RadioOptionRecord r = RadioOptionRecord::Defaults();
    r[kOptNumberArea] = "10";
    r[kOptChInArea] = "20";
    r[kOptDefaultChannel] = "199";
    r[kOptDefaultArea] = "9";
    EXPECT_TRUE(FieldValid(r, kOptDefaultChannel));
    EXPECT_TRUE(FieldValid(r, kOptDefaultArea));
    r[kOptNumberArea] = "2";
    EXPECT_FALSE(FieldValid(r, kOptDefaultChannel));
    EXPECT_FALSE(FieldValid(r, kOptDefaultArea));

    EXPECT_EQ(CarriedDefaultIndex("44", 200), "44");
    EXPECT_EQ(CarriedDefaultIndex("199", 40), "39");
    EXPECT_EQ(CarriedDefaultIndex("9", 1), "0");
    EXPECT_EQ(CarriedDefaultIndex("-3", 10), "0");
    EXPECT_EQ(CarriedDefaultIndex("", 10), "0");
    EXPECT_EQ(CarriedDefaultIndex("abc", 10), "0");
    EXPECT_EQ(CarriedDefaultIndex("04", 10), "4");
}
