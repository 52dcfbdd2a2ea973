// Option area, key table, ID suffix and setup bytes: the bytes each setting produces and reads.
#include "codec/helpers/CodecFixture.h"

#include "common/TextUtil.h"
#include "editor/codec/OptionAreaTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vt::test {
namespace {

class OptionArea : public ::testing::Test {
protected:
    CodecFixture fx;
    std::unique_ptr<EditorData> d = NewData();
    ImageArray Encode(ImageSource source = ImageSource::File) { return fx.EncodeOk(*d, source); }
    bool HasError(const std::string& field) {
        for (const auto& e : fx.Encode(*d).errors)
            if (e.field == field) return true;
        return false;
    }
};

TEST_F(OptionArea, DefaultSettingsGiveTheDocumentedBytes) {
    ImageArray img = Encode();
    const std::pair<size_t, int> expect[] = {
        {0x02, 0x74}, {0x03, 1},   {0x04, 1},  {0x05, 12}, {0x06, 200}, {0x09, 1},    {0x0A, 50},
        {0x0B, 10},   {0x0D, 1},   {0x0E, 0x84}, {0x14, 0x42}, {0x15, 20}, {0x16, 50}, {0x17, 120},
        {0x18, 2},    {0x19, 10},  {0x1A, 0xDF}, {0x1B, 5},  {0x1C, 100}, {0x25, 0x30}, {0x67, 2},
        {0x68, 1},    {0x6F, 0},   {0x81, 2},  {0x82, 1}};
    for (auto [off, value] : expect) EXPECT_EQ(img[off], value) << "offset 0x" << std::hex << off;
    EXPECT_EQ(std::string(img.begin() + 0x90, img.begin() + 0xA0), "OWN ID          ");
    EXPECT_EQ(img[0x08], fx.tables.DefaultImage[0x08]); // one area: the default area byte is kept
}

TEST_F(OptionArea, AllowChangeFlagsGateTheFixedLevels) {
    SetOption(*d, 0, "2");
    SetOption(*d, 1, "100");
    SetOption(*d, 24, "0");
    SetOption(*d, 37, "3");
    SetOption(*d, 25, "0");
    SetOption(*d, 38, "1");
    SetOption(*d, 26, "0");
    SetOption(*d, 35, "7");
    SetOption(*d, 28, "0");
    SetOption(*d, 36, "4");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x03], 7);
    EXPECT_EQ(img[0x04], 5);
    EXPECT_EQ(img[0x05], 3);
    EXPECT_EQ(img[0x08], 2);
    EXPECT_EQ(img[0x1A] & 0x0F, 8); // allow mute, area and volume change off, call select on
    auto back = fx.Decode(img);
    for (int n : {0, 1, 24, 25, 26, 28, 35, 36, 37, 38}) EXPECT_EQ(OptionField(*back, n), OptionField(*d, n)) << n;
}

// The default channel counts through all areas: with 2 x 100, channel 150 lies in area 2.
TEST_F(OptionArea, DefaultChannelBeyondTheFirstAreaComesBack) {
    SetOption(*d, 0, "2");
    SetOption(*d, 1, "100");
    SetOption(*d, 28, "0");
    for (const char* ch : {"99", "100", "149", "199"}) {
        SetOption(*d, 36, ch);
        ImageArray img = Encode();
        EXPECT_EQ(img[0x04], *ToWhole(ch) + 1) << ch;
        EXPECT_EQ(OptionField(*fx.Decode(img), 36), ch);
    }
    SetOption(*d, 0, "10");
    SetOption(*d, 1, "20");
    SetOption(*d, 36, "44"); // ten areas of 20: channel 45, in area 3
    EXPECT_EQ(Encode()[0x04], 45);
    EXPECT_EQ(OptionField(*fx.Decode(Encode()), 36), "44");
    ImageArray img = Encode();
    img[0x04] = 201; // beyond the 200 channels of the shape
    EXPECT_EQ(OptionField(*fx.Decode(img), 36), "0");
}

TEST_F(OptionArea, TimesComeBackRoundedDownToTheirUnit) {
    SetOption(*d, 5, "155");
    SetOption(*d, 12, "1250");
    SetOption(*d, 6, "7");
    SetOption(*d, 8, "2499");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x0B], 15);
    EXPECT_EQ(img[0x19], 12);
    EXPECT_EQ(img[0x0A], 70);
    auto back = fx.Decode(img);
    EXPECT_EQ(OptionField(*back, 5), "150");
    EXPECT_EQ(OptionField(*back, 12), "1200");
    EXPECT_EQ(OptionField(*back, 6), "7");
    EXPECT_EQ(OptionField(*back, 8), "2490");
}

