// Channel slots: marks, frequency words, voltages, power, names, Sel Call and the grid rebuild.
#include "codec/helpers/CodecFixture.h"

#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

namespace vt::test {
namespace {

constexpr int kTx = ColTxFreq, kRx = ColRxFreq, kName1 = ColName1, kName2 = ColName2, kSel = ColSelCall,
              kCtDev = ColCtDev, kPower = ColPower;

// As the byte map gives them: channel slot s from 0x1600 on, 48 bytes a slot; the second receiver's at 0x3B80.
size_t Slot(int s) { return s == 201 ? 0x3B80 : 0x1600 + static_cast<size_t>(s - 1) * 48; }

class ChannelRecords : public ::testing::Test {
protected:
    CodecFixture fx;
    std::unique_ptr<EditorData> d = NewData();
    ImageArray Encode(ImageSource source = ImageSource::File) { return fx.EncodeOk(*d, source); }
    void Shape(int areas, int per) {
        SetOption(*d, 0, std::to_string(areas));
        SetOption(*d, 1, std::to_string(per));
        AdjustArea_Marnet(*d);
    }
    std::vector<ImageError> Errors() { return fx.Encode(*d).errors; }
};

TEST_F(ChannelRecords, SlotsAheadOfTheLastUsedChannelAreMarked) {
    SetCell(*d, 5, kTx, "150.0125");
    ImageArray img = Encode();
    for (int s = 1; s <= 4; ++s) EXPECT_EQ(img[Slot(s)], 0xAA) << s;
    EXPECT_EQ(img[Slot(5)], fx.tables.DefaultImage[Slot(5)]);
    EXPECT_EQ(img[Slot(6)], fx.tables.DefaultImage[Slot(6)]);

    d = NewData();
    SetCell(*d, 1, kRx, "150.0125");
    SetCell(*d, 3, kRx, "150.0250");
    img = Encode();
    EXPECT_EQ(img[Slot(1)], 0xAA);
    EXPECT_EQ(img[Slot(2)], 0xAA);
    EXPECT_NE(img[Slot(3)], 0xAA);
}

TEST_F(ChannelRecords, MarksFollowEachArea) {
    Shape(2, 100);
    SetCell(*d, 150, kTx, "150.0000");
    ImageArray img = Encode();
    for (int s = 1; s <= 100; ++s) ASSERT_NE(img[Slot(s)], 0xAA) << s;
    for (int s = 101; s <= 149; ++s) ASSERT_EQ(img[Slot(s)], 0xAA) << s;
    EXPECT_NE(img[Slot(150)], 0xAA);
    EXPECT_NE(img[Slot(201)], 0xAA);
}

TEST_F(ChannelRecords, FrequencyWordsAreStoredLowByteFirst) {
    SetCell(*d, 1, kTx, "150.0125");
    SetCell(*d, 1, kRx, "150.0125");
    ImageArray img = Encode();
    EXPECT_EQ(img[Slot(1) + 0x0F], 0xC1);
    EXPECT_EQ(img[Slot(1) + 0x10], 0x5D);
    EXPECT_EQ(img[Slot(1) + 0x0D], 0x21);
    EXPECT_EQ(img[Slot(1) + 0x0E], 0x6B);
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(1, kTx), "150.0125");
    EXPECT_EQ(back->MFG.TextMatrix(1, kRx), "150.0125");
    EXPECT_EQ(back->BandIndex, 3); // the band follows channel 1
}

TEST_F(ChannelRecords, EmptyCellsKeepTheDefaultWordButGetTheVoltageDefault) {
    SetCell(*d, 2, kTx, "33.0000");
    ImageArray img = Encode();
    EXPECT_EQ(img[Slot(2) + 0x0D], fx.tables.DefaultImage[Slot(2) + 0x0D]);
    EXPECT_EQ(img[Slot(2) + 0x0E], fx.tables.DefaultImage[Slot(2) + 0x0E]);
    EXPECT_EQ(img[Slot(2) + 0x12], 13); // band 0 Rx default
    EXPECT_EQ(img[Slot(3) + 0x11], 21); // band 0 Tx default
}

TEST_F(ChannelRecords, VoltageBytesComeFromTheBandTables) {
    VoltageTables vol;
    vol.LoadedVolData[static_cast<size_t>(vol.GetTableOffset(3, kVolTx) + 15)] = 77;
    vol.LoadedVolData[static_cast<size_t>(vol.GetTableOffset(3, kVolRx) + 16)] = 66;
    fx.tables.Voltage = &vol;
    SetBand(*d, 3);
    SetCell(*d, 1, kTx, "150.0000");
    SetCell(*d, 1, kRx, "150.5000"); // between two points: the upper one
    ImageArray img = Encode();
    EXPECT_EQ(img[Slot(1) + 0x11], 77);
    EXPECT_EQ(img[Slot(1) + 0x12], 66);
    EXPECT_EQ(img[Slot(2) + 0x11], 29); // band 3 defaults for an empty channel
    EXPECT_EQ(img[Slot(2) + 0x12], 1);
}

TEST_F(ChannelRecords, ClearedRowStillWritesPowerAndName) {
    ImageArray img = Encode();
    EXPECT_EQ(img[Slot(9) + 0x13], fx.conv.PwrTbl[24]); // level 25 of band 0
    EXPECT_EQ(img[Slot(9) + 0x14], '9');
    EXPECT_EQ(img[Slot(9) + 0x15], ' ');
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(9, kName1), "9");
    EXPECT_EQ(back->MFG.TextMatrix(9, kPower), "25");
    EXPECT_EQ(back->MFG.TextMatrix(9, kTx), "");
}

