#include "editor/settings/core/AreaNameRules.h"

#include "editor/settings/core/RadioOptionRecord.h"

#include <algorithm>

namespace vt {

int AreaNameRows(const std::string& radioOption) {
    auto rec = RadioOptionRecord::Parse(radioOption);
    if (!rec) return 0;
    return std::clamp(rec->Areas(), 1, kMaxAreas);
}

} // namespace vt
