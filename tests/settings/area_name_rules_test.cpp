#include "editor/settings/core/AreaNameRules.h"
#include "editor/settings/core/RadioOptionRecord.h"
#include "helpers/option_record_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace vt;

using vt::test::AreaShapeRecord;

TEST(AreaNames, OneRowPerArea) {
    EXPECT_EQ(AreaNameRows(AreaShapeRecord("3", "66", "1", "1")), 3);
    EXPECT_EQ(AreaNameRows(AreaShapeRecord("10", "20", "1", "1")), 10);
    EXPECT_EQ(AreaNameRows(AreaShapeRecord("25", "8", "1", "1")), 10);
    EXPECT_EQ(AreaNameRows(AreaShapeRecord("0", "8", "1", "1")), 1);
    EXPECT_EQ(AreaNameRows(AreaShapeRecord("x", "8", "1", "1")), 1);
    EXPECT_EQ(AreaNameRows("1|2"), 0);
}
