#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/OptionAreaCodec.h"
#include "editor/codec/OptionAreaTable.h"

#include "common/TextUtil.h"
#include "editor/image/FreqWords.h"

#include <algorithm>

namespace vt {

namespace {

using namespace optarea;

constexpr int kHighestDigitCode = 'z' - 48;

std::string Bit(int value, int mask) { return (value & mask) ? "1" : "0"; }

struct Out {
    DecodeContext& c;
    std::string& O(OptionField n) { return c.f.OptionFields[static_cast<size_t>(n)]; }
    std::string& T(ToneField n) { return c.f.ToneFields[static_cast<size_t>(n)]; }
    std::string& F(FarmField n) { return c.f.FarmFields[static_cast<size_t>(n)]; }
    std::string& Text(Record r, int field) {
        switch (r) {
        case Record::Tone: return T(static_cast<ToneField>(field));
        case Record::Farm: return F(static_cast<FarmField>(field));
        default: return O(static_cast<OptionField>(field));
        }
    }
    int B(size_t off) const { return c.At(off); }
};

// A list index read from the image, or the field's default when it lies outside the list.
std::string IndexOr(int value, int count, const char* fallback) {
    return value >= 0 && value < count ? IntText(value) : fallback;
}

struct Shape {
    int areas;
    int per;
};

// A shape the grid cannot hold falls back to one area of all channels.
Shape ReadShape(const Out& o) {
    int areas = o.B(o::Areas), per = o.B(o::ChannelsPerArea);
    if (areas < 1 || areas > kMaxAreas || per < 1 || per > kMaxChannels / areas) return {1, kMaxChannels};
    return {areas, per};
}

std::string ToneSetIndex(int code) {
    auto at = std::find(kToneSetCodes.begin(), kToneSetCodes.end(), code);
    return IntText(at == kToneSetCodes.end() ? 0 : static_cast<int>(at - kToneSetCodes.begin()));
}

// Own ID from its digit codes. An empty ID is stored as length 1 over the default image's digit
// byte, which holds a value no character produces (above 74).
void DecodeOwnId(Out& o) {
    int n = std::min<int>(o.B(o::OwnIdCount), static_cast<int>(o::OwnIdSize));
    const bool extend = ToneSetIndex(o.B(o::ToneSetCode)) == "0";
    std::string id;
    for (int i = 0; i < n; ++i) {
        int b = o.B(o::OwnIdDigits + static_cast<size_t>(i));
        if (!extend && b == kRepeatCode) id += "R";
        else if (!extend && b == 10) id += "G";
        else if (extend && b == 10) id += "R";
        else if (extend && b == 15) id += "G";
        else id += b + 48 < 255 && b + 48 != '|' ? ByteChar(static_cast<uint8_t>(b + 48)) : "0";
    }
    if (n == 1 && o.B(o::OwnIdDigits) > kHighestDigitCode) id.clear();
    o.T(kToneOwnId) = id;
}

void DecodeStep(Out& o, const Row& r) {
    switch (r.step) {
    case Step::DefaultChannel: {
        const Shape s = ReadShape(o);
        o.O(kOptDefaultChannel) = IndexOr(o.B(r.offset) - 1, s.areas * s.per, "0");
        break;
    }
    case Step::Shape: {
        const Shape s = ReadShape(o);
        o.O(kOptNumberArea) = IntText(s.areas);
        o.O(kOptChInArea) = IntText(s.per);
        break;
    }
    case Step::DefaultArea: o.O(kOptDefaultArea) = IndexOr(o.B(r.offset) - 1, ReadShape(o).areas, "0"); break;
    case Step::OwnId: DecodeOwnId(o); break;
    case Step::ToneSet: o.T(kToneSetIndex) = ToneSetIndex(o.B(o::ToneSetCode)); break;
    case Step::SecondReceiver:
        o.F(kSecondRxFrequency) = SecondFrequencyText(256 * o.B(o::SecondRxWordHigh) + o.B(o::SecondRxWordLow));
        break;
    case Step::GroupId:
        o.F(kFarmGroupId) = cv::CodesToToneString({static_cast<uint8_t>(o.B(o::GroupId)),
                                                   static_cast<uint8_t>(o.B(o::GroupId + 1)),
                                                   static_cast<uint8_t>(o.B(o::GroupId + 2))});
        break;
    case Step::PackedId:
        o.F(kMarnetId) = cv::BytesToToneString(static_cast<uint8_t>(o.B(o::PackedId)),
                                               static_cast<uint8_t>(o.B(o::PackedId + 1)),
                                               static_cast<uint8_t>(o.B(o::PackedId + 2)), kRepeatCode);
        break;
    // Written for the radio only, or read back by the key table and the grid.
    case Step::AcsKey:
    case Step::Priorities:
    case Step::Copies:
    case Step::Label:
    case Step::None: break;
    }
}

void DecodeRow(Out& o, const Row& r) {
    const int b = o.B(r.offset);
    switch (r.coding) {
    case Coding::Fixed: break;
    case Coding::Bit: o.Text(r.record, r.field) = Bit(b, r.mask); break;
    case Coding::Choice: o.Text(r.record, r.field) = (b & r.mask) == r.value ? r.on : r.off; break;
    case Coding::Whole: o.Text(r.record, r.field) = IntText(b * r.scale); break;
    case Coding::Tenths: o.Text(r.record, r.field) = NumText(b / 10.0); break;
    case Coding::Level: o.Text(r.record, r.field) = IndexOr(b, kLevelCount, IntText(r.value).c_str()); break;
    case Coding::Count:
        o.Text(r.record, r.field) = IntText(b);
        o.Text(r.record, r.aux) = b != 0 ? "1" : "0";
        break;
    case Coding::Step: DecodeStep(o, r); break;
    }
}

} // namespace

std::string SecondFrequencyText(int word) { return word == 0 ? std::string() : NumText(WordToFreq(word)); }

void DecodeOptionArea(DecodeContext& c) {
    Out o{c};
    for (const Row& r : kRows) DecodeRow(o, r);
}

void DecodeKeyTable(DecodeContext& c) {
    Out o{c};
    const size_t k0 = layout::kKeyTable;
    o.O(kOptComboFunction) = o.B(k0 + layout::key::AlarmFunction) == kAlarmEmergencyCode ? "0" : "1";
    o.O(kOptTxtFunction) = IntText(o.B(k0 + layout::key::AlarmNumber));
    // The ACS bit of the option area tells an ACS key from TRUNK, which has the same code.
    const bool acs = (o.B(o::Permissions) & o::AcsKeyBit) != 0;
    for (size_t k = 0; k < kKeys.size(); ++k) {
        const size_t at = k0 + layout::key::Key(k);
        auto code = static_cast<uint8_t>(o.B(at)), param = static_cast<uint8_t>(o.B(at + layout::key::KeyNumber));
        int index = cv::KeyFuncIndexFromCode(code, param);
        if (index == 4 && acs) index = 5; // TRUNK, ACS
        o.O(kKeys[k].function) = IntText(index);
        o.O(kKeys[k].number) = IntText(cv::ClampLevel(param));
    }
}

void DecodeIdSuffix(DecodeContext& c) {
    const size_t at = layout::kIdSuffix + layout::suffix::Position;
    uint8_t a = c.At(at), b = c.At(at + 1);
    if (a != 0 && b != 0) c.f.FarmFields[kFarmPosition] = FieldText(ByteChar(a) + ByteChar(b));
}

void DecodeManualSetup(DecodeContext& c) {
    c.d.ManualSetupFlag = 1;
    c.d.Setup3C00 = c.At(layout::kManualSetup);
    c.d.Setup3C01 = c.At(layout::kManualSetup + 1);
    c.d.Setup3C02 = c.At(layout::kManualSetup + 2);
}

} // namespace vt
