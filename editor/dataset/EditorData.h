#pragma once
// The editor's whole data set and session state, owned by the application and handed to every
// window and to the image code. Members keep the names the windows and the image code use.
// The text records (options, 5-tone, FARMCALL/MARNET, area names, list lines, special calls)
// are read through accessors and written only through the setters, which decide what is an edit.
// Arrays that the program numbers from 1 are sized one larger and leave index 0 unused.
// The data set keeps its own "modified" flag and tells one listener (the main window) when it
// changes, what a grid rule or a confirmed dialog changed, and when the whole data set was
// replaced (New, Open, a read from the radio). The grid's cells are written through the data
// set like the records, and report to the grid's own listener (MFG.setListener).
#include "common/ExchangeFiles.h"
#include "editor/image/Bands.h"
#include "editor/image/ConversionTables.h"
#include "editor/image/GridShape.h"
#include "editor/image/SettingsFields.h"
#include "editor/image/VoltageTables.h"
#include "editor/dataset/ChannelGrid.h"
#include "editor/dataset/LanguageTexts.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vt {

// The serial line the radio speaks: baud, parity, data bits, stop bits.
inline constexpr const char* kDefaultCommSettings = "9600,n,8,1";

class FiveToneList;

// What a grid rule or a confirmed dialog changed; a view refreshes what shows it.
enum class DataSetChange {
    AreaShape,      // rows per area and the MARNET row (AdjustArea_Marnet)
    AreaNumbers,    // channel labels and the label column's width (UpdateAreaNo)
    PriorityFlags,  // ValidateP
    TrunkFlags,     // ValidateT
    ScanLetters,    // the SCAN choices and letters (UpdateScan)
    SecondReceiver, // the second receiver's row (AddSecondRec)
    AreaNames,      // names confirmed (SetAreaNames)
};

// A listener takes the notices it needs; the others do nothing.
class DataSetListener {
public:
    virtual ~DataSetListener() = default;
    virtual void ModifiedChanged(bool /*modified*/) {}
    // Not sent inside a bulk replacement: DataSetReplaced covers everything then.
    virtual void Changed(DataSetChange /*what*/) {}
    // A bulk replacement ended: the grid has reported one reset, the records may all be new.
    virtual void DataSetReplaced() {}
};

inline constexpr int kToneLines = 100; // also the Sel Call numbers 1..100, each naming a line
inline constexpr int kSpecialFields = 10;

inline constexpr const char* kDefaultFiveToneInfo = "|1|1|1|5|1";
inline constexpr const char* kDefaultFarmMarnetInfo = "0|||||0|||0|";
inline constexpr const char* kEmptyToneLine = "|||||";

using SpecialLine = std::array<std::string, kSpecialFields + 1>; // fields 1..10
using ToneLines = std::array<std::string, kToneLines + 1>;       // 1..100
using SpecialLines = std::array<SpecialLine, kToneLines + 1>;    // [1..100][1..10]
using AreaNameList = std::array<std::string, kMaxAreas + 1>;     // 1..10

// How a record or grid write counts. Edit: marks the data set modified when the value changes.
// Quiet: never marks - for writes the user has not confirmed yet or did not make: start-up
// defaults, the 5-tone dialog's working writes (its Cancel restores them), the FARMCALL/
// MARNET update into the 5-tone data (its own dialog's OK marks), New, a decode, and the grid
// rules (their caller marks, or, as a confirmed band choice does, asks them to write Edits).
// Inside a bulk replacement no write marks.
enum class RecordWrite { Edit, Quiet };

// A new object holds the state of a freshly started editor (grid of 202 rows, band 1, English).
struct EditorData {
    EditorData();

    // Radio memory image.
    std::array<uint8_t, kImageSize> MemImage{};
    // Conversion tables with their error texts (EncTbl, DecTbl, DcsTbl, DevTbl, PwrTbl, TblErrMsg).
    ConversionTables Tables;
    // OptionFields, ToneFields, FarmFields and the grid scans' results.
    SettingsFields Fields;
    // AllBandLimits, the loaded voltage tables (LoadedStep, LoadedVolData) and the working copy.
    VoltageTables VolTables;

    // Channel grid: header row 0, channel rows, second-receiver row last. Read here; its cells and
    // its shape are written through SetCell and the grid writes below, which count as record writes do.
    ChannelGrid MFG{kMaxChannels + 2, kGridCols};
    // Current choices of the SCAN column ("NO", "T", "S", "P", "TS", "TP" or the ACS set).
    std::vector<std::string> ScanChoices;

    int BandIndex = kDefaultBand;
    std::array<double, 3> BandLimits{0.0, kBandEdges[kDefaultBand][0], kBandEdges[kDefaultBand][1]}; // 1 low, 2 high
    std::string BandRangeText = BandRange(kDefaultBand);

    // The 5-tone dialog's working copy while it is open, or after the FARMCALL/MARNET update
    // wrote into it and the dialog has not been confirmed yet (DiscardPendingFiveTone drops it).
    std::shared_ptr<FiveToneList> PendingFiveTone;

    int CommPort = 1;
    std::string CommSettings = kDefaultCommSettings;
    std::string LangCode = "eng";
    LanguageTexts Lang;

    int TransferMode = 0; // 0 read, 1 write
    uint8_t Setup3C00 = 32, Setup3C01 = 32, Setup3C02 = 32;
    int ManualSetupFlag = 1;
    int ShowHexInput = 0;

