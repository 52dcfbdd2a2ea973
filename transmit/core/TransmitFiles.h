#pragma once
// The tool's side of the exchange files: what it reads and writes, with the exact checks and
// messages the editor's users know. Each call returns false with the message to show.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace vt {

inline constexpr size_t kToolImageSize = 16000;
using ToolImage = std::array<uint8_t, kToolImageSize>;

namespace transmit_files {

// Msg.sys read once at start: at least 3 bytes.
bool ReadMsgFile(const std::filesystem::path& path, std::array<uint8_t, 3>& out, std::string* message);
// Byte 0 of an existing Msg.sys of at least minLength bytes (3 while running, 1 at exit); bytes 1
// and 2 stay as the editor wrote them. The tool never creates or shortens the file.
bool WriteStatus(const std::filesystem::path& path, uint8_t status, size_t minLength, std::string* message);
// The first 16,000 bytes of wbuffer.bin; a shorter file is refused.
bool LoadWriteBuffer(const std::filesystem::path& path, ToolImage& image, std::string* message);
// rbuffer.bin replaced by the image; every write and the close checked.
bool SaveReadBuffer(const std::filesystem::path& path, const ToolImage& image, std::string* message);

} // namespace transmit_files
} // namespace vt
