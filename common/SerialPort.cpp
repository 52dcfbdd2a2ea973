#include "common/SerialPort.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace vt {

namespace {
void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

PortOpenError Failed(PortOpenError::Kind kind, int sysError = 0, long owner = 0, std::filesystem::path lock = {}) {
    PortOpenError e;
    e.kind = kind;
    e.sysError = sysError;
    e.owner = owner;
    e.lockFile = std::move(lock);
    return e;
}

bool BaudConstant(int baud, speed_t* out) {
    static const struct { int baud; speed_t code; } kRates[] = {
        {1200, B1200}, {2400, B2400}, {4800, B4800}, {9600, B9600},
        {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
    };
    for (auto& r : kRates)
        if (r.baud == baud) {
            *out = r.code;
            return true;
        }
    return false;
}

bool Configure(int fd, const SerialSettings& s, std::string* error) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        SetError(error, std::string("not a serial port: ") + std::strerror(errno));
        return false;
    }
    speed_t speed;
    if (!BaudConstant(s.baud, &speed) || s.dataBits < 5 || s.dataBits > 8 || (s.stopBits != 1 && s.stopBits != 2)) {
        SetError(error, "unsupported port settings");
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    static const tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= kSizes[s.dataBits - 5] | CLOCAL | CREAD;
    if (s.parity == 'e' || s.parity == 'E') tio.c_cflag |= PARENB;
    else if (s.parity == 'o' || s.parity == 'O') tio.c_cflag |= PARENB | PARODD;
    if (s.parity != 'n' && s.parity != 'N') tio.c_iflag |= INPCK;
    if (s.stopBits == 2) tio.c_cflag |= CSTOPB;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0; // reads return at once with what is queued
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        SetError(error, std::string("port settings refused: ") + std::strerror(errno));
        return false;
    }
    // Raise DTR and RTS; pseudo-terminals have no modem lines, so a refusal is not an error.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &lines);
    return true;
}
} // namespace

namespace {
class KernelDriverFlags : public SerialDriverFlags {
public:
    bool Get(int fd, int* flags) override {
        serial_struct ss{};
        if (::ioctl(fd, TIOCGSERIAL, &ss) != 0) return false;
        *flags = ss.flags;
        return true;
    }
    bool Set(int fd, int flags) override {
        serial_struct ss{};
        if (::ioctl(fd, TIOCGSERIAL, &ss) != 0) return false;
        ss.flags = flags;
        return ::ioctl(fd, TIOCSSERIAL, &ss) == 0;
    }
};
} // namespace

namespace {
// The PID a UUCP lock file names: the first number in it, blanks before it and whatever after it
// (the usual ten columns and a newline, or "PID program user" as some terminal programs write),
// or the old four-byte binary form (it holds a zero byte, which no text form does); 0 when it
// names none.
pid_t LockOwner(const std::filesystem::path& lock) {
    int fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) return 0;
    char text[32] = {};
    ssize_t n;
    do {
        n = ::read(fd, text, sizeof text - 1);
    } while (n < 0 && errno == EINTR);
    ::close(fd);
    if (n == 4 && std::memchr(text, 0, 4)) {
        int32_t binary;
        std::memcpy(&binary, text, sizeof binary);
        return binary > 0 ? binary : 0;
    }
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n') ++p;
    long pid = 0;
    for (; *p >= '0' && *p <= '9' && pid < 1'000'000'000; ++p) pid = pid * 10 + (*p - '0');
    return static_cast<pid_t>(pid);
}

// A lock of our own PID is a dead run's whose PID came round again: this process never holds a
// device twice (the advisory lock came first).
bool HeldByAnother(pid_t pid) {
    return pid > 0 && pid != ::getpid() && (::kill(pid, 0) == 0 || errno == EPERM);
}

// The lock file's name follows the device itself, not a link to it (ports/COM<n>, by-id names).
std::string LockName(const std::filesystem::path& device) {
    std::error_code ec;
    auto real = std::filesystem::canonical(device, ec);
    return "LCK.." + (ec ? device : real).filename().string();
}

// Creates lock holding our PID, all at once (a link to a finished temporary file), so that no
// reader sees it half written; false when it exists or the folder refuses.
bool CreateLockFile(const std::filesystem::path& lock, bool* exists) {
    char text[16];
    int len = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(::getpid()));
    const std::filesystem::path temp =
        lock.parent_path() / ("LTMP." + std::to_string(::getpid()) + "." + lock.filename().string().substr(5));
    ::unlink(temp.c_str());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) return false;
    bool ok = ::write(fd, text, static_cast<size_t>(len)) == len;
    ::fchmod(fd, 0644); // readable by every program, whatever the umask
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::link(temp.c_str(), lock.c_str()) == 0;
    *exists = !ok && errno == EEXIST;
    ::unlink(temp.c_str());
    return ok;
}
} // namespace

