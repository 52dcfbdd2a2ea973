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
    d.SetCell(5, 3, "FERRY", RecordWrite::Quiet);
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
        d.SetCell(1, 1, "150.0000", RecordWrite::Quiet);
        SetBand(d, 3);
        EXPECT_EQ(seen.replaced, 0);
        EXPECT_EQ(seen.resets, 0);
    }
    EXPECT_EQ(seen.replaced, 1);
    EXPECT_EQ(seen.resets, 1);
    EXPECT_EQ(seen.cells, 0);
    // Writes after the replacement are single cells again.
    d.SetCell(1, 3, "BASE", RecordWrite::Quiet);
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

// Each record write, and a cell write, as a call that stores the given text.
struct RecordWriter {
    const char* name;
    void (*write)(EditorData&, const std::string&, RecordWrite);
    std::string (*read)(const EditorData&);
};

const RecordWriter kWriters[] = {
    {"option", [](EditorData& d, const std::string& v, RecordWrite h) { d.SetRadioOption(v, h); },
     [](const EditorData& d) { return d.RadioOption(); }},
    {"5-tone settings", [](EditorData& d, const std::string& v, RecordWrite h) { d.SetFiveToneInfo(v, h); },
     [](const EditorData& d) { return d.FiveToneInfo(); }},
    {"FARMCALL/MARNET", [](EditorData& d, const std::string& v, RecordWrite h) { d.SetFarmMarnetInfo(v, h); },
     [](const EditorData& d) { return d.FarmMarnetInfo(); }},
    {"list line 100",
     [](EditorData& d, const std::string& v, RecordWrite h) { d.SetFiveToneLine(kToneLines, v, h); },
     [](const EditorData& d) { return d.FiveToneChannels()[kToneLines]; }},
    {"special field 1.10",
     [](EditorData& d, const std::string& v, RecordWrite h) { d.SetSpecialField(1, kSpecialFields, v, h); },
     [](const EditorData& d) { return d.SpecialData()[1][kSpecialFields]; }},
    {"special line 7",
     [](EditorData& d, const std::string& v, RecordWrite h) {
         SpecialLine line = d.SpecialData()[7];
         line[10] = v;
         d.SetSpecialLine(7, line, h);
     },
     [](const EditorData& d) { return d.SpecialData()[7][10]; }},
    {"area 10", [](EditorData& d, const std::string& v, RecordWrite h) { d.SetAreaName(kMaxAreas, v, h); },
     [](const EditorData& d) { return d.AreaNames()[kMaxAreas]; }},
    {"cell 5.4", [](EditorData& d, const std::string& v, RecordWrite h) { d.SetCell(5, ColName1, v, h); },
     [](const EditorData& d) { return d.MFG.TextMatrix(5, ColName1); }},
};

TEST_F(DataSetDocument, EveryRecordWriteIsAnEditOnlyWhenItChangesTheValue) {
    for (const auto& w : kWriters) {
        SCOPED_TRACE(w.name);
        d.ClearModified();
        seen = Recorder{};
        w.write(d, w.read(d), RecordWrite::Edit);
        EXPECT_FALSE(d.IsModified());
        w.write(d, "12345", RecordWrite::Edit);
        EXPECT_EQ(w.read(d), "12345");
        EXPECT_TRUE(d.IsModified());
        EXPECT_EQ(seen.modified, std::vector<bool>{true});
    }
}

TEST_F(DataSetDocument, QuietWritesStoreButAreNoEdit) {
    for (const auto& w : kWriters) {
        SCOPED_TRACE(w.name);
        w.write(d, "54321", RecordWrite::Quiet);
        EXPECT_EQ(w.read(d), "54321");
    }
    EXPECT_FALSE(d.IsModified());
    EXPECT_TRUE(seen.modified.empty());
    // A quiet write leaves an earlier edit standing.
    d.MarkModified();
    kWriters[0].write(d, kDefaultRadioOption, RecordWrite::Quiet);
    EXPECT_TRUE(d.IsModified());
}

