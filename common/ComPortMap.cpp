#include "common/ComPortMap.h"

#include "common/ProgramFolder.h"
#include "common/TextUtil.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vt {

ComPortMap::ComPortMap(fs::path programFolder, fs::path devRoot, fs::path ttyClassRoot)
    : ports_(std::move(programFolder) / "ports"), devRoot_(std::move(devRoot)), ttyClass_(std::move(ttyClassRoot)) {}

ComPortMap ComPortMap::ForProgram() { return ComPortMap(ProgramFolder(), "/dev", "/sys/class/tty"); }

namespace {
bool IsTtyS(const fs::path& device) {
    const std::string name = device.filename().string();
    return name.size() > 4 && name.compare(0, 4, "ttyS") == 0;
}
} // namespace

// The kernel creates ttyS nodes for every legacy slot it reserves; a port with no UART behind it
// reports the type PORT_UNKNOWN (0). sysfs answers any user; TIOCGSERIAL needs the node opened.
bool ComPortMap::HasUart(const fs::path& device) const {
    if (!ttyClass_.empty()) {
        std::ifstream type(ttyClass_ / device.filename() / "type");
        int t = -1;
        if (type >> t) return t != 0;
    }
    const int fd = ::open(device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno != EIO && errno != ENXIO && errno != ENODEV; // cannot tell: offer it
    serial_struct info{};
    const bool known = ::ioctl(fd, TIOCGSERIAL, &info) == 0;
    ::close(fd);
    return !known || info.type != PORT_UNKNOWN;
}

std::string ComPortMap::ByIdName(const fs::path& device) const {
    std::error_code ec;
    const fs::path real = fs::canonical(device, ec);
    if (ec) return {};
    for (const auto& e : fs::directory_iterator(devRoot_ / "serial" / "by-id", ec)) {
        std::error_code ec2;
        if (e.is_symlink(ec2) && fs::canonical(e.path(), ec2) == real && !ec2) return e.path().filename().string();
    }
    return {};
}

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
        const bool linked = fs::is_symlink(*dev, ec);
        if (linked) {
            fs::path target = fs::read_symlink(*dev, ec);
            if (!ec) shown = target.is_absolute() ? target : dev->parent_path() / target;
        } else if (IsTtyS(*dev) && !HasUart(*dev)) {
            continue;
        }
        std::string byId = ByIdName(*dev);
        if (byId == shown.filename().string()) byId.clear(); // the link names it already
        out.push_back({n, shown, byId});
    }
    return out;
}

std::optional<int> ParseComName(std::string_view name) {
    if (name.size() < 4 || name.size() > 6) return std::nullopt;
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; };
    if (up(name[0]) != 'C' || up(name[1]) != 'O' || up(name[2]) != 'M') return std::nullopt;
    int n = 0;
    for (char c : name.substr(3)) {
        if (!IsDigit(c)) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::string ComPortLabel(const ComPortEntry& entry) {
    std::string label = "COM" + std::to_string(entry.number) + " (" + entry.device.string() + ")";
    if (!entry.byId.empty()) label += " " + entry.byId;
    return label;
}

} // namespace vt
