#pragma once
// Tells the user which channels a confirmed dialog took off the channel grid.
#include "editor/dataset/GridRules.h"

#include <vector>

class QWidget;

namespace vt {

struct EditorData;

// One box listing them; nothing when none went.
void ShowDroppedChannels(const EditorData& d, const std::vector<DroppedChannel>& dropped, QWidget* parent);

} // namespace vt
