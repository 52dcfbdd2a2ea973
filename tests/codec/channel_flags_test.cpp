// Flag table and signalling fields: tones, DCS codes, deviation, BCL, SCAN, 5-tone and ANI.
#include "codec/helpers/CodecFixture.h"

#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

namespace vt::test {
namespace {

constexpr int kEnc = ColCtcssEnc, kDec = ColCtcssDec, kDcsEnc = ColDcsEnc, kDcsDec = ColDcsDec, kBcl = ColBcl,
              kScan = ColScan, kFive = ColFiveTone, kAni = ColAni, kCtDev = ColCtDev;

// As the byte map gives them: channel slot s from 0x1600 on, 48 bytes a slot; the second receiver's at 0x3B80.
size_t Slot(int s) { return s == 201 ? 0x3B80 : 0x1600 + static_cast<size_t>(s - 1) * 48; }

class ChannelFlags : public ::testing::Test {
protected:
    CodecFixture fx;
    std::unique_ptr<EditorData> d = NewData();
    ImageArray Encode() { return fx.EncodeOk(*d); }
    void ExpectBytes(const ImageArray& img, size_t at, std::initializer_list<uint8_t> bytes) {
        size_t k = 0;
        for (uint8_t b : bytes) EXPECT_EQ(img[at + k++], b) << "offset 0x" << std::hex << at + k - 1;
    }
};

TEST_F(ChannelFlags, FlagByteOfAScanningBusyLockedToneChannel) {
    SetCell(*d, 3, kScan, "TS");
    SetCell(*d, 3, kBcl, "YES");
    SetCell(*d, 3, kEnc, "151.4");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x1502], 0x65);
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(3, kScan), "TS");
    EXPECT_EQ(back->MFG.TextMatrix(3, kBcl), "YES");
    EXPECT_EQ(back->MFG.TextMatrix(3, kEnc), "151.4");
}

// Each SCAN letter has its own bit of the slot's flag byte (0x1500 on, one a slot): T 0x40, S 0x01.
TEST_F(ChannelFlags, EachScanLetterSetsItsOwnBit) {
    const std::pair<const char*, int> scans[] = {{"T", 0x40}, {"S", 0x01}, {"TS", 0x41}, {"TP", 0x40}, {"NO", 0x00}};
    int r = 1;
    for (auto [scan, bits] : scans) SetCell(*d, r++, kScan, scan);
    ImageArray img = Encode();
    auto back = fx.Decode(img);
    r = 1;
    for (auto [scan, bits] : scans) {
        EXPECT_EQ(img[0x1500 + r - 1] & 0x41, bits) << scan;
        const std::string text = scan == std::string("NO") ? "" : scan;
        EXPECT_EQ(back->MFG.TextMatrix(r++, kScan), text) << scan;
    }
}

TEST_F(ChannelFlags, CtcssEncodeWordHighToneBitAndDeviation) {
    SetCell(*d, 1, kEnc, "151.4");
    SetCell(*d, 1, kCtDev, "250");
    SetCell(*d, 2, kEnc, "150.0");
    SetCell(*d, 3, kEnc, "149.9");
    SetCell(*d, 4, kEnc, "67.0");
    SetCell(*d, 4, kCtDev, "100");
    ImageArray img = Encode();
    auto w = fx.EncWord(1514);
    ExpectBytes(img, Slot(1) + 2, {w[0], w[1]});
    EXPECT_EQ(img[Slot(1) + 1] & 0x20, 0x20);
    auto dev = fx.DevEntry(3, 24);
    ExpectBytes(img, Slot(1) + 6, {dev[0], dev[1], dev[2]});
    EXPECT_EQ(img[Slot(1) + 9], fx.tables.DefaultImage[Slot(1) + 9]);
    EXPECT_EQ(img[Slot(2) + 1] & 0x20, 0x20);
    dev = fx.DevEntry(3, 24);
    ExpectBytes(img, Slot(2) + 6, {dev[0], dev[1], dev[2]});
    EXPECT_EQ(img[Slot(3) + 1] & 0x20, 0);
    dev = fx.DevEntry(3, 23);
    ExpectBytes(img, Slot(3) + 6, {dev[0], dev[1], dev[2]});
    w = fx.EncWord(670);
    ExpectBytes(img, Slot(4) + 2, {w[0], w[1]});
    dev = fx.DevEntry(0, 0);
    ExpectBytes(img, Slot(4) + 6, {dev[0], dev[1], dev[2]});
}

