// The document's connection and threads on a bare pseudo-terminal, without a window.
#include "common/ExchangeFiles.h"
#include "tests/sim/SimRadio.h"
#include "tests/transmit/helpers/ToolFolder.h"
#include "transmit/core/EchoMatch.h"
#include "transmit/core/TransmitDoc.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <poll.h>
#include <pthread.h>
#include <pty.h>
#include <sched.h>
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

// A thread of this process as the kernel shows it: state letter, allowed CPUs, real-time priority.
struct ThreadView {
    char state = '?';
    std::string cpus;
    int priority = 0;
};
ThreadView ViewOf(const std::filesystem::path& task) {
    ThreadView v;
    std::string stat;
    std::getline(std::ifstream(task / "stat"), stat);
    if (auto end = stat.rfind(") "); end != std::string::npos) v.state = stat[end + 2]; // after "pid (name) "
    std::ifstream status(task / "status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Cpus_allowed_list:", 0) == 0) v.cpus = line.substr(line.find_first_not_of(" \t", 18));
    sched_param param{};
    if (::sched_getparam(std::stoi(task.filename().string()), &param) == 0) v.priority = param.sched_priority;
    return v;
}
// The tool's line threads, by name.
std::map<std::string, ThreadView> LineThreads() {
    std::map<std::string, ThreadView> out;
    for (auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        if (name.rfind("line ", 0) == 0) out[name] = ViewOf(task.path());
    }
    return out;
}
// Whether this process may give a thread real-time priority (root may, most users may not).
bool RealTimeAllowed() {
    bool allowed = false;
    std::thread([&] {
        MakeThreadTimeCritical();
        int policy = 0;
        sched_param param{};
        allowed = pthread_getschedparam(pthread_self(), &policy, &param) == 0 && policy == SCHED_FIFO;
    }).join();
    return allowed;
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
    EXPECT_GT(f.line.Pending(5000), 0u) << "released, it sends byte 0";
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

namespace {
// The next byte the tool sends, or -1 after waitMs.
int NextByte(const RawLine& line, int waitMs) {
    pollfd p{line.master, POLLIN, 0};
    uint8_t b;
    return ::poll(&p, 1, waitMs) > 0 && ::read(line.master, &b, 1) == 1 ? b : -1;
}
// The radio's echo of b, n copies in one go.
void Echo(const RawLine& line, uint8_t b, int n = 1) {
    const uint8_t copies[2] = {b, b};
    ASSERT_EQ(::write(line.master, copies, size_t(n)), n);
}
} // namespace

// The radio may have stored a byte whose echo is late or lost: sent again, it could be stored
// twice. Each byte goes out once and waits for its echo however long it takes; a radio that
// echoes twice is known by its first byte and then gets the next byte only after both.
TEST(TransmitDoc, AByteIsNeverSentAgainWhateverItsEchoDoes) {
    for (bool twice : {false, true}) {
        SCOPED_TRACE(twice ? "echoes twice" : "echoes once");
        DocFixture f(twice ? "doc_once_twice" : "doc_once_once", "/W");
        for (int i = 0; i < 4; ++i) f.doc.Image()[size_t(i)] = uint8_t(0x42 + i);
        ASSERT_TRUE(f.doc.OpenPort());
        f.doc.SetState(StateTransferring);
        f.doc.ArmEcho();
        f.doc.SignalEcho();
        ASSERT_EQ(NextByte(f.line, 5000), 0x42);
        EXPECT_EQ(NextByte(f.line, 600), -1) << "no echo yet: nothing more goes out";
        Echo(f.line, 0x42, twice ? 2 : 1);
        ASSERT_EQ(NextByte(f.line, 5000), 0x43);
        if (twice) {
            Echo(f.line, 0x43);
            EXPECT_EQ(NextByte(f.line, 600), -1) << "one of two echoes: the byte is still on the line";
            Echo(f.line, 0x43);
        } else {
            Echo(f.line, 0x43);
        }
        EXPECT_EQ(NextByte(f.line, 5000), 0x44);
        EXPECT_EQ(NextByte(f.line, 600), -1);
        EXPECT_EQ(f.doc.WriteIndex(), 2);
        EXPECT_FALSE(f.doc.EchoFailed());
        f.doc.ClosePort();
    }
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

// Every echo of a write passes from the reader to the writer: with real-time threads they share
// one CPU, the writer a step above, so the hand-over is a local switch. Otherwise, and for a
// read, the scheduler places them.
TEST(TransmitDoc, WriteLineThreadsShareOneCpuWhenRealTime) {
    const bool realTime = RealTimeAllowed();
    const std::string everyCpu = ViewOf("/proc/self/task/" + std::to_string(::getpid())).cpus;
    struct {
        const char* args;
        size_t threads;
        bool shared;
    } cases[] = {{"/W", 2, realTime}, {"/R", 1, false}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.args);
        DocFixture f(std::string("doc_cpu") + c.args[1], c.args);
        ASSERT_TRUE(f.doc.OpenPort());
        std::map<std::string, ThreadView> threads;
        // Settled: each one asleep in its first wait.
        ASSERT_TRUE(Eventually([&] {
            threads = LineThreads();
            if (threads.size() != c.threads) return false;
            for (auto& [name, view] : threads)
                if (view.state != 'S') return false;
            return true;
        }));
        auto& reader = threads["line reader"];
        if (c.shared) {
            auto& writer = threads["line writer"];
            EXPECT_EQ(writer.cpus, reader.cpus);
            EXPECT_EQ(reader.cpus.find_first_of(",-"), std::string::npos) << reader.cpus << " is not one CPU";
            EXPECT_EQ(writer.priority, reader.priority + 1);
        } else {
            for (auto& [name, view] : threads) EXPECT_EQ(view.cpus, everyCpu) << name;
        }
        f.doc.ClosePort();
    }
}

TEST(TransmitDoc, SendCommandWithoutConnectionSaysSo) {
    test::ToolFolder folder("doc_noconn");
    FakeHost host;
    TransmitDoc doc(folder.Path(), host);
    EXPECT_FALSE(doc.SendCommand());
    EXPECT_EQ(host.messages, std::vector<std::string>{"Comm didn't Connect!"});
    EXPECT_EQ(doc.State(), StateIdle);
}
