#include "codec/helpers/CodecFixture.h"

#include "common/TextUtil.h"
#include "editor/codec/DefaultImage.h"
#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vt::test {

void FillSyntheticTables(ConversionTables& conv) {
    for (size_t k = 0; k < kEncTblSize / 2; ++k) {
        conv.EncTbl[2 * k] = static_cast<uint8_t>(0x40 + k / 256);
        conv.EncTbl[2 * k + 1] = static_cast<uint8_t>(k % 256);
        conv.DecTbl[2 * k] = static_cast<uint8_t>(0x80 + k / 256);
        conv.DecTbl[2 * k + 1] = static_cast<uint8_t>(k % 256);
    }
    for (size_t c = 0; c < kDcsTblSize / 3; ++c) {
        conv.DcsTbl[3 * c] = 0xD0;
        conv.DcsTbl[3 * c + 1] = static_cast<uint8_t>(c);
        conv.DcsTbl[3 * c + 2] = 0x5A;
    }
    for (size_t d = 0; d < 9; ++d)
        for (size_t t = 0; t < 51; ++t) {
            size_t e = 153 * d + 3 * t;
            conv.DevTbl[e] = static_cast<uint8_t>(0x60 + d);
            conv.DevTbl[e + 1] = static_cast<uint8_t>(t);
            conv.DevTbl[e + 2] = 0x33;
        }
    for (size_t b = 0; b < 8; ++b)
        for (size_t level = 1; level <= 50; ++level) conv.PwrTbl[50 * b + level - 1] = static_cast<uint8_t>(20 + 4 * level + b);
}

std::unique_ptr<EditorData> NewData() {
    auto d = std::make_unique<EditorData>();
    ResetDataSet(*d);
    return d;
}

CodecFixture::CodecFixture() {
    FillSyntheticTables(conv);
    tables.Conv = &conv;
    auto img = BuildDefaultImage(conv);
    EXPECT_TRUE(img.has_value());
    if (img) tables.DefaultImage = *img;
}

bool CodecFixture::UseShippedTables() {
    if (!std::filesystem::exists(std::filesystem::path(VELTRA_APP_DIR) / "resource" / "default.Tbl")) return false;
    std::vector<std::string> messages;
    conv.Folder = VELTRA_APP_DIR;
    conv.ShowMessage = [&messages](const std::string& m) { messages.push_back(m); };
    bool ok = conv.LoadDefaultTbl(tables.DefaultImage) && conv.LoadEncTbl() && conv.LoadDecTbl() &&
              conv.LoadDcsTbl() && conv.LoadDevTbl() && conv.LoadPwrTbl();
    conv.ShowMessage = nullptr;
    voltage.Folder = VELTRA_APP_DIR;
    ok = voltage.LoadVoltageTables().empty() && ok;
    tables.Voltage = &voltage;
    EXPECT_TRUE(ok && messages.empty()) << (messages.empty() ? std::string() : messages.front());
    return true;
}

EncodeResult CodecFixture::Encode(const EditorData& d, ImageSource source) const { return EncodeImage(d, tables, source); }

ImageArray CodecFixture::EncodeOk(const EditorData& d, ImageSource source) const {
    EncodeResult r = Encode(d, source);
    EXPECT_TRUE(r.ok()) << ErrorListText(r.errors);
    return r.image;
}

std::unique_ptr<EditorData> CodecFixture::Decode(const ImageArray& image, ImageSource source) const {
    auto d = NewData();
    d->MemImage = image;
    DecodeImage(image, tables, source, *d);
    return d;
}

