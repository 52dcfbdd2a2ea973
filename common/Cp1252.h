#pragma once
// Text is UTF-8 in memory and one Windows-1252 byte per character in the radio image.
#include <optional>
#include <string>
#include <string_view>

namespace vt {

// One byte per character; nothing when a character has no Windows-1252 byte (or the UTF-8 is
// malformed), with *bad set to the first such code point (0xFFFD for malformed input).
std::optional<std::string> Utf8ToCp1252(std::string_view utf8, char32_t* bad = nullptr);
// Every byte maps to a character; the five undefined bytes map to their C1 control points.
std::string Cp1252ToUtf8(std::string_view bytes);
// True when every character of the UTF-8 text has a Windows-1252 byte.
bool FitsCp1252(std::string_view utf8);
// The first character that a name cannot hold: one without a Windows-1252 byte (0xFFFD for
// malformed UTF-8) or a control character (below 0x20, or DEL); nothing when the name is fine.
std::optional<char32_t> NameRefusal(std::string_view utf8);
// A character as a message shows it: itself, or "U+0009" for a control character.
std::string CharForMessage(char32_t cp);
// Number of characters (code points) of UTF-8 text.
size_t Utf8Length(std::string_view utf8);

} // namespace vt
