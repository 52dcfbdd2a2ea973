#include "editor/settings/core/AreaNameRules.h"
#include "editor/settings/core/RadioOptionRecord.h"

#include <gtest/gtest.h>

#include <string>

using namespace vt;

namespace {
std::string Record(const char* areas, const char* perArea, const char* allowArea, const char* allowChannel) {
    RadioOptionRecord r = RadioOptionRecord::Defaults();
    r[kOptNumberArea] = areas;
    r[kOptChInArea] = perArea;
    r[kOptAreachange] = allowArea;
    r[kOptChannelchange] = allowChannel;
    return r.Join();
}
} // namespace

TEST(AreaNames, OneRowPerArea) {
    EXPECT_EQ(AreaNameRows(Record("3", "66", "1", "1")), 3);
    EXPECT_EQ(AreaNameRows(Record("10", "20", "1", "1")), 10);
    EXPECT_EQ(AreaNameRows(Record("25", "8", "1", "1")), 10);
    EXPECT_EQ(AreaNameRows(Record("0", "8", "1", "1")), 1);
    EXPECT_EQ(AreaNameRows(Record("x", "8", "1", "1")), 1);
    EXPECT_EQ(AreaNameRows("1|2"), 0);
}
