#include "common/Cp1252.h"

#include <cstdint>
#include <cstdio>

namespace vt {

namespace {
// Code points of bytes 0x80..0x9F; 0 marks the five undefined bytes (kept as C1 controls).
constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ByteToCodePoint(uint8_t b) {
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) return kHigh[b - 0x80];
    return b;
}

std::optional<uint8_t> CodePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<uint8_t>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == cp) return static_cast<uint8_t>(0x80 + i);
        if (kHigh[i] == 0 && cp == static_cast<char32_t>(0x80 + i)) return static_cast<uint8_t>(cp);
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one code point at i; 0xFFFD and one byte consumed on malformed input. Overlong forms,
// surrogates and points past U+10FFFF are malformed: an overlong C0 80 would otherwise smuggle
// a NUL (or a "|", which splits records) past every check made on the decoded text.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    uint8_t c = static_cast<uint8_t>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k <= extra; ++k) {
        uint8_t cc = static_cast<uint8_t>(s[i + k]);
        if ((cc & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    constexpr char32_t kShortest[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kShortest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += extra + 1;
    return cp;
}
} // namespace

std::optional<std::string> Utf8ToCp1252(std::string_view utf8, char32_t* bad) {
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = NextCodePoint(utf8, i);
        auto b = cp == 0xFFFD ? std::nullopt : CodePointToByte(cp);
        if (!b) {
            if (bad) *bad = cp;
            return std::nullopt;
        }
        out += static_cast<char>(*b);
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    for (char ch : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<uint8_t>(ch)));
    return out;
}

bool FitsCp1252(std::string_view utf8) { return Utf8ToCp1252(utf8).has_value(); }

std::optional<char32_t> NameRefusal(std::string_view utf8) {
    char32_t bad = 0;
    if (!Utf8ToCp1252(utf8, &bad)) return bad;
    for (char ch : utf8)
        if (static_cast<uint8_t>(ch) < 0x20 || ch == 0x7F) return static_cast<char32_t>(static_cast<uint8_t>(ch));
    return std::nullopt;
}

std::string CharForMessage(char32_t cp) {
    if (cp < 0x20 || cp == 0x7F) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
        return buf;
    }
    std::string out;
    AppendUtf8(out, cp);
    return out;
}

size_t Utf8Length(std::string_view utf8) {
    size_t n = 0, i = 0;
    while (i < utf8.size()) {
        NextCodePoint(utf8, i);
        ++n;
    }
    return n;
}

} // namespace vt
