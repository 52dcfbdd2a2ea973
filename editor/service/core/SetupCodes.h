#pragma once
// The one-byte command codes of the setup window's command panel, kept as hex text as the
// panel has always held them, and their conversion to bytes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// Index of a code within a setup type's set.
enum SetupCodeIndex { CodeTransmit = 0, CodeUp = 1, CodeDown = 2, CodeClose = 3 };

using SetupCodeSet = std::array<std::string, 4>;

// The codes of setup type 0, 1 or 2; any other type gets the codes of type 0.
SetupCodeSet SetupCodesFor(int setupType);

// 0..15 for "0"-"9", "a"-"f", "A"-"F"; -1 for anything else.
int ConvertHexChr(char c);

// Blanks are skipped; each further pair of hex digits is one byte, high digit first. The first
// character that is not a hex digit ends the conversion, and an unpaired last digit is dropped.
std::vector<uint8_t> strHexToByteArray(std::string_view text);

} // namespace vt
