// Damaged images: random, bit-flipped and short ones decode into a sane data set that the next
// encode takes.
#include "codec/helpers/CodecFixture.h"
#include "codec/helpers/RandomDataSet.h"

#include "common/TextUtil.h"

#include <gtest/gtest.h>

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
        auto f = Split(d->RadioOption());
        ASSERT_EQ(f.size(), 39u);
        long long areas = ToWhole(f[0]).value_or(0), per = ToWhole(f[1]).value_or(0);
        ASSERT_GE(areas, 1);
        ASSERT_LE(areas, 10);
        ASSERT_GE(per, 1);
        ASSERT_LE(areas * per, 200);
        ASSERT_GE(d->MFG.Rows(), areas * per + 2);
        ASSERT_LE(d->MFG.Rows(), areas * per + 3);
        ASSERT_EQ(Split(d->FiveToneInfo()).size(), 6u);
        ASSERT_EQ(Split(d->FarmMarnetInfo()).size(), 10u);
        for (int n = 1; n <= kToneLines; ++n)
            ASSERT_EQ(Split(d->FiveToneChannels()[n]).size(), 6u);
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

} // namespace
} // namespace vt::test
