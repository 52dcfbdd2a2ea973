#include "editor/dataset/EditorData.h"

#include "editor/dataset/GridRules.h"

namespace vt {

EditorData::EditorData() {
    AllArray.assign(207, std::vector<std::string>(19));
    ScanChoices = {"NO", "T", "S", "P", "TS", "TP"};
    // A new data set is the freshly started editor's: the full grid of 202 rows.
    BuildGrid(*this);
    ResetSettings();
    for (auto& line : SpecialData)
        for (auto& f : line) f.clear();
}

void EditorData::ResetSettings() {
    for (int i = 1; i <= kMaxAreas; ++i) AreaNames[i] = std::to_string(i);
    FiveToneInfo = kDefaultFiveToneInfo;
    for (int n = 1; n <= kToneLines; ++n) FiveToneChannels[n] = kEmptyToneLine;
    FarmMarnetInfo = kDefaultFarmMarnetInfo;
}

} // namespace vt
