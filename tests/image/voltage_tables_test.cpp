// Voltage tables: layout, files, lookups and the working copy.
#include "editor/image/VoltageTables.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace vt;
using vt::test::TempDir;

namespace {

// Writes all sixteen files with the given step (MHz, whole thousandths) and points
// value = seed(table) + j.
void WriteAll(const TempDir& f, int thousandths, int seed = 1) {
    VoltageTables v;
    for (int b = 0; b < kVolBands; ++b)
        for (int k : {0, 1}) {
            int n = v.PointCount(b, thousandths / 1000.0);
            std::vector<uint8_t> bytes{uint8_t(thousandths / 100), uint8_t(thousandths % 100)};
            for (int j = 0; j < n; ++j) bytes.push_back(uint8_t(seed + 2 * b + k + j));
            std::string name = std::string(k ? "Resource/TX_VOL" : "Resource/RX_VOL") + std::to_string(b) + ".tbl";
            f.Write(name, bytes);
        }
}

VoltageTables LoadedFrom(const TempDir& f, std::vector<std::string>* messages = nullptr) {
    VoltageTables v;
    v.Folder = f.Path();
    auto m = v.LoadVoltageTables();
    if (messages) *messages = m;
    return v;
}

} // namespace

TEST(VoltageLayout, FindBandEdges) {
    VoltageTables v;
    EXPECT_EQ(v.FindBand(32.0), 0);
    EXPECT_EQ(v.FindBand(49.0), 0);
    EXPECT_EQ(v.FindBand(49.5), -1);
    EXPECT_EQ(v.FindBand(31.99), -1);
    EXPECT_EQ(v.FindBand(400.0), 6);
    EXPECT_EQ(v.FindBand(469.9), 6);
    EXPECT_EQ(v.FindBand(470.0), 7);
    EXPECT_EQ(v.FindBand(490.0), 7);
    EXPECT_EQ(v.FindBand(520.0), 7);
    EXPECT_EQ(v.FindBand(520.01), -1);
}

TEST(VoltageLayout, CountRule) {
    VoltageTables v;
    EXPECT_EQ(v.PointCount(0, 1), 18);
    EXPECT_EQ(v.PointCount(0, 0.5), 35);
    EXPECT_EQ(v.PointCount(0, 3), 6);
    EXPECT_EQ(v.PointCount(0, 4), 5);
    EXPECT_EQ(v.PointCount(0, 17.5), 1);
    EXPECT_EQ(v.PointCount(2, 0.5), 45);
    EXPECT_EQ(v.PointCount(0, 0.1), 171); // no binary rounding lost at the high edge
    EXPECT_EQ(v.PointCount(6, 0.025), 3601);
    EXPECT_EQ(v.PointCount(6, 0.0125), 7501); // kept to 0.001 MHz: 0.012
}

TEST(VoltageFiles, LoadOffsetsAndLookups) {
    TempDir f;
    WriteAll(f, 1000);
    std::vector<std::string> msgs;
    VoltageTables v = LoadedFrom(f, &msgs);
    EXPECT_TRUE(msgs.empty());
    EXPECT_EQ(v.GetTableOffset(0, 0), 0);
    EXPECT_EQ(v.GetTableOffset(0, 1), 18);
    EXPECT_EQ(v.GetTableOffset(0, 7), 0); // any kind but 1 is Rx
    EXPECT_EQ(size_t(v.GetTableOffset(7, 1) + v.PointCount(7, v.LoadedStep[7][1])), v.LoadedVolData.size());
    EXPECT_EQ(v.GetTableOffset(8, 0), -1);
    // Band 3 Tx (seed 1 + 7): point j holds 8 + j.
    EXPECT_EQ(v.VoltageByteB("135.0000", 3), 8);
    EXPECT_EQ(v.VoltageByteB("136.0000", 3), 9);      // on a point
    EXPECT_EQ(v.VoltageByteB("136.0125", 3), 10);     // just above takes the next point
    EXPECT_EQ(v.VoltageByteA("135.5", 3), 1 + 6 + 1); // Rx table of band 3
    EXPECT_EQ(v.VoltageByteB("50.0", 3), 0);          // in no band
    EXPECT_EQ(v.VoltageByteB("475.0", 6), 1 + 15 + 5); // band 7 wins over band 6
}

