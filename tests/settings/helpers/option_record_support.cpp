#include "option_record_support.h"

#include "editor/settings/core/RadioOptionRecord.h"

namespace vt::test {

std::string AreaShapeRecord(const char* areas, const char* perArea, const char* allowArea, const char* allowChannel) {
    RadioOptionRecord r = RadioOptionRecord::Defaults();
    r[kOptNumberArea] = areas;
    r[kOptChInArea] = perArea;
    r[kOptAreachange] = allowArea;
    r[kOptChannelchange] = allowChannel;
    return r.Join();
}

} // namespace vt::test
