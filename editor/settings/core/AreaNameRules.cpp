#include "editor/settings/core/AreaNameRules.h"

#include "common/Cp1252.h"
#include "editor/settings/core/RadioOptionRecord.h"

#include <algorithm>

namespace vt {

int AreaNameRows(const std::string& radioOption) {
    auto rec = RadioOptionRecord::Parse(radioOption);
    if (!rec) return 0;
    return std::clamp(rec->Areas(), 1, 10);
}

bool AreaNameFits(std::string_view name) {
    return !NameRefusal(name) && Utf8Length(name) <= static_cast<size_t>(kAreaNameMax);
}

} // namespace vt