TEST_F(ChannelRecords, NamesPowerAndSelCallRoundTrip) {
    SetCell(*d, 4, kName1, "AB");
    SetCell(*d, 4, kName2, "Harbour café");
    SetCell(*d, 4, kSel, "17");
    SetCell(*d, 4, kPower, "50");
    ImageArray img = Encode();
    EXPECT_EQ(img[Slot(4) + 0x14], 0x41);
    EXPECT_EQ(img[Slot(4) + 0x15], 0x42);
    EXPECT_EQ(img[Slot(4) + 0x16], ' '); // padded: no tail of the default name
    EXPECT_EQ(img[Slot(4) + 0x1C + 11], 0xE9); // é in Windows-1252
    EXPECT_EQ(img[Slot(4) + 0x2C], 17);
    EXPECT_EQ(img[Slot(4) + 0x13], fx.conv.PwrTbl[49]);
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(4, kName1), "AB");
    EXPECT_EQ(back->MFG.TextMatrix(4, kName2), "Harbour café");
    EXPECT_EQ(back->MFG.TextMatrix(4, kSel), "17");
    EXPECT_EQ(back->MFG.TextMatrix(4, kPower), "50");
}

TEST_F(ChannelRecords, DecoderReadsNamesWithoutNulCharacters) {
    ImageArray img = Encode();
    const uint8_t name[8] = {'A', 0, 'B', 0, 0, 0, 0, 0};
    std::copy(name, name + 8, img.begin() + static_cast<long>(Slot(2) + 0x14));
    img[Slot(3) + 0x1C] = 0;
    img[Slot(3) + 0x1D] = 'X';
    img[Slot(6) + 0x13] = 3; // no level has this byte
    auto back = fx.Decode(img);
    EXPECT_EQ(back->MFG.TextMatrix(2, kName1), "A B");
    EXPECT_EQ(back->MFG.TextMatrix(3, kName2), "");
    EXPECT_EQ(back->MFG.TextMatrix(6, kPower), "50");
}

TEST_F(ChannelRecords, LastGridRowGoesToTheSecondReceiverSlot) {
    Shape(10, 16);
    ASSERT_EQ(d->MFG.Rows(), 162);
    SetCell(*d, 161, kTx, "150.0125");
    SetCell(*d, 161, kRx, "150.0125");
    SetCell(*d, 160, kTx, "150.0250");
    ImageArray img = Encode();
    EXPECT_EQ(img[Slot(201) + 0x0F], 0xC1);
    EXPECT_EQ(img[Slot(201) + 0x0D], img[0x1E]); // copy of the option area's word
    for (int s = 161; s <= 200; ++s)
        for (size_t k = 0; k < 48; ++k) ASSERT_EQ(img[Slot(s) + k], fx.tables.DefaultImage[Slot(s) + k]) << s;
    EXPECT_EQ(img[Slot(160) + 0x0F], 0xC2);
}

