// Values an image holds that the editor cannot keep: the decode brings each into its range or
// to its New value, lists it, and the result saves and opens again unchanged.
#include "codec/helpers/CodecFixture.h"
#include "codec/helpers/RandomDataSet.h"

#include "editor/codec/CodecConverters.h"
#include "editor/codec/ImageCodec.h"
#include "editor/codec/SaveChangeList.h"
#include "editor/codec/ImageFixedPoint.h"
#include "editor/codec/ImageLayout.h"

#include "common/TextUtil.h"
#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace vt::test {
namespace {

class DecodeRepairs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { shipped = LoadTablesFrom(VELTRA_APP_DIR).release(); }
    static void TearDownTestSuite() {
        delete shipped;
        shipped = nullptr;
    }
    static LoadedTables* shipped;

    ImageArray img = shipped->tables.DefaultImage;
    std::vector<ImageRepair> repairs;

    std::unique_ptr<EditorData> Open() {
        auto d = DecodeIntoNewData(img, shipped->tables, ImageSource::File, &repairs);
        std::string why;
        EXPECT_TRUE(CheckImageFixedPoint(img.data(), kImageSize, shipped->tables, &why)) << why;
        return d;
    }
    // The one replacement of the field (and row), or a failure.
    ImageRepair Only(const std::string& field, int row = 0) {
        auto n = std::count_if(repairs.begin(), repairs.end(), [&](const ImageRepair& r) { return r.field == field && r.row == row; });
        EXPECT_EQ(n, 1) << field << " row " << row << " in\n" << RepairListText(repairs, "", "row");
        auto it = std::find_if(repairs.begin(), repairs.end(), [&](const ImageRepair& r) { return r.field == field && r.row == row; });
        return it == repairs.end() ? ImageRepair{} : *it;
    }
    static std::string Option(const EditorData& d, size_t n) { return Split(d.RadioOption())[n]; }
    static std::string Farm(const EditorData& d, size_t n) { return Split(d.FarmMarnetInfo())[n]; }
    static std::string Tone(const EditorData& d, size_t n) { return Split(d.FiveToneInfo())[n]; }
};
LoadedTables* DecodeRepairs::shipped = nullptr;

TEST_F(DecodeRepairs, ImagesTheEditorWroteNeedNone) {
    auto d = Open();
    EXPECT_TRUE(repairs.empty()) << RepairListText(repairs, "default.Tbl:", "row");
    for (unsigned seed = 700; seed < 740; ++seed) {
        RandomCase c = MakeRandomDataSet(seed);
        const ImageSource source = seed % 2 ? ImageSource::File : ImageSource::Radio;
        EncodeResult r = EncodeImage(*c.input, shipped->tables, source);
        ASSERT_TRUE(r.ok()) << ErrorListText(r.errors);
        DecodeIntoNewData(r.image, shipped->tables, source, &repairs);
        // An area name longer than the 16 characters the radio reads is cut, and that is said.
        std::erase_if(repairs, [&](const ImageRepair& e) {
            const std::string name = e.field.rfind("Name of area ", 0) == 0
                                         ? c.input->AreaNames()[std::stoul(e.field.substr(13))]
                                         : std::string();
            return name.size() > 16 && e.was == name && e.now == name.substr(0, 16);
        });
        EXPECT_TRUE(repairs.empty()) << "seed " << seed << RepairListText(repairs, "", "row");
    }
}

TEST_F(DecodeRepairs, OptionNumbersComeIntoTheDialogsRanges) {
    img[0x0A] = 181; // resume scan time 18.1 s: the radio stores tenths, the editor whole seconds
    img[0x17] = 0;   // PTT time-out 0 s
    img[0x19] = 200; // repeater access 20,000 ms
    auto d = Open();
    EXPECT_EQ(Option(*d, 6), "18");
    auto r = Only("Resume scan time");
    EXPECT_EQ(r.was, "18.1");
    EXPECT_EQ(r.now, "18");
    EXPECT_EQ(Only("PTT time-out").now, "1");
    EXPECT_EQ(Option(*d, 12), "5000");

    // Whole seconds round half to even: 19.5 s to 20, 18.5 s to 18, 18.7 s to 19.
    for (auto [tenths, now] : {std::pair{195, "20"}, {185, "18"}, {187, "19"}, {255, "25"}}) { // 26 does not fit
        img = shipped->tables.DefaultImage;
        img[0x0A] = static_cast<uint8_t>(tenths);
        d = Open();
        EXPECT_EQ(Option(*d, 6), now) << tenths;
    }
}

