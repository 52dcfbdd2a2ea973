// Area name table.
#include "codec/helpers/CodecFixture.h"

#include <gtest/gtest.h>

namespace vt::test {
namespace {

class AreaNames : public ::testing::Test {
protected:
    CodecFixture fx;
    std::unique_ptr<EditorData> d = NewData();
    void TwoAreas() {
        SetOption(*d, 0, "2");
        SetOption(*d, 1, "100");
    }
    std::string Slot(const ImageArray& img, int a, size_t n = 24) {
        auto at = img.begin() + 0x1380 + (a - 1) * 24;
        return std::string(at, at + static_cast<long>(n));
    }
};

TEST_F(AreaNames, NamesFillTheirSlotsAndTheRestIsCleared) {
    TwoAreas();
    d->SetAreaName(1, "NORTH");
    d->SetAreaName(2, "SOUTH");
    d->SetAreaName(3, "THIRD");
    ImageArray img = fx.EncodeOk(*d);
    EXPECT_EQ(Slot(img, 1), std::string("NORTH") + std::string(19, '\0'));
    EXPECT_EQ(Slot(img, 2, 5), "SOUTH");
    EXPECT_EQ(Slot(img, 3), Slot(fx.tables.DefaultImage, 3)); // beyond the areas: untouched
    auto back = fx.Decode(img);
    EXPECT_EQ(back->AreaNames()[1], "NORTH");
    EXPECT_EQ(back->AreaNames()[2], "SOUTH");
    EXPECT_EQ(back->AreaNames()[3], "3");
}

TEST_F(AreaNames, LongNamesStayInsideTheirSlot) {
    TwoAreas();
    d->SetAreaName(1, std::string(30, 'L'));
    d->SetAreaName(2, "S");
    ImageArray img = fx.EncodeOk(*d);
    EXPECT_EQ(Slot(img, 1), std::string(24, 'L'));
    EXPECT_EQ(Slot(img, 2, 2), std::string("S") + '\0');
    EXPECT_EQ(fx.Decode(img)->AreaNames()[1], std::string(16, 'L'));
}

TEST_F(AreaNames, OneAreaWritesNoNames) {
    d->SetAreaName(1, "HOME");
    ImageArray img = fx.EncodeOk(*d);
    for (int a = 1; a <= 10; ++a) EXPECT_EQ(Slot(img, a), Slot(fx.tables.DefaultImage, a));
    EXPECT_EQ(fx.Decode(img)->AreaNames()[1], "1");
}

TEST_F(AreaNames, ZeroBytesAreSkippedAndForeignCharactersRefused) {
    TwoAreas();
    ImageArray img = fx.EncodeOk(*d);
    img[0x1380] = 0;
    img[0x1381] = 'A';
    img[0x1382] = 'B';
    EXPECT_EQ(fx.Decode(img)->AreaNames()[1], "AB");
    d->SetAreaName(2, "北");
    auto errors = fx.Encode(*d).errors;
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].field, "Name of area 2");
}

} // namespace
} // namespace vt::test
