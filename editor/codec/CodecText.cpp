#include "editor/codec/CodecText.h"

#include "common/Cp1252.h"
#include "common/TextUtil.h"

#include <cmath>
#include <cstdio>

namespace vt {

std::string NumText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15) return IntText(static_cast<long long>(value));
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

std::string ByteChar(uint8_t b) { return Cp1252ToUtf8(std::string(1, static_cast<char>(b))); }

std::string NameText(const uint8_t* bytes, size_t n) {
    std::string raw;
    for (size_t i = 0; i < n; ++i) raw += bytes[i] == 0 ? ' ' : static_cast<char>(bytes[i]);
    return Cp1252ToUtf8(Trim(raw));
}

std::string MarkedName(const uint8_t* bytes, size_t n) {
    while (n > 0 && bytes[n - 1] == ' ') --n;
    std::string s;
    for (size_t k = 0; k < n; ++k) s += bytes[k] == 0 ? std::string("\\0") : ByteChar(bytes[k]);
    return s;
}

std::string HexDigits(size_t value, int width) {
    char s[24];
    std::snprintf(s, sizeof s, "%0*zX", width, value);
    return s;
}

std::string HexByte(uint8_t b) { return "0x" + HexDigits(b, 2); }

std::string FieldText(std::string text) {
    for (char& ch : text)
        if (ch == '|') ch = ' ';
    return text;
}

size_t CharCount(std::string_view utf8) { return Utf8Length(utf8); }

std::string CharAt(std::string_view utf8, size_t i) {
    size_t pos = 0, index = 0;
    while (pos < utf8.size()) {
        size_t len = 1;
        auto c = static_cast<unsigned char>(utf8[pos]);
        if (c >= 0xF0) len = 4;
        else if (c >= 0xE0) len = 3;
        else if (c >= 0xC0) len = 2;
        if (index == i) return std::string(utf8.substr(pos, len));
        pos += len;
        ++index;
    }
    return std::string();
}

} // namespace vt
