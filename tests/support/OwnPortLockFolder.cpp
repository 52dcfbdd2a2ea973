// Linked into every test program: each test process keeps the serial ports' UUCP lock files in a
// folder of its own, which the programs it starts (the transfer tool, the port probe) inherit,
// and never in the machine's /run/lock. So two test runs side by side, or a killed run's lock
// whose PID another process has since taken, never keep a port from a test. A process started
// with the folder already set (by a test that started it) keeps that one.
#include "common/SerialPort.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {
class OwnPortLockFolder {
public:
    OwnPortLockFolder() {
        if (const char* set = std::getenv(vt::kPortLockFolderVariable); set && *set) return;
        std::error_code ec;
        std::string name = (std::filesystem::temp_directory_path(ec) / "veltra-locks-XXXXXX").string();
        if (ec || !::mkdtemp(name.data())) return;
        ::chmod(name.c_str(), 01777); // every user's programs lock there, as in /run/lock
        ::setenv(vt::kPortLockFolderVariable, name.c_str(), 1);
        path_ = name;
        owner_ = ::getpid();
    }
    ~OwnPortLockFolder() {
        // Not in a forked child that returns through exit(): the folder is its parent's.
        if (path_.empty() || ::getpid() != owner_) return;
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

private:
    std::string path_;
    pid_t owner_ = 0;
};
const OwnPortLockFolder kFolder;
} // namespace
