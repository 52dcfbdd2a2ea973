// 5-tone records, special calls and the emergency table.
#include "codec/helpers/CodecFixture.h"

#include "editor/dataset/GridRules.h"

#include "common/TextUtil.h"

#include <gtest/gtest.h>

namespace vt::test {
namespace {

// As the byte map gives them: 5-tone line n from 0x00A0 on, 32 bytes a line.
size_t Rec(int n) { return 0xA0 + static_cast<size_t>(n - 1) * 32; }

class ToneRecords : public ::testing::Test {
protected:
    CodecFixture fx;
    std::unique_ptr<EditorData> d = NewData();
    ImageArray Encode() { return fx.EncodeOk(*d); }
    void Line(int n, const std::string& text, const std::string& kind, std::initializer_list<std::pair<int, std::string>> special = {}) {
        d->SetFiveToneLine(n, text);
        d->SetSpecialField(n, 1, kind);
        for (auto& [k, v] : special)
            d->SetSpecialField(n, static_cast<size_t>(k), v);
    }
    std::vector<ImageError> Errors() { return fx.Encode(*d).errors; }
};

TEST_F(ToneRecords, PlainCallDigitsTriesAndCount) {
    Line(1, "CALL 12345|ZVEI1|HQ|12|3|", "0");
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1)], 12);
    EXPECT_EQ(img[Rec(1) + 1], 0x02);
    EXPECT_EQ(img[Rec(1) + 2], 0x65);
    EXPECT_EQ(img[Rec(1) + 3], 0x21);
    EXPECT_EQ(img[Rec(1) + 4], 0x43);
    EXPECT_EQ(img[Rec(1) + 5], 0x05);
    EXPECT_EQ(std::string(img.begin() + static_cast<long>(Rec(1) + 0x10), img.begin() + static_cast<long>(Rec(1) + 0x20)),
              "HQ              ");
    auto back = fx.Decode(img);
    EXPECT_EQ(back->FiveToneChannels()[1], "CALL 12345|ZVEI1|HQ|12|3|");
    EXPECT_EQ(back->SpecialData()[1][1], "0");
}

TEST_F(ToneRecords, LongCallsKeepTheirTries) {
    Line(1, "CALL 12345678901234567890|CCIR||1|3|", "0");
    Line(2, "CALL 1234567890123456|EEA||1|7|", "0");
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1) + 2], 0x74);
    EXPECT_EQ(img[Rec(2) + 2], 0xF0);
    auto back = fx.Decode(img);
    EXPECT_EQ(back->FiveToneChannels()[1], "CALL 12345678901234567890|CCIR||1|3|");
    EXPECT_EQ(back->FiveToneChannels()[2], "CALL 1234567890123456|EEA||1|7|");
}

TEST_F(ToneRecords, RepeatDigitDependsOnTheStandard) {
    Line(1, "CALL 1R|ZVEI1||1|1|", "0");
    Line(2, "CALL 1R|EXTEND||1|1|", "0");
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1) + 3], 0xE1);
    EXPECT_EQ(img[Rec(2) + 3], 0xA1);
    auto back = fx.Decode(img);
    EXPECT_EQ(Field(back->FiveToneChannels()[1], 0), "CALL 1E");
    EXPECT_EQ(Field(back->FiveToneChannels()[2], 0), "CALL 1A");
}

TEST_F(ToneRecords, ChannelNumbersAndCurrent) {
    Line(1, "CALL 1|ZVEI1||CURRENT|1|", "0");
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1)], 0);
    img[Rec(2)] = 202;
    img[Rec(3)] = 201;
    auto back = fx.Decode(img);
    EXPECT_EQ(Field(back->FiveToneChannels()[1], 3), "CURRENT");
    EXPECT_EQ(Field(back->FiveToneChannels()[2], 3), "CURRENT");
    EXPECT_EQ(Field(back->FiveToneChannels()[3], 3), "201");
}

TEST_F(ToneRecords, UnusedAndClearedLines) {
    d->SetFiveToneLine(5, "");
    d->SetSpecialField(5, 4, "kept");
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1) + 1], 0xF2);
    for (size_t k = 0; k < 32; ++k) EXPECT_EQ(img[Rec(5) + k], fx.tables.DefaultImage[Rec(5) + k]);
    auto dec = NewData();
    dec->MemImage = img;
    dec->SetFiveToneLine(5, "");
    dec->SetSpecialField(5, 4, "kept");
    DecodeImage(img, fx.tables, ImageSource::File, *dec);
    EXPECT_EQ(Field(dec->FiveToneChannels()[1], 1), "ZVEI1");
    EXPECT_EQ(dec->SpecialData()[1][1], "15");
    EXPECT_EQ(dec->FiveToneChannels()[5], "");
    EXPECT_EQ(dec->SpecialData()[5][1], "");
    EXPECT_EQ(dec->SpecialData()[5][4], "kept");
}

