#include "common/TextUtil.h"
#include "editor/settings/core/FarmMarnetSettings.h"
#include "editor/settings/core/FarmMarnetUpdate.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vt {
namespace {

// The rules the update ran on the data set, in order, as its listener hears them.
class RecordingWindow : public DataSetListener {
public:
    explicit RecordingWindow(EditorData& d) : d_(d) { d_.SetListener(this); }
    ~RecordingWindow() override { d_.SetListener(nullptr); }
    std::vector<std::string> calls;
    void Changed(DataSetChange what) override {
        switch (what) {
        case DataSetChange::ScanLetters: calls.push_back("UpdateScan"); break;
        case DataSetChange::AreaShape: calls.push_back("AdjustArea_Marnet"); break;
        case DataSetChange::PriorityFlags: calls.push_back("ValidateP"); break;
        case DataSetChange::TrunkFlags: calls.push_back("ValidateT"); break;
        case DataSetChange::AreaNumbers: calls.push_back("UpdateAreaNo"); break;
        case DataSetChange::SecondReceiver:
            calls.push_back("AddSecondRec(" + d_.MFG.TextMatrix(d_.MFG.Rows() - 1, ColTxFreq) + ")");
            break;
        case DataSetChange::AreaNames: calls.push_back("AreaNames"); break;
        }
    }

private:
    EditorData& d_;
};

std::string OptionField(const EditorData& d, int k) {
    return Split(d.RadioOption())[static_cast<size_t>(k)];
}

class FarmUpdateTest : public ::testing::Test {
protected:
    EditorData d;
    RecordingWindow w{d};
    void SetUp() override {
        SetBand(d, 3); // 135 -- 175 MHz
        AdjustArea_Marnet(d);
        w.calls.clear(); // the set-up's own rule
    }
    void Apply(const std::string& info) {
        d.SetFarmMarnetInfo(info);
        UpdateFarmInfo(d);
    }
    FiveToneList& List() { return AcquireFiveToneList(d); }
    const std::string& Cell(int r, int c) const { return d.MFG.TextMatrix(r, c); }
};

TEST_F(FarmUpdateTest, DefaultSettingsTouchNothing) {
    std::string before = d.RadioOption();
    Apply(kDefaultFarmMarnetInfo);
    EXPECT_FALSE(d.PendingFiveTone);
    EXPECT_TRUE(w.calls.empty());
    EXPECT_EQ(d.RadioOption(), before);
    for (int r = 1; r < d.MFG.Rows(); ++r) EXPECT_EQ(Cell(r, 11), "") << r;
    Apply("1|2|3"); // not 10 fields
    EXPECT_FALSE(d.PendingFiveTone);
}

TEST_F(FarmUpdateTest, FarmcallOnly) {
    Apply("1|123|45|12|150.000|0|||0|");
    EXPECT_EQ(Cell(12, 1), "150.000");
    EXPECT_EQ(Cell(12, 2), "150.000");
    EXPECT_EQ(Cell(12, 4), "FARMCALL");
    EXPECT_EQ(Cell(12, 11), "AP");
    EXPECT_EQ(List().LineText(98), "FARMCALL 123455|ZVEI1|FARMCALL 123455|200|3|1");
    EXPECT_EQ(List().LineText(99), "FARMCALL 123455|ZVEI1|FARMCALL 123455|12|2|2");
    EXPECT_EQ(d.SpecialData()[98][1], "6");
    EXPECT_EQ(d.SpecialData()[98][10], "123455");
    EXPECT_EQ(d.SpecialData()[99][10], "123455");
    EXPECT_EQ(List().FarmcallLabel, "123");
    EXPECT_EQ(List().RingLabel, "45");
    EXPECT_EQ(List().FarmChannelLabel, "12");
    EXPECT_EQ(d.RadioOption(), kDefaultRadioOption);
    // Nothing reaches the stored list before the 5-tone dialog's OK.
    EXPECT_EQ(d.FiveToneChannels()[98], kEmptyToneLine);
}

TEST_F(FarmUpdateTest, FarmcallPushesOtherEmergencyNumbersOn) {
    List().SetCell(5, 6, "1");
    List().SetCell(6, 6, "2");
    Apply("1|123|45|12|150.000|0|||0|");
    EXPECT_EQ(List().Cell(98, 6), "1");
    EXPECT_EQ(List().Cell(99, 6), "2");
    EXPECT_EQ(List().Cell(5, 6), "3");
    EXPECT_EQ(List().Cell(6, 6), "4");
}

TEST_F(FarmUpdateTest, RepeatedDigitsAreMarkedButTheAppendedOneIsNot) {
    EXPECT_EQ(FarmCallText("112", "34"), "FARMCALL 1R2344");
    EXPECT_EQ(FarmCallCode("112", "34"), "112344");
    // A one-digit position is padded, so the code keeps its six characters.
    EXPECT_EQ(FarmCallText("112", "3"), "FARMCALL 1R2033");
    EXPECT_EQ(FarmCallCode("112", "3"), "112033");
    Apply("1|112|3|12|150.000|0|||0|");
    EXPECT_EQ(d.SpecialData()[98][10], "112033");
    EXPECT_EQ(List().Cell(98, 1), "FARMCALL 1R2033");
}

TEST_F(FarmUpdateTest, MarnetOnlyOnTheDefaultOptions) {
    Apply("0|||||1|12234|40|0|151.000");
    EXPECT_EQ(OptionField(d, 1), "39");
    EXPECT_EQ(OptionField(d, 16), "2");
    EXPECT_EQ(OptionField(d, 17), "100");
    EXPECT_EQ(OptionField(d, 31), "1");
    EXPECT_EQ(d.MFG.Rows(), 39 + 3); // the MARNET row after the area's channels
    EXPECT_EQ(List().OwnID, "12R34");
    EXPECT_EQ(List().MarnetLabel, "40");
    EXPECT_EQ(List().LineText(100), "MARNET 12R34|ZVEI1|MARNET BASE|40|3|");
    EXPECT_EQ(d.SpecialData()[100][1], "10");
    EXPECT_EQ(d.SpecialData()[100][10], "12R34");
    EXPECT_EQ(Cell(40, 1), "151.000");
    EXPECT_EQ(Cell(40, 2), "151.000");
    EXPECT_EQ(Cell(40, 4), "MARNET");
    EXPECT_EQ(Cell(40, 11), "AP");
    EXPECT_EQ(Cell(41, 0), "201");
    std::vector<std::string> expected = {"AdjustArea_Marnet", "ValidateP", "ValidateT", "UpdateAreaNo", "UpdateScan"};
    EXPECT_EQ(w.calls, expected);
}

TEST_F(FarmUpdateTest, ForcedSelectCallKeyRefreshesTheScanLetters) {
    auto f = Split(d.RadioOption());
    f[16] = "5"; // F2 was ACS
    d.SetRadioOption(Join(f));
    UpdateScan(d);
    ASSERT_EQ(d.ScanChoices[1], "A");
    Apply("0|||||1|12345|40|0|151.000");
    EXPECT_EQ(d.ScanChoices[1], "T");
}

TEST_F(FarmUpdateTest, BothOnWithTheSecondReceiver) {
    Apply("1|123|45|12|150.000|1|12345|40|1|152.000");
    EXPECT_EQ(List().Cell(98, 4), "40"); // line 98 points at the MARNET base channel
    EXPECT_EQ(List().Cell(99, 4), "12");
    EXPECT_EQ(List().Cell(100, 1), "MARNET 12345");
    int last = d.MFG.Rows() - 1;
    EXPECT_EQ(Cell(last, 1), "152.000");
    EXPECT_EQ(Cell(last, 11), "AP");
    EXPECT_EQ(Cell(12, 11), ""); // with the second receiver only its row answers
    EXPECT_EQ(Cell(40, 11), "");
    EXPECT_EQ(std::count(w.calls.begin(), w.calls.end(), "AddSecondRec(152.000)"), 2);
}

// The update runs inside the dialog's OK, which marks the data set; the update itself is no edit
// (the 5-tone list it fills is confirmed by its own dialog).
TEST_F(FarmUpdateTest, TheUpdateLeavesTheEditToTheDialogsOk) {
    d.SetFarmMarnetInfo("1|123|45|12|150.000|1|12345|40|1|152.000", RecordWrite::Quiet);
    const std::string option = d.RadioOption();
    UpdateFarmInfo(d);
    EXPECT_NE(d.RadioOption(), option);
    EXPECT_EQ(d.SpecialData()[98][1], "6");
    EXPECT_EQ(d.SpecialData()[100][10], "12345");
    EXPECT_FALSE(d.IsModified());
}

TEST_F(FarmUpdateTest, MarnetOnSeveralAreas) {
    auto f = Split(d.RadioOption());
    f[0] = "3";
    f[1] = "50";
    d.SetRadioOption(Join(f));
    AdjustArea_Marnet(d);
    Apply("0|||||1|12345|40|0|151.000");
    EXPECT_EQ(OptionField(d, 1), "39");
    EXPECT_EQ(d.MFG.Rows(), 3 * 39 + 2); // no extra row with more than one area
    EXPECT_NE(Cell(40, 0).find("Area:2"), std::string::npos) << Cell(40, 0);
    EXPECT_NE(Cell(39, 0).find("Area:1"), std::string::npos) << Cell(39, 0);
    EXPECT_EQ(Cell(40, 4), "MARNET");
    EXPECT_EQ(Cell(d.MFG.Rows() - 1, 0), "201");
}

TEST_F(FarmUpdateTest, SwitchingMarnetOffDropsTheExtraRow) {
    Apply("0|||||1|12345|40|0|151.000");
    ASSERT_EQ(d.MFG.Rows(), 42);
    d.SetCell(41, 1, "160.0000", RecordWrite::Quiet); // second receiver
    w.calls.clear();
    Apply("0|||||0|12345|40|0|151.000");
    EXPECT_EQ(d.MFG.Rows(), 41);
    EXPECT_EQ(Cell(40, 0), "201");
    EXPECT_EQ(Cell(40, 1), "160.0000");
    std::vector<std::string> expected = {"AdjustArea_Marnet", "UpdateAreaNo"};
    EXPECT_EQ(w.calls, expected);
}

TEST_F(FarmUpdateTest, RowsOutsideTheChannelRowsAreNeverWritten) {
    Apply("1|123|45|500|150.000|0|||0|");
    for (int r = 0; r < d.MFG.Rows(); ++r) EXPECT_NE(Cell(r, 4), "FARMCALL") << r;
    Apply("1|123|45|0|150.000|0|||0|");
    EXPECT_EQ(Cell(0, 4), d.MFG.TextMatrix(0, 4));
    EXPECT_NE(Cell(0, 11), "AP");
}

TEST_F(FarmUpdateTest, AMaximumTheDialogWouldRefuseLeavesTheOptionRecord) {
    Apply("0|||||1|12345|1|0|151.000");
    EXPECT_EQ(d.RadioOption(), kDefaultRadioOption);
    EXPECT_TRUE(w.calls.empty());
    EXPECT_EQ(d.SpecialData()[100][1], "10");
}

TEST_F(FarmUpdateTest, WithoutAFullOptionRecordOnlyTheOptionStepIsSkipped) {
    d.SetRadioOption("1|200");
    Apply("0|||||1|12345|40|0|151.000");
    EXPECT_EQ(d.RadioOption(), "1|200");
    EXPECT_TRUE(w.calls.empty());
    EXPECT_EQ(Cell(40, 4), "MARNET");
    EXPECT_EQ(List().Cell(100, 3), "MARNET BASE");
}

class FarmCheckTest : public ::testing::Test {
protected:
    EditorData d;
    FarmMarnetSettings s;
    void SetUp() override { SetBand(d, 3); }
    void Shape(int areas, int perArea) {
        auto f = Split(d.RadioOption());
        f[0] = std::to_string(areas);
        f[1] = std::to_string(perArea);
        d.SetRadioOption(Join(f));
    }
    void Farm() {
        s.farm = true;
        s.groupId = "123";
        s.position = "45";
        s.farmChannel = "12";
        s.farmFreq = "150.0";
    }
    void Marnet() {
        s.marnet = true;
        s.marnetId = "12345";
        s.maxChannels = "40";
        s.secFreq = "151.0";
    }
    int Check() const { return CheckFarmSettings(s, d); }
};

TEST_F(FarmCheckTest, RecordRoundTrip) {
    auto p = FarmMarnetSettings::Parse("1|123|45|12|150.0|0|12345|40|1|151.0");
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->farm);
    EXPECT_FALSE(p->marnet);
    EXPECT_EQ(p->maxChannels, "40");
    EXPECT_EQ(p->Join(), "1|123|45|12|150.0|0|||1|151.0"); // MARNET is off: its fields go
    p->marnet = true;
    EXPECT_EQ(p->Join(), "1|123|45|12|150.0|1|12345|40|1|151.0");
    EXPECT_EQ(FarmMarnetSettings().Join(), kDefaultFarmMarnetInfo);
    EXPECT_FALSE(FarmMarnetSettings::Parse(""));
    EXPECT_FALSE(FarmMarnetSettings::Parse("0|||||0|||0||"));
}

