#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include "common/TextUtil.h"

#include <gtest/gtest.h>

#include <iterator>
#include <utility>

using namespace vt;

namespace {
// The default option record with fields replaced.
std::string Options(std::initializer_list<std::pair<int, std::string>> changes) {
    auto f = Split(kDefaultRadioOption);
    for (const auto& [k, v] : changes) f[static_cast<size_t>(k)] = v;
    return Join(f);
}

std::string Areas(int areas, int perArea) { return Options({{0, std::to_string(areas)}, {1, std::to_string(perArea)}}); }

void Reshape(EditorData& d, int areas, int perArea, bool marnet = false) {
    d.SetRadioOption(Areas(areas, perArea));
    d.SetFarmMarnetInfo(marnet ? "0|||||1|||0|" : kDefaultFarmMarnetInfo);
    AdjustArea_Marnet(d);
    UpdateAreaNo(d);
}

const std::string& Cell(const EditorData& d, int r, int c) { return d.MFG.TextMatrix(r, c); }
} // namespace

// ------------------------------------------------------------------ grid set-up and areas

TEST(GridAreas, FreshGridHasChannelsAndSecondReceiver) {
    EditorData d;
    ASSERT_EQ(d.MFG.Rows(), 202);
    ASSERT_EQ(d.MFG.Cols(), 16);
    EXPECT_EQ(Cell(d, 0, 0), "No");
    EXPECT_EQ(Cell(d, 0, 15), "Power");
    EXPECT_EQ(Cell(d, 1, 0), "Ch:1");
    EXPECT_EQ(Cell(d, 200, 0), "Ch:200");
    EXPECT_EQ(Cell(d, 200, 3), "200");
    EXPECT_EQ(Cell(d, 200, 14), "250");
    EXPECT_EQ(Cell(d, 200, 15), "25");
    EXPECT_EQ(Cell(d, 201, 0), "201");
    EXPECT_EQ(Cell(d, 201, 3), "SECOND");
    EXPECT_EQ(Cell(d, 201, 4), "RECEIVER");
    EXPECT_EQ(Cell(d, 201, 14), ""); // no encode tone: nothing stored, as an opened file shows it
    EXPECT_EQ(Cell(d, 201, 1), "");
    EXPECT_EQ(d.MFG.ColWidth(0), 640);
    EXPECT_EQ(d.MFG.ColWidth(4), 1600);
    EXPECT_EQ(d.CurrentArea, 1);
    EXPECT_EQ(d.BandIndex, 1);
    EXPECT_EQ(d.ManualSetupFlag, 1);
    EXPECT_EQ(Split(GetDefaultSetup()).size(), 39u);
}

// Every part of the program names the columns through one enum: each name must head its column.
TEST(GridAreas, NamedColumnsAreTheHeadedOnes) {
    EditorData d;
    const std::pair<int, const char*> named[] = {
        {ColNo, "No"},           {ColTxFreq, "Tx Freq"},     {ColRxFreq, "Rx Freq"}, {ColName1, "ID line1."},
        {ColName2, "ID line2."}, {ColCtcssEnc, "CTCSS ENC"}, {ColCtcssDec, "CTCSS DEC"}, {ColDcsEnc, "DCS ENC"},
        {ColDcsDec, "DCS DEC"},  {ColBcl, "BCL"},            {ColScan, "SCAN"},      {ColFiveTone, "5Tone Resp"},
        {ColAni, "ANI"},         {ColSelCall, "Sel Call"},   {ColCtDev, "CT DEV"},   {ColPower, "Power"}};
    ASSERT_EQ(std::size(named), static_cast<size_t>(kGridCols));
    ASSERT_EQ(d.MFG.Cols(), kGridCols);
    for (const auto& [col, header] : named) EXPECT_EQ(Cell(d, 0, col), header) << col;
    EXPECT_EQ(d.MFG.Rows(), kMaxChannels + 2);
}

