#pragma once
// The option record's fields, one row each: what the options dialog checks, what the decoder
// repairs to and the default record. Adding a field is a name in SettingsFieldNames.h, a row
// here and its name in the language files (Fdata_Field, DataTexts.h), as the codec reports it.
#include "editor/image/GridShape.h"
#include "editor/image/SettingsFieldNames.h"

#include <array>
#include <cstddef>

namespace vt {

inline constexpr int kOptionFieldCount = kOptDefaultArea + 1;

// Items of a function-key list, of the alarm input list and of a volume or mute level list.
inline constexpr int kKeyFunctionCount = kKeyNone + 1;
inline constexpr int kAlarmFunctionCount = 2;
inline constexpr int kOptionLevelCount = 16;

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

namespace optfield {
using K = OptionKind;
using C = CheckTime;

constexpr OptionFieldSpec Num(int min, int max, const char* def, C check, const char* range, const char* reset,
                              int step = 0) {
    return {K::Number, min, max, step, def, def, check, range, reset};
}
constexpr OptionFieldSpec Chk(const char* def) { return {K::Check, 0, 1, 0, def, def, C::None, "", ""}; }
constexpr OptionFieldSpec Idx(int count, const char* def, const char* designer = nullptr) {
    return {K::Index, 0, count - 1, 0, def, designer ? designer : def, C::None, "", ""};
}
constexpr OptionFieldSpec Item(const char* def) { return {K::ItemText, 0, 0, 0, def, def, C::None, "", ""}; }
constexpr OptionFieldSpec Dflt(int count) { return {K::Default, 0, count - 1, 0, "0", "0", C::None, "", ""}; }
constexpr OptionFieldSpec Key(const char* def) { return Idx(kKeyFunctionCount, def); }
constexpr OptionFieldSpec KeyNumber(const char* def, const char* designer) {
    OptionFieldSpec s = Num(1, 100, def, C::Change, "1 -- 100", "1");
    s.designer = designer;
    return s;
}
} // namespace optfield

// Indexed by OptionField.
inline constexpr std::array<OptionFieldSpec, kOptionFieldCount> kOptionFields = [] {
    using namespace optfield;
    return std::array<OptionFieldSpec, kOptionFieldCount>{{
        Num(1, kMaxAreas, "1", C::Change, "1 -- 10", "1"), // Number of areas
        Num(1, kMaxChannels, "200", C::Change, "", "1"), // Channels per area
        Chk("0"), // Force scan on
        Chk("0"), // Force scan off
        Chk("1"), // Allow setting scan
        Num(50, 900, "100", C::Leave, "50 -- 900ms", "100", 10), // Scan time
        Num(1, 25, "5", C::Change, "1 -- 25s", "5"), // Resume scan time
        Chk("0"), // Beep on scan found
        Num(10, 2500, "1000", C::Leave, "10 -- 2500ms", "1000", 10), // Call preamble time
        Num(1, 250, "120", C::Change, "1 -- 250s", "120"), // PTT time-out
        Num(10, 2500, "200", C::Leave, "10 -- 2500ms", "200", 10), // PTT to leading ANI
        Num(10, 2500, "500", C::Leave, "10 -- 2500ms", "500", 10), // Wait to answer back
        Num(100, 5000, "1000", C::Leave, "100 -- 5000ms", "1000", 100), // Repeater access time
        Num(1, 9, "2", C::Change, "1 -- 9", "2"), // Search round
        Key("0"), // Key 1 function
        KeyNumber("1", "1"), // Key 1 number
        Key("7"), // Key 2 function
        KeyNumber("1", "1"), // Key 2 number
        Key("7"), // Key 3 function
        KeyNumber("3", "1"), // Key 3 number
        Key("1"), // Key 4 function
        KeyNumber("1", "1"), // Key 4 number
        Idx(kAlarmFunctionCount, "0"), // Alarm input function
        KeyNumber("1", "1"), // Alarm input number
        Chk("1"), // Allow mute change
        Chk("1"), // Allow area change
        Chk("1"), // Allow volume change
        Chk("1"), // Allow call select
        Chk("1"), // Allow channel change
        Chk("1"), // Allow nuisance deletion
        Chk("1"), // Allow monitor key
        Chk("0"), // Use last channel found
        Chk("0"), // 5-tone mute automatic
        Item("CHANNEL"), // Head dial
        Item("HIGH"), // CTCSS decode sensitivity
        Idx(kOptionLevelCount, "1", "0"), // Fixed volume level
        Dflt(kMaxChannels), // Default channel
        Idx(kOptionLevelCount, "12", "0"), // Fixed mute level
        Dflt(kMaxAreas), // Default area
    }};
}();

namespace optfield {
constexpr size_t DefaultRecordSize() {
    size_t n = 0;
    for (const auto& s : kOptionFields)
        for (const char* p = s.def; *p; ++p) ++n;
    return n + kOptionFields.size(); // the separators and the closing zero
}
inline constexpr auto kDefaultRecord = [] {
    std::array<char, DefaultRecordSize()> text{};
    size_t at = 0;
    for (size_t i = 0; i < kOptionFields.size(); ++i) {
        if (i > 0) text[at++] = '|';
        for (const char* p = kOptionFields[i].def; *p; ++p) text[at++] = *p;
    }
    return text;
}();
} // namespace optfield

// The default option record: the fields' defaults joined by "|".
inline constexpr const char* kDefaultRadioOption = optfield::kDefaultRecord.data();

} // namespace vt
