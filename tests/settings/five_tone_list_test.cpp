#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/core/FiveToneSnapshot.h"
#include "editor/dataset/EditorData.h"

#include <gtest/gtest.h>


namespace vt {
namespace {

class FiveToneListTest : public ::testing::Test {
protected:
    EditorData d;
    FiveToneList list;
    void SetUp() override { list.Load(d); }
    std::string Emerg(int row) const { return list.Cell(row, 6); }
};

TEST_F(FiveToneListTest, LoadsDefaultsAndTheStoredRecords) {
    EXPECT_EQ(list.Cell(0, 3), "INDENTIFICATION");
    EXPECT_EQ(list.Cell(7, 0), "7");
    EXPECT_EQ(list.Cell(7, 3), ""); // "|||||" carries an empty identification
    d.SetFiveToneLine(7, "", RecordWrite::Quiet);
    list.Load(d);
    EXPECT_EQ(list.Cell(7, 3), "NUMBER 7"); // a line that is not shown keeps the default
    EXPECT_EQ(list.ToneSet, 1);
    EXPECT_EQ(list.Blows, 5);

    d.SetFiveToneInfo("12A|4|0|1|8|0", RecordWrite::Quiet);
    d.SetFiveToneLine(3, "CALL 123|EEA||12|2|4", RecordWrite::Quiet);
    d.SetFiveToneLine(4, "broken|line", RecordWrite::Quiet);
    d.SetFarmMarnetInfo("1|123|45|12|150.0|1|12345|40|0|151.0", RecordWrite::Quiet);
    list.Load(d);
    EXPECT_EQ(list.InfoText(), "12A|4|0|1|8|0");
    EXPECT_EQ(list.LineText(3), "CALL 123|EEA||12|2|4"); // an empty identification stays empty
    EXPECT_EQ(list.Cell(4, 3), "NUMBER 4");               // a broken line is skipped
    EXPECT_EQ(list.FarmcallLabel, "123");
    EXPECT_EQ(list.RingLabel, "45");
    EXPECT_EQ(list.MarnetLabel, "40");
    EXPECT_EQ(list.FarmChannelLabel, "12");
}

TEST_F(FiveToneListTest, OutOfListSettingsLoadTheirDefaults) {
    d.SetFiveToneInfo("1|9|7|x|40|1", RecordWrite::Quiet);
    list.Load(d);
    EXPECT_EQ(list.InfoText(), "1|1|1|1|5|1");
    d.SetFiveToneInfo("", RecordWrite::Quiet); // after Clear and Cancel in the old days: defaults, not EXTEND
    d.SetFarmMarnetInfo("0|1|2", RecordWrite::Quiet);
    list.Load(d);
    EXPECT_EQ(list.InfoText(), "|1|1|1|5|1");
    EXPECT_EQ(list.FarmcallLabel, "");
}

TEST_F(FiveToneListTest, StoreWritesBothRecordsAndMarksTheDataChanged) {
    list.OwnID = "1A2";
    list.ToneSet = 5;
    list.SetCell(2, 1, "CALL 555");
    list.Store(d);
    EXPECT_TRUE(d.IsModified());
    EXPECT_EQ(d.FiveToneInfo(), "1A2|5|1|1|5|1");
    EXPECT_EQ(d.FiveToneChannels()[2], "CALL 555|||||");
    EXPECT_EQ(d.FiveToneChannels()[1], "|||||");
}

TEST_F(FiveToneListTest, ClearEmptiesTheRecordsAtOnceAndKeepsFarmOff) {
    d.SetFarmMarnetInfo("1|123|45|12|150.0|0|||0|", RecordWrite::Quiet);
    d.SetSpecialField(5, 1, "5", RecordWrite::Quiet);
    list.ClearShared(d);
    EXPECT_EQ(d.FarmMarnetInfo(), "0|||||0|||0|");
    EXPECT_EQ(d.FiveToneInfo(), "");
    EXPECT_EQ(d.FiveToneChannels()[1], "");
    EXPECT_EQ(d.SpecialData()[5][1], "");
    EXPECT_FALSE(d.IsModified());
    list.Store(d);
    EXPECT_EQ(d.FiveToneInfo(), "|0|1|1|5|1"); // the cleared view starts on EXTEND
    EXPECT_EQ(d.FiveToneChannels()[9], "||Number 9|||");
}

TEST_F(FiveToneListTest, SnapshotRestoresRecordsSpecialFieldsAndGridMarks) {
    d.SetFiveToneLine(7, "CALL 1|ZVEI1|X|CURRENT|1|", RecordWrite::Quiet);
    d.SetCell(15, 4, "name", RecordWrite::Quiet);
    FiveToneSnapshot snap(d);
    list.ClearShared(d);
    d.SetSpecialField(7, 1, "5", RecordWrite::Quiet);
    d.SetCell(15, 4, "EMERGENCY", RecordWrite::Quiet);
    d.SetCell(15, 11, "P", RecordWrite::Quiet);
    snap.Restore(d);
    EXPECT_EQ(d.FiveToneChannels()[7], "CALL 1|ZVEI1|X|CURRENT|1|");
    EXPECT_EQ(d.FarmMarnetInfo(), kDefaultFarmMarnetInfo);
    EXPECT_EQ(d.FiveToneInfo(), kDefaultFiveToneInfo);
    EXPECT_EQ(d.SpecialData()[7][1], "");
    EXPECT_EQ(d.MFG.TextMatrix(15, 4), "name");
    EXPECT_EQ(d.MFG.TextMatrix(15, 11), "");
}

TEST(ToneAlphabet, AcceptsHexDigitsAndUpperRepeatAndGroupMarksOnly) {
    EXPECT_TRUE(IsToneString("0123456789ABCDEFabcdefRG"));
    EXPECT_FALSE(IsToneString(""));
    EXPECT_FALSE(IsToneString("12r45"));
    EXPECT_FALSE(IsToneString("12g45"));
    EXPECT_FALSE(IsToneString("12 45"));
    std::string id = "1a2";
    EXPECT_TRUE(FiveToneList::CheckOwnID(id));
    EXPECT_EQ(id, "1A2");
    id = "12X";
    EXPECT_FALSE(FiveToneList::CheckOwnID(id));
    id = "";
    EXPECT_TRUE(FiveToneList::CheckOwnID(id));
}

// The option area holds five own-ID characters; a longer ID only failed at the next save.
TEST(ToneAlphabet, OwnIdHoldsAtMostFiveCharacters) {
    std::string id = "1234f";
    EXPECT_TRUE(FiveToneList::CheckOwnID(id));
    EXPECT_EQ(id, "1234F");
    id = "123456";
    EXPECT_FALSE(FiveToneList::CheckOwnID(id));
    id = "12345678901234567890";
    EXPECT_FALSE(FiveToneList::CheckOwnID(id));
}

TEST_F(FiveToneListTest, CallToneCommitFillsDefaultsAndMakesThePlainLine) {
    EXPECT_EQ(list.CommitCallTone(d, 4, "12a45"), kCommitOk);
    EXPECT_EQ(list.LineText(4), "CALL 12A45|ZVEI1|NUMBER 4|CURRENT|1|");
    EXPECT_EQ(d.SpecialData()[4][1], "0");
    EXPECT_EQ(list.CallToneEditorText(4), "12A45");

    EXPECT_EQ(list.CommitCallTone(d, 4, "12r45"), kCommitInvalid);
    EXPECT_EQ(list.CommitCallTone(d, 4, "   "), kCommitOk);
    EXPECT_EQ(list.Cell(4, 1), "CALL 12A45");

    list.SetCell(5, 2, "EEA");
    list.SetCell(5, 5, "7");
    list.CommitCallTone(d, 5, "9");
    EXPECT_EQ(list.LineText(5), "CALL 9|EEA|NUMBER 5|CURRENT|7|");
}

TEST_F(FiveToneListTest, TypedCallToneWipesTheFormerSpecialFields) {
    d.SetSpecialField(6, 1, "0", RecordWrite::Quiet);
    d.SetSpecialField(6, 2, "8", RecordWrite::Quiet);
    d.SetSpecialField(6, 10, "12345", RecordWrite::Quiet);
    d.SetSpecialField(6, 8, "5", RecordWrite::Quiet);
    list.CommitCallTone(d, 6, "777");
    EXPECT_EQ(d.SpecialData()[6][1], "0");
    for (int k = 2; k <= 10; ++k)
        EXPECT_EQ(d.SpecialData()[6][static_cast<size_t>(k)], "") << k;
}

TEST_F(FiveToneListTest, CallToneEditorOpensOnPlainOrEmptyLinesOnly) {
    EXPECT_TRUE(list.CallToneEditable(d, 1)); // empty cell
    list.SetCell(1, 1, "ROBOT 12345 ALARM");
    d.SetSpecialField(1, 1, "3", RecordWrite::Quiet);
    EXPECT_FALSE(list.CallToneEditable(d, 1));
    d.SetSpecialField(1, 1, "0", RecordWrite::Quiet);
    EXPECT_TRUE(list.CallToneEditable(d, 1));
}

TEST_F(FiveToneListTest, ChannelCommitRules) {
    EXPECT_EQ(list.CommitChannel(1, "c"), kCommitOk);
    EXPECT_EQ(list.Cell(1, 4), "CURRENT");
    EXPECT_EQ(list.CommitChannel(1, "12.9"), kCommitOk);
    EXPECT_EQ(list.Cell(1, 4), "12");
    EXPECT_EQ(list.CommitChannel(1, "current"), kCommitInvalid);
    EXPECT_EQ(list.CommitChannel(1, "0"), kCommitRange);
    EXPECT_EQ(list.CommitChannel(1, "201"), kCommitRange);
    EXPECT_EQ(list.CommitChannel(1, ""), kCommitOk);
    EXPECT_EQ(list.Cell(1, 4), "12");
    EXPECT_EQ(list.CommitChannel(1, "CURRENT"), kCommitOk);
    EXPECT_EQ(list.Cell(1, 4), "CURRENT");
}

TEST_F(FiveToneListTest, IdentificationAndTriesRefuseWhatWouldBreakTheLine) {
    list.SetCell(2, 3, "BASE");
    EXPECT_FALSE(list.SetIdentification(2, "A|B"));
    EXPECT_EQ(list.Cell(2, 3), "BASE");
    EXPECT_TRUE(list.SetIdentification(2, ""));
    EXPECT_EQ(list.Cell(2, 3), "");
    EXPECT_TRUE(list.SetTries(2, "7"));
    EXPECT_FALSE(list.SetTries(2, "8"));
    EXPECT_FALSE(list.SetTries(2, "0"));
    EXPECT_FALSE(list.SetTries(2, "07"));
    EXPECT_EQ(list.Cell(2, 5), "7");
    list.SetToneSetCell(2, 4);
    EXPECT_EQ(list.Cell(2, 2), "EEA");
    list.SetToneSetCell(2, 6);
    EXPECT_EQ(list.Cell(2, 2), "EEA");
}

// The name slot of a list line holds 16 Windows-1252 bytes; what does not fit is refused when
// typed instead of stopping the next save.
TEST_F(FiveToneListTest, IdentificationRefusesWhatTheNameSlotCannotHold) {
    list.SetCell(4, 3, "GATE");
    const std::string nineAccents = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
    for (std::string bad : {std::string("ABCDEFGHIJKLMNOPQ"), std::string("\xE5\x8C\x97\xE5\x8C\xBA"),
                            std::string("CAFE\tBAR"), std::string("A\0B", 3), std::string("A\xC0\x80"),
                            nineAccents + "12345678" /* 17 characters */}) {
        EXPECT_FALSE(list.SetIdentification(4, bad)) << bad;
        EXPECT_EQ(list.Cell(4, 3), "GATE");
    }
    // 16 characters fit, also when some take two UTF-8 bytes.
    EXPECT_TRUE(list.SetIdentification(4, "ABCDEFGHIJKLMNOP"));
    std::string accented = "K\xC3\xBCste \xE2\x82\xAC 12345678"; // 16 characters, 19 bytes
    EXPECT_TRUE(list.SetIdentification(4, accented));
    EXPECT_EQ(list.Cell(4, 3), accented);
}

TEST_F(FiveToneListTest, EmergencyNumbersMoveOnInAChain) {
    list.SetCell(7, 6, "5");
    list.SetCell(9, 6, "6");
    EXPECT_EQ(list.CommitEmergency(3, "5"), kCommitOk);
    EXPECT_EQ(Emerg(3), "5");
    EXPECT_EQ(Emerg(7), "6");
    EXPECT_EQ(Emerg(9), "7");
}

TEST_F(FiveToneListTest, EmergencyTenPushedOutLosesItsNumber) {
    list.SetCell(8, 6, "10");
    list.CommitEmergency(3, "10");
    EXPECT_EQ(Emerg(3), "10");
    EXPECT_EQ(Emerg(8), "");
}

TEST_F(FiveToneListTest, TheEditedLinesOldNumberTakesPartInTheChain) {
    list.SetCell(5, 6, "4");
    list.SetCell(7, 6, "3");
    list.SetCell(9, 6, "5");
    list.CommitEmergency(5, "3");
    EXPECT_EQ(Emerg(5), "3");
    EXPECT_EQ(Emerg(7), "4");
    EXPECT_EQ(Emerg(9), "6");
}

TEST_F(FiveToneListTest, EmergencyRefusalsAndEmptying) {
    list.SetCell(2, 6, "4");
    EXPECT_EQ(list.CommitEmergency(2, "11"), kCommitRange);
    EXPECT_EQ(list.CommitEmergency(2, "40000"), kCommitRange);
    EXPECT_EQ(list.CommitEmergency(2, "0"), kCommitRange);
    EXPECT_EQ(list.CommitEmergency(2, "x"), kCommitInvalid);
    EXPECT_EQ(Emerg(2), "4");
    EXPECT_EQ(list.CommitEmergency(2, "2.5"), kCommitOk); // halves to even
    EXPECT_EQ(Emerg(2), "2");
    EXPECT_EQ(list.CommitEmergency(2, ""), kCommitEmptied);
    EXPECT_EQ(Emerg(2), "");
}

TEST_F(FiveToneListTest, EveryNumberStaysUniqueAfterAFullChain) {
    for (int n = 1; n <= 10; ++n) list.SetCell(n + 10, 6, std::to_string(n));
    list.CommitEmergency(50, "1");
    std::vector<int> seen(11, 0);
    for (int r = 1; r <= 100; ++r)
        if (!Emerg(r).empty()) ++seen[static_cast<size_t>(std::stoi(Emerg(r)))];
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(seen[static_cast<size_t>(n)], 1) << n;
    EXPECT_EQ(Emerg(20), ""); // the former 10 fell off
}

TEST_F(FiveToneListTest, SpecialLinesAndTheirClearing) {
    EXPECT_TRUE(FiveToneList::IsSpecialLine(d, 1)); // empty code after New
    d.SetSpecialField(1, 1, "0", RecordWrite::Quiet);
    EXPECT_FALSE(FiveToneList::IsSpecialLine(d, 1));
    d.SetSpecialField(1, 2, "8", RecordWrite::Quiet); // call to another user without reply
    EXPECT_TRUE(FiveToneList::IsSpecialLine(d, 1));

    list.SetCell(1, 1, "CALL 12345");
    list.SetCell(1, 6, "3");
    d.SetSpecialField(1, 10, "12345", RecordWrite::Quiet);
    list.ClearSpecialLine(d, 1);
    EXPECT_EQ(list.LineText(1), "|||||3");
    EXPECT_EQ(d.SpecialData()[1][1], "0");
    EXPECT_EQ(d.SpecialData()[1][2], "");
    EXPECT_EQ(d.SpecialData()[1][10], "");
}

TEST_F(FiveToneListTest, RowsOutsideTheListAreIgnored) {
    EXPECT_EQ(list.CommitCallTone(d, 0, "123"), kCommitOk);
    EXPECT_EQ(list.Cell(0, 1), "CALL TONES/TYPE");
    list.SetCell(101, 1, "x");
    EXPECT_EQ(list.Cell(101, 1), "");
    EXPECT_FALSE(FiveToneList::IsSpecialLine(d, 0));
}

TEST(PendingFiveTone, LoadedOnceAndDroppedOnDiscard) {
    EditorData d;
    d.SetFiveToneInfo("99|2|1|1|5|1", RecordWrite::Quiet);
    FiveToneList& a = AcquireFiveToneList(d);
    a.OwnID = "12R34";
    EXPECT_EQ(&AcquireFiveToneList(d), &a);
    EXPECT_EQ(AcquireFiveToneList(d).OwnID, "12R34");
    DiscardPendingFiveTone(d);
    EXPECT_FALSE(d.PendingFiveTone);
    EXPECT_EQ(AcquireFiveToneList(d).OwnID, "99");
}

} // namespace
} // namespace vt
