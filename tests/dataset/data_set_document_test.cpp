// The data set as a document: its modified flag, and one notice per replacement of the whole set.
#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include "common/TextUtil.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vt;

namespace {

// Counts what the data set and its grid report.
struct Recorder : DataSetListener, GridListener {
    std::vector<bool> modified;
    int replaced = 0, resets = 0, cells = 0;
    void ModifiedChanged(bool m) override { modified.push_back(m); }
    void DataSetReplaced() override { ++replaced; }
    void gridReset() override { ++resets; }
    void cellChanged(int, int) override { ++cells; }
};

class DataSetDocument : public ::testing::Test {
protected:
    EditorData d;
    Recorder seen;
    void SetUp() override {
        d.SetListener(&seen);
        d.MFG.setListener(&seen);
    }
};

TEST_F(DataSetDocument, RecordWritesMarkOnlyWhatChanges) {
    EXPECT_FALSE(d.IsModified());
    d.SetRadioOption(d.RadioOption());
    for (int a = 1; a <= kMaxAreas; ++a) d.SetAreaName(a, std::to_string(a));
    EXPECT_FALSE(d.IsModified());
    EXPECT_TRUE(seen.modified.empty());

    d.SetAreaName(3, "HARBOUR");
    EXPECT_EQ(d.AreaNames()[3], "HARBOUR");
    EXPECT_TRUE(d.IsModified());
    auto fields = Split(d.RadioOption());
    fields[0] = "2";
    d.SetRadioOption(Join(fields));
    EXPECT_EQ(d.RadioOption(), Join(fields));
    EXPECT_EQ(seen.modified, std::vector<bool>{true}); // told once, not per write

    d.ClearModified();
    EXPECT_FALSE(d.IsModified());
    EXPECT_EQ(seen.modified, (std::vector<bool>{true, false}));
    d.ClearModified();
    EXPECT_EQ(seen.modified.size(), 2u);
}

TEST_F(DataSetDocument, AreasOutsideTheListAreNeitherWrittenNorAnEdit) {
    d.SetAreaName(0, "ZERO");
    d.SetAreaName(kMaxAreas + 1, "ELEVEN");
    d.SetAreaName(-1, "NEG");
    EXPECT_EQ(d.AreaNames()[0], "");
    EXPECT_FALSE(d.IsModified());
}

TEST_F(DataSetDocument, AnEditWithoutAChangeStillCounts) {
    d.MarkModified();
    EXPECT_TRUE(d.IsModified());
    EXPECT_EQ(seen.modified, std::vector<bool>{true});
}

TEST_F(DataSetDocument, ResetIsOneReplacementAndLeavesNothingToSave) {
    d.MFG.SetTextMatrix(5, 3, "FERRY");
    d.MarkModified();
    seen = Recorder{};
    ResetDataSet(d);
    EXPECT_EQ(seen.replaced, 1);
    EXPECT_EQ(seen.resets, 1);
    EXPECT_EQ(seen.cells, 0);
    EXPECT_EQ(seen.modified, std::vector<bool>{false});
    EXPECT_FALSE(d.IsModified());
    EXPECT_EQ(d.MFG.TextMatrix(5, 3), "5");
}

TEST_F(DataSetDocument, NestedReplacementsReportOnceAtTheOuterEnd) {
    {
        DataSetReplacement outer(d);
        ResetDataSet(d);
        d.MFG.SetTextMatrix(1, 1, "150.0000");
        SetBand(d, 3);
        EXPECT_EQ(seen.replaced, 0);
        EXPECT_EQ(seen.resets, 0);
    }
    EXPECT_EQ(seen.replaced, 1);
    EXPECT_EQ(seen.resets, 1);
    EXPECT_EQ(seen.cells, 0);
    // Writes after the replacement are single cells again.
    d.MFG.SetTextMatrix(1, 3, "BASE");
    EXPECT_EQ(seen.cells, 1);
    EXPECT_EQ(seen.replaced, 1);
}

TEST_F(DataSetDocument, AReplacementThatChangedNoCellIsStillShownAnew) {
    { DataSetReplacement same(d); }
    EXPECT_EQ(seen.resets, 1);
    EXPECT_EQ(seen.replaced, 1);
    d.EndReplace(); // unbalanced: nothing to end
    EXPECT_EQ(seen.replaced, 1);
}

TEST_F(DataSetDocument, ACopyHasNoListenerAndAssignmentKeepsTheOwn) {
    EditorData copy = d;
    copy.MarkModified();
    { DataSetReplacement r(copy); }
    EXPECT_TRUE(seen.modified.empty());
    EXPECT_EQ(seen.replaced, 0);

    d = copy; // the modified flag comes along, the listener stays
    EXPECT_TRUE(d.IsModified());
    d.ClearModified();
    EXPECT_EQ(seen.modified, std::vector<bool>{false});
}

} // namespace