TEST(GridAreas, RowCountsFollowAreasAndMarnet) {
    EditorData d;
    Reshape(d, 1, 200);
    EXPECT_EQ(d.MFG.Rows(), 202);
    EXPECT_EQ(Cell(d, 201, 0), "201");

    Reshape(d, 1, 200, true);
    ASSERT_EQ(d.MFG.Rows(), 203);
    EXPECT_EQ(Cell(d, 201, 0), "Ch:201");
    EXPECT_EQ(Cell(d, 201, 3), "201");
    EXPECT_EQ(Cell(d, 201, 14), "250");
    EXPECT_EQ(Cell(d, 202, 0), "201");
    EXPECT_EQ(Cell(d, 202, 3), "SECOND");

    // No extra row with more than one area.
    Reshape(d, 10, 20, true);
    ASSERT_EQ(d.MFG.Rows(), 202);
    EXPECT_EQ(Cell(d, 21, 0), "Ch:21" + std::string(8, ' ') + "     Area:2");
    EXPECT_EQ(Cell(d, 7, 0), "Ch:7" + std::string(9, ' ') + "     Area:1");
    EXPECT_EQ(Cell(d, 200, 0), "Ch:200" + std::string(7, ' ') + "     Area:10");
    EXPECT_EQ(Cell(d, 201, 0), "201");
    EXPECT_EQ(d.MFG.ColWidth(0), 1360);
}

TEST(GridAreas, GrowingKeepsSecondReceiverAndCleansItsOldRow) {
    EditorData d;
    d.SetCell(201, 1, "150.0000", RecordWrite::Quiet);
    d.SetCell(201, 2, "151.0000", RecordWrite::Quiet);
    d.SetCell(201, 5, "88.5", RecordWrite::Quiet);
    d.SetCell(201, 14, "300", RecordWrite::Quiet);
    d.SetCell(17, 1, "140.0000", RecordWrite::Quiet);
    Reshape(d, 2, 200);
    ASSERT_EQ(d.MFG.Rows(), 402);
    // The old second-receiver row is a clean channel row now.
    EXPECT_EQ(Cell(d, 201, 0), "Ch:201" + std::string(7, ' ') + "     Area:2");
    EXPECT_EQ(Cell(d, 201, 1), "");
    EXPECT_EQ(Cell(d, 201, 3), "201");
    EXPECT_EQ(Cell(d, 201, 4), "");
    EXPECT_EQ(Cell(d, 201, 5), "");
    EXPECT_EQ(Cell(d, 201, 14), "250");
    EXPECT_EQ(Cell(d, 201, 15), "25");
    EXPECT_EQ(Cell(d, 300, 3), "300");
    // The second receiver moved to the new last row with its settings.
    EXPECT_EQ(Cell(d, 401, 0), "201");
    EXPECT_EQ(Cell(d, 401, 1), "150.0000");
    EXPECT_EQ(Cell(d, 401, 2), "151.0000");
    EXPECT_EQ(Cell(d, 401, 3), "SECOND");
    EXPECT_EQ(Cell(d, 401, 5), "88.5");
    EXPECT_EQ(Cell(d, 401, 14), "300");
    EXPECT_EQ(Cell(d, 17, 1), "140.0000");
}

TEST(GridAreas, ShrinkingMakesTheNewLastRowTheSecondReceiver) {
    EditorData d;
    Reshape(d, 2, 200);
    d.SetCell(401, 2, "155.0000", RecordWrite::Quiet);
    d.SetCell(201, 1, "160.0000", RecordWrite::Quiet);
    d.SetCell(201, 4, "OLDNAME", RecordWrite::Quiet);
    Reshape(d, 1, 200);
    ASSERT_EQ(d.MFG.Rows(), 202);
    EXPECT_EQ(Cell(d, 201, 0), "201");
    EXPECT_EQ(Cell(d, 201, 3), "SECOND");
    EXPECT_EQ(Cell(d, 201, 4), "RECEIVER");
    EXPECT_EQ(Cell(d, 201, 2), "155.0000");
    EXPECT_EQ(Cell(d, 201, 1), "");
    EXPECT_EQ(Cell(d, 200, 0), "Ch:200");
    EXPECT_EQ(d.MFG.ColWidth(0), 640);
}