TEST_F(FarmCheckTest, EmptySettingsPass) { EXPECT_EQ(Check(), 1); }

TEST_F(FarmCheckTest, ChannelBeyondAllAreasIsReportedBeforeEmptyBoxes) {
    Shape(2, 50);
    Farm();
    s.farmChannel = "150";
    s.groupId = "";
    EXPECT_EQ(Check(), -12);
    EXPECT_EQ(FarmMessageEntry(-12), 11);
    Shape(1, 200);
    s.farmChannel = "200";
    EXPECT_EQ(Check(), -1);
    d.SetRadioOption("");
    s.groupId = "123";
    EXPECT_EQ(Check(), 1); // without a record the test is skipped
}

TEST_F(FarmCheckTest, EachMissingEntryHasItsCode) {
    Farm();
    s.groupId = "12";
    EXPECT_EQ(Check(), -13);
    s.groupId = "123";
    s.farmChannel = "";
    EXPECT_EQ(Check(), -2);
    s.farmChannel = "12";
    s.farmFreq = "";
    EXPECT_EQ(Check(), -3);
    s.farmFreq = "180.0"; // outside the band counts as missing
    EXPECT_EQ(Check(), -3);
    s.farmFreq = "150.0";
    s.position = "";
    EXPECT_EQ(Check(), -4);
    s.position = "45";
    Marnet();
    s.marnetId = "";
    EXPECT_EQ(Check(), -5);
    s.marnetId = "1234";
    EXPECT_EQ(Check(), -14);
    s.marnetId = "12345";
    s.maxChannels = "";
    EXPECT_EQ(Check(), -6);
    s.maxChannels = "1";
    EXPECT_EQ(Check(), -15);
    s.maxChannels = "40";
    s.secFreq = " ";
    EXPECT_EQ(Check(), -9);
    s.secFreq = "151.0";
    EXPECT_EQ(Check(), 1);
}

