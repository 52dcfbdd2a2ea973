#pragma once
// What the 5-tone dialog may change while it is open (its Clear and the special calls act at
// once), taken when it opens so that Cancel can put everything back.
#include "editor/dataset/EditorData.h"

namespace vt {

class FiveToneSnapshot {
public:
    explicit FiveToneSnapshot(const EditorData& d);
    // Restores the records and the channel grid cells as they were.
    void Restore(EditorData& d) const;

private:
    std::string fiveToneInfo_;
    ToneLines channels_;
    SpecialLines special_;
    std::string farmMarnetInfo_;
    GridStore grid_;
};

} // namespace vt
