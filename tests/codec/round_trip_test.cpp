// Generated data sets through encode and decode: what comes back, what a second round changes,
// what the source flag changes and which bytes no region touches.
#include "codec/helpers/CodecFixture.h"
#include "codec/helpers/RandomDataSet.h"

#include "editor/codec/ImageLayout.h"
#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace vt::test {
namespace {

constexpr unsigned kSeeds = 40;

// Bytes that belong to no region of the image.
std::vector<bool> RegionBytes() {
    std::vector<bool> in(kImageSize, false);
    auto mark = [&](size_t from, size_t to) {
        for (size_t k = from; k <= to; ++k) in[k] = true;
    };
    mark(0x02, 0x9F);
    for (size_t k : {0x07, 0x0C, 0x13, 0x1D, 0x23, 0x24, 0x26, 0x27, 0x6E}) in[k] = false;
    for (auto [a, b] : {std::pair<size_t, size_t>{0x32, 0x4F}, {0x52, 0x61}, {0x70, 0x80}, {0x86, 0x8F}})
        for (size_t k = a; k <= b; ++k) in[k] = false;
    mark(0xA0, 0x0D1F);
    in[0x0D21] = true;
    mark(0x0E90, 0x0EA3);
    mark(0x1380, 0x146F);
    mark(0x14F6, 0x15C8);
    for (int s = 1; s <= 201; ++s) mark(layout::ChannelSlot(s), layout::ChannelSlot(s) + 0x2C);
    mark(0x3BB0, 0x3BB4);
    mark(0x3C00, 0x3C02);
    return in;
}

// Each case runs with the synthetic tables and with the tables the program ships.
class RoundTrip : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam() && !fx.UseShippedTables()) GTEST_SKIP() << "no generated tables in " << VELTRA_APP_DIR;
    }
    CodecFixture fx;
};

TEST_P(RoundTrip, DecodeGivesTheDataBackUpToTheDocumentedNormalisations) {
    for (unsigned seed = 1; seed <= kSeeds; ++seed) {
        RandomCase c = MakeRandomDataSet(seed);
        auto back = fx.Decode(fx.EncodeOk(*c.input));
        ExpectSameData(*back, *c.expected, seed);
        if (HasFailure()) return;
    }
}

TEST_P(RoundTrip, ASecondRoundChangesNothing) {
    for (unsigned seed = 100; seed < 100 + kSeeds; ++seed) {
        RandomCase c = MakeRandomDataSet(seed);
        auto once = fx.Decode(fx.EncodeOk(*c.input));
        ImageArray second = fx.EncodeOk(*once);
        auto twice = fx.Decode(second);
        ExpectSameData(*twice, *once, seed);
        ImageArray third = fx.EncodeOk(*twice);
        for (size_t k = 0; k < kImageSize; ++k) ASSERT_EQ(second[k], third[k]) << "seed " << seed << " byte " << k;
    }
}

TEST_P(RoundTrip, SourceFlagOnlyDecidesTheIdSuffix) {
    for (unsigned seed = 200; seed < 200 + kSeeds / 4; ++seed) {
        RandomCase c = MakeRandomDataSet(seed);
        ImageArray file = fx.EncodeOk(*c.input, ImageSource::File), radio = fx.EncodeOk(*c.input, ImageSource::Radio);
        for (size_t k = 0; k < kImageSize; ++k)
            if (k < 0x3BB0 || k > 0x3BB4) {
                ASSERT_EQ(file[k], radio[k]) << "seed " << seed << " byte " << k;
            }
    }
}

TEST_P(RoundTrip, BytesOutsideTheRegionsKeepTheDefaultImage) {
    auto regions = RegionBytes();
    for (size_t k = 0; k < kImageSize; ++k) fx.tables.DefaultImage[k] = static_cast<uint8_t>(k * 7 + 3);
    fx.tables.DefaultImage[0x68] = 1; // keep the own-ID length sane for the decode below
    for (unsigned seed = 300; seed < 300 + kSeeds / 4; ++seed) {
        RandomCase c = MakeRandomDataSet(seed);
        ImageArray img = fx.EncodeOk(*c.input);
        for (size_t k = 0; k < kImageSize; ++k)
            if (!regions[k]) {
                ASSERT_EQ(img[k], fx.tables.DefaultImage[k]) << "seed " << seed << " byte " << k;
            }
    }
}

TEST_P(RoundTrip, DefaultImageDecodesAsTheNewDataSet) {
    auto back = fx.Decode(fx.tables.DefaultImage);
    ExpectSameData(*back, *NewDataAsDecoded(), 0);
    EXPECT_EQ(back->BandIndex, 0);
    EXPECT_EQ(back->Setup3C00, 32);
}

INSTANTIATE_TEST_SUITE_P(Tables, RoundTrip, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Shipped" : "Synthetic"; });

} // namespace
} // namespace vt::test