// A shrink lists the dropped rows that held a frequency, as the grid labelled them; the box text
// keeps to its first lines and counts the others.
TEST(GridAreas, ShrinkingListsTheChannelsItDrops) {
    EditorData d;
    Reshape(d, 2, 20);
    for (int r = 11; r <= 40; ++r)
        d.SetCell(r, r == 25 ? ColName2 : ColTxFreq, "150.0000", RecordWrite::Quiet);
    d.SetCell(12, ColName2, "HARBOUR", RecordWrite::Quiet);
    d.SetRadioOption(Areas(1, 10));
    const std::vector<DroppedChannel> dropped = AdjustArea_Marnet(d);
    ASSERT_EQ(dropped.size(), 29u); // row 25 held no frequency
    EXPECT_EQ(dropped[1].row, 12);
    EXPECT_EQ(dropped[1].label, "Ch:12             Area:1");
    const std::vector<std::pair<int, std::string>> values = {{ColTxFreq, "150.0000"}, {ColName2, "HARBOUR"}};
    EXPECT_EQ(dropped[1].values, values);
    EXPECT_EQ(dropped.back().row, 40);
    const auto lines = Split(DroppedChannelsText(dropped, "Removed:", 25, "more."), '\n');
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(lines[2], "Ch:12             Area:1  Tx Freq 150.0000  ID line2. HARBOUR");
    EXPECT_EQ(lines[26], "4 more.");
}

TEST(GridAreas, OptionOkWithUnchangedShapeKeepsEverything) {
    EditorData d;
    d.SetCell(201, 1, "150.0000", RecordWrite::Quiet);
    d.SetCell(201, 11, "A", RecordWrite::Quiet);
    Reshape(d, 1, 200);
    EXPECT_EQ(Cell(d, 201, 1), "150.0000");
    EXPECT_EQ(Cell(d, 201, 11), "A");
}

TEST(GridAreas, InvalidRecordTouchesNothing) {
    EditorData d;
    d.SetCell(201, 1, "150.0000", RecordWrite::Quiet);
    d.SetCell(5, 0, "custom", RecordWrite::Quiet);
    for (const std::string& bad : {std::string("1|200"), Areas(1, 200) + "|x", Options({{0, "abc"}}), Options({{1, "0"}})}) {
        d.SetRadioOption(bad);
        AdjustArea_Marnet(d);
        EXPECT_EQ(d.MFG.Rows(), 202) << bad;
        EXPECT_EQ(Cell(d, 201, 1), "150.0000") << bad;
    }
    d.SetRadioOption("1|200");
    UpdateAreaNo(d);
    EXPECT_EQ(Cell(d, 5, 0), "custom");
}

TEST(GridAreas, UpdateAreaNoIsIdempotent) {
    EditorData d;
    Reshape(d, 4, 50);
    const std::string once = Cell(d, 120, 0);
    UpdateAreaNo(d);
    UpdateAreaNo(d);
    EXPECT_EQ(Cell(d, 120, 0), once);
    EXPECT_EQ(once, "Ch:120" + std::string(7, ' ') + "     Area:3");
    EXPECT_EQ(Cell(d, 201, 0), "201");
}

TEST(GridAreas, WhichAreaAndAreaNames) {
    EditorData d;
    d.SetAreaName(2, "North");
    Reshape(d, 1, 200, true);
    EXPECT_EQ(WhichAreaInt(d, 1), 1);
    EXPECT_EQ(WhichAreaInt(d, 202), -1);
    // The extra MARNET row reports the next area.
    EXPECT_EQ(WhichArea(d, 201), "North");
    EXPECT_EQ(d.CurrentArea, 2);
    EXPECT_EQ(WhichArea(d, 202), "");
    EXPECT_EQ(d.CurrentArea, 2);
    EXPECT_EQ(WhichArea(d, 3), "1");
    EXPECT_EQ(d.CurrentArea, 1);

    d.SetRadioOption("bad");
    EXPECT_EQ(WhichAreaInt(d, 3), 0);
    EXPECT_EQ(WhichAreaInt(d, 202), -1);
    EXPECT_EQ(WhichArea(d, 3), "");
    EXPECT_EQ(d.CurrentArea, 1);

    d.SetRadioOption(Areas(2, 10));
    EXPECT_EQ(WhichAreaInt(d, 10), 1);
    EXPECT_EQ(WhichAreaInt(d, 11), 2);
    EXPECT_EQ(WhichAreaInt(d, 100), 10);
    EXPECT_EQ(WhichAreaInt(d, 101), 0);

    EXPECT_EQ(CurrentAreaName(d), "1");
    d.CurrentArea = 0;
    EXPECT_EQ(CurrentAreaName(d), "Click one channel please");
    d.CurrentArea = 11;
    EXPECT_EQ(CurrentAreaName(d), "Click one channel please");
}

