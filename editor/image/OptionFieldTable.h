#pragma once
// The option record's fields, one row each: what the options dialog checks, what the decoder
// repairs to, the default record and the names the codec reports. Adding a field is a name in
// SettingsFieldNames.h and a row here.
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
    const char* name = "";      // as the codec's messages name it
};

namespace optfield {
using K = OptionKind;
using C = CheckTime;

constexpr OptionFieldSpec Num(const char* name, int min, int max, const char* def, C check, const char* range,
                              const char* reset, int step = 0) {
    return {K::Number, min, max, step, def, def, check, range, reset, name};
}
constexpr OptionFieldSpec Chk(const char* name, const char* def) {
    return {K::Check, 0, 1, 0, def, def, C::None, "", "", name};
}
constexpr OptionFieldSpec Idx(const char* name, int count, const char* def, const char* designer = nullptr) {
    return {K::Index, 0, count - 1, 0, def, designer ? designer : def, C::None, "", "", name};
}
constexpr OptionFieldSpec Item(const char* name, const char* def) {
    return {K::ItemText, 0, 0, 0, def, def, C::None, "", "", name};
}
constexpr OptionFieldSpec Dflt(const char* name, int count) {
    return {K::Default, 0, count - 1, 0, "0", "0", C::None, "", "", name};
}
constexpr OptionFieldSpec Key(const char* name, const char* def) { return Idx(name, kKeyFunctionCount, def); }
constexpr OptionFieldSpec KeyNumber(const char* name, const char* def, const char* designer) {
    OptionFieldSpec s = Num(name, 1, 100, def, C::Change, "1 -- 100", "1");
    s.designer = designer;
    return s;
}
} // namespace optfield

// Indexed by OptionField.
inline constexpr std::array<OptionFieldSpec, kOptionFieldCount> kOptionFields = [] {
    using namespace optfield;
    return std::array<OptionFieldSpec, kOptionFieldCount>{{
        Num("Number of areas", 1, kMaxAreas, "1", C::Change, "1 -- 10", "1"),
        Num("Channels per area", 1, kMaxChannels, "200", C::Change, "", "1"),
        Chk("Force scan on", "0"),
        Chk("Force scan off", "0"),
        Chk("Allow setting scan", "1"),
        Num("Scan time", 50, 900, "100", C::Leave, "50 -- 900ms", "100", 10),
        Num("Resume scan time", 1, 25, "5", C::Change, "1 -- 25s", "5"),
        Chk("Beep on scan found", "0"),
        Num("Call preamble time", 10, 2500, "1000", C::Leave, "10 -- 2500ms", "1000", 10),
        Num("PTT time-out", 1, 250, "120", C::Change, "1 -- 250s", "120"),
        Num("PTT to leading ANI", 10, 2500, "200", C::Leave, "10 -- 2500ms", "200", 10),
        Num("Wait to answer back", 10, 2500, "500", C::Leave, "10 -- 2500ms", "500", 10),
        Num("Repeater access time", 100, 5000, "1000", C::Leave, "100 -- 5000ms", "1000", 100),
        Num("Search round", 1, 9, "2", C::Change, "1 -- 9", "2"),
        Key("Key 1 function", "0"),
        KeyNumber("Key 1 number", "1", "1"),
        Key("Key 2 function", "7"),
        KeyNumber("Key 2 number", "1", "1"),
        Key("Key 3 function", "7"),
        KeyNumber("Key 3 number", "3", "1"),
        Key("Key 4 function", "1"),
        KeyNumber("Key 4 number", "1", "1"),
        Idx("Alarm input function", kAlarmFunctionCount, "0"),
        KeyNumber("Alarm input number", "1", "1"),
        Chk("Allow mute change", "1"),
        Chk("Allow area change", "1"),
        Chk("Allow volume change", "1"),
        Chk("Allow call select", "1"),
        Chk("Allow channel change", "1"),
        Chk("Allow nuisance deletion", "1"),
        Chk("Allow monitor key", "1"),
        Chk("Use last channel found", "0"),
        Chk("5-tone mute automatic", "0"),
        Item("Head dial", "CHANNEL"),
        Item("CTCSS decode sensitivity", "HIGH"),
        Idx("Fixed volume level", kOptionLevelCount, "1", "0"),
        Dflt("Default channel", kMaxChannels),
        Idx("Fixed mute level", kOptionLevelCount, "12", "0"),
        Dflt("Default area", kMaxAreas),
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
