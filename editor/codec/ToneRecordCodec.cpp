#include "editor/codec/ToneRecordCodec.h"

#include "editor/codec/CodecContext.h"
#include "editor/codec/CodecConverters.h"
#include "editor/codec/CodecText.h"
#include "editor/codec/ImageLayout.h"

#include "common/TextUtil.h"

#include <algorithm>

namespace vt {

namespace {

constexpr std::array<const char*, 6> kStandards{"EXTEND", "ZVEI1", "ZVEI2", "DZVEI", "EEA", "CCIR"};

int StandardCode(const std::string& name) {
    for (size_t i = 0; i < kStandards.size(); ++i)
        if (name == kStandards[i]) return static_cast<int>(i) + 1;
    return 2;
}

std::string StandardName(int code) { return code >= 1 && code <= 6 ? kStandards[static_cast<size_t>(code - 1)] : "ZVEI1"; }

std::string LineField(int n) { return "5-tone line " + std::to_string(n); }

bool IsPlainCall(const EditorData& d, int n) {
    return d.SpecialData()[n][1] == "0" && d.SpecialData()[n][2] != "8";
}

// The low bits of the count byte for each kind of special call.
int KindConstant(const EditorData& d, int n) {
    const std::string& k = d.SpecialData()[n][1];
    if (k == "1" || k == "6") return 6;
    if (k == "3" || k == "2") return 8;
    if (k == "5") return 4;
    if (k == "10" || k == "8" || k == "0") return 5;
    return 0;
}

void EncodeChannel(EncodeContext& c, int n, size_t rec, const std::vector<std::string>& f) {
    if (f[3] == "CURRENT") {
        c.w.Set(rec, 0);
    } else if (IsNumeric(f[3])) {
        if (auto v = c.w.IntIn(f[3], 0, 255, LineField(n) + " channel")) c.w.Set(rec, static_cast<uint8_t>(*v));
    }
}

void EncodeKindAndCount(EncodeContext& c, int n, size_t rec, const std::vector<std::string>& f) {
    const std::string& kindText = c.d.SpecialData()[n][1];
    int kind = 15;
    if (!kindText.empty()) {
        auto k = c.w.IntIn(kindText, 0, 15, LineField(n) + " kind");
        kind = static_cast<int>(k.value_or(15));
    }
    c.w.Set(rec + 1, static_cast<uint8_t>(kind * 16 + StandardCode(f[1])));

    int high = c.w.At(rec + 2) & 0xE0;
    if (!f[4].empty())
        if (auto t = c.w.IntIn(f[4], 0, 7, LineField(n) + " tries")) high = static_cast<int>(*t) * 32;
    int count = 0;
    if (!kindText.empty()) {
        if (IsPlainCall(c.d, n)) {
            count = static_cast<int>(CharCount(f[0])) - 5;
            if (count > 20) c.w.Fail(LineField(n), 0, LineField(n) + ": a call holds at most 20 digits.");
        } else {
            count = KindConstant(c.d, n);
        }
    }
    c.w.Set(rec + 2, static_cast<uint8_t>(high | std::clamp(count, 0, 31)));
}

void EncodeDigits(EncodeContext& c, int n, size_t rec, const std::vector<std::string>& f) {
    if (!IsPlainCall(c.d, n)) return;
    std::string digits;
    for (size_t i = 5; i < CharCount(f[0]); ++i) digits += CharAt(f[0], i);
    if (CharCount(digits) > 20) return; // reported with the count
    std::vector<std::string> ch;
    for (size_t i = 0; i < CharCount(digits); ++i) ch.push_back(CharAt(digits, i));
    if (ch.size() % 2) ch.push_back("0");
    for (size_t k = 0; k < ch.size() / 2; ++k) {
        int lo = cv::HexToneDigitCode(ch[2 * k], f[1]) & 0x0F, hi = cv::HexToneDigitCode(ch[2 * k + 1], f[1]) & 0x0F;
        c.w.Set(rec + 3 + k, static_cast<uint8_t>(hi * 16 + lo));
    }
}

void EncodeIdentification(EncodeContext& c, int n, size_t rec, const std::vector<std::string>& f) {
    if (f[2].empty()) return;
    if (CharCount(f[2]) > layout::tone::IdentificationSize) {
        c.w.Fail(LineField(n), 0, LineField(n) + ": the identification \"" + f[2] + "\" is longer than 16 characters.");
        return;
    }
    for (size_t k = 0; k < layout::tone::IdentificationSize; ++k) c.w.Set(rec + layout::tone::Identification + k, 0x20);
    c.w.PutText(rec + layout::tone::Identification, f[2], layout::tone::IdentificationSize, LineField(n) + " identification");
}

} // namespace

std::optional<std::vector<std::string>> ToneLineFields(const std::string& line) {
    auto f = Split(line);
    if (f.size() != 6) return std::nullopt;
    return f;
}

void PackCodes(EncodeContext& c, size_t at, const std::array<int, 7>& codes) {
    for (size_t k = 0; k < 3; ++k)
        c.w.Set(at + k, static_cast<uint8_t>((codes[2 * k + 2] & 0x0F) * 16 + (codes[2 * k + 1] & 0x0F)));
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
    auto idx = ToWhole(c.f.ToneFields[1]);
    if (idx && *idx >= 0 && *idx <= 5) c.w.Set(layout::kToneSetByte, static_cast<uint8_t>(*idx + 1));
}

void EncodeEmergencyTable(EncodeContext& c) {
    for (size_t e = 0; e < 10; ++e) {
        c.w.Set(layout::kEmergencyTable + 2 * e, 0);
        c.w.Set(layout::kEmergencyTable + 2 * e + 1, c.w.At(layout::kToneSetByte));
    }
    for (int n = 1; n <= kToneLines; ++n) {
        auto f = ToneLineFields(c.d.FiveToneChannels()[n]);
        if (!f || !IsNumeric((*f)[5])) continue;
        auto e = c.w.IntIn((*f)[5], 1, 10, LineField(n) + " emergency number");
        if (!e) continue;
        size_t at = layout::kEmergencyTable + 2 * static_cast<size_t>(*e - 1);
        c.w.Set(at, static_cast<uint8_t>(n));
        c.w.Set(at + 1, 1);
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
    for (int e = 1; e <= 10; ++e) {
        size_t at = layout::kEmergencyTable + 2 * static_cast<size_t>(e - 1);
        int n = c.At(at + 1) == 1 ? c.At(at) : 0;
        if (n < 1 || n > kToneLines) continue;
        auto f = ToneLineFields(c.d.FiveToneChannels()[n]);
        if (!f) continue;
        (*f)[5] = IntText(e);
        c.d.SetFiveToneLine(n, Join(*f));
    }
}

void DecodeToneRecords(DecodeContext& c) {
    for (int n = 1; n <= kToneLines; ++n) {
        auto f = ToneLineFields(c.d.FiveToneChannels()[n]);
        if (!f) continue;
        SpecialLine sd = c.d.SpecialData()[static_cast<size_t>(n)];
        size_t rec = layout::ToneRecord(n);
        int ch = c.At(rec);
        (*f)[3] = ch >= 1 && ch <= 201 ? IntText(ch) : "CURRENT";
        (*f)[1] = StandardName(c.At(rec + 1) & 0x0F);
        sd[1] = IntText(c.At(rec + 1) >> 4);
        int tries = c.At(rec + 2) >> 5;
        (*f)[4] = IntText(tries == 0 ? 1 : tries);
        if (sd[1] == "0") {
            size_t count = std::min<size_t>(c.At(rec + 2) & 0x1F, 22);
            std::string digits = HexText(c, rec + 3, 11).substr(0, count);
            (*f)[0] = "CALL " + digits;
            uint8_t param = c.At(rec + 0x0E);
            if (param >= 0x80) {
                sd[2] = "8";
                sd[8] = IntText(param - 0x80);
                sd[10] = digits;
            }
        }
        (*f)[2] = Trim(FieldText(NameText(&c.img[rec + layout::tone::Identification], layout::tone::IdentificationSize)));
        c.d.SetSpecialLine(n, sd);
        DecodeSpecialCall(c, n, rec, *f);
        c.d.SetFiveToneLine(n, Join(*f));
    }
}

} // namespace vt