TEST_F(DecodeRepairs, KeyNumbersOutsideTheListAreListed) {
    const size_t keys = layout::kKeyTable + 2;
    img[keys] = 1; // key 1 MENU with number 0
    img[keys + 1] = 0;
    img[keys + 2] = 0; // key 2 SELECT CALL with number 200
    img[keys + 3] = 200;
    img[keys + 4] = 0; // key 3 CALL, which stores no number
    img[keys + 5] = 0;
    img[keys + 6] = 1; // key 4 MENU with number 101, one beyond the list
    img[keys + 7] = 101;
    auto d = Open();
    EXPECT_EQ(Only("Key 4 number").was, "101");
    img[keys + 7] = 100; // the last of the list
    Open();
    EXPECT_EQ(std::count_if(repairs.begin(), repairs.end(), [](const ImageRepair& r) { return r.field == "Key 4 number"; }), 0);
    d = Open();
    auto k1 = Only("Key 1 number");
    EXPECT_EQ(k1.was, "0");
    EXPECT_EQ(k1.now, "1");
    EXPECT_EQ(Only("Key 2 number").was, "200");
    EXPECT_EQ(Option(*d, 16), "2");
    EXPECT_EQ(Option(*d, 18), "3");
    EXPECT_EQ(std::count_if(repairs.begin(), repairs.end(), [](const ImageRepair& r) { return r.field == "Key 3 number"; }), 0);
}

TEST_F(DecodeRepairs, ChannelFrequenciesWithoutAWordAreCleared) {
    const size_t ch3 = layout::ChannelSlot(3), ch4 = layout::ChannelSlot(4);
    img[ch3 + layout::ch::RxPllWord] = 0xFF; // 388.2875 MHz, above the last Rx word
    img[ch3 + layout::ch::RxPllWord + 1] = 0xFF;
    img[ch4 + layout::ch::RxPllWord] = 0x21; // 150.0125 MHz
    img[ch4 + layout::ch::RxPllWord + 1] = 0x6B;
    auto d = Open();
    auto rx = Only("Rx Freq", 3);
    EXPECT_EQ(rx.was, "388.2875");
    EXPECT_EQ(rx.now, "");
    EXPECT_EQ(d->MFG.TextMatrix(3, 2), "");
    EXPECT_EQ(d->MFG.TextMatrix(4, 2), "150.0125");
    EXPECT_EQ(d->BandIndex, 3); // from the channel that is left, not from the one replaced
}

TEST_F(DecodeRepairs, FrequenciesOutsideTheBandOfChannelOneAreListed) {
    const size_t ch1 = layout::ChannelSlot(1), ch2 = layout::ChannelSlot(2);
    img[ch1 + layout::ch::RxPllWord] = 0x21; // 150.0125 MHz: band 135-175
    img[ch1 + layout::ch::RxPllWord + 1] = 0x6B;
    img[ch2 + layout::ch::RxPllWord] = 0xD0; // 53.5 MHz
    img[ch2 + layout::ch::RxPllWord + 1] = 0x2E;
    auto d = Open();
    EXPECT_EQ(d->BandIndex, 3);
    auto r = Only("Rx Freq", 2);
    EXPECT_EQ(r.was, "53.5000");
    EXPECT_EQ(r.now, "");
}

