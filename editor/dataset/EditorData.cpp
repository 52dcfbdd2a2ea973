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

void EditorData::SetModified(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    if (listener_.l) listener_.l->ModifiedChanged(modified);
}

void EditorData::SetRadioOption(const std::string& record) {
    if (RadioOption == record) return;
    RadioOption = record;
    MarkModified();
}

void EditorData::SetAreaName(int area, const std::string& name) {
    if (area < 1 || area > kMaxAreas) return;
    std::string& stored = AreaNames[static_cast<size_t>(area)];
    if (stored == name) return;
    stored = name;
    MarkModified();
}

void EditorData::BeginReplace() {
    ++replacing_;
    MFG.beginBatch();
}

void EditorData::EndReplace() {
    if (replacing_ == 0) return;
    const bool outermost = --replacing_ == 0;
    // A replaced data set is shown anew even where a cell happens to hold the same text.
    if (outermost) MFG.ReportReset();
    MFG.endBatch();
    if (outermost && listener_.l) listener_.l->DataSetReplaced();
}

} // namespace vt
