// The port is held alone while open and handed back whole: advisory lock, lock file and the
// driver's latency flags; a run that is killed or crashes leaves nothing behind for the next user.
#include "common/SerialPort.h"
#include "tests/support/ProgramHome.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/serial.h>
#include <poll.h>
#include <pty.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
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
    // The terminal's exclusive flag: left set by a dead run, it shuts every later opener but
    // root out while this line is held.
    bool Exclusive() const {
        int on = -1;
        EXPECT_EQ(::ioctl(slave, TIOCGEXCL, &on), 0);
        return on != 0;
    }
    // Another open of the device cannot take the advisory lock.
    bool Locked() const {
        int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        EXPECT_GE(fd, 0);
        bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        ::close(fd);
        return locked;
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

std::string Probe() { return (fs::read_symlink("/proc/self/exe").parent_path() / "portprobe").string(); }

// The command as the user nobody when this process is root (setpriv execs it, so its pid is the
// command's own), unchanged otherwise; empty, with the reason in *skip, when root cannot.
std::vector<std::string> AsNobody(std::vector<std::string> command, std::string* skip) {
    if (::geteuid() != 0) return command;
    passwd* nobody = ::getpwnam("nobody");
    std::string setpriv = Which("setpriv"), runuser = Which("runuser");
    if (!nobody || (setpriv.empty() && runuser.empty())) {
        *skip = "no user nobody, or neither setpriv nor runuser to become it";
        return {};
    }
    std::vector<std::string> args;
    if (!setpriv.empty())
        args = {setpriv, "--reuid=" + std::to_string(nobody->pw_uid), "--regid=" + std::to_string(nobody->pw_gid),
                "--clear-groups", "--"};
    else
        args = {runuser, "-u", "nobody", "--"};
    args.insert(args.end(), command.begin(), command.end());
    return args;
}

// Starts args with its standard output into outFd (-1: this process's); its pid, or -1.
pid_t Spawn(std::vector<std::string> args, int outFd = -1) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (outFd >= 0) ::posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    pid_t pid;
    int rc = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// Runs the port probe on device as the user nobody; its exit code, or -1 when it did not run.
int ProbeAsNobody(const std::string& device, std::string* skip) {
    auto args = AsNobody({Probe(), device}, skip);
    if (args.empty()) return -1;
    pid_t pid = Spawn(args);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}
} // namespace

TEST(SerialPortRelease, LockedWhileOpenAndFreeOnClose) {
    HeldLine line;
    SerialPort port;
    ASSERT_TRUE(port.Open(line.path));
    EXPECT_TRUE(line.Locked());
    EXPECT_FALSE(line.Exclusive()) << "a run killed now would leave the flag for the next user";
    port.Close();
    EXPECT_FALSE(line.Locked());
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
    EXPECT_TRUE(line.Locked()) << "the refused opener must not drop the holder's lock";
    first.Close();
    EXPECT_TRUE(second.Open(line.path, {}, &error)) << error;
}

// A run that ends without its close (SIGKILL, or a crash) while something else still holds the
// device: the next ordinary user opens the port all the same.
TEST(SerialPortRelease, KilledOrCrashedRunLeavesThePortToTheNextUser) {
    std::string skip;
    if (AsNobody({"x"}, &skip).empty()) GTEST_SKIP() << skip;
    // Run as nobody from a folder closed to others, the holder cannot be started; root's run of
    // this test starts its holders as nobody all the same.
    if (::access(Probe().c_str(), X_OK) != 0) GTEST_SKIP() << Probe() << " is out of this user's reach";
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore); // the crashes below are played, not investigated
    // Under the sanitizers the holder must die by the signal too, not report it and exit.
    const char* asan = std::getenv("ASAN_OPTIONS");
    vt::test::ScopedEnv crashes("ASAN_OPTIONS", std::string(asan ? asan : "") +
                                                    ":handle_segv=0:handle_sigbus=0:handle_abort=0");
    for (int sig : {SIGKILL, SIGSEGV, SIGABRT, SIGQUIT}) {
        SCOPED_TRACE(::strsignal(sig));
        HeldLine line;
        ASSERT_EQ(::chmod(line.path.c_str(), 0666), 0);
        int out[2];
        ASSERT_EQ(::pipe2(out, O_CLOEXEC), 0);
        pid_t holder = Spawn(AsNobody({Probe(), "--hold", line.path}, &skip), out[1]);
        ::close(out[1]);
        ASSERT_GT(holder, 0);
        pollfd ready{out[0], POLLIN, 0};
        char said[8] = {};
        bool held = ::poll(&ready, 1, 10000) == 1 && ::read(out[0], said, sizeof said - 1) > 0;
        ::close(out[0]);
        EXPECT_STREQ(said, "held\n");
        ::kill(holder, sig);
        int status = 0;
        ASSERT_EQ(::waitpid(holder, &status, 0), holder);
        ASSERT_TRUE(held);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        EXPECT_EQ(ProbeAsNobody(line.path, &skip), 0) << "the dead run still keeps " << line.path;
    }
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

