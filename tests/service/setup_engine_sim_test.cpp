// The setup engine and its port against the simulated radio on a pseudo-terminal.
#include "editor/service/core/SetupEngine.h"
#include "editor/service/core/SetupPort.h"
#include "editor/dataset/EditorData.h"
#include "tests/sim/SimRadio.h"
#include "tests/support/ProgramHome.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Outcome = vt::SetupEngine::Outcome;

namespace {

struct SimFixture : ::testing::Test {
    std::unique_ptr<vt::test::ProgramHome> program;
    fs::path home;
    vt::EditorData data;
    vt::SetupPort port{data};
    int decodes = 0;
    vt::SetupEngine engine{data, port, [this] { ++decodes; }};

    void SetUp() override {
        program = std::make_unique<vt::test::ProgramHome>("veltra-setup-sim");
        home = program->Path();
        data.CommPort = 3;
    }
    void TearDown() override {
        port.Close();
        program.reset();
    }
    vt::sim::SimRadio* radio = nullptr;
    size_t taken = 0; // bytes of the radio's handed to the engine
    void Attach(vt::sim::SimRadio& r) {
        std::string error;
        ASSERT_TRUE(r.Start(&error)) << error;
        ASSERT_TRUE(r.LinkAs(home, 3, &error)) << error;
        radio = &r;
    }
    // One supervision second: everything the radio had to say by now (however long a loaded
    // machine takes to carry it) is handed over, then the tick runs. So a tick without progress
    // means a radio with nothing more to send, never a slow machine.
    Outcome Second() {
        std::this_thread::sleep_for(60ms);
        const auto until = std::chrono::steady_clock::now() + 20s;
        for (;;) {
            const bool sending = radio->Sending();
            const size_t sent = radio->SentCount();
            const auto bytes = port.ReadAll();
            taken += bytes.size();
            engine.OnReceived(bytes.data(), bytes.size());
            // A write's transfer purges the echoes and does not wait for them.
            const bool writing = engine.Mode() == 1 && engine.SetupStage() == vt::SetupEngine::StageTransfer;
            if ((!sending && (taken >= sent || writing)) || std::chrono::steady_clock::now() > until) break;
            std::this_thread::sleep_for(5ms);
        }
        return engine.Tick();
    }
    Outcome RunToEnd(int maxTicks = 60) {
        Outcome out = Outcome::Running;
        for (int i = 0; i < maxTicks && out == Outcome::Running; ++i) out = Second();
        return out;
    }
};

} // namespace

TEST_F(SimFixture, WriteHandsTheImageToTheRadio) {
    vt::sim::SimRadio radio;
    Attach(radio);
    const auto image = vt::sim::MakeTestImage(data.MemImage.size(), 7);
    std::copy(image.begin(), image.end(), data.MemImage.begin());
    data.TransferMode = 1;
    ASSERT_TRUE(engine.StartSetupProcess());
    EXPECT_EQ(RunToEnd(), Outcome::Completed);
    ASSERT_TRUE(radio.WaitUntil([&] { return radio.StoredCount() >= 16000; }, 5s));
    const auto stored = radio.Memory();
    EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + 16000, data.MemImage.begin()));
    EXPECT_EQ(radio.StoredCount(), 16000u); // never more than it was given
    EXPECT_EQ(decodes, 0);
}

TEST_F(SimFixture, ReadCompletesWhenTheRadioSendsEnough) {
    vt::sim::SimOptions opt;
    opt.trailer.assign(450, 0x11); // the engine waits for more than 16400 bytes
    vt::sim::SimRadio radio(opt);
    Attach(radio);
    const auto memory = vt::sim::MakeTestImage(16000, 3);
    radio.SetMemory(memory);
    data.MemImage.fill(0);
    data.MemImage[16000] = 0x42;
    data.TransferMode = 0;
    ASSERT_TRUE(engine.StartSetupProcess());
    EXPECT_EQ(RunToEnd(), Outcome::Completed);
    EXPECT_EQ(decodes, 1);
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), data.MemImage.begin()));
    EXPECT_EQ(data.MemImage[16000], 0x42);
}

TEST_F(SimFixture, ReadOfAnOrdinaryStreamEndsAsAStall) {
    vt::sim::SimRadio radio; // 16,000 bytes and a two-byte trailer: short of what the engine wants
    Attach(radio);
    data.TransferMode = 0;
    ASSERT_TRUE(engine.StartSetupProcess());
    EXPECT_EQ(RunToEnd(), Outcome::Stalled);
    EXPECT_EQ(decodes, 0);
    EXPECT_EQ(engine.SetupReceived(), 16002);
}

TEST_F(SimFixture, SilentRadioTimesOut) {
    vt::sim::SimOptions opt;
    opt.silent = true;
    vt::sim::SimRadio radio(opt);
    Attach(radio);
    ASSERT_TRUE(engine.StartSetupProcess());
    EXPECT_EQ(RunToEnd(), Outcome::TimedOut);
    EXPECT_EQ(engine.SetupTicks(), 5);
}

TEST(SetupPortSettings, ParsesThePortSettingsText) {
    const auto s = vt::ParseCommSettings("9600,n,8,1");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->baud, 9600);
    EXPECT_EQ(s->parity, 'n');
    EXPECT_EQ(s->dataBits, 8);
    EXPECT_EQ(s->stopBits, 1);
    EXPECT_FALSE(vt::ParseCommSettings("9600,n,8"));
    EXPECT_FALSE(vt::ParseCommSettings("fast,n,8,1"));
    EXPECT_FALSE(vt::ParseCommSettings("9600,none,8,1"));
}
