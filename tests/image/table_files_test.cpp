// Conversion table loaders and the generated table set of the program folder.
#include "common/ExchangeFiles.h"
#include "editor/image/ConversionTables.h"
#include "editor/image/ToneConverters.h"
#include "editor/image/ToneLists.h"
#include "editor/image/VoltageTables.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

using namespace vt;
using vt::test::TempDir;

namespace {

std::vector<uint8_t> Bytes(size_t size, uint8_t b0, uint8_t b1, uint8_t fill = 7) {
    std::vector<uint8_t> v(size, fill);
    v[0] = b0;
    v[1] = b1;
    return v;
}

struct Loader {
    explicit Loader(const TempDir& f) {
        t.Folder = f.Path();
        t.ShowMessage = [this](const std::string& m) { shown.push_back(m); };
    }
    ConversionTables t;
    std::vector<std::string> shown;
};

std::string Msg(const char* name) {
    return std::string("Can not Find correct \\resource\\") + name + ", Please reinstall the Program.";
}

// A table as the program folder ships it.
std::vector<uint8_t> Shipped(const char* name) {
    auto bytes = ReadFileBytes(std::filesystem::path(VELTRA_APP_DIR) / "resource" / name);
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes.value_or(std::vector<uint8_t>{});
}

std::vector<uint8_t> WithFirst(std::vector<uint8_t> v, uint8_t b0, uint8_t b1) {
    v[0] = b0;
    v[1] = b1;
    return v;
}

} // namespace

TEST(TableMessages, TextsExistFromTheStart) {
    ConversionTables t;
    EXPECT_EQ(t.TblErrMsg[0], Msg("default.Tbl"));
    EXPECT_EQ(t.TblErrMsg[1], Msg("enc.Tbl"));
    EXPECT_EQ(t.TblErrMsg[5], Msg("pwr.Tbl"));
    EXPECT_EQ(t.TblErrMsg[6], "");
    t.TblErrMsg[2] = "x";
    t.InitTblErrMsgs();
    EXPECT_EQ(t.TblErrMsg[2], Msg("dec.Tbl"));
}

TEST(DefaultTbl, SignatureTest) {
    TempDir f;
    Loader l(f);
    ImageBytes image{};
    f.Write("resource/default.Tbl", Bytes(kImageSize, 0x20, 0x00));
    EXPECT_TRUE(l.t.LoadDefaultTbl(image));
    f.Write("resource/default.Tbl", Bytes(kImageSize, 0x00, 0x09));
    EXPECT_TRUE(l.t.LoadDefaultTbl(image));
    EXPECT_TRUE(l.shown.empty());
    EXPECT_EQ(image[16000], 7);
    f.Write("resource/default.Tbl", Bytes(kImageSize, 0x00, 0x00));
    EXPECT_FALSE(l.t.LoadDefaultTbl(image));
    ASSERT_EQ(l.shown.size(), 1u);
    EXPECT_EQ(l.shown[0], Msg("default.Tbl"));
    EXPECT_EQ(image[5], 7); // the bytes read stay
}

TEST(DefaultTbl, MissingOrShortLeavesZerosNotThePreviousImage) {
    TempDir f;
    Loader l(f);
    ImageBytes image;
    image.fill(0x55);
    EXPECT_FALSE(l.t.LoadDefaultTbl(image));
    EXPECT_EQ(l.shown.size(), 1u);
    EXPECT_EQ(image, ImageBytes{});
    f.Write("resource/default.Tbl", Bytes(100, 0x20, 0x09));
    image.fill(0x55);
    EXPECT_FALSE(l.t.LoadDefaultTbl(image));
    EXPECT_EQ(l.shown.size(), 2u);
    EXPECT_EQ(image[99], 7);
    EXPECT_EQ(image[100], 0);
    EXPECT_EQ(image[16000], 0);
}

