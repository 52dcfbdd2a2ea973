#pragma once
// COM numbers stay numbers (they travel in Msg.sys); this map turns COM n into a device.
// A symbolic link ports/COM<n> in the program folder wins (a stable /dev/serial/by-id name, or a
// pseudo-terminal in tests); otherwise COM1-32 are /dev/ttyS0-31, COM33-64 /dev/ttyUSB0-31 and
// COM65-96 /dev/ttyACM0-31. The map never changes with what is plugged in; only the list of
// ports offered does.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct ComPortEntry {
    int number = 0;
    std::filesystem::path device;
    // The stable name a USB adapter has under /dev/serial/by-id, when it has one.
    std::string byId;
};

class ComPortMap {
public:
    static constexpr int kMaxNumber = 255; // Msg.sys carries the number in one byte

    // devRoot is "/dev" except in tests; ttyClassRoot is the kernel's tty class folder
    // ("/sys/class/tty"), empty where there is none to ask.
    explicit ComPortMap(std::filesystem::path programFolder, std::filesystem::path devRoot = "/dev",
                        std::filesystem::path ttyClassRoot = {});
    // The map of the running program's folder.
    static ComPortMap ForProgram();

    // The device of COM n (the link itself when there is one); nothing when n has no device name.
    std::optional<std::filesystem::path> Device(int number) const;
    // The same for a port name "COM<n>" (any letter case).
    std::optional<std::filesystem::path> DeviceForName(std::string_view name) const;
    // Every COM number whose device exists now, ascending; a ttyS node only when the kernel
    // reports a UART behind it (most of them are placeholders).
    std::vector<ComPortEntry> List() const;

    const std::filesystem::path& PortsFolder() const { return ports_; }

private:
    std::filesystem::path ports_;
    std::filesystem::path devRoot_;
    std::filesystem::path ttyClass_;

    bool HasUart(const std::filesystem::path& device) const;
    std::string ByIdName(const std::filesystem::path& device) const;
};

// "COM12" gives 12; nothing for any other text.
std::optional<int> ParseComName(std::string_view name);
// "COM33 (/dev/ttyUSB0)", with the by-id name after it for a USB adapter: how the COM dialog
// shows a port.
std::string ComPortLabel(const ComPortEntry& entry);

} // namespace vt
