#pragma once
// What each cell editor of the channel grid does with what the user entered. Every rule takes
// the cell's current text and the input and returns the cell's text afterwards and the message
// to show, so the windows only place, fill, show and hide the editors.
#include "editor/dataset/LanguageTexts.h"
#include "editor/image/Bands.h"
#include "editor/image/GridShape.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

class GridStore;

struct EditorData;

// Longest texts the boxes take.
inline constexpr int kFreqMaxLength = 9;
inline constexpr int kName1MaxLength = 8;
inline constexpr int kName2MaxLength = 16;
inline constexpr int kCustomToneMaxLength = 5;

// The band and the language texts the rules show.
struct CellContext {
    double BandLow = kBandEdges[kDefaultBand][0], BandHigh = kBandEdges[kDefaultBand][1];
    std::string BandRangeText = BandRange(kDefaultBand);
    std::string NotNumberMsg;  // Fradio_Msg 5
    std::string RangeInfixMsg; // Fradio_Msg 9
    std::string ToneRangeMsg;  // Fradio_Msg 14
    std::string NotAnItemMsg;  // Fradio_Msg 22, after the quoted text
    std::string SecondRxNeedsFreqMsg; // Fradio_Msg 25
};
CellContext CellContextOf(const EditorData& d);

// Result codes of the number boxes.
inline constexpr int kCommitDone = 1;
inline constexpr int kCommitNotNumber = -1;
inline constexpr int kCommitOutOfRange = -2;
// Refused, and the cell keeps its text: the box shows it again rather than waiting for another.
inline constexpr int kCommitKept = 0;

struct CellCommit {
    std::string Text;                   // the cell's text afterwards (unchanged when refused)
    bool Accepted = false;              // Text is the editor's value
    int Result = kCommitDone;           // the number boxes' result code
    std::optional<std::string> Message; // shown in an OK-only box
    bool OpenCustomTone = false;        // "OTHER" chosen: the custom-tone box opens next
    bool ClearAreaPriority = false;     // a SCAN value with "P": the area's other "P" go first
};

// ---- dispatch ----
// Whether the column's editor opens on the row; the second receiver (lastRow) has no decode
// tones, BCL, SCAN, ANI or Sel Call.
bool EditorOpensOn(int col, int row, int lastRow);
// Enter in these boxes moves on to the next column: Tx -> Rx -> ID line1 -> ID line2, CT DEV -> Power.
bool EnterMovesOn(int col);

// ---- frequencies (Tx and Rx alike) ----
// 1 when the value as typed lies inside the band, edges included; else 0.
int CheckFreq(std::string_view text, const CellContext& ctx);
// The value floored to the 12.5 kHz raster above the whole MHz, four decimals; "" when not numeric.
std::string AdjustRxFreqByStep(std::string_view text);
std::string AdjustFreq(std::string_view text);
// Whole 100 Hz units as a frequency text ("1451125" -> "145.1125").
std::string FormatFreqUnits(long long units);
CellCommit CommitFreq(const std::string& cell, std::string_view input, const CellContext& ctx);
// The second receiver's Rx while it is on: a frequency as CommitFreq takes it; a blank is refused,
// since the receiver cannot be on without one (kCommitKept).
CellCommit CommitSecondRxFreq(const std::string& cell, std::string_view input, const CellContext& ctx);

// ---- names ----
// Stored as typed; a character without a Windows-1252 byte is refused (the radio cannot hold it),
// with a message in lang's language.
CellCommit CommitName(const std::string& cell, std::string_view input, std::string_view field,
                      const LanguageTexts& lang = LanguageTexts());
// The same for a channel's ID lines, without the blanks at either end that the radio drops.
CellCommit CommitChannelName(const std::string& cell, std::string_view input, std::string_view field,
                             const LanguageTexts& lang = LanguageTexts());

// ---- tones ----
// List items: "NO", the 51 tones, "OTHER"; "NO" and the 104 codes.
const std::vector<std::string>& CtcssListItems();
const std::vector<std::string>& DcsListItems();
inline constexpr int kCtcssOtherItem = 52;
CellCommit CommitCtcssItem(const std::string& cell, int item);
CellCommit CommitDcsItem(const std::string& cell, int item);
// The custom tone box: 67.0 to 259.1 Hz, stored with one decimal.
CellCommit CommitCustomTone(const std::string& cell, std::string_view input, const CellContext& ctx);
// Position of a code among the 104 (0 based), -1 when it is none of them.
int GetDCSIndex(std::string_view code);
// A channel sends (and expects) either a CTCSS tone or a DCS code, never both: the column that a
// value stored in col empties on the same row (CTCSS ENC <-> DCS ENC, CTCSS DEC <-> DCS DEC), or
// -1 for the other columns.
int SignallingRival(int col);
// Stores a value an editor accepted, emptying its rival column on the same row. A row left
// without an encode tone shows the CT DEV a saved file reads back for it.
void StoreCellText(GridStore& grid, int row, int col, const std::string& text);
// The same, each cell written through `write` (the data set's cell write, for an edit).
using CellWriter = std::function<void(int row, int col, const std::string& text)>;
void StoreCellText(const GridStore& grid, int row, int col, const std::string& text, const CellWriter& write);
// A CTCSS or DCS encode value on the row: only then does the image keep its CT DEV.
bool HasEncodeTone(const GridStore& grid, int row);
// CT DEV of a row without an encode tone as a saved file reads it back: the default on channel
// rows, nothing on the second receiver's (the last row).
std::string CtDevWithoutTone(const GridStore& grid, int row);

// ---- option columns ----
const std::vector<std::string>& BclItems();
const std::vector<std::string>& Scan2Items();
const std::vector<std::string>& FiveToneItems();
const std::vector<std::string>& AniItems();
const std::vector<std::string>& SelCallItems();
// A combo accepts only its own items; "NO" and an empty text store "". Any other text is
// refused with a message (the image has no room for it), the cell keeping its text.
CellCommit CommitCombo(const std::string& cell, std::string_view input, const std::vector<std::string>& items,
                       const CellContext& ctx);
// Like CommitCombo; a stored "P" asks for the area's other priority channels to be cleared.
CellCommit CommitScan(const std::string& cell, std::string_view input, const std::vector<std::string>& items,
                      const CellContext& ctx);
// "", "NO" or a whole number 1 to 100 (stored without leading zeros); refused like CommitCombo.
CellCommit CommitSelCall(const std::string& cell, std::string_view input, const CellContext& ctx);

int CheckCtDev(std::string_view text);   // 1 when 100 <= value <= 500
int CheckPower(std::string_view text);   // 1 when 1 <= value <= 50
std::string AdjustDcsDev(std::string_view text); // the whole part, toward zero
// dcsRow: the row sends a DCS code, whose deviation byte holds other values than the steps.
CellCommit CommitCtDev(const std::string& cell, std::string_view input, const CellContext& ctx, bool dcsRow = false);
// The row's CT DEV goes into the DCS deviation byte (no CTCSS encode tone, a DCS encode code).
bool HoldsDcsDeviation(const GridStore& grid, int row);
CellCommit CommitPower(const std::string& cell, std::string_view input, const CellContext& ctx);
// What the boxes show again after a commit or a refusal.
inline constexpr const char* kCtDevBoxText = "250";
inline constexpr const char* kPowerBoxText = "25";

} // namespace vt