TEST_F(ChannelRecords, SecondReceiverRxReadsBackAsItsOwnFrequency) {
    d->SetFarmMarnetInfo("0|||||0|||1|145");
    int last = d->MFG.Rows() - 1;
    SetCell(*d, last, kTx, "150.0125");
    SetCell(*d, last, kRx, "145.0000");
    ImageArray img = Encode();
    EXPECT_EQ(img[Slot(201) + 0x0D], 0xF8);
    EXPECT_EQ(img[Slot(201) + 0x0E], 0x29);
    auto back = fx.Decode(img);
    int blast = back->MFG.Rows() - 1;
    EXPECT_EQ(back->MFG.TextMatrix(blast, 0), "201");
    EXPECT_EQ(back->MFG.TextMatrix(blast, kRx), "145.0000");
    EXPECT_EQ(back->MFG.TextMatrix(blast, kTx), "150.0125");
    EXPECT_EQ(back->MFG.TextMatrix(blast, kName1), "SECOND");
    EXPECT_EQ(back->MFG.TextMatrix(blast, kName2), "RECEIVER");
    EXPECT_EQ(back->MFG.TextMatrix(blast, kCtDev), "");
}

TEST_F(ChannelRecords, RowCountFollowsTheDecodedOptions) {
    Shape(4, 25);
    SetCell(*d, 100, kTx, "40.0000");
    auto back = fx.Decode(Encode());
    EXPECT_EQ(back->MFG.Rows(), 102);
    EXPECT_EQ(back->MFG.TextMatrix(100, kTx), "40.0000");
    EXPECT_EQ(back->MFG.TextMatrix(101, 0), "201");

    d = NewData();
    d->SetFarmMarnetInfo("0|||||1|12345|200|0|");
    back = fx.Decode(Encode());
    EXPECT_EQ(back->MFG.Rows(), 203);
    EXPECT_EQ(back->MFG.TextMatrix(202, 0), "201");
    EXPECT_EQ(back->MFG.TextMatrix(202, kName1), "SECOND");
    EXPECT_EQ(back->MFG.TextMatrix(201, kName1), "");
}

// One area of 200 with MARNET on has a row 201 that no slot holds: it is left out with a
// warning and the rest of the data set is still stored.
TEST_F(ChannelRecords, AChannelBeyondTwoHundredIsLeftOutWithAWarning) {
    d->SetFarmMarnetInfo("0|||||1|12345|200|0|");
    AdjustArea_Marnet(*d);
    ASSERT_EQ(d->MFG.Rows(), 203);
    EncodeResult quiet = fx.Encode(*d);
    EXPECT_TRUE(quiet.ok());
    EXPECT_TRUE(quiet.warnings.empty()); // no frequency: nothing is lost
    EXPECT_EQ(quiet.image[Slot(201) + 0x14], 'S'); // the second receiver's name, not row 201's
    SetCell(*d, 200, kTx, "41.0000");
    SetCell(*d, 201, kTx, "40.0000");
    SetCell(*d, 201, kName1, "LOST");
    EncodeResult r = fx.Encode(*d);
    EXPECT_TRUE(r.ok()) << ErrorListText(r.errors);
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].row, 201);
    EXPECT_NE(r.warnings[0].message.find("201"), std::string::npos);
    EXPECT_EQ(r.image[Slot(201) + 0x14], 'S');
    auto back = fx.Decode(r.image);
    EXPECT_EQ(back->MFG.TextMatrix(200, kTx), "41.0000");
    EXPECT_EQ(back->MFG.TextMatrix(202, kName1), "SECOND");
}