TEST_F(ToneRecords, CodeFetchAndAlarmQuery) {
    Line(1, "ROBOT 12345 PIN 3 TOGG|ZVEI1||1|2|", "1", {{8, "TOGG"}, {9, "3"}, {10, "12345"}});
    Line(2, "ROBOT 54321 QUERY ALARM|ZVEI1||1|2|", "1", {{10, "54321"}});
    Line(3, "x|ZVEI1||1|2|", "1", {{8, "3"}, {9, "2"}, {10, "12345"}}); // older level by position
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1) + 2], 2 * 32 + 6);
    EXPECT_EQ(img[Rec(1) + 3], 0x1E); // 14, then the ID digits
    EXPECT_EQ(img[Rec(1) + 7], 6);
    EXPECT_EQ(img[Rec(1) + 8], 4);
    EXPECT_EQ(img[Rec(1) + 9], 26); // tone code of "1"
    EXPECT_EQ(img[Rec(1) + 0x0E], 0x32);
    EXPECT_EQ(img[Rec(2) + 0x0E], 0xF0);
    EXPECT_EQ(img[Rec(3) + 0x0E], 0x22);
    auto back = fx.Decode(img);
    EXPECT_EQ(Field(back->FiveToneChannels()[1], 0), "ROBOT 12345 PIN 3 TOGG");
    EXPECT_EQ(back->SpecialData()[1][8], "TOGG");
    EXPECT_EQ(back->SpecialData()[1][9], "3");
    EXPECT_EQ(Field(back->FiveToneChannels()[2], 0), "ROBOT 54321 QUERY ALARM");
    EXPECT_EQ(back->SpecialData()[2][8], "LOW");
    EXPECT_EQ(back->SpecialData()[2][9], "");
}

TEST_F(ToneRecords, AlarmPanicEmergencyAndNetworkCalls) {
    Line(1, "ROBOT 12345 ALARM|ZVEI1||1|1|", "3", {{9, "1"}, {10, "12345"}});
    Line(2, "ROBOT 12345 PANIC|ZVEI1||1|1|", "2", {{9, "15"}, {10, "12345"}});
    Line(7, "EMERGENCY|ZVEI1||1|1|", "5", {{9, "123"}});
    Line(8, "MARNET 12345|ZVEI1||1|1|", "10", {{10, "12345"}});
    Line(9, "FARMCALL 123456|ZVEI1||1|1|", "6", {{10, "123456"}});
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1) + 3], 0xCB);
    EXPECT_EQ(img[Rec(1) + 4], 0x21);
    EXPECT_EQ(img[Rec(1) + 6], 0x75); // digit 5, then the alarm filler 7
    EXPECT_EQ(img[Rec(2) + 3], 0xEE);
    EXPECT_EQ(img[Rec(2) + 6], 0x55);
    EXPECT_EQ(img[Rec(7) + 3], 0x21);
    EXPECT_EQ(img[Rec(7) + 4], 0xA3);
    EXPECT_EQ(img[Rec(7) + 0x0E], 0x87);
    EXPECT_EQ(img[Rec(8) + 3], 0x21);
    EXPECT_EQ(img[Rec(8) + 4], 0x43);
    EXPECT_EQ(img[Rec(8) + 5], 0x05);
    EXPECT_EQ(img[Rec(8) + 8], 0x4A);
    EXPECT_EQ(img[Rec(9) + 5], 0x65);
    auto back = fx.Decode(img);
    EXPECT_EQ(back->SpecialData()[1][9], "1");
    EXPECT_EQ(Field(back->FiveToneChannels()[1], 0), "ROBOT 12345 ALARM");
    EXPECT_EQ(back->SpecialData()[2][9], "15");
    EXPECT_EQ(Field(back->FiveToneChannels()[2], 0), "ROBOT 12345 PANIC");
    EXPECT_EQ(back->SpecialData()[7][9], "123");
    EXPECT_EQ(Field(back->FiveToneChannels()[8], 0), "MARNET 12345");
    EXPECT_EQ(Field(back->FiveToneChannels()[9], 0), "FARMCALL 123456");
}

