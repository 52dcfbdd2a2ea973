#pragma once
// The radio-wide option record: 39 text fields joined by "|". This is its format, the range,
// step and default of every field, and the ties between fields.
#include "editor/image/GridShape.h"
#include "editor/image/SettingsFieldNames.h"
#include "editor/image/SettingsFields.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vt {


enum class OptionKind {
    Number,   // decimal text of a whole number
    Check,    // "0" or "1"
    Index,    // list index from 0
    ItemText, // the chosen item's text
    Default,  // default channel or area, written only before a write to the radio
};

// When the options dialog checks a number box: on every change of its text, or on leaving it.
enum class CheckTime { None, Change, Leave };

struct OptionFieldSpec {
    OptionKind kind;
    int min = 0;  // numbers and list indices; for field 1 the maximum depends on field 0
    int max = 0;
    int step = 0; // Leave boxes round down to a multiple of it
    const char* def = "";      // the default record's value
    const char* designer = ""; // the dialog's value before any record is applied
    CheckTime check = CheckTime::None;
    const char* rangeText = ""; // appended to the out-of-range message
    const char* reset = "";     // what a refused box gets back
};

const std::array<OptionFieldSpec, kOptionFieldCount>& OptionFieldSpecs();
const OptionFieldSpec& OptionSpec(int field);

// Fix(200 / areas); areas below 1 count as 1.
int MaxChannelsPerArea(int areas);
// The range text of the channels-per-area box, "1 -- " and the maximum.
std::string ChannelsRangeText(int areas);

// Numeric text whose 16-bit value (halves to even) lies in min..max, bounds included;
// text outside the 16-bit range is out of range.
bool CheckRange(std::string_view text, int min, int max);
// The accepted whole number as plain decimal text ("05" -> "5", "1.4" -> "1"); the text itself
// when it is not a number.
std::string CanonicalNumber(std::string_view text);

struct RadioOptionRecord {
    std::array<std::string, kOptionFieldCount> f;

    static RadioOptionRecord Defaults(); // the record getDefaultSetup returns
    static RadioOptionRecord Designer(); // the options dialog's own starting values
    // Exactly 39 fields, else nothing.
    static std::optional<RadioOptionRecord> Parse(std::string_view text);
    std::string Join() const;

    std::string& operator[](int i) { return f[static_cast<size_t>(i)]; }
    const std::string& operator[](int i) const { return f[static_cast<size_t>(i)]; }
    // Rounded whole value of a field, 0 when it is not numeric or too large.
    int Int(int field) const;

    int Areas() const { return Int(kOptNumberArea); }
    int ChannelsPerArea() const { return Int(kOptChInArea); }
};

// A field that holds a value its kind and range allow (for field 1 against the record's field 0,
// for fields 36 and 38 against its channel and area counts).
bool FieldValid(const RadioOptionRecord& r, int field);

// Ties between fields.
bool ChannelsFitGrid(const RadioOptionRecord& r); // 1..10 areas of 1..Fix(200 / areas) channels
bool ForceScanExclusive(const RadioOptionRecord& r); // not "1" in both 2 and 3
bool TrunkModesExclusive(const RadioOptionRecord& r); // not "ACS" and "TRUNK" among the keys
bool AnyKeyIsAcs(const RadioOptionRecord& r);

// A default channel or area index carried into a record with count choices: the stored index
// when it is a whole number in 0..count-1, the last choice when above, "0" otherwise.
std::string CarriedDefaultIndex(std::string_view stored, int count);

} // namespace vt
