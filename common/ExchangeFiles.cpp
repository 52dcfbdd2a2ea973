#include "common/ExchangeFiles.h"

#include <algorithm>
#include <limits>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt {

bool IsFinalStatus(uint8_t status) {
    return status != StatusRequested && status != StatusReading && status != StatusWriting;
}

namespace {
void SetError(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + std::strerror(err);
}

bool WriteAll(int fd, const uint8_t* data, size_t size, std::string* error, const std::string& name) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            SetError(error, name, errno);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool WriteWithFlags(const std::filesystem::path& path, int flags, const uint8_t* data, size_t size,
                    std::string* error) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) {
        SetError(error, path.string(), errno);
        return false;
    }
    bool ok = WriteAll(fd, data, size, error, path.string());
    if (::close(fd) != 0 && ok) {
        SetError(error, path.string(), errno);
        ok = false;
    }
    return ok;
}

// Reads up to maxBytes from an open descriptor, then closes it.
std::optional<std::vector<uint8_t>> ReadAndClose(int fd, const std::filesystem::path& path, size_t maxBytes,
                                                 size_t expected, std::string* error) {
    std::vector<uint8_t> out;
    out.reserve(expected);
    uint8_t buf[65536];
    while (out.size() < maxBytes) {
        ssize_t n = ::read(fd, buf, std::min(sizeof buf, maxBytes - out.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            SetError(error, path.string(), errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    ::close(fd);
    return out;
}
} // namespace

std::optional<std::vector<uint8_t>> ReadFileHead(const std::filesystem::path& path, size_t maxBytes,
                                                 std::string* error) {
    // Non-blocking, so that a FIFO chosen by mistake cannot hang the open; refused below.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        SetError(error, path.string(), errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        SetError(error, path.string(), S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        ::close(fd);
        return std::nullopt;
    }
    return ReadAndClose(fd, path, maxBytes, std::min<size_t>(maxBytes, static_cast<size_t>(std::max<off_t>(st.st_size, 0))),
                        error);
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::string* error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, path.string(), errno);
        return std::nullopt;
    }
    return ReadAndClose(fd, path, std::numeric_limits<size_t>::max(), 0, error);
}

bool WriteFileNoTruncate(const std::filesystem::path& path, const uint8_t* data, size_t size, std::string* error) {
    return WriteWithFlags(path, O_WRONLY | O_CREAT, data, size, error);
}

bool WriteFileReplace(const std::filesystem::path& path, const uint8_t* data, size_t size, std::string* error) {
    return WriteWithFlags(path, O_WRONLY | O_CREAT | O_TRUNC, data, size, error);
}

std::optional<MsgSys> ReadMsgSys(const std::filesystem::path& path, std::string* error) {
    auto bytes = ReadFileBytes(path, error);
    if (!bytes) return std::nullopt;
    if (bytes->size() < 3) {
        if (error) *error = "Error File Length!!";
        return std::nullopt;
    }
    return MsgSys{(*bytes)[0], (*bytes)[1], (*bytes)[2]};
}

bool WriteMsgSys(const std::filesystem::path& path, const MsgSys& msg, std::string* error) {
    const uint8_t b[3] = {msg.status, msg.port, msg.language};
    return WriteFileNoTruncate(path, b, 3, error);
}

bool WriteMsgSysStatus(const std::filesystem::path& path, uint8_t status, std::string* error) {
    return WriteWithFlags(path, O_WRONLY, &status, 1, error);
}

} // namespace vt
