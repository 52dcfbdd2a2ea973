#pragma once
// The field converters as the image code calls them: one place that adapts the shared
// converters to the codec's argument and result types.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vt {
class ConversionTables;
class VoltageTables;
}

namespace vt::cv {

// Two-byte words as (high byte, low byte); nothing when the text has no word.
using Word = std::array<uint8_t, 2>;
std::optional<Word> FreqToWord(const std::string& mhz);
std::optional<Word> FreqToPll(const std::string& mhz);
std::optional<Word> FreqToPllIf(const std::string& mhz);

uint8_t VoltageByteB(const VoltageTables* v, int band, const std::string& mhzOrNull);
uint8_t VoltageByteA(const VoltageTables* v, int band, const std::string& mhzOrNull);
std::optional<uint8_t> PowerByteFromIndex(const ConversionTables& t, int band, int level);
int PowerIndexFromByte(const ConversionTables& t, int band, uint8_t b);

int CtcssToneIndex(const std::string& hz);
int CtDevIndex(const std::string& dev);
uint8_t DevByteFromCtDev(const std::string& dev);
std::optional<int> CtDevFromDevByte(uint8_t b);
// A standard tone within 0.2 Hz of the value, or nothing.
std::optional<double> SnapToneToList(double hz);
// Position 0..103 of a DCS code text, -1 when absent.
int DcsIndex(const std::string& code);

uint8_t KeyFuncCodeFromIndex(int index);
int KeyFuncIndexFromCode(uint8_t code, uint8_t param);
uint8_t ClampLevel(uint8_t b);

uint8_t ToneCharToCode(const std::string& ch, const std::string& toneSet, int mode);
uint8_t HexToneDigitCode(const std::string& ch, const std::string& toneSetName);
uint8_t AlnumToneDigitCode(const std::string& ch, const std::string& toneSetIndex);
// Elements 1..6 used.
std::array<int, 7> ToneStringToCodes(const std::string& digits, const std::string& toneSetName, int filler, int mode);
int ToneDigitToCode(const std::string& ch);
std::optional<uint8_t> StepCodeByte(const std::string& number);
int StepCodeIndex(uint8_t b);
std::string NibbleToHexChar(uint8_t nibble);
std::string CodesToToneString(const std::vector<uint8_t>& codes);
std::string BytesToToneString(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t repeatCode);

} // namespace vt::cv