TEST_F(OptionArea, OwnIdIsStoredAsDigitsAndPackedWhenMarnetIsOff) {
    d->SetFiveToneInfo(WithField(d->FiveToneInfo(), 0, "12234"));
    ImageArray img = Encode();
    const int digits[] = {1, 2, 2, 3, 4};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(img[0x62 + i], digits[i]);
    EXPECT_EQ(img[0x83], 0x21);
    EXPECT_EQ(img[0x84], 0x32);
    EXPECT_EQ(img[0x85], 0x04);
    EXPECT_EQ(img[0x68], 5);
    auto back = fx.Decode(img);
    EXPECT_EQ(Field(back->FiveToneInfo(), 0), "12234");
    EXPECT_EQ(Field(back->FarmMarnetInfo(), 6), "12234"); // MARNET off: F6 reads the own ID's digits
}

TEST_F(OptionArea, EmptyOwnIdDecodesEmpty) {
    ImageArray img = Encode();
    EXPECT_EQ(img[0x0D], 1);
    EXPECT_EQ(img[0x0E], 0x84);
    EXPECT_EQ(img[0x68], 1);
    EXPECT_EQ(Field(fx.Decode(img)->FiveToneInfo(), 0), "");
    // A one-digit ID whose tone code equals the empty marker still reads back.
    d->SetFiveToneInfo(WithField(d->FiveToneInfo(), 0, "0"));
    EXPECT_EQ(Field(fx.Decode(Encode())->FiveToneInfo(), 0), "0");
}

TEST_F(OptionArea, MarnetIdIsPackedWithRepeatCodes) {
    d->SetFarmMarnetInfo("0|||||1|11223|40|0|");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x83], 0xE1);
    EXPECT_EQ(img[0x84], 0xE2);
    EXPECT_EQ(img[0x85], 0x03);
    EXPECT_EQ(img[0x51], 40);
    EXPECT_EQ(std::string(img.begin() + 0x90, img.begin() + 0xA0), "MARNET BASE     ");
    auto back = fx.Decode(img);
    EXPECT_EQ(Field(back->FarmMarnetInfo(), 6), "1R2R3");
    EXPECT_EQ(Field(back->FarmMarnetInfo(), 5), "1");
    EXPECT_EQ(Field(back->FarmMarnetInfo(), 7), "40");
}

TEST_F(OptionArea, GroupIdUsesTheRepeatCode) {
    auto group = [&](const std::string& id) {
        d->SetFarmMarnetInfo(WithField(d->FarmMarnetInfo(), 1, id));
        return Encode();
    };
    ImageArray img = group("122");
    EXPECT_EQ(img[0x20], 1);
    EXPECT_EQ(img[0x21], 2);
    EXPECT_EQ(img[0x22], 14);
    EXPECT_EQ(img[0x69], 1); // copies for the radio
    EXPECT_EQ(img[0x6B], 14);
    EXPECT_EQ(Field(fx.Decode(img)->FarmMarnetInfo(), 1), "122");
    img = group("111");
    EXPECT_EQ(img[0x21], 14);
    EXPECT_EQ(img[0x22], 1);
    img = group("12");
    EXPECT_EQ(img[0x21], 2);
    EXPECT_EQ(img[0x22], fx.tables.DefaultImage[0x22]);
}

TEST_F(OptionArea, SecondReceiverFrequencyWord) {
    d->SetFarmMarnetInfo("0|||||0|||1|145");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x1E], 0xF8);
    EXPECT_EQ(img[0x1F], 0x29);
    EXPECT_EQ(img[0x25], 0x70);
    EXPECT_EQ(img[0x6C], 0xF8);
    auto back = fx.Decode(img);
    EXPECT_EQ(Field(back->FarmMarnetInfo(), 9), "145");
    EXPECT_EQ(Field(back->FarmMarnetInfo(), 8), "1");
    // A word with a zero low byte is still a frequency.
    d->SetFarmMarnetInfo(WithField(d->FarmMarnetInfo(), 9, "145.1"));
    img = Encode();
    EXPECT_EQ(img[0x1E], 0x00);
    EXPECT_EQ(Field(fx.Decode(img)->FarmMarnetInfo(), 9), "145.1");
}

