// Splitters of the setting strings and the per-area grid scans.
#include "editor/image/SettingsFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vt;

namespace {

const char* kDefaultOptions =
    "1|200|0|0|1|100|5|0|1000|120|200|500|1000|2|0|1|7|1|7|3|1|1|0|1|1|1|1|1|1|1|1|0|0|CHANNEL|HIGH|1|0|12|0";

std::string OptionsWith(int areas, int cpa) {
    std::string s = kDefaultOptions;
    return std::to_string(areas) + "|" + std::to_string(cpa) + s.substr(s.find('|', s.find('|') + 1));
}

// The scans read any grid of text cells; the data set's grid lies above this library.
class TextGrid {
public:
    TextGrid(int rows, int cols) : cols_(cols), cells_(static_cast<size_t>(rows * cols)) {}
    int Rows() const { return static_cast<int>(cells_.size()) / cols_; }
    const std::string& TextMatrix(int row, int col) const { return cells_.at(Index(row, col)); }
    void SetTextMatrix(int row, int col, const std::string& text) { cells_.at(Index(row, col)) = text; }

private:
    size_t Index(int row, int col) const { return static_cast<size_t>(row * cols_ + col); }
    int cols_;
    std::vector<std::string> cells_;
};

// A grid of areas x cpa channel rows plus header and second-receiver rows.
TextGrid Grid(int areas, int cpa) { return TextGrid(areas * cpa + 2, 16); }

} // namespace

TEST(SplitOptions, ExactlyThirtyNineFields) {
    SettingsFields f;
    EXPECT_TRUE(f.SplitOptions(kDefaultOptions));
    EXPECT_EQ(f.OptionFields[0], "1");
    EXPECT_EQ(f.OptionFields[33], "CHANNEL");
    EXPECT_EQ(f.OptionFields[38], "0");
    std::string s38 = std::string(kDefaultOptions).substr(2);
    EXPECT_FALSE(f.SplitOptions(s38));
    EXPECT_FALSE(f.SplitOptions(std::string(kDefaultOptions) + "|1"));
    EXPECT_FALSE(f.SplitOptions(""));
    EXPECT_EQ(f.OptionFields[0], "1"); // unchanged
    EXPECT_TRUE(f.SplitOptions(std::string(38, '|')));
    for (const auto& x : f.OptionFields) EXPECT_EQ(x, "");
}

TEST(SplitToneAndFarm, WrongCountsGiveNewDataSetFields) {
    SettingsFields f;
    EXPECT_TRUE(f.SplitToneSettings("12345|2|0|1|5|1"));
    EXPECT_EQ(f.ToneFields[0], "12345");
    EXPECT_FALSE(f.SplitToneSettings("")); // the 5-tone list cleared
    EXPECT_EQ(f.ToneFields, (ToneFieldArray{"", "1", "1", "1", "5", "1"}));
    EXPECT_TRUE(f.SplitFarmSettings("1|22|3|4|150.0|1|77|20|1|145.5"));
    EXPECT_EQ(f.FarmFields[9], "145.5");
    EXPECT_FALSE(f.SplitFarmSettings(""));
    EXPECT_EQ(f.FarmFields, (FarmFieldArray{"0", "", "", "", "", "0", "", "", "0", ""}));
    EXPECT_FALSE(f.SplitFarmSettings("1|2"));
    EXPECT_EQ(f.FarmFields[0], "0");
}

TEST(AnyKeyIsFunction5, KeyFields) {
    OptionFieldArray f;
    EXPECT_EQ(AnyKeyIsFunction5(f), 0);
    f[18] = "5";
    EXPECT_EQ(AnyKeyIsFunction5(f), 1);
    f[18] = "05";
    f[15] = "5"; // a parameter field, not a key's function
    EXPECT_EQ(AnyKeyIsFunction5(f), 0);
}

TEST(ScanAreaPriority, FirstCellContainingP) {
    SettingsFields f;
    ASSERT_TRUE(f.SplitOptions(OptionsWith(2, 50)));
    TextGrid g = Grid(2, 50);
    g.SetTextMatrix(51, 10, "S");
    g.SetTextMatrix(52, 10, "AP");
    g.SetTextMatrix(53, 10, "P");
    f.ScanAreaPriority(g);
    EXPECT_EQ(f.AreaPriorityCh[1], 0);
    EXPECT_EQ(f.AreaPriorityCh[2], 2);
    g.SetTextMatrix(7, 10, "TP");
    f.ScanAreaPriority(g);
    EXPECT_EQ(f.AreaPriorityCh[1], 7);
}

TEST(ScanUsedRows, LastUsedRowPerArea) {
    SettingsFields f;
    ASSERT_TRUE(f.SplitOptions(OptionsWith(1, 200)));
    TextGrid g = Grid(1, 200);
    g.SetTextMatrix(3, 1, "145.0000");
    g.SetTextMatrix(7, 2, "146.0000");
    g.SetTextMatrix(9, 1, "   "); // blanks count as empty
    f.ScanUsedRows(g);
    EXPECT_EQ(f.RowUsed[0], 6);
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(f.RowBeforeLastUsed(r), 1) << r;
    for (int r = 7; r <= 200; ++r) EXPECT_EQ(f.RowBeforeLastUsed(r), 0) << r;
}

TEST(ScanUsedRows, AreaWithoutFrequencies) {
    SettingsFields f;
    ASSERT_TRUE(f.SplitOptions(OptionsWith(2, 100)));
    TextGrid g = Grid(2, 100);
    g.SetTextMatrix(10, 1, "145.0000");
    f.ScanUsedRows(g);
    EXPECT_EQ(f.RowUsed[0], 9);
    EXPECT_EQ(f.RowUsed[1], 99);
    for (int r = 101; r <= 200; ++r) EXPECT_EQ(f.RowBeforeLastUsed(r), 0) << r;
    EXPECT_EQ(f.RowBeforeLastUsed(9), 1);
    EXPECT_EQ(f.RowBeforeLastUsed(10), 0);
}

TEST(Scans, NeverIndexOutsideTheGridOrAreas) {
    SettingsFields f;
    // The options claim 10 areas of 200 channels; the grid has 22 rows.
    ASSERT_TRUE(f.SplitOptions(OptionsWith(10, 200)));
    TextGrid g(22, 16);
    g.SetTextMatrix(20, 1, "145.0000");
    g.SetTextMatrix(21, 1, "146.0000"); // second receiver: not a channel
    g.SetTextMatrix(21, 10, "P");
    f.ScanUsedRows(g);
    f.ScanAreaPriority(g);
    EXPECT_EQ(f.RowUsed[0], 19);
    EXPECT_EQ(f.AreaPriorityCh[1], 0);
    EXPECT_EQ(f.RowBeforeLastUsed(0), 0);
    EXPECT_EQ(f.RowBeforeLastUsed(-1), 0);
    EXPECT_EQ(f.RowBeforeLastUsed(5000), 0);
    // Areas and channels that are not numbers: nothing is scanned.
    ASSERT_TRUE(f.SplitOptions("x|" + OptionsWith(1, 1).substr(2)));
    f.ScanUsedRows(g);
    EXPECT_EQ(f.RowUsed, (std::array<int, 10>{}));
    ASSERT_TRUE(f.SplitOptions(OptionsWith(1, 0)));
    f.ScanAreaPriority(g);
    EXPECT_EQ(f.RowBeforeLastUsed(1), 0);
}