TEST(CodeTables, AcceptAndRefuseByFirstBytes) {
    TempDir f;
    Loader l(f);
    f.Write("resource/enc.Tbl", WithFirst(Shipped("enc.Tbl"), 0x00, 0x01));
    EXPECT_TRUE(l.t.LoadEncTbl());
    f.Write("resource/dcs.Tbl", WithFirst(Shipped("dcs.Tbl"), 0x01, 0x00));
    EXPECT_TRUE(l.t.LoadDcsTbl());
    EXPECT_TRUE(l.shown.empty());
    f.Write("resource/enc.Tbl", WithFirst(Shipped("enc.Tbl"), 0x00, 0x00));
    EXPECT_FALSE(l.t.LoadEncTbl());
    f.Write("resource/pwr.Tbl", WithFirst(Shipped("pwr.Tbl"), 0x00, 0x00));
    EXPECT_FALSE(l.t.LoadPwrTbl());
    EXPECT_EQ(l.shown, (std::vector<std::string>{Msg("enc.Tbl"), Msg("pwr.Tbl")}));
}

TEST(CodeTables, EachBadLoadShowsItsMessageOnce) {
    TempDir f;
    Loader l(f);
    f.Write("resource/dec.Tbl", Bytes(kDecTblSize, 0, 0));
    for (int i = 0; i < 3; ++i) l.t.LoadDecTbl();
    EXPECT_EQ(l.shown, std::vector<std::string>(3, Msg("dec.Tbl")));
}

// Good first bytes do not make a table: one whose entries cannot be a calibration is refused
// with its message, as a missing one, and holds the file's bytes.
TEST(CodeTables, DamageBehindGoodFirstBytesIsRefused) {
    using Damage = void (*)(std::vector<uint8_t>&);
    const struct {
        const char* name;
        bool (ConversionTables::*load)();
        const char* what;
        Damage damage;
    } cases[] = {
        {"enc.Tbl", &ConversionTables::LoadEncTbl, "all 0xFF", [](auto& v) { std::fill(v.begin() + 2, v.end(), 0xFF); }},
        {"enc.Tbl", &ConversionTables::LoadEncTbl, "a word out of order",
         [](auto& v) { std::swap(v[2 * 400], v[2 * 1200]); }},
        // Erased words where the words' direction does not give them away: at the end of a
        // rising table (0xFFFF), at the end of a falling one (0x0000).
        {"enc.Tbl", &ConversionTables::LoadEncTbl, "the last words erased",
         [](auto& v) { std::fill(v.end() - 2 * 20, v.end(), 0xFF); }},
        {"dec.Tbl", &ConversionTables::LoadDecTbl, "all 0xFF", [](auto& v) { std::fill(v.begin() + 2, v.end(), 0xFF); }},
        {"dec.Tbl", &ConversionTables::LoadDecTbl, "the upper range all equal",
         [](auto& v) { std::fill(v.begin() + 2 * (1500 - 670), v.end(), 0x11); }},
        {"dec.Tbl", &ConversionTables::LoadDecTbl, "the last words 0x0000",
         [](auto& v) { std::fill(v.end() - 2 * 20, v.end(), 0x00); }},
        {"dcs.Tbl", &ConversionTables::LoadDcsTbl, "all 0xFF", [](auto& v) { std::fill(v.begin() + 2, v.end(), 0xFF); }},
        {"dcs.Tbl", &ConversionTables::LoadDcsTbl, "two codes share an entry",
         [](auto& v) { std::copy_n(v.begin() + 3 * 7, 3, v.begin() + 3 * 90); }},
        {"dev.Tbl", &ConversionTables::LoadDevTbl, "all 0xFF", [](auto& v) { std::fill(v.begin() + 2, v.end(), 0xFF); }},
        {"dev.Tbl", &ConversionTables::LoadDevTbl, "two steps of the last tone share an entry",
         [](auto& v) { std::copy_n(v.begin() + 3 * (4 * 51 + 50), 3, v.begin() + 3 * (5 * 51 + 50)); }},
        {"pwr.Tbl", &ConversionTables::LoadPwrTbl, "all 0xFF", [](auto& v) { std::fill(v.begin() + 2, v.end(), 0xFF); }},
        {"pwr.Tbl", &ConversionTables::LoadPwrTbl, "a level repeats its neighbour",
         [](auto& v) { v[50 * 6 + 29] = v[50 * 6 + 28]; }},
        {"pwr.Tbl", &ConversionTables::LoadPwrTbl, "a band that rises and falls",
         [](auto& v) { std::swap(v[50 * 3 + 10], v[50 * 3 + 40]); }},
    };
    TempDir f;
    for (const auto& c : cases) {
        Loader l(f);
        auto bytes = Shipped(c.name);
        c.damage(bytes);
        f.Write(std::string("resource/") + c.name, bytes);
        EXPECT_FALSE((l.t.*c.load)()) << c.name << ": " << c.what;
        EXPECT_EQ(l.shown, std::vector<std::string>{Msg(c.name)}) << c.name << ": " << c.what;
        f.Write(std::string("resource/") + c.name, Shipped(c.name));
    }
}