TEST_F(ChannelFlags, HighToneBitRunsDownRowsWithoutATone) {
    SetCell(*d, 2, kEnc, "162.2");
    SetCell(*d, 4, kEnc, "100.0");
    SetCell(*d, 5, kDcsEnc, "023");
    SetCell(*d, 7, kEnc, "203.5");
    ImageArray img = Encode();
    const int expect[] = {0, 1, 1, 0, 0};
    for (int r = 1; r <= 5; ++r) EXPECT_EQ((img[Slot(r) + 1] >> 5) & 1, expect[r - 1]) << r;
    EXPECT_EQ(img[Slot(201) + 1] & 0x20, 0x20); // the second receiver follows row 200, after row 7
}

TEST_F(ChannelFlags, DcsEncodeWithItsDeviationByte) {
    const std::pair<const char*, int> devs[] = {{"250", 13}, {"100", 5}, {"120", 6}, {"140", 7}, {"500", 25}, {"", 15}};
    int r = 1;
    for (auto [dev, expect] : devs) {
        SetCell(*d, r, kDcsEnc, "023");
        SetCell(*d, r, kCtDev, dev);
        ++r;
    }
    ImageArray img = Encode();
    auto e = fx.DcsEntry(0);
    ExpectBytes(img, Slot(1) + 2, {0xF8, 0xE2, img[Slot(1) + 4], img[Slot(1) + 5], e[0], e[1], e[2]});
    EXPECT_EQ(img[0x1500] & 0x10, 0x10);
    r = 1;
    for (auto [dev, expect] : devs) EXPECT_EQ(img[Slot(r++) + 9], expect) << dev;
    EXPECT_EQ(fx.Decode(img)->MFG.TextMatrix(1, kDcsEnc), "023");
}

TEST_F(ChannelFlags, DcsDecodeAlone) {
    SetCell(*d, 1, kDcsDec, "754");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x1500], 0x08);
    auto e = fx.DcsEntry(103);
    ExpectBytes(img, Slot(1) + 4, {0xEA, 0xFE});
    ExpectBytes(img, Slot(1) + 0x0A, {e[0], e[1], e[2]});
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(1, kDcsDec), "754");
    EXPECT_EQ(back->MFG.TextMatrix(1, kDec), "");
}

TEST_F(ChannelFlags, CtcssDecodeWord) {
    SetCell(*d, 2, kDec, "88.5");
    ImageArray img = Encode();
    auto w = fx.DecWord(885);
    ExpectBytes(img, Slot(2) + 4, {w[0], w[1]});
    EXPECT_EQ(fx.Decode(img)->MFG.TextMatrix(2, kDec), "88.5");
}

TEST_F(ChannelFlags, FiveToneResponseAndAni) {
    SetCell(*d, 1, kFive, "APM");
    SetCell(*d, 1, kAni, "TO");
    SetCell(*d, 2, kAni, "LO");
    ImageArray img = Encode();
    EXPECT_EQ(img[Slot(1) + 1], 0xCE);
    img[Slot(3) + 1] = 0x03; // both ANI bits
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(1, kFive), "APM");
    EXPECT_EQ(back->MFG.TextMatrix(1, kAni), "TO");
    EXPECT_EQ(back->MFG.TextMatrix(2, kAni), "LO");
    EXPECT_EQ(back->MFG.TextMatrix(3, kAni), "L");
}

TEST_F(ChannelFlags, SecondReceiverUsesItsOwnFlagAndSlot) {
    SetOption(*d, 1, "20");
    AdjustArea_Marnet(*d);
    int last = d->MFG.Rows() - 1;
    SetCell(*d, last, kEnc, "88.5");
    SetCell(*d, last, kCtDev, "300");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x15C8], 0x04);
    auto w = fx.EncWord(885);
    ExpectBytes(img, 0x3B82, {w[0], w[1]});
    auto dev = fx.DevEntry(4, 8);
    ExpectBytes(img, 0x3B86, {dev[0], dev[1], dev[2]});
    for (size_t k = 0x1514; k < 0x15C8; ++k) ASSERT_EQ(img[k], fx.tables.DefaultImage[k]) << k;
    auto back = fx.Decode(img);
    int blast = back->MFG.Rows() - 1;
    EXPECT_EQ(back->MFG.TextMatrix(blast, kEnc), "88.5");
    EXPECT_EQ(back->MFG.TextMatrix(blast, kCtDev), "300");
}