TEST_F(DecodeRepairs, AChannelKeepsItsCtcssToneOverADcsCode) {
    const size_t ch5 = layout::ChannelSlot(5);
    const auto c = static_cast<size_t>(cv::DcsIndex("271"));
    img[layout::ChannelFlag(5)] = 0x14; // CTCSS and DCS encode together: no editor writes that
    for (size_t k = 0; k < 3; ++k) img[ch5 + layout::ch::EncodeDeviation + k] = shipped->conv.DcsTbl[3 * c + k];
    auto d = Open();
    auto r = Only("DCS ENC", 5);
    EXPECT_EQ(r.was, "271");
    EXPECT_EQ(r.now, "");
    EXPECT_FALSE(d->MFG.TextMatrix(5, 5).empty());
}

TEST_F(DecodeRepairs, IdsOfTheToneSettings) {
    img[0x68] = 3; // own ID of three digit codes, one of them no tone digit
    img[0x62] = 1;
    img[0x63] = 11;
    img[0x64] = 2;
    img[0x51] = 7; // MARNET on, with an ID of four digits
    img[0x83] = 0x21;
    img[0x84] = 0x43;
    img[0x85] = 0xFF;
    auto d = Open();
    EXPECT_EQ(Only("Own ID").was, "1;2");
    EXPECT_EQ(Tone(*d, 0), "");
    EXPECT_EQ(Farm(*d, 5), "1");
    auto m = Only("MARNET ID");
    EXPECT_EQ(m.was, "1234");
    EXPECT_EQ(m.now, "12340");
    EXPECT_EQ(Farm(*d, 6), "12340");
}

TEST_F(DecodeRepairs, ASecondFrequencyIsKeptOnlyWithTheSecondReceiver) {
    img[0x1E] = 0xF8; // 145 MHz, but the second receiver is off
    img[0x1F] = 0x29;
    auto d = Open();
    EXPECT_EQ(Only("Second receiver frequency").was, "145");
    EXPECT_EQ(Farm(*d, 9), "");
}

TEST_F(DecodeRepairs, AreaNames) {
    img[0x09] = 2; // two areas of 100 channels
    img[0x06] = 100;
    const size_t slot1 = layout::kAreaNameTable;
    const uint8_t name[] = {'N', 0x01, 'O', 0x7F, 'R'};
    std::copy(std::begin(name), std::end(name), img.begin() + slot1);
    img[slot1 + 2 * layout::kAreaNameSlot] = 'Q'; // area 3 is not in use
    const size_t names = layout::ChannelSlot(2) + layout::ch::Name1;
    const uint8_t gate[] = {'G', 'A', 'T', 'E', ' ', 0x09, ' ', ' '};
    std::copy(std::begin(gate), std::end(gate), img.begin() + names);
    auto d = Open();
    EXPECT_EQ(d->MFG.TextMatrix(2, 3), "GATE");
    EXPECT_EQ(Only("ID line1.", 2).was, "GATE \t");
    EXPECT_EQ(d->AreaNames()[1], "NOR");
    EXPECT_EQ(Only("Name of area 1").now, "NOR");
    EXPECT_EQ(Only("Name of area 3").now, "3");
    EXPECT_EQ(d->AreaNames()[2], "2");
}

TEST_F(DecodeRepairs, FiveToneLines) {
    auto record = [&](int n) { return img.begin() + static_cast<long>(layout::ToneRecord(n)); };
    // Line 1: a plain call of 22 digits, two more than a call holds.
    auto r1 = record(1);
    r1[1] = 0x02;
    r1[2] = 0x20 | 22;
    for (int k = 3; k < 14; ++k) r1[k] = 0x21;
    r1[0x0E] = 0;
    // Line 2: an emergency call whose own-ID part holds hex digits.
    auto r2 = record(2);
    r2[1] = 0x52;
    r2[3] = 0xD3;
    r2[4] = 0xAA;
    // Line 3: a call to another user with a station ID of two digits.
    auto r3 = record(3);
    r3[1] = 0x02;
    r3[2] = 0x20 | 2;
    r3[3] = 0x71;
    r3[0x0E] = 0x85;
    auto d = Open();
    EXPECT_EQ(Split(d->FiveToneChannels()[1])[0], "CALL 12121212121212121212");
    EXPECT_EQ(Only("5-tone line 1").now.substr(0, 25), "CALL 12121212121212121212");
    auto own = Only("5-tone line 2 own ID");
    EXPECT_EQ(own.was, "3DA");
    EXPECT_EQ(own.now, "300");
    EXPECT_EQ(d->SpecialData()[3][10], "17000");
    EXPECT_EQ(Split(d->FiveToneChannels()[3])[0], "CALL 17000");
    EXPECT_EQ(Only("5-tone line 3 station ID").was, "17");
}

