#pragma once
// Texts the decoder makes from image bytes.
#include <cstdint>
#include <string>
#include <string_view>

namespace vt {

inline uint8_t HiNibble(uint8_t b) { return static_cast<uint8_t>((b & 0xF0) >> 4); }
inline uint8_t LoNibble(uint8_t b) { return static_cast<uint8_t>(b & 0x0F); }

// Decimal text of a number without spaces, as short as it stays exact to 15 digits ("5", "5.5").
std::string NumText(double value);
// The character of one Windows-1252 byte, as UTF-8.
std::string ByteChar(uint8_t b);
// A fixed-width name field: zero bytes read as spaces, then spaces are trimmed at both ends.
std::string NameText(const uint8_t* bytes, size_t n);
// A name field as the image holds it, a zero byte shown as "\0", without the spaces that pad it.
std::string MarkedName(const uint8_t* bytes, size_t n);
// Upper-case hexadecimal digits of value, at least width of them ("0A3F"); HexByte gives "0x0A".
std::string HexDigits(size_t value, int width);
std::string HexByte(uint8_t b);
// Text bound for a "|"-joined settings string: a "|" read from the image would add a field, so it
// becomes a space.
std::string FieldText(std::string text);
// Number of characters of UTF-8 text.
size_t CharCount(std::string_view utf8);
// Character i (from 0) of UTF-8 text, or "" past its end.
std::string CharAt(std::string_view utf8, size_t i);

} // namespace vt
