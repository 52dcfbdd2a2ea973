#include "transmit/core/TransmitFiles.h"

#include "common/ExchangeFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::transmit_files {

namespace {
constexpr const char* kLengthError = "Error File Length!!";
constexpr const char* kReadError = "Error Read!!";

void Say(std::string* message, const std::string& text) {
    if (message) *message = text;
}

// Opens the file; on failure the message is the error number, as the users have always seen it.
int OpenOrSay(const std::filesystem::path& path, int flags, std::string* message) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) Say(message, std::to_string(errno));
    return fd;
}

bool LongEnough(int fd, size_t minLength, std::string* message) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size < static_cast<off_t>(minLength)) {
        Say(message, kLengthError);
        return false;
    }
    return true;
}

// Reads up to size bytes from the start; false when nothing could be read.
bool ReadStart(int fd, uint8_t* out, size_t size, std::string* message) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, out + done, size - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    if (done < size) {
        Say(message, kReadError);
        return false;
    }
    return true;
}
} // namespace

bool ReadMsgFile(const std::filesystem::path& path, std::array<uint8_t, 3>& out, std::string* message) {
    int fd = OpenOrSay(path, O_RDONLY, message);
    if (fd < 0) return false;
    bool ok = LongEnough(fd, 3, message) && ReadStart(fd, out.data(), 3, message);
    ::close(fd);
    return ok;
}

bool WriteStatus(const std::filesystem::path& path, uint8_t status, size_t minLength, std::string* message) {
    int fd = OpenOrSay(path, O_RDWR, message);
    if (fd < 0) return false;
    bool ok = LongEnough(fd, minLength, message);
    if (ok) {
        ssize_t n;
        do {
            n = ::pwrite(fd, &status, 1, 0);
        } while (n < 0 && errno == EINTR);
        if (n != 1) {
            Say(message, std::to_string(errno));
            ok = false;
        }
    }
    if (::close(fd) != 0 && ok) {
        Say(message, std::to_string(errno));
        ok = false;
    }
    return ok;
}

bool LoadWriteBuffer(const std::filesystem::path& path, ToolImage& image, std::string* message) {
    int fd = OpenOrSay(path, O_RDONLY, message);
    if (fd < 0) return false;
    bool ok = LongEnough(fd, kToolImageSize, message) && ReadStart(fd, image.data(), image.size(), message);
    ::close(fd);
    return ok;
}

bool SaveReadBuffer(const std::filesystem::path& path, const ToolImage& image, std::string* message) {
    if (!WriteFileReplace(path, image.data(), image.size())) {
        Say(message, "Can't open buffer file");
        return false;
    }
    return true;
}

} // namespace vt::transmit_files