TEST_F(ChannelFlags, PriorityChannelTravelsInTheOptionArea) {
    SetOption(*d, 0, "2");
    SetOption(*d, 1, "50");
    AdjustArea_Marnet(*d);
    SetCell(*d, 57, kScan, "P");
    SetCell(*d, 3, kScan, "SP");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x28], 3);
    EXPECT_EQ(img[0x29], 7);
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(57, kScan), "P");
    EXPECT_EQ(back->MFG.TextMatrix(3, kScan), "SP");
    img[0x29] = 51; // beyond its area
    back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(101, kScan), "");
    EXPECT_EQ(back->MFG.TextMatrix(57, kScan), "");
}

TEST_F(ChannelFlags, AcsLetterFollowsTheKeys) {
    SetOption(*d, 14, "5");
    SetCell(*d, 2, kScan, "AS");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x1501], 0x41);
    EXPECT_EQ(fx.Decode(img)->MFG.TextMatrix(2, kScan), "AS");
    SetOption(*d, 14, "4");
    EXPECT_EQ(fx.Decode(Encode())->MFG.TextMatrix(2, kScan), "TS");
}

TEST_F(ChannelFlags, CtDevIsReadBackFromTheDeviationEntry) {
    SetCell(*d, 1, kEnc, "100.0");
    SetCell(*d, 1, kCtDev, "350");
    SetCell(*d, 2, kEnc, "100.0");
    SetCell(*d, 2, kCtDev, "");
    SetCell(*d, 3, kDcsEnc, "023");
    SetCell(*d, 3, kCtDev, "400");
    auto back = fx.Decode(Encode());
    EXPECT_EQ(back->MFG.TextMatrix(1, kCtDev), "350");
    EXPECT_EQ(back->MFG.TextMatrix(2, kCtDev), "250"); // nothing stored: the New value
    EXPECT_EQ(back->MFG.TextMatrix(3, kCtDev), "400"); // from the DCS deviation byte
}

// Every step on a DCS channel, on the first and the last code and on the second receiver,
// comes back, and the next encode writes the same deviation byte.
TEST_F(ChannelFlags, CtDevOfDcsChannelsComesBackWithItsByte) {
    const char* steps[] = {"100", "150", "200", "250", "300", "350", "400", "450", "500"};
    int r = 1;
    for (const char* code : {"023", "754"})
        for (const char* step : steps) {
            SetCell(*d, r, kDcsEnc, code);
            SetCell(*d, r++, kCtDev, step);
        }
    const int last = d->MFG.Rows() - 1;
    SetCell(*d, last, kDcsEnc, "754");
    SetCell(*d, last, kCtDev, "450");
    ImageArray img = Encode();
    auto back = fx.Decode(img);
    r = 1;
    for (const char* code : {"023", "754"})
        for (const char* step : steps) {
            EXPECT_EQ(back->MFG.TextMatrix(r, kDcsEnc), code) << r;
            EXPECT_EQ(back->MFG.TextMatrix(r++, kCtDev), step) << code;
        }
    EXPECT_EQ(back->MFG.TextMatrix(back->MFG.Rows() - 1, kCtDev), "450");
    ImageArray again = fx.EncodeOk(*back);
    for (int s = 1; s <= 201; ++s) ASSERT_EQ(again[Slot(s) + 9], img[Slot(s) + 9]) << "slot " << s;
}

