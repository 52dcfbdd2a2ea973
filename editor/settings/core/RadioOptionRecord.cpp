#include "editor/settings/core/RadioOptionRecord.h"

#include "common/TextUtil.h"
#include "editor/settings/core/OptionLists.h"

#include <algorithm>

namespace vt {

namespace {
using K = OptionKind;
using C = CheckTime;

OptionFieldSpec Num(int min, int max, const char* def, C check, const char* range, const char* reset,
                    int step = 0) {
    return {K::Number, min, max, step, def, def, check, range, reset};
}
OptionFieldSpec Chk(const char* def) { return {K::Check, 0, 1, 0, def, def}; }
OptionFieldSpec Idx(int count, const char* def, const char* designer = nullptr) {
    return {K::Index, 0, count - 1, 0, def, designer ? designer : def};
}
OptionFieldSpec Item(const char* def) { return {K::ItemText, 0, 0, 0, def, def}; }
OptionFieldSpec Key(const char* def) { return Idx(static_cast<int>(OptionLists::KeyItems.size()), def); }
OptionFieldSpec KeyNumber(const char* def, const char* designer) {
    OptionFieldSpec s = Num(1, 100, def, C::Change, "1 -- 100", "1");
    s.designer = designer;
    return s;
}

std::array<OptionFieldSpec, kOptionFieldCount> BuildSpecs() {
    return {{
        Num(1, kMaxAreas, "1", C::Change, "1 -- 10", "1"),               // 0 areas
        Num(1, kMaxChannels, "200", C::Change, "", "1"),                 // 1 channels per area
        Chk("0"), Chk("0"), Chk("1"),                                    // 2-4 force scan, allow scan
        Num(50, 900, "100", C::Leave, "50 -- 900ms", "100", 10),         // 5 scan time
        Num(1, 25, "5", C::Change, "1 -- 25s", "5"),                     // 6 resume scan
        Chk("0"),                                                        // 7 beep
        Num(10, 2500, "1000", C::Leave, "10 -- 2500ms", "1000", 10),     // 8 call preamble
        Num(1, 250, "120", C::Change, "1 -- 250s", "120"),               // 9 PTT time-out
        Num(10, 2500, "200", C::Leave, "10 -- 2500ms", "200", 10),       // 10 PTT to ANI
        Num(10, 2500, "500", C::Leave, "10 -- 2500ms", "500", 10),       // 11 wait to answer
        Num(100, 5000, "1000", C::Leave, "100 -- 5000ms", "1000", 100),  // 12 repeater access
        Num(1, 9, "2", C::Change, "1 -- 9", "2"),                        // 13 search round
        Key("0"), KeyNumber("1", "1"),                                   // 14, 15
        Key("7"), KeyNumber("1", "1"),                                   // 16, 17
        Key("7"), KeyNumber("3", "1"),                                   // 18, 19
        Key("1"), KeyNumber("1", "1"),                                   // 20, 21
        Idx(static_cast<int>(OptionLists::ComboFunction.size()), "0"),   // 22 alarm input
        KeyNumber("1", "1"),                                             // 23
        Chk("1"), Chk("1"), Chk("1"), Chk("1"), Chk("1"), Chk("1"), Chk("1"), // 24-30 allow ...
        Chk("0"), Chk("0"),                                              // 31, 32
        Item("CHANNEL"), Item("HIGH"),                                   // 33, 34
        Idx(OptionLists::kLevelCount, "1", "0"),                         // 35 volume level
        {K::Default, 0, kMaxChannels - 1, 0, "0", "0"},                  // 36 default channel
        Idx(OptionLists::kLevelCount, "12", "0"),                        // 37 mute level
        {K::Default, 0, kMaxAreas - 1, 0, "0", "0"},                     // 38 default area
    }};
}

bool InList(std::string_view text, const std::array<std::string_view, 2>& items) {
    return std::find(items.begin(), items.end(), text) != items.end();
}

bool WholeIn(std::string_view text, int min, int max) {
    auto v = ToWhole(text);
    return v && *v >= min && *v <= max;
}
} // namespace

const std::array<OptionFieldSpec, kOptionFieldCount>& OptionFieldSpecs() {
    static const auto specs = BuildSpecs();
    return specs;
}

const OptionFieldSpec& OptionSpec(int field) { return OptionFieldSpecs().at(static_cast<size_t>(field)); }

int MaxChannelsPerArea(int areas) { return kMaxChannels / std::max(areas, 1); }

std::string ChannelsRangeText(int areas) { return "1 -- " + IntText(MaxChannelsPerArea(areas)); }

bool CheckRange(std::string_view text, int min, int max) {
    auto v = ToInt16(text);
    return v && *v >= min && *v <= max;
}

std::string CanonicalNumber(std::string_view text) {
    auto v = ToWhole(text);
    return v ? IntText(*v) : std::string(text);
}

RadioOptionRecord RadioOptionRecord::Defaults() {
    RadioOptionRecord r;
    for (int i = 0; i < kOptionFieldCount; ++i) r[i] = OptionSpec(i).def;
    return r;
}

RadioOptionRecord RadioOptionRecord::Designer() {
    RadioOptionRecord r;
    for (int i = 0; i < kOptionFieldCount; ++i) r[i] = OptionSpec(i).designer;
    return r;
}

std::optional<RadioOptionRecord> RadioOptionRecord::Parse(std::string_view text) {
    auto parts = Split(text);
    if (parts.size() != static_cast<size_t>(kOptionFieldCount)) return std::nullopt;
    RadioOptionRecord r;
    std::move(parts.begin(), parts.end(), r.f.begin());
    return r;
}

std::string RadioOptionRecord::Join() const { return vt::Join(std::vector<std::string>(f.begin(), f.end())); }

int RadioOptionRecord::Int(int field) const {
    auto v = ToInt16((*this)[field]);
    return v ? *v : 0;
}

bool FieldValid(const RadioOptionRecord& r, int field) {
    const OptionFieldSpec& s = OptionSpec(field);
    const std::string& v = r[field];
    switch (s.kind) {
    case K::Number: {
        int max = field == kOptChInArea ? MaxChannelsPerArea(r.Areas()) : s.max;
        if (!CheckRange(v, s.min, max)) return false;
        return s.step == 0 || *ToWhole(v) % s.step == 0;
    }
    case K::Check: return v == "0" || v == "1";
    case K::Index: return WholeIn(v, s.min, s.max);
    case K::ItemText:
        return InList(v, field == kOptHeadDial ? OptionLists::ComboHeadDial : OptionLists::ComboCTsen);
    case K::Default: {
        int count = field == kOptDefaultArea ? r.Areas() : r.Areas() * r.ChannelsPerArea();
        return WholeIn(v, 0, std::max(count, 1) - 1);
    }
    }
    return false;
}

bool ChannelsFitGrid(const RadioOptionRecord& r) {
    return FieldValid(r, kOptNumberArea) && FieldValid(r, kOptChInArea) &&
           r.Areas() * r.ChannelsPerArea() <= kMaxChannels;
}

bool ForceScanExclusive(const RadioOptionRecord& r) { return !(r[kOptFSon] == "1" && r[kOptFSoff] == "1"); }

namespace {
bool AnyKeyHolds(const RadioOptionRecord& r, int item) {
    for (int k : {kOptComboF1, kOptComboF2, kOptComboF3, kOptComboF4})
        if (ToWhole(r[k]) == item) return true;
    return false;
}
} // namespace

bool TrunkModesExclusive(const RadioOptionRecord& r) {
    return !(AnyKeyHolds(r, OptionLists::kKeyAcs) && AnyKeyHolds(r, OptionLists::kKeyTrunk));
}

bool AnyKeyIsAcs(const RadioOptionRecord& r) { return AnyKeyHolds(r, OptionLists::kKeyAcs); }

std::string CarriedDefaultIndex(std::string_view stored, int count) {
    auto v = ToWhole(stored);
    if (!v || *v < 0 || count < 1) return "0";
    return IntText(std::min<long long>(*v, count - 1));
}

} // namespace vt
