#pragma once
// A serial port opened raw with termios (9600 8N1 unless told otherwise, DTR and RTS raised,
// no flow control). Every wait polls the port together with an eventfd, so Close() wakes every
// thread at once; threads started through the port are joined before the descriptor is closed,
// so no byte is ever sent on a closed or reused descriptor. All writes share one mutex.
// The port is held alone while open (an advisory lock on the open file, so a second copy cannot
// mix its bytes in, even as root) and handed back whole on close: the lock dropped and the
// driver's latency flags restored. The lock dies with the process, so a killed or crashed run
// never keeps the next opener, of any user, out. Programs that keep to the other conventions are
// kept out too: a UUCP lock file of a live process, or the terminal's exclusive flag set by
// another opener, refuse the open (root included); the port takes a UUCP lock file of its own
// where the lock folder lets it, and a dead process's lock is taken over.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vt {

struct SerialSettings {
    int baud = 9600;
    int dataBits = 8;   // 5 to 8
    char parity = 'n';  // 'n', 'e' or 'o'
    int stopBits = 1;   // 1 or 2
};

// The driver's own serial flags (TIOCGSERIAL/TIOCSSERIAL), behind a seam so that tests can play
// a USB adapter: pseudo-terminals and many drivers have no such flags and refuse both calls.
class SerialDriverFlags {
public:
    virtual ~SerialDriverFlags() = default;
    // The driver's async flags; false when it has none.
    virtual bool Get(int fd, int* flags) = 0;
    // Sets them; false when the driver refuses.
    virtual bool Set(int fd, int flags) = 0;
};
// The one that asks the kernel.
SerialDriverFlags& SystemSerialDriverFlags();

// Gives the calling thread time-critical scheduling where the system allows it (real-time
// priority, the finest timer slack), so that a stop-and-wait line is not paced by other work on
// the machine. Without the privilege it changes nothing.
void MakeThreadTimeCritical();

// The folders where programs leave their UUCP lock files ("LCK..ttyUSB0", holding the owner's
// PID): /run/lock and /var/lock, or only the folder the variable below names (tests).
inline constexpr const char* kPortLockFolderVariable = "VELTRA_PORT_LOCK_DIR";
std::vector<std::filesystem::path> SystemPortLockFolders();

// Why the last Open failed, so that a program can say it in its user's language (the text that
// Open gives is English).
struct PortOpenError {
    enum class Kind { None, System, NotATerminal, InUse, HeldExclusively, LockedByProcess, Settings };
    Kind kind = Kind::None;
    int sysError = 0; // errno of the call that failed (System, NotATerminal, Settings), 0 if none
    long owner = 0;   // LockedByProcess: the PID its lock file names (0: taken since we looked)
    std::filesystem::path lockFile;
};

class SerialPort {
public:
    enum class Wait { Readable, Closed, Timeout, Hangup };

    SerialPort();
    // A port whose driver flags go through the given seam (it must outlive the port).
    explicit SerialPort(SerialDriverFlags& driver);
    ~SerialPort(); // closes
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens the device exclusively and configures it; false (and *error) when the device is
    // missing, not permitted (user not in dialout), busy or locked by another program, not a
    // terminal, or the settings are refused. A driver with a latency timer (USB adapters) is
    // asked for low-latency mode, so that each echoed byte is handed on at once.
    bool Open(const std::filesystem::path& device, const SerialSettings& settings = {},
              std::string* error = nullptr);
    const PortOpenError& LastOpenError() const { return lastError_; }
    // Where the UUCP lock files are looked for and taken (the system's unless a test says so);
    // takes effect at the next Open.
    void SetLockFolders(std::vector<std::filesystem::path> folders) { lockFolders_ = std::move(folders); }
    bool IsOpen() const { return fd_.load() >= 0; }
    // True from the start of Close() on: threads of the port leave their loops when they see it.
    bool Closing() const { return closing_.load(); }

    // Runs body on a thread that Close() joins. Call only while open.
    void StartThread(std::function<void()> body);
    // Wakes every wait, joins the port's threads, then closes the descriptor. Safe to call twice;
    // from one of the port's own threads it only wakes the others (the owner closes later).
    void Close();

    // Writes all bytes (waiting for room when the driver queue is full); returns how many were
    // written: fewer on an error, a hang-up or Close().
    size_t Write(const uint8_t* data, size_t size);
    size_t Write(const std::vector<uint8_t>& bytes) { return Write(bytes.data(), bytes.size()); }
    // Reads what is queued, at most max bytes, without waiting.
    size_t Read(uint8_t* out, size_t max);
    // Bytes waiting in the receive queue.
    size_t Queued() const;
    // Waits until bytes are queued, the port is closed, the line hangs up, or the time-out
    // (negative: none) passes.
    Wait WaitReadable(int timeoutMs = -1);
    // Discards the receive queue.
    bool PurgeRx();
    // Raises or lowers the request-to-send line (a no-op on lines without modem control).
    void SetRts(bool on);
    // Waits until every written byte has left the port.
    bool Drain();

private:
    int PollFd(short events, int timeoutMs, short* revents);
    // Gives the descriptor back as it was found and closes it.
    void Release(int fd);
    // False (and *error) when a live process holds the UUCP lock of the device; otherwise takes
    // it where a lock folder lets it.
    bool TakeLockFile(const std::filesystem::path& device, std::string* error);
    void DropLockFile();

    SerialDriverFlags& driver_;
    // The driver's flags before low-latency mode was asked for; -1 when nothing was changed.
    int savedDriverFlags_ = -1;
    std::vector<std::filesystem::path> lockFolders_ = SystemPortLockFolders();
    // The UUCP lock file this port created; empty when it holds none.
    std::filesystem::path lockFile_;
    PortOpenError lastError_;

    std::atomic<int> fd_{-1};
    int wake_ = -1; // eventfd, readable once Close() began
    std::atomic<bool> closing_{false};
    std::mutex writeMutex_;
    std::mutex threadsMutex_;
    std::mutex closeMutex_;
    std::vector<std::thread> threads_;
};

} // namespace vt