    int CurrentArea = 1; // area of the last clicked channel
    // The grid's extra MARNET row as the grid was last shaped from the records (0: none), so that
    // the next change of shape knows that row even after its records have changed (NoteGridShape).
    int MarnetRow = 0;
    // Text snapshot of the grid, [1..206][1..18], filled by UpdateAllArray only.
    std::vector<std::vector<std::string>> AllArray;

    // Resets what a New data set resets (see ClearAll in the main window for the grid part).
    void ResetSettings();

    // ---- the document
    // Edits not saved yet: the save question on close, New, Open and a read asks about them.
    bool IsModified() const { return modified_; }
    // An edit, whether or not it changed a value (a click in the grid or a confirmed dialog counts).
    void MarkModified() { SetModified(true); }
    // The data set now matches a file, the radio or a New document.
    void ClearModified() { SetModified(false); }
    // ---- the records: read here, written only through the setters below.
    const std::string& RadioOption() const { return radioOption_; }
    const std::string& FiveToneInfo() const { return fiveToneInfo_; }
    const std::string& FarmMarnetInfo() const { return farmMarnetInfo_; }
    const ToneLines& FiveToneChannels() const { return fiveToneChannels_; }
    const SpecialLines& SpecialData() const { return specialData_; }
    const AreaNameList& AreaNames() const { return areaNames_; }

    // Record writes; an Edit marks the data set only when the value differs. Numbers outside
    // the records' ranges (line 1..100, field 1..10, area 1..10) are ignored.
    void SetRadioOption(const std::string& record, RecordWrite how = RecordWrite::Edit);
    void SetFiveToneInfo(const std::string& record, RecordWrite how = RecordWrite::Edit);
    void SetFarmMarnetInfo(const std::string& record, RecordWrite how = RecordWrite::Edit);
    void SetFiveToneLine(int line, const std::string& text, RecordWrite how = RecordWrite::Edit);
    void SetSpecialLine(int line, const SpecialLine& fields, RecordWrite how = RecordWrite::Edit);
    void SetSpecialField(int line, int field, const std::string& text, RecordWrite how = RecordWrite::Edit);
    void SetAreaName(int area, const std::string& name, RecordWrite how = RecordWrite::Edit);
    // Names of areas 1..names.size() as a dialog confirmed them; the listener hears AreaNames
    // once, whether or not a name changed.
    void SetAreaNames(const std::vector<std::string>& names, RecordWrite how = RecordWrite::Edit);
    // Grid writes. A cell outside the grid is ignored. A row count below 1 keeps one row; growing
    // adds empty rows, shrinking drops the last ones; the columns likewise. A clear is a change
    // when the row held any text. Many writes report one reset to the grid's listener inside a
    // GridBatch.
    void SetCell(int row, int col, const std::string& text, RecordWrite how = RecordWrite::Edit);
    void SetGridRows(int rows, RecordWrite how = RecordWrite::Edit);
    void SetGridCols(int cols, RecordWrite how = RecordWrite::Edit);
    void ClearGridRow(int row, RecordWrite how = RecordWrite::Edit);
    // Puts back the 5-tone records as a snapshot held them (the 5-tone dialog's Cancel): the
    // data set is as it was before the dialog, so this never marks.
    void RestoreFiveTone(const std::string& info, const ToneLines& lines, const SpecialLines& special,
                         const std::string& farmMarnet);

    // One listener, or none; a copy of the data set starts without one.
    void SetListener(DataSetListener* l) { listener_.l = l; }
    // Tells the listener what changed, unless a bulk replacement is open.
    void Notify(DataSetChange what);
    // Opens and closes a bulk replacement (use DataSetReplacement): the grid reports one reset
    // and the listener hears DataSetReplaced once, when the outermost one ends.
    void BeginReplace();
    void EndReplace();

private:
    friend class GridBatch;
    struct ListenerSlot {
        DataSetListener* l = nullptr;
        ListenerSlot() = default;
        ListenerSlot(const ListenerSlot&) {}
        ListenerSlot& operator=(const ListenerSlot&) { return *this; }
    };
    std::string radioOption_ = kDefaultRadioOption;
    std::string fiveToneInfo_ = kDefaultFiveToneInfo;
    std::string farmMarnetInfo_ = kDefaultFarmMarnetInfo;
    ToneLines fiveToneChannels_;
    SpecialLines specialData_;
    AreaNameList areaNames_;
    bool modified_ = false;
    int replacing_ = 0;
    ListenerSlot listener_;
    void SetModified(bool modified);
    // Marks the data set for an Edit outside a bulk replacement; the caller saw a change.
    void CountWrite(RecordWrite how);
    // Stores value into stored; marks the data set when it is an Edit that changed something.
    void WriteRecord(std::string& stored, const std::string& value, RecordWrite how);
    GridStore& Grid() { return MFG.store_; }
};

// Holds the grid's writes together for a scope: its listener hears one reset at the end.
class GridBatch {
public:
    explicit GridBatch(EditorData& d) : d_(d) { d_.Grid().beginBatch(); }
    ~GridBatch() { d_.Grid().endBatch(); }
    GridBatch(const GridBatch&) = delete;
    GridBatch& operator=(const GridBatch&) = delete;

private:
    EditorData& d_;
};

// Holds a bulk replacement of the data set open for a scope.
class DataSetReplacement {
public:
    explicit DataSetReplacement(EditorData& d) : d_(d) { d_.BeginReplace(); }
    ~DataSetReplacement() { d_.EndReplace(); }
    DataSetReplacement(const DataSetReplacement&) = delete;
    DataSetReplacement& operator=(const DataSetReplacement&) = delete;

private:
    EditorData& d_;
};

} // namespace vt
