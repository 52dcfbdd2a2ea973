#include "editor/image/ToneCodes.h"

#include "common/TextUtil.h"

namespace vt {
namespace {

constexpr ToneCodeTable kStandard{{
    {156, 26, 88, 86, 84, 82, 16, 142, 77, 139, 10, 73, 135, 6, 5, 4, 10, 10},        // EXTEND
    {132, 154, 23, 84, 81, 14, 12, 74, 72, 6, 66, 130, 159, 246, 3, 94, 3, 66},       // ZVEI1
    {132, 154, 23, 84, 81, 14, 12, 74, 72, 6, 34, 130, 159, 246, 30, 94, 30, 34},     // ZVEI2
    {132, 154, 23, 84, 81, 14, 12, 74, 72, 6, 30, 130, 159, 246, 3, 94, 3, 30},       // DZVEI
    {8, 24, 86, 84, 82, 80, 14, 140, 75, 137, 154, 130, 159, 246, 71, 94, 71, 154},   // EEA
    {8, 24, 86, 84, 82, 80, 14, 140, 75, 137, 132, 130, 159, 246, 71, 94, 71, 132},   // CCIR
}};

constexpr int kSlotB = 11, kSlotC = 12, kSlotD = 13, kSlotF = 15;

constexpr ToneCodeTable MakePatched() {
    ToneCodeTable t = kStandard;
    constexpr uint8_t patch[5][4] = {{74, 0, 114, 93}, {74, 0, 57, 42}, {74, 0, 47, 93},
                                     {104, 0, 12, 119}, {104, 0, 12, 119}};
    for (int s = 1; s < kToneStandards; ++s) {
        t[s][kSlotB] = patch[s - 1][0];
        t[s][kSlotC] = patch[s - 1][1];
        t[s][kSlotD] = patch[s - 1][2];
        t[s][kSlotF] = patch[s - 1][3];
    }
    return t;
}

constexpr ToneCodeTable kPatched = MakePatched();

bool IsHexLetter(char c) { return c >= 'A' && c <= 'F'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Digit-number code of one character of a string; "G" is handled by the caller.
uint8_t DigitNumber(char c, bool extend) {
    if (IsDigit(c)) return static_cast<uint8_t>(c - '0');
    if (IsHexLetter(c)) return static_cast<uint8_t>(10 + c - 'A');
    if (c == 'R') return extend ? 10 : 14;
    return 0;
}

} // namespace

const ToneCodeTable& ToneCodeTbl(int mode) { return mode == 1 ? kPatched : kStandard; }

std::optional<uint8_t> ToneCharToCode(std::string_view ch, std::string_view standardIndex, int mode) {
    long long s = 0;
    if (IsNumeric(standardIndex)) {
        auto v = ToWhole(standardIndex);
        if (!v || *v < 0 || *v >= kToneStandards) return std::nullopt;
        s = *v;
    }
    int slot = -1;
    if (ch == "R") slot = 16;
    else if (ch == "G") slot = 17;
    else if (!ch.empty() && IsDigit(ch[0])) slot = ch[0] - '0';
    else if (!ch.empty() && IsHexLetter(ch[0])) slot = 10 + ch[0] - 'A';
    if (slot < 0) return 132;
    return ToneCodeTbl(mode)[static_cast<size_t>(s)][static_cast<size_t>(slot)];
}

int ToneDigitToCode(std::string_view ch) {
    if (ch.size() != 1) return 0;
    char c = ch[0];
    if (c == 'R' || c == 'G') return 10;
    if (IsDigit(c)) return kStandard[0][static_cast<size_t>(c - '0')];
    if (IsHexLetter(c)) return kStandard[0][static_cast<size_t>(10 + c - 'A')];
    return 0;
}

uint8_t HexToneDigitCode(std::string_view ch, std::string_view standardName) {
    const bool extend = standardName == "EXTEND";
    if (ch == "R") return extend ? 10 : 14;
    if (ch == "G") return extend ? 15 : 10;
    if (ch.empty() || !(IsDigit(ch[0]) || IsHexLetter(ch[0]))) return 0;
    return DigitNumber(ch[0], extend);
}

uint8_t AlnumToneDigitCode(std::string_view ch, std::string_view standardIndex) {
    const bool extend = standardIndex == "0";
    if (ch == "R") return extend ? 10 : 14;
    if (ch == "G") return extend ? 15 : 10;
    if (ch.empty() || !(IsDigit(ch[0]) || IsLetter(ch[0]))) return 0;
    return static_cast<uint8_t>(ch[0] - 48);
}

std::array<uint8_t, 6> ToneStringToCodes(std::string_view digits, std::string_view standardName, uint8_t extra,
                                         int mode) {
    const bool extend = standardName == "EXTEND";
    auto code = [&](size_t pos) -> uint8_t { // pos from 1; past the end gives 0
        if (pos > digits.size()) return 0;
        char c = digits[pos - 1];
        if (c == 'G') return mode == 0 ? (extend ? 15 : 10) : 0;
        return DigitNumber(c, extend);
    };
    std::array<uint8_t, 6> out{};
    if (mode == 0) {
        out[0] = extra;
        for (size_t i = 1; i < 6; ++i) out[i] = code(i);
    } else if (mode == 1) {
        for (size_t i = 0; i < 5; ++i) out[i] = code(i + 1);
        out[5] = extra;
    } else {
        for (size_t i = 0; i < 6; ++i) out[i] = code(i + 1);
    }
    return out;
}

std::string CodesToToneString(std::span<const uint8_t> codes) {
    std::string out;
    for (uint8_t c : codes) {
        if (c <= 9) out += static_cast<char>('0' + c);
        else if ((c >= 17 && c <= 42) || (c >= 49 && c <= 74)) out += static_cast<char>(c + 48);
        else if (c == 14) {
            if (!out.empty()) out += out.back();
        } else if (c == 10) out += 'G';
    }
    return out;
}

std::string BytesToToneString(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t repeatCode) {
    std::string out;
    for (uint8_t b : {b1, b2, b3}) {
        for (uint8_t n : {static_cast<uint8_t>(b & 0x0F), static_cast<uint8_t>((b & 0xF0) >> 4)}) {
            if (n <= 9) out += static_cast<char>('0' + n);
            else if (n == repeatCode) out += 'R';
        }
    }
    return out.substr(0, 5);
}

std::string NibbleToHexChar(uint8_t n) {
    if (n <= 9) return std::string(1, static_cast<char>('0' + n));
    if (n <= 15) return std::string(1, static_cast<char>('A' + n - 10));
    return {};
}

} // namespace vt
