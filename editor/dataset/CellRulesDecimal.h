#pragma once
// Exact decimal reading of numeric text, so range tests and rasters never suffer from binary
// rounding: "145.1125" is exactly 1451125 units of 100 Hz, not 1451124.999...
#include <optional>
#include <string_view>

namespace vt {

// |value| x 10^scale split into its whole part and what lies below it.
struct ScaledDecimal {
    bool Negative = false;  // a minus sign with a non-zero value
    bool Huge = false;      // too large for Units; beyond every range the editors check
    long long Units = 0;    // the whole part, truncated toward zero
    bool Remainder = false; // something non-zero lies below Units
    int FirstDropped = 0;   // first digit below Units (for rounding)
};

// Nothing when the text is not numeric (IsNumeric's grammar). scale is 0 to 6.
std::optional<ScaledDecimal> ScaleDecimal(std::string_view text, int scale);

// The value compared with whole units at the same scale: -1 below, 0 equal, 1 above.
int CompareScaled(const ScaledDecimal& v, long long units);

} // namespace vt