TEST(GridAreas, AddSecondRec) {
    EditorData d;
    AddSecondRec(d, "156.8000");
    EXPECT_EQ(Cell(d, 201, 1), "156.8000");
    EXPECT_EQ(Cell(d, 201, 2), "156.8000");
    AddSecondRec(d, "");
    EXPECT_EQ(Cell(d, 201, 1), "156.8000");
    EXPECT_EQ(Cell(d, 201, 0), "201");
}

TEST(GridAreas, UpdateAllArrayStaysInsideItsArray) {
    EditorData d;
    d.SetCell(5, 2, "150.0000", RecordWrite::Quiet);
    Reshape(d, 10, 200); // 2002 rows, more than the snapshot holds
    UpdateAllArray(d);
    EXPECT_EQ(d.AllArray[5][2], "150.0000");
    EXPECT_EQ(d.AllArray[206][3], "206");
    EXPECT_EQ(d.AllArray[5][0], "");
}

// ------------------------------------------------------------------ SCAN column

TEST(ScanRules, TrunkRowsAreTheFirstSixteenOfEachArea) {
    EditorData d;
    EXPECT_EQ(IsTAvailable(d, 1), 1);
    EXPECT_EQ(IsTAvailable(d, 16), 1);
    EXPECT_EQ(IsTAvailable(d, 17), 0);
    d.SetRadioOption(Areas(2, 50));
    EXPECT_EQ(IsTAvailable(d, 50), 0);
    EXPECT_EQ(IsTAvailable(d, 51), 1);
    EXPECT_EQ(IsTAvailable(d, 66), 1);
    EXPECT_EQ(IsTAvailable(d, 67), 0);
    for (const std::string& bad : {std::string("1|50"), Areas(2, 50) + "|0"}) {
        d.SetRadioOption(bad);
        EXPECT_EQ(IsTAvailable(d, 16), 1);
        EXPECT_EQ(IsTAvailable(d, 51), 0);
    }
}

TEST(ScanRules, ValidateTDropsTrunkWhereNotAllowed) {
    EditorData d;
    const char* before[] = {"T", "A", "TS", "AS", "TP", "AP", "S", "P"};
    const char* after[] = {"", "", "S", "S", "P", "P", "S", "P"};
    for (int i = 0; i < 8; ++i) {
        d.SetCell(17 + i, 10, before[i], RecordWrite::Quiet);
        d.SetCell(1 + i, 10, before[i], RecordWrite::Quiet);
    }
    d.SetCell(201, 10, "TS", RecordWrite::Quiet); // second receiver: skipped
    ValidateT(d);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Cell(d, 17 + i, 10), after[i]) << before[i];
        EXPECT_EQ(Cell(d, 1 + i, 10), before[i]);
    }
    EXPECT_EQ(Cell(d, 201, 10), "TS");

    // An invalid record still limits trunk to rows 1 to 16.
    d.SetRadioOption(Options({}) + "|extra");
    d.SetCell(100, 10, "AP", RecordWrite::Quiet);
    ValidateT(d);
    EXPECT_EQ(Cell(d, 100, 10), "P");
}