TEST_F(OptionArea, KeysAndTheirNumbers) {
    SetOption(*d, 14, "3");
    SetOption(*d, 15, "7");
    SetOption(*d, 16, "2");
    SetOption(*d, 17, "7");
    SetOption(*d, 18, "5");
    SetOption(*d, 19, "9");
    SetOption(*d, 22, "1");
    SetOption(*d, 23, "42");
    ImageArray img = Encode();
    EXPECT_EQ(img[0x14F6], 0);
    EXPECT_EQ(img[0x14F7], 42);
    EXPECT_EQ(img[0x14F8], 0);
    EXPECT_EQ(img[0x14F9], 0);
    EXPECT_EQ(img[0x14FA], 0);
    EXPECT_EQ(img[0x14FB], 7);
    EXPECT_EQ(img[0x14FC], 2);
    EXPECT_EQ(img[0x1A] & 0x20, 0x20); // some key is ACS
    auto back = fx.Decode(img);
    EXPECT_EQ(OptionField(*back, 14), "3");
    EXPECT_EQ(OptionField(*back, 15), "1");
    EXPECT_EQ(OptionField(*back, 16), "2");
    EXPECT_EQ(OptionField(*back, 17), "7");
    EXPECT_EQ(OptionField(*back, 18), "5"); // ACS, not TRUNK
    EXPECT_EQ(OptionField(*back, 22), "1");
    EXPECT_EQ(OptionField(*back, 23), "42");
}

TEST_F(OptionArea, TrunkKeyStaysTrunkWithoutAcs) {
    SetOption(*d, 20, "4");
    auto back = fx.Decode(Encode());
    EXPECT_EQ(OptionField(*back, 20), "4");
}

TEST_F(OptionArea, IdSuffixOnlyInDataFiles) {
    d->SetFarmMarnetInfo(WithField(d->FarmMarnetInfo(), 2, "AB"));
    ImageArray file = Encode(ImageSource::File), radio = Encode(ImageSource::Radio);
    EXPECT_EQ(std::string(file.begin() + 0x3BB0, file.begin() + 0x3BB5), "ID:AB");
    for (size_t k = 0x3BB0; k < 0x3BB5; ++k) EXPECT_EQ(radio[k], fx.tables.DefaultImage[k]);
    for (size_t k = 0; k < file.size(); ++k)
        if (k < 0x3BB0 || k > 0x3BB4) {
            ASSERT_EQ(file[k], radio[k]) << k;
        }
    EXPECT_EQ(Field(fx.Decode(file, ImageSource::File)->FarmMarnetInfo(), 2), "AB");
    EXPECT_EQ(Field(fx.Decode(file, ImageSource::Radio)->FarmMarnetInfo(), 2), "");
}

TEST_F(OptionArea, ManualSetupBytesTravelBothWays) {
    d->Setup3C00 = 1;
    d->Setup3C01 = 128;
    d->Setup3C02 = 255;
    ImageArray img = Encode(ImageSource::Radio);
    EXPECT_EQ(img[0x3C00], 1);
    EXPECT_EQ(img[0x3C01], 128);
    EXPECT_EQ(img[0x3C02], 255);
    auto back = fx.Decode(img, ImageSource::Radio);
    EXPECT_EQ(back->Setup3C01, 128);
    EXPECT_EQ(back->Setup3C02, 255);
    EXPECT_EQ(back->ManualSetupFlag, 1);
}

TEST_F(OptionArea, ValuesThatDoNotFitAreErrorsNamingTheField) {
    auto fresh = [&] { d = NewData(); };
    SetOption(*d, 9, "9999");
    EXPECT_TRUE(HasError("PTT time-out"));
    fresh();
    SetOption(*d, 0, "11");
    EXPECT_TRUE(HasError("Number of areas"));
    fresh();
    SetOption(*d, 0, "2"); // 2 areas of 200 channels do not fit
    EXPECT_TRUE(HasError("Channels per area"));
    fresh();
    SetOption(*d, 16, "8");
    EXPECT_TRUE(HasError("Key 2 function"));
    fresh();
    SetOption(*d, 2, "2");
    EXPECT_TRUE(HasError("Force scan on"));
    fresh();
    d->SetFiveToneInfo(WithField(d->FiveToneInfo(), 1, "6"));
    EXPECT_TRUE(HasError("Tone set"));
    fresh();
    d->SetFiveToneInfo(WithField(d->FiveToneInfo(), 0, "123456"));
    EXPECT_TRUE(HasError("Own ID"));
    fresh();
    d->SetFiveToneInfo(WithField(d->FiveToneInfo(), 0, "zl")); // packed byte 74 + 16 * 12 passes 255
    EXPECT_TRUE(HasError("Own ID"));
    fresh();
    d->SetFarmMarnetInfo("0|||||1|1234|40|0|");
    EXPECT_TRUE(HasError("MARNET ID"));
    fresh();
    d->SetFarmMarnetInfo("0|||||0|||1|5");
    EXPECT_TRUE(HasError("Second receiver frequency"));
    fresh();
    d->SetRadioOption("1|200");
    EXPECT_TRUE(HasError("Radio options"));
}

