#include "editor/settings/core/RadioOptionRecord.h"

#include "common/TextUtil.h"
#include "editor/settings/core/OptionLists.h"

#include <algorithm>

namespace vt {

namespace {
using K = OptionKind;

bool InList(std::string_view text, const std::array<std::string_view, 2>& items) {
    return std::find(items.begin(), items.end(), text) != items.end();
}

bool WholeIn(std::string_view text, int min, int max) {
    auto v = ToWhole(text);
    return v && *v >= min && *v <= max;
}
} // namespace

const std::array<OptionFieldSpec, kOptionFieldCount>& OptionFieldSpecs() { return kOptionFields; }

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
