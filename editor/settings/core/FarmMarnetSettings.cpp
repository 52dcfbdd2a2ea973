#include "editor/settings/core/FarmMarnetSettings.h"

#include "common/TextUtil.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/image/SettingsFieldNames.h"

namespace vt {

namespace {
// A frequency as a user types it: digits with at most one decimal point.
bool IsPlainDecimal(const std::string& s) {
    int digits = 0, points = 0;
    for (char c : s) {
        if (c >= '0' && c <= '9') ++digits;
        else if (c == '.') ++points;
        else return false;
    }
    return digits > 0 && points <= 1;
}

long long Value(const std::string& s) { return IsDigits(s) && s.size() <= 9 ? std::stoll(s) : 0; }

// A text that its box would refuse counts as missing.
bool Missing(FarmBox box, const std::string& text, const EditorData& d) {
    return Trim(text).empty() || !CheckFarmBox(box, text, d).keep;
}
} // namespace

std::optional<FarmMarnetSettings> FarmMarnetSettings::Parse(const std::string& info) {
    auto f = Split(info);
    if (f.size() != kFarmFieldCount) return std::nullopt;
    FarmMarnetSettings s;
    s.farm = f[kFarmOn] == "1";
    s.groupId = f[kFarmGroupId];
    s.position = f[kFarmPosition];
    s.farmChannel = f[kFarmChannel];
    s.farmFreq = f[kFarmFrequency];
    s.marnet = f[kMarnetOn] == "1";
    s.marnetId = f[kMarnetId];
    s.maxChannels = f[kMarnetMaxChannels];
    s.secondRx = f[kSecondRxOn] == "1";
    s.secFreq = f[kSecondRxFrequency];
    return s;
}

std::string FarmMarnetSettings::Join() const {
    auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    // The image has no switch bytes: a FARMCALL channel or MARNET channel count left in a box
    // that was switched off would come back from the radio or a data file as switched on.
    auto kept = [](bool on, const std::string& text) { return on ? text : std::string(); };
    std::vector<std::string> f(kFarmFieldCount);
    f[kFarmOn] = flag(farm);
    f[kFarmGroupId] = kept(farm, groupId);
    f[kFarmPosition] = kept(farm, position);
    f[kFarmChannel] = kept(farm, farmChannel);
    f[kFarmFrequency] = kept(farm, farmFreq);
    f[kMarnetOn] = flag(marnet);
    f[kMarnetId] = kept(marnet, marnetId);
    f[kMarnetMaxChannels] = kept(marnet, maxChannels);
    f[kSecondRxOn] = flag(secondRx);
    f[kSecondRxFrequency] = secFreq;
    return vt::Join(f);
}

int CheckFreq(const EditorData& d, const std::string& freq) {
    auto f = ToDouble(freq);
    return f && d.BandLimits[1] <= *f && *f <= d.BandLimits[2] ? 1 : 0;
}

FarmBoxVerdict CheckFarmBox(FarmBox box, const std::string& text, const EditorData& d) {
    // Help texts of the dialog.
    constexpr int kNotNumberTip = 6, kFarmFreqTip = 7, kSecFreqTip = 5;
    switch (box) {
    case kGroupIdBox:
    case kMarnetIdBox:
        // Short IDs stay for the user to complete; OK reports them.
        return IsDigits(text) ? FarmBoxVerdict{} : FarmBoxVerdict{false, kNotNumberTip};
    case kPositionBox:
    case kFarmChannelBox:
    case kMaxChannelsBox: {
        if (!IsDigits(text)) return {false, kNotNumberTip};
        long long hi = box == kPositionBox ? kMaxPosition : kMaxChannels;
        long long v = text.size() <= 9 ? std::stoll(text) : hi + 1;
        return v >= 1 && v <= hi ? FarmBoxVerdict{} : FarmBoxVerdict{false, 0};
    }
    case kFarmFreqBox:
    case kSecFreqBox:
        if (!IsPlainDecimal(text)) return {false, kNotNumberTip};
        if (CheckFreq(d, text) != 1) return {false, box == kFarmFreqBox ? kFarmFreqTip : kSecFreqTip};
        return {};
    }
    return {};
}

int CheckFarmSettings(const FarmMarnetSettings& s, const EditorData& d) {
    long long areas = 0, perArea = 0;
    bool shape = false;
    if (auto f = OptionRecordFields(d.RadioOption())) {
        auto a = ToWhole((*f)[kOptNumberArea]);
        auto c = ToWhole((*f)[kOptChInArea]);
        shape = a && c;
        if (shape) {
            areas = *a;
            perArea = *c;
        }
    }
    if (s.farm && shape && !s.farmChannel.empty() && Value(s.farmChannel) > areas * perArea) return -12;
    if (s.farm) {
        if (Missing(kGroupIdBox, s.groupId, d)) return -1;
        if (s.groupId.size() != kFarmGroupIdLength) return -13;
        if (Missing(kFarmChannelBox, s.farmChannel, d)) return -2;
        if (Missing(kFarmFreqBox, s.farmFreq, d)) return -3;
        if (Missing(kPositionBox, s.position, d)) return -4;
    }
    if (s.marnet) {
        if (Missing(kMarnetIdBox, s.marnetId, d)) return -5;
        if (s.marnetId.size() != kMarnetIdLength) return -14;
        if (Missing(kMaxChannelsBox, s.maxChannels, d)) return -6;
        // One channel would leave no channel row before the MARNET base channel.
        if (Value(s.maxChannels) < 2) return -15;
        if (Missing(kSecFreqBox, s.secFreq, d)) return -9;
        if (shape && areas * Value(s.maxChannels) > kMaxChannels) return -11;
    } else if (s.secondRx && Missing(kSecFreqBox, s.secFreq, d)) {
        return -8;
    }
    if (s.farm && s.marnet && Value(s.farmChannel) > Value(s.maxChannels) - 1) return -10;
    return 1;
}

int FarmMessageEntry(int code) {
    int k = -code;
    if (k >= 1 && k <= 6) return k;
    if (k >= 8 && k <= 15) return k - 1;
    return 0;
}

} // namespace vt
