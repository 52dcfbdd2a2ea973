#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/EditorData.h"

#include <gtest/gtest.h>

using namespace vt;

TEST(DataSetResetTest, DefaultGridAndSettings) {
    EditorData d;
    d.SetGridRows(50, RecordWrite::Quiet);
    d.SetCell(3, 1, "145.0000", RecordWrite::Quiet);
    d.SetRadioOption("x");
    d.SetFarmMarnetInfo("");
    d.SetSpecialField(4, 2, "8");
    d.CurrentArea = 7;
    d.MarkModified();
    d.Setup3C01 = 99;
    ResetDataSet(d);
    ASSERT_EQ(d.MFG.Rows(), 202);
    ASSERT_EQ(d.MFG.Cols(), 16);
    EXPECT_EQ(d.MFG.TextMatrix(1, 0), "Ch:1");
    EXPECT_EQ(d.MFG.TextMatrix(3, 1), "");
    EXPECT_EQ(d.MFG.TextMatrix(3, 3), "3");
    EXPECT_EQ(d.MFG.TextMatrix(3, 14), "250");
    EXPECT_EQ(d.MFG.TextMatrix(3, 15), "25");
    EXPECT_EQ(d.MFG.TextMatrix(201, 0), "Ch:201");
    EXPECT_EQ(d.MFG.TextMatrix(201, 3), "SECOND");
    EXPECT_EQ(d.MFG.TextMatrix(201, 4), "RECEIVER");
    EXPECT_EQ(d.MFG.TextMatrix(201, 15), "25");
    EXPECT_EQ(d.RadioOption(), kDefaultRadioOption);
    EXPECT_EQ(d.FarmMarnetInfo(), "0|||||0|||0|");
    EXPECT_EQ(d.FiveToneInfo(), "|1|1|1|5|1");
    EXPECT_EQ(d.FiveToneChannels()[100], "|||||");
    EXPECT_EQ(d.SpecialData()[4][2], "");
    EXPECT_EQ(d.AreaNames()[10], "10");
    EXPECT_EQ(d.CurrentArea, 1);
    EXPECT_EQ(d.BandIndex, 0);
    EXPECT_EQ(d.BandRangeText, "32 -- 49 MHz");
    EXPECT_FALSE(d.IsModified());
    EXPECT_EQ(d.Setup3C01, 99); // setup bytes belong to the session, not the document
}
