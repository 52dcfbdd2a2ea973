#pragma once
// Channel flag table and channel records: grid rows to slots and back.
#include "editor/image/GridShape.h"

#include <optional>
#include <string>
#include <vector>

namespace vt {

struct EncodeContext;
struct DecodeContext;

// Slot of grid row r in a grid of `rows` rows: 1..200, 201 for the last row, 0 when the row has none.
int SlotOfRow(int rows, int r);
const char* ColumnName(int column);
// Tone in tenths of a hertz, when the text is a tone the code tables hold.
std::optional<int> ToneTenths(const std::string& text);

void EncodeChannelFlags(EncodeContext& c);
void EncodeChannelRecords(EncodeContext& c);
// Signalling bytes of one row (+0x01..+0x0C); high carries the high-tone bit down the rows.
void EncodeSignalling(EncodeContext& c, int row, size_t rec, int& high);

// Decoder passes, in the order the grid rebuild runs them.
void DecodeSignalFlagColumns(DecodeContext& c); // ANI, 5Tone Resp
void DecodeToneColumns(DecodeContext& c);       // CTCSS ENC/DEC, DCS ENC/DEC, CT DEV
void DecodeFrequencyColumns(DecodeContext& c);  // Tx, Rx
// With no frequency in any channel the band is not in the image: the band whose power table
// holds the stored power bytes, so that the levels read back are the ones saved. Nothing when
// a channel has a frequency (it decides the band) or no band's table fits.
struct PowerBand {
    int band = 0;
    int held = 0, slots = 0; // power bytes the band's table holds, of the slots read
    // Slots whose level another band reads otherwise, or whose byte the table lacks: the band
    // is a guess there (tables of another installation, a damaged image).
    std::vector<int> doubtful;
};
std::optional<PowerBand> BandFromPowerBytes(const DecodeContext& c);
void DecodeFlagColumns(DecodeContext& c);       // BCL, SCAN with the priority channels
void DecodeNameColumns(DecodeContext& c);       // names, Sel Call, Power
// Row count from the options, the second-receiver row, then the SCAN and area refresh.
// Slots the finished grid has no row for hold no frequency: they must not choose the band.
void ClearFrequenciesBeyondTheGrid(DecodeContext& c);
void FinishGrid(DecodeContext& c);

} // namespace vt