TEST_F(ChannelFlags, CtDevThatCannotBeStoredIsAnError) {
    SetCell(*d, 1, kEnc, "88.5");
    SetCell(*d, 1, kCtDev, "250");
    SetCell(*d, 4, kEnc, "88.5");
    SetCell(*d, 4, kCtDev, "abc");
    SetCell(*d, 6, kEnc, "151.4");
    SetCell(*d, 6, kCtDev, "600");
    // A DCS channel's byte holds 21 values; these would come back as 300, 120 and 180.
    const std::pair<int, const char*> dcs[] = {{7, "abc"}, {8, "99"}, {9, "176"}};
    for (auto [r, dev] : dcs) {
        SetCell(*d, r, kDcsEnc, "023");
        SetCell(*d, r, kCtDev, dev);
    }
    auto errors = fx.Encode(*d).errors;
    ASSERT_EQ(errors.size(), 5u) << ErrorListText(errors);
    EXPECT_EQ(errors[0].field, "CT DEV");
    EXPECT_EQ(errors[0].row, 4);
    EXPECT_NE(errors[0].message.find("channel row 4"), std::string::npos) << errors[0].message;
    EXPECT_EQ(errors[1].row, 6);
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(errors[2 + k].row, dcs[k].first);
        EXPECT_NE(errors[2 + k].message.find("channel row " + std::to_string(dcs[k].first)), std::string::npos);
    }
    SetCell(*d, 4, kCtDev, "");
    SetCell(*d, 6, kCtDev, "500");
    SetCell(*d, 7, kCtDev, "420");
    SetCell(*d, 8, kCtDev, "");
    SetCell(*d, 9, kCtDev, "180");
    ImageArray img = fx.EncodeOk(*d); // empty: nothing to store, or the byte of a blank text
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(7, kCtDev), "420");
    EXPECT_EQ(back->MFG.TextMatrix(9, kCtDev), "180");
}

// A free tone comes back as stored, also 0.1 Hz beside a list tone; it snaps onto the list tone
// only where its word is the list tone's too, as in a table that holds one word twice.
TEST_F(ChannelFlags, FreeTonesComeBackOrSnapToANeighbour) {
    auto share = [](auto& tbl, int tenths, int withTenths) {
        const auto at = 2 * static_cast<size_t>(tenths - 670), from = 2 * static_cast<size_t>(withTenths - 670);
        tbl[at] = tbl[from];
        tbl[at + 1] = tbl[from + 1];
    };
    share(fx.conv.EncTbl, 1513, 1514); // 151.3 Hz stands before the list tone 151.4 Hz
    share(fx.conv.DecTbl, 1513, 1514);
    share(fx.conv.DecTbl, 2100, 1965); // 196.5 Hz stands once more, at 210.0 Hz
    const struct {
        int col;
        const char* tone;
        const char* back;
    } cases[] = {{kEnc, "201.0", "201.0"}, {kEnc, "151.5", "151.5"}, {kEnc, "123.4", "123.4"},
                 {kEnc, "196.5", "196.5"}, {kEnc, "233.7", "233.7"}, {kEnc, "151.4", "151.4"},
                 {kDec, "151.4", "151.4"}, {kDec, "196.5", "196.5"}};
    int row = 0;
    for (const auto& c : cases) SetCell(*d, ++row, c.col, c.tone);
    auto back = fx.Decode(Encode());
    row = 0;
    for (const auto& c : cases) EXPECT_EQ(back->MFG.TextMatrix(++row, c.col), c.back) << c.tone;
}

TEST_F(ChannelFlags, UnknownCodeWordsDecodeToTheDocumentedFallbacks) {
    SetCell(*d, 1, kEnc, "88.5");
    SetCell(*d, 1, kDcsDec, "023");
    ImageArray img = Encode();
    img[Slot(1) + 2] = 0x01;
    img[Slot(1) + 0x0A] = 0x01;
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(1, kEnc), "67.0");
    EXPECT_EQ(back->MFG.TextMatrix(1, kDcsDec), "");
}

TEST_F(ChannelFlags, TextsOutsideTheListsAreErrors) {
    SetCell(*d, 1, kEnc, "300.0");
    SetCell(*d, 2, kDec, "abc");
    SetCell(*d, 3, kDcsEnc, "024");
    SetCell(*d, 4, kDcsDec, "999");
    auto errors = fx.Encode(*d).errors;
    ASSERT_EQ(errors.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(errors[static_cast<size_t>(i)].row, i + 1);
    EXPECT_EQ(errors[2].field, "DCS ENC");
}

} // namespace
} // namespace vt::test