TEST_F(ToneRecords, CallsToAnotherUserCarryTheirMessageNumber) {
    Line(1, "CALL 12345 MESS NO 12|ZVEI1||1|1|", "8", {{8, "12"}, {10, "12345"}});
    Line(2, "CALL 54321|ZVEI1||1|1|", "0", {{2, "8"}, {8, "3"}, {10, "54321"}});
    Line(3, "CALL 12345 MESS NO |ZVEI1||1|1|", "8", {{10, "12345"}});
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1) + 0x0E], 0x8C);
    EXPECT_EQ(img[Rec(2) + 0x0E], 0x83);
    EXPECT_EQ(img[Rec(2) + 2] & 0x1F, 5);
    img[Rec(3) + 0x0E] = 0x10; // no message: not a number below 0x80
    auto back = fx.Decode(img);
    EXPECT_EQ(Field(back->FiveToneChannels()[1], 0), "CALL 12345 MESS NO 12");
    EXPECT_EQ(back->SpecialData()[1][8], "12");
    EXPECT_EQ(Field(back->FiveToneChannels()[2], 0), "CALL 54321");
    EXPECT_EQ(back->SpecialData()[2][2], "8");
    EXPECT_EQ(back->SpecialData()[2][8], "3");
    EXPECT_EQ(back->SpecialData()[2][10], "54321");
    EXPECT_EQ(back->SpecialData()[3][8], "");
}

TEST_F(ToneRecords, EmergencyTableNamesTheLastLineOfEachNumber) {
    d->SetFiveToneInfo(WithField(d->FiveToneInfo(), 1, "3"));
    Line(2, "CALL 1|ZVEI1||1|1|4", "0");
    Line(9, "CALL 2|ZVEI1||1|1|4", "0");
    Line(5, "CALL 3|ZVEI1||1|1|10", "0");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x0D21], 4);
    EXPECT_EQ(img[0x0E90 + 6], 9);
    EXPECT_EQ(img[0x0E90 + 7], 1);
    EXPECT_EQ(img[0x0E90 + 18], 5);
    EXPECT_EQ(img[0x0E90 + 0], 0);
    EXPECT_EQ(img[0x0E90 + 1], 4);
    auto back = fx.Decode(img);
    EXPECT_EQ(Field(back->FiveToneChannels()[9], 5), "4");
    EXPECT_EQ(Field(back->FiveToneChannels()[2], 5), "");
    EXPECT_EQ(Field(back->FiveToneChannels()[5], 5), "10");
    img[0x0E90 + 7] = 2; // not marked as naming a line
    img[0x0E90 + 18] = 150;
    back = fx.Decode(img);
    EXPECT_EQ(Field(back->FiveToneChannels()[9], 5), "");
}

TEST_F(ToneRecords, ASeparatorReadFromTheImageNeverSplitsALine) {
    ImageArray img = Encode();
    img[Rec(4) + 0x10] = 'A';
    img[Rec(4) + 0x11] = '|';
    img[Rec(4) + 0x12] = 'B';
    img[0x3BB3] = '|';
    img[0x3BB4] = 'x';
    auto back = fx.Decode(img);
    EXPECT_EQ(Field(back->FiveToneChannels()[4], 2), "A B");
    EXPECT_EQ(Split(back->FiveToneChannels()[4]).size(), 6u);
    EXPECT_EQ(Field(back->FarmMarnetInfo(), 2), " x");
    EXPECT_EQ(Split(back->FarmMarnetInfo()).size(), 10u);
}

