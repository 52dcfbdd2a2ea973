// 5-tone digit codes.
#include "editor/image/ToneCodes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vt;

namespace {
const char* kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F", "R", "G"};
}

TEST(ToneCharToCode, EveryStandardEveryDigit) {
    const uint8_t expect[6][18] = {
        {156, 26, 88, 86, 84, 82, 16, 142, 77, 139, 10, 73, 135, 6, 5, 4, 10, 10},
        {132, 154, 23, 84, 81, 14, 12, 74, 72, 6, 66, 130, 159, 246, 3, 94, 3, 66},
        {132, 154, 23, 84, 81, 14, 12, 74, 72, 6, 34, 130, 159, 246, 30, 94, 30, 34},
        {132, 154, 23, 84, 81, 14, 12, 74, 72, 6, 30, 130, 159, 246, 3, 94, 3, 30},
        {8, 24, 86, 84, 82, 80, 14, 140, 75, 137, 154, 130, 159, 246, 71, 94, 71, 154},
        {8, 24, 86, 84, 82, 80, 14, 140, 75, 137, 132, 130, 159, 246, 71, 94, 71, 132}};
    for (int s = 0; s < 6; ++s)
        for (int d = 0; d < 18; ++d)
            EXPECT_EQ(ToneCharToCode(kDigits[d], std::to_string(s), 0), expect[s][d]) << s << " " << kDigits[d];
}

TEST(ToneCharToCode, ModeOneUsesThePatchForOneLookup) {
    EXPECT_EQ(ToneCharToCode("D", "1", 1), 114);
    EXPECT_EQ(ToneCharToCode("D", "1", 0), 246);
    EXPECT_EQ(ToneCharToCode("C", "5", 1), 0);
    EXPECT_EQ(ToneCharToCode("F", "2", 1), 42);
    EXPECT_EQ(ToneCharToCode("B", "4", 1), 104);
    EXPECT_EQ(ToneCharToCode("D", "0", 1), 6); // EXTEND is not patched
    EXPECT_EQ(ToneCharToCode("A", "3", 1), 30); // nor the other slots
}

TEST(ToneCharToCode, StandardTextAndStrangeCharacters) {
    EXPECT_EQ(ToneCharToCode("5", "0", 0), 82);
    EXPECT_EQ(ToneCharToCode("5", "4", 0), 80);
    EXPECT_EQ(ToneCharToCode("R", "1", 0), 3);
    EXPECT_EQ(ToneCharToCode("G", "2", 0), 34);
    EXPECT_EQ(ToneCharToCode("X", "3", 0), 132);
    EXPECT_EQ(ToneCharToCode("", "3", 0), 132);
    EXPECT_EQ(ToneCharToCode("5", "ZVEI1", 0), 82); // not a number: standard 0
    EXPECT_EQ(ToneCharToCode("5", "", 0), 82);
    EXPECT_FALSE(ToneCharToCode("5", "6", 0));
    EXPECT_FALSE(ToneCharToCode("5", "-1", 0));
}

TEST(ToneDigitToCode, ExtendRow) {
    EXPECT_EQ(ToneDigitToCode("0"), 156);
    EXPECT_EQ(ToneDigitToCode("F"), 4);
    EXPECT_EQ(ToneDigitToCode("R"), 10);
    EXPECT_EQ(ToneDigitToCode("G"), 10);
    EXPECT_EQ(ToneDigitToCode("12"), 0);
    EXPECT_EQ(ToneDigitToCode(""), 0);
    EXPECT_EQ(ToneDigitToCode("Z"), 0);
}