// A record with both unused bits set lists each: its signalling byte's and its flag byte's.
TEST_F(DecodeRepairs, EachUnusedFlagBitOfARecordIsListed) {
    img[layout::ChannelSlot(2) + layout::ch::SignalFlags] |= 0x10;
    img[0x1501] |= 0x80;
    Open();
    std::vector<std::string> listed;
    for (const ImageRepair& r : repairs)
        if (r.field == "Channel flags" && r.row == 2) listed.push_back(r.now);
    EXPECT_EQ(listed, (std::vector<std::string>{"bit 0x10 cleared", "bit 0x80 cleared"}));
}

// Bytes of a radio calibrated with other tables: what the editor can hold comes back, the rest
// is listed with its bytes; saving the result keeps every byte that was not listed.
TEST_F(DecodeRepairs, PowerAndDeviationBytesNoTableHolds) {
    auto d = NewData();
    SetCell(*d, 1, ColCtcssEnc, "88.5");
    SetCell(*d, 1, ColCtDev, "350");
    struct Dcs {
        uint8_t byte;
        const char* dev; // reads back as
        bool listed;
    };
    // Every byte the encoder writes (a step where one gives it, else the top of its 20), and
    // three it never does.
    std::vector<Dcs> dcs{{4, "250", true}, {26, "250", true}, {0xFF, "250", true}};
    const char* kept[] = {"100", "120", "140", "150", "180", "200", "220", "240", "250", "280", "300",
                          "320", "340", "350", "380", "400", "420", "440", "450", "480", "500"};
    for (uint8_t b = 5; b <= 25; ++b) dcs.push_back({b, kept[b - 5], false});
    for (size_t k = 0; k < dcs.size(); ++k) SetCell(*d, static_cast<int>(k) + 2, ColDcsEnc, "023");
    img = EncodeImage(*d, shipped->tables, ImageSource::File).image;
    const size_t ch1 = layout::ChannelSlot(1);
    for (size_t k = 0; k < 3; ++k) img[ch1 + layout::ch::EncodeDeviation + k] = 0; // no dev.Tbl entry
    for (size_t k = 0; k < dcs.size(); ++k) img[layout::ChannelSlot(static_cast<int>(k) + 2) + layout::ch::DevByte] = dcs[k].byte;
    const size_t power = layout::ChannelSlot(30) + layout::ch::PowerByte;
    uint8_t foreign = 0;
    while (cv::PowerByteFromIndex(shipped->conv, 0, cv::PowerIndexFromByte(shipped->conv, 0, foreign)) == foreign) ++foreign;
    img[power] = foreign;
    const ImageArray read = img;

    auto opened = Open();
    ASSERT_EQ(opened->BandIndex, 0);
    auto dev1 = Only("CT DEV", 1);
    EXPECT_EQ(dev1.was, "bytes 0x00 0x00 0x00");
    EXPECT_EQ(dev1.now, "250");
    for (size_t k = 0; k < dcs.size(); ++k) {
        const int row = static_cast<int>(k) + 2;
        const std::string want = dcs[k].dev;
        EXPECT_EQ(opened->MFG.TextMatrix(row, ColCtDev), want) << "byte " << int(dcs[k].byte);
        if (dcs[k].listed) {
            EXPECT_EQ(Only("CT DEV", row).now, want);
        }
    }
    auto p = Only("Power", 30);
    char was[16];
    std::snprintf(was, sizeof was, "byte 0x%02X", foreign);
    EXPECT_EQ(p.was, was);
    EXPECT_EQ(p.now, "50");
    EXPECT_EQ(repairs.size(), 5u) << RepairListText(repairs, "", "row");

    ImageArray saved = EncodeImage(*opened, shipped->tables, ImageSource::File).image;
    for (size_t k = 0; k < dcs.size(); ++k) {
        const size_t at = layout::ChannelSlot(static_cast<int>(k) + 2) + layout::ch::DevByte;
        if (!dcs[k].listed) {
            EXPECT_EQ(saved[at], read[at]) << "row " << k + 2;
        }
    }
}

