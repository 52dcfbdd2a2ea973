// Damaged images: random, bit-flipped and short ones decode into a sane data set that the next
// encode takes.
#include "codec/helpers/CodecFixture.h"
#include "codec/helpers/RandomDataSet.h"

#include "common/TextUtil.h"
#include "editor/codec/ImageFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace vt::test {
namespace {

class Robustness : public ::testing::Test {
protected:
    CodecFixture fx;
    std::mt19937 rng{20261208};

    // The decoded data set is one the editor can hold, and encoding it never crashes.
    void CheckDecodes(const ImageArray& img) {
        auto d = fx.Decode(img);
        auto f = Split(d->RadioOption);
        ASSERT_EQ(f.size(), 39u);
        long long areas = ToWhole(f[0]).value_or(0), per = ToWhole(f[1]).value_or(0);
        ASSERT_GE(areas, 1);
        ASSERT_LE(areas, 10);
        ASSERT_GE(per, 1);
        ASSERT_LE(areas * per, 200);
        ASSERT_GE(d->MFG.Rows(), areas * per + 2);
        ASSERT_LE(d->MFG.Rows(), areas * per + 3);
        ASSERT_EQ(Split(d->FiveToneInfo).size(), 6u);
        ASSERT_EQ(Split(d->FarmMarnetInfo).size(), 10u);
        for (int n = 1; n <= kToneLines; ++n) ASSERT_EQ(Split(d->FiveToneChannels[n]).size(), 6u);
        EncodeResult r = fx.Encode(*d);
        ASSERT_TRUE(r.ok()) << ErrorListText(r.errors);
    }
};

TEST_F(Robustness, RandomImages) {
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 300; ++i) {
        ImageArray img;
        for (auto& b : img) b = static_cast<uint8_t>(byte(rng));
        CheckDecodes(img);
        if (HasFatalFailure()) return;
    }
    ImageArray zeros{}, ones;
    ones.fill(0xFF);
    CheckDecodes(zeros);
    CheckDecodes(ones);
}

TEST_F(Robustness, BitFlippedImages) {
    std::uniform_int_distribution<size_t> pos(0, kImageSize - 1);
    std::uniform_int_distribution<int> bit(0, 7), flips(1, 40);
    for (unsigned seed = 1; seed <= 20; ++seed) {
        ImageArray base = fx.EncodeOk(*MakeRandomDataSet(seed).input);
        for (int i = 0; i < 25; ++i) {
            ImageArray img = base;
            for (int k = flips(rng); k > 0; --k) img[pos(rng)] ^= static_cast<uint8_t>(1u << bit(rng));
            CheckDecodes(img);
            if (HasFatalFailure()) return;
        }
    }
}

TEST_F(Robustness, DecodedValuesOfEveryByteInTheOptionAreaEncodeAgain) {
    ImageArray base = fx.tables.DefaultImage;
    for (size_t off = 0x02; off < 0xA0; ++off)
        for (int v : {0, 1, 0x7F, 0x80, 0xFE, 0xFF}) {
            ImageArray img = base;
            img[off] = static_cast<uint8_t>(v);
            CheckDecodes(img);
            if (HasFatalFailure()) return;
        }
}

class ImageFiles : public ::testing::Test {
protected:
    TempDir tmp{"veltra-codec"};
    const std::filesystem::path dir = tmp.Path();
    void WriteBytes(const std::filesystem::path& p, size_t n, uint8_t v) {
        std::vector<uint8_t> bytes(n, v);
        ASSERT_TRUE(WriteFileReplace(p, bytes.data(), bytes.size()));
    }
};

TEST_F(ImageFiles, WriteThenReadGivesTheSameImage) {
    ImageArray img;
    for (size_t k = 0; k < img.size(); ++k) img[k] = static_cast<uint8_t>(k * 31);
    auto p = dir / "a.dat";
    WriteBytes(p, 20000, 0xEE); // a longer file is overwritten from the start, not shortened
    ASSERT_TRUE(WriteImageFile(p, img));
    EXPECT_EQ(std::filesystem::file_size(p), 20000u);
    ImageArray back{};
    ASSERT_TRUE(ReadImageFile(p, back));
    EXPECT_EQ(back, img);
}

TEST_F(ImageFiles, ShortFilesAreRefusedAndARadioBufferLacksOnlyTheLastByte) {
    auto p = dir / "short.bin";
    ImageArray img;
    img.fill(0x11);
    for (size_t n : {size_t{0}, size_t{1}, size_t{15999}}) {
        WriteBytes(p, n, 0x22);
        std::string error;
        EXPECT_FALSE(ReadImageFile(p, img, &error)) << n;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(img[0], 0x11); // untouched
    }
    WriteBytes(p, 16000, 0x33);
    ASSERT_TRUE(ReadImageFile(p, img));
    EXPECT_EQ(img[15999], 0x33);
    EXPECT_EQ(img[16000], 0); // not the previous image's byte
    EXPECT_FALSE(ReadImageFile(dir / "missing.dat", img));
}

} // namespace
} // namespace vt::test