TEST_F(OptionArea, DecoderFallsBackWhenTheShapeOrAListIndexIsImpossible) {
    ImageArray img = Encode();
    img[0x09] = 2; // two areas of 200 channels: more than the radio holds
    img[0x03] = 40;
    img[0x05] = 16;
    img[0x04] = 0;
    img[0x14] = 0x55;
    auto back = fx.Decode(img);
    EXPECT_EQ(OptionField(*back, 0), "1");
    EXPECT_EQ(OptionField(*back, 1), "200");
    EXPECT_EQ(OptionField(*back, 35), "1");
    EXPECT_EQ(OptionField(*back, 37), "12");
    EXPECT_EQ(OptionField(*back, 36), "0");
    EXPECT_EQ(Field(back->FiveToneInfo(), 1), "0");
    EXPECT_EQ(back->MFG.Rows(), 202);
    img[0x09] = 0;
    EXPECT_EQ(OptionField(*fx.Decode(img), 0), "1");
}

TEST_F(OptionArea, DecodedStringsHaveTheirFieldCounts) {
    auto back = fx.Decode(Encode());
    EXPECT_EQ(Split(back->RadioOption()).size(), 39u);
    EXPECT_EQ(Split(back->FiveToneInfo()).size(), 6u);
    EXPECT_EQ(Split(back->FarmMarnetInfo()).size(), 10u);
    EXPECT_EQ(back->RadioOption(), d->RadioOption());
}

// The table both directions walk. Two rows on one bit, or one field coded twice, would let one
// setting overwrite another in the image; a field no row codes would be lost on every save.
TEST(OptionAreaTable, EveryFieldIsCodedOnceAndNoTwoRowsShareABit) {
    using optarea::Coding;
    using optarea::Record;
    std::map<size_t, int> claimed;
    std::set<std::pair<Record, int>> coded;
    auto code = [&](Record r, int field) {
        EXPECT_TRUE(coded.insert({r, field}).second) << "field " << field << " coded twice";
    };
    auto claim = [&](size_t offset, int bits) {
        EXPECT_EQ(claimed[offset] & bits, 0) << "offset 0x" << std::hex << offset;
        claimed[offset] |= bits;
    };
    for (size_t i = 0; i < optarea::kRows.size(); ++i) {
        const optarea::Row& r = optarea::kRows[i];
        SCOPED_TRACE("row " + std::to_string(i));
        if (r.record != Record::None) code(r.record, r.field);
        switch (r.coding) {
        case Coding::Fixed: claim(r.offset, r.value); break;
        case Coding::Bit:
            EXPECT_EQ(r.mask & (r.mask - 1), 0) << "a check box holds one bit";
            claim(r.offset, r.mask);
            break;
        case Coding::Choice:
            EXPECT_EQ(r.value & ~r.mask, 0);
            claim(r.offset, r.mask);
            break;
        case Coding::Count:
            code(Record::Farm, r.aux);
            claim(r.offset, 0xFF);
            break;
        case Coding::Step:
            if (r.step == optarea::Step::AcsKey) claim(r.offset, layout::opt::AcsKeyBit);
            continue;
        default: claim(r.offset, 0xFF); break;
        }
        EXPECT_GE(r.offset, layout::kOptionArea);
        EXPECT_LT(r.offset, layout::kDisplayLabel);
    }
    // Coded outside the table: channels per area with the area count, the keys and the alarm input
    // in the key table, the position in the ID suffix. The FARMCALL frequency is not stored.
    code(Record::Option, kOptChInArea);
    for (auto k : optarea::kKeys) {
        code(Record::Option, k.function);
        code(Record::Option, k.number);
    }
    code(Record::Option, kOptComboFunction);
    code(Record::Option, kOptTxtFunction);
    code(Record::Farm, kFarmPosition);
    code(Record::Farm, kFarmFrequency);
    EXPECT_EQ(coded.size(), static_cast<size_t>(kOptionFieldCount + kToneInfoFieldCount + kFarmFieldCount));
}

} // namespace
} // namespace vt::test
