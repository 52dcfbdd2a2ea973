#pragma once
// Channel frequencies as the radio's 16-bit words, and the step codes of the special calls.
// Words come as {high byte, low byte}; the image code decides the byte order in memory.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

using WordBytes = std::array<uint8_t, 2>; // [0] high, [1] low

// Tx synthesizer word: 16 per 100 kHz, 8 for the part below. Empty text gives {0, 0}; text
// that is not a number, a negative frequency or a word above 65535 (409.6 MHz and up) gives
// nothing.
std::optional<WordBytes> FreqToPll(std::string_view mhz);
// Rx word, kRxWordOffset above the Tx word's scale (words above 65535 from about 388.2 MHz up).
std::optional<WordBytes> FreqToPllIf(std::string_view mhz);
inline constexpr int kRxWordOffset = 214; // 100 kHz steps: 21.4 MHz
// 12.5 kHz steps above 10.7 MHz, rounded down. Empty gives {0, 0}; below 10.7 MHz or above
// 829.8875 MHz gives nothing.
std::optional<WordBytes> FreqToWord(std::string_view mhz);
// The frequency in MHz of such a word (the second receiver's), back from FreqToWord.
double WordToFreq(int word);

// Back from the words: the Tx Freq or Rx Freq text of a PLL word (offset 0 for FreqToPll's,
// kRxWordOffset for FreqToPllIf's); nothing below the lowest band.
std::optional<std::string> PllText(int word, double offset);
// Rx Freq text of the second-receiver row for its FreqToWord word; none for 0.
std::string SecondReceiverRxText(int word);

// Step code of an index text "0".."15": empty text gives 0; other text or indexes give nothing.
std::optional<uint8_t> StepCodeByte(std::string_view indexText);
// Index of a step code; a byte that is no step code gives 0.
int StepCodeIndex(uint8_t code);

} // namespace vt
