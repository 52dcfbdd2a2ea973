#pragma once
// Area, band and SCAN rules of the channel grid, on a bare data set. The cores, the dialogs and
// the main window call these; the area, SCAN and second-receiver rules tell the data set's
// listener what they changed (DataSetChange), and the main window refreshes its view from that.
#include "editor/dataset/CellRules.h"
#include "editor/dataset/EditorData.h"
#include "editor/image/Bands.h"
#include "editor/image/GridShape.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vt {

struct EditorData;

// CT DEV and Power of a fresh channel row.
inline constexpr const char* kDefaultCtDev = "250";
inline constexpr const char* kDefaultPower = "25";
// Column 0 width in twips with one area and with several.
inline constexpr int kNoColWidthOneArea = 640, kNoColWidthAreas = 1360;

// Option record fields when it has exactly kOptionFieldCount, else nothing.
std::optional<std::vector<std::string>> OptionRecordFields(const std::string& radioOption);
// Field 5 of FarmMarnetInfo is "1" (a record without field 5 counts as off).
bool MarnetOn(const EditorData& d);
// Field 8 of FarmMarnetInfo is 1: the image then takes the second receiver's Rx word from its
// frequency; while it is off, from the default image's bytes.
bool SecondReceiverOn(const EditorData& d);

std::string GetDefaultSetup();

// --- cells the image ties to something else ---
// Why a cell's editor does not open although its column edits that row: the second receiver's
// Rx while it is off (its word then comes from the default image), CT DEV of a row without an
// encode tone (the radio keeps a deviation only with a CTCSS tone or a DCS code to send).
enum class CellLock { None, SecondRxOff, NoEncodeTone };
CellLock CellLockOf(const EditorData& d, int row, int col);
// A value a cell editor accepted (StoreCellText). While the second receiver is on, its Rx cell
// is its SEC FREQ: the image keeps one word for both, so the typed value goes to both.
void StoreEdit(EditorData& d, int row, int col, const std::string& text);
// The Rx editor's commit on `row`: on the second receiver's row while it is on, its rule.
CellCommit CommitRxCell(const EditorData& d, int row, const std::string& cell, std::string_view input,
                        const CellContext& ctx);

// Grid set-up of a fresh editor: 202 rows, 16 columns, headers, widths, default cells, and the
// second-receiver row.
void BuildGrid(EditorData& d);
// Header texts of the 16 columns.
const std::vector<std::string>& GridHeaders();

// --- areas and the second receiver ---
// A channel row that a change of the records took off the grid, as the grid showed it: its label
// and the values that went (frequencies and the second name line). Row 201 is listed with its
// Rx when the second receiver went off.
struct DroppedChannel {
    int row = 0;
    std::string label;
    std::vector<std::pair<int, std::string>> values; // column, text
};
// Resizes the grid to the records by position; the second receiver keeps its cells, and so does
// the MARNET row while there is one before and after (the area's own last channels are added or
// dropped). Returns the dropped rows that held a frequency.
std::vector<DroppedChannel> AdjustArea_Marnet(EditorData& d);
// Notes the grid's MARNET row from the records, for a grid just shaped from them.
void NoteGridShape(EditorData& d);
// After a dialog's OK changed the FARMCALL/MARNET record: the grid loses what a save would not
// keep. A MARNET row the records no longer give (MARNET switched off) goes as AdjustArea_Marnet
// drops it, and row 201's Rx while the second receiver is off (its word then comes from the
// default image). Returns what went.
std::vector<DroppedChannel> FitGridToRecords(EditorData& d);
// The box text: the heading, then one line a channel, at most maxLines of them and then the
// number of the others followed by moreText.
std::string DroppedChannelsText(const std::vector<DroppedChannel>& dropped, const std::string& heading,
                                size_t maxLines, const std::string& moreText);
void UpdateAreaNo(EditorData& d);
void AddSecondRec(EditorData& d, const std::string& secfreq);
// -1 for the last row; the first area 1..10 whose rows reach `row`; 0 when none or the option
// record is invalid. Rows past the last area (the extra MARNET row) report the next area.
int WhichAreaInt(const EditorData& d, int row);
// The name of the area of `row` ("" for the last row or an invalid record); sets CurrentArea
// when an area is found.
std::string WhichArea(EditorData& d, int row);
// AreaNames(CurrentArea), or "Click one channel please" when CurrentArea is outside 1..10.
std::string CurrentAreaName(const EditorData& d);

// --- SCAN column ---
// True when one of the function keys (fields 14, 16, 18, 20 joined) holds a "5" (ACS).
bool ScanUsesAcs(const EditorData& d);
// Refills ScanChoices and turns every "A" into "T" (trunk) or "T" into "A" (ACS) in the SCAN column.
void UpdateScan(EditorData& d);
// The English SCAN column tip for the letter in use (carriage return before the last line).
std::string ScanTipText(bool acs);
// 1 when trunk or ACS may be set on `row` (the first 16 rows of its area), else 0.
int IsTAvailable(const EditorData& d, int row);
// The SCAN items that `row` keeps: `items` as they are on a row of an area; without those holding
// "P" on a row of none (the extra MARNET row), since the radio keeps a priority channel per area.
std::vector<std::string> ScanItemsOn(const EditorData& d, int row, const std::vector<std::string>& items);
void ValidateT(EditorData& d);
void ValidateP(EditorData& d);
// Clears every priority flag of CurrentArea's rows before a new "P" is stored on curRow.
void AdjustP(EditorData& d, int curRow);

// --- bands 0..7 (editor/image/Bands.h) ---
inline constexpr int kPickableBands = 4; // bands 0..3, the ones the Band menu offers; the others come from frequencies
double BandLow(int band);
double BandHigh(int band);
// The first band (0..7) that holds f, edges included; -1 when none.
int BandOf(double f);
// "  53 -- 60MHz": what follows the band label's language text, from BandLimits.
std::string BandLabelSuffix(const EditorData& d);
// For band 0..7: BandIndex, BandLimits and BandRangeText. Then, whatever the band, blanks every
// Tx and Rx frequency outside the current band (CheckAllCHFrequency), written as `how` says.
void SetBand(EditorData& d, int band, RecordWrite how = RecordWrite::Quiet);
// The user's confirmed band choice: SetBand as an edit. While the second receiver is on, its row
// shows SEC FREQ, so a SEC FREQ outside the band is cleared with the row's cells.
void PickBand(EditorData& d, int band);
// BandLimits from BandIndex; blanks out-of-band Tx/Rx cells of every row, second receiver included.
void CheckAllCHFrequency(EditorData& d, RecordWrite how = RecordWrite::Quiet);
// Band from channel 1's Rx; when that is not a number, from the first channel row with a numeric
// Rx, then a numeric Tx. No number anywhere: nothing changes. A number in no band keeps the band
// (and re-applies it).
void UpdateBand(EditorData& d);
// UpdateBand's choice without applying it: sets BandIndex when a number in a band was found;
// false when there is no number at all (then nothing is to be applied).
bool ChooseBand(EditorData& d);

void UpdateAllArray(EditorData& d);

} // namespace vt