// A data set without frequencies, saved with another installation's power table: this one's
// band-3 and band-7 rows lack those bytes, its band-1 row holds most of them two levels up. The open keeps
// the band that holds the most, and lists it and every level read, since each may be wrong.
TEST_F(DecodeRepairs, ABandGuessedFromPowerBytesOfOtherTablesIsListed) {
    auto d = NewData();
    SetBand(*d, 3);
    for (int level = 1; level <= kPowerLevels; ++level) SetCell(*d, level, ColPower, IntText(level));
    img = EncodeImage(*d, shipped->tables, ImageSource::File).image;
    LoadedTables here = *shipped;
    here.tables.Conv = &here.conv;
    for (int level = 1; level <= kPowerLevels; ++level) {
        const size_t band1 = kPowerLevels + static_cast<size_t>(level) - 1, band3 = 3 * kPowerLevels + static_cast<size_t>(level) - 1;
        here.conv.PwrTbl[band1] = level > 2 ? shipped->conv.PwrTbl[band3 - 2] : static_cast<uint8_t>(0xF0 + level);
        here.conv.PwrTbl[band3] = here.conv.PwrTbl[band3 + 4 * kPowerLevels] = static_cast<uint8_t>(0xF8 - level / 8);
    }
    auto opened = DecodeIntoNewData(img, here.tables, ImageSource::File, &repairs);
    ASSERT_EQ(opened->BandIndex, 1);
    EXPECT_EQ(Only("Band").now, BandRange(1));
    for (int level : {1, 18, 48, 49, 50}) {
        auto r = Only("Power", level);
        EXPECT_EQ(r.now, level <= 48 ? IntText(level + 2) : "50") << r.was;
    }
    EXPECT_EQ(Only("Power", 60).now, "27");
    // The editor's own images of bands 1 and 3 open without a word.
    for (int band : {1, 3}) {
        SetBand(*d, band);
        img = EncodeImage(*d, shipped->tables, ImageSource::File).image;
        Open();
        EXPECT_TRUE(repairs.empty()) << "band " << band << RepairListText(repairs, "", "row");
    }
}