TEST(VoltageFiles, NullBytesDependOnTheBand) {
    VoltageTables v;
    EXPECT_EQ(v.VoltageByteB("NULL", 3), 29);
    EXPECT_EQ(v.VoltageByteB("NULL", 2), 18);
    EXPECT_EQ(v.VoltageByteB("NULL", 0), 21);
    EXPECT_EQ(v.VoltageByteA("NULL", 2), 0);
    EXPECT_EQ(v.VoltageByteA("NULL", 3), 1);
    EXPECT_EQ(v.VoltageByteA("NULL", 7), 13);
}

TEST(VoltageFiles, PastTheLastPointIsClamped) {
    TempDir f;
    WriteAll(f, 3000); // band 0: points 32 .. 47, 6 of them
    VoltageTables v = LoadedFrom(f);
    EXPECT_EQ(v.VoltageByteA("47.0", 0), 1 + 5);
    EXPECT_EQ(v.VoltageByteA("48.5", 0), 1 + 5); // would be point 6
    EXPECT_EQ(v.VoltageByteB("49.0", 0), 2 + 5);
}

TEST(VoltageFiles, BadFilesAreTableErrorsWithSafeLayout) {
    TempDir f;
    WriteAll(f, 1000);
    f.Write("Resource/RX_VOL2.tbl", {0, 0, 5, 5});                 // zero step
    f.Write("Resource/TX_VOL4.tbl", {10, 0, 9, 9});                // short
    std::filesystem::remove(f.Path() / "Resource/TX_VOL6.tbl");    // missing
    std::vector<std::string> msgs;
    VoltageTables v = LoadedFrom(f, &msgs);
    ASSERT_EQ(msgs.size(), 3u);
    EXPECT_EQ(msgs[0], "Can not Find correct \\Resource\\RX_VOL2.tbl, Please reinstall the Program.");
    EXPECT_EQ(msgs[1], "Can not Find correct \\Resource\\TX_VOL4.tbl, Please reinstall the Program.");
    EXPECT_EQ(msgs[2], "Can not Find correct \\Resource\\TX_VOL6.tbl, Please reinstall the Program.");
    EXPECT_DOUBLE_EQ(v.LoadedStep[2][0], kDefaultVolStep);
    EXPECT_EQ(v.VoltageByteA("70.0", 2), 0);
    EXPECT_EQ(v.VoltageByteB("220.0", 4), 9);
    EXPECT_EQ(v.VoltageByteB("230.0", 4), 0); // the part the file lacks
    EXPECT_EQ(v.VoltageByteB("420.0", 6), 0);
    // Every other table is intact.
    EXPECT_EQ(v.VoltageByteB("70.0", 2), 1 + 5 + 4);
}

// A header whose step the file format cannot hold used to load with that step, so the table's
// own save failed later. It is a table error with the safe layout, as a missing file is.
TEST(VoltageFiles, HeadersOutsideTheStepRangeAreTableErrors) {
    TempDir f;
    WriteAll(f, 1000);
    f.Write("Resource/RX_VOL1.tbl", {0xFF, 0xFF, 7, 7, 7}); // would read as 25.755 MHz
    f.Write("Resource/TX_VOL3.tbl", {1, 100, 7, 7, 7});     // 0.2 MHz written as 0.1 + 0.100
    f.Write("Resource/RX_VOL5.tbl", {0, 200, 7, 7, 7});
    f.Write("Resource/TX_VOL7.tbl", {255, 99, 42, 43});     // 25.599 MHz: the largest step, 2 points
    std::vector<uint8_t> finest(2 + 17001, 3); // 0.001 MHz: the finest step, 17,001 points
    finest[0] = 0, finest[1] = 1;
    f.Write("Resource/RX_VOL0.tbl", finest);
    std::vector<std::string> msgs;
    VoltageTables v = LoadedFrom(f, &msgs);
    ASSERT_EQ(msgs.size(), 3u);
    EXPECT_EQ(msgs[0], "Can not Find correct \\Resource\\RX_VOL1.tbl, Please reinstall the Program.");
    EXPECT_EQ(msgs[1], "Can not Find correct \\Resource\\TX_VOL3.tbl, Please reinstall the Program.");
    EXPECT_EQ(msgs[2], "Can not Find correct \\Resource\\RX_VOL5.tbl, Please reinstall the Program.");
    EXPECT_DOUBLE_EQ(v.LoadedStep[1][0], kDefaultVolStep);
    EXPECT_DOUBLE_EQ(v.LoadedStep[3][1], kDefaultVolStep);
    EXPECT_DOUBLE_EQ(v.LoadedStep[5][0], kDefaultVolStep);
    EXPECT_EQ(v.VoltageByteA("53.0", 1), 0); // zeros, not the damaged file's points
    EXPECT_EQ(v.VoltageByteB("135.0", 3), 0);
    EXPECT_DOUBLE_EQ(v.LoadedStep[7][1], 25.599);
    EXPECT_EQ(v.VoltageByteB("470.0", 7), 42);
    EXPECT_DOUBLE_EQ(v.LoadedStep[0][0], 0.001);
    EXPECT_EQ(v.VoltageByteA("49.0", 0), 3);
    EXPECT_EQ(v.VoltageByteB("53.0", 1), 1 + 2 + 1); // a good neighbour keeps its points

    // What was loaded can be saved as it stands, and loads again without an error.
    v.CopyLoadedSteps();
    v.CalcWorkLayout();
    v.InitWorkData();
    EXPECT_TRUE(v.SaveVoltageTables().empty());
    VoltageTables w = LoadedFrom(f, &msgs);
    EXPECT_TRUE(msgs.empty());
    EXPECT_EQ(w.LoadedVolData, v.LoadedVolData);
}

