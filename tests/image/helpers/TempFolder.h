#pragma once
// A fresh program folder for one test, removed afterwards.
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace vt::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes a file below the folder (relative name with '/'), creating folders.
    void write(std::string_view relative, const std::vector<uint8_t>& bytes) const;
    std::vector<uint8_t> read(std::string_view relative) const;

private:
    std::filesystem::path path_;
};

} // namespace vt::test
