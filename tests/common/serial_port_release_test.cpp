// The port is held alone while open and handed back whole: exclusive flag, advisory lock and the
// driver's latency flags.
#include "common/SerialPort.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <linux/serial.h>
#include <pty.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using vt::SerialPort;

namespace {
// A pseudo-terminal whose far end stays open, as a modem manager or the simulated radio would
// keep it.
struct HeldLine {
    int master = -1, slave = -1;
    std::string path;
    HeldLine() {
        char name[256];
        termios raw{};
        ::cfmakeraw(&raw);
        EXPECT_EQ(::openpty(&master, &slave, name, &raw, nullptr), 0);
        path = name;
    }
    ~HeldLine() {
        ::close(master);
        ::close(slave);
    }
    bool Exclusive() const {
        int on = -1;
        EXPECT_EQ(::ioctl(slave, TIOCGEXCL, &on), 0);
        return on != 0;
    }
};

// A driver that plays a USB adapter (or one that refuses), recording what the port asks.
struct FakeDriver : vt::SerialDriverFlags {
    int flags = ASYNC_SKIP_TEST | ASYNC_SPD_HI;
    bool refuseGet = false, refuseSet = false;
    std::vector<int> sets;
    bool Get(int, int* out) override {
        if (refuseGet) return false;
        *out = flags;
        return true;
    }
    bool Set(int, int value) override {
        if (refuseSet) return false;
        sets.push_back(value);
        flags = value;
        return true;
    }
};

std::string Which(const char* name) {
    for (const char* dir : {"/usr/bin", "/bin", "/usr/sbin", "/sbin"}) {
        fs::path p = fs::path(dir) / name;
        if (::access(p.c_str(), X_OK) == 0) return p;
    }
    return {};
}

// Runs the port probe on device as the user nobody; its exit code, or -1 when it did not run.
int ProbeAsNobody(const std::string& device, std::string* skip) {
    passwd* nobody = ::getpwnam("nobody");
    std::string setpriv = Which("setpriv"), runuser = Which("runuser");
    if (!nobody || (setpriv.empty() && runuser.empty())) {
        *skip = "no user nobody, or neither setpriv nor runuser to become it";
        return -1;
    }
    std::string probe = (fs::read_symlink("/proc/self/exe").parent_path() / "portprobe").string();
    std::vector<std::string> args;
    if (!setpriv.empty())
        args = {setpriv, "--reuid=" + std::to_string(nobody->pw_uid), "--regid=" + std::to_string(nobody->pw_gid),
                "--clear-groups", "--", probe, device};
    else
        args = {runuser, "-u", "nobody", "--", probe, device};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}
} // namespace

TEST(SerialPortRelease, ExclusiveWhileOpenAndClearedOnClose) {
    HeldLine line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    EXPECT_TRUE(line.Exclusive());
    port.Close();
    EXPECT_FALSE(line.Exclusive()) << "the next ordinary user would get EBUSY";

    // A port that opens but refuses its settings is handed back the same way.
    vt::SerialSettings odd;
    odd.baud = 1234;
    std::string error;
    EXPECT_FALSE(port.Open(line.path, odd, &error));
    EXPECT_EQ(error, "unsupported port settings");
    EXPECT_FALSE(line.Exclusive());
}

TEST(SerialPortRelease, OrdinaryUserOpensThePortAfterAnotherRunClosedIt) {
    HeldLine line;
    ASSERT_EQ(::chmod(line.path.c_str(), 0666), 0); // a user in dialout, as far as the device goes
    {
        SerialPort port;
        ASSERT_TRUE(port.Open(line.path));
    }
    if (::geteuid() != 0) {
        SerialPort again;
        std::string error;
        EXPECT_TRUE(again.Open(line.path, {}, &error)) << error;
        return;
    }
    std::string skip;
    int code = ProbeAsNobody(line.path, &skip);
    if (code == -1 && !skip.empty()) GTEST_SKIP() << skip;
    EXPECT_EQ(code, 0) << "nobody could not open " << line.path << " after root closed it";
}

TEST(SerialPortRelease, SecondOpenerIsRefusedEvenAsRootUntilTheFirstCloses) {
    HeldLine line;
    SerialPort first, second;
    ASSERT_TRUE(first.Open(line.path));
    std::string error;
    EXPECT_FALSE(second.Open(line.path, {}, &error)) << "two programs would mix their bytes on one line";
    EXPECT_FALSE(second.IsOpen());
    EXPECT_TRUE(error.find("in use") != std::string::npos || error.find("busy") != std::string::npos) << error;
    EXPECT_TRUE(line.Exclusive()) << "the refused opener must not clear the holder's flag";
    first.Close();
    EXPECT_TRUE(second.Open(line.path, {}, &error)) << error;
}

TEST(SerialPortRelease, NothingButATerminalIsLockedOrChanged) {
    vt::test::TempDir tmp("veltra-port-release");
    const fs::path dir = tmp.Path();
    fs::path file = dir / "not_a_port";
    std::ofstream(file) << "user data";
    for (const fs::path& p : {file, fs::path("/dev/null"), dir}) {
        SerialPort port;
        std::string error;
        EXPECT_FALSE(port.Open(p, {}, &error)) << p;
        EXPECT_FALSE(error.empty()) << p;
    }
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "user data");
    int fd = ::open(file.c_str(), O_RDONLY);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0) << "no lock left behind";
    ::close(fd);
}

TEST(SerialPortLatency, UsbAdapterIsAskedForLowLatencyAndGivenItsFlagsBack) {
    HeldLine line;
    FakeDriver driver;
    const int before = driver.flags;
    {
        SerialPort port(driver);
        ASSERT_TRUE(port.Open(line.path));
        ASSERT_EQ(driver.sets.size(), 1u);
        EXPECT_EQ(driver.sets[0], before | ASYNC_LOW_LATENCY) << "the other flags stay as they were";
        port.Close();
        ASSERT_EQ(driver.sets.size(), 2u);
        EXPECT_EQ(driver.sets[1], before);
        port.Close(); // a second close restores nothing more
    } // nor does the destructor
    EXPECT_EQ(driver.sets.size(), 2u);

    // A refused open after the request gives the flags back too.
    driver.sets.clear();
    SerialPort port(driver);
    vt::SerialSettings odd;
    odd.dataBits = 9;
    EXPECT_FALSE(port.Open(line.path, odd));
    EXPECT_EQ(driver.sets, (std::vector<int>{int(before | ASYNC_LOW_LATENCY), before}));
}

TEST(SerialPortLatency, DriversThatRefuseOrAlreadyRunLowLatencyAreLeftAlone) {
    HeldLine line;
    FakeDriver already;
    already.flags |= ASYNC_LOW_LATENCY;
    FakeDriver noFlags;
    noFlags.refuseGet = true;
    FakeDriver readOnly;
    readOnly.refuseSet = true;
    for (FakeDriver* d : {&already, &noFlags, &readOnly}) {
        SerialPort port(*d);
        std::string error;
        EXPECT_TRUE(port.Open(line.path, {}, &error)) << error;
        port.Close();
        EXPECT_TRUE(d->sets.empty()) << "nothing to change and nothing to restore";
    }
    // The kernel's pseudo-terminal has no such flags: the real seam reports that, and the port
    // opens all the same (every other test opens one).
    int flags = 0;
    EXPECT_FALSE(vt::SystemSerialDriverFlags().Get(line.slave, &flags));
}