TEST(VoltageFiles, SaveThenLoadIsTheIdentity) {
    TempDir f;
    VoltageTables v;
    v.Folder = f.Path();
    const double steps[] = {0.001, 0.125, 0.5, 1, 2.5, 12.5, 25.599, 0.013};
    for (int t = 0; t < kVolTables; ++t) ASSERT_TRUE(v.ChangeWorkStep(t, steps[t % 8]));
    for (size_t i = 0; i < v.WorkVolData.size(); ++i) v.WorkVolData[i] = uint8_t(i * 7);
    EXPECT_TRUE(v.SaveVoltageTables().empty());
    std::vector<std::string> msgs;
    VoltageTables w = LoadedFrom(f, &msgs);
    EXPECT_TRUE(msgs.empty());
    EXPECT_EQ(w.LoadedVolData, v.WorkVolData);
    for (int b = 0; b < kVolBands; ++b)
        for (int k : {0, 1}) EXPECT_DOUBLE_EQ(w.LoadedStep[b][k], v.WorkStep[b][k]);
    auto header = f.Read("Resource/RX_VOL0.tbl");
    EXPECT_EQ(header[0], 0);
    EXPECT_EQ(header[1], 1);
    header = f.Read("Resource/TX_VOL0.tbl");
    EXPECT_EQ(header[0], 1);
    EXPECT_EQ(header[1], 25);
}

TEST(VoltageFiles, ShorterTableReplacesTheWholeFile) {
    TempDir f;
    WriteAll(f, 500);
    VoltageTables v = LoadedFrom(f);
    v.CopyLoadedSteps();
    v.CalcWorkLayout();
    v.InitWorkData();
    ASSERT_TRUE(v.ChangeWorkStep(0, 1.0)); // 35 -> 18 points
    EXPECT_TRUE(v.SaveVoltageTables().empty());
    EXPECT_EQ(f.Read("Resource/RX_VOL0.tbl").size(), 2u + 18u);
    EXPECT_FALSE(std::filesystem::exists(f.Path() / "Resource/RX_VOL0.tbl.tmp"));
    VoltageTables w = LoadedFrom(f);
    EXPECT_EQ(w.GetTableOffset(0, 1), 18);
    EXPECT_EQ(w.LoadedVolData, v.WorkVolData);
}

TEST(VoltageFiles, FineStepIsRoundedBeforeAnyLayout) {
    VoltageTables v;
    ASSERT_TRUE(v.ChangeWorkStep(0, 0.0127));
    EXPECT_DOUBLE_EQ(v.WorkStep[0][0], 0.013);
    EXPECT_EQ(v.WorkCount[0][0], 1308);
    EXPECT_FALSE(v.ChangeWorkStep(0, 0.0004));
    EXPECT_FALSE(v.ChangeWorkStep(0, 25.6));
    EXPECT_FALSE(v.ChangeWorkStep(0, 0));
    EXPECT_FALSE(v.ChangeWorkStep(16, 1));
    EXPECT_FALSE(v.ChangeWorkStep(-1, 1));
    EXPECT_DOUBLE_EQ(v.WorkStep[0][0], 0.013);
}

