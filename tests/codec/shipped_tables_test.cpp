// The codec with the tables the program folder ships: the default image reads back as a New
// data set, and generated data sets survive a save and an open through the real files.
#include "codec/helpers/CodecFixture.h"
#include "codec/helpers/RandomDataSet.h"

#include "editor/codec/ChannelCodec.h"
#include "editor/codec/ImageFile.h"
#include "editor/codec/SaveChangeList.h"
#include "editor/dataset/GridRules.h"
#include "editor/image/FixedPoint.h"
#include "editor/image/ToneLists.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vt::test {
namespace {

class ShippedTables : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::filesystem::path(VELTRA_APP_DIR) / "resource" / "default.Tbl"))
            GTEST_SKIP() << "no generated tables in " << VELTRA_APP_DIR;
    }
    // A data set whose tables come from the program folder, or another installation's.
    std::unique_ptr<EditorData> WithTables(std::unique_ptr<EditorData> d,
                                           const std::filesystem::path& folder = VELTRA_APP_DIR) {
        d->Tables.Folder = folder;
        d->Tables.ShowMessage = [this](const std::string& m) { messages.push_back(m); };
        d->VolTables.Folder = folder;
        EXPECT_TRUE(d->VolTables.LoadVoltageTables().empty());
        return d;
    }
    std::vector<std::string> messages;
};

TEST_F(ShippedTables, DefaultImageDecodesAsNew) {
    auto d = WithTables(NewData());
    ASSERT_TRUE(ReadImageFile(std::filesystem::path(VELTRA_APP_DIR) / "resource" / "default.Tbl", d->MemImage));
    DecodeImage(d->MemImage, LoadCodecTables(d->Tables, d->VolTables, TablesFor::Decode), ImageSource::File, *d);
    EXPECT_TRUE(messages.empty());
    ExpectSameData(*d, *NewDataAsDecoded(), 0);
}

TEST_F(ShippedTables, SaveAndOpenThroughTheRealTables) {
    TempDir tmp("veltra-codec-shipped");
    const auto& dir = tmp.Path();
    const std::filesystem::path others = VELTRA_OTHER_TABLES_DIR;
    // Ten data sets through the shipped tables, two through each other calibration.
    const std::filesystem::path folders[] = {VELTRA_APP_DIR, others / "1", others / "2", others / "3"};
    for (unsigned seed = 500; seed < 516; ++seed) {
        const auto& folder = folders[seed < 510 ? 0 : (seed - 510) / 2 + 1];
        RandomCase c = MakeRandomDataSet(seed);
        auto in = WithTables(std::move(c.input), folder);
        EncodeResult r = EncodeImage(*in, LoadCodecTables(in->Tables, in->VolTables, TablesFor::Encode), ImageSource::File);
        ASSERT_TRUE(r.ok()) << ErrorListText(r.errors);
        in->MemImage = r.image;
        ASSERT_TRUE(WriteImageFile(dir / "data.dat", in->MemImage));
        auto out = WithTables(NewData(), folder);
        ASSERT_TRUE(ReadImageFile(dir / "data.dat", out->MemImage));
        DecodeImage(out->MemImage, LoadCodecTables(out->Tables, out->VolTables, TablesFor::Decode), ImageSource::File,
                    *out);
        ExpectSameData(*out, *c.expected, seed);
        EXPECT_TRUE(messages.empty());
    }
}

// Another installation's tone generators may be coarser than one word per 0.1 Hz, so that
// neighbouring tones share a word (in dec.Tbl near the top, in enc.Tbl throughout): a list tone
// saved there opens as that list tone, not as a neighbour that a save elsewhere would give
// another word, and nothing is listed.
TEST_F(ShippedTables, ListTonesComeBackThroughCoarserToneTables) {
    TempDir tmp("veltra-coarse-tones");
    const std::filesystem::path folder = tmp.Path();
    std::filesystem::copy(std::filesystem::path(VELTRA_APP_DIR) / "resource", folder / "resource");
    auto table = [&](const char* name, auto word) {
        std::vector<uint8_t> bytes;
        for (int t = kCtcssFirstTenths; t <= kCtcssLastTenths; ++t)
            for (uint8_t b : {static_cast<uint8_t>(word(t) >> 8), static_cast<uint8_t>(word(t))}) bytes.push_back(b);
        tmp.Write(std::string("resource/") + name, bytes);
    };
    int tables = 0;
    for (long long scale = 2000; scale < 10000; scale += 97, ++tables) {
        // enc: the phase step S f / 1000 with S < 10000; dec: the period in 1/C s, C = 40 S.
        table("enc.Tbl", [&](int t) { return DivRoundHalfEven(scale * t, 10000); });
        table("dec.Tbl", [&](int t) { return DivRoundHalfEven(400 * scale, t); });
        auto in = WithTables(NewData(), folder);
        for (int i = 0; i < kStandardToneCount; ++i) {
            SetCell(*in, i + 1, ColCtcssEnc, std::string(kStandardTones[static_cast<size_t>(i)]));
            SetCell(*in, i + 1, ColCtcssDec, std::string(kStandardTones[static_cast<size_t>(i)]));
        }
        EncodeResult r = EncodeImage(*in, LoadCodecTables(in->Tables, in->VolTables, TablesFor::Encode), ImageSource::File);
        ASSERT_TRUE(r.ok()) << ErrorListText(r.errors);
        auto out = WithTables(NewData(), folder);
        DecodeResult back =
            DecodeImage(r.image, LoadCodecTables(out->Tables, out->VolTables, TablesFor::Decode), ImageSource::File, *out);
        for (int i = 0; i < kStandardToneCount; ++i)
            for (int column : {ColCtcssEnc, ColCtcssDec})
                EXPECT_EQ(out->MFG.TextMatrix(i + 1, column), kStandardTones[static_cast<size_t>(i)])
                    << ColumnName(column) << ", S = " << scale;
        EXPECT_TRUE(back.repairs.empty()) << "S = " << scale << RepairListText(back.repairs, "", "row");
        EXPECT_TRUE(messages.empty()) << "S = " << scale << ": " << messages.front();
    }
    EXPECT_GT(tables, 80);
}

} // namespace
} // namespace vt::test
