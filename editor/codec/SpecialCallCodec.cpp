// Bytes of the special calls inside their 5-tone records, and the texts rebuilt from them. Where a
// kind keeps its station ID comes from its row of special::kKinds, for both directions.
#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/SpecialCallTable.h"
#include "editor/codec/ToneRecordCodec.h"

#include "common/TextUtil.h"

#include <array>
#include <optional>
#include <string>

namespace vt {

namespace t = layout::tone;
using special::Coded;
using special::Kind;

namespace {

// The parameter byte's code of each pin level of kPinLevels; the dialog's older data holds the
// level's number (1 to 3, in that order) for the same word.
constexpr std::array<int, kPinLevels.size()> kPinLevelCodes{1, 0, 2};

std::optional<int> LevelCode(const std::string& level) {
    for (size_t i = 0; i < kPinLevels.size(); ++i)
        if (level == kPinLevels[i] || level == std::to_string(i + 1)) return kPinLevelCodes[i];
    return std::nullopt;
}

std::string LevelName(int code) {
    for (size_t i = 0; i < kPinLevels.size(); ++i)
        if (kPinLevelCodes[i] == code) return kPinLevels[i];
    return {};
}

// Values the radio needs. After its digits a code fetch, alarm or panic call sends a lead code and
// the ID's digit codes, a reply call the ID's tone codes; tone::CodeCount holds how many.
constexpr uint8_t kLeadCode = 4;
constexpr uint8_t kLeadAndDigitCodes = 6;
constexpr uint8_t kToneCodes = 5;
// A network base call's fixed bytes, from tone::IdPadding to tone::Closing.
constexpr std::array<uint8_t, 10> kNetworkSequence{0, 5, 0x4A, 3, 0x4A, 3, 0x4A, 0, 0, 0};
static_assert(t::IdPadding + kNetworkSequence.size() == t::Closing + 1);
// Parameter of a code fetch without PIN and level: an alarm query.
constexpr uint8_t kQueryAlarm = 0xF0;

// Code byte of one ID character, as the row's coding gives it.
int CharCode(Coded coded, const std::string& ch, const std::string& toneSet) {
    return coded == Coded::Digit ? cv::ToneDigitToCode(ch) & 0xFF : cv::ToneCharToCode(ch, toneSet, 1);
}

struct Special {
    EncodeContext& c;
    int n;
    size_t rec;
    std::string toneSet;
    const std::string& F(int k) const { return c.d.SpecialData()[n][static_cast<size_t>(k)]; }
    const std::string& Id() const { return F(kSpecId); }
    void Set(size_t off, int v) { c.w.Set(rec + off, static_cast<uint8_t>(v)); }
    void Zero(size_t from, size_t to) {
        for (size_t k = from; k <= to; ++k) Set(k, 0);
    }
    // The message about one of the line's values.
    void Fail(DataMsg msg, std::string_view value) {
        const std::string line = ToneLineName(c.d.Lang, n);
        c.w.Fail(line, 0, DataText(c.d.Lang, msg, {line, value}));
    }
    // The ID's codes packed where the kind keeps them; an ID of another length is left out where
    // the kind packs only a whole one.
    void PackId(const Kind& k) {
        if (k.onlyWhole && CharCount(Id()) != k.idSize) return;
        PackCodes(c, rec + k.packedAt, cv::ToneStringToCodes(Id(), toneSet, k.filler, static_cast<int>(k.pack)));
    }
    // The ID's characters coded a byte each; a tone code past the ID's end is 0, not the code of
    // no character.
    void IdCodes(const Kind& k) {
        const size_t len = CharCount(Id());
        for (size_t i = 0; i < k.idSize; ++i)
            Set(k.codesAt + i,
                k.coded == Coded::ToneChar && i >= len ? 0 : CharCode(k.coded, CharAt(Id(), i), toneSet));
    }
    // The mark and the message number, when there is one.
    void Message() {
        if (F(kSpecLevel).empty()) return;
        if (auto m = c.w.IntIn(F(kSpecLevel), 0, 0xFF - t::NumberMark, ToneLinePartText(c.d.Lang, n, DataField::LineMessage)))
            Set(t::Parameter, t::NumberMark + static_cast<int>(*m));
    }
};

void CodeFetch(Special& s, const Kind& k) {
    s.PackId(k);
    s.Set(t::IdPadding, 0);
    s.Set(t::CodeCount, kLeadAndDigitCodes);
    s.Set(t::Codes, kLeadCode);
    s.IdCodes(k);
    if (s.F(kSpecLevel).empty() || s.F(kSpecNumber).empty()) {
        s.Set(t::Parameter, kQueryAlarm);
        return;
    }
    auto pin = s.c.w.IntIn(s.F(kSpecNumber), 0, 0xFF >> t::PinShift, ToneLinePartText(s.c.d.Lang, s.n, DataField::LinePin));
    auto level = LevelCode(s.F(kSpecLevel));
    if (!level) s.Fail(DataMsg::NotLevel, s.F(kSpecLevel));
    if (pin && level) s.Set(t::Parameter, static_cast<int>(*pin) << t::PinShift | *level);
}

void RemoteAlarm(Special& s, const Kind& k) {
    const std::string& number = s.F(kSpecNumber);
    if (!number.empty()) {
        auto step = cv::StepCodeByte(number);
        auto num = ToWhole(number);
        if (step && num && *num >= 0 && *num <= 15)
            s.Set(t::AlarmStep, *step);
        else
            s.Fail(DataMsg::NotAlarmNumber, number);
    }
    s.PackId(k);
    s.Set(t::CodeCount, kLeadAndDigitCodes);
    s.Set(t::Codes, kLeadCode);
    s.IdCodes(k);
    s.Set(t::Parameter, 0);
    s.Set(t::Closing, 0);
}

void Emergency(Special& s) {
    const std::string& own = s.F(kSpecNumber);
    if (CharCount(own) == t::EmergencyOwnIdDigits) {
        bool digits = true;
        for (char ch : own) digits = digits && ch >= '0' && ch <= '9';
        if (digits) {
            s.Set(t::EmergencyOwnId, PackPair(own[0] - '0', own[1] - '0'));
            s.Set(t::EmergencyOwnId + 1, PackPair(own[2] - '0', t::EmergencyOwnIdMark));
        } else {
            s.Fail(DataMsg::NotOwnIdPart, own);
        }
    }
    s.Zero(t::EmergencyOwnId + t::EmergencyOwnIdSize, t::Parameter - 1);
    // The line's own number.
    s.Set(t::Parameter, t::NumberMark + s.n);
    s.Set(t::Closing, 0);
}

void NetworkBase(Special& s, const Kind& k) {
    s.PackId(k);
    for (size_t i = 0; i < kNetworkSequence.size(); ++i) s.Set(t::IdPadding + i, kNetworkSequence[i]);
}

void CallWithReply(Special& s, const Kind& k) {
    s.PackId(k);
    s.Set(t::IdPadding, 0);
    s.Set(t::CodeCount, kToneCodes);
    s.IdCodes(k);
    s.Set(k.codesAt + k.idSize, 0); // the code byte after the ID's
    s.Message();
    s.Set(t::Closing, 0);
}

// ---- decoding ----

// The station ID read from both places that hold its digits. The packed nibbles alone cannot
// tell "R" from "E" (nor "G" from "0"), and the code bytes cannot tell "R", "A" and "G" apart;
// together they tell apart every pair the radio receives differently, so an untouched line is
// written back as it came (where both forms agree, as "R" and "A" with EXTEND, the hex digit is
// taken). The nibbles are consulted unless the kind packs only a whole ID and the code bytes hold
// a shorter one. Nothing when the bytes fit no ID, as in an image from elsewhere: the caller then
// reads the packed text.
std::optional<std::string> IdFromCodes(const DecodeContext& c, size_t rec, const Kind& k,
                                       const std::string& toneSet) {
    static constexpr std::string_view kAlphabet = "0123456789ABCDEFRG"; // the packed text's digit first
    // The nibble the encoder packs for a character at the ID's first place.
    auto nibbleOf = [&](const std::string& ch) {
        const auto codes = cv::ToneStringToCodes(ch, toneSet, k.filler, static_cast<int>(k.pack));
        return codes[special::FirstNibble(k.pack) + 1];
    };
    size_t len = 0;
    while (len < k.idSize && c.At(rec + k.codesAt + len) != 0) ++len;
    for (size_t i = len; i < k.idSize; ++i)
        if (c.At(rec + k.codesAt + i) != 0) return std::nullopt;
    const bool packed = !k.onlyWhole || len == k.idSize;
    std::string id;
    for (size_t i = 0; i < len; ++i) {
        const int code = c.At(rec + k.codesAt + i);
        int nibble = -1;
        if (packed) {
            size_t pos = special::FirstNibble(k.pack) + i;
            uint8_t b = c.At(rec + k.packedAt + pos / 2);
            nibble = pos % 2 == 0 ? LoNibble(b) : HiNibble(b);
        }
        std::string found;
        for (char ch : kAlphabet) {
            std::string s(1, ch);
            if (CharCode(k.coded, s, toneSet) == code && (nibble < 0 || nibbleOf(s) == nibble)) {
                found = s;
                break;
            }
        }
        if (found.empty()) return std::nullopt;
        id += found;
    }
    return id;
}

// The station ID where the kind keeps it: the packed text, or the ID its code bytes and packed
// nibbles agree on.
std::string ReadId(DecodeContext& c, size_t rec, const Kind& k, const std::string& toneSet) {
    std::string packed =
        HexText(c, rec + k.packedAt, t::PackedIdSize).substr(special::FirstNibble(k.pack), k.idSize);
    if (k.coded == Coded::No) return packed;
    return IdFromCodes(c, rec, k, toneSet).value_or(packed);
}

} // namespace

void EncodeSpecialCall(EncodeContext& c, int n, size_t rec) {
    auto parts = Split(c.d.FiveToneChannels()[n]);
    Special s{c, n, rec, parts.size() > kLineStandard ? parts[kLineStandard] : std::string()};
    const SpecialLine& sd = c.d.SpecialData()[n];
    const std::string& kind = sd[kSpecKind];
    const Kind* row = special::FindKind(kind);
    if (!row) return;
    if (kind == kKindCodeFetch) {
        CodeFetch(s, *row);
    } else if (kind == kKindAlarm || kind == kKindPanic) {
        RemoteAlarm(s, *row);
    } else if (kind == kKindEmergency) {
        Emergency(s);
    } else if (kind == kKindNetwork) {
        NetworkBase(s, *row);
    } else if (IsOtherUserCall(sd)) {
        s.PackId(*row);
        s.Message();
    } else if (kind == kKindReply) {
        CallWithReply(s, *row);
    } else if (kind == kKindMessage) {
        s.Zero(t::SpecialFirst, t::SpecialLast);
    } else if (kind == kKindFarmcall) {
        s.PackId(*row);
    }
}

void DecodeSpecialCall(DecodeContext& c, int n, size_t rec, std::vector<std::string>& line) {
    SpecialLine sd = c.d.SpecialData()[static_cast<size_t>(n)];
    const std::string kind = sd[kSpecKind];
    const uint8_t param = c.At(rec + t::Parameter);
    const std::string& toneSet = line.size() > kLineStandard ? line[kLineStandard] : std::string();
    const Kind* row = special::FindKind(kind);
    std::string& text = line[kLineText];
    std::string& id = sd[kSpecId];
    if (kind == kKindCodeFetch) {
        id = ReadId(c, rec, *row, toneSet);
        const int level = param & t::LevelMask, pin = param >> t::PinShift;
        sd[kSpecLevel] = LevelName(level);
        sd[kSpecNumber] = pin >= 1 && pin <= kMaxPin ? IntText(pin) : "";
        text = param == kQueryAlarm ? QueryAlarmText(id) : CodeFetchText(id, sd[kSpecNumber], sd[kSpecLevel]);
    } else if (kind == kKindAlarm || kind == kKindPanic) {
        sd[kSpecNumber] = IntText(cv::StepCodeIndex(c.At(rec + t::AlarmStep)));
        id = ReadId(c, rec, *row, toneSet);
        text = kind == kKindAlarm ? AlarmText(id) : PanicText(id);
    } else if (kind == kKindEmergency) {
        sd[kSpecNumber] =
            HexText(c, rec + t::EmergencyOwnId, t::EmergencyOwnIdSize).substr(0, t::EmergencyOwnIdDigits);
        text = kEmergencyCallText;
    } else if (kind == kKindNetwork) {
        id = ReadId(c, rec, *row, toneSet);
        text = MarnetText(id);
    } else if (kind == kKindReply) {
        id = ReadId(c, rec, *row, toneSet);
        sd[kSpecLevel] = param >= t::NumberMark ? IntText(param - t::NumberMark) : std::string();
        text = WithMessageNumber(CallText(id), sd[kSpecLevel]);
    } else if (kind == kKindFarmcall) {
        id = ReadId(c, rec, *row, toneSet);
        text = FarmcallText(id);
    }
    c.d.SetSpecialLine(n, sd);
}

} // namespace vt
