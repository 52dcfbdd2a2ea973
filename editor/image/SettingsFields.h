#pragma once
// The split forms of the option, 5-tone and FARMCALL/MARNET strings that the encoder reads
// field by field and the decoder fills, and the two per-area scans of the channel grid.
#include "editor/image/GridShape.h"
#include "editor/image/OptionFieldTable.h"
#include "editor/image/SettingsFieldNames.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// Fields of FiveToneInfo and of FarmMarnetInfo (kOptionFieldCount: the option record's).
inline constexpr int kToneInfoFieldCount = kToneSpeaker + 1;
inline constexpr int kFarmFieldCount = kSecondRxFrequency + 1;

using OptionFieldArray = std::array<std::string, kOptionFieldCount>;
using ToneFieldArray = std::array<std::string, kToneInfoFieldCount>;
using FarmFieldArray = std::array<std::string, kFarmFieldCount>;

// "|"-separated fields; the empty string has none.
std::vector<std::string> SplitSettings(std::string_view text);

// 1 when one of the four programmable keys (fields 14, 16, 18, 20) carries function 5.
int AnyKeyIsFunction5(const OptionFieldArray& optionFields);

// Fields start empty, as before any split or decode.
class SettingsFields {
public:
    OptionFieldArray OptionFields;
    ToneFieldArray ToneFields;
    FarmFieldArray FarmFields;
    std::array<int, kMaxAreas + 1> AreaPriorityCh{}; // areas 1..10: channel within the area, 0 none
    std::array<int, kMaxAreas> RowUsed{};            // entry a - 1: last used row of area a, minus 1
                                                      // (also known as AreaLastUsedIndex)

    // False on a field count other than kOptionFieldCount: the fields keep their values and the caller must
    // not encode with them.
    bool SplitOptions(std::string_view radioOption);
    // On a wrong count the fields become those of a New data set ("|1|1|1|5|1",
    // "0|||||0|||0|"), so a cleared list never leaves the encoder with stale or missing
    // fields. The result tells whether the string itself was used.
    bool SplitToneSettings(std::string_view fiveToneInfo);
    bool SplitFarmSettings(std::string_view farmMarnetInfo);

    // Number of areas (0..10) and channels per area (0 and up) from OptionFields 0 and 1;
    // text that is not a whole number counts as 0, so the scans then do nothing.
    int AreaCount() const;
    int ChannelsPerArea() const;

    // Grid: anything with Rows() and TextMatrix(row, col). Both scans stay inside the channel
    // rows (1 .. Rows() - 2) whatever the options say.
    template <class Grid>
    void ScanAreaPriority(const Grid& grid);
    template <class Grid>
    void ScanUsedRows(const Grid& grid);
    // 1 when the row lies before the last channel with a frequency of its area, else 0.
    int RowBeforeLastUsed(int row) const; // also known as RowPrecedesLastUsed

private:
    int LastChannelRow(int gridRows) const;
};

template <class Grid>
void SettingsFields::ScanAreaPriority(const Grid& grid) {
    AreaPriorityCh.fill(0);
    const int cpa = ChannelsPerArea(), last = LastChannelRow(grid.Rows());
    for (int a = 1; a <= AreaCount(); ++a) {
        for (int r = (a - 1) * cpa + 1; r <= a * cpa && r <= last; ++r) {
            if (grid.TextMatrix(r, ColScan).find('P') != std::string::npos) {
                AreaPriorityCh[a] = r - (a - 1) * cpa;
                break;
            }
        }
    }
}

bool CellHasText(const std::string& cell);

template <class Grid>
void SettingsFields::ScanUsedRows(const Grid& grid) {
    RowUsed.fill(0);
    const int cpa = ChannelsPerArea(), last = LastChannelRow(grid.Rows());
    for (int a = 1; a <= AreaCount(); ++a) {
        int lastUsed = (a - 1) * cpa;
        for (int r = (a - 1) * cpa + 1; r <= a * cpa && r <= last; ++r)
            if (CellHasText(grid.TextMatrix(r, ColTxFreq)) || CellHasText(grid.TextMatrix(r, ColRxFreq)))
                lastUsed = r;
        RowUsed[a - 1] = lastUsed - 1;
    }
}

} // namespace vt
