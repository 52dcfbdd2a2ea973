#include "editor/service/core/TestBench.h"
#include "editor/dataset/EditorData.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using vt::TestBench;

TEST(TestBench, AdjustRxFreqFloorsToTheRaster) {
    EXPECT_EQ(TestBench::AdjustRxFreq("145.0125"), "145.0083");
    EXPECT_EQ(TestBench::AdjustRxFreq("145"), "145.0000");
    EXPECT_EQ(TestBench::AdjustRxFreq("145.0166"), "145.0083"); // just below the second step
    EXPECT_EQ(TestBench::AdjustRxFreq("145.0167"), "145.0167");
    EXPECT_EQ(TestBench::AdjustRxFreq("0.5"), "0.4998");
}

TEST(TestBench, MidToneSplitsAtMidpoints) {
    EXPECT_EQ(TestBench::MidTone("66.9"), "Error");
    EXPECT_EQ(TestBench::MidTone("259.2"), "Error");
    EXPECT_EQ(TestBench::MidTone("x"), "Error");
    EXPECT_EQ(TestBench::MidTone("67.0"), "67");
    EXPECT_EQ(TestBench::MidTone("148.8"), "146.2");
    EXPECT_EQ(TestBench::MidTone("150.0"), "151.4");
    EXPECT_EQ(TestBench::MidTone("68.2"), "69.4"); // exactly on a midpoint goes up
    EXPECT_EQ(TestBench::MidTone("259.1"), "259.1");
}

TEST(TestBench, LineGenerators) {
    const auto raster = TestBench::RasterLines();
    ASSERT_EQ(raster.size(), 10000u);
    EXPECT_EQ(raster.front(), "0.00011-------------------0.0000");
    // Ten thousand additions drift in the last digits; the walk still ends just past 1.
    const double last = std::stod(raster.back().substr(0, raster.back().find('-')));
    EXPECT_NEAR(last, 1.00001, 1e-9);

    const auto tones = TestBench::ToneLines();
    ASSERT_EQ(tones.size(), 1922u); // 67.0 to 259.1 in tenths
    EXPECT_EQ(tones.front(), "67====67");
    EXPECT_EQ(tones.back(), "259.1====259.1");

    EXPECT_EQ(TestBench::PatternTestLine(), "-1");
    const uint8_t list[] = {1, 2, 3, 1, 2};
    const uint8_t pat[] = {1, 2};
    EXPECT_EQ(TestBench::FindPattern(list, 5, pat, 2), 0);
    EXPECT_EQ(TestBench::FindPattern(list + 1, 4, pat, 2), 2);
    EXPECT_EQ(TestBench::FindPattern(list, 1, pat, 2), -1);
}

TEST(TestBench, SnapshotLinesSurviveAnEmptySnapshot) {
    const auto empty = TestBench::SnapshotLines({});
    ASSERT_EQ(empty.size(), 105u);
    EXPECT_EQ(empty[0], "1 |2 |3 |4 |5 |6 |7 |8 |9 |10 |11 |12 |13 |14 |");
    EXPECT_EQ(empty[1], "0||||||||||||||");

    std::vector<std::vector<std::string>> all(207, std::vector<std::string>(19));
    all[1][1] = "145.0000";
    all[1][14] = "H";
    all[104][2] = "x";
    const auto lines = TestBench::SnapshotLines(all);
    EXPECT_EQ(lines[1], "0|145.0000|||||||||||||H");
    EXPECT_EQ(lines[104], "103||x||||||||||||");
}

TEST(TestBench, ImageFileLoadRefusesMissingAndShortFiles) {
    vt::test::TempDir tmp("veltra-testbench");
    const auto& dir = tmp.Path();
    vt::EditorData data;
    data.MemImage.fill(0x55);
    std::string error;

    EXPECT_FALSE(TestBench::LoadImageFile(dir / "none.bin", data, &error));
    EXPECT_FALSE(error.empty());
    {
        std::ofstream(dir / "short.bin", std::ios::binary) << std::string(16000, '\x01');
    }
    error.clear();
    EXPECT_FALSE(TestBench::LoadImageFile(dir / "short.bin", data, &error));
    EXPECT_NE(error.find("16000"), std::string::npos);
    EXPECT_EQ(data.MemImage[0], 0x55);

    std::string full(16005, '\x00');
    full[0] = '\x0A';
    full[16000] = '\xFF';
    full[16001] = '\x07'; // beyond the image: ignored
    { std::ofstream(dir / "full.bin", std::ios::binary) << full; }
    ASSERT_TRUE(TestBench::LoadImageFile(dir / "full.bin", data, &error));
    const auto hex = TestBench::ImageHexLines(data.MemImage);
    ASSERT_EQ(hex.size(), 16001u);
    EXPECT_EQ(hex[0], "A");
    EXPECT_EQ(hex[1], "0");
    EXPECT_EQ(hex[16000], "FF");
}