TEST(ScanRules, ValidatePKeepsTheFirstPriorityOfEachArea) {
    EditorData d;
    Reshape(d, 2, 100);
    d.SetCell(3, 10, "TP", RecordWrite::Quiet);
    d.SetCell(9, 10, "P", RecordWrite::Quiet);
    d.SetCell(12, 10, "AP", RecordWrite::Quiet);
    d.SetCell(100, 10, "P", RecordWrite::Quiet); // area 1's last channel, after its first P
    d.SetCell(101, 10, "P", RecordWrite::Quiet); // area 2's first channel
    d.SetCell(150, 10, "TP", RecordWrite::Quiet);
    ValidateP(d);
    EXPECT_EQ(Cell(d, 3, 10), "TP");
    EXPECT_EQ(Cell(d, 9, 10), "");
    EXPECT_EQ(Cell(d, 12, 10), "A");
    EXPECT_EQ(Cell(d, 100, 10), "");
    EXPECT_EQ(Cell(d, 101, 10), "P");
    EXPECT_EQ(Cell(d, 150, 10), "T");

    EditorData e;
    Reshape(e, 2, 100);
    e.SetCell(100, 10, "P", RecordWrite::Quiet);
    e.SetCell(101, 10, "P", RecordWrite::Quiet);
    ValidateP(e);
    EXPECT_EQ(Cell(e, 100, 10), "P");
    EXPECT_EQ(Cell(e, 101, 10), "P");
}

TEST(ScanRules, WalksStayInsideTheChannelRows) {
    // Options already name more rows than the grid holds (the dialog stored them first).
    EditorData d;
    d.SetRadioOption(Areas(2, 200));
    d.SetCell(150, 10, "P", RecordWrite::Quiet);
    d.SetCell(201, 10, "P", RecordWrite::Quiet); // second receiver
    ValidateP(d);
    EXPECT_EQ(Cell(d, 201, 10), "P");
    d.CurrentArea = 2;
    AdjustP(d, 150);
    EXPECT_EQ(Cell(d, 201, 10), "P");
    EXPECT_EQ(Cell(d, 150, 10), "P");

    // The extra MARNET row belongs to no area's walk in ValidateP.
    EditorData m;
    Reshape(m, 1, 200, true);
    m.SetCell(4, 10, "P", RecordWrite::Quiet);
    m.SetCell(201, 10, "P", RecordWrite::Quiet);
    ValidateP(m);
    EXPECT_EQ(Cell(m, 4, 10), "P");
    EXPECT_EQ(Cell(m, 201, 10), "P");
}

TEST(ScanRules, AdjustPClearsTheCurrentAreaOnly) {
    EditorData d;
    Reshape(d, 2, 100);
    d.SetCell(100, 10, "P", RecordWrite::Quiet);
    d.SetCell(101, 10, "TP", RecordWrite::Quiet);
    d.SetCell(150, 10, "AP", RecordWrite::Quiet);
    d.SetCell(160, 10, "S", RecordWrite::Quiet);
    d.SetCell(200, 10, "TP", RecordWrite::Quiet); // the area's last channel
    d.CurrentArea = 2;
    AdjustP(d, 120);
    EXPECT_EQ(Cell(d, 200, 10), "T");
    EXPECT_EQ(Cell(d, 100, 10), "P");
    EXPECT_EQ(Cell(d, 101, 10), "T");
    EXPECT_EQ(Cell(d, 150, 10), "A");
    EXPECT_EQ(Cell(d, 160, 10), "S");

    d.SetCell(110, 10, "P", RecordWrite::Quiet);
    AdjustP(d, d.MFG.Rows() - 1); // second receiver: nothing
    EXPECT_EQ(Cell(d, 110, 10), "P");
    d.SetRadioOption("1|2|3");
    AdjustP(d, 110);
    EXPECT_EQ(Cell(d, 110, 10), "P");
}