TEST(CodeTables, MissingAndShortFilesReadAsZero) {
    TempDir f;
    Loader l(f);
    l.t.PwrTbl.fill(9);
    EXPECT_FALSE(l.t.LoadPwrTbl());
    EXPECT_EQ(l.t.PwrTbl, (std::array<uint8_t, kPwrTblSize>{}));
    f.Write("resource/dcs.Tbl", Bytes(10, 1, 2));
    l.t.DcsTbl.fill(9);
    EXPECT_FALSE(l.t.LoadDcsTbl());
    EXPECT_EQ(l.t.DcsTbl[9], 7);
    EXPECT_EQ(l.t.DcsTbl[10], 0);
    EXPECT_EQ(l.shown, (std::vector<std::string>{Msg("pwr.Tbl"), Msg("dcs.Tbl")}));
    // Longer files: the surplus is ignored.
    auto longer = Shipped("dcs.Tbl");
    longer.resize(kDcsTblSize + 50, 7);
    f.Write("resource/dcs.Tbl", longer);
    EXPECT_TRUE(l.t.LoadDcsTbl());
}

TEST(CodeTables, NamesFoundWhateverTheCase) {
    TempDir f;
    Loader l(f);
    f.Write("Resource/ENC.TBL", Shipped("enc.Tbl"));
    EXPECT_TRUE(l.t.LoadEncTbl());
}

TEST(CodeTables, BandTablesNeedNoTest) {
    TempDir f;
    Loader l(f);
    f.Write("resource/txmid.Tbl", std::vector<uint8_t>(177, 3));
    l.t.LoadVoltageTbls();
    EXPECT_TRUE(l.shown.empty());
    EXPECT_EQ(l.t.BandTbls[2], std::vector<uint8_t>(177, 3));
    EXPECT_EQ(l.t.BandTbls[0], std::vector<uint8_t>(57, 0));
}

// The generated set in the build's program folder.
class GeneratedTables : public ::testing::Test {
protected:
    void SetUp() override {
        t.Folder = VELTRA_APP_DIR;
        t.ShowMessage = [this](const std::string& m) { shown.push_back(m); };
    }
    static uint32_t Entry(const uint8_t* p, int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) v = v << 8 | p[i];
        return v;
    }
    ConversionTables t;
    std::vector<std::string> shown;
};

// The shipped set and other installations' sets, other calibrations from the same generator.
TEST_F(GeneratedTables, LoadWithoutMessages) {
    const std::filesystem::path others = VELTRA_OTHER_TABLES_DIR;
    for (const auto& folder : {std::filesystem::path(VELTRA_APP_DIR), others / "1", others / "2", others / "3"}) {
        t.Folder = folder;
        ImageBytes image{};
        EXPECT_TRUE(t.LoadDefaultTbl(image));
        EXPECT_TRUE(t.LoadEncTbl());
        EXPECT_TRUE(t.LoadDecTbl());
        EXPECT_TRUE(t.LoadDcsTbl());
        EXPECT_TRUE(t.LoadDevTbl());
        EXPECT_TRUE(t.LoadPwrTbl());
        EXPECT_TRUE(shown.empty()) << folder << ": " << shown.front();
        VoltageTables v;
        v.Folder = folder;
        EXPECT_TRUE(v.LoadVoltageTables().empty());
    }
}

