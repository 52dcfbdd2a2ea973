#include "tests/transmit/helpers/ToolFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vt::test {

ToolFolder::ToolFolder(const std::string& name) {
    path_ = fs::temp_directory_path() / ("veltra_tool_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_);
    if (const char* h = std::getenv("VELTRA_HOME")) {
        hadHome_ = true;
        oldHome_ = h;
    }
    ::setenv("VELTRA_HOME", path_.c_str(), 1);
}

ToolFolder::~ToolFolder() {
    if (hadHome_) ::setenv("VELTRA_HOME", oldHome_.c_str(), 1);
    else ::unsetenv("VELTRA_HOME");
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void ToolFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ToolFolder::Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int ToolFolder::Status() const {
    auto b = Read("Msg.sys");
    return b.empty() ? -1 : b[0];
}

} // namespace vt::test
