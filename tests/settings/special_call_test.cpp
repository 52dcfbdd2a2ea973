#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/core/SpecialCall.h"
#include "editor/dataset/EditorData.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

class SpecialCallTest : public ::testing::Test {
protected:
    EditorData d;
    FiveToneList list;
    void SetUp() override { list.Load(d); }
    const std::string& Sd(int n, int k) const {
        return d.SpecialData()[static_cast<size_t>(n)][static_cast<size_t>(k)];
    }
    SpecialCallEntry Entry(int type, int line) const {
        SpecialCallEntry e;
        e.type = type;
        e.line = std::to_string(line);
        return e;
    }
};

TEST_F(SpecialCallTest, CodeRequestStoresTheMarkedIdPinAndLevel) {
    auto e = Entry(kCodeRequest, 7);
    e.outstation = "11223";
    e.pin = "3";
    e.pinLevel = "LOW";
    ASSERT_EQ(InstallSpecialCall(d, list, e), kSpecialOk);
    EXPECT_EQ(list.LineText(7), "ROBOT 1R2R3 PIN 3 LOW|ZVEI1|1R2R3 P3 LOW|CURRENT|1|");
    EXPECT_EQ(Sd(7, 1), "1");
    EXPECT_EQ(Sd(7, 8), "LOW");
    EXPECT_EQ(Sd(7, 9), "3");
    EXPECT_EQ(Sd(7, 10), "1R2R3");
}

TEST_F(SpecialCallTest, AlarmQueryOnAFormerCodeRequestLineLeavesNoPin) {
    auto e = Entry(kCodeRequest, 7);
    InstallSpecialCall(d, list, e);
    auto q = Entry(kAlarmQuery, 7);
    q.query = "54321";
    ASSERT_EQ(InstallSpecialCall(d, list, q), kSpecialOk);
    EXPECT_EQ(list.LineText(7), "ROBOT 54321 QUERY ALARM|ZVEI1|QUERY AL 54321|CURRENT|1|");
    EXPECT_EQ(Sd(7, 1), "1");
    EXPECT_EQ(Sd(7, 8), "");
    EXPECT_EQ(Sd(7, 9), "");
    EXPECT_EQ(Sd(7, 10), "54321");
}

TEST_F(SpecialCallTest, AlarmAndPanicNumbersAreShownWithTwoDigits) {
    auto a = Entry(kAlarmInstruction, 2);
    a.alarmNo = "5";
    InstallSpecialCall(d, list, a);
    EXPECT_EQ(list.LineText(2), "ROBOT 12345 ALARM|ZVEI1|ALARM TO BASE 05|CURRENT|3|");
    EXPECT_EQ(Sd(2, 1), "3");
    EXPECT_EQ(Sd(2, 9), "5");
    auto p = Entry(kPanicCall, 3);
    p.panicNo = "12";
    p.id4 = "abcde";
    InstallSpecialCall(d, list, p);
    EXPECT_EQ(list.LineText(3), "ROBOT ABCDE PANIC|ZVEI1|PANIC TO BASE 12|CURRENT|3|");
    EXPECT_EQ(Sd(3, 1), "2");
    EXPECT_EQ(Sd(3, 10), "ABCDE");
    EXPECT_EQ(TwoDigits("x"), "x");
}

TEST_F(SpecialCallTest, EmergencyGoesToTheLineOfTheOwnIdAndMarksItsChannel) {
    list.SetCell(20, 6, "1");
    auto e = Entry(kEmergency, 3);
    e.ownId = "12307";
    e.emergencyChannel = "15";
    ASSERT_EQ(InstallSpecialCall(d, list, e), kSpecialOk);
    EXPECT_EQ(list.LineText(7), "EMERGENCY|ZVEI1|MY RADIO NO 07|15|3|1");
    EXPECT_EQ(list.LineText(3), "|||||");
    EXPECT_EQ(list.Cell(20, 6), "2");
    EXPECT_EQ(Sd(7, 1), "5");
    EXPECT_EQ(Sd(7, 9), "123");
    EXPECT_EQ(Sd(7, 10), "15");
    EXPECT_EQ(d.MFG.TextMatrix(15, 11), "P");
    EXPECT_EQ(d.MFG.TextMatrix(15, 4), "EMERGENCY");
}

TEST_F(SpecialCallTest, EmergencyOnCurrentOrBeyondTheChannelsLeavesTheGrid) {
    auto e = Entry(kEmergency, 1);
    e.ownId = "12307";
    InstallSpecialCall(d, list, e);
    EXPECT_EQ(list.Cell(7, 4), "CURRENT");
    EXPECT_EQ(Sd(7, 10), "CURRENT");
    d.SetGridRows(102, RecordWrite::Quiet); // 100 channel rows
    e.emergencyChannel = "150";
    ASSERT_EQ(InstallSpecialCall(d, list, e), kSpecialOk);
    EXPECT_EQ(list.Cell(7, 4), "150");
    for (int r = 1; r < d.MFG.Rows(); ++r) EXPECT_NE(d.MFG.TextMatrix(r, 4), "EMERGENCY") << r;
}