std::vector<std::filesystem::path> SystemPortLockFolders() {
    // Only the tests set it: each of their runs keeps its lock files in a folder of its own, so
    // that two runs side by side, or a dead run's PID come round again, never meet.
    if (const char* own = std::getenv(kPortLockFolderVariable); own && *own == '/') return {own};
    return {"/run/lock", "/var/lock"};
}

SerialDriverFlags& SystemSerialDriverFlags() {
    static KernelDriverFlags flags;
    return flags;
}

void MakeThreadTimeCritical() {
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 10;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

SerialPort::SerialPort() : SerialPort(SystemSerialDriverFlags()) {}

SerialPort::SerialPort(SerialDriverFlags& driver) : driver_(driver) {
    wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

SerialPort::~SerialPort() {
    Close();
    if (wake_ >= 0) ::close(wake_);
}

bool SerialPort::Open(const std::filesystem::path& device, const SerialSettings& settings, std::string* error) {
    std::lock_guard lock(closeMutex_);
    lastError_ = {};
    if (fd_.load() >= 0) {
        SetError(error, "port already open");
        return false;
    }
    if (wake_ < 0) {
        SetError(error, "no event descriptor");
        return false;
    }
    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        lastError_ = Failed(PortOpenError::Kind::System, errno);
        SetError(error, device.string() + ": " + std::strerror(errno));
        return false;
    }
    // Only a terminal is a port: nothing is locked or changed on anything else.
    termios probe{};
    if (::tcgetattr(fd, &probe) != 0) {
        lastError_ = Failed(PortOpenError::Kind::NotATerminal, errno);
        SetError(error, device.string() + ": not a serial port: " + std::strerror(errno));
        ::close(fd);
        return false;
    }
    // Not shared: a second program on the same line would mix its bytes into ours. The lock
    // keeps out every copy of the tool, root's too, and belongs to this open file, so the
    // kernel drops it however the process ends. The terminal's exclusive flag is not used: it
    // outlives a killed or crashed run while anything else holds the device, and then every
    // later opener but root gets EBUSY.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        lastError_ = Failed(PortOpenError::Kind::InUse);
        SetError(error, device.string() + ": in use by another program");
        ::close(fd);
        return false;
    }
    // Root's open passes the exclusive flag that another program set; the flag still says the
    // line is taken. Kernels before 3.8 cannot tell, and then only the locks count.
    int exclusive = 0;
    if (::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive) {
        lastError_ = Failed(PortOpenError::Kind::HeldExclusively);
        SetError(error, device.string() + ": held exclusively by another program");
        ::flock(fd, LOCK_UN);
        ::close(fd);
        return false;
    }
    if (!TakeLockFile(device, error)) {
        ::flock(fd, LOCK_UN);
        ::close(fd);
        return false;
    }
    // USB adapters hold received bytes for their latency timer (16 ms on common chips), which
    // would make every echo of a byte-by-byte write wait for it. Drivers without the flag, and
    // pseudo-terminals, refuse: then nothing changes.
    int flags = 0;
    if (driver_.Get(fd, &flags) && !(flags & ASYNC_LOW_LATENCY) && driver_.Set(fd, flags | ASYNC_LOW_LATENCY))
        savedDriverFlags_ = flags;
    errno = 0; // settings refused without a system error leave none
    if (!Configure(fd, settings, error)) {
        lastError_ = Failed(PortOpenError::Kind::Settings, errno);
        Release(fd);
        return false;
    }
    uint64_t drained;
    while (::read(wake_, &drained, sizeof drained) > 0) {
    }
    closing_ = false;
    fd_ = fd;
    return true;
}

void SerialPort::StartThread(std::function<void()> body) {
    std::lock_guard lock(threadsMutex_);
    threads_.emplace_back(std::move(body));
}

void SerialPort::Close() {
    bool ownThread = false;
    {
        std::lock_guard lock(threadsMutex_);
        for (auto& t : threads_)
            if (t.get_id() == std::this_thread::get_id()) ownThread = true;
    }
    closing_ = true;
    if (wake_ >= 0) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_, &one, sizeof one);
    }
    if (ownThread) return;

    std::lock_guard lock(closeMutex_);
    std::vector<std::thread> threads;
    {
        std::lock_guard tlock(threadsMutex_);
        threads.swap(threads_);
    }
    for (auto& t : threads)
        if (t.joinable()) t.join();
    int fd = fd_.exchange(-1);
    if (fd >= 0) {
        std::lock_guard wlock(writeMutex_); // a write in progress finishes first
        Release(fd);
    }
}

void SerialPort::Release(int fd) {
    if (savedDriverFlags_ >= 0) driver_.Set(fd, savedDriverFlags_);
    savedDriverFlags_ = -1;
    ::flock(fd, LOCK_UN);
    ::close(fd);
    DropLockFile();
}