TEST_F(GeneratedTables, SearchedTablesHoldEachValueOnce) {
    ASSERT_TRUE(t.LoadEncTbl() && t.LoadDecTbl() && t.LoadDcsTbl() && t.LoadDevTbl() && t.LoadPwrTbl());
    std::set<uint32_t> enc, dec, dcs, dev;
    for (int k = 0; k < kCtcssWordCount; ++k) {
        enc.insert(Entry(&t.EncTbl[2 * k], 2));
        dec.insert(Entry(&t.DecTbl[2 * k], 2));
    }
    EXPECT_EQ(enc.size(), size_t(kCtcssWordCount));
    EXPECT_EQ(dec.size(), size_t(kCtcssWordCount));
    for (int c = 0; c < kDcsCodeCount; ++c) dcs.insert(Entry(&t.DcsTbl[3 * c], 3));
    EXPECT_EQ(dcs.size(), size_t(kDcsCodeCount));
    for (int e = 0; e < kCtDevStepCount * kStandardToneCount; ++e) dev.insert(Entry(&t.DevTbl[3 * e], 3));
    EXPECT_EQ(dev.size(), size_t(kCtDevStepCount * kStandardToneCount));
    for (int b = 0; b < 8; ++b)
        for (int l = 1; l <= 50; ++l) EXPECT_EQ(PowerIndexFromByte(t, b, *PowerByteFromIndex(t, b, l)), l);
}

TEST_F(GeneratedTables, DocumentedFormulas) {
    ASSERT_TRUE(t.LoadEncTbl() && t.LoadDecTbl() && t.LoadDcsTbl() && t.LoadDevTbl() && t.LoadPwrTbl());
    EXPECT_EQ(Entry(&t.EncTbl[0], 2), 1098u);               // 16384 x 67.0 / 1000
    EXPECT_EQ(Entry(&t.EncTbl[2 * 1921], 2), 4245u);        // 259.1 Hz
    EXPECT_EQ(Entry(&t.DecTbl[0], 2), 14925u);              // 1e6 / 67.0
    EXPECT_EQ(Entry(&t.DecTbl[2 * 830], 2), 6667u);         // 150.0 Hz
    EXPECT_EQ(Entry(&t.DevTbl[153 * 3 + 3 * 24], 3), 2024u); // CT DEV 250, 151.4 Hz
    EXPECT_EQ(t.PwrTbl[50 * 7 + 49], 227);
    // Each DCS entry is a Golay (23,12) codeword: the remainder by 0xC75 is zero and the data
    // bits are 0x800 | the octal code.
    for (int c = 0; c < kDcsCodeCount; ++c) {
        uint32_t w = Entry(&t.DcsTbl[3 * c], 3), r = w;
        for (int bit = 22; bit >= 11; --bit)
            if (r & (1u << bit)) r ^= 0xC75u << (bit - 11);
        EXPECT_EQ(r, 0u) << kDcsCodes[c];
        EXPECT_EQ(w >> 11, 0x800u | unsigned(std::stoi(std::string(kDcsCodes[c]), nullptr, 8))) << kDcsCodes[c];
    }
}

TEST_F(GeneratedTables, VoltageTablesAreBinaryExactRamps) {
    VoltageTables v;
    v.Folder = VELTRA_APP_DIR;
    ASSERT_TRUE(v.LoadVoltageTables().empty());
    for (int b = 0; b < kVolBands; ++b)
        for (int k : {0, 1}) {
            double step = v.LoadedStep[b][k];
            EXPECT_TRUE(step == 1 || step == 2 || step == 5) << b;
            int n = v.PointCount(b, step), off = v.GetTableOffset(b, k);
            for (int j = 0; j < n; ++j) {
                uint8_t p = v.LoadedVolData[size_t(off + j)];
                EXPECT_GE(p, k ? 12 : 0);
                EXPECT_LE(p, k ? 75 : 62);
                if (j > 0) {
                    EXPECT_GE(p, v.LoadedVolData[size_t(off + j - 1)]);
                }
            }
        }
}
