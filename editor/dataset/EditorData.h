#pragma once
// The editor's whole data set and session state, owned by the application and handed to every
// window and to the image code. Members keep the names the windows and the image code use.
// Arrays that the program numbers from 1 are sized one larger and leave index 0 unused.
// The data set keeps its own "modified" flag and tells one listener (the main window) when it
// changes and when the whole data set was replaced (New, Open, a read from the radio).
#include "common/ExchangeFiles.h"
#include "editor/image/ConversionTables.h"
#include "editor/image/GridShape.h"
#include "editor/image/SettingsFields.h"
#include "editor/image/VoltageTables.h"
#include "editor/dataset/GridStore.h"
#include "editor/dataset/LanguageTexts.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vt {

class FiveToneList;

// A listener takes the notices it needs; the others do nothing.
class DataSetListener {
public:
    virtual ~DataSetListener() = default;
    virtual void ModifiedChanged(bool /*modified*/) {}
    // A bulk replacement ended: the grid has reported one reset, the records may all be new.
    virtual void DataSetReplaced() {}
};

inline constexpr int kToneLines = 100;
inline constexpr int kSpecialFields = 10;

// The default option record (39 fields).
inline constexpr const char* kDefaultRadioOption =
    "1|200|0|0|1|100|5|0|1000|120|200|500|1000|2|0|1|7|1|7|3|1|1|0|1|1|1|1|1|1|1|1|0|0|CHANNEL|HIGH|1|0|12|0";
inline constexpr const char* kDefaultFiveToneInfo = "|1|1|1|5|1";
inline constexpr const char* kDefaultFarmMarnetInfo = "0|||||0|||0|";
inline constexpr const char* kEmptyToneLine = "|||||";

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

    // Channel grid: header row 0, channel rows, second-receiver row last.
    GridStore MFG{kMaxChannels + 2, kGridCols};
    // Current choices of the SCAN column ("NO", "T", "S", "P", "TS", "TP" or the ACS set).
    std::vector<std::string> ScanChoices;

    std::string RadioOption = kDefaultRadioOption;

    int BandIndex = 1;
    std::array<double, 3> BandLimits{0.0, 53.0, 60.0}; // indices 1 (low) and 2 (high)
    std::string BandRangeText = "53 -- 60 MHz";

    std::string FiveToneInfo = kDefaultFiveToneInfo;
    std::array<std::string, kToneLines + 1> FiveToneChannels;                          // 1..100
    std::array<std::array<std::string, kSpecialFields + 1>, kToneLines + 1> SpecialData; // [1..100][1..10]
    std::string FarmMarnetInfo = kDefaultFarmMarnetInfo;
    std::array<std::string, kMaxAreas + 1> AreaNames; // 1..10
    // The 5-tone dialog's working copy while it is open, or after the FARMCALL/MARNET update
    // wrote into it and the dialog has not been confirmed yet (DiscardPendingFiveTone drops it).
    std::shared_ptr<FiveToneList> PendingFiveTone;

    int CommPort = 1;
    std::string CommSettings = "9600,n,8,1";
    std::string LangCode = "eng";
    LanguageTexts Lang;

    int TransferMode = 0; // 0 read, 1 write
    uint8_t Setup3C00 = 32, Setup3C01 = 32, Setup3C02 = 32;
    int ManualSetupFlag = 1;
    int ShowHexInput = 0;

    int CurrentArea = 1; // area of the last clicked channel
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
    // Record writes of the dialogs: they mark the data set only when the value differs.
    void SetRadioOption(const std::string& record);
    void SetAreaName(int area, const std::string& name); // area 1..10; others are ignored

    // One listener, or none; a copy of the data set starts without one.
    void SetListener(DataSetListener* l) { listener_.l = l; }
    // Opens and closes a bulk replacement (use DataSetReplacement): the grid reports one reset
    // and the listener hears DataSetReplaced once, when the outermost one ends.
    void BeginReplace();
    void EndReplace();

private:
    struct ListenerSlot {
        DataSetListener* l = nullptr;
        ListenerSlot() = default;
        ListenerSlot(const ListenerSlot&) {}
        ListenerSlot& operator=(const ListenerSlot&) { return *this; }
    };
    bool modified_ = false;
    int replacing_ = 0;
    ListenerSlot listener_;
    void SetModified(bool modified);
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
