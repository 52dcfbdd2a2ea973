#pragma once
// The radio-wide option record: its text fields joined by "|". This is its format and the
// ties between fields; each field's range, step and default are in kOptionFields.
#include "editor/image/GridShape.h"
#include "editor/image/OptionFieldTable.h"
#include "editor/image/SettingsFieldNames.h"
#include "editor/image/SettingsFields.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

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
    // Exactly kOptionFieldCount fields, else nothing.
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