// Damage the open used to pass over: what the save then writes otherwise is named, a channel by
// its row, a 5-tone record byte by byte, an area name or a setting by its own line.
TEST_F(DecodeRepairs, WhatTheNextSaveDropsIsListed) {
    RandomCase c = MakeRandomDataSet(1);
    for (int a = 1; a <= kMaxAreas; ++a) c.input->SetAreaName(a, c.input->AreaNames()[a].substr(0, 16));
    c.input->SetAreaName(1, "NORTHERN HILLS 1"); // as long as the open reads
    const ImageArray valid = EncodeImage(*c.input, shipped->tables, ImageSource::File).image;
    const auto& g = c.input->MFG;
    int dcsRow = 0, fetchLine = 0, alarmLine = 0;
    for (int r = 1; r < g.Rows() - 1 && !dcsRow; ++r)
        if (!g.TextMatrix(r, ColDcsEnc).empty() && g.TextMatrix(r, ColCtcssEnc).empty()) dcsRow = r;
    for (int n = 1; n <= kToneLines && !fetchLine; ++n)
        if (c.input->SpecialData()[n][1] == "1" && !c.input->SpecialData()[n][9].empty()) fetchLine = n;
    for (int n = 1; n <= kToneLines && !alarmLine; ++n)
        if (c.input->SpecialData()[n][1] == "3") alarmLine = n;
    ASSERT_TRUE(dcsRow > 0 && fetchLine > 0 && alarmLine > 0 && Split(c.input->RadioOption())[0] != "1");
    const size_t fetch = layout::ToneRecord(fetchLine), alarm = layout::ToneRecord(alarmLine);
    const size_t area1 = layout::kAreaNameTable;
    const int standard = valid[fetch + 1] & layout::tone::StandardMask;
    const struct {
        const char* what;
        size_t at;
        int value; // -1: the byte with the DCS ENC bit cleared
    } cases[] = {
        {"one channel per area", layout::opt::ChannelsPerArea, 1},
        {"one area", layout::opt::Areas, 1},
        {"DCS ENC flag cleared", layout::ChannelFlag(dcsRow), -1},
        {"code fetch read as a plain call", fetch + layout::tone::KindStandard, standard},
        {"code fetch read as an alarm", fetch + layout::tone::KindStandard, 0x30 | standard},
        {"station ID digit zeroed", fetch + layout::tone::PackedId, 0x00},
        {"ID digit code zeroed", fetch + layout::tone::IdDigitCodes, 0x00},
        {"kind constant", alarm + layout::tone::Parameter, 0x55},
        {"group ID code no digit", layout::opt::GroupId, 0x0B},
        {"packed ID code no digit", layout::opt::PackedId, 0xBB},
        {"'|' in an identification", fetch + layout::tone::Identification + 1, '|'},
        {"area-name byte never read", area1 + layout::kAreaNameRead, 'X'},
    };
    auto named = [&](size_t i, const EditorData& d) {
        auto any = [&](auto pred) { return std::any_of(repairs.begin(), repairs.end(), pred); };
        if (i >= layout::kToneRecords && i < layout::kToneRecords + kToneLines * layout::kToneRecordSize) {
            char name[40];
            std::snprintf(name, sizeof name, "5-tone line %zu byte +0x%02zX", (i - layout::kToneRecords) / 32 + 1,
                          (i - layout::kToneRecords) % 32);
            return any([&](const ImageRepair& r) { return r.field == name; });
        }
        if (i >= layout::kChannelFlagTable && i < layout::kIdSuffix) {
            const int slot = i < layout::kChannelRecords ? static_cast<int>(i - layout::kChannelFlagTable) + 1
                                                         : static_cast<int>((i - layout::kChannelRecords) / 48) + 1;
            const int row = slot > kMaxChannels ? d.MFG.Rows() - 1 : slot;
            // A channel the layout drops is one line of its own; a kept one is listed by its fields.
            const bool dropped = slot <= kMaxChannels && slot > d.MFG.Rows() - 2;
            return any([&](const ImageRepair& r) { return r.row == row && (r.field == "Channel") == dropped; });
        }
        if (i >= area1 && i < area1 + kMaxAreas * layout::kAreaNameSlot)
            return any([&](const ImageRepair& r) { return r.field == "Name of area " + std::to_string((i - area1) / 24 + 1); });
        return any([&](const ImageRepair& r) { return r.row == 0; });
    };
    for (const auto& k : cases) {
        img = valid;
        img[k.at] = static_cast<uint8_t>(k.value >= 0 ? k.value : valid[k.at] & ~layout::ch::DcsEncodeBit);
        auto d = Open();
        const ImageArray saved = EncodeImage(*d, shipped->tables, ImageSource::File).image;
        size_t changes = 0;
        for (size_t i = 0; i < kImageSize; ++i) {
            const size_t off = (i - layout::kChannelRecords) % 48;
            const int slot = static_cast<int>((i - layout::kChannelRecords) / 48) + 1;
            const bool record = i >= layout::kChannelRecords && i < layout::kIdSuffix;
            const bool kept = slot > kMaxChannels || slot <= d->MFG.Rows() - 2;
            // The high-tone bit of a kept row without an encode tone follows the rows above.
            const bool highMark = record && kept && off == layout::ch::SignalFlags &&
                                  (img[i] ^ saved[i]) == layout::ch::HighToneBit &&
                                  d->MFG.TextMatrix(slot > kMaxChannels ? d->MFG.Rows() - 1 : slot, ColCtcssEnc).empty();
            const bool mark = highMark || (record && (off == layout::ch::SlotMark || off == layout::ch::TxVoltageByte ||
                                                      off == layout::ch::RxVoltageByte));
            if (img[i] == saved[i] || mark || (i >= layout::kIdSuffix && i < layout::kIdSuffix + 3)) continue;
            ++changes;
            EXPECT_TRUE(named(i, *d)) << k.what << ": byte " << i << " " << int(img[i]) << " -> " << int(saved[i])
                                      << RepairListText(repairs, "; listed:", "row", 6, "more");
        }
        EXPECT_GT(changes, 0u) << k.what << ": the damage changes nothing on the next save";
    }
}

