#pragma once
// The window layout is given in twips; the screen works in pixels.
namespace vt {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
// Two lines of help text under the grid.
inline constexpr int kTipHeightTwips = 600;

} // namespace vt