bool SerialPort::TakeLockFile(const std::filesystem::path& device, std::string* error) {
    const std::string name = LockName(device);
    std::vector<std::filesystem::path> folders;
    for (const auto& f : lockFolders_) {
        std::error_code ec;
        auto real = std::filesystem::canonical(f, ec);
        if (ec || !std::filesystem::is_directory(real, ec)) continue;
        if (std::find(folders.begin(), folders.end(), real) == folders.end()) folders.push_back(real);
    }
    // Every folder is looked at before ours is taken: one program's lock in either keeps us out.
    for (const auto& f : folders) {
        const auto lock = f / name;
        pid_t owner = LockOwner(lock);
        if (HeldByAnother(owner)) {
            lastError_ = Failed(PortOpenError::Kind::LockedByProcess, 0, owner, lock);
            SetError(error, device.string() + ": locked by process " + std::to_string(owner) + " (" + lock.string() + ")");
            return false;
        }
        // A dead run's lock goes. One that cannot be removed (another user's, in a sticky folder)
        // keeps no one out: then the port opens without a lock file of its own.
        struct stat st {};
        if (::lstat(lock.c_str(), &st) == 0) ::unlink(lock.c_str());
    }
    for (const auto& f : folders) {
        const auto lock = f / name;
        bool exists = false;
        if (CreateLockFile(lock, &exists)) {
            lockFile_ = lock;
            return true;
        }
        // Another program took it since we looked.
        if (exists && HeldByAnother(LockOwner(lock))) {
            lastError_ = Failed(PortOpenError::Kind::LockedByProcess, 0, 0, lock);
            SetError(error, device.string() + ": locked by another program (" + lock.string() + ")");
            return false;
        }
    }
    return true; // no folder lets us: the advisory lock alone keeps the port
}

void SerialPort::DropLockFile() {
    // Only while it still names us: a lock another program put in its place stays.
    if (!lockFile_.empty() && LockOwner(lockFile_) == ::getpid()) ::unlink(lockFile_.c_str());
    lockFile_.clear();
}

int SerialPort::PollFd(short events, int timeoutMs, short* revents) {
    pollfd fds[2] = {{fd_.load(), events, 0}, {wake_, POLLIN, 0}};
    int r;
    do {
        r = ::poll(fds, 2, timeoutMs);
    } while (r < 0 && errno == EINTR);
    *revents = fds[0].revents;
    if (r > 0 && (fds[1].revents & POLLIN)) return -2;
    return r;
}

size_t SerialPort::Write(const uint8_t* data, size_t size) {
    std::lock_guard lock(writeMutex_);
    size_t done = 0;
    while (done < size && !closing_.load()) {
        int fd = fd_.load();
        if (fd < 0) break;
        ssize_t n = ::write(fd, data + done, size - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) break;
        short rev = 0;
        int r = PollFd(POLLOUT, -1, &rev);
        if (r == -2 || r < 0 || (rev & (POLLHUP | POLLERR | POLLNVAL))) break;
    }
    return done;
}

size_t SerialPort::Read(uint8_t* out, size_t max) {
    int fd = fd_.load();
    if (fd < 0 || max == 0) return 0;
    for (;;) {
        ssize_t n = ::read(fd, out, max);
        if (n > 0) return static_cast<size_t>(n);
        if (n < 0 && errno == EINTR) continue;
        return 0;
    }
}

size_t SerialPort::Queued() const {
    int fd = fd_.load();
    int n = 0;
    if (fd < 0 || ::ioctl(fd, FIONREAD, &n) != 0 || n < 0) return 0;
    return static_cast<size_t>(n);
}

SerialPort::Wait SerialPort::WaitReadable(int timeoutMs) {
    if (closing_.load() || fd_.load() < 0) return Wait::Closed;
    short rev = 0;
    int r = PollFd(POLLIN, timeoutMs, &rev);
    if (r == -2) return Wait::Closed;
    if (r < 0) return Wait::Hangup;
    if (r == 0) return Wait::Timeout;
    // A hung-up line also reports POLLIN (reads fail at once): only queued bytes count.
    if ((rev & (POLLHUP | POLLERR | POLLNVAL)) && Queued() == 0) return Wait::Hangup;
    if (rev & POLLIN) return Wait::Readable;
    return Wait::Hangup;
}

bool SerialPort::PurgeRx() {
    int fd = fd_.load();
    return fd >= 0 && ::tcflush(fd, TCIFLUSH) == 0;
}

void SerialPort::SetRts(bool on) {
    int fd = fd_.load();
    int line = TIOCM_RTS;
    if (fd >= 0) ::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

bool SerialPort::Drain() {
    std::lock_guard lock(writeMutex_);
    int fd = fd_.load();
    return fd >= 0 && ::tcdrain(fd) == 0;
}

} // namespace vt
