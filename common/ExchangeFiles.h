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

inline constexpr size_t kImageSize = 16001;     // a full radio memory image (data files, wbuffer.bin)
inline constexpr size_t kRadioImageSize = 16000; // what the radio returns (rbuffer.bin)

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

// Reads at most maxBytes from the start of a regular file; nothing (and *error set) when it
// cannot be opened or read, or is a directory, a FIFO or a device. A huge file costs no more
// than what is kept of it.
std::optional<std::vector<uint8_t>> ReadFileHead(const std::filesystem::path& path, size_t maxBytes,
                                                 std::string* error = nullptr);

// Writes bytes from offset 0, creating the file when needed but never truncating it, as the
// exchange files have always been written. Every write is checked.
bool WriteFileNoTruncate(const std::filesystem::path& path, const uint8_t* data, size_t size,
                         std::string* error = nullptr);
// Creates or empties the file, then writes the bytes.
bool WriteFileReplace(const std::filesystem::path& path, const uint8_t* data, size_t size,
                      std::string* error = nullptr);

// Msg.sys: nothing when the file is missing or shorter than 3 bytes.
std::optional<MsgSys> ReadMsgSys(const std::filesystem::path& path, std::string* error = nullptr);
// The editor's request: all three bytes, created when missing, never truncated.
bool WriteMsgSys(const std::filesystem::path& path, const MsgSys& msg, std::string* error = nullptr);
// The tool's update: byte 0 only, of an existing file (the tool never creates or shortens it).
bool WriteMsgSysStatus(const std::filesystem::path& path, uint8_t status, std::string* error = nullptr);

} // namespace vt
