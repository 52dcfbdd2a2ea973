#include "editor/codec/ToneRecordCodec.h"

#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/SpecialCallTable.h"
#include "editor/dataset/DataTexts.h"
#include "editor/image/ToneCodes.h"

#include "common/TextUtil.h"

#include <algorithm>

namespace vt {

namespace t = layout::tone;
namespace em = layout::emergency;

namespace {

// A tone standard's code is its index in kToneSetNames + 1, as is the tone-set byte's value.
constexpr int kDefaultStandard = 2; // ZVEI1, for a name or code of none of them

int StandardCode(const std::string& name) {
    for (size_t i = 0; i < kToneSetNames.size(); ++i)
        if (name == kToneSetNames[i]) return static_cast<int>(i) + 1;
    return kDefaultStandard;
}

std::string StandardName(int code) {
    if (code < 1 || code > kToneStandards) code = kDefaultStandard;
    return std::string(kToneSetNames[static_cast<size_t>(code - 1)]);
}

// The low bits of the count byte for each kind of special call.
int KindDigits(const std::string& kind) {
    const special::Kind* k = special::FindKind(kind);
    return k ? k->digits : 0;
}

void EncodeChannel(EncodeContext& c, int n, size_t rec, const std::vector<std::string>& f) {
    const std::string& channel = f[kLineChannel];
    if (channel == kCurrentChannel) {
        c.w.Set(rec + t::Channel, 0);
    } else if (IsNumeric(channel)) {
        if (auto v = c.w.IntIn(channel, 0, 255, ToneLinePartText(c.d.Lang, n, DataField::LineChannel)))
            c.w.Set(rec + t::Channel, static_cast<uint8_t>(*v));
    }
}

void EncodeKindAndCount(EncodeContext& c, int n, size_t rec, const std::vector<std::string>& f) {
    const SpecialLine& sd = c.d.SpecialData()[n];
    const std::string& kindText = sd[kSpecKind];
    // A line without a kind is stored with the highest code.
    int kind = t::MaxKind;
    if (!kindText.empty()) {
        auto k = c.w.IntIn(kindText, 0, t::MaxKind, ToneLinePartText(c.d.Lang, n, DataField::LineKind));
        kind = static_cast<int>(k.value_or(t::MaxKind));
    }
    c.w.Set(rec + t::KindStandard, static_cast<uint8_t>(kind << t::KindShift | StandardCode(f[kLineStandard])));

    int high = c.w.At(rec + t::TriesCount) & t::TriesMask;
    if (!f[kLineTries].empty())
        if (auto tries = c.w.IntIn(f[kLineTries], 0, t::TriesMask >> t::TriesShift,
                                   ToneLinePartText(c.d.Lang, n, DataField::LineTries)))
            high = static_cast<int>(*tries) << t::TriesShift;
    int count = 0;
    if (!kindText.empty()) {
        if (IsPlainCall(sd)) {
            count = static_cast<int>(CharCount(f[kLineText])) - static_cast<int>(kCallPrefix.size());
            if (count > static_cast<int>(kMaxCallDigits))
                c.w.Fail(ToneLineName(c.d.Lang, n), 0,
                         DataText(c.d.Lang, DataMsg::TooManyDigits, {ToneLineName(c.d.Lang, n), IntText(kMaxCallDigits)}));
        } else {
            count = KindDigits(kindText);
        }
    }
    c.w.Set(rec + t::TriesCount, static_cast<uint8_t>(high | std::clamp<int>(count, 0, t::CountMask)));
}

void EncodeDigits(EncodeContext& c, int n, size_t rec, const std::vector<std::string>& f) {
    if (!IsPlainCall(c.d.SpecialData()[n])) return;
    const std::string& text = f[kLineText];
    const std::string& standard = f[kLineStandard];
    std::string digits;
    for (size_t i = kCallPrefix.size(); i < CharCount(text); ++i) digits += CharAt(text, i);
    if (CharCount(digits) > kMaxCallDigits) return; // reported with the count
    std::vector<std::string> ch;
    for (size_t i = 0; i < CharCount(digits); ++i) ch.push_back(CharAt(digits, i));
    if (ch.size() % 2) ch.push_back("0");
    for (size_t k = 0; k < ch.size() / 2; ++k) {
        c.w.Set(rec + t::Digits + k,
                PackPair(cv::HexToneDigitCode(ch[2 * k], standard), cv::HexToneDigitCode(ch[2 * k + 1], standard)));
    }
}

void EncodeIdentification(EncodeContext& c, int n, size_t rec, const std::vector<std::string>& f) {
    const std::string& ident = f[kLineIdent];
    if (ident.empty()) return;
    if (CharCount(ident) > t::IdentificationSize) {
        c.w.Fail(ToneLineName(c.d.Lang, n), 0,
                 DataText(c.d.Lang, DataMsg::IdentTooLong,
                          {ToneLineName(c.d.Lang, n), ident, IntText(t::IdentificationSize)}));
        return;
    }
    for (size_t k = 0; k < t::IdentificationSize; ++k) c.w.Set(rec + t::Identification + k, ' ');
    c.w.PutText(rec + t::Identification, ident, t::IdentificationSize, ToneLinePartText(c.d.Lang, n, DataField::LineIdent));
}

} // namespace

std::optional<std::vector<std::string>> ToneLineFields(const std::string& line) {
    auto f = Split(line);
    if (f.size() != static_cast<size_t>(kToneLineFields)) return std::nullopt;
    return f;
}

std::string ToneLineName(const LanguageTexts& lang, int n) { return FieldText(lang, DataField::ToneLine, {IntText(n)}); }

void PackCodes(EncodeContext& c, size_t at, const std::array<int, 7>& codes) {
    for (size_t k = 0; k < t::PackedIdSize; ++k)
        c.w.Set(at + k, PackPair(codes[2 * k + 1], codes[2 * k + 2]));
}

std::string HexText(DecodeContext& c, size_t at, size_t count) {
    std::string s;
    for (size_t k = 0; k < count; ++k) {
        uint8_t b = c.At(at + k);
        s += cv::NibbleToHexChar(LoNibble(b)) + cv::NibbleToHexChar(HiNibble(b));
    }
    return s;
}

void EncodeToneSetByte(EncodeContext& c) {
    auto idx = ToWhole(c.f.ToneFields[kToneSetIndex]);
    if (idx && *idx >= 0 && *idx < kToneStandards)
        c.w.Set(layout::kToneSetByte, static_cast<uint8_t>(*idx + 1));
}

void EncodeEmergencyTable(EncodeContext& c) {
    for (int e = 1; e <= layout::kEmergencyEntries; ++e) {
        c.w.Set(layout::EmergencyEntry(e) + em::Line, 0);
        c.w.Set(layout::EmergencyEntry(e) + em::Used, c.w.At(layout::kToneSetByte));
    }
    for (int n = 1; n <= kToneLines; ++n) {
        auto f = ToneLineFields(c.d.FiveToneChannels()[n]);
        if (!f || !IsNumeric((*f)[kLineEmergency])) continue;
        auto e = c.w.IntIn((*f)[kLineEmergency], 1, layout::kEmergencyEntries,
                           ToneLinePartText(c.d.Lang, n, DataField::LineEmergency));
        if (!e) continue;
        size_t at = layout::EmergencyEntry(static_cast<int>(*e));
        c.w.Set(at + em::Line, static_cast<uint8_t>(n));
        c.w.Set(at + em::Used, em::UsedMark);
    }
}

void EncodeToneRecords(EncodeContext& c) {
    for (int n = 1; n <= kToneLines; ++n) {
        auto f = ToneLineFields(c.d.FiveToneChannels()[n]);
        if (!f) continue;
        size_t rec = layout::ToneRecord(n);
        EncodeChannel(c, n, rec, *f);
        EncodeKindAndCount(c, n, rec, *f);
        EncodeDigits(c, n, rec, *f);
        EncodeIdentification(c, n, rec, *f);
    }
    for (int n = 1; n <= kToneLines; ++n) EncodeSpecialCall(c, n, layout::ToneRecord(n));
}

void DecodeEmergencyTable(DecodeContext& c) {
    for (int e = 1; e <= layout::kEmergencyEntries; ++e) {
        size_t at = layout::EmergencyEntry(e);
        int n = c.At(at + em::Used) == em::UsedMark ? c.At(at + em::Line) : 0;
        if (n < 1 || n > kToneLines) continue;
        auto f = ToneLineFields(c.d.FiveToneChannels()[n]);
        if (!f) continue;
        (*f)[kLineEmergency] = IntText(e);
        c.d.SetFiveToneLine(n, Join(*f));
    }
}

void DecodeToneRecords(DecodeContext& c) {
    for (int n = 1; n <= kToneLines; ++n) {
        auto f = ToneLineFields(c.d.FiveToneChannels()[n]);
        if (!f) continue;
        SpecialLine sd = c.d.SpecialData()[static_cast<size_t>(n)];
        size_t rec = layout::ToneRecord(n);
        int ch = c.At(rec + t::Channel);
        (*f)[kLineChannel] = ch >= 1 && ch <= layout::kSecondReceiverSlot ? IntText(ch) : std::string(kCurrentChannel);
        (*f)[kLineStandard] = StandardName(c.At(rec + t::KindStandard) & t::StandardMask);
        sd[kSpecKind] = IntText(c.At(rec + t::KindStandard) >> t::KindShift);
        int tries = c.At(rec + t::TriesCount) >> t::TriesShift;
        (*f)[kLineTries] = IntText(tries == 0 ? 1 : tries);
        if (sd[kSpecKind] == kKindPlain) {
            size_t count = std::min<size_t>(c.At(rec + t::TriesCount) & t::CountMask, 2 * t::DigitsSize);
            std::string digits = HexText(c, rec + t::Digits, t::DigitsSize).substr(0, count);
            (*f)[kLineText] = CallText(digits);
            // A message number marks a call to another user; its ID is the call's digits.
            uint8_t param = c.At(rec + t::Parameter);
            if (param >= t::NumberMark) {
                sd[kSpecOtherUser] = kOtherUserMark;
                sd[kSpecLevel] = IntText(param - t::NumberMark);
                sd[kSpecId] = digits;
            }
        }
        (*f)[kLineIdent] = Trim(FieldText(NameText(&c.img[rec + t::Identification], t::IdentificationSize)));
        c.d.SetSpecialLine(n, sd);
        DecodeSpecialCall(c, n, rec, *f);
        c.d.SetFiveToneLine(n, Join(*f));
    }
}

} // namespace vt