class WorkingCopy : public ::testing::Test {
protected:
    void SetUp() override {
        WriteAll(f, 1000, 3);
        v = LoadedFrom(f);
        v.CopyLoadedSteps();
        v.CalcWorkLayout();
        v.InitWorkData();
        loadedData = v.LoadedVolData;
        loadedStep = v.LoadedStep;
    }
    // Points of working table t.
    std::vector<uint8_t> Table(int t) const {
        int b = t / 2, k = t % 2;
        auto first = v.WorkVolData.begin() + v.WorkOffset[b][k];
        return {first, first + v.WorkCount[b][k]};
    }
    std::vector<uint8_t> Loaded(int t) const {
        int b = t / 2, k = t % 2;
        auto first = loadedData.begin() + v.GetTableOffset(b, k);
        return {first, first + v.PointCount(b, loadedStep[b][k])};
    }
    void ExpectOthersKept(int changed) const {
        for (int t = 0; t < kVolTables; ++t)
            if (t != changed) {
                EXPECT_EQ(Table(t), Loaded(t)) << "table " << t;
            }
        EXPECT_EQ(Table(changed), std::vector<uint8_t>(size_t(v.WorkCount[changed / 2][changed % 2]), 0));
        EXPECT_EQ(v.LoadedVolData, loadedData);
        EXPECT_EQ(v.LoadedStep, loadedStep);
        int sum = 0;
        for (auto& c : v.WorkCount) sum += c[0] + c[1];
        EXPECT_EQ(size_t(sum), v.WorkVolData.size());
    }
    TempDir f;
    VoltageTables v;
    std::vector<uint8_t> loadedData;
    BandDoubles loadedStep;
};

TEST_F(WorkingCopy, StartsAsAnExactCopy) {
    EXPECT_EQ(v.WorkVolData, v.LoadedVolData);
    for (int b = 0; b < kVolBands; ++b)
        for (int k : {0, 1}) EXPECT_EQ(v.WorkOffset[b][k], v.GetTableOffset(b, k));
}

TEST_F(WorkingCopy, FirstTableChangeMovesTheRest) {
    int before = v.WorkOffset[0][1];
    ASSERT_TRUE(v.ChangeWorkStep(0, 0.5));
    EXPECT_EQ(v.WorkCount[0][0], 35);
    EXPECT_EQ(v.WorkOffset[0][1], before + 17);
    ExpectOthersKept(0);
}

TEST_F(WorkingCopy, LastAndMiddleTables) {
    ASSERT_TRUE(v.ChangeWorkStep(15, 2.5));
    ExpectOthersKept(15);
    SetUp();
    ASSERT_TRUE(v.ChangeWorkStep(7, 0.25)); // band 3 Tx
    ExpectOthersKept(7);
}

TEST_F(WorkingCopy, ManyChangesNeverTouchTheLoadedCopy) {
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(v.ChangeWorkStep((i * 5) % 16, 0.25 + (i % 7)));
    EXPECT_EQ(v.LoadedVolData, loadedData);
    EXPECT_EQ(v.LoadedStep, loadedStep);
    // Setting a table back to its loaded step leaves it zero and the others in place.
    for (int t = 0; t < kVolTables; ++t) ASSERT_TRUE(v.ChangeWorkStep(t, loadedStep[t / 2][t % 2]));
    EXPECT_EQ(v.WorkVolData.size(), loadedData.size());
}

// Random headers and lengths: every load ends with a consistent layout and every lookup
// stays inside the data.
TEST(VoltageFiles, RandomFilesNeverBreakTheLayout) {
    TempDir f;
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int round = 0; round < 20; ++round) {
        for (int b = 0; b < kVolBands; ++b)
            for (int k : {0, 1}) {
                std::vector<uint8_t> bytes(next() % 40);
                for (auto& x : bytes) x = uint8_t(next());
                if (bytes.size() >= 2 && next() % 2) bytes[0] = uint8_t(next() % 3); // fine steps too
                f.Write(std::string(k ? "Resource/TX_VOL" : "Resource/RX_VOL") + std::to_string(b) + ".tbl", bytes);
            }
        VoltageTables v = LoadedFrom(f);
        size_t sum = 0;
        for (int b = 0; b < kVolBands; ++b)
            for (int k : {0, 1}) {
                EXPECT_GT(v.LoadedStep[b][k], 0);
                sum += size_t(v.PointCount(b, v.LoadedStep[b][k]));
            }
        EXPECT_EQ(sum, v.LoadedVolData.size());
        for (int mhz = 30; mhz <= 525; mhz += 1) {
            v.VoltageByteA(std::to_string(mhz) + ".3", 0);
            v.VoltageByteB(std::to_string(mhz) + ".7", 0);
        }
        v.CopyLoadedSteps();
        v.CalcWorkLayout();
        v.InitWorkData();
        EXPECT_EQ(v.WorkVolData, v.LoadedVolData);
        // Whatever loaded can be written back.
        TempDir out;
        v.Folder = out.Path();
        EXPECT_EQ(v.SaveVoltageTables(), std::vector<std::string>{}) << "round " << round;
    }
}