TEST_F(FarmCheckTest, SecondReceiverAloneNeedsItsFrequency) {
    Farm();
    s.secondRx = true;
    EXPECT_EQ(Check(), -8);
    EXPECT_EQ(FarmMessageEntry(-8), 7);
    s.secFreq = "151.0";
    EXPECT_EQ(Check(), 1);
}

TEST_F(FarmCheckTest, MarnetChannelLimits) {
    Shape(3, 50);
    Marnet();
    s.maxChannels = "67";
    EXPECT_EQ(Check(), -11);
    s.maxChannels = "66";
    EXPECT_EQ(Check(), 1);
    Shape(1, 200);
    Farm();
    s.maxChannels = "40";
    s.farmChannel = "40";
    EXPECT_EQ(Check(), -10);
    s.farmChannel = "39";
    EXPECT_EQ(Check(), 1);
}

TEST_F(FarmCheckTest, MessageEntries) {
    EXPECT_EQ(FarmMessageEntry(-1), 1);
    EXPECT_EQ(FarmMessageEntry(-6), 6);
    EXPECT_EQ(FarmMessageEntry(-7), 0);
    EXPECT_EQ(FarmMessageEntry(-9), 8);
    EXPECT_EQ(FarmMessageEntry(-15), 14);
    EXPECT_EQ(FarmMessageEntry(1), 0);
}