TEST(ScanRules, UpdateScanSwitchesBetweenTrunkAndAcs) {
    EditorData d;
    d.SetCell(2, 10, "TS", RecordWrite::Quiet);
    d.SetCell(3, 10, "TP", RecordWrite::Quiet);
    UpdateScan(d);
    EXPECT_FALSE(ScanUsesAcs(d));
    EXPECT_EQ(d.ScanChoices, (std::vector<std::string>{"NO", "T", "S", "P", "TS", "TP"}));
    EXPECT_EQ(Cell(d, 2, 10), "TS");

    for (int k : {14, 16, 18, 20}) {
        d.SetRadioOption(Options({{k, "5"}}));
        UpdateScan(d);
        EXPECT_TRUE(ScanUsesAcs(d)) << k;
        EXPECT_EQ(d.ScanChoices, (std::vector<std::string>{"NO", "A", "S", "P", "AS", "AP"}));
        EXPECT_EQ(Cell(d, 2, 10), "AS");
        EXPECT_EQ(Cell(d, 3, 10), "AP");
        d.SetRadioOption(kDefaultRadioOption);
        UpdateScan(d);
        EXPECT_EQ(Cell(d, 2, 10), "TS");
    }
    // A field that merely contains the digit counts too; a bad record always means trunk.
    d.SetRadioOption(Options({{18, "15"}}));
    EXPECT_TRUE(ScanUsesAcs(d));
    d.SetRadioOption(Options({{14, "5"}}) + "|");
    d.SetCell(2, 10, "A", RecordWrite::Quiet);
    UpdateScan(d);
    EXPECT_EQ(Cell(d, 2, 10), "T");
    EXPECT_EQ(ScanTipText(false), "'S'-- scan is required, 'P'-- priority scan, 'T' --- Trunk channel\rDefault is 'NO'");
    EXPECT_EQ(ScanTipText(true), "'S'-- scan is required, 'P'-- priority scan, 'A' --- ACS\rDefault is 'NO'");
}

// ------------------------------------------------------------------ bands

TEST(Bands, TableAndTexts) {
    EXPECT_EQ(BandRange(0), "32 -- 49 MHz");
    EXPECT_EQ(BandRange(3), "135 -- 175 MHz");
    EXPECT_EQ(BandRange(7), "470 -- 520 MHz");
    EXPECT_EQ(BandRange(8), "");
    EXPECT_EQ(BandOf(470.0), 6);
    EXPECT_EQ(BandOf(49.0), 0);
    EXPECT_EQ(BandOf(49.5), -1);
    EXPECT_EQ(BandOf(210), -1);
    EXPECT_EQ(BandOf(520), 7);
    EditorData d;
    EXPECT_EQ(BandLabelSuffix(d), "  53 -- 60MHz");
}

TEST(Bands, SetBandBlanksOutOfBandFrequenciesOnly) {
    EditorData d;
    d.SetCell(1, 1, "135", RecordWrite::Quiet);
    d.SetCell(1, 2, "175.0000", RecordWrite::Quiet);
    d.SetCell(2, 1, "134.9999", RecordWrite::Quiet);
    d.SetCell(2, 2, "176", RecordWrite::Quiet);
    d.SetCell(3, 2, " 150.5 ", RecordWrite::Quiet);
    d.SetCell(4, 1, "45.0000", RecordWrite::Quiet);
    d.SetCell(201, 1, "50.0000", RecordWrite::Quiet); // second receiver
    d.SetCell(201, 2, "160.0000", RecordWrite::Quiet);
    d.SetCell(5, 5, "450", RecordWrite::Quiet); // not a frequency column
    SetBand(d, 3);
    EXPECT_EQ(d.BandIndex, 3);
    EXPECT_EQ(d.BandLimits[1], 135);
    EXPECT_EQ(d.BandLimits[2], 175);
    EXPECT_EQ(d.BandRangeText, "135 -- 175 MHz");
    EXPECT_EQ(Cell(d, 1, 1), "135");
    EXPECT_EQ(Cell(d, 1, 2), "175.0000");
    EXPECT_EQ(Cell(d, 2, 1), "");
    EXPECT_EQ(Cell(d, 2, 2), "");
    EXPECT_EQ(Cell(d, 3, 2), " 150.5 ");
    EXPECT_EQ(Cell(d, 4, 1), "");
    EXPECT_EQ(Cell(d, 201, 1), "");
    EXPECT_EQ(Cell(d, 201, 2), "160.0000");
    EXPECT_EQ(Cell(d, 5, 5), "450");

    // A band outside the table changes nothing but still checks the current band.
    d.SetCell(6, 1, "400", RecordWrite::Quiet);
    SetBand(d, 9);
    EXPECT_EQ(d.BandIndex, 3);
    EXPECT_EQ(d.BandRangeText, "135 -- 175 MHz");
    EXPECT_EQ(Cell(d, 6, 1), "");
}

