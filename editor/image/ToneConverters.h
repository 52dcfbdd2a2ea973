#pragma once
// Conversions between the channel cells' tone, CT DEV and power texts, the key options and
// the radio's numbers.
#include "editor/image/ConversionTables.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vt {

// The standard tone less than 0.2 Hz from the value, else 0.
double SnapToneToList(double hz);
// Index 0..50 of the nearest standard tone (the boundary between 146.2 and 151.4 Hz is
// 150.0 Hz; a value on a boundary goes up); -1 outside 67.0..259.1 Hz or not numeric.
int CtcssToneIndex(std::string_view toneText);
// Index 0..8 of the nearest CT DEV step; -1 outside 100..500 or not numeric.
int CtDevIndex(std::string_view devText);
// DevByte of a DCS channel: 5 for 100, 6 up to 120, one more per 20 up to 25 for 481..500,
// 15 when not numeric or above 500. (Also known as CtDevByte.)
uint8_t DevByteFromCtDev(std::string_view devText);
// The CT DEV text a DevByte reads back as: the step that gives it (15 is "300", the step of a
// blank text), else the top of its range of 20 (6 is "120", 21 is "420"); nothing for a byte
// DevByteFromCtDev never gives.
std::optional<int> CtDevFromDevByte(uint8_t b);

// The power table's byte for a level 1..50 of a band 0..7; nothing outside those ranges.
std::optional<uint8_t> PowerByteFromIndex(const ConversionTables& tables, int band, int level);
// The lowest level 1..50 whose byte in the band's row equals the byte; 50 when none does
// (and for a band outside 0..7).
int PowerIndexFromByte(const ConversionTables& tables, int band, uint8_t b);

// A key's parameter byte read from the image: 0 and values above 100 become 1.
int ClampLevel(uint8_t b);

// Function index of a programmable key <-> the radio's function code byte.
uint8_t KeyFuncCodeFromIndex(int index);
int KeyFuncIndexFromCode(uint8_t code, uint8_t parameter);

} // namespace vt