std::array<uint8_t, 2> CodecFixture::EncWord(int tenths) const {
    size_t b = 2 * static_cast<size_t>(tenths - 670);
    return {conv.EncTbl[b], conv.EncTbl[b + 1]};
}
std::array<uint8_t, 2> CodecFixture::DecWord(int tenths) const {
    size_t b = 2 * static_cast<size_t>(tenths - 670);
    return {conv.DecTbl[b], conv.DecTbl[b + 1]};
}
std::array<uint8_t, 3> CodecFixture::DcsEntry(int i) const {
    size_t b = 3 * static_cast<size_t>(i);
    return {conv.DcsTbl[b], conv.DcsTbl[b + 1], conv.DcsTbl[b + 2]};
}
std::array<uint8_t, 3> CodecFixture::DevEntry(int step, int tone) const {
    size_t b = 153 * static_cast<size_t>(step) + 3 * static_cast<size_t>(tone);
    return {conv.DevTbl[b], conv.DevTbl[b + 1], conv.DevTbl[b + 2]};
}

void SetCell(EditorData& d, int r, int c, const std::string& text) {
    d.SetCell(r, c, text, RecordWrite::Quiet);
}

std::string Field(const std::string& joined, int n) {
    auto f = Split(joined);
    return n < static_cast<int>(f.size()) ? f[static_cast<size_t>(n)] : std::string();
}

std::string WithField(const std::string& joined, int n, const std::string& value) {
    auto f = Split(joined);
    if (n < static_cast<int>(f.size())) f[static_cast<size_t>(n)] = value;
    return Join(f);
}

void SetOption(EditorData& d, int n, const std::string& value) {
    d.SetRadioOption(WithField(d.RadioOption(), n, value));
}
std::string OptionField(const EditorData& d, int n) {
    return Field(d.RadioOption(), n);
}

void ExpectSameData(const EditorData& got, const EditorData& want, unsigned seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    EXPECT_EQ(got.RadioOption(), want.RadioOption());
    EXPECT_EQ(got.FiveToneInfo(), want.FiveToneInfo());
    EXPECT_EQ(got.FarmMarnetInfo(), want.FarmMarnetInfo());
    EXPECT_EQ(got.Setup3C00, want.Setup3C00);
    EXPECT_EQ(got.Setup3C02, want.Setup3C02);
    EXPECT_EQ(got.BandIndex, want.BandIndex);
    for (int a = 1; a <= kMaxAreas; ++a)
        EXPECT_EQ(got.AreaNames()[a], want.AreaNames()[a]) << "area " << a;
    ASSERT_EQ(got.MFG.Rows(), want.MFG.Rows());
    int bad = 0;
    for (int r = 1; r < got.MFG.Rows() && bad < 5; ++r)
        for (int c = 0; c < kGridCols; ++c)
            if (got.MFG.TextMatrix(r, c) != want.MFG.TextMatrix(r, c)) {
                ADD_FAILURE() << "cell (" << r << ", " << c << "): \"" << got.MFG.TextMatrix(r, c) << "\" != \""
                              << want.MFG.TextMatrix(r, c) << "\"";
                ++bad;
            }
    for (int n = 1; n <= kToneLines; ++n) {
        EXPECT_EQ(got.FiveToneChannels()[n], want.FiveToneChannels()[n]) << "line " << n;
        for (int k = 1; k <= kSpecialFields; ++k)
            EXPECT_EQ(got.SpecialData()[n][k], want.SpecialData()[n][k]) << "line " << n << " field " << k;
    }
}

std::unique_ptr<EditorData> NewDataAsDecoded() {
    auto fresh = NewData();
    fresh->SetFarmMarnetInfo("0|||0||0||0|0|"); // channel numbers read back as 0
    for (int n = 1; n <= kToneLines; ++n) {
        fresh->SetFiveToneLine(n, "|ZVEI1||CURRENT|1|");
        fresh->SetSpecialField(n, 1, "15");
    }
    fresh->SetCell(fresh->MFG.Rows() - 1, 0, "201", RecordWrite::Quiet);
    fresh->SetCell(fresh->MFG.Rows() - 1, 14, "", RecordWrite::Quiet);
    UpdateAreaNo(*fresh);
    fresh->ManualSetupFlag = 1;
    return fresh;
}

} // namespace vt::test
