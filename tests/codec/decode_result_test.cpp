// What a decode hands back to whoever applies it, and how it tells the data set it rebuilt.
#include "codec/helpers/CodecFixture.h"

#include "editor/codec/ImageLayout.h"
#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vt::test {
namespace {

struct Recorder : DataSetListener, GridListener {
    int modified = 0, replaced = 0, resets = 0, cells = 0;
    void ModifiedChanged(bool) override { ++modified; }
    void DataSetReplaced() override { ++replaced; }
    void gridReset() override { ++resets; }
    void cellChanged(int, int) override { ++cells; }
};

class DecodeResults : public ::testing::Test {
protected:
    CodecFixture fx;
    // An image saved from a New data set in `band`, channel 1 receiving on `rx` when given.
    ImageArray Saved(int band, const std::string& rx = {}) {
        auto d = NewData();
        SetBand(*d, band);
        if (!rx.empty()) SetCell(*d, 1, 2, rx);
        return fx.EncodeOk(*d);
    }
};

TEST_F(DecodeResults, TheBandChosenComesBackWithoutAWindow) {
    auto d = NewData();
    ASSERT_EQ(d->BandIndex, 0);
    DecodeResult r = DecodeImage(Saved(3, "150.0125"), fx.tables, ImageSource::File, *d);
    ASSERT_TRUE(r.band.has_value());
    EXPECT_EQ(*r.band, 3);
    EXPECT_EQ(d->BandIndex, 3);
    EXPECT_EQ(d->BandRangeText, BandRange(3));
    EXPECT_TRUE(r.repairs.empty());

    // Without a frequency the power bytes name the band.
    d = NewData();
    r = DecodeImage(Saved(1), fx.tables, ImageSource::Radio, *d);
    EXPECT_EQ(r.band, std::optional<int>(1));
    EXPECT_EQ(d->BandIndex, 1);
}

TEST_F(DecodeResults, NoBandInTheImageLeavesTheDataSetsOwn) {
    ImageArray img = Saved(1);
    for (int s = 1; s <= layout::kSecondReceiverSlot; ++s) img[layout::ChannelSlot(s) + layout::ch::PowerByte] = 0xFF;
    auto d = NewData();
    SetBand(*d, 2);
    DecodeResult r = DecodeImage(img, fx.tables, ImageSource::File, *d);
    EXPECT_FALSE(r.band.has_value());
    EXPECT_EQ(d->BandIndex, 2);
}

// Slots past the channels the options hold (one area of 50 here) are no channels: a frequency
// left in one by a larger data set must not choose the band the power bytes name.
TEST_F(DecodeResults, SlotsBeyondTheChannelsDoNotChooseTheBand) {
    auto small = NewData();
    SetOption(*small, 0, "1");
    SetOption(*small, 1, "50");
    AdjustArea_Marnet(*small);
    SetBand(*small, 1);
    ImageArray img = fx.EncodeOk(*small);
    auto large = NewData();
    SetBand(*large, 3);
    SetCell(*large, 120, 1, "150.0125");
    SetCell(*large, 120, 2, "150.0125");
    const ImageArray left = fx.EncodeOk(*large);
    const size_t words = layout::ChannelSlot(120) + layout::ch::RxPllWord; // Rx word, then Tx word
    std::copy(left.begin() + words, left.begin() + words + 4, img.begin() + words);

    auto d = NewData();
    DecodeResult r = DecodeImage(img, fx.tables, ImageSource::File, *d);
    EXPECT_EQ(r.band, std::optional<int>(1));
    EXPECT_EQ(d->BandIndex, 1);
    EXPECT_EQ(d->MFG.Rows(), 52);
}

TEST_F(DecodeResults, ADecodeIsOneReplacementAndNoEdit) {
    ImageArray img = Saved(3, "150.0125");
    auto d = NewData();
    d->MemImage.fill(0x5C);
    Recorder seen;
    d->SetListener(&seen);
    d->MFG.setListener(&seen);
    DecodeImage(img, fx.tables, ImageSource::File, *d);
    EXPECT_EQ(seen.replaced, 1);
    EXPECT_EQ(seen.resets, 1);
    EXPECT_EQ(seen.cells, 0);
    EXPECT_EQ(seen.modified, 0); // whoever opened it says whether it matches a file
    EXPECT_FALSE(d->IsModified());
    EXPECT_EQ(d->MFG.TextMatrix(1, 2), "150.0125");
    EXPECT_EQ(d->MemImage[100], 0x5C); // the image is read, not kept
    d->MFG.setListener(nullptr);
    d->SetListener(nullptr);
}

} // namespace
} // namespace vt::test
