// Bytes of the special calls inside their 5-tone records, and the texts rebuilt from them.
#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ToneRecordCodec.h"

#include "common/TextUtil.h"

namespace vt {

namespace {

std::string LineField(int n) { return "5-tone line " + std::to_string(n); }

// Level of a code fetch; the dialog's older data holds 1..3 for the same words.
std::optional<int> LevelCode(const std::string& level) {
    if (level == "HIGH" || level == "1") return 1;
    if (level == "LOW" || level == "2") return 0;
    if (level == "TOGG" || level == "3") return 2;
    return std::nullopt;
}

struct Special {
    EncodeContext& c;
    int n;
    size_t rec;
    const std::string& F(int k) const { return c.d.SpecialData()[n][static_cast<size_t>(k)]; }
    std::string toneSet;
    void Set(size_t off, int v) { c.w.Set(rec + off, static_cast<uint8_t>(v)); }
    void Zero(size_t from, size_t to) {
        for (size_t k = from; k <= to; ++k) Set(k, 0);
    }
    void PackId(size_t off, int filler, int mode) {
        PackCodes(c, rec + off, cv::ToneStringToCodes(F(10), toneSet, filler, mode));
    }
    bool IdHas(size_t len) const { return CharCount(F(10)) == len; }
    // 0x80 + message number, when there is one.
    void Message() {
        if (F(8).empty()) return;
        if (auto m = c.w.IntIn(F(8), 0, 127, LineField(n) + " message number")) Set(0x0E, 0x80 + static_cast<int>(*m));
    }
    void DigitCodes(size_t first) {
        for (size_t k = 0; k < 5; ++k) Set(first + k, cv::ToneDigitToCode(CharAt(F(10), k)) & 0xFF);
    }
};

void CodeFetch(Special& s) {
    s.PackId(0x03, 14, 0);
    s.Set(0x06, 0);
    s.Set(0x07, 6);
    s.Set(0x08, 4);
    s.DigitCodes(0x09);
    if (s.F(8).empty() || s.F(9).empty()) {
        s.Set(0x0E, 0xF0);
        return;
    }
    auto pin = s.c.w.IntIn(s.F(9), 0, 15, LineField(s.n) + " PIN");
    auto level = LevelCode(s.F(8));
    if (!level) s.c.w.Fail(LineField(s.n), 0, LineField(s.n) + ": the level \"" + s.F(8) + "\" is not HIGH, LOW or TOGG.");
    if (pin && level) s.Set(0x0E, static_cast<int>(*pin) * 16 + *level);
}

void RemoteAlarm(Special& s, int filler) {
    if (!s.F(9).empty()) {
        auto step = cv::StepCodeByte(s.F(9));
        auto num = ToWhole(s.F(9));
        if (step && num && *num >= 0 && *num <= 15)
            s.Set(0x03, *step);
        else
            s.c.w.Fail(LineField(s.n), 0, LineField(s.n) + ": the alarm number \"" + s.F(9) + "\" must be 1 to 15.");
    }
    if (s.IdHas(5)) s.PackId(0x04, filler, 1);
    s.Set(0x07, 6);
    s.Set(0x08, 4);
    s.DigitCodes(0x09);
    s.Set(0x0E, 0);
    s.Set(0x0F, 0);
}

void Emergency(Special& s) {
    const std::string& own = s.F(9);
    if (CharCount(own) == 3) {
        bool digits = true;
        for (char ch : own) digits = digits && ch >= '0' && ch <= '9';
        if (digits) {
            s.Set(0x03, (own[1] - '0') * 16 + (own[0] - '0'));
            s.Set(0x04, 0xA0 + (own[2] - '0'));
        } else {
            s.c.w.Fail(LineField(s.n), 0, LineField(s.n) + ": the own-ID part \"" + own + "\" must be 3 digits.");
        }
    }
    s.Zero(0x05, 0x0D);
    s.Set(0x0E, 0x80 + s.n);
    s.Set(0x0F, 0);
}

void NetworkBase(Special& s) {
    if (s.IdHas(5)) s.PackId(0x03, 0, 1);
    const int bytes[] = {0, 5, 0x4A, 3, 0x4A, 3, 0x4A, 0, 0, 0};
    for (size_t k = 0; k < 10; ++k) s.Set(0x06 + k, bytes[k]);
}

void CallWithReply(Special& s) {
    if (s.IdHas(5)) s.PackId(0x03, 0, 1);
    s.Set(0x06, 0);
    s.Set(0x07, 5);
    // Positions past the end of a shorter ID hold no digit: code 0.
    const size_t len = CharCount(s.F(10));
    for (size_t k = 0; k < 5; ++k) s.Set(0x08 + k, k < len ? cv::ToneCharToCode(CharAt(s.F(10), k), s.toneSet, 1) : 0);
    s.Set(0x0D, 0);
    s.Message();
    s.Set(0x0F, 0);
}

// ---- decoding ----

// Where a special call keeps the digits of its station ID besides the packed nibbles.
enum class IdCodes { Digit, ToneChar };

// The station ID read from both places that hold its digits. The packed nibbles alone cannot
// tell "R" from "E" (nor "G" from "0"), and the code bytes cannot tell "R", "A" and "G" apart;
// together they tell apart every pair the radio receives differently, so an untouched line is
// written back as it came (where both forms agree, as "R" and "A" with EXTEND, the hex digit is
// taken). `nibbleAt` is the nibble index of the ID's first character in the packed bytes at
// `packedAt`; `packedOnlyWhenFive` for kinds that pack only a five-character ID. Nothing when
// the bytes fit no ID, as in an image from elsewhere: the caller then reads the packed text.
std::optional<std::string> IdFromCodes(const DecodeContext& c, size_t rec, size_t codesAt, IdCodes kind,
                                       const std::string& toneSet, int packedMode, size_t packedAt, int nibbleAt,
                                       bool packedOnlyWhenFive) {
    static constexpr std::string_view kAlphabet = "0123456789ABCDEFRG"; // the packed text's digit first
    auto codeOf = [&](const std::string& ch) -> int {
        return kind == IdCodes::Digit ? cv::ToneDigitToCode(ch) & 0xFF : cv::ToneCharToCode(ch, toneSet, 1);
    };
    auto nibbleOf = [&](const std::string& ch) {
        return packedMode == 0 ? cv::ToneStringToCodes(ch, toneSet, 0, 0)[2] : cv::ToneStringToCodes(ch, toneSet, 0, 2)[1];
    };
    size_t len = 0;
    while (len < 5 && c.At(rec + codesAt + len) != 0) ++len;
    for (size_t k = len; k < 5; ++k)
        if (c.At(rec + codesAt + k) != 0) return std::nullopt;
    const bool packed = nibbleAt >= 0 && (!packedOnlyWhenFive || len == 5);
    std::string id;
    for (size_t k = 0; k < len; ++k) {
        const int code = c.At(rec + codesAt + k);
        int nibble = -1;
        if (packed) {
            size_t pos = static_cast<size_t>(nibbleAt) + k;
            uint8_t b = c.At(rec + packedAt + pos / 2);
            nibble = pos % 2 == 0 ? LoNibble(b) : HiNibble(b);
        }
        std::string found;
        for (char ch : kAlphabet) {
            std::string s(1, ch);
            if (codeOf(s) == code && (nibble < 0 || nibbleOf(s) == nibble)) {
                found = s;
                break;
            }
        }
        if (found.empty()) return std::nullopt;
        id += found;
    }
    return id;
}

} // namespace

void EncodeSpecialCall(EncodeContext& c, int n, size_t rec) {
    auto parts = Split(c.d.FiveToneChannels()[n]);
    Special s{c, n, rec, parts.size() > 1 ? parts[1] : std::string()};
    const std::string& kind = c.d.SpecialData()[n][1];
    if (kind == "1") {
        CodeFetch(s);
    } else if (kind == "3") {
        RemoteAlarm(s, 7);
    } else if (kind == "2") {
        RemoteAlarm(s, 5);
    } else if (kind == "5") {
        Emergency(s);
    } else if (kind == "10") {
        NetworkBase(s);
    } else if (kind == "0" && s.F(2) == "8") {
        if (s.IdHas(5)) s.PackId(0x03, 0, 1);
        s.Message();
    } else if (kind == "8") {
        CallWithReply(s);
    } else if (kind == "15") {
        s.Zero(0x03, 0x0F);
    } else if (kind == "6") {
        if (s.IdHas(6)) s.PackId(0x03, 0, 2);
    }
}

void DecodeSpecialCall(DecodeContext& c, int n, size_t rec, std::vector<std::string>& line) {
    SpecialLine sd = c.d.SpecialData()[static_cast<size_t>(n)];
    const std::string kind = sd[1];
    const uint8_t param = c.At(rec + 0x0E);
    const std::string& toneSet = line.size() > 1 ? line[1] : std::string();
    if (kind == "1") {
        sd[10] = IdFromCodes(c, rec, 0x09, IdCodes::Digit, toneSet, 0, 0x03, 1, false)
                     .value_or(HexText(c, rec + 3, 3).substr(1));
        const int lo = param & 0x0F, hi = param >> 4;
        sd[8] = lo == 1 ? "HIGH" : lo == 0 ? "LOW" : lo == 2 ? "TOGG" : "";
        sd[9] = hi >= 1 && hi <= 8 ? IntText(hi) : "";
        line[0] = param == 0xF0 ? "ROBOT " + sd[10] + " QUERY ALARM"
                                : "ROBOT " + sd[10] + " PIN " + sd[9] + " " + sd[8];
    } else if (kind == "3" || kind == "2") {
        sd[9] = IntText(cv::StepCodeIndex(c.At(rec + 3)));
        sd[10] = IdFromCodes(c, rec, 0x09, IdCodes::Digit, toneSet, 1, 0x04, 0, true)
                     .value_or(HexText(c, rec + 4, 3).substr(0, 5));
        line[0] = "ROBOT " + sd[10] + (kind == "3" ? " ALARM" : " PANIC");
    } else if (kind == "5") {
        sd[9] = HexText(c, rec + 3, 2).substr(0, 3);
        line[0] = "EMERGENCY";
    } else if (kind == "10") {
        sd[10] = HexText(c, rec + 3, 3).substr(0, 5);
        line[0] = "MARNET " + sd[10];
    } else if (kind == "8") {
        sd[10] = IdFromCodes(c, rec, 0x08, IdCodes::ToneChar, toneSet, 1, 0x03, 0, true)
                     .value_or(HexText(c, rec + 3, 3).substr(0, 5));
        sd[8] = param >= 0x80 ? IntText(param - 0x80) : std::string();
        line[0] = "CALL " + sd[10] + " MESS NO " + sd[8];
    } else if (kind == "6") {
        sd[10] = HexText(c, rec + 3, 3);
        line[0] = "FARMCALL " + sd[10];
    }
    c.d.SetSpecialLine(n, sd);
}

} // namespace vt
