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
    // Non-blocking: a FIFO in the file's place fails at once instead of waiting for a reader.
    int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
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
                                                 size_t expected, std::string* error, int* sysError = nullptr) {
    std::vector<uint8_t> out;
    out.reserve(expected);
    uint8_t buf[65536];
    while (out.size() < maxBytes) {
        ssize_t n = ::read(fd, buf, std::min(sizeof buf, maxBytes - out.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            if (sysError) *sysError = errno;
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

namespace {
// Opens a file that must be a regular one. Non-blocking, so that a FIFO or a device put in its
// place cannot hang the open (a FIFO's open waits for a writer) or a read; those are refused
// with EINVAL, a folder with EISDIR. -1 with *err set on failure.
int OpenRegular(const std::filesystem::path& path, int flags, int* err) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        *err = errno;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -1;
    }
    return fd;
}
} // namespace

std::optional<std::vector<uint8_t>> ReadFileHead(const std::filesystem::path& path, size_t maxBytes,
                                                 std::string* error, int* sysError) {
    int err = 0;
    int fd = OpenRegular(path, O_RDONLY, &err);
    if (fd < 0) {
        if (sysError) *sysError = err;
        SetError(error, path.string(), err);
        return std::nullopt;
    }
    struct stat st {};
    ::fstat(fd, &st);
    return ReadAndClose(fd, path, maxBytes, std::min<size_t>(maxBytes, static_cast<size_t>(std::max<off_t>(st.st_size, 0))),
                        error, sysError);
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

namespace {
// The file a chain of symbolic links names, the path itself when it is none.
std::filesystem::path FollowLinks(std::filesystem::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 128 && std::filesystem::is_symlink(path, ec); ++hops) {
        auto to = std::filesystem::read_symlink(path, ec);
        if (ec) break;
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return path;
}

// Copies what lies beyond `from` in the old file to the end of fd.
bool CopyTail(const std::filesystem::path& old, off_t from, int fd, int* err) {
    int in = ::open(old.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0) {
        *err = errno;
        return false;
    }
    std::string ignored;
    bool ok = ::lseek(in, from, SEEK_SET) == from;
    uint8_t buf[65536];
    while (ok) {
        ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = WriteAll(fd, buf, static_cast<size_t>(n), &ignored, {});
    }
    if (!ok) *err = errno;
    ::close(in);
    return ok;
}
} // namespace

bool ReplaceFileAtomic(const std::filesystem::path& path, const uint8_t* data, size_t size,
                       const AtomicReplace& how, ReplaceError* error) {
    ReplaceError failure;
    auto fail = [&](int err, bool target = false) {
        failure = {err, target};
        if (error) *error = failure;
        return false;
    };
    const std::filesystem::path target = how.replaceLink ? path : FollowLinks(path);
    struct stat old {};
    // A link that is replaced keeps nothing of the file it names.
    const bool exists = ::lstat(target.c_str(), &old) == 0 && !S_ISLNK(old.st_mode);
    if (exists && S_ISDIR(old.st_mode)) return fail(EISDIR, true);
    if (exists && ::access(target.c_str(), W_OK) != 0) return fail(errno, true);

    // Private until it is whole; the old file's permissions are given just before the rename.
    std::string temp;
    int fd = -1;
    for (unsigned n = 0; fd < 0 && n < 100; ++n) {
        temp = target.string() + "." + std::to_string(::getpid()) + "-" + std::to_string(n) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : how.newFileMode);
        if (fd < 0 && errno != EEXIST) return fail(errno);
    }
    if (fd < 0) return fail(EEXIST);
    std::string ignored;
    int err = 0;
    bool ok = WriteAll(fd, data, size, &ignored, {}) || (err = errno, false);
    if (ok && exists && how.keepOldTail && old.st_size > static_cast<off_t>(size))
        ok = CopyTail(target, static_cast<off_t>(size), fd, &err);
    if (ok && exists && how.keepOwner && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
        (void)!::fchown(fd, old.st_uid, old.st_gid); // allowed to root only; the rest keep theirs
    if (ok && exists && ::fchmod(fd, old.st_mode & 07777) != 0) ok = (err = errno, false);
    if (ok && ::fsync(fd) != 0) ok = (err = errno, false);
    if (::close(fd) != 0 && ok) ok = (err = errno, false);
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) ok = (err = errno, false);
    if (!ok) {
        ::unlink(temp.c_str());
        return fail(err);
    }
    return true;
}

std::string ReplaceErrorText(const std::filesystem::path& path, const ReplaceError& error) {
    return path.string() + ": " + std::strerror(error.sysError);
}

namespace {
ExchangeResult Failed(ExchangeFailure failure, int sysError = 0) { return {failure, sysError}; }

// Fewer than minLength bytes: refused before anything is read or written.
bool LongEnough(int fd, size_t minLength) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_size >= static_cast<off_t>(minLength);
}

// Reads up to size bytes from the start; how many came.
size_t ReadStart(int fd, uint8_t* out, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, out + done, size - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}
} // namespace

ExchangeResult ReadMsgSys(const std::filesystem::path& path, MsgSys& msg, size_t minLength) {
    int err = 0;
    int fd = OpenRegular(path, O_RDONLY, &err);
    if (fd < 0) return Failed(ExchangeFailure::Open, err);
    uint8_t b[kMsgSysSize];
    ExchangeResult result;
    size_t got = 0;
    if (!LongEnough(fd, minLength)) result = Failed(ExchangeFailure::Length);
    else if ((got = ReadStart(fd, b, sizeof b)) < minLength)
        result = Failed(ExchangeFailure::Read);
    ::close(fd);
    if (!result) return result;
    uint8_t* fields[kMsgSysSize] = {&msg.status, &msg.port, &msg.language};
    for (size_t i = 0; i < got; ++i) *fields[i] = b[i];
    return result;
}

bool WriteMsgSys(const std::filesystem::path& path, const MsgSys& msg, std::string* error) {
    const uint8_t b[kMsgSysSize] = {msg.status, msg.port, msg.language};
    return WriteFileNoTruncate(path, b, sizeof b, error);
}

ExchangeResult WriteMsgSysStatus(const std::filesystem::path& path, uint8_t status, size_t minLength) {
    int err = 0;
    int fd = OpenRegular(path, O_RDWR, &err);
    if (fd < 0) return Failed(ExchangeFailure::Open, err);
    ExchangeResult result;
    if (!LongEnough(fd, minLength)) {
        result = Failed(ExchangeFailure::Length);
    } else {
        ssize_t n;
        do {
            n = ::pwrite(fd, &status, 1, 0);
        } while (n < 0 && errno == EINTR);
        if (n != 1) result = Failed(ExchangeFailure::Write, errno);
    }
    if (::close(fd) != 0 && result) result = Failed(ExchangeFailure::Write, errno);
    return result;
}

ExchangeResult LoadWriteBuffer(const std::filesystem::path& path, ToolImage& image) {
    int err = 0;
    int fd = OpenRegular(path, O_RDONLY, &err);
    if (fd < 0) return Failed(ExchangeFailure::Open, err);
    ExchangeResult result;
    if (!LongEnough(fd, image.size())) result = Failed(ExchangeFailure::Length);
    else if (ReadStart(fd, image.data(), image.size()) < image.size()) result = Failed(ExchangeFailure::Read);
    ::close(fd);
    return result;
}

ExchangeResult SaveReadBuffer(const std::filesystem::path& path, const ToolImage& image) {
    ReplaceError why;
    if (!ReplaceFileAtomic(path, image.data(), image.size(), {.newFileMode = 0644, .replaceLink = true}, &why))
        return Failed(ExchangeFailure::Save, why.sysError);
    return {};
}

} // namespace vt