namespace {
std::string LockText(pid_t pid) {
    char text[16];
    std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(pid));
    return text;
}
std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
void WriteText(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
// The UUCP lock file of the line in folder.
fs::path LockOf(const fs::path& folder, const HeldLine& line) {
    return folder / ("LCK.." + fs::path(line.path).filename().string());
}
} // namespace

// Terminal programs keep a line by a UUCP lock file of their live process or by the terminal's
// exclusive flag; root passes the flag's check in the open itself. Both keep the port shut, and
// the other program's lock stays as it was.
TEST(SerialPortLock, AnotherProgramsLockFileOrExclusiveFlagKeepsThePortShut) {
    vt::test::TempDir tmp("veltra-port-lock");
    HeldLine line;
    const fs::path lock = LockOf(tmp.Path(), line);
    const int32_t parent = ::getppid(); // alive, and not this process
    const std::string binary(reinterpret_cast<const char*>(&parent), sizeof parent);
    for (const std::string& held : {LockText(parent), std::to_string(parent) + "\n", binary,
                                    LockText(parent).substr(0, 10) + " minicom root\n", "\n" + std::to_string(parent) + " cu"}) {
        WriteText(lock, held);
        SerialPort port;
        port.SetLockFolders({"/nonexistent-lock-folder", tmp.Path()});
        std::string error;
        EXPECT_FALSE(port.Open(line.path, {}, &error)) << "the line is another program's";
        EXPECT_FALSE(line.Locked()) << "the refused open holds nothing";
        EXPECT_EQ(ReadText(lock), held);
    }
    fs::remove(lock);
    ASSERT_EQ(::ioctl(line.slave, TIOCEXCL), 0);
    {
        SerialPort port;
        port.SetLockFolders({tmp.Path()});
        std::string error;
        EXPECT_FALSE(port.Open(line.path, {}, &error)) << "opened a line held exclusively";
        EXPECT_FALSE(fs::exists(lock));
    }
    ASSERT_EQ(::ioctl(line.slave, TIOCNXCL), 0);
    SerialPort port;
    port.SetLockFolders({"/nonexistent-lock-folder", tmp.Path()});
    std::string error;
    EXPECT_TRUE(port.Open(line.path, {}, &error)) << error;
}

// A user's run locks in the system's folders; a test process in a folder of its own, which the
// programs it starts inherit, so that test runs side by side never meet in /run/lock.
TEST(SerialPortLock, UsersLockInTheSystemFoldersTestsInTheirOwn) {
    const char* own = std::getenv(vt::kPortLockFolderVariable);
    ASSERT_TRUE(own && *own) << "this test process has no lock folder of its own";
    EXPECT_EQ(vt::SystemPortLockFolders(), std::vector<fs::path>{own});
    EXPECT_NE(fs::canonical(own), fs::canonical("/run/lock"));
    vt::test::ScopedEnv user(vt::kPortLockFolderVariable, "");
    EXPECT_EQ(vt::SystemPortLockFolders(), (std::vector<fs::path>{"/run/lock", "/var/lock"}));
}

// The port's own lock file, named after the device a link leads to: a dead run's lock (its
// PID gone, or come round to ours) and a damaged one are taken over, and the lock goes on
// every ending: a close, the destructor, settings refused after the open.
TEST(SerialPortLock, TakesItsOwnLockFileAndRemovesItOnEveryEnding) {
    vt::test::TempDir tmp("veltra-port-ownlock");
    HeldLine line;
    const fs::path link = tmp.Path() / "COM4";
    fs::create_symlink(line.path, link);
    const fs::path lock = LockOf(tmp.Path(), line);
    pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ASSERT_GT(dead, 0);
    ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
    const std::string ours = LockText(::getpid());
    enum Ending { Close, Destructor, RefusedSettings };
    const struct {
        const char* before; // nothing: no lock file
        std::string text;
        Ending ending;
    } cases[] = {
        {nullptr, {}, Close},
        {"a dead run's", LockText(dead), Destructor},
        {"our own PID, left by a dead run", ours, Close},
        {"damaged", "garbage\n", Close},
        {nullptr, {}, RefusedSettings},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before ? c.before : "none");
        if (c.before) WriteText(lock, c.text);
        vt::SerialSettings settings;
        if (c.ending == RefusedSettings) settings.baud = 1234;
        {
            SerialPort port;
            port.SetLockFolders({tmp.Path()});
            std::string error;
            const bool opened = port.Open(link, settings, &error);
            if (c.ending == RefusedSettings) {
                EXPECT_FALSE(opened);
                EXPECT_FALSE(fs::exists(lock)) << "left behind by a refused open";
                continue;
            }
            ASSERT_TRUE(opened) << error;
            EXPECT_EQ(ReadText(lock), ours);
            EXPECT_EQ(fs::status(lock).permissions() & fs::perms::all,
                      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
            if (c.ending == Close) port.Close();
        }
        EXPECT_FALSE(fs::exists(lock));
    }
}
