#include "common/SerialPort.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace std::chrono_literals;
using vt::SerialPort;

namespace {
// A pseudo-terminal whose master plays the far end of the line.
struct Line {
    int master = -1, slave = -1;
    std::string path;
    Line() {
        char name[256];
        termios raw{};
        ::cfmakeraw(&raw);
        EXPECT_EQ(::openpty(&master, &slave, name, &raw, nullptr), 0);
        path = name;
    }
    ~Line() {
        if (master >= 0) ::close(master);
        if (slave >= 0) ::close(slave);
    }
    void Send(const std::vector<uint8_t>& b) const { ASSERT_EQ(::write(master, b.data(), b.size()), ssize_t(b.size())); }
    std::vector<uint8_t> Take(size_t want, int timeoutMs = 2000) const {
        std::vector<uint8_t> got;
        while (got.size() < want) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, timeoutMs) <= 0) break;
            uint8_t buf[4096];
            ssize_t n = ::read(master, buf, std::min(sizeof buf, want - got.size()));
            if (n <= 0) break;
            got.insert(got.end(), buf, buf + n);
        }
        return got;
    }
};
} // namespace

TEST(SerialPort, RefusesMissingDevicesAndPlainFiles) {
    SerialPort port;
    std::string error;
    EXPECT_FALSE(port.Open("/nonexistent/ttyUSB9", {}, &error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    vt::test::TempDir tmp("veltra-serial");
    const std::string file = tmp.File("not_a_tty").string();
    std::ofstream(file) << "x";
    EXPECT_FALSE(port.Open(file, {}, &error));
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPort, ConfiguresRaw9600EightNoneOne) {
    Line line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    termios tio{};
    ASSERT_EQ(::tcgetattr(line.slave, &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), B9600);
    EXPECT_EQ(::cfgetispeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | ICRNL));
    EXPECT_FALSE(tio.c_oflag & OPOST);
    std::string error;
    EXPECT_FALSE(port.Open(line.path, {}, &error)) << "a second open of the same object";
}

TEST(SerialPort, MovesEveryByteValueBothWays) {
    Line line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i) all[i] = uint8_t(i);
    EXPECT_EQ(port.Write(all), 256u);
    EXPECT_EQ(line.Take(256), all);

    uint8_t buf[512];
    EXPECT_EQ(port.Read(buf, sizeof buf), 0u) << "nothing queued: no wait";
    line.Send(all);
    ASSERT_EQ(port.WaitReadable(2000), SerialPort::Wait::Readable);
    std::vector<uint8_t> got;
    while (got.size() < 256 && port.WaitReadable(2000) == SerialPort::Wait::Readable) {
        EXPECT_GT(port.Queued(), 0u);
        size_t n = port.Read(buf, 16);
        EXPECT_LE(n, 16u);
        got.insert(got.end(), buf, buf + n);
    }
    EXPECT_EQ(got, all);
}

TEST(SerialPort, PurgeDiscardsTheReceiveQueue) {
    Line line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    line.Send({1, 2, 3});
    ASSERT_EQ(port.WaitReadable(2000), SerialPort::Wait::Readable);
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(port.PurgeRx());
    EXPECT_EQ(port.Queued(), 0u);
    EXPECT_EQ(port.WaitReadable(50), SerialPort::Wait::Timeout);
}

TEST(SerialPort, CloseWakesAndJoinsAWaitingThread) {
    Line line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    std::atomic<int> result{-1};
    std::atomic<bool> finished{false};
    port.StartThread([&] {
        result = int(port.WaitReadable(-1));
        std::this_thread::sleep_for(50ms); // Close must still wait for this
        finished = true;
    });
    std::this_thread::sleep_for(30ms);
    port.Close();
    EXPECT_TRUE(finished.load()) << "Close returned before its thread ended";
    EXPECT_EQ(result.load(), int(SerialPort::Wait::Closed));
    EXPECT_FALSE(port.IsOpen());
    port.Close(); // twice is harmless
}

TEST(SerialPort, CloseReleasesAWriteBlockedOnAFullQueue) {
    Line line; // nobody reads the master: the queue fills up
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    std::vector<uint8_t> big(1 << 20, 0x55);
    std::atomic<size_t> written{0};
    port.StartThread([&] { written = port.Write(big); });
    // Close once the write has begun, however long a loaded machine takes to start the thread
    // (a fixed pause let Close come first, and the write then rightly sent nothing).
    pollfd began{line.master, POLLIN, 0};
    ASSERT_EQ(::poll(&began, 1, 20000), 1);
    std::this_thread::sleep_for(50ms); // let it fill the queue and block
    port.Close();
    EXPECT_GT(written.load(), 0u);
    EXPECT_LT(written.load(), big.size());
}

TEST(SerialPort, HangupEndsTheWaitInsteadOfSpinning) {
    Line line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    ::close(line.slave);
    line.slave = -1;
    ::close(line.master);
    line.master = -1;
    EXPECT_EQ(port.WaitReadable(2000), SerialPort::Wait::Hangup);
    EXPECT_EQ(port.Write({0x8C}), 0u);
}

TEST(SerialPort, CloseFromItsOwnThreadDoesNotDeadlock) {
    Line line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    std::atomic<bool> done{false};
    port.StartThread([&] {
        port.Close();
        done = true;
    });
    for (int i = 0; i < 2000 && !done; ++i) std::this_thread::sleep_for(10ms); // a loaded machine is slow to start it
    EXPECT_TRUE(done.load());
    EXPECT_TRUE(port.Closing());
    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPort, ConcurrentWritesNeverInterleave) {
    Line line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    constexpr size_t kBlock = 3000;
    std::vector<uint8_t> a(kBlock, 0xAA), b(kBlock, 0xBB);
    port.StartThread([&] { port.Write(a); });
    port.StartThread([&] { port.Write(b); });
    auto got = line.Take(2 * kBlock);
    port.Close();
    ASSERT_EQ(got.size(), 2 * kBlock);
    int changes = 0;
    for (size_t i = 1; i < got.size(); ++i) changes += got[i] != got[i - 1];
    EXPECT_EQ(changes, 1);
}

TEST(SerialPort, ReopensAfterClose) {
    Line line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    port.Close();
    ASSERT_TRUE(port.Open(line.path));
    EXPECT_FALSE(port.Closing());
    EXPECT_EQ(port.WaitReadable(20), SerialPort::Wait::Timeout) << "the old close must not wake the new port";
    EXPECT_EQ(port.Write({7}), 1u);
    EXPECT_EQ(line.Take(1), std::vector<uint8_t>{7});
}
