#pragma once
// Applies the stored FARMCALL/MARNET settings to the option record, the channel grid and the
// 5-tone list lines 98 to 100.
#include "editor/dataset/GridRules.h"

#include <string>
#include <vector>

namespace vt {

struct EditorData;

// The 5-tone list lines the settings write: the two FARMCALL lines and the MARNET base line.
inline constexpr int kFarmcallLine1 = 98;
inline constexpr int kFarmcallLine2 = 99;
inline constexpr int kMarnetBaseLine = 100;

// The FARMCALL call text and code of a group ID and position (a one-digit position is padded).
std::string FarmCallText(const std::string& groupId, const std::string& position);
std::string FarmCallCode(const std::string& groupId, const std::string& position);

// The 5-tone list is written through its working copy, which the 5-tone dialog shows next
// and which reaches FiveToneChannels only by that dialog's OK. The grid rules it runs tell the
// data set's listener what they changed. Returns the channels the grid lost (FitGridToRecords).
std::vector<DroppedChannel> UpdateFarmInfo(EditorData& d);

} // namespace vt