TEST_F(SpecialCallTest, EmergencyNeedsFiveDigitsNotEndingInDoubleZero) {
    auto e = Entry(kEmergency, 1);
    for (const char* id : {"1234", "12A45", "12300", "123456", ""}) {
        e.ownId = id;
        EXPECT_EQ(InstallSpecialCall(d, list, e), kOwnIdNoEmergency) << id;
    }
    for (int n = 0; n <= 100; ++n) EXPECT_NE(list.Cell(n, 1), "EMERGENCY") << n;
    EXPECT_EQ(Sd(0, 1), ""); // "12300" names no line: nothing reached index 0
    EXPECT_TRUE(OwnIdAllowsEmergency("12399"));
}

TEST_F(SpecialCallTest, NetworkCall) {
    auto e = Entry(kNetworkCall, 9);
    e.marnetId = "12234";
    ASSERT_EQ(InstallSpecialCall(d, list, e), kSpecialOk);
    EXPECT_EQ(list.LineText(9), "MARNET 12R34|ZVEI1|MARNET 12R34|CURRENT|3|");
    EXPECT_EQ(Sd(9, 1), "10");
    EXPECT_EQ(Sd(9, 10), "12R34");
}

TEST_F(SpecialCallTest, CallOtherUserWithAndWithoutDecodeReply) {
    auto e = Entry(kOtherUser, 4);
    e.otherId = "98765";
    e.person = "Joe";
    e.channel2 = "12";
    ASSERT_EQ(InstallSpecialCall(d, list, e), kSpecialOk);
    EXPECT_EQ(list.LineText(4), "CALL 98765|ZVEI1|Joe|12|1|");
    EXPECT_EQ(Sd(4, 1), "0");
    EXPECT_EQ(Sd(4, 2), "8");
    EXPECT_EQ(Sd(4, 7), "12");
    EXPECT_EQ(Sd(4, 8), "");
    EXPECT_EQ(Sd(4, 9), "Joe");
    EXPECT_EQ(Sd(4, 10), "98765");

    e.decReply = true;
    e.preMessage = true;
    e.msgNum = "5";
    InstallSpecialCall(d, list, e);
    EXPECT_EQ(list.Cell(4, 1), "CALL 98765 MESS NO 5");
    EXPECT_EQ(Sd(4, 1), "8");
    EXPECT_EQ(Sd(4, 2), ""); // the former "8" would still make it a reply-less call
    EXPECT_EQ(Sd(4, 8), "5");
}

TEST_F(SpecialCallTest, ReceivedMessageIsStoredAsTyped) {
    list.SetCell(5, 6, "4");
    auto e = Entry(kReceivedMessage, 5);
    e.message = "meet at 11";
    ASSERT_EQ(InstallSpecialCall(d, list, e), kSpecialOk);
    EXPECT_EQ(list.LineText(5), "RECEIVED MESSAGE||meet at 11|||4");
    EXPECT_EQ(Sd(5, 1), "15");
    EXPECT_EQ(Sd(5, 10), "meet at 11");
}

TEST(SpecialChecks, StationIds) {
    EXPECT_EQ(CheckID("1234G"), kSpecialOk);
    EXPECT_EQ(CheckID("aF09R"), kSpecialOk);
    EXPECT_EQ(CheckID("1234g"), kIdBadChar);
    EXPECT_EQ(CheckID("123"), kIdBadLength);
    EXPECT_EQ(CheckID(""), kIdBadLength);
    EXPECT_EQ(CheckOtherId("98765"), kSpecialOk);
    EXPECT_EQ(CheckOtherId("ABCDE"), kOtherIdNotDigits);
    EXPECT_EQ(CheckOtherId("1e3"), kOtherIdNotDigits);
    EXPECT_EQ(CheckOtherId("1234"), kOtherIdNotDigits);
}

// Alarm, panic and network calls send their IDs in a form that has no code for "G": a MARNET
// call "7G8R9" would reach the radio as 7,0,8,E,9. Code requests and alarm queries keep it.
TEST(SpecialChecks, GroupMarkOnlyWhereTheIdsFormHoldsIt) {
    for (const char* box : {"txtID3", "txtID4", "txtMarnetId"}) {
        EXPECT_EQ(CheckIdBox(box, "7G8R9"), kIdGroupMark) << box;
        EXPECT_EQ(CheckIdBox(box, "GGGGG"), kIdGroupMark) << box;
        EXPECT_EQ(CheckIdBox(box, "7a8R9"), kSpecialOk) << box;
        EXPECT_EQ(CheckIdBox(box, "7G8"), kIdBadLength) << box; // the length is told first
        EXPECT_EQ(CheckIdBox(box, "7g8R9"), kIdBadChar) << box;
    }
    for (const char* box : {"txtOutstation", "txtQuery"}) EXPECT_EQ(CheckIdBox(box, "7G8R9"), kSpecialOk) << box;
    EXPECT_EQ(CheckIdBox("txtOtherId", "7G8R9"), kOtherIdNotDigits);
    EXPECT_EQ(CheckIdBox("txtOtherId", "78789"), kSpecialOk);
}

