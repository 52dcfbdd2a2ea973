#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"
#include "editor/codec/OptionAreaCodec.h"

#include "common/ModFun.h"
#include "common/TextUtil.h"

#include <array>

namespace vt {

namespace {

constexpr std::array<const char*, 39> kOptionNames{
    "Number of areas", "Channels per area", "Force scan on", "Force scan off", "Allow setting scan",
    "Scan time", "Resume scan time", "Beep on scan found", "Call preamble time", "PTT time-out",
    "PTT to leading ANI", "Wait to answer back", "Repeater access time", "Search round",
    "Key 1 function", "Key 1 number", "Key 2 function", "Key 2 number", "Key 3 function", "Key 3 number",
    "Key 4 function", "Key 4 number", "Alarm input function", "Alarm input number", "Allow mute change",
    "Allow area change", "Allow volume change", "Allow call select", "Allow channel change",
    "Allow nuisance deletion", "Allow monitor key", "Use last channel found", "5-tone mute automatic",
    "Head dial", "CTCSS decode sensitivity", "Fixed volume level", "Default channel", "Fixed mute level",
    "Default area"};

constexpr std::array<const char*, 6> kToneNames{"Own ID", "Tone set", "PG call", "Hooker", "Blow", "Speaker"};
constexpr std::array<const char*, 10> kFarmNames{"FARMCALL on",    "FARMCALL group ID",    "Position",
                                                 "FARMCALL channel", "FARMCALL frequency", "MARNET on",
                                                 "MARNET ID",      "Maximum channels",     "Second receiver on",
                                                 "Second receiver frequency"};

// Tone-set byte of the option area, by tone-set index.
constexpr std::array<uint8_t, 6> kToneSetCodes{0x0A, 0x42, 0x22, 0x1E, 0x9A, 0x84};

struct Fields {
    EncodeContext& c;
    const std::string& O(int n) const { return c.f.OptionFields[static_cast<size_t>(n)]; }
    const std::string& T(int n) const { return c.f.ToneFields[static_cast<size_t>(n)]; }
    const std::string& F(int n) const { return c.f.FarmFields[static_cast<size_t>(n)]; }
    std::optional<long long> OInt(int n) { return c.w.Int(O(n), kOptionNames[static_cast<size_t>(n)]); }
    int OFlag(int n) { return c.w.Flag(O(n), kOptionNames[static_cast<size_t>(n)]).value_or(0); }
    int TFlag(int n) { return c.w.Flag(T(n), kToneNames[static_cast<size_t>(n)]).value_or(0); }
    int FFlag(int n) { return c.w.Flag(F(n), kFarmNames[static_cast<size_t>(n)]).value_or(0); }
    void PutO(size_t off, int n, long long add = 0, long long div = 1) {
        if (auto v = OInt(n)) c.w.Put(off, FloorDiv(*v, div) + add, kOptionNames[static_cast<size_t>(n)]);
    }
    static long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
};

void EncodeFlagsByte(Fields& f) {
    int hi = 4 * f.TFlag(2) + 2 * f.TFlag(5) + f.TFlag(3);
    int lo = 8 * f.OFlag(31) + 4 * f.OFlag(4) + 2 * f.OFlag(3) + f.OFlag(2);
    f.c.w.Set(0x02, static_cast<uint8_t>(16 * hi + lo));
}

void EncodeLevelsAndShape(Fields& f) {
    auto& w = f.c.w;
    if (f.O(26) == "0") {
        if (auto v = w.IntIn(f.O(35), 0, 15, kOptionNames[35])) w.Set(0x03, static_cast<uint8_t>(*v));
    } else {
        w.Set(0x03, 1);
    }
    if (f.O(28) == "0")
        f.PutO(0x04, 36, 1);
    else
        w.Set(0x04, 1);
    if (f.O(24) == "0") {
        if (auto v = w.IntIn(f.O(37), 0, 15, kOptionNames[37])) w.Set(0x05, static_cast<uint8_t>(*v));
    } else {
        w.Set(0x05, 12);
    }
    auto areas = w.IntIn(f.O(0), 1, 10, kOptionNames[0]);
    if (areas) {
        if (auto per = w.IntIn(f.O(1), 1, 200 / *areas, kOptionNames[1])) w.Set(0x06, static_cast<uint8_t>(*per));
        w.Set(0x09, static_cast<uint8_t>(*areas));
    }
    if (f.O(25) == "0" && f.O(0) != "1") f.PutO(0x08, 38, 1);
    if (auto v = f.OInt(6)) w.Put(0x0A, *v * 10, kOptionNames[6]);
    f.PutO(0x0B, 5, 0, 10);
}

// Own ID in the radio's tone codes (0x0D..0x12) and as digit codes (0x62..0x66).
void EncodeOwnId(Fields& f) {
    auto& w = f.c.w;
    const std::string& id = f.T(0);
    size_t n = CharCount(id);
    if (n > 5) {
        w.Fail(kToneNames[0], 0, "Own ID \"" + id + "\" is longer than 5 characters.");
        n = 5;
    }
    w.Set(0x0D, static_cast<uint8_t>(n == 0 ? 1 : n));
    w.Set(0x68, static_cast<uint8_t>(n == 0 ? 1 : n));
    if (n == 0) w.Set(0x0E, 0x84);
    for (size_t i = 0; i < n; ++i) {
        std::string ch = CharAt(id, i);
        w.Set(0x0E + i, cv::ToneCharToCode(ch, f.T(1), 0));
        w.Set(0x62 + i, cv::AlnumToneDigitCode(ch, f.T(1)));
    }
}

void EncodeTimes(Fields& f) {
    auto& w = f.c.w;
    if (auto idx = w.IntIn(f.T(1), 0, 5, kToneNames[1])) {
        w.Set(0x14, kToneSetCodes[static_cast<size_t>(*idx)]);
        w.Set(0x67, static_cast<uint8_t>(*idx + 1));
    }
    f.PutO(0x15, 10, 0, 10);
    f.PutO(0x16, 11, 0, 10);
    f.PutO(0x17, 9);
    f.PutO(0x18, 13);
    f.PutO(0x19, 12, 0, 100);
    int lo = f.OFlag(24) + 2 * f.OFlag(25) + 4 * f.OFlag(26) + 8 * f.OFlag(27);
    int hi = f.OFlag(28) + 2 * AnyKeyIsFunction5(f.c.f.OptionFields) + 4 * f.OFlag(29) + 8 * f.OFlag(30);
    w.Set(0x1A, static_cast<uint8_t>(16 * hi + lo));
    if (auto v = w.Int(f.T(4), kToneNames[4])) w.Put(0x1B, *v, kToneNames[4]);
    f.PutO(0x1C, 8, 0, 10);
}

void EncodeSecondReceiver(Fields& f) {
    if (f.FFlag(8) != 1) return;
    auto word = cv::FreqToWord(f.F(9));
    if (!word) {
        f.c.w.Fail(kFarmNames[9], 0, "Second receiver frequency \"" + f.F(9) + "\" has no frequency word.");
        return;
    }
    f.c.w.Set(0x1F, (*word)[0]);
    f.c.w.Set(0x1E, (*word)[1]);
}

// Group ID: the second of two equal neighbours is sent as the repeat code 14.
void EncodeGroupId(Fields& f) {
    auto& w = f.c.w;
    const std::string& g = f.F(1);
    size_t len = CharCount(g);
    auto code = [&](size_t i) { return cv::AlnumToneDigitCode(CharAt(g, i), "1"); };
    if (len >= 1) w.Set(0x20, code(0));
    if (len == 2) w.Set(0x21, code(1));
    if (len >= 3) {
        uint8_t b21 = CharAt(g, 1) == CharAt(g, 0) ? 14 : code(1);
        w.Set(0x21, b21);
        std::string last = CharAt(g, len - 1);
        w.Set(0x22, last == CharAt(g, 1) && b21 != 14 ? 14 : code(len - 1));
    }
}

void EncodeSignalling(Fields& f) {
    auto& w = f.c.w;
    int lo = 8 * f.OFlag(7) + 4 * f.OFlag(32);
    int hi = (f.O(34) == "HIGH" ? 3 : 11) + 4 * f.FFlag(8);
    w.Set(0x25, static_cast<uint8_t>(16 * hi + lo));
    for (int a = 1; a <= 10; ++a) w.Put(0x27 + static_cast<size_t>(a), f.c.f.AreaPriorityCh[static_cast<size_t>(a)], "Priority channel");
    if (IsNumeric(f.F(3)))
        if (auto v = w.Int(f.F(3), kFarmNames[3])) w.Put(0x50, *v, kFarmNames[3]);
    if (IsNumeric(f.F(7)))
        if (auto v = w.Int(f.F(7), kFarmNames[7])) w.Put(0x51, *v, kFarmNames[7]);
}

// MARNET ID (MARNET on) or own ID, two digits a byte, first digit low.
void EncodePackedId(Fields& f) {
    auto& w = f.c.w;
    if (f.FFlag(5) == 1) {
        std::string s = InsertRepeatTone(f.F(6));
        bool ok = s.size() == 5;
        for (char ch : s) ok = ok && ((ch >= '0' && ch <= '9') || ch == 'R');
        if (!ok) {
            w.Fail(kFarmNames[6], 0, "MARNET ID \"" + f.F(6) + "\" must be 5 tone digits.");
            return;
        }
        auto digit = [&](size_t i) { return i < s.size() ? (s[i] == 'R' ? 14 : s[i] - '0') : 0; };
        for (size_t k = 0; k < 3; ++k) {
            int lo = digit(2 * k), hi = k < 2 ? digit(2 * k + 1) : 0;
            w.Set(0x83 + k, static_cast<uint8_t>(16 * hi + lo));
        }
        return;
    }
    size_t n = std::min<size_t>(CharCount(f.T(0)), 5);
    for (size_t i = 1; i <= n; ++i) {
        uint8_t code = w.At(0x61 + i);
        if (i % 2 == 1) {
            w.Set(0x82 + (i + 1) / 2, code);
        } else {
            size_t at = 0x82 + i / 2;
            if (!w.Put(at, w.At(at) + 16 * (code & 0x0F), kToneNames[0]))
                return;
        }
    }
}

void EncodeCopiesAndLabel(Fields& f) {
    auto& w = f.c.w;
    const size_t from[] = {0x20, 0x21, 0x22, 0x1E, 0x1F};
    for (size_t k = 0; k < 5; ++k) w.Set(0x69 + k, w.At(from[k]));
    w.Set(0x6F, f.O(33) == "VOLUME" ? 0xEC : 0);
    w.Set(0x81, w.At(0x67));
    w.Set(0x82, w.At(0x68));
    const char* label = f.F(5) == "1" ? "MARNET BASE     " : "OWN ID          ";
    for (size_t k = 0; k < layout::kDisplayLabelSize; ++k) w.Set(layout::kDisplayLabel + k, static_cast<uint8_t>(label[k]));
}

} // namespace

const char* OptionFieldName(int n) { return n >= 0 && n < 39 ? kOptionNames[static_cast<size_t>(n)] : ""; }
const char* ToneFieldName(int n) { return n >= 0 && n < 6 ? kToneNames[static_cast<size_t>(n)] : ""; }
const char* FarmFieldName(int n) { return n >= 0 && n < 10 ? kFarmNames[static_cast<size_t>(n)] : ""; }

void EncodeOptionArea(EncodeContext& c) {
    Fields f{c};
    EncodeFlagsByte(f);
    EncodeLevelsAndShape(f);
    EncodeOwnId(f);
    EncodeTimes(f);
    EncodeSecondReceiver(f);
    EncodeGroupId(f);
    EncodeSignalling(f);
    EncodePackedId(f);
    EncodeCopiesAndLabel(f);
}

void EncodeKeyTable(EncodeContext& c) {
    Fields f{c};
    auto& w = c.w;
    w.Set(layout::kKeyTable, f.O(22) == "0" ? 3 : 0);
    w.IntIn(f.O(22), 0, 1, kOptionNames[22]);
    f.PutO(layout::kKeyTable + 1, 23);
    for (int k = 0; k < 4; ++k) {
        int fn = 14 + 2 * k;
        size_t at = layout::kKeyTable + 2 + 2 * static_cast<size_t>(k);
        auto index = w.IntIn(f.O(fn), 0, 7, kOptionNames[static_cast<size_t>(fn)]);
        if (!index) continue;
        w.Set(at, cv::KeyFuncCodeFromIndex(static_cast<int>(*index)));
        if (*index == 3)
            w.Set(at + 1, 0);
        else
            f.PutO(at + 1, fn + 1);
    }
}

void EncodeIdSuffix(EncodeContext& c) {
    auto& w = c.w;
    w.Set(layout::kIdSuffix, 'I');
    w.Set(layout::kIdSuffix + 1, 'D');
    w.Set(layout::kIdSuffix + 2, ':');
    const std::string& pos = c.f.FarmFields[2];
    if (CharCount(pos) >= 2) w.PutText(layout::kIdSuffix + 3, CharAt(pos, 0) + CharAt(pos, 1), 2, kFarmNames[2]);
}

void EncodeManualSetup(EncodeContext& c) {
    c.w.Set(layout::kManualSetup, c.d.Setup3C00);
    c.w.Set(layout::kManualSetup + 1, c.d.Setup3C01);
    c.w.Set(layout::kManualSetup + 2, c.d.Setup3C02);
}

} // namespace vt
