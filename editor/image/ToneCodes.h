#pragma once
// 5-tone digits and their radio codes: the code table of the six signalling standards, the
// digit-number forms and the packed forms the decoder reads back.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vt {

inline constexpr int kToneStandards = 6; // 0 EXTEND, 1 ZVEI1, 2 ZVEI2, 3 DZVEI, 4 EEA, 5 CCIR
inline constexpr int kToneSlots = 18;    // "0".."9", "A".."F", "R", "G"
inline constexpr std::array<std::string_view, kToneStandards> kToneSetNames{"EXTEND", "ZVEI1", "ZVEI2",
                                                                           "DZVEI",  "EEA",   "CCIR"};

using ToneCodeTable = std::array<std::array<uint8_t, kToneSlots>, kToneStandards>;

// The tone code table (what InitToneCodeTbl fills) and the one the special calls use (after
// PatchToneCodeTbl). Both are constant: a lookup chooses a table instead of patching one.
// Mode 1 (special calls) selects the patched table, every other mode the standard one.
const ToneCodeTable& ToneCodeTbl(int mode);

// The code of a digit in a standard given as index text (text that is not a number counts as
// standard 0); characters outside the alphabet give 132. Nothing when the standard is not 0..5.
std::optional<uint8_t> ToneCharToCode(std::string_view ch, std::string_view standardIndex, int mode);

// EXTEND code of one digit; "R" and "G" give 10; anything else, or not one character, 0.
// (Also known as ExtendToneCode.)
int ToneDigitToCode(std::string_view ch);

// Digit numbers: "0".."9" 0..9, "A".."F" 10..15; "R" 10 and "G" 15 with EXTEND, 14 and 10 with
// the other standards; anything else 0.
uint8_t HexToneDigitCode(std::string_view ch, std::string_view standardName);
// Alphanumeric form: "0".."9", "A".."Z", "a".."z" give the character code minus 48; "R" and
// "G" as above, EXTEND being the index text "0".
uint8_t AlnumToneDigitCode(std::string_view ch, std::string_view standardIndex);

// Six digit-number codes of a digit string. Mode 0: extra, then characters 1..5 (where "G" is
// 15 with EXTEND and 10 otherwise); mode 1: characters 1..5, then extra; other modes:
// characters 1..6. "G" outside mode 0, unknown characters and positions past the end give 0.
std::array<uint8_t, 6> ToneStringToCodes(std::string_view digits, std::string_view standardName, uint8_t extra,
                                         int mode);

// Decoder side.
std::string CodesToToneString(std::span<const uint8_t> codes);
std::string BytesToToneString(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t repeatCode);
std::string NibbleToHexChar(uint8_t n);

} // namespace vt