// The grid's shape and a row's clear, each a write that changes a new data set's grid.
struct GridWriter {
    const char* name;
    void (*write)(EditorData&, RecordWrite);
};

const GridWriter kGridWriters[] = {
    {"rows", [](EditorData& d, RecordWrite h) { d.SetGridRows(50, h); }},
    {"columns", [](EditorData& d, RecordWrite h) { d.SetGridCols(12, h); }},
    {"clear row 5", [](EditorData& d, RecordWrite h) { d.ClearGridRow(5, h); }},
};

TEST(DataSetGrid, ShapeWritesAndClearsCountAsCellWrites) {
    for (const auto& w : kGridWriters)
        for (RecordWrite how : {RecordWrite::Edit, RecordWrite::Quiet}) {
            SCOPED_TRACE(std::string(w.name) + (how == RecordWrite::Edit ? " edit" : " quiet"));
            EditorData e;
            Recorder heard;
            e.MFG.setListener(&heard);
            w.write(e, how);
            EXPECT_GT(heard.resets + heard.cells, 0);
            EXPECT_EQ(e.IsModified(), how == RecordWrite::Edit);
            e.ClearModified();
            w.write(e, RecordWrite::Edit); // the grid is so already
            EXPECT_FALSE(e.IsModified());
        }
}

TEST_F(DataSetDocument, WritesOfAReplacementAreNoEdit) {
    {
        DataSetReplacement decoding(d);
        for (const auto& w : kWriters)
            w.write(d, "FROM IMAGE", RecordWrite::Edit);
    }
    for (const auto& w : kWriters)
        EXPECT_EQ(w.read(d), "FROM IMAGE") << w.name;
    EXPECT_FALSE(d.IsModified());
    EXPECT_TRUE(seen.modified.empty());
    // Once it ended, a change is an edit again.
    kWriters[1].write(d, "AFTER", RecordWrite::Edit);
    EXPECT_TRUE(d.IsModified());
}

TEST_F(DataSetDocument, LinesAndFieldsOutsideTheRecordsAreNeitherWrittenNorAnEdit) {
    const EditorData before = d;
    SpecialLine line;
    line[1] = "5";
    for (int n : {0, -1, kToneLines + 1}) {
        d.SetFiveToneLine(n, "CALL 1|ZVEI1||CURRENT|1|");
        d.SetSpecialLine(n, line);
        d.SetSpecialField(n, 1, "5");
    }
    d.SetSpecialField(1, 0, "5");
    d.SetSpecialField(1, kSpecialFields + 1, "5");
    EXPECT_EQ(d.FiveToneChannels(), before.FiveToneChannels());
    EXPECT_EQ(d.SpecialData(), before.SpecialData());
    EXPECT_FALSE(d.IsModified());
}

TEST_F(DataSetDocument, RestoringTheFiveToneRecordsPutsThemBackWithoutAnEdit) {
    const EditorData before = d;
    d.SetFiveToneInfo("12345|2|0|0|5|1");
    d.SetFarmMarnetInfo("1|123|45|12|150.0|0|||0|");
    d.SetFiveToneLine(3, "CALL 123|ZVEI1||CURRENT|1|");
    d.SetSpecialField(3, 1, "0");
    d.ClearModified();
    seen = Recorder{};
    d.RestoreFiveTone(before.FiveToneInfo(), before.FiveToneChannels(), before.SpecialData(),
                      before.FarmMarnetInfo());
    EXPECT_EQ(d.FiveToneInfo(), before.FiveToneInfo());
    EXPECT_EQ(d.FarmMarnetInfo(), before.FarmMarnetInfo());
    EXPECT_EQ(d.FiveToneChannels(), before.FiveToneChannels());
    EXPECT_EQ(d.SpecialData(), before.SpecialData());
    EXPECT_FALSE(d.IsModified());
    EXPECT_TRUE(seen.modified.empty());
}

} // namespace
