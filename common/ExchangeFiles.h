#pragma once
// The files that the editor and the transfer tool exchange in the program folder, and the
// byte-exact file access both programs and the data files use.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vt {

inline constexpr const char* kMsgSysName = "Msg.sys";
inline constexpr const char* kWBufferName = "wbuffer.bin";
inline constexpr const char* kRBufferName = "rbuffer.bin";

inline constexpr size_t kImageSize = 16001;      // a full radio memory image (data files, wbuffer.bin)
inline constexpr size_t kRadioImageSize = 16000; // what the tool moves: rbuffer.bin, the start of wbuffer.bin
inline constexpr size_t kMsgSysSize = 3;

// The transfer tool's image buffer.
using ToolImage = std::array<uint8_t, kRadioImageSize>;

// Byte 0 of Msg.sys.
enum MsgStatus : uint8_t {
    StatusRequested = 1,
    StatusReading = 2,
    StatusWriting = 4,
    StatusNoResult = 8,
    StatusNoRadio = 0x10,
    StatusReadInterrupted = 0x20,
    StatusEchoError = 0x40,
    StatusCompleted = 0x80,
};
// 1, 2 and 4 mean that the tool is still running.
bool IsFinalStatus(uint8_t status);

struct MsgSys {
    uint8_t status = 0;
    uint8_t port = 1;
    uint8_t language = 0; // 0 English, anything else Chinese
};

// Reads the whole file; nothing (and *error set) when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::string* error = nullptr);

// Reads at most maxBytes from the start of a regular file; nothing (and *error, *sysError set)
// when it cannot be opened or read, or is a directory, a FIFO or a device. A huge file costs no
// more than what is kept of it.
std::optional<std::vector<uint8_t>> ReadFileHead(const std::filesystem::path& path, size_t maxBytes,
                                                 std::string* error = nullptr, int* sysError = nullptr);

// Writes bytes from offset 0, creating the file when needed but never truncating it, as the
// exchange files have always been written. Every write is checked; a FIFO without a reader
// fails at once instead of waiting for one (as in WriteFileReplace).
bool WriteFileNoTruncate(const std::filesystem::path& path, const uint8_t* data, size_t size,
                         std::string* error = nullptr);
// Creates or empties the file, then writes the bytes.
bool WriteFileReplace(const std::filesystem::path& path, const uint8_t* data, size_t size,
                      std::string* error = nullptr);

// How ReplaceFileAtomic treats what it replaces.
struct AtomicReplace {
    bool keepOldTail = false;   // a longer old file's bytes beyond the new ones stay
    bool keepOwner = false;     // the old file's owner and group stay where the writer may set them
    unsigned newFileMode = 0666; // a new file's permissions before the umask
    bool replaceLink = false;    // a symbolic link in the file's place is replaced, not followed
};
// Why ReplaceFileAtomic failed: the errno, and whether the target itself was refused (a folder,
// an existing file not writable) before any temporary file was made.
struct ReplaceError {
    int sysError = 0;
    bool target = false;
};
// Writes the file through a temporary file in its folder that is synced and then renamed over
// it, so a crash or a full disk never leaves half a file. A symbolic link is followed to the file
// it names unless how.replaceLink says otherwise; an existing file's permission bits stay.
bool ReplaceFileAtomic(const std::filesystem::path& path, const uint8_t* data, size_t size,
                       const AtomicReplace& how, ReplaceError* error = nullptr);
// "<path>: <reason>", as the other writes here report.
std::string ReplaceErrorText(const std::filesystem::path& path, const ReplaceError& error);

// Why an operation on Msg.sys, wbuffer.bin or rbuffer.bin failed. The tool shows each kind with
// its own text; the system error number travels along where the tool shows it.
enum class ExchangeFailure : uint8_t {
    None,
    Open,   // the file could not be opened (sysError)
    Length, // the file is shorter than required; it is left unchanged
    Read,   // fewer bytes came back than were required
    Write,  // the write or the close failed (sysError)
    Save,   // rbuffer.bin could not be created or written in full
};

struct [[nodiscard]] ExchangeResult {
    ExchangeFailure failure = ExchangeFailure::None;
    int sysError = 0;
    explicit operator bool() const { return failure == ExchangeFailure::None; }
};

// Msg.sys as both programs read it: a file shorter than minLength bytes (1 to 3) is refused,
// otherwise its first bytes, up to three, go into msg and the fields the file lacks keep their
// values. The tool needs all three bytes; the editor's poll needs only the status. Like every
// exchange file below, anything but a regular file (a FIFO, a device, a folder) is refused at
// once as an open failure, without waiting on it.
ExchangeResult ReadMsgSys(const std::filesystem::path& path, MsgSys& msg, size_t minLength = kMsgSysSize);
// The editor's request: all three bytes, created when missing, never truncated.
bool WriteMsgSys(const std::filesystem::path& path, const MsgSys& msg, std::string* error = nullptr);
// The tool's status: byte 0 of an existing Msg.sys of at least minLength bytes (3 while running,
// 1 at exit); bytes 1 and 2 stay as the editor wrote them. The file is never created or shortened.
ExchangeResult WriteMsgSysStatus(const std::filesystem::path& path, uint8_t status, size_t minLength);

// The first 16,000 bytes of wbuffer.bin; a shorter file is refused unread.
ExchangeResult LoadWriteBuffer(const std::filesystem::path& path, ToolImage& image);
// rbuffer.bin replaced whole by the image (synced, then renamed into place); a symbolic link in
// its place is replaced too, never written through.
ExchangeResult SaveReadBuffer(const std::filesystem::path& path, const ToolImage& image);

} // namespace vt