// Powers and options filled before any frequency: the band the data set was made in comes back
// from the power bytes, so every power reads back as saved and the next save writes the same bytes.
TEST_F(ChannelRecords, WithoutAnyFrequencyTheBandComesFromThePowerBytes) {
    for (int band = 0; band < 4; ++band) {
        SCOPED_TRACE("band " + std::to_string(band));
        d = NewData();
        Shape(2, 100);
        SetBand(*d, band);
        const char* levels[] = {"25", "1", "50", "7", "33"};
        for (int r = 1; r <= 200; ++r) SetCell(*d, r, kPower, levels[r % 5]);
        SetCell(*d, 201, kPower, "12"); // the second receiver
        ImageArray img = Encode();
        auto back = fx.Decode(img);
        EXPECT_EQ(back->BandIndex, band);
        for (int r = 1; r <= 200; ++r) ASSERT_EQ(back->MFG.TextMatrix(r, kPower), levels[r % 5]) << r;
        EXPECT_EQ(back->MFG.TextMatrix(201, kPower), "12");
        ImageArray again = fx.EncodeOk(*back);
        for (size_t k = 0; k < kImageSize; ++k) ASSERT_EQ(again[k], img[k]) << "byte " << k;
    }
    // A frequency still decides: channel 7 in band 3 outweighs the power bytes of band 1.
    d = NewData();
    SetBand(*d, 1);
    ImageArray img = Encode();
    img[Slot(7) + 0x0F] = 0xC1; // Tx 150.0125 MHz
    img[Slot(7) + 0x10] = 0x5D;
    EXPECT_EQ(fx.Decode(img)->BandIndex, 3);
    // Power bytes no band holds leave the band as it was.
    for (int s = 1; s <= 201; ++s) img[Slot(s) + 0x13] = 0xFF;
    img[Slot(7) + 0x0F] = img[Slot(7) + 0x10] = 0;
    EXPECT_EQ(fx.Decode(img)->BandIndex, 0);
}

// A New data set keeps power 25 everywhere, a byte that bands 6 and 7 share with level 26 of bands
// 2 and 3; the voltage bytes of its rows without frequencies tell them apart.
TEST_F(ChannelRecords, NewDataSetWithoutFrequenciesKeepsItsBand) {
    if (!fx.UseShippedTables()) GTEST_SKIP() << "the build has not generated the tables";
    for (int band : {2, 3, 6, 7}) {
        SCOPED_TRACE("band " + std::to_string(band));
        d = NewData();
        SetBand(*d, band);
        ImageArray img = Encode();
        auto back = fx.Decode(img);
        EXPECT_EQ(back->BandIndex, band);
        EXPECT_EQ(back->MFG.TextMatrix(1, kPower), "25");
        ImageArray again = fx.EncodeOk(*back);
        size_t changed = 0;
        for (size_t k = 0; k < kImageSize; ++k) changed += again[k] != img[k];
        EXPECT_EQ(changed, 0u);
    }
}

TEST_F(ChannelRecords, ValuesWithoutAnEncodingAreErrorsNamingTheRow) {
    SetCell(*d, 7, kTx, "410.0000");
    SetCell(*d, 8, kRx, "390.0000");
    SetCell(*d, 9, kName1, "名");
    SetCell(*d, 10, kPower, "51");
    SetCell(*d, 11, kSel, "101"); // Sel Call names a 5-tone line, 1 to 100
    SetCell(*d, 12, kSel, "0");
    auto errors = Errors();
    ASSERT_EQ(errors.size(), 6u);
    const std::pair<std::string, int> expect[] = {
        {"Tx Freq", 7}, {"Rx Freq", 8}, {"ID line1.", 9}, {"Power", 10}, {"Sel Call", 11}, {"Sel Call", 12}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(errors[i].field, expect[i].first);
        EXPECT_EQ(errors[i].row, expect[i].second);
        EXPECT_NE(errors[i].message.find(std::to_string(expect[i].second)), std::string::npos);
    }
}

// The encoder reads the data set as const, so it cannot touch MemImage; that the window keeps
// the last good image after a failed encode is tested with the window.
TEST_F(ChannelRecords, MissingTablesFailTheEncode) {
    SetCell(*d, 7, kTx, "150.0125");
    ASSERT_TRUE(fx.Encode(*d).ok()); // a data set that encodes with the tables
    ConversionTables missing;
    missing.Folder = "/nonexistent";
    EncodeResult r = EncodeImage(*d, LoadCodecTables(missing, d->VolTables, TablesFor::Encode), ImageSource::File);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(ErrorListText(r.errors).find("\\resource\\default.Tbl"), std::string::npos);
}

} // namespace
} // namespace vt::test