// Station IDs with the repeat mark "R" and with "G": the packed nibbles send "R" like "E" (and
// "G" like "0"), the code bytes tell them apart, so an untouched line reads back as stored and
// the next encode writes the same record.
TEST_F(ToneRecords, StationIdsComeBackAsStoredAndAreWrittenBackUnchanged) {
    Line(1, "ROBOT 5R6R7 QUERY ALARM|ZVEI1||1|1|", "1", {{10, "5R6R7"}});
    Line(2, "ROBOT 1G2E3 PIN 4 HIGH|EXTEND||1|1|", "1", {{8, "HIGH"}, {9, "4"}, {10, "1G2E3"}});
    Line(3, "ROBOT 5R6R7 ALARM|ZVEI2||1|1|", "3", {{9, "2"}, {10, "5R6R7"}});
    Line(4, "ROBOT 9E8G7 PANIC|DZVEI||1|1|", "2", {{9, "3"}, {10, "9E8G7"}});
    Line(5, "CALL 5R6R7 MESS NO 4|ZVEI1||1|1|", "8", {{8, "4"}, {10, "5R6R7"}});
    Line(6, "CALL AGRE0 MESS NO 4|EEA||1|1|", "8", {{8, "4"}, {10, "AGRE0"}});
    Line(7, "ROBOT 1E2 ALARM|ZVEI1||1|1|", "3", {{9, "1"}, {10, "1E2"}}); // too short to be packed
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1) + 0x0A], 0x0A); // "R", where "E" would be 0x05
    auto back = fx.Decode(img);
    const char* ids[] = {"5R6R7", "1G2E3", "5R6R7", "9E8G7", "5R6R7", "AGRE0", "1E2"};
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(back->SpecialData()[n][10], ids[n - 1]) << "line " << n;
    EXPECT_EQ(Field(back->FiveToneChannels()[1], 0), "ROBOT 5R6R7 QUERY ALARM");
    EXPECT_EQ(Field(back->FiveToneChannels()[5], 0), "CALL 5R6R7 MESS NO 4");
    ImageArray again = fx.EncodeOk(*back);
    for (int n = 1; n <= 7; ++n)
        for (size_t k = 0; k < 32; ++k) ASSERT_EQ(again[Rec(n) + k], img[Rec(n) + k]) << "line " << n << " byte " << k;
}

// Code bytes that fit no ID, as in an image from elsewhere: the packed text is read as before.
TEST_F(ToneRecords, StationIdOfForeignCodeBytesIsReadFromThePackedDigits) {
    Line(1, "ROBOT 12345 ALARM|ZVEI1||1|1|", "3", {{9, "2"}, {10, "12345"}});
    ImageArray img = Encode();
    img[Rec(1) + 0x0B] = 0x99;
    EXPECT_EQ(fx.Decode(img)->SpecialData()[1][10], "12345");
    img[Rec(1) + 0x0B] = 0; // a gap before the last digits
    EXPECT_EQ(fx.Decode(img)->SpecialData()[1][10], "12345");
}

// A call with reply whose ID is shorter than five: the unused positions hold code 0.
TEST_F(ToneRecords, ShortIdOfACallWithReplyLeavesZeroCodes) {
    Line(1, "CALL 123 MESS NO 2|ZVEI1||1|1|", "8", {{8, "2"}, {10, "123"}});
    Line(2, "CALL  MESS NO 2|ZVEI1||1|1|", "8", {{8, "2"}});
    ImageArray img = Encode();
    EXPECT_EQ(img[Rec(1) + 0x08], 26); // "1"
    EXPECT_EQ(img[Rec(1) + 0x0A], 86); // "3"
    EXPECT_EQ(img[Rec(1) + 0x0B], 0);
    EXPECT_EQ(img[Rec(1) + 0x0C], 0);
    for (size_t k = 0x08; k <= 0x0C; ++k) EXPECT_EQ(img[Rec(2) + k], 0) << k;
    auto back = fx.Decode(img);
    EXPECT_EQ(back->SpecialData()[1][10], "123");
    EXPECT_EQ(back->SpecialData()[2][10], "");
}

TEST_F(ToneRecords, ValuesThatDoNotFitAreErrors) {
    Line(1, "CALL 1|ZVEI1||256|1|", "0");
    Line(2, "CALL 123456789012345678901|ZVEI1||1|1|", "0");
    Line(3, "CALL 1|ZVEI1|ABCDEFGHIJKLMNOPQ|1|1|", "0");
    Line(4, "CALL 1|ZVEI1||1|1|11", "0");
    Line(5, "ROBOT|ZVEI1||1|1|", "3", {{9, "16"}, {10, "12345"}});
    Line(6, "ROBOT|ZVEI1||1|1|", "1", {{8, "HIGH"}, {9, "16"}, {10, "12345"}});
    Line(7, "CALL|ZVEI1||1|1|", "8", {{8, "128"}, {10, "12345"}});
    Line(8, "CALL 1|ZVEI1||1|8|", "0");
    Line(9, "ROBOT|ZVEI1||1|1|", "1", {{8, "LOUD"}, {9, "2"}, {10, "12345"}});
    auto errors = Errors();
    ASSERT_EQ(errors.size(), 9u);
    for (int n = 1; n <= 9; ++n) {
        int hits = 0;
        for (const auto& e : errors) hits += e.message.find("5-tone line " + std::to_string(n) + " ") == 0 ||
                                             e.message.find("5-tone line " + std::to_string(n) + ":") == 0;
        EXPECT_EQ(hits, 1) << "line " << n;
    }
}

} // namespace
} // namespace vt::test
