#include "editor/service/core/SetupEngine.h"
#include "editor/dataset/EditorData.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Records what the engine sends; accepts at most `capacity` bytes per write when set.
class RecordingLink : public vt::SetupLink {
public:
    bool OpenForReceiving() override {
        ++opens;
        open = canOpen;
        return open;
    }
    bool IsOpen() const override { return open; }
    size_t Write(const uint8_t* data, size_t size) override {
        if (!open) return 0;
        const size_t n = std::min(size, capacity);
        sent.insert(sent.end(), data, data + n);
        return n;
    }
    void SetRts(bool on) override { rts.push_back(on); }
    void DiscardInput() override { ++discards; }
    void Pause(int ms) override { pausedMs += ms; }

    bool canOpen = true;
    bool open = false;
    size_t capacity = SIZE_MAX;
    int opens = 0;
    int discards = 0;
    int pausedMs = 0;
    std::vector<uint8_t> sent;
    std::vector<bool> rts;
};

struct EngineFixture : ::testing::Test {
    vt::EditorData data;
    RecordingLink link;
    int decodes = 0;
    vt::SetupEngine engine{data, link, [this] { ++decodes; }};

    void Answer() {
        const uint8_t reply[] = {0xA0, 0x83, 0x01};
        engine.OnReceived(reply, sizeof reply);
    }
};

using Outcome = vt::SetupEngine::Outcome;

} // namespace

TEST_F(EngineFixture, IdleEngineNeverActs) {
    engine.Reset();
    EXPECT_EQ(engine.SetupStage(), 0);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(engine.Tick(), Outcome::Running);
    const uint8_t bytes[] = {0x83, 0x01, 0xEB, 1, 2};
    engine.OnReceived(bytes, sizeof bytes);
    EXPECT_FALSE(engine.SetupAnswerFlag());
    EXPECT_EQ(engine.SetupReceived(), 0);
    EXPECT_TRUE(link.sent.empty());
}

TEST_F(EngineFixture, NoAnswerTimesOutOnTheFifthTick) {
    ASSERT_TRUE(engine.StartSetupProcess());
    EXPECT_EQ(link.sent, std::vector<uint8_t>{0x8C});
    EXPECT_EQ(link.rts, (std::vector<bool>{true, false}));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(engine.Tick(), Outcome::Running);
    EXPECT_EQ(engine.Tick(), Outcome::TimedOut);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(engine.Tick(), Outcome::Running); // the timer is off
}

TEST_F(EngineFixture, PortThatWillNotOpenStartsNothing) {
    link.canOpen = false;
    EXPECT_FALSE(engine.StartSetupProcess());
    EXPECT_FALSE(engine.Running());
    EXPECT_TRUE(link.sent.empty());
}

TEST_F(EngineFixture, HandshakeNeedsAByteAfterTheReply) {
    engine.StartSetupProcess();
    const uint8_t lone = 0x83;
    engine.OnReceived(&lone, 1);
    EXPECT_FALSE(engine.SetupAnswerFlag());
    const uint8_t ignored = 0xA0;
    engine.OnReceived(&ignored, 1);
    EXPECT_FALSE(engine.SetupAnswerFlag());
    const uint8_t more = 0x00;
    engine.OnReceived(&more, 1);
    EXPECT_TRUE(engine.SetupAnswerFlag());
}

TEST_F(EngineFixture, WriteSendsTheImageAndCompletes) {
    data.TransferMode = 1;
    for (size_t i = 0; i < data.MemImage.size(); ++i) data.MemImage[i] = static_cast<uint8_t>(i * 7);
    engine.StartSetupProcess();
    Answer();
    link.sent.clear();
    Outcome out = Outcome::Running;
    int ticks = 0;
    while ((out = engine.Tick()) == Outcome::Running && ticks < 100) ++ticks;
    EXPECT_EQ(out, Outcome::Completed);
    EXPECT_EQ(engine.SetupStage(), 3);
    ASSERT_EQ(link.sent.size(), 3u + 16000u);
    EXPECT_EQ(std::vector<uint8_t>(link.sent.begin(), link.sent.begin() + 3),
              (std::vector<uint8_t>{0xA0, 0x20, 0x20}));
    EXPECT_TRUE(std::equal(link.sent.begin() + 3, link.sent.end(), data.MemImage.begin()));
    EXPECT_EQ(decodes, 0); // only a read decodes
}

TEST_F(EngineFixture, WriteThatMakesNoProgressStallsOnTheThirdTick) {
    data.TransferMode = 1;
    engine.StartSetupProcess();
    Answer();
    link.capacity = 0; // the line takes nothing
    EXPECT_EQ(engine.Tick(), Outcome::Running);
    EXPECT_EQ(engine.Tick(), Outcome::Running);
    EXPECT_EQ(engine.Tick(), Outcome::Stalled);
    EXPECT_EQ(engine.SendPosition(), 0);
}

TEST_F(EngineFixture, ReadFillsTheImageAndDecodes) {
    data.TransferMode = 0;
    data.MemImage.fill(0);
    engine.StartSetupProcess();
    Answer();
    EXPECT_EQ(engine.Tick(), Outcome::Running); // stage 2, read command sent
    EXPECT_EQ(std::vector<uint8_t>(link.sent.end() - 3, link.sent.end()),
              (std::vector<uint8_t>{0xA1, 0x21, 0x21}));
    std::vector<uint8_t> stream{0x11, 0xEB};
    for (int i = 0; i < 16401; ++i) stream.push_back(static_cast<uint8_t>(i % 251));
    engine.OnReceived(stream.data(), 8000);
    EXPECT_EQ(engine.StatusCaption(""), "48% Completed");
    EXPECT_EQ(engine.Tick(), Outcome::Running);
    engine.OnReceived(stream.data() + 8000, stream.size() - 8000);
    EXPECT_EQ(engine.Tick(), Outcome::Completed);
    EXPECT_EQ(decodes, 1);
    EXPECT_EQ(engine.SetupReceived(), 16401);
    EXPECT_EQ(data.MemImage[0], 0);
    EXPECT_EQ(data.MemImage[15999], static_cast<uint8_t>(15999 % 251));
    EXPECT_EQ(data.MemImage[16000], 0); // only 16000 bytes of a read are kept
}

TEST_F(EngineFixture, ReadStallsCountOverTheWholeRun) {
    engine.StartSetupProcess();
    Answer();
    EXPECT_EQ(engine.Tick(), Outcome::Running); // first stall: nothing yet
    const uint8_t some[] = {0xEB, 1, 2, 3};
    engine.OnReceived(some, sizeof some);
    EXPECT_EQ(engine.Tick(), Outcome::Running);
    EXPECT_EQ(engine.Tick(), Outcome::Running); // second
    engine.OnReceived(some, sizeof some);
    EXPECT_EQ(engine.Tick(), Outcome::Running);
    EXPECT_EQ(engine.Tick(), Outcome::Stalled); // third, though progress came in between
    EXPECT_EQ(decodes, 0);
}

TEST_F(EngineFixture, ReadWithoutTheReceivingFlag) {
    engine.StartSetupProcess();
    Answer();
    engine.ReceivingFlag = false;
    std::vector<uint8_t> flow{0xEB};
    flow.resize(100, 1);
    Outcome out = Outcome::Running;
    for (int i = 0; i < 3 && out == Outcome::Running; ++i) {
        engine.OnReceived(flow.data(), flow.size());
        out = engine.Tick();
    }
    EXPECT_EQ(out, Outcome::NotReceiving);
}