// Damaged bytes the editor cannot hold are listed like the rest, each with what the image held.
TEST_F(DecodeRepairs, DamagedNamesCodesAndSpecialCallBytes) {
    auto put = [&](size_t at, std::initializer_list<uint8_t> bytes) { std::copy(bytes.begin(), bytes.end(), img.begin() + static_cast<long>(at)); };
    const size_t line4 = layout::ToneRecord(4), line5 = layout::ToneRecord(5);
    struct Case {
        const char* what;
        std::function<void()> damage;
        std::string field;
        int row;
        std::string was, now;
    } cases[] = {
        {"a leading zero in a channel name", [&] { put(layout::ChannelSlot(2) + layout::ch::Name1, {0, 'G', 'A', 'T', 'E'}); },
         "ID line1.", 2, "\\0GATE", "GATE"},
        {"a zero inside an area name",
         [&] {
             img[0x09] = 2; // two areas of 100 channels, so that the names are stored
             img[0x06] = 100;
             put(layout::kAreaNameTable, {'N', 0, 'R'});
         },
         "Name of area 1", 0, "N\\0R", "NR"},
        {"a zero inside an identification", [&] { put(line4 + 0x10, {'A', 0, 'B'}); }, "5-tone line 4 identification", 0,
         "A\\0B", "A B"},
        {"a tone-set code of no tone set", [&] { img[0x14] = 0x23; }, "Settings byte 0x0014", 0, "0x23", "0x0A"},
        {"a key function code of no function", [&] { img[layout::kKeyTable + 2] = 0x81; }, "Settings byte 0x14F8", 0,
         "0x81", "0x0A"},
        {"a one-character own ID above code 74",
         [&] {
             img[0x68] = 1;
             img[0x62] = 80;
         },
         "Settings byte 0x0062", 0, "0x50", ""},
        {"an emergency call's byte that the call sets to zero",
         [&] {
             put(line5 + 1, {0x52, 0x24, 0x21, 0xA3, 0x33}); // kind 5 under ZVEI1, own-ID part 123
             put(line5 + 0x0E, {0x85, 0});
         },
         "5-tone line 5 byte +0x05", 0, "0x33", "0x00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        img = shipped->tables.DefaultImage;
        c.damage();
        Open();
        auto r = Only(c.field, c.row);
        EXPECT_EQ(r.was, c.was);
        if (!c.now.empty()) {
            EXPECT_EQ(r.now, c.now);
        }
    }
}

TEST_F(DecodeRepairs, ListText) {
    std::vector<ImageRepair> list{{"Rx Freq", 3, "388.2875", ""}, {"Resume scan time", 0, "18.1", "18"}};
    EXPECT_EQ(RepairListText(list, "Replaced:", "channel"),
              "Replaced:\nRx Freq (channel 3): \"388.2875\" -> \"\"\nResume scan time: \"18.1\" -> \"18\"");
    list.push_back({"Own ID", 0, "1;", ""});
    EXPECT_EQ(RepairListText(list, "Replaced:", "channel", 2, "more."),
              "Replaced:\nRx Freq (channel 3): \"388.2875\" -> \"\"\nResume scan time: \"18.1\" -> \"18\"\n1 more.");
    EXPECT_EQ(RepairListText(list, "Replaced:", "channel", 3, "more.").find("more."), std::string::npos);
}

} // namespace
} // namespace vt::test
