#pragma once
// The shape of the channel grid: its columns, and how many areas and channel rows it holds.
// The image code reads the grid through these too, so they live below the data set.

namespace vt {

// Grid columns of the channel store, in the order the grid shows them.
enum CellColumn : int {
    ColNo = 0, // the row labels ("Ch:1", "201")
    ColTxFreq = 1,
    ColRxFreq = 2,
    ColName1 = 3,
    ColName2 = 4,
    ColCtcssEnc = 5,
    ColCtcssDec = 6,
    ColDcsEnc = 7,
    ColDcsDec = 8,
    ColBcl = 9,
    ColScan = 10,
    ColFiveTone = 11,
    ColAni = 12,
    ColSelCall = 13,
    ColCtDev = 14,
    ColPower = 15,
};
inline constexpr int kGridCols = ColPower + 1;

// Areas of the option record, and channel rows of all areas together (the radio's channel
// slots). The grid adds a header row before them and the second-receiver row after them.
inline constexpr int kMaxAreas = 10;
inline constexpr int kMaxChannels = 200;

} // namespace vt
