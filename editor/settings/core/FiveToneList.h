#pragma once
// The 5-tone dialog's working copy: the own settings and the 100-line call list as the grid
// shows them, with the rules of the in-cell editors. It writes FiveToneInfo and
// FiveToneChannels only when stored; SpecialData is changed at once where the rules say so.
#include "editor/image/SettingsFieldNames.h"

#include <array>
#include <string>
#include <string_view>

namespace vt {

struct EditorData;

// Results of the commit rules: 1 accepted (or nothing to do), 2 cell emptied, -1 refused with
// the "not valid" message, -2 refused as out of range.
enum CommitResult : int { kCommitOk = 1, kCommitEmptied = 2, kCommitInvalid = -1, kCommitRange = -2 };

// Columns of the list's grid: the line number, then the six fields of a line in their order.
enum ToneColumn : int {
    ToneColNo = 0,
    ToneColCall = kLineText + 1,
    ToneColToneSet = kLineStandard + 1,
    ToneColIdent = kLineIdent + 1,
    ToneColChannel = kLineChannel + 1,
    ToneColTries = kLineTries + 1,
    ToneColEmergency = kLineEmergency + 1,
};
// The grid column that shows a field of the line.
constexpr int ToneColumnOf(int field) { return field + 1; }

inline constexpr int kToneGridRows = 101; // header row 0, lines 1..100
inline constexpr int kToneGridCols = kToneLineFields + 1;
static_assert(ToneColEmergency + 1 == kToneGridCols, "the emergency column is the last");
inline constexpr int kMaxTries = 7;
inline constexpr int kMaxBlows = 10;
inline constexpr int kDefaultBlows = 5;
inline constexpr int kMaxEmergency = 10;
inline constexpr int kOwnIdMax = 5;           // own ID characters the option area holds
inline constexpr int kIdentificationMax = 16; // characters of a list line's name slot

// Characters of 5-tone IDs and call tones ("r" and "g" are not among them).
bool IsToneChar(char c);
// Not empty and every character a tone character.
bool IsToneString(std::string_view text);
// A list line's identification the image can hold: at most 16 characters, each with a
// Windows-1252 byte, no control character and no "|" (it would split the line).
bool IdentificationFits(std::string_view text);
// A whole decimal number between lo and hi written with digits only.
bool IsPlainNumberIn(std::string_view text, int lo, int hi);

class FiveToneList {
public:
    FiveToneList();

    // Fills the working copy from the shared records, as the dialog opens.
    void Load(const EditorData& d);
    // OK: writes FiveToneInfo and FiveToneChannels and marks the data changed.
    void Store(EditorData& d) const;
    // Clear: empties the shared records at once, then shows the cleared state.
    void ClearShared(EditorData& d);
    // The controls and grid in the cleared state.
    void ResetView();

    // FiveToneInfo as the settings stand.
    std::string InfoText() const;
    // Line n (1..100) as the grid stands: its six field columns joined by "|".
    std::string LineText(int n) const;

    // Grid cells; outside the grid reads "" and writes are ignored.
    const std::string& Cell(int row, int col) const;
    void SetCell(int row, int col, const std::string& text);

    // Own settings.
    std::string OwnID;
    int ToneSet = 1;
    int PGcall = 1, Hooker = 1, Speaker = 1;
    int Blows = kDefaultBlows;
    // The four read-only FARMCALL/MARNET value labels.
    std::string FarmcallLabel, RingLabel, MarnetLabel, FarmChannelLabel;

    // Own ID check on leaving its box: upper-cases it; an empty ID passes, more than 5
    // characters do not.
    static bool CheckOwnID(std::string& id);

    // ToneColCall: the editor opens on a plain line or an empty cell only.
    bool CallToneEditable(const EditorData& d, int row) const;
    // Text the call-tone editor starts with (the cell without its "CALL " prefix).
    std::string CallToneEditorText(int row) const;
    int CommitCallTone(EditorData& d, int row, const std::string& text);
    // ToneColToneSet.
    void SetToneSetCell(int row, int index);
    // ToneColIdent: refuses what IdentificationFits refuses; true when written.
    bool SetIdentification(int row, const std::string& text);
    // ToneColChannel.
    int CommitChannel(int row, const std::string& text);
    // ToneColTries: only the list items "1".."7"; true when written.
    bool SetTries(int row, const std::string& text);
    // ToneColEmergency.
    int CommitEmergency(int row, const std::string& text);
    // Keeps emergency numbers unique when line curLine is about to get number curEmerg.
    void MoveItem(int curLine, int curEmerg);

    // A line that the double click on its ToneColCall cell offers to clear.
    static bool IsSpecialLine(const EditorData& d, int row);
    // Empties the columns ToneColCall..ToneColTries and the special fields, and makes the line a plain one.
    void ClearSpecialLine(EditorData& d, int row);

private:
    std::array<std::array<std::string, kToneGridCols>, kToneGridRows> cells_;
    void LabelRows(const char* idPrefix);
};

// The working copy in use: the pending one, or a fresh one loaded from the data set.
FiveToneList& AcquireFiveToneList(EditorData& d);
// Drops a pending working copy (New, Open and a radio read call this).
void DiscardPendingFiveTone(EditorData& d);

} // namespace vt
