// Special calls, the 5-tone list and the FARMCALL/MARNET settings through the image codec:
// what the dialogs write must encode, and decode back to the same records.
#include "common/TextUtil.h"
#include "editor/image/ConversionTables.h"
#include "editor/codec/ImageCodec.h"
#include "editor/settings/core/FarmMarnetSettings.h"
#include "editor/settings/core/FarmMarnetUpdate.h"
#include "editor/settings/core/FiveToneList.h"
#include "editor/settings/core/FiveToneSnapshot.h"
#include "editor/settings/core/SpecialCall.h"
#include "editor/dataset/DataSetReset.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"

#include <gtest/gtest.h>

#include <memory>

namespace vt {
namespace {

class SpecialCodecTest : public ::testing::Test {
protected:
    ConversionTables conv;
    EditorData d;
    FiveToneList list;

    void SetUp() override {
        conv.Folder = VELTRA_APP_DIR;
        ResetDataSet(d);
        SetBand(d, 3);
        list.Load(d);
    }
    // Encodes d; the test fails with the encoder's messages when it refuses.
    bool Encode() {
        EncodeResult r = EncodeImage(d, LoadCodecTables(conv, d.VolTables, TablesFor::Encode), ImageSource::File);
        EXPECT_TRUE(r.ok()) << ErrorListText(r.errors);
        if (r.ok()) d.MemImage = r.image;
        return r.ok();
    }
    std::unique_ptr<EditorData> RoundTrip() {
        auto back = std::make_unique<EditorData>();
        if (!Encode()) return back;
        ResetDataSet(*back);
        back->MemImage = d.MemImage;
        DecodeImage(back->MemImage, LoadCodecTables(conv, back->VolTables, TablesFor::Decode), ImageSource::File,
                    *back);
        return back;
    }
    void Install(SpecialCallEntry e) {
        e.ownId = list.OwnID;
        ASSERT_EQ(InstallSpecialCall(d, list, e), kSpecialOk);
    }
    SpecialCallEntry Entry(int type, int line) {
        SpecialCallEntry e;
        e.type = type;
        e.line = std::to_string(line);
        return e;
    }
    static std::string Text(const EditorData& x, int n) {
        return Split(x.FiveToneChannels()[static_cast<size_t>(n)])[0];
    }
    static const std::string& Sd(const EditorData& x, int n, int k) {
        return x.SpecialData()[static_cast<size_t>(n)][static_cast<size_t>(k)];
    }
};

TEST_F(SpecialCodecTest, EveryDialogCallTypeSurvivesEncodeAndDecode) {
    list.OwnID = "12307";
    auto code = Entry(kCodeRequest, 1);
    code.outstation = "11223";
    code.pin = "3";
    code.pinLevel = "TOGG";
    Install(code);
    auto query = Entry(kAlarmQuery, 2);
    query.query = "54321";
    Install(query);
    auto alarm = Entry(kAlarmInstruction, 3);
    alarm.alarmNo = "5";
    Install(alarm);
    auto panic = Entry(kPanicCall, 4);
    panic.panicNo = "15";
    Install(panic);
    Install(Entry(kEmergency, 1)); // goes to line 7 of the own ID
    auto net = Entry(kNetworkCall, 5);
    net.marnetId = "12234";
    Install(net);
    auto reply = Entry(kOtherUser, 6);
    reply.otherId = "98765";
    reply.decReply = true;
    reply.preMessage = true;
    reply.msgNum = "12";
    Install(reply);
    auto plain = Entry(kOtherUser, 8);
    plain.otherId = "45678";
    Install(plain);
    list.CommitCallTone(d, 9, "1122");
    list.Store(d);
    d.SetFiveToneInfo("12307|1|1|1|5|1");

    auto back = RoundTrip();
    // The repeat mark packs like "E", but the digit codes tell it apart: it reads back as stored.
    EXPECT_EQ(Text(*back, 1), "ROBOT 1R2R3 PIN 3 TOGG");
    EXPECT_EQ(Sd(*back, 1, 1), "1");
    EXPECT_EQ(Sd(*back, 1, 8), "TOGG");
    EXPECT_EQ(Sd(*back, 1, 9), "3");
    EXPECT_EQ(Sd(*back, 1, 10), "1R2R3");
    // The query carries no pin: it must not come back as a code request.
    EXPECT_EQ(Text(*back, 2), "ROBOT 54321 QUERY ALARM");
    EXPECT_EQ(Sd(*back, 2, 9), "");
    EXPECT_EQ(Text(*back, 3), "ROBOT 12345 ALARM");
    EXPECT_EQ(Sd(*back, 3, 1), "3");
    EXPECT_EQ(Sd(*back, 3, 9), "5");
    EXPECT_EQ(Text(*back, 4), "ROBOT 12345 PANIC");
    EXPECT_EQ(Sd(*back, 4, 1), "2");
    EXPECT_EQ(Sd(*back, 4, 9), "15");
    EXPECT_EQ(Text(*back, 7), "EMERGENCY");
    EXPECT_EQ(Sd(*back, 7, 1), "5");
    EXPECT_EQ(Sd(*back, 7, 9), "123");
    EXPECT_EQ(Split(back->FiveToneChannels()[7])[5], "1");
    EXPECT_EQ(Text(*back, 5), "MARNET 12E34");
    EXPECT_EQ(Sd(*back, 5, 10), "12E34");
    EXPECT_EQ(Text(*back, 6), "CALL 98765 MESS NO 12");
    EXPECT_EQ(Sd(*back, 6, 1), "8");
    EXPECT_EQ(Sd(*back, 6, 8), "12");
    EXPECT_EQ(Text(*back, 8), "CALL 45678");
    EXPECT_EQ(Sd(*back, 8, 1), "0");
    EXPECT_EQ(Text(*back, 9), "CALL 1122");
}

TEST_F(SpecialCodecTest, ClearThenOkAndClearThenCancelBothEncode) {
    d.SetFiveToneLine(3, "CALL 123|ZVEI1|X|CURRENT|1|2");
    FiveToneSnapshot snap(d);
    list.ClearShared(d);
    list.Store(d);
    EXPECT_TRUE(Encode());
    snap.Restore(d);
    list.Load(d);
    list.ClearShared(d);
    snap.Restore(d); // Cancel
    EXPECT_TRUE(Encode());
    EXPECT_EQ(d.FiveToneChannels()[3], "CALL 123|ZVEI1|X|CURRENT|1|2");
}

TEST_F(SpecialCodecTest, FarmcallAndMarnetResultsEncodeAndDecode) {
    d.SetFarmMarnetInfo("1|112|3|12|150.0000|1|12345|40|1|151.0000");
    UpdateFarmInfo(d);
    AcquireFiveToneList(d).Store(d); // the 5-tone dialog confirmed
    auto back = RoundTrip();
    auto f = Split(back->FarmMarnetInfo());
    ASSERT_EQ(f.size(), 10u);
    EXPECT_EQ(f[0], "1");
    EXPECT_EQ(f[1], "112");
    EXPECT_EQ(f[5], "1");
    EXPECT_EQ(f[6], "12345");
    EXPECT_EQ(f[7], "40");
    EXPECT_EQ(Sd(*back, 98, 1), "6");
    EXPECT_EQ(Sd(*back, 98, 10), "112033");
    EXPECT_EQ(Sd(*back, 100, 1), "10");
    EXPECT_EQ(back->MFG.Rows(), d.MFG.Rows());
    EXPECT_EQ(back->MFG.TextMatrix(40, 1), "151.0000");
}

// Boxes keep their texts when their group is switched off. The image has no switch bytes (a
// non-zero FARMCALL channel or MARNET count reads back as "on"), so what the dialog stores for a
// switched-off group must not bring it back on.
TEST_F(SpecialCodecTest, SwitchedOffGroupsStayOffThroughTheImage) {
    FarmMarnetSettings s;
    s.farm = false;
    s.groupId = "123";
    s.position = "45";
    s.farmChannel = "12";
    s.farmFreq = "150.0000";
    s.marnet = false;
    s.marnetId = "12345";
    s.maxChannels = "40";
    s.secondRx = false;
    ASSERT_EQ(CheckFarmSettings(s, d), 1);
    d.SetFarmMarnetInfo(s.Join());
    EXPECT_EQ(d.FarmMarnetInfo(), std::string(kDefaultFarmMarnetInfo));
    UpdateFarmInfo(d);
    const int rows = d.MFG.Rows();
    auto back = RoundTrip();
    auto f = Split(back->FarmMarnetInfo());
    ASSERT_EQ(f.size(), 10u);
    EXPECT_EQ(f[0], "0");
    EXPECT_EQ(f[5], "0");
    EXPECT_EQ(back->MFG.Rows(), rows);

    // FARMCALL on keeps its own fields and still drops the switched-off MARNET count.
    s.farm = true;
    ASSERT_EQ(CheckFarmSettings(s, d), 1);
    d.SetFarmMarnetInfo(s.Join());
    EXPECT_EQ(d.FarmMarnetInfo(), "1|123|45|12|150.0000|0|||0|");
    back = RoundTrip();
    f = Split(back->FarmMarnetInfo());
    ASSERT_EQ(f.size(), 10u);
    EXPECT_EQ(f[0], "1");
    EXPECT_EQ(f[3], "12");
    EXPECT_EQ(f[5], "0");
}

TEST_F(SpecialCodecTest, FarmcallOnSeveralAreasEncodes) {
    auto o = Split(d.RadioOption());
    o[0] = "4";
    o[1] = "50";
    d.SetRadioOption(Join(o));
    AdjustArea_Marnet(d);
    d.SetFarmMarnetInfo("1|123|45|120|150.0000|1|54321|50|0|151.0000");
    UpdateFarmInfo(d);
    AcquireFiveToneList(d).Store(d);
    EXPECT_EQ(Split(d.RadioOption())[1], "49");
    EXPECT_TRUE(Encode());
}

} // namespace
} // namespace vt
