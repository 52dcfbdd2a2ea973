#include "editor/shell/core/ChannelReport.h"
#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/EditorData.h"

#include "common/TextUtil.h"

#include <gtest/gtest.h>

using namespace vt;

namespace {
ReportLists Lists() {
    return {{"MENU", "EMERGENCY", "SELECT CALL", "CALL", "TRUNK", "ACS", "FREE", "NONE"},
            {"EMERGENCY", "SELECT CALL"},
            {"EXTEND", "ZVEI1", "ZVEI2", "DZVEI", "EEA", "CCIR"}};
}

struct Fresh {
    EditorData d;
    Fresh() { ResetDataSet(d); }
};

size_t IndexOf(const std::vector<std::string>& lines, const std::string& text) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == text) return i;
    return std::string::npos;
}
} // namespace

TEST(ChannelReportTest, DefaultDataSetChannelLines) {
    Fresh f;
    auto r = ChannelReport(f.d, Lists());
    ASSERT_TRUE(r.error.empty());
    ASSERT_GT(r.lines.size(), 203u);
    EXPECT_EQ(r.lines[0], "");
    EXPECT_EQ(r.lines[1].substr(0, 12), "CH  TXFREQ  ");
    EXPECT_EQ(r.lines[2], "1   0.0000   0.0000 1" + std::string(23, ' ') +
                              "  0.0     0.0     0     0     No   No   No   No   No   250   25\r");
    EXPECT_EQ(r.lines[202].substr(0, 4), "201 ");
    EXPECT_NE(r.lines[202].find(" SECONDRECEIVER" + std::string(10, ' ') + "  0.0"), std::string::npos);
    EXPECT_EQ(r.lines[203], "Radio Option---\r");
}

TEST(ChannelReportTest, NameFieldFillsTwentyFourCharacters) {
    Fresh f;
    f.d.SetCell(1, 3, "ABCDEFGH", RecordWrite::Quiet);
    f.d.SetCell(1, 4, "IJKLMNOPQRSTUVWX", RecordWrite::Quiet);
    f.d.SetCell(2, 3, "abc", RecordWrite::Quiet);
    f.d.SetCell(2, 4, "", RecordWrite::Quiet);
    f.d.SetCell(3, 3, "ABCDEFGHIJKLM", RecordWrite::Quiet);
    f.d.SetCell(3, 4, "NOPQRSTUVWXY", RecordWrite::Quiet); // 25 together: no name field at all
    auto r = ChannelReport(f.d, Lists());
    EXPECT_NE(r.lines[2].find("0.0000 ABCDEFGHIJKLMNOPQRSTUVWX  0.0"), std::string::npos);
    EXPECT_NE(r.lines[3].find("0.0000 abc" + std::string(21, ' ') + "  0.0"), std::string::npos);
    EXPECT_NE(r.lines[4].find("0.0000  0.0"), std::string::npos);
}

TEST(ChannelReportTest, OptionLines) {
    Fresh f;
    auto fields = Split(kDefaultRadioOption);
    fields[2] = "1";
    fields[24] = "0";
    fields[37] = "5";
    fields[14] = "5";
    fields[15] = "42";
    f.d.SetRadioOption(Join(fields));
    auto r = ChannelReport(f.d, Lists());
    ASSERT_TRUE(r.error.empty());
    size_t at = IndexOf(r.lines, "Radio Option---\r");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(r.lines[at + 1], "Num Of Area:  1\r");
    EXPECT_EQ(r.lines[at + 3], "FS ON:  YES\r");
    EXPECT_EQ(r.lines[at + 4], "FS OFF:  NO\r");
    EXPECT_EQ(r.lines[at + 14], "ROUND:  2\r\r");
    EXPECT_EQ(r.lines[at + 15], "FUN KEY1:  ACS  SEL CAL42\r");
    EXPECT_EQ(r.lines[at + 19], "PIN FUN KEY:  EMERGENCY  SEL CAL1\r\r");
    EXPECT_EQ(r.lines[at + 20], "MUTE CHANG: NO : 5\r");
    EXPECT_EQ(r.lines[at + 21], "AREA CHANG: YES\r");
    EXPECT_EQ(r.lines[at + 30], "CTCSS SENI: HIGH\r");
    EXPECT_EQ(r.lines[at + 31], "FARMCALL AND MARNET INFO---\r");
}

TEST(ChannelReportTest, SectionsWithWrongFieldCountsKeepTheirTitles) {
    Fresh f;
    f.d.SetRadioOption("1|200|0"); // not 39 fields
    f.d.SetFiveToneInfo("only|three|fields");
    auto r = ChannelReport(f.d, Lists());
    ASSERT_TRUE(r.error.empty());
    size_t opt = IndexOf(r.lines, "Radio Option---\r");
    EXPECT_EQ(r.lines[opt + 1], "FARMCALL AND MARNET INFO---\r");
    EXPECT_EQ(r.lines[opt + 2], "FARMCALL: NO\r");
    size_t tone = IndexOf(r.lines, "5TONE INFO---\r");
    EXPECT_EQ(r.lines[tone + 1], "5TONE CHANNELS INFO---\r");
}

TEST(ChannelReportTest, ToneListAndAreaNames) {
    Fresh f;
    f.d.SetFiveToneLine(1, "CALL 12345|ZVEI1|Base|CURRENT|3|2");
    f.d.SetFiveToneLine(2, "not six fields"); // printed as an empty line of its own number
    auto r = ChannelReport(f.d, Lists());
    size_t at = IndexOf(r.lines, "5TONE CHANNELS INFO---\r");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(r.lines[at + 2], "1  CALL 12345  ZVEI1  Base   CURRENT     3   2\r");
    EXPECT_EQ(r.lines[at + 3], "2                 \r");
    EXPECT_EQ(r.lines[at + 4], "3                 \r");
    EXPECT_EQ(r.lines[at + 102], "AREA NAME INFO---\r");
    EXPECT_EQ(r.lines[at + 103], "AREA 1:  1\r");
    EXPECT_EQ(r.lines.back(), "AREA 10:  10\r");
    size_t tone = IndexOf(r.lines, "5TONE INFO---\r");
    EXPECT_EQ(r.lines[tone + 2], "TONESET ZVEI1\r");
}

TEST(ChannelReportTest, AListIndexOutsideItsListIsAnError) {
    Fresh f;
    f.d.SetFiveToneInfo("|9|1|1|5|1");
    auto r = ChannelReport(f.d, Lists());
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.error, "Tone set: \"9\" is not one of its list items.");
}

TEST(ChannelReportTest, FileTextLineEnds) {
    Fresh f;
    auto r = ChannelReport(f.d, Lists());
    std::string text = ReportFileText(r.lines);
    EXPECT_EQ(text.substr(0, 4), "\r\nCH");
    size_t titleEnd = text.find("POWER");
    EXPECT_EQ(text.substr(titleEnd, 8), "POWER\r\r\n");
    EXPECT_NE(text.find("ROUND:  2\r\r\r\n"), std::string::npos);
    EXPECT_EQ(RepeatString("ab", 3), "ababab");
    EXPECT_EQ(RepeatString("ab", 0), "");
    EXPECT_EQ(RepeatString("ab", -2), "");
}
