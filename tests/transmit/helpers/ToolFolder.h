#pragma once
// A fresh program folder for one test of the transfer tool: Msg.sys, wbuffer.bin and the
// ports/ links live here, and VELTRA_HOME points at it while the object lives.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vt::test {

class ToolFolder {
public:
    explicit ToolFolder(const std::string& name);
    ~ToolFolder();
    ToolFolder(const ToolFolder&) = delete;
    ToolFolder& operator=(const ToolFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path File(const std::string& name) const { return path_ / name; }

    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::vector<uint8_t> Read(const std::string& name) const;
    void WriteMsgSys(uint8_t status, uint8_t port, uint8_t language) const { Write("Msg.sys", {status, port, language}); }
    // Byte 0 of Msg.sys, or -1 when it cannot be read.
    int Status() const;

private:
    std::filesystem::path path_;
    std::string oldHome_;
    bool hadHome_ = false;
};

} // namespace vt::test
