#pragma once
// The radio's bands 0..7, in the order of the Band menu, the power table's rows and the voltage
// tables: their edges in whole MHz, both edges inside the band.
#include <array>
#include <string>

namespace vt {

inline constexpr int kBandCount = 8;
inline constexpr std::array<std::array<int, 2>, kBandCount> kBandEdges{
    {{32, 49}, {53, 60}, {66, 88}, {135, 175}, {220, 260}, {350, 390}, {400, 490}, {470, 520}}};
// The band a New data set starts in.
inline constexpr int kDefaultBand = 1;

// "53 -- 60 MHz"; empty for a number that names no band.
std::string BandRange(int band);

} // namespace vt
