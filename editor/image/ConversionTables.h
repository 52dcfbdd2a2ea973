#pragma once
// The conversion tables read from the program's resource folder: the default image and the
// CTCSS, DCS, deviation and power code tables. They are calibration data, re-read at every
// encode and decode so that a replaced file takes effect at once.
#include "common/ExchangeFiles.h"
#include "editor/image/Bands.h"
#include "editor/image/ToneLists.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

inline constexpr size_t kEncTblSize = 3844; // 1922 words, one per 0.1 Hz from 67.0 Hz
inline constexpr size_t kDecTblSize = 3844;
inline constexpr size_t kDcsTblSize = 312;  // 104 codes x 3 bytes
inline constexpr size_t kDevTblSize = 1377; // 9 CT DEV steps x 51 tones x 3 bytes
inline constexpr int kPowerLevels = 50;
inline constexpr int kTableBands = kBandCount; // a row of power levels a band
inline constexpr size_t kPwrTblSize = kTableBands * kPowerLevels; // 400

// Where the tone tables hold a value: word k of enc.Tbl and dec.Tbl (the tone 67.0 + k / 10 Hz),
// the entry of the DCS code at list position c, the entry of CT DEV step d for standard tone t.
inline constexpr size_t kCtcssWordSize = 2;
inline constexpr size_t kToneEntrySize = 3;
inline constexpr size_t CtcssWordAt(int k) { return kCtcssWordSize * static_cast<size_t>(k); }
inline constexpr size_t DcsEntryAt(int c) { return kToneEntrySize * static_cast<size_t>(c); }
inline constexpr size_t DevEntryAt(int d, int t) {
    const auto row = static_cast<size_t>(kStandardToneCount) * static_cast<size_t>(d);
    return kToneEntrySize * (row + static_cast<size_t>(t));
}
static_assert(CtcssWordAt(kCtcssWordCount) == kEncTblSize && kEncTblSize == kDecTblSize &&
              DcsEntryAt(kDcsCodeCount) == kDcsTblSize && DevEntryAt(kCtDevStepCount, 0) == kDevTblSize);

// Slots of TblErrMsg.
enum TableSlot { DefaultTblSlot = 0, EncTblSlot, DecTblSlot, DcsTblSlot, DevTblSlot, PwrTblSlot };

// Relative names as the messages show them.
inline constexpr std::array<std::string_view, 6> kTableNames{
    "\\resource\\default.Tbl", "\\resource\\enc.Tbl", "\\resource\\dec.Tbl",
    "\\resource\\dcs.Tbl",     "\\resource\\dev.Tbl", "\\resource\\pwr.Tbl"};

// The six band tables that are read with the others but used by nothing.
inline constexpr std::array<std::string_view, 6> kBandTableNames{
    "\\resource\\txlow.Tbl", "\\resource\\rxlow.Tbl",  "\\resource\\txmid.Tbl",
    "\\resource\\rxmid.Tbl", "\\resource\\txhigh.Tbl", "\\resource\\rxhigh.Tbl"};
inline constexpr std::array<size_t, 6> kBandTableSizes{57, 57, 177, 177, 321, 321};

// "Can not Find correct <name>, Please reinstall the Program."
std::string TableErrorText(std::string_view relativeName);

using ImageBytes = std::array<uint8_t, kImageSize>;
using MessageFn = std::function<void(const std::string&)>;

class ConversionTables {
public:
    ConversionTables();

    std::array<uint8_t, kEncTblSize> EncTbl{};
    std::array<uint8_t, kDecTblSize> DecTbl{};
    std::array<uint8_t, kDcsTblSize> DcsTbl{};
    std::array<uint8_t, kDevTblSize> DevTbl{};
    std::array<uint8_t, kPwrTblSize> PwrTbl{}; // band b, level L at 50b + L - 1
    std::array<std::vector<uint8_t>, 6> BandTbls; // in the order of kBandTableNames
    std::array<std::string, 7> TblErrMsg;       // slot 6 stays empty

    // Folder that holds resource/; empty means the program folder's copy, else the shipped one.
    std::filesystem::path Folder;
    // Shows a table's error text (the editor puts up an OK box); unset, errors pass silently.
    MessageFn ShowMessage;

    void InitTblErrMsgs();

    // Each loader fills its array from the file, tests the first two bytes and the content a
    // table's use needs, and shows the table's message when the file is missing, short or fails
    // a test. Whatever the file lacks reads as 0, never as an earlier load's bytes. The result
    // tells whether it passed.
    bool LoadDefaultTbl(ImageBytes& memImage);
    bool LoadEncTbl();
    bool LoadDecTbl();
    bool LoadDcsTbl();
    bool LoadDevTbl();
    bool LoadPwrTbl();
    // The six band tables: no test and no message.
    void LoadVoltageTbls();

private:
    std::filesystem::path PathOf(std::string_view relativeName) const;
    // Zero-fills, then reads up to size bytes; false when the file is missing or short.
    bool ReadInto(std::string_view relativeName, uint8_t* data, size_t size) const;
    bool Load(TableSlot slot, uint8_t* data, size_t size);
    void Report(TableSlot slot) const;
};

} // namespace vt
