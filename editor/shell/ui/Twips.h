#pragma once
// The window layout is given in twips; the screen works in pixels.
#include "common/ui/WidgetBuild.h"

namespace vt {

using ui::kTwipsPerPixel;
// The main window rounds to the nearest pixel (the dialogs drop the part pixel: ui::Px).
inline constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
// Two lines of help text under the grid.
inline constexpr int kTipHeightTwips = 600;

} // namespace vt
