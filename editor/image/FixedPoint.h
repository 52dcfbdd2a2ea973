#pragma once
// Decimal texts as exact scaled integers, so that frequency arithmetic never loses a raster
// step to binary rounding ("145.1250" MHz is exactly 1451250 units of 100 Hz).
#include <optional>
#include <string_view>

namespace vt {

// The value of numeric text (the IsNumeric grammar) times 10^decimals, rounded to the nearest
// whole number with halves to even, computed on the decimal digits. Every result that fits a
// signed 64-bit number is given (-9223372036854775808 included); nothing when the text is not
// numeric or the result does not fit.
std::optional<long long> ToScaled(std::string_view text, int decimals);

// Whole-number quotient num / den (den > 0) rounded half to even.
long long DivRoundHalfEven(long long num, long long den);

} // namespace vt