TEST(DigitNumbers, HexAndAlnum) {
    EXPECT_EQ(HexToneDigitCode("R", "EXTEND"), 10);
    EXPECT_EQ(HexToneDigitCode("R", "CCIR"), 14);
    EXPECT_EQ(HexToneDigitCode("G", "EXTEND"), 15);
    EXPECT_EQ(HexToneDigitCode("G", "ZVEI1"), 10);
    EXPECT_EQ(HexToneDigitCode("Z", "EXTEND"), 0);
    EXPECT_EQ(HexToneDigitCode("7", "EEA"), 7);
    EXPECT_EQ(HexToneDigitCode("C", "EEA"), 12);
    EXPECT_EQ(HexToneDigitCode("", "EEA"), 0);
    EXPECT_EQ(AlnumToneDigitCode("a", "1"), 49);
    EXPECT_EQ(AlnumToneDigitCode("Z", "1"), 42);
    EXPECT_EQ(AlnumToneDigitCode("R", "0"), 10);
    EXPECT_EQ(AlnumToneDigitCode("R", "1"), 14);
    EXPECT_EQ(AlnumToneDigitCode("G", "0"), 15);
    EXPECT_EQ(AlnumToneDigitCode("9", "2"), 9);
    EXPECT_EQ(AlnumToneDigitCode("#", "2"), 0);
}

TEST(ToneStringToCodes, Modes) {
    using C = std::array<uint8_t, 6>;
    EXPECT_EQ(ToneStringToCodes("12R45", "ZVEI1", 7, 1), (C{1, 2, 14, 4, 5, 7}));
    EXPECT_EQ(ToneStringToCodes("12R45", "EXTEND", 14, 0), (C{14, 1, 2, 10, 4, 5}));
    EXPECT_EQ(ToneStringToCodes("1G3G5", "EXTEND", 0, 0), (C{0, 1, 15, 3, 15, 5}));
    EXPECT_EQ(ToneStringToCodes("1G3G5", "EEA", 0, 0), (C{0, 1, 10, 3, 10, 5}));
    EXPECT_EQ(ToneStringToCodes("1G3G5", "EEA", 9, 1), (C{1, 0, 3, 0, 5, 9}));
    EXPECT_EQ(ToneStringToCodes("ABCDEF", "EEA", 9, 2), (C{10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(ToneStringToCodes("12", "EEA", 9, 1), (C{1, 2, 0, 0, 0, 9})); // short text
    EXPECT_EQ(ToneStringToCodes("", "EEA", 3, 0), (C{3, 0, 0, 0, 0, 0}));
}

TEST(DecoderForms, CodesBytesNibbles) {
    std::vector<uint8_t> c1{1, 2, 14, 3, 10};
    EXPECT_EQ(CodesToToneString(c1), "1223G");
    std::vector<uint8_t> c2{14, 17, 42, 49, 74, 11, 255, 0};
    EXPECT_EQ(CodesToToneString(c2), "AZaz0");
    std::vector<uint8_t> c3{10, 14};
    EXPECT_EQ(CodesToToneString(c3), "GG");
    EXPECT_EQ(CodesToToneString({}), "");
    EXPECT_EQ(BytesToToneString(0x21, 0x43, 0xE5, 14), "12345");
    EXPECT_EQ(BytesToToneString(0x21, 0x1E, 0x00, 14), "12R10");
    EXPECT_EQ(BytesToToneString(0xFA, 0xFF, 0xFF, 14), "");
    for (int n = 0; n < 16; ++n) EXPECT_EQ(NibbleToHexChar(uint8_t(n)), std::string(1, "0123456789ABCDEF"[n]));
    EXPECT_EQ(NibbleToHexChar(16), "");
}

// Every digit of every standard written as a digit number reads back through the decoder forms.
TEST(DecoderForms, DigitNumbersRoundTrip) {
    for (int d = 0; d < 16; ++d) {
        uint8_t code = HexToneDigitCode(kDigits[d], "ZVEI1");
        EXPECT_EQ(NibbleToHexChar(code), kDigits[d]);
    }
    for (const char* s : {"0", "9", "A", "Z", "a", "z"}) {
        uint8_t code = AlnumToneDigitCode(s, "1");
        std::vector<uint8_t> one{code};
        EXPECT_EQ(CodesToToneString(one), s);
    }
}