TEST_F(SpecialCallTest, OkRefusesTheGroupMarkInAlarmPanicAndNetworkCalls) {
    auto net = Entry(kNetworkCall, 9);
    net.marnetId = "7G8R9";
    SpecialCheck c = CheckSpecialCall(net);
    EXPECT_EQ(c.problem, kIdGroupMark);
    EXPECT_STREQ(c.control, "txtMarnetId");
    EXPECT_EQ(InstallSpecialCall(d, list, net), kIdGroupMark);
    EXPECT_EQ(Sd(9, 1), ""); // nothing written
    EXPECT_EQ(list.Cell(9, 1), "");

    auto alarm = Entry(kAlarmInstruction, 3);
    alarm.id3 = "1234G";
    EXPECT_EQ(CheckSpecialCall(alarm).problem, kIdGroupMark);
    EXPECT_STREQ(CheckSpecialCall(alarm).control, "txtID3");
    auto panic = Entry(kPanicCall, 4);
    panic.id4 = "G1234";
    EXPECT_EQ(CheckSpecialCall(panic).problem, kIdGroupMark);
    EXPECT_STREQ(CheckSpecialCall(panic).control, "txtID4");

    auto code = Entry(kCodeRequest, 1);
    code.outstation = "7G8R9";
    EXPECT_EQ(InstallSpecialCall(d, list, code), kSpecialOk);
    EXPECT_EQ(Sd(1, 10), "7G8R9");
}

TEST_F(SpecialCallTest, OkChecksTheChosenTypesBoxesEvenWhenNeverFocused) {
    auto e = Entry(kNetworkCall, 2); // the network ID box opens empty
    auto c = CheckSpecialCall(e);
    EXPECT_EQ(c.problem, kIdBadLength);
    EXPECT_STREQ(c.control, "txtMarnetId");
    EXPECT_EQ(InstallSpecialCall(d, list, e), kIdBadLength);
    EXPECT_EQ(list.LineText(2), "|||||");
    EXPECT_EQ(Sd(2, 1), "");

    e = Entry(kOtherUser, 2);
    e.otherId = "1234A";
    EXPECT_STREQ(CheckSpecialCall(e).control, "txtOtherId");
    e.otherId = "12345";
    e.person = "a|b";
    EXPECT_EQ(CheckSpecialCall(e).problem, kTextHasBar);
    e = Entry(kReceivedMessage, 2);
    e.message = "x|y";
    EXPECT_EQ(InstallSpecialCall(d, list, e), kTextHasBar);
    // Both texts become the line's identification, so they follow its rule: 16 characters
    // that have Windows-1252 bytes, no control characters.
    e.message = "\xE5\x8C\x97\xE5\x8C\xBA"; // Chinese: would stop the next save
    EXPECT_EQ(InstallSpecialCall(d, list, e), kTextNotStorable);
    EXPECT_STREQ(CheckSpecialCall(e).control, "txtRmsg");
    e.message = "ABCDEFGHIJKLMNOPQ";
    EXPECT_EQ(CheckSpecialCall(e).problem, kTextNotStorable);
    EXPECT_EQ(list.LineText(2), "|||||");
    // 16 characters, 25 bytes
    e.message = "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA9 \xE2\x82\xAC 12345";
    EXPECT_EQ(InstallSpecialCall(d, list, e), kSpecialOk);
    EXPECT_EQ(list.Cell(2, 3), e.message);
    e = Entry(kOtherUser, 3);
    e.person = "JO\tHN";
    EXPECT_EQ(CheckSpecialCall(e).problem, kTextNotStorable);
    EXPECT_STREQ(CheckSpecialCall(e).control, "txtPerson");
    // The other types' boxes are not the chosen type's business.
    e = Entry(kAlarmQuery, 2);
    e.outstation = "bad";
    EXPECT_EQ(CheckSpecialCall(e).problem, kSpecialOk);
}

TEST_F(SpecialCallTest, ChoicesOutsideTheListsAreRefused) {
    auto e = Entry(kCodeRequest, 0);
    EXPECT_EQ(CheckSpecialCall(e).problem, kBadChoice);
    e.line = "101";
    EXPECT_EQ(CheckSpecialCall(e).problem, kBadChoice);
    e.line = "1";
    e.pinLevel = "2";
    EXPECT_STREQ(CheckSpecialCall(e).control, "cmbPineH");
    e.pinLevel = "TOGG";
    e.pin = "9";
    EXPECT_STREQ(CheckSpecialCall(e).control, "cmbPine");
    e = Entry(kAlarmInstruction, 1);
    e.alarmNo = "16";
    EXPECT_EQ(CheckSpecialCall(e).problem, kBadChoice);
    e = Entry(kEmergency, 1);
    e.ownId = "12345";
    e.emergencyChannel = "201";
    EXPECT_EQ(CheckSpecialCall(e).problem, kBadChoice);
    e = Entry(99, 1);
    EXPECT_EQ(InstallSpecialCall(d, list, e), kBadChoice);
}

} // namespace
} // namespace vt