TEST(Bands, UpdateBandFollowsChannelOne) {
    struct Case {
        const char* rx;
        int band;
    } cases[] = {{"470.0000", 6}, {"49", 0}, {"135.5", 3}, {"519.9", 7}};
    for (const auto& c : cases) {
        EditorData d;
        d.SetCell(1, 2, c.rx, RecordWrite::Quiet);
        UpdateBand(d);
        EXPECT_EQ(d.BandIndex, c.band) << c.rx;
        EXPECT_EQ(Cell(d, 1, 2), c.rx);
    }
}

TEST(Bands, UpdateBandWithNoBandKeepsAndReappliesTheCurrentOne) {
    EditorData d; // band 1: 53 -- 60
    d.SetCell(1, 2, "49.5", RecordWrite::Quiet);
    d.SetCell(2, 1, "55.0000", RecordWrite::Quiet);
    d.SetCell(3, 1, "150.0000", RecordWrite::Quiet);
    UpdateBand(d);
    EXPECT_EQ(d.BandIndex, 1);
    EXPECT_EQ(Cell(d, 1, 2), "");
    EXPECT_EQ(Cell(d, 2, 1), "55.0000");
    EXPECT_EQ(Cell(d, 3, 1), "");

    EditorData e;
    e.SetCell(1, 2, "210", RecordWrite::Quiet);
    UpdateBand(e);
    EXPECT_EQ(e.BandIndex, 1);
}

TEST(Bands, UpdateBandFallsBackToOtherChannels) {
    // Channel 1 empty: the first numeric Rx further down decides.
    EditorData d;
    d.SetCell(1, 1, "45.0000", RecordWrite::Quiet);
    d.SetCell(7, 2, "150.0000", RecordWrite::Quiet);
    d.SetCell(9, 2, "450.0000", RecordWrite::Quiet);
    UpdateBand(d);
    EXPECT_EQ(d.BandIndex, 3);
    EXPECT_EQ(Cell(d, 7, 2), "150.0000");

    // No Rx anywhere: the first numeric Tx.
    EditorData e;
    e.SetCell(1, 2, "abc", RecordWrite::Quiet);
    e.SetCell(4, 1, "410.0000", RecordWrite::Quiet);
    UpdateBand(e);
    EXPECT_EQ(e.BandIndex, 6);
    EXPECT_EQ(Cell(e, 4, 1), "410.0000");

    // The second receiver does not decide the band.
    EditorData s;
    s.SetCell(201, 2, "40.0000", RecordWrite::Quiet);
    UpdateBand(s);
    EXPECT_EQ(s.BandIndex, 1);
    EXPECT_EQ(Cell(s, 201, 2), "40.0000"); // nothing applied, nothing blanked
}

// The image takes the second receiver's Rx word from its frequency only while it is on.
TEST(SecondReceiver, OnOnlyWhenFieldEightIsOne) {
    EditorData d;
    EXPECT_FALSE(SecondReceiverOn(d)); // the default record
    d.SetFarmMarnetInfo("0|||||0|||1|145");
    EXPECT_TRUE(SecondReceiverOn(d));
    d.SetFarmMarnetInfo("0|||||0|||0|145");
    EXPECT_FALSE(SecondReceiverOn(d));
    d.SetFarmMarnetInfo("0|||||0|||"); // too short: off
    EXPECT_FALSE(SecondReceiverOn(d));
    d.SetFarmMarnetInfo("0|||||0|||x|145");
    EXPECT_FALSE(SecondReceiverOn(d));
}