TEST_F(FarmCheckTest, BoxRules) {
    auto v = CheckFarmBox(kPositionBox, "97", d);
    EXPECT_TRUE(v.keep);
    for (const char* t : {"0", "98"}) {
        v = CheckFarmBox(kPositionBox, t, d);
        EXPECT_FALSE(v.keep);
        EXPECT_EQ(v.tip, 0) << t;
    }
    v = CheckFarmBox(kPositionBox, "1.5", d); // plain whole numbers only
    EXPECT_FALSE(v.keep);
    EXPECT_EQ(v.tip, 6);
    v = CheckFarmBox(kFarmChannelBox, "201", d);
    EXPECT_FALSE(v.keep);
    EXPECT_EQ(v.tip, 0);
    EXPECT_TRUE(CheckFarmBox(kMaxChannelsBox, "200", d).keep);
    EXPECT_TRUE(CheckFarmBox(kGroupIdBox, "12", d).keep); // short: reported at OK
    EXPECT_EQ(CheckFarmBox(kGroupIdBox, "1e2", d).tip, 6);
    EXPECT_EQ(CheckFarmBox(kMarnetIdBox, "", d).tip, 6);
    EXPECT_TRUE(CheckFarmBox(kFarmFreqBox, "135", d).keep); // band edges count
    EXPECT_TRUE(CheckFarmBox(kSecFreqBox, "175.0", d).keep);
    EXPECT_EQ(CheckFarmBox(kFarmFreqBox, "134.99", d).tip, 7);
    EXPECT_EQ(CheckFarmBox(kSecFreqBox, "176", d).tip, 5);
    EXPECT_EQ(CheckFarmBox(kSecFreqBox, "1.5e2", d).tip, 6);
}

} // namespace
} // namespace vt
