#include "common/ComPortMap.h"

#include "common/ProgramFolder.h"

#include <system_error>

namespace fs = std::filesystem;

namespace vt {

ComPortMap::ComPortMap(fs::path programFolder, fs::path devRoot)
    : ports_(std::move(programFolder) / "ports"), devRoot_(std::move(devRoot)) {}

ComPortMap ComPortMap::ForProgram() { return ComPortMap(ProgramFolder()); }

std::optional<fs::path> ComPortMap::Device(int number) const {
    if (number < 1 || number > kMaxNumber) return std::nullopt;
    std::error_code ec;
    fs::path link = ports_ / ("COM" + std::to_string(number));
    // symlink_status: a dangling link still names the port (opening it then fails plainly).
    if (fs::exists(fs::symlink_status(link, ec))) return link;
    static constexpr const char* kFamilies[] = {"ttyS", "ttyUSB", "ttyACM"};
    int family = (number - 1) / 32;
    if (family >= 3) return std::nullopt;
    return devRoot_ / (std::string(kFamilies[family]) + std::to_string((number - 1) % 32));
}

std::optional<fs::path> ComPortMap::DeviceForName(std::string_view name) const {
    auto n = ParseComName(name);
    if (!n) return std::nullopt;
    return Device(*n);
}

std::vector<ComPortEntry> ComPortMap::List() const {
    std::vector<ComPortEntry> out;
    for (int n = 1; n <= kMaxNumber; ++n) {
        auto dev = Device(n);
        std::error_code ec;
        if (!dev || !fs::exists(*dev, ec)) continue;
        fs::path shown = *dev;
        if (fs::is_symlink(*dev, ec)) {
            fs::path target = fs::read_symlink(*dev, ec);
            if (!ec) shown = target.is_absolute() ? target : dev->parent_path() / target;
        }
        out.push_back({n, shown});
    }
    return out;
}

std::optional<int> ParseComName(std::string_view name) {
    if (name.size() < 4 || name.size() > 6) return std::nullopt;
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; };
    if (up(name[0]) != 'C' || up(name[1]) != 'O' || up(name[2]) != 'M') return std::nullopt;
    int n = 0;
    for (char c : name.substr(3)) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::string ComPortLabel(const ComPortEntry& entry) {
    return "COM" + std::to_string(entry.number) + " (" + entry.device.string() + ")";
}

} // namespace vt
