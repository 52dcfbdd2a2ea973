// The document's connection and threads on a bare pseudo-terminal, without a window.
#include "common/ExchangeFiles.h"
#include "tests/sim/SimRadio.h"
#include "tests/transmit/helpers/ToolFolder.h"
#include "transmit/core/EchoMatch.h"
#include "transmit/core/TransmitDoc.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace vt;
using namespace std::chrono_literals;

namespace {
struct FakeHost : TransmitHost {
    std::atomic<int> notifications{0};
    std::vector<std::string> messages;
    int timerStarts = 0;
    void StartTimer() override { ++timerStarts; }
    bool StopTimer() override { return true; }
    void ResetProgress() override {}
    void SetProgress(int) override {}
    void DisableStart() override {}
    void ConnectionChanged() override {}
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void RequestQuit() override {}
    void PostCommNotify() override { ++notifications; }
};

// The radio's end of the line, driven by hand.
struct RawLine {
    int master = -1, slave = -1;
    RawLine(const std::filesystem::path& folder, int com) {
        char name[256];
        termios raw{};
        ::cfmakeraw(&raw);
        EXPECT_EQ(::openpty(&master, &slave, name, &raw, nullptr), 0);
        std::filesystem::create_directories(folder / "ports");
        std::filesystem::create_symlink(name, folder / "ports" / ("COM" + std::to_string(com)));
    }
    ~RawLine() {
        ::close(master);
        ::close(slave);
    }
    size_t Pending(int waitMs) const {
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, waitMs) <= 0) return 0;
        uint8_t buf[256];
        ssize_t n = ::read(master, buf, sizeof buf);
        return n > 0 ? size_t(n) : 0;
    }
};

// Waits (up to 5 s, for a loaded machine) until pred() holds.
template <typename Pred>
bool Eventually(Pred pred) {
    for (int i = 0; i < 500 && !pred(); ++i) std::this_thread::sleep_for(10ms);
    return pred();
}

struct DocFixture {
    test::ToolFolder folder;
    RawLine line;
    FakeHost host;
    TransmitDoc doc;
    DocFixture(const std::string& name, const std::string& args)
        : folder(name), line(folder.Path(), 3), doc(folder.Path(), host) {
        folder.WriteMsgSys(1, 3, 0);
        EXPECT_TRUE(doc.OnNewDocument(args));
    }
};
} // namespace

TEST(TransmitDoc, ReadsPortAndLanguageFromMsgSys) {
    test::ToolFolder folder("doc_msgsys");
    FakeHost host;
    TransmitDoc doc(folder.Path(), host);
    folder.WriteMsgSys(1, 12, 7);
    ASSERT_TRUE(doc.OnNewDocument("/R"));
    EXPECT_EQ(doc.Port(), "COM12");
    EXPECT_EQ(doc.Mode(), ModeRead);
    EXPECT_EQ(doc.Texts().labels[2], "进度");
    folder.Write("Msg.sys", {1, 12});
    EXPECT_FALSE(doc.OnNewDocument("/R"));
    EXPECT_EQ(host.messages, (std::vector<std::string>{"Error File Length!!", "Can't Open Msg File"}));
}

TEST(TransmitDoc, SecondOpenIsRefusedWhileConnected) {
    DocFixture f("doc_twice", "/R");
    ASSERT_TRUE(f.doc.OpenPort());
    EXPECT_FALSE(f.doc.OpenPort());
    EXPECT_TRUE(f.doc.IsConnected());
    EXPECT_EQ(f.host.timerStarts, 2); // the timer starts before the check, as before
    f.doc.ClosePort();
    EXPECT_FALSE(f.doc.IsConnected());
}

TEST(TransmitDoc, WriterSendsNothingBeforeTheHandshakeReleasesIt) {
    DocFixture f("doc_writer_waits", "/W");
    f.doc.Image().fill(0x5A);
    ASSERT_TRUE(f.doc.OpenPort());
    EXPECT_EQ(f.line.Pending(400), 0u) << "no image byte before the write handshake";
    f.doc.SetState(StateTransferring);
    f.doc.ArmEcho();
    f.doc.SignalEcho();
    EXPECT_GT(f.line.Pending(5000), 0u) << "released, it sends (and resends) byte 0";
    f.doc.ClosePort();
}

TEST(TransmitDoc, LateEchoNeverRunsTheIndexPastTheEnd) {
    DocFixture f("doc_late_echo", "/W");
    f.doc.Image()[kWriteLength] = 0x77; // the byte after the last one sent
    ASSERT_TRUE(f.doc.OpenPort());
    f.doc.StartWriteAt(kWriteLength);
    f.doc.SetState(StateTransferring);
    f.doc.ArmEcho();
    uint8_t late = 0x77;
    ASSERT_EQ(::write(f.line.master, &late, 1), 1);
    std::this_thread::sleep_for(500ms); // time for the reader to take the byte
    EXPECT_EQ(f.doc.WriteIndex(), kWriteLength);
    f.doc.ClosePort();
}

TEST(TransmitDoc, EchoesAreMatchedOnlyAfterTheHandshake) {
    DocFixture f("doc_early_echo", "/W");
    f.doc.Image()[0] = 0x83; // the radio's reply byte happens to equal image byte 0
    ASSERT_TRUE(f.doc.OpenPort());
    f.doc.SetState(StateTransferring); // command sent, receive queue not yet purged
    uint8_t reply = 0x83;
    ASSERT_EQ(::write(f.line.master, &reply, 1), 1);
    EXPECT_TRUE(Eventually([&] { return f.host.notifications.load() == 1; })) << "it goes to the window";
    EXPECT_EQ(f.doc.WriteIndex(), 0) << "a stray byte before the purge must not confirm byte 0";
    f.doc.ClosePort();
}

TEST(TransmitDoc, ReaderPostsOneNotificationAtATime) {
    DocFixture f("doc_one_at_a_time", "/R");
    ASSERT_TRUE(f.doc.OpenPort());
    const uint8_t bytes[40] = {};
    ASSERT_EQ(::write(f.line.master, bytes, sizeof bytes), ssize_t(sizeof bytes));
    ASSERT_TRUE(Eventually([&] { return f.host.notifications.load() >= 1; }));
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(f.host.notifications.load(), 1) << "the next waits until the window has read";
    uint8_t buf[16];
    EXPECT_EQ(f.doc.ReadComm(buf, sizeof buf), 16u);
    f.doc.NotificationHandled();
    EXPECT_TRUE(Eventually([&] { return f.host.notifications.load() == 2; }));
    f.doc.ClosePort();
}

TEST(TransmitDoc, SendCommandWithoutConnectionSaysSo) {
    test::ToolFolder folder("doc_noconn");
    FakeHost host;
    TransmitDoc doc(folder.Path(), host);
    EXPECT_FALSE(doc.SendCommand());
    EXPECT_EQ(host.messages, std::vector<std::string>{"Comm didn't Connect!"});
    EXPECT_EQ(doc.State(), StateIdle);
}
