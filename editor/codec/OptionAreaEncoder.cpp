#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/OptionAreaCodec.h"
#include "editor/codec/OptionAreaTable.h"
#include "editor/dataset/DataTexts.h"
#include "editor/image/OptionFieldTable.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"

#include <array>

namespace vt {

namespace {

using namespace optarea;

// Tone code the radio reads as "no own ID".
constexpr uint8_t kNoOwnIdTone = 0x84;

struct Fields {
    EncodeContext& c;
    const std::string& O(OptionField n) const { return c.f.OptionFields[static_cast<size_t>(n)]; }
    const std::string& T(ToneField n) const { return c.f.ToneFields[static_cast<size_t>(n)]; }
    const std::string& F(FarmField n) const { return c.f.FarmFields[static_cast<size_t>(n)]; }
    const std::string& Text(const Row& r) const {
        switch (r.record) {
        case Record::Tone: return T(static_cast<ToneField>(r.field));
        case Record::Farm: return F(static_cast<FarmField>(r.field));
        default: return O(static_cast<OptionField>(r.field));
        }
    }
    // The fields' names as the messages give them.
    std::string OName(OptionField n) const { return OptionFieldText(c.d.Lang, n); }
    std::string TName(ToneField n) const { return ToneFieldText(c.d.Lang, n); }
    std::string FName(FarmField n) const { return FarmFieldText(c.d.Lang, n); }
    std::string Name(const Row& r) const {
        switch (r.record) {
        case Record::Tone: return TName(static_cast<ToneField>(r.field));
        case Record::Farm: return FName(static_cast<FarmField>(r.field));
        default: return OName(static_cast<OptionField>(r.field));
        }
    }
    std::optional<long long> OInt(OptionField n) { return c.w.Int(O(n), OName(n)); }
    int FFlag(FarmField n) { return c.w.Flag(F(n), FName(n)).value_or(0); }
    void PutO(size_t off, OptionField n, long long add = 0, long long div = 1) {
        if (auto v = OInt(n)) c.w.Put(off, FloorDiv(*v, div) + add, OName(n));
    }
    static long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
};

// The channel counts through all areas; a channel that may change leaves the radio at the first.
void EncodeDefaultChannel(Fields& f, const Row& r) {
    if (f.O(kOptChannelchange) == "0")
        f.PutO(r.offset, kOptDefaultChannel, 1);
    else
        f.c.w.Set(r.offset, 1);
}

void EncodeShape(Fields& f) {
    auto& w = f.c.w;
    auto areas = w.IntIn(f.O(kOptNumberArea), 1, kMaxAreas, f.OName(kOptNumberArea));
    if (!areas) return;
    if (auto per = w.IntIn(f.O(kOptChInArea), 1, kMaxChannels / *areas, f.OName(kOptChInArea)))
        w.Set(o::ChannelsPerArea, static_cast<uint8_t>(*per));
    w.Set(o::Areas, static_cast<uint8_t>(*areas));
}

void EncodeDefaultArea(Fields& f, const Row& r) {
    if (f.O(kOptAreachange) == "0" && f.O(kOptNumberArea) != "1") f.PutO(r.offset, kOptDefaultArea, 1);
}

// Own ID in the radio's tone codes and as digit codes, each behind its length.
void EncodeOwnId(Fields& f) {
    auto& w = f.c.w;
    const std::string& id = f.T(kToneOwnId);
    size_t n = CharCount(id);
    if (n > o::OwnIdSize) {
        w.Fail(f.TName(kToneOwnId), 0,
               DataText(w.Lang(), DataMsg::TooLong, {f.TName(kToneOwnId), id, IntText(o::OwnIdSize)}));
        n = o::OwnIdSize;
    }
    w.Set(o::OwnIdLength, static_cast<uint8_t>(n == 0 ? 1 : n));
    w.Set(o::OwnIdCount, static_cast<uint8_t>(n == 0 ? 1 : n));
    if (n == 0) w.Set(o::OwnIdTones, kNoOwnIdTone);
    for (size_t i = 0; i < n; ++i) {
        std::string ch = CharAt(id, i);
        w.Set(o::OwnIdTones + i, cv::ToneCharToCode(ch, f.T(kToneSetIndex), 0));
        w.Set(o::OwnIdDigits + i, cv::AlnumToneDigitCode(ch, f.T(kToneSetIndex)));
    }
}

void EncodeToneSet(Fields& f) {
    auto& w = f.c.w;
    const auto last = static_cast<long long>(kToneSetCodes.size()) - 1;
    if (auto idx = w.IntIn(f.T(kToneSetIndex), 0, last, f.TName(kToneSetIndex))) {
        w.Set(o::ToneSetCode, kToneSetCodes[static_cast<size_t>(*idx)]);
        w.Set(o::ToneSetNumber, static_cast<uint8_t>(*idx + 1));
    }
}

void EncodeSecondReceiver(Fields& f) {
    if (f.FFlag(kSecondRxOn) != 1) return;
    auto word = cv::FreqToWord(f.F(kSecondRxFrequency));
    if (!word) {
        const std::string name = f.FName(kSecondRxFrequency);
        f.c.w.Fail(name, 0, DataText(f.c.w.Lang(), DataMsg::NoSecondRxWord, {name, f.F(kSecondRxFrequency)}));
        return;
    }
    f.c.w.Set(o::SecondRxWordHigh, (*word)[0]);
    f.c.w.Set(o::SecondRxWordLow, (*word)[1]);
}

// Group ID: the second of two equal neighbours is sent as the repeat code.
void EncodeGroupId(Fields& f) {
    auto& w = f.c.w;
    const std::string& g = f.F(kFarmGroupId);
    size_t len = CharCount(g);
    auto code = [&](size_t i) { return cv::AlnumToneDigitCode(CharAt(g, i), "1"); };
    if (len >= 1) w.Set(o::GroupId, code(0));
    if (len == 2) w.Set(o::GroupId + 1, code(1));
    if (len >= 3) {
        uint8_t second = CharAt(g, 1) == CharAt(g, 0) ? kRepeatCode : code(1);
        w.Set(o::GroupId + 1, second);
        std::string last = CharAt(g, len - 1);
        w.Set(o::GroupId + 2, last == CharAt(g, 1) && second != kRepeatCode ? kRepeatCode : code(len - 1));
    }
}

void EncodePriorities(Fields& f) {
    for (int a = 1; a <= kMaxAreas; ++a)
        f.c.w.Put(o::PriorityChannel(a), f.c.f.AreaPriorityCh[static_cast<size_t>(a)],
                  FieldText(f.c.d.Lang, DataField::PriorityChannel));
}

// MARNET ID (MARNET on) or own ID, two digits a byte, first digit low.
void EncodePackedId(Fields& f) {
    auto& w = f.c.w;
    if (f.FFlag(kMarnetOn) == 1) {
        std::string s = InsertRepeatTone(f.F(kMarnetId));
        bool ok = s.size() == 5;
        for (char ch : s) ok = ok && ((ch >= '0' && ch <= '9') || ch == 'R');
        if (!ok) {
            w.Fail(f.FName(kMarnetId), 0, DataText(w.Lang(), DataMsg::NotMarnetId, {f.FName(kMarnetId), f.F(kMarnetId)}));
            return;
        }
        auto digit = [&](size_t i) { return i < s.size() ? (s[i] == 'R' ? kRepeatCode : s[i] - '0') : 0; };
        for (size_t k = 0; k < o::PackedIdSize; ++k) {
            int lo = digit(2 * k), hi = k < 2 ? digit(2 * k + 1) : 0;
            w.Set(o::PackedId + k, static_cast<uint8_t>(16 * hi + lo));
        }
        return;
    }
    size_t n = std::min<size_t>(CharCount(f.T(kToneOwnId)), o::OwnIdSize);
    for (size_t i = 0; i < n; ++i) {
        uint8_t code = w.At(o::OwnIdDigits + i);
        size_t at = o::PackedId + i / 2;
        if (i % 2 == 0) {
            w.Set(at, code);
        } else if (!w.Put(at, w.At(at) + 16 * (code & 0x0F), f.TName(kToneOwnId))) {
            return;
        }
    }
}

void EncodeCopies(Fields& f) {
    auto& w = f.c.w;
    const size_t from[] = {o::GroupId, o::GroupId + 1, o::GroupId + 2, o::SecondRxWordLow, o::SecondRxWordHigh};
    for (size_t k = 0; k < std::size(from); ++k) w.Set(o::GroupIdCopy + k, w.At(from[k]));
    w.Set(o::ToneSetNumberCopy, w.At(o::ToneSetNumber));
    w.Set(o::OwnIdCountCopy, w.At(o::OwnIdCount));
}

void EncodeLabel(Fields& f, const Row& r) {
    const char* label = f.F(kMarnetOn) == "1" ? "MARNET BASE     " : "OWN ID          ";
    for (size_t k = 0; k < layout::kDisplayLabelSize; ++k) f.c.w.Set(r.offset + k, static_cast<uint8_t>(label[k]));
}

void EncodeStep(Fields& f, const Row& r) {
    switch (r.step) {
    case Step::DefaultChannel: EncodeDefaultChannel(f, r); break;
    case Step::Shape: EncodeShape(f); break;
    case Step::DefaultArea: EncodeDefaultArea(f, r); break;
    case Step::OwnId: EncodeOwnId(f); break;
    case Step::ToneSet: EncodeToneSet(f); break;
    case Step::AcsKey:
        if (AnyKeyIsFunction5(f.c.f.OptionFields)) f.c.w.Set(r.offset, f.c.w.At(r.offset) | o::AcsKeyBit);
        break;
    case Step::SecondReceiver: EncodeSecondReceiver(f); break;
    case Step::GroupId: EncodeGroupId(f); break;
    case Step::Priorities: EncodePriorities(f); break;
    case Step::PackedId: EncodePackedId(f); break;
    case Step::Copies: EncodeCopies(f); break;
    case Step::Label: EncodeLabel(f, r); break;
    case Step::None: break;
    }
}

void EncodeRow(Fields& f, const Row& r) {
    auto& w = f.c.w;
    const std::string& text = f.Text(r);
    const std::string name = f.Name(r);
    switch (r.coding) {
    case Coding::Fixed: w.Set(r.offset, static_cast<uint8_t>(r.value)); break;
    case Coding::Bit:
        if (w.Flag(text, name).value_or(0) == 1) w.Set(r.offset, w.At(r.offset) | r.mask);
        break;
    case Coding::Choice: {
        const bool on = r.otherIsOn ? text != r.off : text == r.on;
        w.Set(r.offset, static_cast<uint8_t>((w.At(r.offset) & ~r.mask) | (on ? r.value : 0)));
        break;
    }
    case Coding::Whole:
        if (auto v = w.Int(text, name)) w.Put(r.offset, Fields::FloorDiv(*v, r.scale), name);
        break;
    case Coding::Tenths:
        if (auto v = w.Int(text, name)) w.Put(r.offset, *v * 10, name);
        break;
    case Coding::Level:
        if (f.O(static_cast<OptionField>(r.aux)) == "0") {
            if (auto v = w.IntIn(text, 0, kLevelCount - 1, name)) w.Set(r.offset, static_cast<uint8_t>(*v));
        } else {
            w.Set(r.offset, static_cast<uint8_t>(r.value));
        }
        break;
    case Coding::Count:
        if (IsNumeric(text))
            if (auto v = w.Int(text, name)) w.Put(r.offset, *v, name);
        break;
    case Coding::Step: EncodeStep(f, r); break;
    }
}

} // namespace

void EncodeOptionArea(EncodeContext& c) {
    Fields f{c};
    for (const Row& r : kRows) EncodeRow(f, r);
}

void EncodeKeyTable(EncodeContext& c) {
    Fields f{c};
    auto& w = c.w;
    const size_t k0 = layout::kKeyTable;
    w.Set(k0 + layout::key::AlarmFunction, f.O(kOptComboFunction) == "0" ? kAlarmEmergencyCode : 0);
    w.IntIn(f.O(kOptComboFunction), 0, kOptionFields[kOptComboFunction].max, f.OName(kOptComboFunction));
    f.PutO(k0 + layout::key::AlarmNumber, kOptTxtFunction);
    for (size_t k = 0; k < kKeys.size(); ++k) {
        const size_t at = k0 + layout::key::Key(k);
        auto index =
            w.IntIn(f.O(kKeys[k].function), 0, kOptionFields[kKeys[k].function].max, f.OName(kKeys[k].function));
        if (!index) continue;
        w.Set(at, cv::KeyFuncCodeFromIndex(static_cast<int>(*index)));
        if (*index == kCallKeyFunction)
            w.Set(at + layout::key::KeyNumber, 0);
        else
            f.PutO(at + layout::key::KeyNumber, kKeys[k].number);
    }
}

void EncodeIdSuffix(EncodeContext& c) {
    auto& w = c.w;
    const char tag[] = "ID:";
    for (size_t k = 0; k < layout::suffix::TagSize; ++k)
        w.Set(layout::kIdSuffix + layout::suffix::Tag + k, static_cast<uint8_t>(tag[k]));
    const std::string& pos = c.f.FarmFields[kFarmPosition];
    if (CharCount(pos) >= layout::suffix::PositionSize)
        w.PutText(layout::kIdSuffix + layout::suffix::Position, CharAt(pos, 0) + CharAt(pos, 1),
                  layout::suffix::PositionSize, FarmFieldText(c.d.Lang, kFarmPosition));
}

void EncodeManualSetup(EncodeContext& c) {
    c.w.Set(layout::kManualSetup, c.d.Setup3C00);
    c.w.Set(layout::kManualSetup + 1, c.d.Setup3C01);
    c.w.Set(layout::kManualSetup + 2, c.d.Setup3C02);
}

} // namespace vt
